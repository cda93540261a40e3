#include "settings/ui/CAlarmCellEdit.h"
#include "settings/ui/CAlarmListCtrl.h"
#include "settings/ui/CAlarmScrollBar.h"
#include "StringIds.h"
#include "support/AlarmFixtures.h"
#include "support/PageTesting.h"
#include "support/RecordingUserInterface.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// Types `text` key by key, also characters that QTest::keyClicks refuses.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

QPoint Cell(int displayRow, int column)
{
    return {column == 0 ? 50 : 200, 30 + 20 * displayRow};
}

// The grid in a dialog with a line edit and a default OK button, shown and
// active so that focus changes reach the editor.
struct GridDialog {
    explicit GridDialog(const AddressTable& table, std::vector<AlarmSegment> segments)
    {
        auto* layout = new QVBoxLayout(&dialog);
        grid = new CAlarmListCtrl(table, std::move(segments), 0, &dialog);
        other = new QLineEdit(&dialog);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        buttons->button(QDialogButtonBox::Ok)->setDefault(true);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        layout->addWidget(grid);
        layout->addWidget(other);
        layout->addWidget(buttons);
        ShowActive(dialog);
    }

    void OpenEditorOnTypingRow()
    {
        grid->Perform([](AlarmGrid& g) { g.OpenEditor(g.Entries() - 1, AlarmGrid::EditorText::CaretAtEnd); });
    }
    CAlarmCellEdit* Editor() const { return grid->Editor(); }
    // Types `text` into the editor and presses Enter.
    void Enter(const QString& text)
    {
        QTest::keyClicks(Editor(), text);
        QTest::keyClick(Editor(), Qt::Key_Return);
    }

    QDialog dialog;
    CAlarmListCtrl* grid;
    QLineEdit* other;
};

} // namespace

class AlarmListCtrlTest : public QObject {
    Q_OBJECT

private:
    RecordingUserInterface ui;
    const AddressTable table = {CoilGroup("X", 40)};

private slots:
    void init() { ui.messages.clear(); }

    void enterMakesAnAlarmAndNeverPressesOk()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, {})});
        d.OpenEditorOnTypingRow();
        QVERIFY(d.Editor()->hasFocus());
        d.Enter("first");
        QCOMPARE(RowNames(d.grid->Grid().Shown()), (std::vector<std::string>{"X0", ""}));
        QCOMPARE(d.grid->Grid().CurrentRow(), 1);
        QVERIFY(d.Editor()->hasFocus());
        QCOMPARE(d.Editor()->text(), QString());
        QCOMPARE(d.Editor()->y(), 41);
        // With the grid itself focused, Enter stays there too.
        QTest::mouseClick(d.grid, Qt::LeftButton, {}, Cell(0, 0));
        QVERIFY(!d.Editor());
        QVERIFY(d.grid->hasFocus());
        QTest::keyClick(d.grid, Qt::Key_Return);
        QVERIFY(d.dialog.isVisible());
        QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
    }

    void leavingTheCellCommitsTheTypedAlarm()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, {"a"})});
        d.OpenEditorOnTypingRow();
        QTest::keyClicks(d.Editor(), "b");
        QTest::mouseClick(d.other, Qt::LeftButton);
        QVERIFY(d.other->hasFocus());
        QCOMPARE(RowTexts(d.grid->Grid().Shown()), (std::vector<std::string>{"a", "b", ""}));
        QVERIFY(!d.Editor());
    }

    void clickOnATextCellEditsItWithItsTextSelected()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, {"a", "bb"})});
        d.OpenEditorOnTypingRow();
        QTest::keyClicks(d.Editor(), "c");
        QTest::mouseClick(d.grid, Qt::LeftButton, {}, Cell(1, 1));
        QCOMPARE(d.grid->Grid().Entries(), 4);
        QCOMPARE(d.Editor()->text(), QStringLiteral("bb"));
        QCOMPARE(d.Editor()->selectedText(), QStringLiteral("bb"));
        QTest::keyClick(d.Editor(), Qt::Key_Down);
        QCOMPARE(d.Editor()->text(), QStringLiteral("c"));
        QTest::keyClick(d.Editor(), Qt::Key_Up);
        QCOMPARE(d.grid->Grid().CurrentRow(), 1);
    }

    void the33rdAlarmIsRefused()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, AlarmTexts(32))});
        d.OpenEditorOnTypingRow();
        d.Enter("too many");
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].stringId, int(IdsAlarmSegmentFull));
        QCOMPARE(d.grid->Grid().Entries(), 33);
        QVERIFY(d.Editor());
        QCOMPARE(d.Editor()->text(), QString());
    }

    void scrollBarAppearsAt18Rows()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, AlarmTexts(16))});
        d.OpenEditorOnTypingRow();
        QVERIFY(!d.grid->ScrollBar()->isVisible());
        d.Enter("17th");
        QVERIFY(d.grid->ScrollBar()->isVisible());
        QCOMPARE(d.grid->ScrollBar()->maximum(), 20);
        QCOMPARE(d.grid->ScrollBar()->value(), 20);
        // The new typing row is on the last display row, left of the bar.
        QCOMPARE(d.Editor()->y(), 20 * 16 + 21);
        QCOMPARE(d.Editor()->geometry().right(), 358 - 15 - 2);

        // Dragging the thumb to 9 shows row 0, to 15 row 1.
        d.grid->ScrollBar()->setValue(9);
        QCOMPARE(d.grid->Grid().TopRow(), 0);
        QCOMPARE(d.grid->ScrollBar()->value(), 0);
        QVERIFY(!d.Editor());
        d.grid->ScrollBar()->setValue(15);
        QCOMPARE(d.grid->Grid().TopRow(), 1);
        QCOMPARE(d.grid->ScrollBar()->value(), 20);
    }

    void wheelMovesOneRowATurn()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, AlarmTexts(5))});
        d.grid->Perform([](AlarmGrid& g) { g.OpenEditor(0, AlarmGrid::EditorText::Selected); });
        QWheelEvent wheel(QPointF(200, 30), d.Editor()->mapToGlobal(QPointF(10, 5)), {}, QPoint(0, -360),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(d.Editor(), &wheel);
        QCOMPARE(d.grid->Grid().CurrentRow(), 1);
        QCOMPARE(d.Editor()->selectedText(), QStringLiteral("a1"));
    }

    void longTextsAreCutWhileTyped()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, {})});
        d.OpenEditorOnTypingRow();
        QTest::keyClicks(d.Editor(), QString(30, QLatin1Char('x')));
        QCOMPARE(d.Editor()->text(), QString(24, QLatin1Char('x')));
        QCOMPARE(d.Editor()->cursorPosition(), 24);
        QCOMPARE(d.grid->Grid().Shown().Entries[0].Text, std::string(24, 'x'));

        const QString chinese = QStringLiteral("报警文字报警文字报警文字报警");
        d.Editor()->clear();
        Type(d.Editor(), chinese);
        QCOMPARE(d.Editor()->text(), chinese.left(12));
    }

    void paintsItsRows()
    {
        GridDialog d(table, {AlarmSegmentOf(table[0], 0, AlarmTexts(20))});
        d.OpenEditorOnTypingRow();
        const QImage image = d.grid->grab().toImage();
        QVERIFY(image.save(QStringLiteral("alarm_grid.png")));
        // A row line in the name column.
        QCOMPARE(image.pixelColor(60, 40), QColor(190, 190, 190));
    }
};

QTEST_MAIN(AlarmListCtrlTest)
#include "AlarmListCtrlTest.moc"
