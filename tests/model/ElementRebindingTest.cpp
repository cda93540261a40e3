#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "model/ElementRebinding.h"
#include "base/GbkText.h"
#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"

#include <gtest/gtest.h>

TEST(ElementRebinding, DeviceChangeResetsEveryAddressBinding)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    doc.AddressTable = {MakeGroup("M", BitElementType, CoilOrMultiWriteMode),
                        MakeGroup("D", Word16ElementType, CoilOrMultiWriteMode)};
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
    EXPECT_TRUE(ui.Called("ElementAddressesRebound"));
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
    EXPECT_TRUE(ui.Called("ElementAddressesRebound"));
}

TEST(ElementRebinding, ProjectWithoutElementsLeavesThePages)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc;
    doc.DeviceChange = 1;
    RebindAllElements(doc);
    EXPECT_FALSE(ui.Called("ElementAddressesRebound"));
}
