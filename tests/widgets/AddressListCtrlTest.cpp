// The address grid hosted in a small owner that handles the presses the
// list passes on the way the address-table editor does: the number column
// selects rows, a name or address cell ends the running edit and opens an
// editor on the cell.

#include "base/GbkText.h"
#include "support/RecordingUserInterface.h"
#include "widgets/CAddressCellEdit.h"
#include "widgets/CAddressListCtrl.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

namespace {

class AddressGridOwner : public QWidget {
public:
    AddressGridOwner()
    {
        auto* layout = new QHBoxLayout(this);
        list = new CAddressListCtrl(this);
        other = new QLineEdit(this);
        layout->addWidget(list);
        layout->addWidget(other);
        list->AddColumn(QStringLiteral("序号"), 40, Qt::AlignCenter);
        list->AddColumn(QStringLiteral("元件名"), 120);
        list->AddColumn(QStringLiteral("地址(0x)"), 100);
        list->SetInTab(true);
        list->SetCanEdit(true);
        resize(420, 400);
        connect(list, &CAddressListCtrl::leftButtonPressed, this, [this](const QPoint& point) { Pressed(point); });
    }

    // Rows of named elements followed by ten empty rows.
    void Fill(const QStringList& names, const QStringList& addresses)
    {
        list->setRowCount(names.size() + 10);
        for (int row = 0; row < names.size(); ++row) {
            list->SetCellText(row, 0, QString::number(row + 1));
            list->SetCellText(row, 1, names[row]);
            list->SetCellText(row, 2, addresses[row]);
        }
    }

    QPoint CellCentre(int row, int column) const
    {
        return {list->columnViewportPosition(column) + list->columnWidth(column) / 2,
                list->rowViewportPosition(row) + list->rowHeight(row) / 2};
    }

    CAddressListCtrl* list;
    QLineEdit* other;

private:
    void Pressed(const QPoint& point)
    {
        int column = 0;
        const int row = list->HitTestCell(point, &column);
        if (row < 0)
            return;
        list->SetLastClick(row, column);
        if (column == 0) {
            if (!list->EndEdit())
                return;
            list->SetDragAnchorRow(row);
            list->SetSelectedRows({row});
            return;
        }
        if (list->EndEdit())
            list->EditCell(row, column);
    }
};

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& point, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, point, target->mapToGlobal(point), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Types characters that QTest's key clicks cannot name (Chinese).
void TypeText(QWidget* target, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
    }
}

} // namespace

class AddressListCtrlTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AddressGridOwner> owner;
    std::unique_ptr<RecordingUserInterface> ui;

