// Function-key records: the key in the panel's numbering, the action code
// and the device commands each action carries.

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "transfer/image/ImageFixture.h"

using namespace image_test;
using ::testing::ElementsAre;

namespace {

using FuncKeyRecords = ImageTest;

std::shared_ptr<CFuncKeyElement> Key(int action, const std::string& group, const std::string& element,
    int operation = 0)
{
    auto key = std::make_shared<CFuncKeyElement>();
    Bind(*key, group, element);
    key->SetAction(action);
    key->SetCoilOperation(operation);
    return key;
}

TEST(PanelKeyTable, GlobalKeyCodes)
{
    EXPECT_EQ(GlobalKeyCode(KeyF1), 22);
    EXPECT_EQ(GlobalKeyCode(KeyDigit0), 18);
    EXPECT_EQ(GlobalKeyCode(KeyEsc), 13);
    EXPECT_EQ(GlobalKeyCode(KeyAlm), 9);
    EXPECT_EQ(GlobalKeyCode(24), -1);
    EXPECT_EQ(GlobalKeyNameId(0), 61314); // '3'
    EXPECT_EQ(GlobalKeyNameId(23), 61305); // up arrow
    EXPECT_EQ(GlobalKeyNameId(24), 0);
    for (int key = 0; key < kPanelKeyCount; ++key)
        EXPECT_EQ(KeyFromPanelCode(GlobalKeyCode(key)), key);
}

TEST_F(FuncKeyRecords, SetCoilCarriesItsWrite)
{
    auto key = Add(Key(CFuncKeyElement::SetCoil, "Coil", "C5"));
    key->SetPosition(8, 9);
    key->SetKey(KeyF1);
    key->WordSize = 16;
    auto data = Build();
    ASSERT_TRUE(data);
    auto bytes = ElementBytes(*data);
    EXPECT_THAT(std::vector(bytes.begin(), bytes.begin() + 9), ElementsAre(7, 8, 9, 0, 22, 0x00, 0, 0, 2));
    // Modbus write single coil 5 on: 01 05 00 05 FF 00 + CRC.
    EXPECT_THAT(std::vector(bytes.begin() + 9, bytes.begin() + 16), ElementsAre(8, 1, 5, 0, 5, 0xFF, 0));
    EXPECT_EQ(bytes.size(), 18u);

    key->SetCoilOperation(1);
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[8], 18);
    EXPECT_EQ(bytes[14], 0x00);
}

TEST_F(FuncKeyRecords, FlagsByte)
{
    auto key = Add(Key(CFuncKeyElement::Decrement, "Reg", "R1"));
    key->WordSize = 16;
    key->SetDataFormat(2);
    key->SetInverse(1);
    key->SetHandIcon(1);
    key->SetInvisible(1);
    key->SetDoubleSize(1);
    key->SetPasswordProtected(1);
    key->PasswordLevel = 2;
    key->Limit = -5;
    key->StepValue = 3;
    const auto data = Build();
    ASSERT_TRUE(data);
    const auto bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[3], 3);
    EXPECT_EQ(bytes[5], 0x01 | 0x02 | 0x04 | 0x08 | 0x60 | 0x80);
    EXPECT_EQ(bytes[6], 2);
    EXPECT_EQ(bytes[7], 8);
    // Step record: [count code][limit][step][read][out1][out4][write][out1][out4].
    EXPECT_THAT(std::vector(bytes.begin() + 8, bytes.begin() + 13), ElementsAre(2, 0xFB, 0xFF, 3, 0));
    EXPECT_EQ(bytes[13], 8);                  // read of one register
    EXPECT_EQ(bytes[13 + 1 + 8 + 2], 8);      // write of one register
    EXPECT_THAT(std::vector(bytes.end() - 2, bytes.end()), ElementsAre(0, 4));
}

