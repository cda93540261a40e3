#include "emulator/ComPortOverride.h"

#include "transfer/ComPortNames.h"

#include <QByteArray>

ComPortOverride::ComPortOverride(int number, const std::string& devicePath)
    : m_number(number)
{
    qputenv(ComPortEnvironmentVariable(number).constData(), QByteArray::fromStdString(devicePath));
}

ComPortOverride::~ComPortOverride()
{
    qunsetenv(ComPortEnvironmentVariable(m_number).constData());
}
