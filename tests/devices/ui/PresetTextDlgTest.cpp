// The preset-texts dialog in a ready editor on the shipped device: opened by
// its command, edited through its boxes and grid, ended by OK or Cancel; the
// file it writes is compared with the writer's bytes for the same records.

#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "devices/PresetTextFile.h"
#include "devices/ui/CPresetTextDlg.h"
#include "model/elements/CTextElement.h"
#include "pages/ui/CDynTextPropertyDlg.h"
#include "support/DialogTesting.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TestFiles.h"
#include "support/UnprivilegedUser.h"
#include "widgets/CEditListCtrl.h"
#include "widgets/InPlaceCellEdit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <functional>

namespace {

const std::string Device = "ModBus Slave";

struct PresetTextEditor : ScriptedEditor {
    bool Run(const std::function<void(CPresetTextDlg&)>& script)
    {
        return RunDialogCommand<CPresetTextDlg>(*this, Cmd::PresetTexts, script);
    }
};

std::string FileBytes()
{
    return ReadTestFile(PresetTextPath(Device)).value_or("<missing>");
}

// Presses the cell and types `text` into the editor it opens, as a paste.
void Type(CPresetTextDlg& dialog, int row, int column, const QString& text)
{
    PressCell(dialog.Grid(), row, column);
    auto* editor = dialog.Grid()->CurrentEditor();
    QVERIFY(editor);
    EnterText(editor, text);
}

QString Cell(CPresetTextDlg& dialog, int row, int column)
{
    return dialog.Grid()->CellText(row, column);
}

void ChooseWord(CPresetTextDlg& dialog, const char* element)
{
    QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "elementType"), QStringLiteral("16位字元件")));
    QVERIFY(ChooseName(NamedChild<CElementNameCombo>(dialog, "elementName"), QString::fromLatin1(element)));
}

PresetText Preset(std::string group, int address, int bit, int valueType,
    std::vector<std::pair<int, std::string>> pairs)
{
    PresetText p;
    p.GroupName = std::move(group);
    p.Address = address;
    p.Bit = bit;
    p.ValueType = valueType;
    for (const auto& [value, text] : pairs)
        p.Pairs.push_back({value, text});
    return p;
}

} // namespace

class PresetTextDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path())); }
    void init() { QFile::remove(QString::fromStdString(PresetTextPath(Device))); }

    void signedWordPresetIsWrittenAsTheWriterWritesIt()
    {
        PresetTextEditor editor;
        editor.document.ProjectModified = 0;
        QVERIFY(editor.Run([](CPresetTextDlg& dialog) {
            ChooseWord(dialog, "R5");
            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "valueType"), QStringLiteral("有符号")));
            Type(dialog, 0, 1, QStringLiteral("-1"));
            Type(dialog, 0, 2, QStringLiteral("停止"));
            Type(dialog, 1, 1, QStringLiteral("5"));
            Type(dialog, 1, 2, QStringLiteral("run"));
            // A value without a text is not stored.
            Type(dialog, 2, 1, QStringLiteral("7"));
            QVERIFY(SavePicture(&dialog, "preset-text-dialog.png"));
            QVERIFY(ShowsWholeLayout(&dialog));
            ClickOk(dialog);
        }));
        const std::vector<PresetText> expected = {
            Preset("Register", 5, 0, 2, {{0xFFFF, GbkFromUtf8("停止")}, {5, "run"}})};
        QVERIFY(editor.document.PresetTexts == expected);
        QCOMPARE(FileBytes(), FormatPresetTexts(expected));
        QCOMPARE(editor.document.ProjectModified, 1);

        // Opened again, the preset shows as it was typed.
        editor.Run([](CPresetTextDlg& dialog) {
            ChooseWord(dialog, "R5");
            QCOMPARE(Cell(dialog, 0, 1), QStringLiteral("-1"));
            QCOMPARE(Cell(dialog, 0, 2), QStringLiteral("停止"));
            QCOMPARE(NamedChild<QComboBox>(dialog, "valueType")->currentText(), QStringLiteral("有符号"));
            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "valueType"), QStringLiteral("HEX")));
            QCOMPARE(Cell(dialog, 0, 1), QStringLiteral("FFFF"));
            ClickCancel(dialog);
        });
        QVERIFY(editor.document.PresetTexts == expected);
    }

    void bitPresetHasTheTextsOfZeroAndOne()
    {
        PresetTextEditor editor;
        QVERIFY(editor.Run([](CPresetTextDlg& dialog) {
            QVERIFY(ChooseName(NamedChild<CElementNameCombo>(dialog, "elementName"), QStringLiteral("C3")));
            QCOMPARE(Cell(dialog, 0, 1), QStringLiteral("0"));
            Type(dialog, 0, 2, QStringLiteral("off"));
            // Row 1's text gives it the value 1; the values and later rows take no editor.
            Type(dialog, 1, 2, QStringLiteral("on"));
            QCOMPARE(Cell(dialog, 1, 1), QStringLiteral("1"));
            QVERIFY(dialog.Grid()->EndEdit());
            PressCell(dialog.Grid(), 2, 2);
            QCOMPARE(dialog.Grid()->CurrentEditor(), nullptr);
            PressCell(dialog.Grid(), 0, 1);
            QCOMPARE(dialog.Grid()->CurrentEditor(), nullptr);
            ClickOk(dialog);
        }));
        const std::vector<PresetText> expected = {Preset("Coil", 3, 0, 1, {{0, "off"}, {1, "on"}})};
        QVERIFY(editor.document.PresetTexts == expected);
        QCOMPARE(FileBytes(), FormatPresetTexts(expected));
    }

    void aDynamicTextPlacedAfterOkTakesThePresetsOver()
    {
        PresetTextEditor editor;
        QVERIFY(editor.Run([](CPresetTextDlg& dialog) {
            // C0 and R0 are the elements a new dynamic text is bound to by
            // its placement and by choosing the word type.
            Type(dialog, 0, 2, QStringLiteral("off"));
            Type(dialog, 1, 2, QStringLiteral("on"));
            ChooseWord(dialog, "R0");
            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "valueType"), QStringLiteral("有符号")));
            Type(dialog, 0, 1, QStringLiteral("-1"));
            Type(dialog, 0, 2, QStringLiteral("停止"));
            ClickOk(dialog);
        }));
        QCOMPARE(FileBytes(), FormatPresetTexts(editor.document.PresetTexts));

        editor.Place(Cmd::ToolDynText, {100, 60});
        const auto text =
            std::dynamic_pointer_cast<CTextElement>(editor.document.GetWorkingElements().back().element);
        QVERIFY(text);
        QCOMPARE(text->ElementName, std::string("C0"));
        QVERIFY(text->Entries() == (std::vector<DynTextEntry>{{"off", "0"}, {"on", "1"}}));

        text->SetSigned(1);
        auto* type = FieldOf<QComboBox>(editor.View().DynTextPage, QStringLiteral("类型:"));
        type->setFocus();
        QTest::keyClick(type, Qt::Key_Down);
        QCOMPARE(text->ElementName, std::string("R0"));
        QVERIFY(text->Entries() == (std::vector<DynTextEntry>{{GbkFromUtf8("停止"), "-1"}}));
    }

    void typedValuesStayInTheirRangeAndTextsInTheirBytes()
    {
        PresetTextEditor editor;
        editor.Run([](CPresetTextDlg& dialog) {
            ChooseWord(dialog, "R1");
            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "valueType"), QStringLiteral("HEX")));
            PressCell(dialog.Grid(), 0, 1);
            auto* value = dialog.Grid()->CurrentEditor();
            QVERIFY(value);
            // A fifth HEX digit is refused, not wrapped round.
            QTest::keyClicks(value, "1fffF");
            QCOMPARE(value->text(), QStringLiteral("1FFF"));
            EnterText(value, QStringLiteral("100000000"));
            QCOMPARE(value->text(), QStringLiteral("1FFF"));
            QCOMPARE(Cell(dialog, 0, 1), QStringLiteral("1FFF"));

            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "valueType"), QStringLiteral("无符号")));
            PressCell(dialog.Grid(), 1, 1);
            value = dialog.Grid()->CurrentEditor();
            QTest::keyClicks(value, "65536");
            QCOMPARE(value->text(), QStringLiteral("6553"));

            Type(dialog, 1, 2, QStringLiteral("一二三四五六七八九十一二"));
            auto* text = dialog.Grid()->CurrentEditor();
            QTest::keyClicks(text, "x");
            QCOMPARE(text->text(), QStringLiteral("一二三四五六七八九十一二"));
            ClickCancel(dialog);
        });
    }

    void emptyingEveryRowRemovesThePresetAlsoFromTheFile()
    {
        PresetTextEditor editor;
        editor.document.PresetTexts = {Preset("Register", 9, 0, 1, {{3, "three"}}),
                                       Preset("Coil", 0, 0, 1, {{0, "a"}, {1, "b"}})};
        QVERIFY(editor.Run([](CPresetTextDlg& dialog) {
            ChooseWord(dialog, "R9");
            QCOMPARE(Cell(dialog, 0, 2), QStringLiteral("three"));
            Type(dialog, 0, 2, QString());
            ClickOk(dialog);
        }));
        const std::vector<PresetText> expected = {Preset("Coil", 0, 0, 1, {{0, "a"}, {1, "b"}})};
        QVERIFY(editor.document.PresetTexts == expected);
        QCOMPARE(FileBytes(), FormatPresetTexts(expected));

        QVERIFY(editor.Run([](CPresetTextDlg& dialog) {
            Type(dialog, 0, 2, QString());
            Type(dialog, 1, 2, QString());
            ClickOk(dialog);
        }));
        QVERIFY(editor.document.PresetTexts.empty());
        QCOMPARE(FileBytes(), std::string());
    }

    void okWithoutAPressInTheGridAndCancelStoreNothing()
    {
        PresetTextEditor editor;
        editor.document.ProjectModified = 0;
        QVERIFY(editor.Run([](CPresetTextDlg& dialog) {
            ChooseWord(dialog, "R2");
            ClickOk(dialog);
        }));
        QVERIFY(editor.document.PresetTexts.empty());
        QVERIFY(!QFile::exists(QString::fromStdString(PresetTextPath(Device))));
        // Choosing a name marked the project modified all the same.
        QCOMPARE(editor.document.ProjectModified, 1);

        QVERIFY(!editor.Run([](CPresetTextDlg& dialog) {
            ChooseWord(dialog, "R2");
            Type(dialog, 0, 1, QStringLiteral("1"));
            Type(dialog, 0, 2, QStringLiteral("one"));
            ClickCancel(dialog);
        }));
        QVERIFY(editor.document.PresetTexts.empty());
        QVERIFY(!QFile::exists(QString::fromStdString(PresetTextPath(Device))));
    }

    void noElementToStoreIsRefused()
    {
        PresetTextEditor editor;
        editor.document.AddressTable.erase(editor.document.AddressTable.begin() + 1); // "Register"
        QVERIFY(!editor.Run([&](CPresetTextDlg& dialog) {
            ChooseItem(NamedChild<QComboBox>(dialog, "elementType"), QStringLiteral("16位字元件"));
            QCOMPARE(NamedChild<QComboBox>(dialog, "elementGroup")->count(), 0);
            PressCell(dialog.Grid(), 0, 1);
            ClickOk(dialog);
            QVERIFY(dialog.isVisible());
            ClickCancel(dialog);
        }));
        QCOMPARE(editor.ui->shown, QStringList{"组名或元件名不能为空!"});
    }

    void aFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen()
    {
        PresetTextEditor editor;
        const std::vector<PresetText> before = {Preset("Register", 1, 0, 1, {{1, "old"}})};
        editor.document.PresetTexts = before;
        QVERIFY(WritePresetTextFile(PresetTextPath(Device), before));
        const std::string beforeBytes = FileBytes();
        const QByteArray folder = QFile::encodeName(QString::fromStdString(PresetTextFolder()));
        QVERIFY(chmod(QFile::encodeName(m_programFolder.path()).constData(), 0755) == 0);

        QVERIFY(editor.Run([&](CPresetTextDlg& dialog) {
            ChooseWord(dialog, "R4");
            Type(dialog, 0, 1, QStringLiteral("4"));
            Type(dialog, 0, 2, QStringLiteral("four"));
            QVERIFY(chmod(folder.constData(), 0555) == 0);
            AsUnprivilegedUser([&] { ClickOk(dialog); });
            QVERIFY(chmod(folder.constData(), 0755) == 0);
            QVERIFY(dialog.isVisible());
            QCOMPARE(editor.ui->shown, QStringList{"预设文件写入失败!"});
            QVERIFY(editor.document.PresetTexts == before);
            QCOMPARE(FileBytes(), beforeBytes);
            // Once the folder can be written, OK goes through.
            ClickOk(dialog);
        }));
        QVERIFY(chmod(QFile::encodeName(m_programFolder.path()).constData(), 0700) == 0);
        QCOMPARE(editor.document.PresetTexts.size(), std::size_t(2));
        QCOMPARE(FileBytes(), FormatPresetTexts(editor.document.PresetTexts));
    }
};

QTEST_MAIN(PresetTextDlgTest)
#include "PresetTextDlgTest.moc"
