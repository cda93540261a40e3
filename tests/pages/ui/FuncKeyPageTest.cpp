// The function-key page in the editor, on a document with the shipped device
// (bit group "Coil" of mode 1, 16-bit group "Register" of mode 2, 32-bit group
// "Register32"): the key list, the actions and their layouts, the station
// rule, the look, the password level and the number fields.

#include "model/PasswordLevels.h"
#include "model/elements/CFuncKeyElement.h"
#include "pages/ui/CFuncKeyPropertyDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TableGroups.h"
#include "widgets/CElementNameCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct KeyEditor : ScriptedEditor {
    std::shared_ptr<CFuncKeyElement> PlaceKey(QPoint at = {100, 100})
    {
        Place(Cmd::ToolFuncKey, at);
        return std::dynamic_pointer_cast<CFuncKeyElement>(document.GetWorkingElements().back().element);
    }
    CFuncKeyPropertyDlg* Page() const { return View().FuncKeyPage; }
    template <class Field>
    Field* Field_(const char* label) const
    {
        return FieldOf<Field>(Page(), QString::fromUtf8(label));
    }
    QLineEdit* X() const { return Field_<QLineEdit>("X:"); }
    QComboBox* Key() const { return Field_<QComboBox>("键:"); }
    QComboBox* Type() const { return Field_<QComboBox>("类型:"); }
    QComboBox* Group() const { return Field_<QComboBox>("元件组名:"); }
    CElementNameCombo* Name() const { return Field_<CElementNameCombo>("元件名称:"); }
    QLineEdit* Station() const { return Field_<QLineEdit>("局号:"); }
    QLineEdit* Value() const { return Field_<QLineEdit>("参数:"); }
    QComboBox* Format() const { return Field_<QComboBox>("参数:"); }
    QLineEdit* Count() const { return Field_<QLineEdit>("寄存器个数:"); }
    QLineEdit* Step() const { return Field_<QLineEdit>("加/减值:"); }
    QLineEdit* Limit() const { return Field_<QLineEdit>("上/下限:"); }
    QLineEdit* JumpScreen() const { return Field_<QLineEdit>("跳转至画面:"); }
    QRadioButton* Radio(const char* text) const { return ButtonOf<QRadioButton>(Page(), QString::fromUtf8(text)); }
    QCheckBox* Check(const char* text) const { return ButtonOf<QCheckBox>(Page(), QString::fromUtf8(text)); }
    QComboBox* Level() const
    {
        for (QGroupBox* box : Page()->findChildren<QGroupBox*>())
            if (box->title() == QString("使用者等级"))
                return box->findChild<QComboBox*>();
        return nullptr;
    }
    // The box around the address fields, titled by the action.
    QGroupBox* ParameterBox() const
    {
        QWidget* parent = Type()->parentWidget();
        while (parent && !qobject_cast<QGroupBox*>(parent))
            parent = parent->parentWidget();
        return qobject_cast<QGroupBox*>(parent);
    }
    QStringList KeyTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Key()->count(); ++i)
            texts << Key()->itemText(i);
        return texts;
    }
    std::size_t Snapshots() const { return document.UndoHistory.size(); }
};

} // namespace

class FuncKeyPageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void aPlacedKeySetsACoilOfTheFirstBitGroup()
    {
        KeyEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto key = editor.PlaceKey();
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.Page()});
        QCOMPARE(key->GetAction(), int(CFuncKeyElement::SetCoil));
        QVERIFY(editor.Radio("设定线圈")->isChecked());
        QCOMPARE(editor.ParameterBox()->title(), QString("线圈"));
        QCOMPARE(key->GroupName, std::string("Coil"));
        QCOMPARE(editor.Type()->count(), 1);
        QCOMPARE(editor.Type()->currentText(), QString("位元件"));
        QCOMPARE(editor.Key()->currentText(), QString("'←'键")); // the canvas gives a new key the first free one
        QVERIFY(editor.Radio("设定为ON")->isVisible());
        QVERIFY(!editor.Value()->isVisible());
        QVERIFY(!editor.Step()->isVisible());
        QVERIFY(!editor.JumpScreen()->isVisible());
        QVERIFY(ShowsWholeLayout(editor.Page()));
        QVERIFY(SavePicture(editor.frame.get(), "funckey-page.png"));
    }

    void keysOfOtherKeysAndSettableRegistersAreNotOffered()
    {
        KeyEditor editor;
        const auto first = editor.PlaceKey({60, 60});
        ChooseEntry(editor.Key(), editor.Key()->findText("'F1'键"));
        QCOMPARE(first->GetKey(), 20);
        // "'CLR'键", "'↓'键" store their codes, not their list places.
        ChooseEntry(editor.Key(), editor.Key()->findText("'CLR'键"));
        QCOMPARE(first->GetKey(), 19);
        ChooseEntry(editor.Key(), editor.Key()->findText("'↓'键"));
        QCOMPARE(first->GetKey(), 3);

        editor.document.AlarmBlocks.emplace_back();
        const auto second = editor.PlaceKey({200, 60});
        const QStringList texts = editor.KeyTexts();
        QVERIFY(!texts.contains("'↓'键"));
        QVERIFY(!texts.contains("'ALM'键"));
        QVERIFY(texts.contains("'SET'键"));
        QCOMPARE(texts.size(), 22);

        // A key whose code another key took shows and stores the first free key.
        second->SetKey(3);
        editor.View().ShowElementPage(second, false);
        QCOMPARE(editor.Key()->currentText(), QString("'←'键"));
        QCOMPARE(second->GetKey(), 0);
    }

    void actionsShowTheirFieldsAndAddresses()
    {
        KeyEditor editor;
        const auto key = editor.PlaceKey();
        std::size_t snapshots = editor.Snapshots();

        editor.Radio("设定寄存器")->click();
        QCOMPARE(key->GetAction(), int(CFuncKeyElement::SetRegister));
        QCOMPARE(editor.ParameterBox()->title(), QString("寄存器"));
        QCOMPARE(key->GroupName, std::string("Register"));
        QCOMPARE(key->ElementName, std::string("R0"));
        QCOMPARE(key->WordSize, 16);
        QCOMPARE(key->GetDataFormat(), 1);
        QCOMPARE(editor.Type()->count(), 2);
        QCOMPARE(editor.Format()->currentText(), QString("无符号"));
        QVERIFY(editor.Value()->isVisible());
        QVERIFY(!editor.Radio("设定为ON")->isVisible());
        QCOMPARE(editor.Snapshots(), ++snapshots);

        editor.Radio("画面跳转")->click();
        QCOMPARE(editor.ParameterBox()->title(), QString("画面"));
        QVERIFY(editor.JumpScreen()->isVisible());
        QVERIFY(!editor.Type()->isVisible());
        QVERIFY(!editor.Station()->isVisible());
        QCOMPARE(key->GroupName, std::string("Register")); // a jump keeps the address
        EnterText(editor.JumpScreen(), "0");
        QCOMPARE(editor.ui->shown.last(), QString("请输入1-65535之间的整数!"));
        QCOMPARE(key->TargetScreen, 1);
        EnterText(editor.JumpScreen(), "300");
        QCOMPARE(key->TargetScreen, 300);

        editor.Radio("递减")->click();
        QCOMPARE(editor.ParameterBox()->title(), QString("递减"));
        QVERIFY(editor.Step()->isVisible());
        QVERIFY(!editor.Value()->isVisible());
        QVERIFY(editor.Format()->isVisible());
        QCOMPARE(editor.Limit()->text(), QString("0"));
        QCOMPARE(editor.Step()->text(), QString("1"));

        // Without a 16-bit group a register key takes "VX-D" and "0".
        editor.document.AddressTable.erase(editor.document.AddressTable.begin() + 1);
        editor.Radio("设定线圈")->click();
        editor.Radio("递增")->click();
        QCOMPARE(key->GroupName, std::string("VX-D"));
        QCOMPARE(key->ElementName, std::string("0"));
    }

    void incrementInHexShowsItsLimitAndRefusesAZeroStep()
    {
        KeyEditor editor;
        const auto key = editor.PlaceKey();
        editor.Radio("递增")->click();
        QCOMPARE(editor.Limit()->text(), QString("65535"));
        ChooseEntry(editor.Format(), 0);
        QCOMPARE(key->GetDataFormat(), 0);
        QCOMPARE(editor.Limit()->text(), QString("FFFF"));
        QCOMPARE(key->Limit, 0xFFFF);

        const std::size_t snapshots = editor.Snapshots();
        for (const char* zero : {"00", "0", "", "-1"}) {
            EnterText(editor.Step(), zero);
            QCOMPARE(editor.Step()->text(), QString("1"));
            QCOMPARE(key->StepValue, 1);
        }
        QCOMPARE(editor.Snapshots(), snapshots);
        ClickArrow(editor.Step(), -1);
        QCOMPARE(key->StepValue, 1);

        // Typed HEX shows in upper case; five digits are refused.
        EnterText(editor.Step(), "ff");
        QCOMPARE(editor.Step()->text(), QString("FF"));
        QCOMPARE(key->StepValue, 255);
        EnterText(editor.Limit(), "10000");
        QCOMPARE(editor.Limit()->text(), QString("FFFF"));
        ClickArrow(editor.Limit(), 1);
        QCOMPARE(key->Limit, 0xFFFF);
        ClickArrow(editor.Limit(), -1);
        QCOMPARE(editor.Limit()->text(), QString("FFFE"));
        QCOMPARE(key->Limit, 0xFFFE);

        // The radio again resets step and limit, and that is a change.
        editor.Radio("递增")->click();
        QCOMPARE(key->StepValue, 1);
        QCOMPARE(editor.Limit()->text(), QString("FFFF"));
        QCOMPARE(editor.Snapshots(), snapshots + 3);
    }

    void valueFieldFollowsFormatAndWidth()
    {
        KeyEditor editor;
        const auto key = editor.PlaceKey();
        editor.Radio("设定寄存器")->click();
        ChooseEntry(editor.Format(), 2);
        EnterText(editor.Value(), "-32768");
        QCOMPARE(key->SetValue, -32768);
        EnterText(editor.Value(), "32768");
        QCOMPARE(editor.Value()->text(), QString("-32768"));
        EnterText(editor.Value(), "-5");
        ChooseEntry(editor.Format(), 0);
        QCOMPARE(editor.Value()->text(), QString("0"));
        EnterText(editor.Value(), "FFFF");
        ChooseEntry(editor.Format(), 2);
        QCOMPARE(editor.Value()->text(), QString("32767"));
        ClickArrow(editor.Value(), 1);
        QCOMPARE(key->SetValue, 32767);

        // Two registers only where the group has the next word: R0 has R1.
        ChooseEntry(editor.Format(), 1);
        EnterText(editor.Count(), "2");
        QCOMPARE(key->RegisterCount, 2);
        EnterText(editor.Value(), "4294967295");
        QCOMPARE(key->SetValue, -1);
        EnterText(editor.Value(), "4294967296");
        QCOMPARE(editor.Value()->text(), QString("4294967295"));
        // Back to one register: the value comes into the 16-bit range.
        EnterText(editor.Count(), "1");
        QCOMPARE(key->SetValue, 65535);
        QCOMPARE(editor.Value()->text(), QString("65535"));

        // A group without the next word takes the key back to one register.
        EnterText(editor.Count(), "2");
        editor.document.AddressTable.push_back(MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0, 0}}));
        editor.View().ShowElementPage(key, false);
        ChooseEntry(editor.Group(), editor.Group()->findText("D"));
        QCOMPARE(key->ElementName, std::string("D0"));
        QCOMPARE(key->RegisterCount, 1);
        QCOMPARE(editor.Count()->text(), QString("1"));
        EnterText(editor.Count(), "2");
        QCOMPARE(key->RegisterCount, 1);

        // The 32-bit type takes one register and refuses two.
        ChooseEntry(editor.Type(), 1);
        QCOMPARE(key->WordSize, 32);
        EnterText(editor.Count(), "2");
        QCOMPARE(key->RegisterCount, 1);
        QCOMPARE(editor.Count()->text(), QString("1"));
    }

    void stationZeroFollowsTheActionAndTheGroup()
    {
        KeyEditor editor;
        const auto key = editor.PlaceKey();
        editor.ui->shown.clear();
        // Set ON on "Coil" (mode 1) accepts 0; toggle refuses it.
        EnterText(editor.Station(), "0");
        QCOMPARE(key->GetStation(), 0);
        editor.Radio("取反")->click();
        EnterText(editor.Station(), "0");
        QCOMPARE(editor.ui->shown, QStringList{"请填入一个在1和255之间的整数!"});
        editor.Radio("设定为ON")->click();
        EnterText(editor.Station(), "0");
        QCOMPARE(key->GetStation(), 0);

        // A group of mode 0 takes the station back to 1 at once.
        editor.document.AddressTable.push_back(MakeGroup("X", BitElementType, WordBitMode, {{"X0", 0, 0}}));
        editor.View().ShowElementPage(key, false);
        ChooseEntry(editor.Group(), editor.Group()->findText("X"));
        QCOMPARE(key->GroupName, std::string("X"));
        QCOMPARE(key->GetStation(), 1);
        QCOMPARE(editor.Station()->text(), QString("1"));

        editor.Radio("设定寄存器")->click();
        EnterText(editor.Station(), "0");
        QCOMPARE(key->GetStation(), 0);
        editor.Radio("递增")->click();
        EnterText(editor.Station(), "0");
        QCOMPARE(editor.ui->shown.size(), 2);
        QCOMPARE(key->GetStation(), 0); // refused: the station it had stays
    }

    void handIconDoubleSizeAndInvisible()
    {
        KeyEditor editor;
        const auto key = editor.PlaceKey();
        editor.Check("手形")->click();
        QCOMPARE(key->GetSize(), (DotSize{32, 16}));
        // A hand key at x 170 (from a file: the page refuses such an X).
        key->SetPosition(170, 10);
        editor.Check("倍角")->click();
        QCOMPARE(key->GetBox().x, 128);
        QCOMPARE(key->GetSize(), (DotSize{64, 32}));
        QCOMPARE(editor.X()->text(), QString("128"));
        QCOMPARE(key->GetDoubleSize(), 1);

        editor.Check("反相")->click();
        QVERIFY(key->IsInverse());
        editor.Check("隐形")->click();
        QVERIFY(key->IsInvisible());
        QVERIFY(!key->HasHandIcon() && !key->GetDoubleSize() && !key->IsInverse());
        QCOMPARE(key->GetSize(), (DotSize{16, 16}));
        for (const char* box : {"手形", "倍角", "反相"})
            QVERIFY(!editor.Check(box)->isEnabled() && !editor.Check(box)->isChecked());
        editor.Check("隐形")->click();
        QVERIFY(editor.Check("手形")->isEnabled());
    }

    void passwordLevels()
    {
        KeyEditor editor;
        const auto key = editor.PlaceKey();
        editor.Check("加密")->click();
        QCOMPARE(editor.ui->shown.last(), QString("请先设置密码(等级)!"));
        QVERIFY(!key->IsPasswordProtected());
        QVERIFY(!editor.Check("加密")->isChecked());

        editor.document.PasswordTable = {{0, 1, "1111"}, {1, 2, "2222"}};
        editor.document.HighestPasswordLevel = 2;
        ApplyPasswordLevelCount(editor.document);
        QComboBox* level = editor.Level();
        QCOMPARE(level->count(), 2);
        QCOMPARE(level->itemText(1), QString("中级"));
        editor.Check("加密")->click();
        QVERIFY(key->IsPasswordProtected());
        QVERIFY(level->isEnabled());
        ChooseEntry(level, 1);
        QCOMPARE(key->PasswordLevel, 1);

        // Fewer levels: the key loses its level and the page shows it.
        editor.document.HighestPasswordLevel = 1;
        ApplyPasswordLevelCount(editor.document);
        QCOMPARE(level->count(), 1);
        const auto shown = std::dynamic_pointer_cast<CFuncKeyElement>(editor.Page()->BoundElement());
        QVERIFY(!shown->IsPasswordProtected());
        QVERIFY(!editor.Check("加密")->isChecked());
    }
};

QTEST_MAIN(FuncKeyPageTest)
#include "FuncKeyPageTest.moc"
