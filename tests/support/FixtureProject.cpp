#include "support/FixtureProject.h"

#include "model/AlarmBlocks.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/elements/PanelKeys.h"
#include "support/TableGroups.h"

#include <memory>

namespace {

const std::string kCharacter = "\xB0\xA2"; // U+963F

template <typename Element> std::shared_ptr<Element> Bound(std::shared_ptr<Element> element,
    const std::string& group, const std::string& name)
{
    element->GroupName = group;
    element->ElementName = name;
    return element;
}

ScreenRecord Screen(int number, int up, int down, const std::string& description)
{
    ScreenRecord screen;
    screen.Number = number;
    screen.UpKeyScreen = up;
    screen.DownKeyScreen = down;
    screen.Description = description;
    return screen;
}

void Put(ScreenRecord& screen, const std::shared_ptr<CScreenElement>& element, int x, int y)
{
    element->SetPosition(x, y);
    screen.Elements.push_back({element->Kind(), element});
}

// Every element kind but the function key.
void AddDisplayElements(ScreenRecord& screen, bool useLibrary)
{
    if (useLibrary) {
        Put(screen, Bound(std::make_shared<CLampElement>(), "Coil", "C1"), 0, 0);
        auto lamp = Bound(std::make_shared<CLampElement>(), "Bits", "B2");
        lamp->SetShape(1);
        lamp->SetLogic(0);
        Put(screen, lamp, 16, 0);

        auto settable = Bound(std::make_shared<CRegisterElement>(), "Reg", "R0");
        settable->SetSettable(1);
        settable->SetEngineeringScale(1);
        Put(screen, settable, 32, 0);
        auto wide = Bound(std::make_shared<CRegisterElement>(), "DReg", "D0");
        wide->WordSize = 32;
        wide->RawUpper = -1;
        wide->SetSettable(1);
        Put(screen, wide, 80, 0);
    }
    auto unpolled = Bound(std::make_shared<CRegisterElement>(), "Reg", "R4");
    unpolled->SetStation(0);
    Put(screen, unpolled, 128, 0);

    auto bar = Bound(std::make_shared<CGraphElement>(0), "Reg", "R1");
    bar->SetSize(20, 30);
    Put(screen, bar, 0, 16);
    auto curve = Bound(std::make_shared<CGraphElement>(1), "DReg", "D2");
    curve->WordSize = 32;
    curve->SetSize(60, 30);
    Put(screen, curve, 24, 16);

    auto label = std::make_shared<CTextElement>(0);
    label->SetText("A" + kCharacter + "B");
    Put(screen, label, 90, 16);
    auto states = Bound(std::make_shared<CTextElement>(1), "Reg", "R3");
    states->AddState("OFF", "0");
    states->AddState(kCharacter + "ON", "1");
    Put(screen, states, 90, 32);
    auto flag = Bound(std::make_shared<CTextElement>(1), "Coil", "C3");
    flag->WordSize = 0;
    flag->AddState("no", "0");
    flag->AddState("yes", "1");
    Put(screen, flag, 90, 48);

    auto picture = std::make_shared<CPictureElement>();
    picture->SetSize(10, 12);
    std::vector<std::uint8_t> pixels(CPictureElement::kPixelStoreSize, 0xFF);
    std::fill_n(pixels.begin(), 40, 0);
    picture->SetPixelStore(pixels);
    Put(screen, picture, 150, 40);
}

std::shared_ptr<CFuncKeyElement> Key(int key, int action, const std::string& group, const std::string& element,
    int operation = 0)
{
    auto k = Bound(std::make_shared<CFuncKeyElement>(), group, element);
    k->SetKey(key);
    k->SetAction(action);
    k->SetCoilOperation(operation);
    k->AddressText = std::to_string(key + 10);
    k->RawLowAddress = key;
    return k;
}

// A key of every action: coil operations on coils and on bits in words, set
// register of one and two words, a jump, increment and decrement.
void AddKeys(ScreenRecord& screen)
{
    int key = 0;
    for (const std::string& group : {std::string("Coil"), std::string("Bits")})
        for (int operation = 0; operation <= 4; ++operation)
            Put(screen, Key(key++, CFuncKeyElement::SetCoil, group, group == "Coil" ? "C7" : "B9", operation), 0, 0);

    auto single = Key(key++, CFuncKeyElement::SetRegister, "Reg", "R5");
    single->WordSize = 16;
    single->SetValue = -2;
    Put(screen, single, 0, 0);
    auto wide = Key(key++, CFuncKeyElement::SetRegister, "DReg", "D1");
    wide->WordSize = 32;
    wide->SetValue = 0x01020304;
    Put(screen, wide, 0, 0);
    auto pair = Key(key++, CFuncKeyElement::SetRegister, "Reg", "R6");
    pair->WordSize = 16;
    pair->RegisterCount = 2;
    Put(screen, pair, 0, 0);

    auto jump = Key(key++, CFuncKeyElement::ScreenJump, "", "");
    jump->TargetScreen = 5;
    Put(screen, jump, 0, 0);

    auto up = Key(key++, CFuncKeyElement::Increment, "Reg", "R7");
    up->WordSize = 16;
    up->StepValue = 2;
    up->Limit = 100;
    Put(screen, up, 0, 0);
    auto down = Key(key++, CFuncKeyElement::Decrement, "DReg", "D3");
    down->WordSize = 32;
    down->SetDataFormat(2);
    down->StepValue = 5;
    down->Limit = -1000;
    down->SetPasswordProtected(1);
    Put(screen, down, 0, 0);
}

// A button of every function and coil action: jump, set coil on coils and on
// bits in words, set register of one and two words, increment, decrement.
void AddButtons(CVX50TextDoc& doc)
{
    int key = 0;
    const auto add = [&](int function, int action, const std::string& group, const std::string& element) {
        doc.GlobalButtons.push_back(FixtureButton(function, action, group, element));
        doc.GlobalButtons.back().KeyCode = key++;
        return &doc.GlobalButtons.back();
    };
    add(0, 0, "Coil", "C0");
    doc.GlobalButtons.back().JumpScreen = 2;
    for (const std::string& group : {std::string("Coil"), std::string("Bits")})
        for (int action = 0; action <= 4; action += group == "Coil" ? 1 : 2)
            add(1, action, group, group == "Coil" ? "C11" : "B12");
    add(2, 0, "Reg", "R8")->Value = 0x1234;
    add(2, 0, "DReg", "D4")->Value = -7;
    GlobalButton* up = add(3, 0, "Reg", "R9");
    up->Step = 3;
    up->Limit = 900;
    up->Flags = GlobalButton::ProtectedFlag;
    up->UserLevel = 1;
    GlobalButton* down = add(4, 0, "DReg", "D5");
    down->DisplayFormat = 2;
    down->Step = 10;
    down->Limit = -50;
    down->Port = 1;
}

void AddAlarms(CVX50TextDoc& doc)
{
    AlarmSegment coils{"1", "0", "Coil", "4", 1, {}};
    for (int k = 0; k < 16; ++k)
        coils.Entries.push_back({"C" + std::to_string(4 + k), k == 3 ? kCharacter + "hot" : "alarm"});
    coils.Entries.push_back({});
    AlarmSegment bits{"2", "1", "Bits", "3", 2, {}};
    for (int k = 0; k < 5; ++k)
        bits.Entries.push_back({"B" + std::to_string(3 + k), "bit " + std::to_string(k)});
    bits.Entries.push_back({});
    doc.AlarmSegments = {coils, bits};
    doc.AlarmBlocks = BuildAlarmBlocks(doc.AlarmSegments, doc.AddressTable);
}

void AddCopyRegisters(CVX50TextDoc& doc)
{
    CopyRegGroup first;
    first.SourceStation = 2;
    first.SourceGroupName = "Reg";
    first.SourceStartElement = "R10";
    first.ElementCount = 4;
    first.SourcePort = 1;
    first.Targets = {{3, 1, "R12", "Reg"}, {4, 0, "R14", "Reg"}, {5, 0, "R16", "Reg"}};
    CopyRegGroup second;
    second.GroupNumber = 1;
    second.SourceStation = 6;
    second.SourceGroupName = "Reg";
    second.SourceStartElement = "R0";
    second.ElementCount = 1;
    second.Targets = {{7, 1, "R18", "Reg"}};
    doc.CopyRegGroups = {first, second};
}

} // namespace

