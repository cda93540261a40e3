// The register page in the editor, on a document with the shipped device
// (16-bit group "Register" with R0, R1, ...; 32-bit group "Register32"): the
// look of the number and its preview, the register count, settable and
// password, the four limits and the device's preset registers.

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "pages/ui/CRegisterPropertyDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

struct RegisterEditor : ScriptedEditor {
    std::shared_ptr<CRegisterElement> PlaceRegister(QPoint at = {100, 100})
    {
        Place(Cmd::ToolRegister, at);
        return std::dynamic_pointer_cast<CRegisterElement>(document.GetWorkingElements().back().element);
    }
    CRegisterPropertyDlg* Page() const { return View().RegisterPage; }
    template <class Field>
    Field* Field_(const char* label) const
    {
        return FieldOf<Field>(Page(), QString::fromUtf8(label));
    }
    QLineEdit* X() const { return Field_<QLineEdit>("X:"); }
    QLineEdit* Digits() const { return Field_<QLineEdit>("位数:"); }
    QLineEdit* Decimals() const { return Field_<QLineEdit>("小数位:"); }
    QComboBox* Type() const { return Field_<QComboBox>("类型:"); }
    QComboBox* Group() const { return Field_<QComboBox>("元件组名:"); }
    QLineEdit* Station() const { return Field_<QLineEdit>("局号:"); }
    QLineEdit* Count() const { return Field_<QLineEdit>("寄存器个数:"); }
    QLineEdit* RawUpper() const { return Field_<QLineEdit>("原始数据上限:"); }
    QLineEdit* RawLower() const { return Field_<QLineEdit>("原始数据下限:"); }
    QLineEdit* EngUpper() const { return Field_<QLineEdit>("工程量上限:"); }
    QRadioButton* Radio(const char* text) const { return ButtonOf<QRadioButton>(Page(), QString::fromUtf8(text)); }
    QCheckBox* Check(const char* text) const { return ButtonOf<QCheckBox>(Page(), QString::fromUtf8(text)); }
    QComboBox* DisplayMode() const
    {
        for (QComboBox* combo : Page()->findChildren<QComboBox*>())
            if (combo->findText("工程量") >= 0)
                return combo;
        return nullptr;
    }
    std::size_t Snapshots() const { return document.UndoHistory.size(); }
};

PresetRegister PresetForR0()
{
    PresetRegister preset;
    preset.Parts = 2;
    preset.GroupName = "Register";
    preset.WordAddress = 0;
    preset.RegisterCount = 1;
    preset.ValueType = 2;
    preset.Digits = 4;
    preset.Decimals = 1;
    preset.RawLower = -1000;
    preset.RawUpper = 1000;
    preset.EngLower = -100;
    preset.EngUpper = 100;
    return preset;
}

} // namespace

class RegisterPageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void aPlacedRegisterShowsItsDefaults()
    {
        RegisterEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto reg = editor.PlaceRegister();
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.Page()});
        QCOMPARE(reg->GroupName, std::string("Register"));
        QCOMPARE(reg->ElementName, std::string("R0"));
        QCOMPARE(editor.Digits()->text(), QString("5"));
        QCOMPARE(editor.Decimals()->text(), QString("0"));
        QVERIFY(editor.Radio("十进制")->isChecked());
        QVERIFY(editor.Radio("右缩进")->isChecked());
        QCOMPARE(editor.RawUpper()->text(), QString("65535"));
        QVERIFY(!editor.RawUpper()->isEnabled());
        QVERIFY(!editor.Check("加密")->isEnabled());
        QCOMPARE(reg->GetPreviewText(), std::string("12345"));
        QVERIFY(ShowsWholeLayout(editor.Page()));
        QVERIFY(SavePicture(editor.frame.get(), "register-page.png"));
    }

    void aPlacedRegisterTakesItsDevicesPreset()
    {
        RegisterEditor editor;
        editor.document.PresetRegisters = {PresetForR0()};
        const std::size_t snapshots = editor.Snapshots();
        const auto reg = editor.PlaceRegister();
        QCOMPARE(editor.Snapshots(), snapshots + 1); // the placement's own snapshot
        QVERIFY(reg->IsSigned());
        QCOMPARE(reg->Digits, 4);
        QCOMPARE(reg->Decimals, 1);
        QCOMPARE(reg->RawLower, -1000);
        QVERIFY(reg->IsEngineeringScale());
        QCOMPARE(reg->GetPreviewText(), std::string("-123.4"));
        QCOMPARE(reg->GetSize(), (DotSize{48, 16}));
        QVERIFY(editor.Check("有符号数")->isChecked());
        QCOMPARE(editor.Digits()->text(), QString("4"));
        QCOMPARE(editor.RawLower()->text(), QString("-1000"));
        QCOMPARE(editor.EngUpper()->text(), QString("100"));
        QVERIFY(editor.EngUpper()->isEnabled());
        QCOMPARE(editor.DisplayMode()->currentIndex(), 1);

        // Choosing the group again applies the preset again.
        reg->SetSigned(0);
        ChooseEntry(editor.Group(), 0);
        QVERIFY(reg->IsSigned());
    }

    void digitsDecimalsFormatAndIndentRebuildThePreview()
    {
        RegisterEditor editor;
        const auto reg = editor.PlaceRegister();
        EnterText(editor.X(), "150");
        std::size_t snapshots = editor.Snapshots();

        EnterText(editor.Decimals(), "2");
        QCOMPARE(reg->GetPreviewText(), std::string("123.45"));
        QCOMPARE(reg->GetSize(), (DotSize{48, 16}));
        QCOMPARE(editor.Snapshots(), ++snapshots);
        EnterText(editor.Digits(), "6"); // above the maximum of 5
        QCOMPARE(editor.Digits()->text(), QString("5"));
        QCOMPARE(editor.Snapshots(), snapshots);
        EnterText(editor.Digits(), "1"); // the decimals come down with it
        QCOMPARE(reg->Decimals, 1);
        QCOMPARE(editor.Decimals()->text(), QString("1"));
        QCOMPARE(reg->GetPreviewText(), std::string("0.1"));
        EnterText(editor.Decimals(), "3"); // the digits go up with them
        QCOMPARE(editor.Digits()->text(), QString("3"));
        editor.Radio("左缩进")->click();
        QCOMPARE(reg->GetPreviewText(), std::string("0.345"));

        editor.Check("倍角")->click();
        QCOMPARE(reg->GetSize(), (DotSize{80, 32}));
        QCOMPARE(reg->GetPosition().x, 192 - 80);
        QCOMPARE(editor.X()->text(), QString::number(192 - 80));

        editor.Radio("HEX/BCD")->click();
        QCOMPARE(reg->Digits, 3);
        QCOMPARE(reg->Decimals, 0);
        QVERIFY(!editor.Check("有符号数")->isEnabled());
        QVERIFY(!editor.Decimals()->isEnabled());
        EnterText(editor.Digits(), "4");
        EnterText(editor.Digits(), "5");
        QCOMPARE(reg->Digits, 4);
        QCOMPARE(reg->GetPreviewText(), std::string("1234"));
        editor.Radio("十进制")->click();
        QCOMPARE(reg->Digits, 5);
        QCOMPARE(editor.Digits()->text(), QString("5"));
    }

    void countTypeAndSignMoveTheLimits()
    {
        RegisterEditor editor;
        const auto reg = editor.PlaceRegister();
        editor.Check("设定")->click();
        QVERIFY(editor.RawUpper()->isEnabled());

        EnterText(editor.Count(), "2");
        QCOMPARE(reg->RegisterCount, 2);
        QCOMPARE(editor.RawUpper()->text(), QString("4294967295"));
        EnterText(editor.Count(), "1");
        QCOMPARE(editor.RawUpper()->text(), QString("65535"));

        editor.Check("有符号数")->click();
        QCOMPARE(editor.RawUpper()->text(), QString("32767"));
        EnterText(editor.RawLower(), "-32768");
        QCOMPARE(reg->RawLower, -32768);
        EnterText(editor.RawLower(), "-32769");
        QCOMPARE(editor.RawLower()->text(), QString("-32768"));
        ClickArrow(editor.RawLower(), -1);
        QCOMPARE(reg->RawLower, -32768);
        ClickArrow(editor.RawLower(), 1);
        QCOMPARE(editor.RawLower()->text(), QString("-32767"));

        // The 32-bit type: one register, the limits at their 16-bit ends widen.
        EnterText(editor.RawLower(), "-32768");
        ChooseEntry(editor.Type(), 1);
        QCOMPARE(reg->WordSize, 32);
        QCOMPARE(reg->GroupName, std::string("Register32"));
        QCOMPARE(editor.RawUpper()->text(), QString("2147483647"));
        QCOMPARE(editor.RawLower()->text(), QString("-2147483648"));
        QCOMPARE(reg->Digits, 10);
        EnterText(editor.Count(), "2");
        QCOMPARE(reg->RegisterCount, 1);

        // HEX/BCD from signed: negative limits become 0, shown in HEX.
        editor.Radio("HEX/BCD")->click();
        QCOMPARE(editor.RawLower()->text(), QString("0"));
        QCOMPARE(editor.RawUpper()->text(), QString("7FFFFFFF"));
    }

    // Up and Down in a field with arrows step it as the arrows do, and the
    // element takes each step.
    void upAndDownKeysStepTheFieldsWithArrows()
    {
        RegisterEditor editor;
        const auto reg = editor.PlaceRegister();
        editor.Check("设定")->click();
        const std::size_t snapshots = editor.Snapshots();
        struct Case {
            const char* name;
            QLineEdit* field;
            Qt::Key key;
            int presses;
            const char* shown;
            std::function<int()> stored;
        };
        const Case cases[] = {
            {"station up", editor.Station(), Qt::Key_Up, 3, "4", [&] { return reg->GetStation(); }},
            {"station down to its lowest", editor.Station(), Qt::Key_Down, 9, "0", [&] { return reg->GetStation(); }},
            {"digits down", editor.Digits(), Qt::Key_Down, 2, "3", [&] { return reg->Digits; }},
            {"X up", editor.X(), Qt::Key_Up, 1, "41", [&] { return reg->GetPosition().x; }},
            {"raw lower limit up", editor.RawLower(), Qt::Key_Up, 2, "2", [&] { return reg->RawLower; }},
        };
        EnterText(editor.X(), "40");
        for (const Case& c : cases) {
            c.field->setFocus();
            for (int i = 0; i < c.presses; ++i)
                QTest::keyClick(c.field, c.key);
            QVERIFY2(c.field->text() == QString(c.shown), c.name);
            QVERIFY2(c.stored() == QString(c.shown).toInt(), c.name);
        }
        QVERIFY(editor.Snapshots() > snapshots);
    }

    void settableStationAndTheSetKey()
    {
        RegisterEditor editor;
        const auto reg = editor.PlaceRegister();
        editor.ui->shown.clear();
        EnterText(editor.Station(), "0");
        QCOMPARE(editor.ui->shown, QStringList{"请填入一个在1和255之间的整数!"});
        editor.Check("设定")->click();
        QVERIFY(reg->IsSettable());
        EnterText(editor.Station(), "0");
        QCOMPARE(reg->GetStation(), 0);

        // A SET key joins the screen: the register can still be made not
        // settable (its station 0 becomes 1), but not settable again.
        auto key = std::make_shared<CFuncKeyElement>();
        key->SetKey(5);
        editor.document.WorkingElements.insert(editor.document.WorkingElements.begin(), {KindFuncKey, key});
        editor.Check("设定")->click();
        QVERIFY(!reg->IsSettable());
        QCOMPARE(reg->GetStation(), 1);
        QCOMPARE(editor.Station()->text(), QString("1"));
        QVERIFY(!editor.RawUpper()->isEnabled());
        QCOMPARE(editor.ui->shown.size(), 1);
        editor.Check("设定")->click();
        QCOMPARE(editor.ui->shown.last(), QString("同一画面SET功能键与寄存器的设定不能并存!"));
        QVERIFY(!reg->IsSettable());
        QVERIFY(!editor.Check("设定")->isChecked());
    }
};

QTEST_MAIN(RegisterPageTest)
#include "RegisterPageTest.moc"
