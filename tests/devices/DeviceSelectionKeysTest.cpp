#include "base/ProgramPaths.h"
#include "devices/DeviceFolders.h"
#include "devices/DeviceKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DeviceSelectionKeys, KeyLinesReadUpToTheSemicolon)
{
    struct Case {
        const char* what;
        std::string file;
        DeviceKeys expected;
        bool dllNameFound;
    };
    const DeviceKeys before{"Old.dll", 1, 64, 1};
    const Case cases[] = {
        {"all four keys", "DLLNAME:New.dll;\r\nCANEDIT:0;\r\nCOMMBUFFLTH:128;\r\nHIGHFRONT:0;\r\n",
         {"New.dll", 0, 128, 0}, true},
        {"indented keys are found", "  DLLNAME:New.dll;\r\n\tCOMMBUFFLTH:99;\r\n", {"New.dll", 1, 99, 1}, true},
        {"a lower-case key is not", "dllname:New.dll;\r\ncanedit:0;\r\n", {"Old.dll", 1, 64, 1}, false},
        {"a number without ';' reads 0 (the buffer length at least 8)",
         "DLLNAME:New.dll;\r\nCOMMBUFFLTH:128\r\nHIGHFRONT:1\r\n", {"New.dll", 1, 8, 0}, true},
        {"a name without ';' is empty", "DLLNAME:New.dll\r\n", {"", 1, 64, 1}, false},
        {"a key twice: the last wins", "DLLNAME:A.dll;\r\nCOMMBUFFLTH:10;\r\nDLLNAME:B.dll;\r\nCOMMBUFFLTH:20;\r\n",
         {"B.dll", 1, 20, 1}, true},
        {"an empty last name refuses the file", "DLLNAME:A.dll;\r\nDLLNAME:;\r\n", {"", 1, 64, 1}, false},
        {"keys after [ADDRESS] count", "[ADDRESS]\r\nDLLNAME:A.dll;\r\n", {"A.dll", 1, 64, 1}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceKeys keys = before;
        EXPECT_EQ(ReadDeviceKeys(c.file, keys, KeyNumberEnd::Semicolon), c.dllNameFound);
        EXPECT_EQ(keys.dllName, c.expected.dllName);
        EXPECT_EQ(keys.canEdit, c.expected.canEdit);
        EXPECT_EQ(keys.commBuffLength, c.expected.commBuffLength);
        EXPECT_EQ(keys.highFront, c.expected.highFront);
    }
    // The project reader keeps taking the leading digits.
    DeviceKeys keys = before;
    ReadDeviceKeys("COMMBUFFLTH:128\r\n", keys);
    EXPECT_EQ(keys.commBuffLength, 128);
}

TEST(DeviceSelectionKeys, SelectionHasItsOwnBuiltInList)
{
    for (const char* name : {"PN07", "QM4V3ModBus", "DB2500", "SRVA002", "DA11"})
        EXPECT_TRUE(IsSelectionBuiltInDeviceName(name)) << name;
    for (const char* name : {"DB2200", "SRVA001", "pn07", "ModBus Slave", ""})
        EXPECT_FALSE(IsSelectionBuiltInDeviceName(name)) << name;
}

TEST(DeviceFolders, OnlyFilesEndingInTheDeviceSuffixAreDevices)
{
    QTemporaryDir folder;
    const std::string previous = ProgramFolder();
    SetProgramFolder(folder.path().toStdString());
    QDir(folder.path()).mkpath("Device");
    for (const char* file : {"ACommunication.add", "ACommunication.add.bak", "Bcommunication.add",
                             "Communication.add", "C DCommunication.add", "notes.txt"}) {
        QFile f(folder.path() + "/Device/" + file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ListDeviceNames(), (std::vector<std::string>{"A", "C D"}));
    SetProgramFolder(previous);
}

TEST(DeviceFolders, ThreeProtocolsAreNotOfferedForNewDevices)
{
    EXPECT_EQ(OfferedProtocolNames({"QM4.dll", "ModBus Slave.dll", "QM4LAD.dll", "QM4V3.dll", "QM4V3X.dll", "qm4.dll"}),
              (std::vector<std::string>{"ModBus Slave.dll", "QM4V3X.dll", "qm4.dll"}));
}