void FillFixtureProject(CVX50TextDoc& doc, bool useLibrary)
{
    doc.AddressTable = FixtureAddressTable();
    doc.DeviceName = "PN07";
    doc.ProtocolLibraryName = "ModBus Slave.dll";
    doc.TableEditable = 0;
    doc.CommBufferLength = 30;
    doc.UseProtocolLibrary = useLibrary ? 1 : 0;

    doc.Screens = {Screen(1, 5, 2, "Main"), Screen(2, 1, 5, "Keys " + kCharacter), Screen(5, 2, 1, "Last")};
    AddDisplayElements(doc.Screens[0], useLibrary);
    AddKeys(doc.Screens[1]);
    doc.CurrentScreenNumber = 2;
    doc.WorkingElements = doc.Screens[1].Elements;

    AddButtons(doc);
    AddAlarms(doc);
    AddCopyRegisters(doc);
    doc.PasswordTable = {{0, 1, "1234"}, {2, 3, "0099"}};
    doc.HighestPasswordLevel = 3;

    PanelSettings& panel = doc.Panel;
    panel.MainScreen = 1;
    panel.ScreenSaverIndex = 3;
    panel.ShowSaverScreen = 1;
    panel.SaverScreen = 5;
    panel.AutoScreenSwitch = 1;
    panel.ReportScreen = 1;
    panel.ClearAfterSwitch = 1;
    panel.ControlGroupName = "Reg";
    panel.ControlElementName = "R15";
    panel.PanelStation = 3;
    doc.Rs485Port = {38400, 2, 8, 1};
    doc.Com1Port = {9600, 1, 7, 2};
}

AddressTable FixtureAddressTable()
{
    std::vector<DeviceElement> coils, bits, words, wide;
    for (int a = 0; a < 32; ++a)
        coils.push_back({"C" + std::to_string(a), a, 0});
    for (int b = 0; b < 16; ++b)
        bits.push_back({"B" + std::to_string(b), 50, b});
    for (int a = 0; a < 20; ++a)
        words.push_back({"R" + std::to_string(a), 100 + a, 0});
    words.push_back({"RTop", 0xFFFF, 0});
    for (int a = 0; a < 10; ++a)
        wide.push_back({"D" + std::to_string(a), 200 + 2 * a, 0});
    wide.push_back({"DTop", 0xFFFF, 0});
    return {MakeGroup("Coil", BitElementType, CoilOrMultiWriteMode, coils),
        MakeGroup("Bits", BitElementType, WordBitMode, bits),
        MakeGroup("Reg", Word16ElementType, SingleWriteMode, words),
        MakeGroup("DReg", Word32ElementType, CoilOrMultiWriteMode, wide, 2)};
}

GlobalButton FixtureButton(int function, int coilAction, const std::string& group, const std::string& element)
{
    GlobalButton button;
    button.Function = static_cast<std::uint8_t>(coilAction << 5 | function << 2);
    button.GroupName = group;
    button.ElementName = element;
    button.ElementType = group == "Reg" ? Word16ElementType : group == "DReg" ? Word32ElementType : BitElementType;
    return button;
}
