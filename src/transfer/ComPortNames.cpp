#include "transfer/ComPortNames.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QSettings>

#include <algorithm>

namespace {

const char* const kSettingsGroup = "ComPorts";

QString SettingsKey(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

} // namespace

QString PanelPortName(int number)
{
    const QString name = QStringLiteral("COM%1").arg(number);
    return number > 9 ? QStringLiteral("\\\\.\\") + name : name;
}

int ComNumberFromPortName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM([0-9]{1,3})$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QByteArray ComPortEnvironmentVariable(int number)
{
    return "VX50_COM" + QByteArray::number(number);
}

ComPortMap ComPortMap::Load(QSettings& settings)
{
    ComPortMap map;
    settings.beginGroup(kSettingsGroup);
    for (int number = 1; number <= kMaxComPortNumber; ++number)
        map.SetDevice(number, settings.value(SettingsKey(number)).toString());
    settings.endGroup();
    return map;
}

void ComPortMap::Save(QSettings& settings) const
{
    settings.remove(kSettingsGroup);
    settings.beginGroup(kSettingsGroup);
    for (const auto& [number, device] : m_devices)
        settings.setValue(SettingsKey(number), device);
    settings.endGroup();
}

QString ComPortMap::Device(int number) const
{
    const auto it = m_devices.find(number);
    return it == m_devices.end() ? QString() : it->second;
}

void ComPortMap::SetDevice(int number, const QString& devicePath)
{
    const QString path = devicePath.trimmed();
    if (path.isEmpty())
        m_devices.erase(number);
    else
        m_devices[number] = path;
}

QStringList SystemSerialPorts()
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append(info.systemLocation());
    std::sort(ports.begin(), ports.end());
    return ports;
}

QString ResolveComDevice(int number, const ComPortMap& map, const QStringList& systemPorts)
{
    const QString fromEnvironment = qEnvironmentVariable(ComPortEnvironmentVariable(number).constData());
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromMap = map.Device(number);
    if (!fromMap.isEmpty())
        return fromMap;
    return number >= 1 && number <= systemPorts.size() ? systemPorts.at(number - 1) : QString();
}

QString ResolvePortDevice(const QString& portName)
{
    const int number = ComNumberFromPortName(portName);
    if (number == 0)
        return portName;
    QSettings settings;
    return ResolveComDevice(number, ComPortMap::Load(settings), SystemSerialPorts());
}