private slots:
    void init()
    {
        ui = std::make_unique<RecordingUserInterface>();
        owner = std::make_unique<AddressGridOwner>();
        owner->show();
        QVERIFY(QTest::qWaitForWindowActive(owner.get()));
    }

    void cleanup()
    {
        owner.reset();
        ui.reset();
    }

    void addressOfARowWithoutNameCannotBeEdited()
    {
        owner->Fill({"X0"}, {"0.0"});
        QCOMPARE(owner->list->EditCell(1, 2), nullptr);
        QCOMPARE(owner->list->EditCell(0, 0), nullptr);
        QVERIFY(owner->list->EditCell(0, 2) != nullptr);
    }

    void typedAddressesFollowTheGroupKind()
    {
        owner->Fill({"X0", "W0"}, {"", ""});
        owner->list->SetGroupWidth(0);
        owner->list->SetGroupMode(0);
        auto* editor = owner->list->EditCell(0, 2);
        QTest::keyClicks(editor, QStringLiteral("1a.f"));
        QCOMPARE(editor->text(), QStringLiteral("1A.F"));
        QCOMPARE(owner->list->CellText(0, 2), QStringLiteral("1A.F"));
        QTest::keyClick(editor, Qt::Key_0);
        QCOMPARE(editor->text(), QStringLiteral("1A.F"));

        owner->list->SetGroupWidth(16);
        QTest::keyClick(editor, Qt::Key_Down);
        auto* word = owner->list->CurrentEditor();
        QVERIFY(word && word != editor);
        QTest::keyClicks(word, QStringLiteral("12345"));
        QCOMPARE(word->text(), QStringLiteral("1234"));
        word->selectAll();
        QTest::keyClicks(word, QStringLiteral("1.2"));
        QCOMPARE(word->text(), QStringLiteral("12")); // the point was refused
    }

    void typingANameKeepsTenRowsBelowAndNumbersTheRow()
    {
        owner->Fill({"X0", "X1", "X2", "X3", "X4"}, {"0.0", "0.1", "0.2", "0.3", "0.4"});
        QSignalSpy typed(owner->list, &CAddressListCtrl::cellTextTyped);
        auto* editor = owner->list->EditCell(5, 1);
        QTest::keyClicks(editor, QStringLiteral(" X5"));
        QCOMPARE(owner->list->rowCount(), 16);
        QCOMPARE(owner->list->CellText(5, 0), QStringLiteral("6"));
        QCOMPARE(owner->list->CellText(5, 1), QStringLiteral("X5"));
        QCOMPARE(typed.count(), 3);
        QCOMPARE(typed.last().at(0).toString(), QStringLiteral(" X5"));
        QCOMPARE(typed.last().at(1).toInt(), 5);
    }

    void namesStopAtTenBytes()
    {
        owner->Fill({}, {});
        auto* editor = owner->list->EditCell(0, 1);
        QTest::keyClicks(editor, QStringLiteral("ABCDEFGHIJK"));
        QCOMPARE(editor->text(), QStringLiteral("ABCDEFGHIJ"));
        editor->selectAll();
        TypeText(editor, QStringLiteral("数据数据数据"));
        QCOMPARE(editor->text(), QStringLiteral("数据数据数"));
        QCOMPARE(GbkFromQString(owner->list->CellText(0, 1)).size(), std::size_t(10));
    }

    void namesTakeNoCharacterThatEndsAFieldOfTheDeviceFile()
    {
        owner->Fill({}, {});
        auto* editor = owner->list->EditCell(0, 1);
        QTest::keyClicks(editor, QStringLiteral("A=;B"));
        QCOMPARE(editor->text(), QStringLiteral("AB"));
        QCOMPARE(owner->list->CellText(0, 1), QStringLiteral("AB"));
    }

    void repeatedNameWarnsOnceWhateverWayTheEditorIsLeft_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Tab") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Up") << 2;
        QTest::newRow("Down") << 3;
        QTest::newRow("Esc") << 4;
        QTest::newRow("press on another cell") << 5;
        QTest::newRow("press on another widget") << 6;
        QTest::newRow("owner ends the edit") << 7;
        QTest::newRow("Page Down") << 8;
    }

    void repeatedNameWarnsOnceWhateverWayTheEditorIsLeft()
    {
        QFETCH(int, way);
        owner->Fill({"X0", "X1", "X2"}, {"0.0", "0.1", "0.2"});
        CAddressListCtrl* list = owner->list;
        auto* editor = list->EditCell(1, 1);
        QTest::keyClicks(editor, QStringLiteral("X0"));
        QVERIFY(ui->messages.empty());

        const std::function<void()> leave[] = {
            [&] { QTest::keyClick(editor, Qt::Key_Tab); },
            [&] { QTest::keyClick(editor, Qt::Key_Return); },
            [&] { QTest::keyClick(editor, Qt::Key_Up); },
            [&] { QTest::keyClick(editor, Qt::Key_Down); },
            [&] { QTest::keyClick(editor, Qt::Key_Escape); },
            [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, owner->CellCentre(2, 1)); },
            [&] { QTest::mouseClick(owner->other, Qt::LeftButton); },
            [&] { QVERIFY(!list->EndEdit()); },
            [&] { QTest::keyClick(editor, Qt::Key_PageDown); },
        };
        leave[way]();

        QCOMPARE(ui->MessageIds(), std::vector<int>{61389});
        QCOMPARE(list->CurrentEditor(), editor);
        QVERIFY(editor->isVisible());
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->text(), QStringLiteral("X0"));

        // Once the name is unique the editor can be left.
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("X9"));
        QVERIFY(list->EndEdit());
        QCOMPARE(list->CellText(1, 1), QStringLiteral("X9"));
        QCOMPARE(ui->MessageIds(), std::vector<int>{61389});
    }

    void escapeEndsWithoutFinalCommitAndTabMovesToTheAddress()
    {
        owner->Fill({"X0"}, {"1"});
        CAddressListCtrl* list = owner->list;
        auto* editor = list->EditCell(0, 1);
        QTest::keyClick(editor, Qt::Key_Tab);
        auto* address = list->CurrentEditor();
        QVERIFY(address && address != editor);
        QCOMPARE(address->Column(), 2);
        QTest::keyClick(address, Qt::Key_Tab);
        QCOMPARE(list->CurrentEditor(), address);
        QTest::keyClick(address, Qt::Key_Backtab);
        QCOMPARE(list->CurrentEditor()->Column(), 1);
        QTest::keyClick(list->CurrentEditor(), Qt::Key_Escape);
        QCOMPARE(list->CurrentEditor(), nullptr);
        QVERIFY(ui->messages.empty());
    }

    void readOnlyTableTakesNoKeyAndAPressOnlyFocuses()
    {
        owner->Fill({"X0"}, {"1"});
        CAddressListCtrl* list = owner->list;
        QSignalSpy presses(list, &CAddressListCtrl::leftButtonPressed);
        QSignalSpy keys(list, &CAddressListCtrl::keyPressed);

        list->SetCanEdit(false);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, owner->CellCentre(0, 1));
        QCOMPARE(presses.count(), 0);
        QVERIFY(list->hasFocus());
        QCOMPARE(list->CurrentEditor(), nullptr);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(keys.count(), 0);

        list->SetCanEdit(true);
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(keys.count(), 1);
        QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_Delete));

        // Out of a tab control the press always reaches the owner.
        list->SetCanEdit(false);
        list->SetInTab(false);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, owner->CellCentre(0, 1));
        QCOMPARE(presses.count(), 1);
    }

    void dragInTheNumberColumnSelectsRows()
    {
        owner->Fill({"A", "B", "C", "D", "E", "F", "G", "H"}, {"0", "1", "2", "3", "4", "5", "6", "7"});
        CAddressListCtrl* list = owner->list;
        QWidget* viewport = list->viewport();
        SendMouse(viewport, QEvent::MouseButtonPress, owner->CellCentre(3, 0), Qt::LeftButton);
        QCOMPARE(list->SelectedRows(), std::vector<int>{3});
        SendMouse(viewport, QEvent::MouseMove, owner->CellCentre(7, 0), Qt::LeftButton);
        QCOMPARE(list->SelectedRows(), (std::vector<int>{3, 4, 5, 6, 7}));
        SendMouse(viewport, QEvent::MouseMove, owner->CellCentre(1, 0), Qt::LeftButton);
        QCOMPARE(list->SelectedRows(), (std::vector<int>{3, 2, 1}));
        SendMouse(viewport, QEvent::MouseButtonRelease, owner->CellCentre(1, 0), Qt::NoButton);

        // The selected rows are painted over.
        const QImage image = viewport->grab().toImage();
        const QPoint inside(list->columnViewportPosition(2) + 60, owner->CellCentre(2, 2).y());
        QCOMPARE(QColor(image.pixel(inside)), QColor(150, 150, 255));

        // A drag that starts in a name cell selects nothing.
        list->SetSelectedRows({});
        list->SetLastClick(3, 1);
        SendMouse(viewport, QEvent::MouseMove, owner->CellCentre(6, 0), Qt::LeftButton);
        QVERIFY(list->SelectedRows().empty());
    }
};

QTEST_MAIN(AddressListCtrlTest)
#include "AddressListCtrlTest.moc"
