// The preset-registers dialog in a ready editor on the shipped device: opened
// by its command, edited through its boxes, ended by OK or Cancel; the file
// it writes is compared with the writer's bytes for the same records.

#include "base/ProgramPaths.h"
#include "devices/PresetRegisterFile.h"
#include "devices/ui/CPresetRegDlg.h"
#include "model/elements/CRegisterElement.h"
#include "support/DialogTesting.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TestFiles.h"
#include "support/UnprivilegedUser.h"
#include "widgets/CStepEdit.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <functional>

namespace {

const std::string Device = "ModBus Slave";

struct PresetRegEditor : ScriptedEditor {
    bool Run(const std::function<void(CPresetRegDlg&)>& script)
    {
        return RunDialogCommand<CPresetRegDlg>(*this, Cmd::PresetRegisters, script);
    }
};

std::string FileBytes()
{
    return ReadTestFile(PresetRegisterPath(Device)).value_or("<missing>");
}

QLineEdit* Box(CPresetRegDlg& dialog, const char* label)
{
    return FieldOf<QLineEdit>(&dialog, QString::fromUtf8(label));
}

void Enter(CPresetRegDlg& dialog, const char* label, const char* text)
{
    EnterText(Box(dialog, label), QString::fromUtf8(text));
}

QString Shown(CPresetRegDlg& dialog, const char* label)
{
    return Box(dialog, label)->text();
}

void ChooseElement(CPresetRegDlg& dialog, const char* element)
{
    QVERIFY(ChooseName(NamedChild<CElementNameCombo>(dialog, "elementName"), QString::fromLatin1(element)));
}

void ChooseValueType(CPresetRegDlg& dialog, const char* type)
{
    QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "valueType"), QString::fromUtf8(type)));
}

PresetRegister Digits(int address, int digits)
{
    PresetRegister p;
    p.Parts = 0;
    p.GroupName = "Register";
    p.WordAddress = address;
    p.ValueType = 1;
    p.Digits = digits;
    return p;
}

} // namespace

class PresetRegDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path())); }
    void init() { QFile::remove(QString::fromStdString(PresetRegisterPath(Device))); }

    void signedWordPresetIsWrittenAsTheWriterWritesIt()
    {
        PresetRegEditor editor;
        editor.document.ProjectModified = 0;
        QVERIFY(editor.Run([](CPresetRegDlg& dialog) {
            ChooseElement(dialog, "R7");
            ChooseValueType(dialog, "有符号");
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("32767"));
            Enter(dialog, "原始数据上限:", "1000");
            Enter(dialog, "原始数据下限:", "-1000");
            Enter(dialog, "位数:", "4");
            Enter(dialog, "小数位数:", "1");
            QVERIFY(SavePicture(&dialog, "preset-register-dialog.png"));
            QVERIFY(ShowsWholeLayout(&dialog));
            ClickOk(dialog);
        }));
        PresetRegister expected;
        expected.Parts = 2;
        expected.GroupName = "Register";
        expected.WordAddress = 7;
        expected.Digits = 4;
        expected.Decimals = 1;
        expected.ValueType = 2;
        expected.RawUpper = 1000;
        expected.RawLower = -1000;
        expected.EngUpper = 32767;
        expected.EngLower = 0;
        QVERIFY(editor.document.PresetRegisters == std::vector<PresetRegister>{expected});
        QCOMPARE(FileBytes(), FormatPresetRegisters({expected}));
        QCOMPARE(editor.document.ProjectModified, 1);

        // Opened again, R7 shows its preset.
        editor.Run([](CPresetRegDlg& dialog) {
            ChooseElement(dialog, "R7");
            QCOMPARE(Shown(dialog, "原始数据下限:"), QStringLiteral("-1000"));
            QCOMPARE(Shown(dialog, "小数位数:"), QStringLiteral("1"));
            QCOMPARE(NamedChild<QComboBox>(dialog, "valueType")->currentText(), QStringLiteral("有符号"));
            ChooseElement(dialog, "R8");
            QCOMPARE(Shown(dialog, "原始数据下限:"), QStringLiteral("0"));
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("65535"));
            ClickCancel(dialog);
        });
    }

    void aRegisterPlacedAfterOkTakesThePresetOver()
    {
        PresetRegEditor editor;
        QVERIFY(editor.Run([](CPresetRegDlg& dialog) {
            // R0, the element a newly placed register is bound to, shows first.
            ChooseValueType(dialog, "有符号");
            Enter(dialog, "原始数据下限:", "-1000");
            Enter(dialog, "位数:", "4");
            Enter(dialog, "小数位数:", "1");
            ClickOk(dialog);
        }));
        QCOMPARE(FileBytes(), FormatPresetRegisters(editor.document.PresetRegisters));

        editor.Place(Cmd::ToolRegister, {100, 100});
        const auto reg =
            std::dynamic_pointer_cast<CRegisterElement>(editor.document.GetWorkingElements().back().element);
        QVERIFY(reg);
        QCOMPARE(reg->ElementName, std::string("R0"));
        QVERIFY(reg->IsSigned());
        QCOMPARE(reg->Digits, 4);
        QCOMPARE(reg->Decimals, 1);
        QCOMPARE(reg->RawLower, -1000);
        QCOMPARE(reg->RawUpper, 32767);
    }

    void settingAPresetBackToTheDefaultsRemovesItAlsoFromTheFile()
    {
        PresetRegEditor editor;
        editor.document.PresetRegisters = {Digits(7, 3), Digits(9, 2)};
        QVERIFY(WritePresetRegisterFile(PresetRegisterPath(Device), editor.document.PresetRegisters));
        QVERIFY(editor.Run([](CPresetRegDlg& dialog) {
            ChooseElement(dialog, "R7");
            QCOMPARE(Shown(dialog, "位数:"), QStringLiteral("3"));
            Enter(dialog, "位数:", "5");
            ClickOk(dialog);
        }));
        QVERIFY(editor.document.PresetRegisters == std::vector<PresetRegister>{Digits(9, 2)});
        QCOMPARE(FileBytes(), FormatPresetRegisters({Digits(9, 2)}));

        QVERIFY(editor.Run([](CPresetRegDlg& dialog) {
            ChooseElement(dialog, "R9");
            Enter(dialog, "位数:", "5");
            ClickOk(dialog);
        }));
        QVERIFY(editor.document.PresetRegisters.empty());
        QCOMPARE(FileBytes(), std::string());
    }

    void registerCountNeedsTheNextWordAndWidensTheDefaults()
    {
        PresetRegEditor editor;
        editor.Run([](CPresetRegDlg& dialog) {
            ChooseElement(dialog, "R255"); // the last word of the group
            Enter(dialog, "寄存器个数:", "2");
            QCOMPARE(Shown(dialog, "寄存器个数:"), QStringLiteral("1"));

            ChooseElement(dialog, "R7");
            Enter(dialog, "寄存器个数:", "2");
            QCOMPARE(Shown(dialog, "寄存器个数:"), QStringLiteral("2"));
            QCOMPARE(Shown(dialog, "位数:"), QStringLiteral("10"));
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("4294967295"));
            Enter(dialog, "寄存器个数:", "1");
            QCOMPARE(Shown(dialog, "位数:"), QStringLiteral("5"));
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("65535"));

            // A 32-bit element keeps one register.
            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "elementType"), QStringLiteral("32位字元件")));
            QCOMPARE(NamedChild<QComboBox>(dialog, "elementGroup")->currentText(), QStringLiteral("Register32"));
            Enter(dialog, "寄存器个数:", "2");
            QCOMPARE(Shown(dialog, "寄存器个数:"), QStringLiteral("1"));
            ClickCancel(dialog);
        });
    }

    void hexTakesFourDigitsAndNoDecimals()
    {
        PresetRegEditor editor;
        editor.Run([](CPresetRegDlg& dialog) {
            ChooseValueType(dialog, "HEX");
            QCOMPARE(Shown(dialog, "位数:"), QStringLiteral("4"));
            QVERIFY(!Box(dialog, "小数位数:")->isEnabled());
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("FFFF"));
            Enter(dialog, "位数:", "5");
            QCOMPARE(Shown(dialog, "位数:"), QStringLiteral("4"));
            Enter(dialog, "原始数据上限:", "1ffff");
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("FFFF"));
            Enter(dialog, "原始数据上限:", "1ff");
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("1FF"));
            ChooseValueType(dialog, "无符号");
            QCOMPARE(Shown(dialog, "位数:"), QStringLiteral("5"));
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("511"));
            ClickCancel(dialog);
        });
    }

    void rangeBoxesCheckEveryChangeAndMarkTheProjectModified()
    {
        PresetRegEditor editor;
        editor.Run([&](CPresetRegDlg& dialog) {
            ChooseValueType(dialog, "有符号");
            editor.document.ProjectModified = 0;
            Enter(dialog, "原始数据上限:", "32768");
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("32767"));
            QCOMPARE(editor.document.ProjectModified, 1);
            Enter(dialog, "原始数据下限:", "-32769");
            QCOMPARE(Shown(dialog, "原始数据下限:"), QStringLiteral("0"));
            Enter(dialog, "原始数据下限:", "-");
            QCOMPARE(Shown(dialog, "原始数据下限:"), QStringLiteral("-"));

            // The arrows step within the range; at its end no step is taken,
            // yet the box's check runs.
            auto* upper = FieldOf<CStepEdit>(&dialog, QStringLiteral("原始数据上限:"));
            editor.document.ProjectModified = 0;
            ClickArrow(upper->Edit(), +1);
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("32767"));
            QCOMPARE(editor.document.ProjectModified, 1);
            ClickArrow(upper->Edit(), -1);
            QCOMPARE(Shown(dialog, "原始数据上限:"), QStringLiteral("32766"));
            ClickCancel(dialog);
        });
        QVERIFY(editor.document.PresetRegisters.empty());
    }

    void aFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen()
    {
        PresetRegEditor editor;
        const std::vector<PresetRegister> before = {Digits(1, 2)};
        editor.document.PresetRegisters = before;
        QVERIFY(WritePresetRegisterFile(PresetRegisterPath(Device), before));
        const QByteArray folder = QFile::encodeName(QString::fromStdString(PresetRegisterFolder()));
        QVERIFY(chmod(QFile::encodeName(m_programFolder.path()).constData(), 0755) == 0);

        QVERIFY(editor.Run([&](CPresetRegDlg& dialog) {
            ChooseElement(dialog, "R4");
            Enter(dialog, "位数:", "3");
            QVERIFY(chmod(folder.constData(), 0555) == 0);
            AsUnprivilegedUser([&] { ClickOk(dialog); });
            QVERIFY(chmod(folder.constData(), 0755) == 0);
            QVERIFY(dialog.isVisible());
            QCOMPARE(editor.ui->shown, QStringList{"预设文件写入失败!"});
            QVERIFY(editor.document.PresetRegisters == before);
            QCOMPARE(FileBytes(), FormatPresetRegisters(before));
            ClickOk(dialog);
        }));
        QVERIFY(chmod(QFile::encodeName(m_programFolder.path()).constData(), 0700) == 0);
        QVERIFY(editor.document.PresetRegisters == (std::vector<PresetRegister>{Digits(1, 2), Digits(4, 3)}));
        QCOMPARE(FileBytes(), FormatPresetRegisters(editor.document.PresetRegisters));
    }
};

QTEST_MAIN(PresetRegDlgTest)
#include "PresetRegDlgTest.moc"
