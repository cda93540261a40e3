// The value grid hosted in a small owner that opens editors on the presses
// the grid passes on, as the dynamic-text page and the preset dialog do.

#include "support/RecordingUserInterface.h"
#include "widgets/CEditListCtrl.h"
#include "widgets/CListCellEdit.h"
#include "widgets/DynamicTextRows.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

namespace {

struct Report {
    QString text;
    int row;
    int column;
};

class ValueGridOwner : public QWidget {
public:
    ValueGridOwner()
    {
        auto* layout = new QHBoxLayout(this);
        grid = new CEditListCtrl(this);
        other = new QLineEdit(this);
        layout->addWidget(grid);
        layout->addWidget(other);
        grid->AddColumn(QString(), 0, Qt::AlignCenter);
        grid->AddColumn(QStringLiteral("数值"), 80);
        grid->AddColumn(QStringLiteral("内容"), 200);
        grid->setRowCount(CEditListCtrl::kTableRows);
        resize(420, 300);
        connect(grid, &CEditListCtrl::leftButtonPressed, this, [this](const QPoint& point) {
            int column = 0;
            const int row = grid->HitTestCell(point, &column);
            if (row >= 0 && column != 0)
                grid->EditCell(row, column);
        });
        connect(grid, &CEditListCtrl::cellTextChanged, this,
                [this](const QString& text, int row, int column) { reports.push_back({text, row, column}); });
    }

    QStringList ReportedTexts() const
    {
        QStringList texts;
        for (const auto& r : reports)
            texts << r.text;
        return texts;
    }

    QPoint CellCentre(int row, int column) const
    {
        return {grid->columnViewportPosition(column) + grid->columnWidth(column) / 2,
                grid->rowViewportPosition(row) + grid->rowHeight(row) / 2};
    }

    CEditListCtrl* grid;
    QLineEdit* other;
    std::vector<Report> reports;
};

// A dynamic text's entries as the page would expose them.
class FakeDynamicText : public DynamicTextRows {
public:
    explicit FakeDynamicText(int wordSize) : m_wordSize(wordSize) {}
    int EntryCount() const override { return static_cast<int>(entries.size()); }
    void AppendEmptyEntry() override { entries.emplace_back(); }
    void SetEntryValue(int index, const std::string& value) override { entries.at(index).second = value; }
    int WordSize() const override { return m_wordSize; }

    std::vector<std::pair<std::string, std::string>> entries; // text, value

private:
    int m_wordSize;
};

} // namespace

class EditListCtrlTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ValueGridOwner> owner;
    std::unique_ptr<RecordingUserInterface> ui;

    CListCellEdit* Open(int row, int column)
    {
        auto* editor = owner->grid->EditCell(row, column);
        owner->reports.clear();
        return editor;
    }

