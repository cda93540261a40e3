// The loader: stored names to files, the entries each command needs, and the
// messages when a library or an entry is missing.

#include "base/ProgramPaths.h"
#include "devices/DeviceKeys.h"
#include "devices/ProtocolLibraryName.h"
#include "support/RecordingUserInterface.h"
#include "transfer/ProtocolLibrary.h"

#include <gtest/gtest.h>

namespace {

// Runs the test in the stub program folder and restores the real one.
class StubProgramFolder {
public:
    StubProgramFolder() : m_saved(ProgramFolder()) { SetProgramFolder(STUB_PROGRAM_DIR); }
    ~StubProgramFolder() { SetProgramFolder(m_saved); }

private:
    std::string m_saved;
};

TEST(ProtocolLibraryName, StoredAndFileNamesMapBothWays)
{
    EXPECT_EQ(ProtocolFileName("ModBus Slave.dll"), "libModBus Slave.so");
    EXPECT_EQ(StoredProtocolName("libModBus Slave.so"), "ModBus Slave.dll");
    EXPECT_EQ(StoredProtocolName(ProtocolFileName("QM4-232.dll")), "QM4-232.dll");
    EXPECT_EQ(StoredProtocolName("libc.so.6"), "");
    EXPECT_EQ(StoredProtocolName("ModBus Slave.dll"), "");
    EXPECT_EQ(StoredProtocolName("lib.so"), "");
}

TEST(ProtocolLibraryName, RefusesNamesThatLeaveTheProtocolFolder)
{
    for (const char* name : {"", "..", "../ModBus Slave.dll", "sub/x.dll", "a\\b.dll"}) {
        EXPECT_FALSE(IsSafeProtocolName(name)) << name;
        EXPECT_THROW(ProtocolFileName(name), std::invalid_argument) << name;
    }
}

TEST(ProtocolLibraryName, TheShippedLibraryIsInstalled)
{
    const auto names = InstalledProtocolNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "ModBus Slave.dll"), names.end());
}

TEST(ProtocolLibraryLoad, TheShippedModbusDeviceNamesThisLibrary)
{
    DeviceKeys keys;
    ASSERT_EQ(ReadDeviceKeysFile(DeviceTablePath("ModBus Slave"), keys), std::optional<bool>(true));
    RecordingUserInterface ui;
    ProtocolFunctionTable table;
    EXPECT_TRUE(LoadProtocolLibrary(keys.dllName, ProtocolUse::Write, table));
    EXPECT_EQ(table.GetALMRetAdd(0, 3, nullptr), 3);
}

TEST(ProtocolLibraryLoad, EachCommandGetsItsEntries)
{
    RecordingUserInterface ui;
    ProtocolFunctionTable table;
    ASSERT_TRUE(LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::CompileOrSimulate, table));
    EXPECT_NE(table.ReadBit, nullptr);
    EXPECT_NE(table.GetReadCoilPos, nullptr);
    EXPECT_EQ(table.GetALMRetAdd, nullptr);
    EXPECT_EQ(table.GetIDandAddress, nullptr);

    ASSERT_TRUE(LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::Write, table));
    EXPECT_NE(table.GetALMRetAdd, nullptr);
    EXPECT_EQ(table.GetIDandAddress, nullptr);

    ASSERT_TRUE(LoadProtocolLibrary("ModBus Slave.dll", ProtocolUse::Read, table));
    EXPECT_NE(table.GetIDandAddress, nullptr);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ProtocolLibraryLoad, MissingLibraryOrEntryShowsTheCommandsMessage)
{
    StubProgramFolder folder;
    const struct {
        const char* name;
        ProtocolUse use;
        bool loads;
        int message;
    } cases[] = {
        {"Decode Only.dll", ProtocolUse::Read, true, 0},
        {"Decode Only.dll", ProtocolUse::Write, false, 61243},
        {"Decode Only.dll", ProtocolUse::CompileOrSimulate, false, 61243},
        {"Nothing Here.dll", ProtocolUse::Write, false, 61243},
        {"Nothing Here.dll", ProtocolUse::Read, false, 61252},
        {"../Protocol/Decode Only.dll", ProtocolUse::Read, false, 61252},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingUserInterface ui;
        ProtocolFunctionTable table;
        EXPECT_EQ(LoadProtocolLibrary(c.name, c.use, table), c.loads);
        EXPECT_EQ(ui.MessageIds(), c.message ? std::vector<int> {c.message} : std::vector<int> {});
        if (!c.loads) {
            EXPECT_EQ(table.ReadBit, nullptr) << "a failed load must leave the table as it was";
            EXPECT_EQ(table.GetIDandAddress, nullptr);
        }
    }
}

} // namespace
