#include "model/CFuncKeyElement.h"
#include "model/CGraphElement.h"
#include "model/CLampElement.h"
#include "model/CRegisterElement.h"
#include "model/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "model/ElementRebinding.h"
#include "model/GbkText.h"
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

bool Contains(const std::vector<std::string>& calls, const std::string& call)
{
    return std::find(calls.begin(), calls.end(), call) != calls.end();
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
    EXPECT_TRUE(Contains(ui.calls, "PasswordLevelsChanged"));
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

TEST(ElementRebinding, DeviceChangeResetsEveryAddressBinding)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    ElementGroup bits;
    bits.name = "M";
    bits.elementType = BitElementType;
    ElementGroup words;
    words.name = "D";
    words.elementType = Word16ElementType;
    doc.AddressTable = {bits, words};
    doc.DeviceChange = 1;

    auto coilKey = std::make_shared<CFuncKeyElement>();
    coilKey->SetAction(0);
    auto registerKey = std::make_shared<CFuncKeyElement>();
    registerKey->SetAction(3);
    registerKey->RawLowAddress = 7;
    auto lamp = std::make_shared<CLampElement>();
    auto reg = std::make_shared<CRegisterElement>();
    auto bitText = std::make_shared<CTextElement>(1);
    bitText->WordSize = 0;
    auto staticText = std::make_shared<CTextElement>(0);
    auto bar = std::make_shared<CGraphElement>(0);
    auto curve = std::make_shared<CGraphElement>(1);
    for (auto* e : {&coilKey->GroupName, &registerKey->GroupName, &lamp->GroupName, &reg->GroupName,
                    &bitText->GroupName, &staticText->GroupName, &bar->GroupName, &curve->GroupName})
        *e = "OLD";
    lamp->ElementName = "OLD0";
    doc.WorkingElements = {{KindFuncKey, coilKey}, {KindFuncKey, registerKey}, {KindLamp, lamp},
                           {KindRegister, reg},    {KindText, bitText},        {KindText, staticText},
                           {KindGraph, bar},       {KindGraph, curve}};

    RebindAllElements(doc);

    EXPECT_EQ(coilKey->GroupName, "M");
    EXPECT_EQ(coilKey->WordSize, 0);
    EXPECT_EQ(registerKey->GroupName, "D");
    EXPECT_EQ(registerKey->TypeText, GbkFromUtf8("16位字元件"));
    EXPECT_EQ(registerKey->RawLowAddress, 0);
    EXPECT_EQ(lamp->GroupName, "");
    EXPECT_EQ(lamp->ElementName, "");
    EXPECT_EQ(lamp->TypeText, GbkFromUtf8("位元件"));
    EXPECT_EQ(reg->GroupName, "");
    EXPECT_EQ(reg->WordSize, 16);
    EXPECT_EQ(bitText->GroupName, "");
    EXPECT_EQ(bitText->WordSize, 0);
    EXPECT_EQ(staticText->GroupName, "OLD");
    EXPECT_EQ(bar->GroupName, "");
    EXPECT_EQ(curve->GroupName, "D");
    EXPECT_TRUE(Contains(ui.calls, "ElementAddressesRebound"));
}

TEST(ElementRebinding, TableEditKeepsBindings)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    auto lamp = std::make_shared<CLampElement>();
    lamp->GroupName = "M";
    lamp->ElementName = "M0";
    doc.WorkingElements = {{KindLamp, lamp}};
    doc.DeviceChange = 0;

    RebindAllElements(doc);

    EXPECT_EQ(lamp->GroupName, "M");
    EXPECT_EQ(lamp->ElementName, "M0");
    EXPECT_TRUE(Contains(ui.calls, "ElementAddressesRebound"));
}