private slots:
    void init()
    {
        ui = std::make_unique<RecordingUserInterface>();
        owner = std::make_unique<ValueGridOwner>();
        owner->show();
        QVERIFY(QTest::qWaitForWindowActive(owner.get()));
    }

    void cleanup()
    {
        owner.reset();
        ui.reset();
    }

    void editCellRefusesColumnZeroAndMissingCells()
    {
        CEditListCtrl* grid = owner->grid;
        QCOMPARE(grid->EditCell(0, 0), nullptr);
        QCOMPARE(grid->EditCell(0, 3), nullptr);
        QCOMPARE(grid->EditCell(CEditListCtrl::kTableRows, 1), nullptr);
        grid->setColumnWidth(2, 4);
        QCOMPARE(grid->EditCell(0, 2), nullptr);
        QCOMPARE(grid->CurrentEditor(), nullptr);
    }

    void pressOpensEditorOnTheCellAndReportsItsText()
    {
        owner->grid->SetCellText(3, 2, QStringLiteral("abc"));
        QTest::mouseClick(owner->grid->viewport(), Qt::LeftButton, {}, owner->CellCentre(3, 2));
        auto* editor = qobject_cast<CListCellEdit*>(owner->grid->CurrentEditor());
        QVERIFY(editor);
        QCOMPARE(editor->Row(), 3);
        QCOMPARE(editor->Column(), 2);
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->selectedText(), QStringLiteral("abc"));
        QCOMPARE(owner->reports.size(), std::size_t(1));
        QCOMPARE(owner->reports[0].text, QStringLiteral("abc"));
        QCOMPARE(owner->reports[0].row, 3);
        QCOMPARE(owner->reports[0].column, 2);
        // A press outside every cell opens nothing.
        QCOMPARE(owner->grid->HitTestCell(QPoint(-5, 5)), -1);
    }

    void refusedCharacterBringsBackTheSavedText()
    {
        owner->grid->SetFilterMode(ValueFilter::DecimalDigits);
        owner->grid->SetSavedText(QStringLiteral("5"));
        auto* editor = Open(3, 1);
        QTest::keyClicks(editor, QStringLiteral("12a"));
        QCOMPARE(editor->text(), QStringLiteral("5"));
        QCOMPARE(owner->ReportedTexts(), (QStringList{"1", "12", "5"}));
        QCOMPARE(owner->grid->CellText(3, 1), QStringLiteral("5"));
    }

    void signedAndHexadecimalFilters()
    {
        owner->grid->SetFilterMode(ValueFilter::SignedDecimal);
        owner->grid->SetSavedText(QStringLiteral("7"));
        auto* editor = Open(0, 1);
        QTest::keyClicks(editor, QStringLiteral("-5"));
        QCOMPARE(owner->grid->CellText(0, 1), QStringLiteral("-5"));
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("5-"));
        QCOMPARE(editor->text(), QStringLiteral("7"));

        owner->grid->SetFilterMode(ValueFilter::HexDigits);
        editor->clear();
        owner->reports.clear();
        QTest::keyClicks(editor, QStringLiteral("1f"));
        QCOMPARE(owner->ReportedTexts().last(), QStringLiteral("1F"));
        QCOMPARE(owner->grid->CellText(0, 1), QStringLiteral("1F"));
    }

    void enterCommitsTheNormalisedValueAndKeepsEditing()
    {
        owner->grid->SetFilterMode(ValueFilter::DecimalDigits);
        auto* editor = Open(2, 1);
        QTest::keyClicks(editor, QStringLiteral("007"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(owner->grid->CellText(2, 1), QStringLiteral("7"));
        QCOMPARE(owner->grid->CurrentEditor(), editor);
        QVERIFY(editor->isVisible());
        QVERIFY(editor->hasFocus());
        // The owner hears what was typed; only the cell is normalised.
        QCOMPARE(owner->ReportedTexts().last(), QStringLiteral("007"));

        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("000"));
        QCOMPARE(owner->grid->CellText(2, 1), QStringLiteral("0"));

        QSignalSpy emptied(owner->grid, &CEditListCtrl::cellEmptied);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(owner->grid->CellText(2, 1), QString());
        QCOMPARE(emptied.count(), 1);
        QCOMPARE(emptied.at(0).at(0).toInt(), 2);
        QCOMPARE(emptied.at(0).at(1).toInt(), 1);
    }

    void escapeEndsTheEditAndKeepsWhatWasTyped()
    {
        owner->grid->SetCellText(1, 2, QStringLiteral("old"));
        auto* editor = Open(1, 2);
        QTest::keyClicks(editor, QStringLiteral("new"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(owner->grid->CurrentEditor(), nullptr);
        QVERIFY(!editor->isVisible());
        QCOMPARE(owner->grid->CellText(1, 2), QStringLiteral("new"));
    }

    void ownerEndingTheEditCommitsAndFocusesTheGrid()
    {
        owner->grid->SetFilterMode(ValueFilter::DecimalDigits);
        auto* editor = Open(4, 1);
        QTest::keyClicks(editor, QStringLiteral("09"));
        QVERIFY(owner->grid->EndEdit());
        QCOMPARE(owner->grid->CurrentEditor(), nullptr);
        QVERIFY(!editor->isVisible());
        QVERIFY(owner->grid->hasFocus());
        QCOMPARE(owner->grid->CellText(4, 1), QStringLiteral("9"));
        QVERIFY(owner->grid->EndEdit());
    }

    void repeatedValuesWarnOnceWhenTheEditorCloses()
    {
        owner->grid->SetFilterMode(ValueFilter::DecimalDigits);
        owner->grid->SetCellText(0, 1, QStringLiteral("5"));
        auto* editor = Open(1, 1);
        QTest::keyClicks(editor, QStringLiteral("5"));
        QVERIFY(ui->messages.empty());
        QTest::mouseClick(owner->other, Qt::LeftButton);
        QCOMPARE(owner->grid->CurrentEditor(), nullptr);
        QCOMPARE(ui->MessageIds(), std::vector<int>{61379});
        // Nothing is reverted.
        QCOMPARE(owner->grid->CellText(0, 1), QStringLiteral("5"));
        QCOMPARE(owner->grid->CellText(1, 1), QStringLiteral("5"));

        // Each closing editor warns again while the repeat remains.
        Open(3, 2);
        owner->other->setFocus();
        QCOMPARE(ui->MessageIds(), (std::vector<int>{61379, 61379}));
    }

    void tableModeArrowsKeepToTwoRowsWhenLimited()
    {
        CEditListCtrl* grid = owner->grid;
        grid->SetDynamicTextMode(false);
        grid->SetCellText(0, 1, QStringLiteral("0"));
        auto* editor = Open(0, 2);
        QTest::keyClick(editor, Qt::Key_Down);
        auto* below = qobject_cast<CListCellEdit*>(grid->CurrentEditor());
        QVERIFY(below && below != editor);
        QCOMPARE(below->Row(), 1);
        QCOMPARE(grid->CellText(1, 1), QStringLiteral("1"));
        QVERIFY(!editor->isVisible());
        QTest::keyClick(below, Qt::Key_Down);
        QCOMPARE(grid->CurrentEditor(), below);

        // Unlimited, the text cell of a row without a value is not entered.
        grid->SetTwoRowLimit(false);
        QTest::keyClick(below, Qt::Key_Down);
        QCOMPARE(grid->CurrentEditor(), below);
        QTest::keyClick(below, Qt::Key_Up);
        auto* above = qobject_cast<CListCellEdit*>(grid->CurrentEditor());
        QVERIFY(above);
        QCOMPARE(above->Row(), 0);
        QTest::keyClick(above, Qt::Key_Up);
        QCOMPARE(grid->CurrentEditor(), above);
    }

    void bitDynamicTextDownGivesRowOneTheValueOne()
    {
        FakeDynamicText text(0);
        text.entries = {{"off", "0"}};
        CEditListCtrl* grid = owner->grid;
        grid->SetDynamicText(&text);
        grid->SetCellText(0, 1, QStringLiteral("0"));
        grid->SetCellText(0, 2, QStringLiteral("off"));

        auto* editor = Open(0, 2);
        QTest::keyClick(editor, Qt::Key_Down);
        auto* below = qobject_cast<CListCellEdit*>(grid->CurrentEditor());
        QVERIFY(below);
        QCOMPARE(below->Row(), 1);
        QCOMPARE(grid->CellText(1, 1), QStringLiteral("1"));
        QVERIFY(text.entries.size() >= 2);
        QCOMPARE(text.entries[1].second, std::string("1"));

        // A bit has two rows: Down from row 1 does nothing.
        QTest::keyClick(below, Qt::Key_Down);
        QCOMPARE(grid->CurrentEditor(), below);
        // Moving back and forth does not keep adding entries.
        QTest::keyClick(below, Qt::Key_Up);
        QTest::keyClick(grid->CurrentEditor(), Qt::Key_Down);
        const std::size_t entries = text.entries.size();
        QTest::keyClick(grid->CurrentEditor(), Qt::Key_Up);
        QTest::keyClick(grid->CurrentEditor(), Qt::Key_Down);
        QCOMPARE(text.entries.size(), entries);
    }

    void wordDynamicTextDownCreatesEntriesAndSkipsTextWithoutValue()
    {
        FakeDynamicText text(16);
        text.entries = {{"a", "0"}};
        CEditListCtrl* grid = owner->grid;
        grid->SetDynamicText(&text);
        grid->SetCellText(0, 1, QStringLiteral("0"));

        auto* editor = Open(0, 2);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(grid->CurrentEditor(), editor);

        auto* valueEditor = Open(0, 1);
        QTest::keyClick(valueEditor, Qt::Key_Down);
        QVERIFY(grid->CurrentEditor() != valueEditor);
        QCOMPARE(text.entries.size(), std::size_t(2));
    }

    void dynamicTextArrowsDoNothingWithoutABoundText()
    {
        CEditListCtrl* grid = owner->grid;
        grid->SetCellText(0, 1, QStringLiteral("0"));
        grid->SetCellText(1, 1, QStringLiteral("1"));
        auto* editor = Open(0, 1);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(grid->CurrentEditor(), editor);
        auto* lower = Open(1, 1);
        QTest::keyClick(lower, Qt::Key_Up);
        QCOMPARE(grid->CurrentEditor(), lower);
    }

    void dynamicTextArrowsStopWhenTheOwnerAppendsNothing()
    {
        // The owner's text is gone: it appends no entry, and Down gives up.
        struct GoneText : FakeDynamicText {
            GoneText() : FakeDynamicText(16) {}
            void AppendEmptyEntry() override {}
        } text;
        CEditListCtrl* grid = owner->grid;
        grid->SetDynamicText(&text);
        auto* editor = Open(0, 1);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(text.EntryCount(), 0);
    }

    void dynamicTextArrowsEndTheEditOnRepeatedValues()
    {
        FakeDynamicText text(16);
        text.entries = {{"a", "5"}, {"b", "5"}};
        CEditListCtrl* grid = owner->grid;
        grid->SetDynamicText(&text);
        grid->SetCellText(0, 1, QStringLiteral("5"));
        grid->SetCellText(1, 1, QStringLiteral("5"));
        auto* editor = Open(0, 1);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(grid->CurrentEditor(), nullptr);
        QCOMPARE(ui->MessageIds(), std::vector<int>{61379});
    }

    void scrollingEndsTheEdit()
    {
        auto* editor = Open(0, 2);
        QTest::keyClicks(editor, QStringLiteral("kept"));
        owner->grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(owner->grid->CurrentEditor(), nullptr);
        QCOMPARE(owner->grid->CellText(0, 2), QStringLiteral("kept"));

        Open(1, 2);
        QWheelEvent wheel(QPointF(20, 20), owner->grid->viewport()->mapToGlobal(QPointF(20, 20)), {}, {0, -120},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(owner->grid->viewport(), &wheel);
        QCOMPARE(owner->grid->CurrentEditor(), nullptr);
    }

    void bitShadingPaintsTheValueColumnAndLaterTexts()
    {
        CEditListCtrl* grid = owner->grid;
        grid->SetCellText(0, 2, QStringLiteral("off"));
        grid->SetBitShading(true);
        const QImage image = grid->viewport()->grab().toImage();
        auto pixel = [&](int row, int column) {
            return QColor(image.pixel(grid->columnViewportPosition(column) + 3,
                                      grid->rowViewportPosition(row) + grid->rowHeight(row) / 2));
        };
        const QColor shade(213, 210, 205);
        QCOMPARE(pixel(0, 1), shade);
        QCOMPARE(pixel(5, 1), shade);
        QCOMPARE(pixel(5, 2), shade);
        QVERIFY(pixel(0, 2) != shade);
        QVERIFY(pixel(1, 2) != shade);
    }
};

QTEST_MAIN(EditListCtrlTest)
#include "EditListCtrlTest.moc"
