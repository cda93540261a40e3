#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/CVX50TextDoc.h"
#include "model/PasswordLevels.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<CFuncKeyElement> ProtectedKey(int level)
{
    auto key = std::make_shared<CFuncKeyElement>();
    key->SetPasswordProtected(1);
    key->PasswordLevel = level;
    return key;
}

std::shared_ptr<CRegisterElement> ProtectedRegister(int level)
{
    auto reg = std::make_shared<CRegisterElement>();
    reg->SetPasswordProtected(1);
    reg->PasswordLevel = level;
    return reg;
}

GlobalButton ProtectedButton(int level)
{
    GlobalButton button;
    button.Flags = GlobalButton::ProtectedFlag;
    button.UserLevel = level;
    return button;
}


} // namespace

TEST(PasswordLevels, LevelsAboveTheCountDropToTheFirstUnprotected)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    const auto keyHigh = ProtectedKey(2);
    const auto keyMiddle = ProtectedKey(1);
    const auto regHigh = ProtectedRegister(2);
    ScreenRecord second;
    second.Number = 2;
    second.Elements = {{KindRegister, regHigh}};
    doc.Screens.push_back(second);
    doc.WorkingElements = {{KindFuncKey, keyHigh}, {KindFuncKey, keyMiddle}};
    doc.GlobalButtons = {ProtectedButton(2), ProtectedButton(1)};
    doc.HighestPasswordLevel = 2;

    ApplyPasswordLevelCount(doc);

    EXPECT_EQ(keyHigh->PasswordLevel, 0);
    EXPECT_EQ(keyHigh->IsPasswordProtected(), 0);
    EXPECT_EQ(keyMiddle->PasswordLevel, 1);
    EXPECT_EQ(keyMiddle->IsPasswordProtected(), 1);
    EXPECT_EQ(regHigh->PasswordLevel, 0);
    EXPECT_EQ(regHigh->IsPasswordProtected(), 0);
    EXPECT_EQ(doc.GlobalButtons[0].UserLevel, 0);
    EXPECT_EQ(doc.GlobalButtons[0].Flags & GlobalButton::ProtectedFlag, 0);
    EXPECT_EQ(doc.GlobalButtons[1].UserLevel, 1);
    EXPECT_NE(doc.GlobalButtons[1].Flags & GlobalButton::ProtectedFlag, 0);
    // The working list was committed into the edited screen first.
    EXPECT_EQ(doc.Screens[0].Elements.size(), 2u);
    EXPECT_TRUE(ui.Called("PasswordLevelsChanged"));
}

TEST(PasswordLevels, EmptyTableUnprotectsEverything)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    const auto key = ProtectedKey(0);
    const auto reg = ProtectedRegister(0);
    doc.WorkingElements = {{KindFuncKey, key}, {KindRegister, reg}};
    doc.GlobalButtons = {ProtectedButton(0)};
    doc.HighestPasswordLevel = 0;

    ApplyPasswordLevelCount(doc);

    EXPECT_EQ(key->IsPasswordProtected(), 0);
    EXPECT_EQ(reg->IsPasswordProtected(), 0);
    EXPECT_EQ(doc.GlobalButtons[0].Flags & GlobalButton::ProtectedFlag, 0);
}
