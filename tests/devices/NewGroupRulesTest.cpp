#include "devices/DeviceNameRules.h"
#include "devices/NewGroupRules.h"

#include "support/TableGroups.h"

#include "base/FileIo.h"
#include "base/ProgramPaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(NewGroupRules, ModeAndIntervalFollowTheAnswers)
{
    const struct {
        int type;
        int answer;
        bool writesSingle;
        int interval;
        int mode;
        int interval32;
    } cases[] = {
        {BitElementType, HasCoilCommands, false, 2, CoilOrMultiWriteMode, 1},
        {BitElementType, HasCoilCommands, true, 2, CoilOrMultiWriteMode, 1},
        {BitElementType, NoCoilCommands, false, 2, WordBitMode, 1},
        {BitElementType, NoCoilCommands, true, 2, SingleWriteMode, 1},
        {Word16ElementType, WritesSingleRegister, false, 2, SingleWriteMode, 1},
        {Word16ElementType, WritesMultipleRegisters, false, 2, CoilOrMultiWriteMode, 1},
        {Word32ElementType, HasCoilCommands, false, 2, CoilOrMultiWriteMode, 2},
        {Word32ElementType, NoCoilCommands, true, 1, CoilOrMultiWriteMode, 1},
    };
    for (const auto& c : cases) {
        const GroupAccess access = NewGroupAccess(c.type, c.answer, c.writesSingle, c.interval);
        EXPECT_EQ(access.accessMode, c.mode) << c.type << " " << c.answer << " " << c.writesSingle;
        EXPECT_EQ(access.interval32, c.interval32) << c.type << " " << c.answer;
    }
}

TEST(NewGroupRules, GroupNamesThatTheTableCannotHoldAreRefused)
{
    const AddressTable groups = {MakeGroup("AB", BitElementType, WordBitMode)};
    const struct {
        std::string name;
        int refusal;
    } cases[] = {
        {"ab", 0},
        {"X_1-2.3", 0},
        {"", 61231},
        {"AB", 61280},
        {"\xCE\xBB", 61279}, // a Chinese character
        {"A;B", 61279},
        {" A", 61279},
        {"A ", 61279},
        {"A\nB", 61279},
        {std::string(255, 'G'), 0},
        {std::string(256, 'G'), 61279},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewGroupRefusal(c.name, groups), c.refusal) << c.name;
}

TEST(NewGroupRules, TheTableTakes251Groups)
{
    AddressTable groups;
    for (int i = 0; i < 250; ++i)
        groups.push_back(MakeGroup("G" + std::to_string(i), Word16ElementType, CoilOrMultiWriteMode));
    EXPECT_EQ(NewGroupRefusal("NEW", groups), 0);
    groups.push_back(MakeGroup("NEW", Word16ElementType, CoilOrMultiWriteMode));
    EXPECT_EQ(NewGroupRefusal("NEXT", groups), 61277);
    EXPECT_EQ(NewGroupRefusal("NEW", groups), 61280);
}

TEST(DeviceNameRules, NamesThatCouldReplaceADeviceFileAreRefused)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string previous = ProgramFolder();
    SetProgramFolder(folder.path().toStdString());
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Device")));
    ASSERT_TRUE(WriteFileAtomically(DeviceTablePath("OnDisk"), "x"));

    const std::vector<std::string> listed = {"Listed"};
    const struct {
        std::string name;
        int refusal;
    } cases[] = {
        {"New", 0},
        {"listed", 0},
        {"\xC9\xE8\xB1\xB8", 0}, // Chinese
        {"\x81\x5C", 0},         // a GBK character whose second byte is "\"
        {"", 61281},
        {"Listed", 61282},
        {"OnDisk", 61282}, // not listed, but its file exists
        {"a/b", 61327},
        {"a\\b", 61327},
        {"a:b", 61327},
        {"a?b", 61327},
        {"a>b", 61327},
        {"a<b", 61327},
        {"a|b", 61327},
        {"a*b", 61327},
        {"a\"b", 61327},
        {"..", 61327},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeviceNameRefusal(c.name, listed), c.refusal) << c.name;
    EXPECT_EQ(DeviceNameRefusal("OnDisk", {}), 61282);

    SetProgramFolder(previous);
}