TEST_F(FuncKeyRecords, SetRegisterValueBytesFollowTheWordOrder)
{
    auto key = Add(Key(CFuncKeyElement::SetRegister, "DReg", "D0"));
    key->WordSize = 32;
    key->SetValue = 0x0A0B0C0D;
    auto data = Build();
    ASSERT_TRUE(data);
    auto bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[8], 8 * 1 + 2 * 2 + 0); // set register, 32 bits, register count 1
    // Write multiple registers: 01 10 00 C8 00 02 04, then the values.
    EXPECT_EQ(bytes[9], 13);
    EXPECT_THAT(std::vector(bytes.begin() + 17, bytes.begin() + 21), ElementsAre(0x0C, 0x0D, 0x0A, 0x0B));

    doc.HighFront = 1;
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_THAT(std::vector(bytes.begin() + 17, bytes.begin() + 21), ElementsAre(0x0A, 0x0B, 0x0C, 0x0D));

    key->WordSize = 16;
    key->RegisterCount = 1;
    key->SetValue = 0x1234;
    Bind(*key, "Reg", "R0");
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_THAT(std::vector(bytes.begin() + 9, bytes.begin() + 16), ElementsAre(8, 1, 6, 0, 100, 0x12, 0x34));
}

TEST_F(FuncKeyRecords, CoilToggleAndMomentary)
{
    auto key = Add(Key(CFuncKeyElement::SetCoil, "Coil", "C19", 2));
    auto data = Build();
    ASSERT_TRUE(data);
    auto bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[7], 1);
    // Read of 16 coils from 16, then bit 3 of reply byte 3.
    EXPECT_THAT(std::vector(bytes.begin() + 8, bytes.begin() + 15), ElementsAre(8, 1, 1, 0, 16, 0, 16));
    EXPECT_THAT(std::vector(bytes.begin() + 17, bytes.begin() + 19), ElementsAre(3, 3));
    EXPECT_EQ(bytes[19 + 5], 0x00);
    EXPECT_EQ(bytes[28 + 5], 0xFF);

    key->SetCoilOperation(4); // momentary OFF: press writes 0, release 1
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[7], 3);
    EXPECT_EQ(bytes[8 + 5], 0x00);
    EXPECT_EQ(bytes[17 + 5], 0xFF);
}

TEST_F(FuncKeyRecords, BitsInsideWords)
{
    auto key = Add(Key(CFuncKeyElement::SetCoil, "Bits", "B3", 2));
    auto data = Build();
    ASSERT_TRUE(data);
    auto bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[7], 5);
    // [read][out1][out4][bit][write zero][out4][write mask][out4]
    EXPECT_EQ(bytes[8], 8);
    EXPECT_THAT(std::vector(bytes.begin() + 17, bytes.begin() + 20), ElementsAre(0, 3, 3));
    EXPECT_THAT(std::vector(bytes.begin() + 25, bytes.begin() + 27), ElementsAre(0, 0));
    EXPECT_THAT(std::vector(bytes.begin() + 35, bytes.begin() + 37), ElementsAre(0x08, 0x00));
    EXPECT_EQ(bytes.back(), 4);

    key->SetCoilOperation(0); // ON: the mask is written, then 1
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[7], 4);
    EXPECT_THAT(std::vector(bytes.begin() + 25, bytes.begin() + 27), ElementsAre(0x08, 0x00));
    EXPECT_THAT(std::vector(bytes.end() - 2, bytes.end()), ElementsAre(4, 1));

    key->SetCoilOperation(3); // momentary ON: the press writes the mask
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_EQ(bytes[7], 6);
    EXPECT_THAT(std::vector(bytes.begin() + 25, bytes.begin() + 27), ElementsAre(0x08, 0x00));
    EXPECT_THAT(std::vector(bytes.begin() + 35, bytes.begin() + 37), ElementsAre(0x00, 0x00));
}

TEST_F(FuncKeyRecords, JumpNeedsOnlyItsTarget)
{
    AddScreen(40);
    auto key = Add(Key(CFuncKeyElement::ScreenJump, "", ""));
    key->TargetScreen = 40;
    auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_THAT(ElementBytes(*data), ElementsAre(7, 0, 0, 0, 13, 0x10, 0xFF, 2, 39, 0));

    key->TargetScreen = 41;
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessage 61261", "GoToElement 0 0 0"));
}

