// The global-buttons dialog on the offscreen platform: adding up to sixteen
// buttons, deleting, the functions and their layouts, the address lists,
// station and jump screen, protection, the number boxes, and what OK and
// Cancel leave in the document.

#include "StringIds.h"
#include "base/GbkText.h"
#include "devices/ElementTypeText.h"
#include "model/CVX50TextDoc.h"
#include "settings/GlobalButtonRules.h"
#include "settings/ui/CGlobalButtonDlg.h"
#include "settings/ui/CKeySelectDlg.h"
#include "support/DialogTesting.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TableGroups.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/CStepEdit.h"
#include "widgets/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

namespace {

AddressTable Table()
{
    return {MakeGroup("M", BitElementType, 1, {{"M0", 0, 0}, {"M1", 1, 0}}),
            MakeGroup("X", BitElementType, 0, {{"X0", 0, 0}}),
            MakeGroup("D", Word16ElementType, 2, {{"D0", 0x100, 0}, {"D1", 0x101, 0}, {"D5", 0x105, 0}}),
            MakeGroup("N", Word16ElementType, 1, {{"N0", 0, 0}}),
            MakeGroup("DD", Word32ElementType, 1, {{"DD0", 0, 0}})};
}

QLineEdit* Box(QWidget& dialog, const char* name)
{
    return NamedChild<CStepEdit>(dialog, QString::fromLatin1(name))->Edit();
}

// Clicks the dialog's Add button.
void ClickAdd(QDialog& dialog)
{
    ClickButton(NamedChild<QPushButton>(dialog, "add"));
}

// Clicks the dialog's Delete button.
void ClickDelete(QDialog& dialog)
{
    ClickButton(NamedChild<QPushButton>(dialog, "delete"));
}

// Whether `widget` shows when its dialog does.
bool Shown(QWidget& dialog, QWidget* widget)
{
    return widget->isVisibleTo(&dialog);
}

// The editor's user interface with the fixture table; the next key
// selections take the first key offered.
struct ButtonEditor : GuiEditor {
    ButtonEditor()
    {
        document.AddressTable = Table();
        document.DefaultStation = 3;
        document.DefaultPort = 1;
    }

    void ScriptKeys(int count)
    {
        for (int i = 0; i < count; ++i)
            ui->dialogs.push_back([](QDialog& dialog) {
                dynamic_cast<CKeySelectDlg&>(dialog).show();
                ClickOk(dialog);
                return dialog.result();
            });
    }

    // A dialog with one button of `function`, 16-bit register D0 unless a
    // coil, in `format`.
    GlobalButton Button(int function, NumberFormat format = NumberFormat::Unsigned) const
    {
        GlobalButton button;
        SetButtonFunction(button, function);
        const bool coil = function == SetCoilFunction || function == JumpFunction;
        button.ElementType = coil ? 0 : 16;
        button.TypeText = ElementTypeText(button.ElementType);
        button.GroupName = coil ? "M" : "D";
        button.ElementName = coil ? "M0" : "D0";
        button.DisplayFormat = static_cast<std::uint8_t>(format);
        button.KeyCode = 22;
        return button;
    }
};

} // namespace

class GlobalButtonDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path())); }

    void addsSixteenButtonsAndRefusesTheSeventeenth()
    {
        ButtonEditor editor;
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("全局按钮"));
        QVERIFY(!NamedChild<QGroupBox>(dialog, "frame")->isEnabled());
        QVERIFY(!NamedChild<QRadioButton>(dialog, "function0")->isEnabled());

        editor.ScriptKeys(17);
        ClickAdd(dialog);
        auto* keys = NamedChild<QComboBox>(dialog, "keys");
        QCOMPARE(keys->count(), 1);
        QCOMPARE(keys->currentText(), QStringLiteral("'F1'键"));
        QVERIFY(NamedChild<QGroupBox>(dialog, "frame")->isEnabled());
        QCOMPARE(NamedChild<QGroupBox>(dialog, "frame")->title(), QStringLiteral("线圈"));
        QVERIFY(NamedChild<QRadioButton>(dialog, "function1")->isChecked());
        QVERIFY(NamedChild<QRadioButton>(dialog, "coil0")->isChecked());
        QVERIFY(NamedChild<QRadioButton>(dialog, "com1")->isChecked());
        QCOMPARE(Box(dialog, "station")->text(), QStringLiteral("3"));
        QCOMPARE(NamedChild<QComboBox>(dialog, "type")->currentText(), QStringLiteral("位元件"));
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->currentText(), QStringLiteral("M"));
        QCOMPARE(NamedChild<CElementNameCombo>(dialog, "element")->currentText(), QStringLiteral("M0"));
        QCOMPARE(Box(dialog, "value")->text(), QStringLiteral("65535"));
        QCOMPARE(Box(dialog, "step")->text(), QStringLiteral("0"));
        QCOMPARE(Box(dialog, "limit")->text(), QStringLiteral("0"));
        QVERIFY(Shown(dialog, NamedChild<QRadioButton>(dialog, "coil4")));
        QVERIFY(!Shown(dialog, NamedChild<CSpinEdit>(dialog, "jumpScreen")));
        QVERIFY(!Shown(dialog, NamedChild<QComboBox>(dialog, "format")));

        for (int i = 1; i < 16; ++i)
            ClickAdd(dialog);
        QCOMPARE(editor.ui->dialogsRun, 16);
        QCOMPARE(keys->count(), 16);
        QVERIFY(editor.ui->shown.isEmpty());
        ClickAdd(dialog);
        QCOMPARE(editor.ui->dialogsRun, 16); // no key selection
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("全局按钮已达到最大数量!")});
        QCOMPARE(keys->count(), 16);

        ClickOk(dialog);
        QCOMPARE(editor.document.GlobalButtons.size(), std::size_t(16));
        QCOMPARE(editor.document.SelectedGlobalButton, 15);
        QCOMPARE(editor.document.ProjectModified, 1);
        std::set<int> codes;
        for (const GlobalButton& button : editor.document.GlobalButtons)
            codes.insert(button.KeyCode);
        QCOMPARE(codes.size(), std::size_t(16));
        const GlobalButton& first = editor.document.GlobalButtons.front();
        QCOMPARE(first.KeyCode, 22);
        QCOMPARE(int(first.Function), 4);
        QCOMPARE(first.Station, 3);
        QCOMPARE(first.Port, 1);
        QCOMPARE(first.GroupName, std::string("M"));
        QCOMPARE(first.ElementName, std::string("M0"));
        QCOMPARE(first.TypeText, GbkFromUtf8("位元件"));
    }

    void withoutBitGroupsANewButtonHasNoAddress()
    {
        ButtonEditor editor;
        editor.document.AddressTable = {MakeGroup("D", Word16ElementType, 2, {{"D0", 0, 0}})};
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        editor.ScriptKeys(1);
        ClickAdd(dialog);
        ClickOk(dialog);
        QCOMPARE(editor.document.GlobalButtons.front().GroupName, std::string());
        QCOMPARE(editor.document.GlobalButtons.front().ElementName, std::string());
    }

    void cancelAfterAddAndDeleteLeavesTheButtons()
    {
        ScriptedEditor editor;
        editor.document.GlobalButtons.resize(2);
        editor.document.GlobalButtons[1].KeyCode = 4;
        const std::vector<GlobalButton> before = editor.document.GlobalButtons;
        editor.document.ProjectModified = 0;
        editor.ui->dialogs.push_back([&editor](QDialog& dialog) {
            ShowActive(dynamic_cast<CGlobalButtonDlg&>(dialog));
            ClickAdd(dialog);
            editor.ui->answers = {IdYes};
            ClickDelete(dialog);
            ClickDelete(dialog);
            ClickCancel(dialog);
            return dialog.result();
        });
        editor.ui->dialogs.push_back([](QDialog& dialog) {
            dynamic_cast<CKeySelectDlg&>(dialog).show();
            ClickOk(dialog);
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::GlobalButtons);
        QCOMPARE(editor.ui->dialogsRun, 2);
        QVERIFY(editor.document.GlobalButtons == before);
        QCOMPARE(editor.document.ProjectModified, 0);
    }

    void deleteAsksAndSelectsTheButtonBefore()
    {
        ButtonEditor editor;
        editor.document.GlobalButtons = {editor.Button(JumpFunction), editor.Button(JumpFunction),
                                         editor.Button(JumpFunction)};
        editor.document.GlobalButtons[1].KeyCode = 16;
        editor.document.GlobalButtons[2].KeyCode = 10;
        editor.document.SelectedGlobalButton = 7; // names no button: the first
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        auto* keys = NamedChild<QComboBox>(dialog, "keys");
        QCOMPARE(keys->currentIndex(), 0);
        ChooseText(keys, QStringLiteral("'F3'键"));

        editor.ui->answers = {IdNo};
        ClickDelete(dialog);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("您是否要删除当前按钮吗？")});
        QCOMPARE(keys->count(), 3);
        editor.ui->answers = {IdYes};
        ClickDelete(dialog);
        QCOMPARE(keys->count(), 2);
        QCOMPARE(keys->currentText(), QStringLiteral("'F2'键"));

        editor.ui->answers = {IdYes, IdYes};
        ClickDelete(dialog);
        ClickDelete(dialog);
        QCOMPARE(keys->count(), 0);
        QVERIFY(!NamedChild<QGroupBox>(dialog, "frame")->isEnabled());
        QCOMPARE(Box(dialog, "station")->text(), QStringLiteral("3")); // a new button's values
        QCOMPARE(Box(dialog, "value")->text(), QStringLiteral("65535"));
        editor.ui->shown.clear();
        ClickDelete(dialog);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("没有可删除的记录!")});
        ClickOk(dialog);
        QVERIFY(editor.document.GlobalButtons.empty());
        QCOMPARE(editor.document.SelectedGlobalButton, 0);
    }

    void protectionNeedsAPasswordTable()
    {
        ButtonEditor editor;
        editor.document.GlobalButtons = {editor.Button(SetRegisterFunction)};
        {
            CGlobalButtonDlg dialog(editor.document, nullptr);
            ShowActive(dialog);
            auto* protect = NamedChild<QCheckBox>(dialog, "protect");
            ClickButton(protect);
            QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("请先设置密码(等级)!")});
            QVERIFY(!protect->isChecked());
            QCOMPARE(NamedChild<QComboBox>(dialog, "level")->currentText(), QStringLiteral("无密码"));
            ClickOk(dialog);
            QCOMPARE(editor.document.GlobalButtons[0].Flags & GlobalButton::ProtectedFlag, 0);
        }
        editor.document.PasswordTable = {{0, 2, "1234"}};
        editor.document.HighestPasswordLevel = 2;
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        auto* protect = NamedChild<QCheckBox>(dialog, "protect");
        auto* level = NamedChild<QComboBox>(dialog, "level");
        QCOMPARE(level->count(), 2);
        QVERIFY(!level->isEnabled());
        ClickButton(protect);
        QVERIFY(protect->isChecked());
        QVERIFY(level->isEnabled());
        ChooseText(level, QStringLiteral("中级"));
        ClickOk(dialog);
        QCOMPARE(editor.document.GlobalButtons[0].Flags & GlobalButton::ProtectedFlag, int(GlobalButton::ProtectedFlag));
        QCOMPARE(editor.document.GlobalButtons[0].UserLevel, 1);

        CGlobalButtonDlg again(editor.document, nullptr);
        ShowActive(again);
        auto* shownLevel = NamedChild<QComboBox>(again, "level");
        QCOMPARE(shownLevel->currentText(), QStringLiteral("中级"));
        ClickButton(NamedChild<QCheckBox>(again, "protect"));
        QVERIFY(!shownLevel->isEnabled());
        QCOMPARE(shownLevel->currentIndex(), 0);
        ClickOk(again);
        QCOMPARE(editor.document.GlobalButtons[0].Flags & GlobalButton::ProtectedFlag, 0);
        QCOMPARE(editor.document.GlobalButtons[0].UserLevel, 0);
    }

    void stationZeroOnlyWhereTheGroupTakesIt()
    {
        ButtonEditor editor;
        GlobalButton reg = editor.Button(SetRegisterFunction);
        reg.GroupName = "N";
        reg.ElementName = "N0";
        GlobalButton coil = editor.Button(SetCoilFunction);
        coil.KeyCode = 16;
        editor.document.GlobalButtons = {reg, coil};
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        QLineEdit* station = Box(dialog, "station");
        EnterText(station, QStringLiteral("0"));
        QVERIFY(editor.ui->shown.isEmpty());

        ChooseText(NamedChild<QComboBox>(dialog, "keys"), QStringLiteral("'F2'键"));
        EnterText(station, QStringLiteral("0")); // set coil ON on a coil group
        QVERIFY(editor.ui->shown.isEmpty());
        EnterText(station, QStringLiteral("5"));
        ClickButton(NamedChild<QRadioButton>(dialog, "coil2")); // toggle
        EnterText(station, QStringLiteral("0"));
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("请填入一个在1和255之间的整数!")});
        QCOMPARE(station->text(), QStringLiteral("5"));
        EnterText(station, QStringLiteral("256"));
        QCOMPARE(editor.ui->shown.size(), 2);
        QCOMPARE(station->text(), QStringLiteral("5"));

        ChooseText(NamedChild<QComboBox>(dialog, "group"), QStringLiteral("X")); // access mode 0
        ClickButton(NamedChild<QRadioButton>(dialog, "coil0"));
        EnterText(station, QStringLiteral("0"));
        QCOMPARE(editor.ui->shown.size(), 3);
        ClickOk(dialog);
        QCOMPARE(editor.document.GlobalButtons[0].Station, 0);
        QCOMPARE(editor.document.GlobalButtons[1].Station, 5);
        QCOMPARE(ButtonCoilAction(editor.document.GlobalButtons[1]), 0);
        QCOMPARE(editor.document.GlobalButtons[1].GroupName, std::string("X"));
    }

    void jumpScreenMustBeAScreenNumber()
    {
        ButtonEditor editor;
        editor.document.GlobalButtons = {editor.Button(JumpFunction)};
        editor.document.GlobalButtons[0].JumpScreen = 9;
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        QCOMPARE(NamedChild<QGroupBox>(dialog, "frame")->title(), QStringLiteral("画面"));
        QVERIFY(Shown(dialog, NamedChild<CSpinEdit>(dialog, "jumpScreen")));
        QVERIFY(!Shown(dialog, NamedChild<CSpinEdit>(dialog, "station")));
        QVERIFY(!Shown(dialog, NamedChild<QComboBox>(dialog, "group")));
        QLineEdit* jump = Box(dialog, "jumpScreen");
        QCOMPARE(jump->text(), QStringLiteral("9"));
        for (const QString& refused : {QStringLiteral("0"), QStringLiteral("65536")}) {
            editor.ui->shown.clear();
            EnterText(jump, refused);
            QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("请输入1-65535之间的整数!")});
            QCOMPARE(jump->text(), QStringLiteral("9"));
        }
        EnterText(jump, QStringLiteral("65535"));
        ClickOk(dialog);
        QCOMPARE(editor.document.GlobalButtons[0].JumpScreen, 65535);
    }

    void aFunctionChangeShowsWhatTheButtonKeeps()
    {
        ButtonEditor editor;
        editor.document.PasswordTable = {{0, 3, "1234"}};
        editor.document.HighestPasswordLevel = 3;
        GlobalButton button = editor.Button(SetCoilFunction);
        SetButtonCoilAction(button, 1);
        button.Flags = GlobalButton::ProtectedFlag;
        button.UserLevel = 2;
        button.JumpScreen = 7;
        editor.document.GlobalButtons = {button};
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);

        ClickButton(NamedChild<QRadioButton>(dialog, "function2"));
        QCOMPARE(NamedChild<QGroupBox>(dialog, "frame")->title(), QStringLiteral("寄存器"));
        QCOMPARE(NamedChild<QComboBox>(dialog, "type")->currentText(), QStringLiteral("16位字元件"));
        QCOMPARE(NamedChild<QComboBox>(dialog, "type")->count(), 2);
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->count(), 2); // the 16-bit groups D and N
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->currentText(), QStringLiteral("D"));
        QCOMPARE(NamedChild<CElementNameCombo>(dialog, "element")->currentText(), QStringLiteral("D0"));
        QCOMPARE(NamedChild<QComboBox>(dialog, "format")->currentText(), QStringLiteral("无符号"));
        QCOMPARE(Box(dialog, "registerCount")->text(), QStringLiteral("1"));
        QVERIFY(Shown(dialog, NamedChild<CStepEdit>(dialog, "value")));
        QVERIFY(!Shown(dialog, NamedChild<CStepEdit>(dialog, "step")));
        QVERIFY(!Shown(dialog, NamedChild<QRadioButton>(dialog, "coil0")));
        // Protection and level are the button's own.
        QVERIFY(NamedChild<QCheckBox>(dialog, "protect")->isChecked());
        QCOMPARE(NamedChild<QComboBox>(dialog, "level")->currentText(), QStringLiteral("高级"));

        ClickButton(NamedChild<QRadioButton>(dialog, "function3"));
        QCOMPARE(Box(dialog, "step")->text(), QStringLiteral("1"));
        QCOMPARE(Box(dialog, "limit")->text(), QStringLiteral("65535"));
        ClickButton(NamedChild<QRadioButton>(dialog, "function4"));
        QCOMPARE(Box(dialog, "limit")->text(), QStringLiteral("0"));
        ClickButton(NamedChild<QRadioButton>(dialog, "function0"));
        QCOMPARE(Box(dialog, "jumpScreen")->text(), QStringLiteral("7"));
        ClickButton(NamedChild<QRadioButton>(dialog, "function1"));
        QVERIFY(NamedChild<QRadioButton>(dialog, "coil1")->isChecked());
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->currentText(), QStringLiteral("M"));

        ClickOk(dialog);
        const GlobalButton& stored = editor.document.GlobalButtons[0];
        QCOMPARE(ButtonFunction(stored), int(SetCoilFunction));
        QCOMPARE(ButtonCoilAction(stored), 1);
        QCOMPARE(stored.Flags & GlobalButton::ProtectedFlag, int(GlobalButton::ProtectedFlag));
        QCOMPARE(stored.UserLevel, 2);
        QCOMPARE(stored.JumpScreen, 7);
        QCOMPARE(stored.ElementType, 0);
        QCOMPARE(stored.TypeText, GbkFromUtf8("位元件"));
        QCOMPARE(stored.DisplayFormat, std::uint8_t(1));
    }

    void setRegisterStoresItsTypeCountAndFormat()
    {
        ButtonEditor editor;
        editor.document.GlobalButtons = {editor.Button(SetCoilFunction)};
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        ClickButton(NamedChild<QRadioButton>(dialog, "function2"));
        ClickOk(dialog);
        const GlobalButton& stored = editor.document.GlobalButtons[0];
        QCOMPARE(stored.ElementType, 16);
        QCOMPARE(stored.RegisterCount, 1);
        QCOMPARE(stored.DisplayFormat, std::uint8_t(1));
        QCOMPARE(stored.GroupName, std::string("D"));
        QCOMPARE(stored.ElementName, std::string("D0"));
    }

    void groupsNAndSWarnOnQm4Devices()
    {
        ButtonEditor editor;
        editor.document.ProtocolLibraryName = "QM4-232.dll";
        editor.document.GlobalButtons = {editor.Button(SetRegisterFunction)};
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        ChooseText(NamedChild<QComboBox>(dialog, "group"), QStringLiteral("N"));
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("此元件只限于QM4FBD机种!")});
        QCOMPARE(NamedChild<CElementNameCombo>(dialog, "element")->currentText(), QStringLiteral("N0"));
        ClickOk(dialog);
        QCOMPARE(editor.document.GlobalButtons[0].GroupName, std::string("N"));
        QCOMPARE(editor.document.GlobalButtons[0].ElementName, std::string("N0"));
    }

    // A name picked with the mouse or the keys is the button's element, after
    // OK and in the dialog opened again.
    void namesPickedInTheListAreBound()
    {
        const std::pair<int, QString> cases[] = {{SetCoilFunction, QStringLiteral("M1")},
                                                 {SetRegisterFunction, QStringLiteral("D5")}};
        for (const auto pick : {&PickWithMouse, &PickWithKeys})
            for (const auto& [function, name] : cases) {
                ButtonEditor editor;
                editor.document.GlobalButtons = {editor.Button(function)};
                CGlobalButtonDlg dialog(editor.document, nullptr);
                ShowActive(dialog);
                auto* element = NamedChild<CElementNameCombo>(dialog, "element");
                QVERIFY2(pick(element, name), qPrintable(name));
                QCOMPARE(element->currentText(), name);
                QCOMPARE(element->count(), 1);
                ClickOk(dialog);
                QCOMPARE(QStringFromGbk(editor.document.GlobalButtons[0].ElementName), name);
                CGlobalButtonDlg again(editor.document, nullptr);
                QCOMPARE(NamedChild<CElementNameCombo>(again, "element")->currentText(), name);
            }
    }

    void typedElementNamesAreTakenWithTheirNextWord()
    {
        ButtonEditor editor;
        editor.document.GlobalButtons = {editor.Button(SetRegisterFunction)};
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        auto* element = NamedChild<CElementNameCombo>(dialog, "element");
        EnterText(element->lineEdit(), QStringLiteral("D1"));
        QVERIFY(element->IsListOpen());
        element->hidePopup();
        QCOMPARE(element->count(), 1);
        QCOMPARE(element->currentText(), QStringLiteral("D1"));

        // Two registers need the next word: D1 (0x101) has none, D0 has D1.
        EnterText(Box(dialog, "registerCount"), QStringLiteral("2"));
        QCOMPARE(Box(dialog, "registerCount")->text(), QStringLiteral("1"));
        EnterText(element->lineEdit(), QStringLiteral("D0"));
        element->hidePopup();
        EnterText(Box(dialog, "registerCount"), QStringLiteral("2"));
        QCOMPARE(Box(dialog, "registerCount")->text(), QStringLiteral("2"));
        EnterText(element->lineEdit(), QStringLiteral("D5"));
        element->hidePopup();
        QCOMPARE(element->currentText(), QStringLiteral("D0"));
        // With two registers the values are 32 bits wide.
        EnterText(Box(dialog, "value"), QStringLiteral("4294967295"));
        QCOMPARE(Box(dialog, "value")->text(), QStringLiteral("4294967295"));

        ClickOk(dialog);
        QCOMPARE(editor.document.GlobalButtons[0].ElementName, std::string("D0"));
        QCOMPARE(editor.document.GlobalButtons[0].RegisterCount, 2);
        QCOMPARE(editor.document.GlobalButtons[0].Value, -1);
    }

    void numberBoxesFollowTheFormatAndWidth()
    {
        ButtonEditor editor;
        GlobalButton increment = editor.Button(IncrementFunction, NumberFormat::Hex);
        increment.Limit = 0x1234;
        editor.document.GlobalButtons = {editor.Button(SetRegisterFunction, NumberFormat::Hex), increment};
        editor.document.GlobalButtons[1].KeyCode = 16;
        CGlobalButtonDlg dialog(editor.document, nullptr);
        ShowActive(dialog);
        QLineEdit* value = Box(dialog, "value");
        EnterText(value, QStringLiteral("ff"));
        QCOMPARE(value->text(), QStringLiteral("FF"));
        EnterText(value, QStringLiteral("1FFFF"));
        QCOMPARE(value->text(), QStringLiteral("FF"));
        EnterText(value, QStringLiteral("FFFF"));
        ChooseText(NamedChild<QComboBox>(dialog, "format"), QStringLiteral("有符号"));
        QCOMPARE(value->text(), QStringLiteral("-1"));
        EnterText(value, QStringLiteral("-5"));
        ChooseText(NamedChild<QComboBox>(dialog, "format"), QStringLiteral("HEX"));
        QCOMPARE(value->text(), QStringLiteral("FFFB"));
        ChooseText(NamedChild<QComboBox>(dialog, "format"), QStringLiteral("有符号"));
        EnterText(value, QStringLiteral("32767"));
        ClickArrow(value, +1);
        QCOMPARE(value->text(), QStringLiteral("32767"));
        ClickArrow(value, -1);
        QCOMPARE(value->text(), QStringLiteral("32766"));

        // An increment button in HEX shows its own limit.
        ChooseText(NamedChild<QComboBox>(dialog, "keys"), QStringLiteral("'F2'键"));
        QCOMPARE(Box(dialog, "limit")->text(), QStringLiteral("1234"));
        QLineEdit* step = Box(dialog, "step");
        for (const QString& refused : {QStringLiteral("0"), QStringLiteral("00"), QString()}) {
            EnterText(step, QStringLiteral("5"));
            EnterText(step, refused);
            QCOMPARE(step->text(), QStringLiteral("5"));
        }
        ClickArrow(step, -1);
        QCOMPARE(step->text(), QStringLiteral("4"));

        // A decrement button, signed, one register: a type change resets the
        // limit to the bottom of the range.
        ClickButton(NamedChild<QRadioButton>(dialog, "function4"));
        ChooseText(NamedChild<QComboBox>(dialog, "format"), QStringLiteral("有符号"));
        ChooseText(NamedChild<QComboBox>(dialog, "type"), QStringLiteral("16位字元件"));
        QCOMPARE(Box(dialog, "limit")->text(), QStringLiteral("-32768"));
        ChooseText(NamedChild<QComboBox>(dialog, "type"), QStringLiteral("32位字元件"));
        QCOMPARE(Box(dialog, "limit")->text(), QStringLiteral("-2147483648"));
        QCOMPARE(NamedChild<QComboBox>(dialog, "group")->currentText(), QStringLiteral("DD"));

        ClickOk(dialog);
        const std::vector<GlobalButton>& stored = editor.document.GlobalButtons;
        QCOMPARE(stored[0].Value, 32766);
        QCOMPARE(stored[0].DisplayFormat, std::uint8_t(2));
        QCOMPARE(stored[1].Step, 1); // a new decrement steps by 1
        QCOMPARE(stored[1].Limit, -2147483647 - 1);
        QCOMPARE(stored[1].ElementType, 32);
        QCOMPARE(stored[1].GroupName, std::string("DD"));
        QCOMPARE(stored[1].ElementName, std::string("DD0"));
    }

    void theCommandOpensTheDialogOnTheDocument()
    {
        ScriptedEditor editor;
        editor.ui->dialogs.push_back([](QDialog& dialog) {
            ShowActive(dynamic_cast<CGlobalButtonDlg&>(dialog));
            ClickAdd(dialog);
            ClickOk(dialog);
            return dialog.result();
        });
        editor.ui->dialogs.push_back([](QDialog& dialog) {
            dynamic_cast<CKeySelectDlg&>(dialog).show();
            ClickOk(dialog);
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::GlobalButtons);
        QCOMPARE(editor.document.GlobalButtons.size(), std::size_t(1));
        QCOMPARE(editor.document.GlobalButtons[0].GroupName, std::string("Coil"));
        QCOMPARE(editor.document.GlobalButtons[0].ElementName, std::string("C0"));

        // Shown as the user sees it: the window keeps one size, room for the
        // largest layout, whichever function is shown; no control is cut off.
        CGlobalButtonDlg dialog(editor.document, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(SavePicture(&dialog, QStringLiteral("GlobalButtonDlg.png")));
        const QSize opened = dialog.size();
        for (const char* function : {"function3", "function2", "function0", "function1", "function4"}) {
            QTest::mouseClick(NamedChild<QRadioButton>(dialog, function), Qt::LeftButton);
            QCoreApplication::processEvents();
            QVERIFY2(dialog.size() == opened, function);
            QVERIFY2(ShowsWholeLayout(&dialog), function);
            QVERIFY2(CutOffTexts(&dialog).isEmpty(), qPrintable(CutOffTexts(&dialog).join("; ")));
        }
        QVERIFY(SavePicture(&dialog, QStringLiteral("GlobalButtonDlgDecrement.png")));
    }
};

QTEST_MAIN(GlobalButtonDlgTest)
#include "GlobalButtonDlgTest.moc"
