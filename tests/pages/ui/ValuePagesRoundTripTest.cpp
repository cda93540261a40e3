// What the function-key and register pages set survives saving the project
// and opening it again: every field of the elements, and what the pages show
// of them.

#include "model/PasswordLevels.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "pages/ui/CFuncKeyPropertyDlg.h"
#include "pages/ui/CRegisterPropertyDlg.h"
#include "shell/ui/ProjectOpen.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

namespace {

template <class Field>
Field* On(QWidget* page, const char* label)
{
    return FieldOf<Field>(page, QString::fromUtf8(label));
}

void Click(QWidget* page, const char* text)
{
    if (auto* radio = ButtonOf<QRadioButton>(page, QString::fromUtf8(text)))
        ClickButton(radio);
    else
        ClickButton(ButtonOf<QCheckBox>(page, QString::fromUtf8(text)));
}

QComboBox* LevelList(QWidget* page)
{
    for (QGroupBox* box : page->findChildren<QGroupBox*>())
        if (box->title() == QString("使用者等级"))
            return box->findChild<QComboBox*>();
    return nullptr;
}

QComboBox* DisplayModeList(QWidget* page)
{
    for (QComboBox* combo : page->findChildren<QComboBox*>())
        if (combo->findText("工程量") >= 0)
            return combo;
    return nullptr;
}

// Every field the pages edit, as one text that a comparison shows in full.
std::string Describe(const CScreenElement& element)
{
    std::ostringstream out;
    const DotBox box = element.GetBox();
    out << "box " << box.x << ',' << box.y << ' ' << box.w << 'x' << box.h << " station " << element.GetStation();
    if (const auto* key = dynamic_cast<const CFuncKeyElement*>(&element)) {
        out << " key " << key->GetKey() << " action " << key->GetAction() << " coil " << key->GetCoilOperation()
            << " screen " << key->TargetScreen << " type " << key->TypeText << '/' << key->WordSize << " address "
            << key->GroupName << '.' << key->ElementName << " count " << key->RegisterCount << " format "
            << key->GetDataFormat() << " value " << key->SetValue << " step " << key->StepValue << " limit "
            << key->Limit << " password " << key->IsPasswordProtected() << '/' << key->PasswordLevel << " hand "
            << key->HasHandIcon() << " invisible " << key->IsInvisible() << " inverse " << key->IsInverse()
            << " double " << key->GetDoubleSize();
    }
    if (const auto* reg = dynamic_cast<const CRegisterElement*>(&element)) {
        out << " digits " << reg->Digits << '.' << reg->Decimals << " count " << reg->RegisterCount << " type "
            << reg->TypeText << '/' << reg->WordSize << " address " << reg->GroupName << '.' << reg->ElementName
            << " hex " << reg->IsHexBcd() << " signed " << reg->IsSigned() << " engineering "
            << reg->IsEngineeringScale() << " settable " << reg->IsSettable() << " password "
            << reg->IsPasswordProtected() << '/' << reg->PasswordLevel << " indent " << reg->GetAlignment()
            << " inverse " << reg->IsInverse() << " double " << reg->GetDoubleSize() << " preview "
            << reg->GetPreviewText() << " raw " << reg->RawLower << ".." << reg->RawUpper << " eng "
            << reg->EngLower << ".." << reg->EngUpper;
    }
    return out.str();
}

} // namespace

class ValuePagesRoundTripTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void savingAndOpeningKeepsEveryFieldThePagesSet()
    {
        ScriptedEditor editor;
        editor.document.PasswordTable = {{0, 1, "1111"}, {1, 2, "2222"}};
        editor.document.HighestPasswordLevel = 2;
        ApplyPasswordLevelCount(editor.document);

        // A key that sets a signed value into two registers, behind a password.
        editor.Place(Cmd::ToolFuncKey, {60, 60});
        QWidget* keyPage = editor.View().FuncKeyPage;
        ChooseEntry(On<QComboBox>(keyPage, "键:"), On<QComboBox>(keyPage, "键:")->findText("'F2'键"));
        Click(keyPage, "设定寄存器");
        ChooseEntry(On<QComboBox>(keyPage, "参数:"), 2);
        EnterText(On<QLineEdit>(keyPage, "寄存器个数:"), "2");
        EnterText(On<QLineEdit>(keyPage, "参数:"), "-70000");
        EnterText(On<QLineEdit>(keyPage, "局号:"), "0");
        Click(keyPage, "加密");
        ChooseEntry(LevelList(keyPage), 1);
        Click(keyPage, "手形");
        Click(keyPage, "反相");

        // A key that decrements a HEX register in steps, at double size.
        editor.Place(Cmd::ToolFuncKey, {300, 60});
        Click(keyPage, "递减");
        ChooseEntry(On<QComboBox>(keyPage, "参数:"), 0);
        EnterText(On<QLineEdit>(keyPage, "加/减值:"), "a");
        EnterText(On<QLineEdit>(keyPage, "上/下限:"), "10");
        EnterText(On<QLineEdit>(keyPage, "局号:"), "9");
        Click(keyPage, "倍角");

        // A settable signed register with engineering limits, left indented.
        editor.Place(Cmd::ToolRegister, {60, 160});
        QWidget* regPage = editor.View().RegisterPage;
        Click(regPage, "设定");
        Click(regPage, "有符号数");
        EnterText(On<QLineEdit>(regPage, "位数:"), "4");
        EnterText(On<QLineEdit>(regPage, "小数位:"), "2");
        Click(regPage, "左缩进");
        EnterText(On<QLineEdit>(regPage, "局号:"), "0");
        Click(regPage, "加密");
        ChooseEntry(LevelList(regPage), 1);
        ChooseEntry(DisplayModeList(regPage), 1);
        EnterText(On<QLineEdit>(regPage, "原始数据下限:"), "-500");
        EnterText(On<QLineEdit>(regPage, "原始数据上限:"), "500");
        EnterText(On<QLineEdit>(regPage, "工程量下限:"), "-50");
        EnterText(On<QLineEdit>(regPage, "工程量上限:"), "50");
        Click(regPage, "反相");

        // A 32-bit HEX register at double size.
        editor.Place(Cmd::ToolRegister, {300, 160});
        ChooseEntry(On<QComboBox>(regPage, "类型:"), 1);
        Click(regPage, "HEX/BCD");
        Click(regPage, "倍角");

        std::vector<std::string> before;
        for (const ElementRef& ref : editor.document.GetWorkingElements())
            before.push_back(Describe(*ref.element));
        QCOMPARE(before.size(), std::size_t(4));

        QTemporaryDir folder;
        const QString path = folder.filePath("pages.opf");
        editor.ui->files = {path};
        editor.frame->ExecuteCommand(Cmd::FileSave);
        QVERIFY(OpenProjectInto(*editor.frame, path));

        const ElementList& read = editor.document.FindScreenByNumber(1)->Elements;
        QCOMPARE(read.size(), before.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            // The page loads what it shows: a signed 16-bit limit as its number.
            editor.View().ShowElementPage(read[i].element, false);
            QCOMPARE(Describe(*read[i].element), before[i]);
        }
        QCOMPARE(On<QLineEdit>(regPage, "原始数据上限:")->text(), QString("FFFFFFFF"));

        // The pages offer the levels of the project opened, not those of the
        // new project that opening starts from, and show the elements' own.
        for (const auto& [index, page] : {std::pair{0, keyPage}, std::pair{2, regPage}}) {
            editor.View().ShowElementPage(read[static_cast<std::size_t>(index)].element, false);
            QComboBox* levels = LevelList(page);
            QCOMPARE(levels->count(), 2);
            QCOMPARE(levels->itemText(0), QString("低级"));
            QCOMPARE(levels->itemText(1), QString("中级"));
            QCOMPARE(levels->currentText(), QString("中级"));
        }
    }
};

QTEST_MAIN(ValuePagesRoundTripTest)
#include "ValuePagesRoundTripTest.moc"
