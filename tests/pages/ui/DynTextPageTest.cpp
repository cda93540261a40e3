// The dynamic-text page in the editor, on a document with the shipped device:
// the value/text grid edited in place, the format, double size, the presets
// and what a saved project keeps.

#include "base/GbkText.h"
#include "model/elements/CTextElement.h"
#include "pages/ui/CDynTextPropertyDlg.h"
#include "shell/ui/ProjectOpen.h"
#include "support/PageTesting.h"
#include "support/PresetTextFixtures.h"
#include "support/ScriptedEditor.h"
#include "widgets/CEditListCtrl.h"
#include "widgets/InPlaceCellEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct DynTextEditor : ScriptedEditor {
    std::shared_ptr<CTextElement> PlaceText(QPoint at = {100, 60})
    {
        Place(Cmd::ToolDynText, at);
        return std::dynamic_pointer_cast<CTextElement>(document.GetWorkingElements().back().element);
    }
    // A placed text bound to the first 16-bit word.
    std::shared_ptr<CTextElement> PlaceWordText()
    {
        const auto text = PlaceText();
        Type()->setFocus();
        QTest::keyClick(Type(), Qt::Key_Down);
        return text;
    }
    CDynTextPropertyDlg* Page() const { return View().DynTextPage; }
    CEditListCtrl* Grid() const { return Page()->findChild<CEditListCtrl*>(); }
    QComboBox* Type() const { return FieldOf<QComboBox>(Page(), QStringLiteral("类型:")); }
    QLineEdit* X() const { return FieldOf<QLineEdit>(Page(), QStringLiteral("X:")); }
    QLineEdit* Station() const { return FieldOf<QLineEdit>(Page(), QStringLiteral("局号:")); }
    template <class Button>
    Button* ButtonOf(const char* text) const
    {
        for (Button* button : Page()->findChildren<Button*>())
            if (button->text() == QString::fromUtf8(text))
                return button;
        return nullptr;
    }
    std::size_t Snapshots() const { return document.UndoHistory.size(); }

    // Presses cell (row, column) of the grid and returns the editor it opens.
    QLineEdit* EditCell(int row, int column) const
    {
        CEditListCtrl* grid = Grid();
        grid->scrollToItem(grid->item(row, column));
        const QPoint centre(grid->columnViewportPosition(column) + grid->columnWidth(column) / 2,
            grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
        return grid->CurrentEditor();
    }
    QString Cell(int row, int column) const { return Grid()->CellText(row, column); }
};

} // namespace

class DynTextPageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void aPlacedTextShowsItsFirstEntry()
    {
        DynTextEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto text = editor.PlaceText();
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.Page()});
        QCOMPARE(text->GetSize(), (DotSize{80, 16}));
        QCOMPARE(editor.Cell(0, 1), QString("0"));
        QCOMPARE(editor.Cell(0, 2), QString("动态文本串"));
        QCOMPARE(editor.Cell(1, 2), QString());
        QCOMPARE(editor.Grid()->rowCount(), 128);
        QCOMPARE(editor.Type()->currentText(), QString("位元件"));
        QCOMPARE(text->GroupName, std::string("Coil"));
        QCOMPARE(text->ElementName, std::string("C0"));
        QVERIFY(editor.Grid()->BitShading());
        QVERIFY(editor.ButtonOf<QRadioButton>("十进制")->isChecked());
        QCOMPARE(editor.Grid()->FilterMode(), ValueFilter::DecimalDigits);
        QVERIFY(ShowsWholeLayout(editor.Page()));
        QVERIFY(SavePicture(editor.frame.get(), "dyntext-page.png"));
    }

    void aHexValueIsStoredInDecimalWithOneSnapshotPerCharacter()
    {
        DynTextEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto text = editor.PlaceWordText();
        QCOMPARE(text->WordSize, 16);
        QVERIFY(!editor.Grid()->BitShading());
        ClickButton(editor.ButtonOf<QRadioButton>("HEX/BCD"));
        QCOMPARE(text->IsHexBcd(), 1);
        QCOMPARE(editor.Grid()->FilterMode(), ValueFilter::HexDigits);

        std::size_t snapshots = editor.Snapshots();
        QLineEdit* cell = editor.EditCell(0, 1);
        QVERIFY(cell);
        // Opening the editor takes no snapshot.
        QCOMPARE(editor.Snapshots(), snapshots);
        QTest::keyClick(cell, Qt::Key_Backspace);
        QTest::keyClicks(cell, "1A");
        QCOMPARE(text->GetStateValue(0), std::string("26"));
        QCOMPARE(cell->text(), QString("1A"));
        QCOMPARE(editor.Cell(0, 1), QString("1A"));
        QCOMPARE(editor.Snapshots(), snapshots + 3);

        // Past FFFF the value comes back; "G" cannot be typed.
        QTest::keyClicks(cell, "345");
        QCOMPARE(cell->text(), QString("1A34"));
        QCOMPARE(text->GetStateValue(0), std::string("6708"));
        QTest::keyClick(cell, Qt::Key_G);
        QCOMPARE(cell->text(), QString("1A34"));
        QCOMPARE(text->GetStateValue(0), std::string("6708"));

        // The decimal radio shows the stored numbers again.
        QTest::keyClick(cell, Qt::Key_Return);
        editor.Station()->setFocus();
        ClickButton(editor.ButtonOf<QRadioButton>("十进制"));
        QCOMPARE(editor.Cell(0, 1), QString("6708"));
    }

    void upAndDownInTheValueCellAppendEntries()
    {
        DynTextEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto text = editor.PlaceWordText();
        QCOMPARE(text->GetEntryCount(), 1);
        const std::size_t snapshots = editor.Snapshots();
        QLineEdit* cell = editor.EditCell(0, 1);
        QTest::keyClick(cell, Qt::Key_Down);
        QCOMPARE(text->GetEntryCount(), 2);
        cell = editor.Grid()->CurrentEditor();
        QVERIFY(cell);
        QTest::keyClicks(cell, "7");
        QCOMPARE(text->GetStateValue(1), std::string("7"));
        QTest::keyClick(cell, Qt::Key_Down);
        QCOMPARE(text->GetEntryCount(), 3);
        QTest::keyClick(editor.Grid()->CurrentEditor(), Qt::Key_Up);
        QTest::keyClick(editor.Grid()->CurrentEditor(), Qt::Key_Up);
        QCOMPARE(editor.Grid()->CurrentEditor()->Row(), 0);
        QCOMPARE(text->GetStateValue(1), std::string("7"));
        // Only the typed character took a snapshot.
        QCOMPARE(editor.Snapshots(), snapshots + 1);
        QCOMPARE(editor.document.ProjectModified, 1);

        // A click on the value cell of row 5 gives every row up to it an entry.
        QLineEdit* onFive = editor.EditCell(5, 1);
        QCOMPARE(text->GetEntryCount(), 6);
        // The text of a row without a value is not edited: the click leaves
        // the open editor as it is.
        QCOMPARE(editor.EditCell(4, 2), onFive);
    }

    void aClickAfterRepeatedValuesOnlyClosesTheEditor()
    {
        DynTextEditor editor;
        ShowActive(*editor.frame);
        const auto text = editor.PlaceWordText();
        // Row 1's value typed equal to row 0's.
        QLineEdit* cell = editor.EditCell(1, 1);
        QVERIFY(cell);
        QTest::keyClicks(cell, "0");
        const std::vector<DynTextEntry> repeated{{GbkFromUtf8("动态文本串"), "0"}, {"", "0"}};
        QCOMPARE(text->Entries(), repeated);

        // A click on row 0's text or value closes the editor with the
        // warning and opens none: the next keys change no cell.
        for (const int column : {2, 1}) {
            if (!editor.Grid()->CurrentEditor())
                QVERIFY(editor.EditCell(1, 1));
            editor.ui->shown.clear();
            QCOMPARE(editor.EditCell(0, column), nullptr);
            QCOMPARE(editor.ui->shown, QStringList{"动态文本串数值不能重复!"});
            if (QWidget* focus = QApplication::focusWidget())
                QTest::keyClicks(focus, "7");
            QCOMPARE(text->Entries(), repeated);
        }

        // Once the value is mended, a click opens the editor again.
        editor.ui->shown.clear();
        cell = editor.EditCell(1, 1);
        QTest::keyClick(cell, Qt::Key_Backspace);
        QTest::keyClicks(cell, "1");
        QVERIFY(editor.EditCell(0, 2));
        QVERIFY(editor.ui->shown.isEmpty());
        QCOMPARE(text->GetStateValue(1), std::string("1"));
    }

    void entryTextsKeepTheirLimitsAndTheWidthFollowsTheLongest()
    {
        DynTextEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto text = editor.PlaceText({20, 20});
        QLineEdit* cell = editor.EditCell(0, 2);
        QVERIFY(cell);
        cell->selectAll();
        QTest::keyClicks(cell, QString(24, 'a'));
        QCOMPARE(text->GetStateText(0), std::string(24, 'a'));
        QCOMPARE(text->GetBox().w, 192);
        QCOMPARE(text->GetPosition().x, 0);
        QTest::keyClick(cell, Qt::Key_B);
        QCOMPARE(cell->text(), QString(24, 'a'));
        QCOMPARE(text->GetStateText(0), std::string(24, 'a'));

        // The only text of the table cannot be emptied.
        cell->selectAll();
        QTest::keyClick(cell, Qt::Key_Delete);
        QCOMPARE(cell->text(), QString(24, 'a'));
        cell->setText(QString(14, 'a'));
        QCOMPARE(text->GetBox().w, 112);

        // Row 1 of a bit takes the value 1 and a text of its own.
        QLineEdit* second = editor.EditCell(1, 2);
        QVERIFY(second);
        QCOMPARE(text->GetState(1), (DynTextEntry{"", "1"}));
        QTest::keyClicks(second, "on");
        QCOMPARE(editor.Cell(1, 1), QString("1"));

        // Double size cuts the 14 bytes to 12: 192 x 32 at x 0.
        ClickButton(editor.ButtonOf<QCheckBox>("倍角"));
        QCOMPARE(text->GetStateText(0), std::string(12, 'a'));
        QCOMPARE(text->GetBox(), (DotBox{0, text->GetPosition().y, 192, 32}));
        QCOMPARE(editor.X()->text(), QString("0"));
        QCOMPARE(editor.Cell(0, 2), QString(12, 'a'));
        // At double size the 13th byte is refused.
        cell = editor.EditCell(1, 2);
        cell->setText(QString(13, 'b'));
        QCOMPARE(text->GetStateText(1), std::string("on"));
        QCOMPARE(cell->text(), QString("on"));
    }

    void formatsMarkTheProjectModified()
    {
        DynTextEditor editor;
        const auto text = editor.PlaceWordText();
        text->SetState(0, "minus one", "-1");
        ClickButton(editor.ButtonOf<QCheckBox>("有符号数"));
        QCOMPARE(text->IsSigned(), 1);
        QCOMPARE(editor.Cell(0, 1), QString("-1"));
        QCOMPARE(editor.Grid()->FilterMode(), ValueFilter::SignedDecimal);
        ClickButton(editor.ButtonOf<QCheckBox>("有符号数"));
        QCOMPARE(editor.Cell(0, 1), QString("65535"));
        QCOMPARE(text->GetStateValue(0), std::string("-1"));

        editor.document.ProjectModified = 0;
        std::size_t snapshots = editor.Snapshots();
        ClickButton(editor.ButtonOf<QRadioButton>("HEX/BCD"));
        QCOMPARE(editor.Cell(0, 1), QString("FFFF"));
        QVERIFY(!editor.ButtonOf<QCheckBox>("有符号数")->isEnabled());
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.Snapshots(), ++snapshots);
        // Choosing the format the text has changes nothing.
        ClickButton(editor.ButtonOf<QRadioButton>("HEX/BCD"));
        QCOMPARE(editor.Snapshots(), snapshots);

        editor.document.ProjectModified = 0;
        ClickButton(editor.ButtonOf<QRadioButton>("十进制"));
        QCOMPARE(text->GetStateValue(0), std::string("65535"));
        QCOMPARE(text->IsHexBcd(), 0);
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.Snapshots(), ++snapshots);
    }

    void theBitTypeKeepsRowsZeroAndOne()
    {
        DynTextEditor editor;
        const auto text = editor.PlaceWordText();
        text->SetEntries({{"a", "5"}, {"b", "6"}, {"c", "7"}});
        editor.Type()->setFocus();
        QTest::keyClick(editor.Type(), Qt::Key_Up);
        QCOMPARE(text->WordSize, 0);
        QCOMPARE(text->Entries(), (std::vector<DynTextEntry>{{"a", "0"}, {"b", "1"}, {"", ""}}));
        QCOMPARE(editor.Cell(2, 2), QString());
        QVERIFY(editor.Grid()->BitShading());
        // Neither a value nor a row after row 1 is edited.
        QCOMPARE(editor.EditCell(0, 1), nullptr);
        QCOMPARE(editor.EditCell(2, 2), nullptr);
    }

    void presetsAreTakenOverByAddress()
    {
        DynTextEditor editor;
        // A preset of the first bit element: a placed text takes it over.
        editor.document.PresetTexts = {ThreePairPreset("Coil", 0)};
        const auto placed = editor.PlaceText({300, 60});
        QCOMPARE(placed->GetEntryCount(), 3);
        QCOMPARE(placed->GetSize(), (DotSize{96, 16}));
        QCOMPARE(editor.Cell(1, 2), QString("running fast"));

        // A word element's preset arrives with its type; signed, 65535 is -1.
        editor.document.PresetTexts.push_back(ThreePairPreset("Register", 0));
        const auto text = editor.PlaceText();
        text->SetEntries({{"x", "0"}});
        text->SetSigned(1);
        editor.Type()->setFocus();
        QTest::keyClick(editor.Type(), Qt::Key_Down);
        QCOMPARE(text->GroupName, std::string("Register"));
        QCOMPARE(text->GetStateValue(2), std::string("-1"));
        QCOMPARE(editor.Cell(2, 1), QString("-1"));

        // The type's snapshot holds the preset: undo and redo bring it back.
        editor.frame->ExecuteCommand(Cmd::Undo);
        editor.frame->ExecuteCommand(Cmd::Redo);
        const auto redone =
            std::dynamic_pointer_cast<CTextElement>(editor.document.GetWorkingElements().back().element);
        QCOMPARE(redone->GroupName, std::string("Register"));
        QCOMPARE(redone->GetEntryCount(), 3);
        QCOMPARE(redone->GetStateValue(2), std::string("-1"));
    }

    void theGridShowsItsRowsOfALongerTable()
    {
        DynTextEditor editor;
        const auto text = editor.PlaceWordText();
        std::vector<DynTextEntry> entries;
        for (int k = 0; k < 130; ++k)
            entries.push_back({"t" + std::to_string(k), std::to_string(k)});
        text->SetEntries(entries);
        editor.Page()->LoadFromElement();
        QCOMPARE(editor.Grid()->rowCount(), 128);
        QCOMPARE(editor.Cell(127, 2), QString("t127"));
    }

    void keysInTheGridStayOnThePage()
    {
        DynTextEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto text = editor.PlaceText();
        const DotPoint at = text->GetPosition();
        editor.Grid()->setFocus();
        for (const auto key : {Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right})
            QTest::keyClick(editor.Grid(), key);
        QCOMPARE(editor.document.GetWorkingElements().size(), std::size_t(1));
        QCOMPARE(text->GetPosition(), at);
    }

    void aSavedProjectKeepsWhatThePageSet()
    {
        DynTextEditor editor;
        const auto text = editor.PlaceWordText();
        QLineEdit* cell = editor.EditCell(0, 2);
        cell->setText("off");
        cell = editor.EditCell(1, 1);
        QTest::keyClicks(cell, "-5");
        editor.Station()->setFocus();
        ClickButton(editor.ButtonOf<QCheckBox>("有符号数"));
        cell = editor.EditCell(1, 1);
        cell->setText("-5");
        cell = editor.EditCell(1, 2);
        cell->setText("minus");
        editor.Station()->setFocus();
        EnterText(editor.Station(), "9");
        ClickButton(editor.ButtonOf<QCheckBox>("反相"));
        ClickButton(editor.ButtonOf<QCheckBox>("倍角"));
        const std::vector<DynTextEntry> entries = text->Entries();
        const DotBox box = text->GetBox();

        QTemporaryDir folder;
        const QString path = folder.filePath("texts.opf");
        editor.ui->files = {path};
        editor.frame->ExecuteCommand(Cmd::FileSave);
        QVERIFY(OpenProjectInto(*editor.frame, path));
        const auto back = std::dynamic_pointer_cast<CTextElement>(
            editor.document.FindScreenByNumber(1)->Elements.back().element);
        QVERIFY(back && back->IsDynamic());
        QCOMPARE(back->Entries(), (std::vector<DynTextEntry>{{"off", "0"}, {"minus", "-5"}}));
        QCOMPARE(entries, back->Entries());
        QCOMPARE(back->GetBox(), box);
        QCOMPARE(back->GetStation(), 9);
        QCOMPARE(back->IsSigned(), 1);
        QCOMPARE(back->IsInverse(), 1);
        QCOMPARE(back->GetDoubleSize(), 1);
        QCOMPARE(back->WordSize, 16);
        QCOMPARE(back->GroupName, std::string("Register"));
        QCOMPARE(back->ElementName, text->ElementName);
    }
};

QTEST_MAIN(DynTextPageTest)
#include "DynTextPageTest.moc"