TEST_F(FuncKeyRecords, WithoutTheLibraryKeysKeepPlainAddresses)
{
    doc.UseProtocolLibrary = 0;
    auto key = Add(Key(CFuncKeyElement::SetCoil, "Coil", "C1"));
    key->AddressText = "33";
    key->RawLowAddress = 4;
    auto data = Build();
    ASSERT_TRUE(data);
    auto bytes = ElementBytes(*data);
    EXPECT_EQ(bytes.size(), 12u);
    EXPECT_THAT(std::vector(bytes.begin() + 7, bytes.end()), ElementsAre(7, 0, 33, 4, 0xFF));

    key->SetCoilOperation(2);
    data = Build();
    ASSERT_TRUE(data);
    EXPECT_EQ(ElementBytes(*data).size(), 11u);

    key->SetAction(CFuncKeyElement::SetRegister);
    key->RegisterCount = 2;
    key->SetValue = -2;
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_THAT(std::vector(bytes.begin() + 8, bytes.end()), ElementsAre(1, 33, 1, 0xFE, 0xFF, 0xFF, 0xFF));
    key->RegisterCount = 1;
    key->SetValue = -300;
    data = Build();
    ASSERT_TRUE(data);
    bytes = ElementBytes(*data);
    EXPECT_THAT(std::vector(bytes.begin() + 8, bytes.end()), ElementsAre(1, 33, 0, 0xD4, 0xFE));
}

TEST_F(FuncKeyRecords, SetRegisterNeedsAWriteItsValueFits)
{
    // A bit element's word size 0 with one register fits neither write: the
    // record would end after its descriptor, so the key is refused.
    auto key = Add(Key(CFuncKeyElement::SetRegister, "Reg", "R0"));
    key->WordSize = 0;
    EXPECT_FALSE(Build());
    EXPECT_THAT(ui.calls, ElementsAre("ShowMessageText", "GoToElement 0 0 0"));
    // The message names the word size, not the address, as the cause.
    EXPECT_EQ(ui.messages[0].gbkText, "Main" + GbkFromUtf8("上的设定寄存器按钮字长有错!"));

    // With two registers it writes two words.
    key->RegisterCount = 2;
    const auto data = Build();
    ASSERT_TRUE(data);
    EXPECT_EQ(ElementBytes(*data)[9], 13);
}

TEST_F(FuncKeyRecords, Failures)
{
    struct Case {
        std::shared_ptr<CFuncKeyElement> key;
        std::vector<std::string> calls;
    };
    auto badStation = [](std::shared_ptr<CFuncKeyElement> key) {
        key->SetStation(300); // the Modbus library refuses it
        return key;
    };
    auto step = Key(CFuncKeyElement::Increment, "Reg", "R0");
    step->WordSize = 16;
    step->StepValue = 10;
    step->Limit = 5;
    auto setRegister = Key(CFuncKeyElement::SetRegister, "Reg", "R0");
    setRegister->WordSize = 16;
    const std::vector<Case> cases = {
        {Key(CFuncKeyElement::SetCoil, "Coil", "nothing"), {"ShowMessageText", "GoToElement 0 0 0"}},
        {badStation(Key(CFuncKeyElement::SetCoil, "Coil", "C0")), {"GoToElement 0 0 0", "ShowMessage 61259"}},
        {badStation(Key(CFuncKeyElement::SetCoil, "Coil", "C0", 2)), {"GoToElement 0 0 0", "ShowMessage 61255"}},
        {badStation(Key(CFuncKeyElement::SetCoil, "Bits", "B0", 2)), {"GoToElement 0 0 0", "ShowMessage 61256"}},
        {badStation(setRegister), {"GoToElement 0 0 0", "ShowMessage 61245"}},
        {step, {"ShowMessage 61390"}},
    };
    for (const Case& c : cases) {
        Screen().Elements.clear();
        ui.calls.clear();
        Add(c.key);
        EXPECT_FALSE(Build());
        EXPECT_EQ(ui.calls, c.calls);
    }
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].gbkText, "Main" + GbkFromUtf8("上的按钮地址有错!"));

    // A decrement, or a signed increment, has no such limit test.
    step->SetAction(CFuncKeyElement::Decrement);
    Screen().Elements = {{KindFuncKey, step}};
    EXPECT_TRUE(Build());
    step->SetAction(CFuncKeyElement::Increment);
    step->SetDataFormat(2);
    EXPECT_TRUE(Build());
}

} // namespace
