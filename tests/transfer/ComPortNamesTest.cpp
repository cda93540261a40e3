#include "support/IsolatedSettings.h"
#include "transfer/ComPortNames.h"
#include "transfer/ComPortNumber.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ComPortNamesTest, WindowsNamesOfComNumbers)
{
    const std::pair<int, const char*> cases[] = {
        {1, "COM1"}, {9, "COM9"}, {10, "\\\\.\\COM10"}, {12, "\\\\.\\COM12"}, {32, "\\\\.\\COM32"}};
    for (const auto& [number, name] : cases) {
        EXPECT_EQ(PanelPortName(number), QString::fromLatin1(name));
        EXPECT_EQ(ComNumberFromPortName(QString::fromLatin1(name)), number);
    }
    for (const char* other : {"/dev/ttyUSB0", "COM", "LPT1", "\\\\.\\", "COM1x", "xCOM1"})
        EXPECT_EQ(ComNumberFromPortName(QString::fromLatin1(other)), 0) << other;
}

class ComPortMappingTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        qunsetenv("VX50_COM3");
    }
};

TEST_F(ComPortMappingTest, EnvironmentBeatsSettingsMapBeatsSystemList)
{
    const QStringList system{"/dev/ttyS0", "/dev/ttyUSB0"};
    ComPortMap map;
    EXPECT_EQ(ResolveComDevice(2, map, system), "/dev/ttyUSB0");
    EXPECT_EQ(ResolveComDevice(3, map, system), QString()); // the system has only two

    map.SetDevice(3, "/dev/serial/by-id/usb-adapter");
    EXPECT_EQ(ResolveComDevice(3, map, system), "/dev/serial/by-id/usb-adapter");

    qputenv("VX50_COM3", "/dev/pts/7");
    EXPECT_EQ(ResolveComDevice(3, map, system), "/dev/pts/7");
    EXPECT_EQ(ResolveComDevice(2, map, system), "/dev/ttyUSB0"); // only its own number
}

TEST_F(ComPortMappingTest, MapRoundTripsThroughSettingsAndEmptyRemoves)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath("ports.ini"), QSettings::IniFormat);
    ComPortMap map;
    map.SetDevice(3, "  /dev/ttyUSB0 ");
    map.SetDevice(12, "/dev/ttyACM1");
    map.Save(settings);

    ComPortMap loaded = ComPortMap::Load(settings);
    EXPECT_EQ(loaded.Device(3), "/dev/ttyUSB0");
    EXPECT_EQ(loaded.Device(12), "/dev/ttyACM1");
    EXPECT_EQ(loaded.Device(4), QString());

    loaded.SetDevice(3, "");
    loaded.Save(settings);
    EXPECT_EQ(ComPortMap::Load(settings).Device(3), QString());
    EXPECT_EQ(ComPortMap::Load(settings).Device(12), "/dev/ttyACM1");
}

TEST_F(ComPortMappingTest, PortNamesResolveThroughTheProgramSettings)
{
    IsolatedSettings isolated("ComPortMappingTest");
    {
        QSettings settings;
        ComPortMap map;
        map.SetDevice(12, "/dev/ttyUSB4");
        map.Save(settings);
    }
    EXPECT_EQ(ResolvePortDevice("\\\\.\\COM12"), "/dev/ttyUSB4");
    EXPECT_EQ(ResolvePortDevice("/dev/ttyS3"), "/dev/ttyS3"); // a path is used as it is
    qputenv("VX50_COM3", "/dev/pts/9");
    EXPECT_EQ(ResolvePortDevice("COM3"), "/dev/pts/9");
}

TEST(ComPortNumberTest, OutOfRangeNumbersBecomeOne)
{
    const std::pair<int, int> cases[] = {{1, 1}, {7, 7}, {32, 32}, {0, 1}, {33, 1}, {-4, 1}, {0x01000000, 1}};
    for (const auto& [stored, taken] : cases) {
        SetComPortNumber(stored);
        EXPECT_EQ(ComPortNumber(), taken) << stored;
    }
    SetComPortNumber(1);
}

} // namespace
