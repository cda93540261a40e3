#pragma once

#include <QString>
#include <QStringList>

#include <map>

class QSettings;

// The program names PC ports as Windows did: "COM3", and "\\.\COM12" above 9.
// On this system a COM number maps to a serial device, in this order:
//   1. the environment variable VX50_COM<n> (tests point a number at a
//      pseudo-terminal this way),
//   2. the map kept in the settings, edited in the COM-port dialog (so COM3
//      can be /dev/ttyUSB0 or a /dev/serial/by-id link),
//   3. the n-th serial port that the system lists.

inline constexpr int kMaxComPortNumber = 32;

// "COM%d" of `number`, with "\\.\" in front above 9.
QString PanelPortName(int number);
// The number of a "COMn" or "\\.\COMn" name; 0 for any other name.
int ComNumberFromPortName(const QString& name);
// "VX50_COM<n>".
QByteArray ComPortEnvironmentVariable(int number);

// The user's COM number -> device path choices.
class ComPortMap {
public:
    static ComPortMap Load(QSettings& settings);
    void Save(QSettings& settings) const;

    // The chosen device of `number`; empty when none is chosen.
    QString Device(int number) const;
    // An empty path removes the choice.
    void SetDevice(int number, const QString& devicePath);

private:
    std::map<int, QString> m_devices;
};

// The serial devices that the system lists, sorted by path.
QStringList SystemSerialPorts();

// The device of COM `number` by the order above; empty when none.
QString ResolveComDevice(int number, const ComPortMap& map, const QStringList& systemPorts);
// The device that `portName` opens: a COM name through ResolveComDevice with
// the map of the program's settings; any other name is taken as a path.
QString ResolvePortDevice(const QString& portName);
