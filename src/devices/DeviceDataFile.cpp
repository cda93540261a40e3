#include "devices/DeviceDataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

bool WriteDeviceDataFile(const std::string& path, std::string_view data)
{
    const QFileInfo info(QString::fromStdString(path));
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    return WriteFileAtomically(path, data);
}
