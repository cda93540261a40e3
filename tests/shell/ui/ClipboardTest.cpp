// The element clipboard, the layer commands and the screen-data window in
// the editor on the offscreen platform.

#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextView.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "pages/ui/CDynTextPropertyDlg.h"
#include "pages/ui/CLampPropertyDlg.h"
#include "pages/ui/CPropertyDlg.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "pages/ui/CTextPropertyDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Editor : ScriptedEditor {
    QListWidget& Rows() const { return *frame->ScreenDataWindow->List(); }
    const ElementList& Elements() const { return document.GetWorkingElements(); }
    void PlaceLamp(QPoint at) { Place(Cmd::ToolLamp, at); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QListWidget& rows = Rows();
        QTest::mouseClick(rows.viewport(), Qt::LeftButton, modifiers, rows.visualItemRect(rows.item(row)).center());
    }
    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (const ElementRef& ref : Elements())
            numbers.push_back(ref.element->Number);
        return numbers;
    }
    // Two lamps at dots (39, 35) and (79, 14), both selected.
    void TwoSelectedLamps()
    {
        PlaceLamp(QPoint(100, 100));
        PlaceLamp(QPoint(200, 40));
        QTest::mouseClick(&Canvas(), Qt::LeftButton, Qt::ControlModifier, QPoint(110, 110));
    }
};

} // namespace

class ClipboardTest : public QObject {
    Q_OBJECT

private:
    // The program folder: the main window writes "PZ.DAT" there when it goes.
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void copyAndPasteTwoLampsWithTheKeys()
    {
        Editor editor;
        editor.TwoSelectedLamps();
        QCOMPARE(editor.Elements().size(), std::size_t(2));
        QCOMPARE(editor.Elements()[0].element->Selected, 1);
        QCOMPARE(editor.Elements()[1].element->Selected, 1);

        QTest::keyClick(&editor.Canvas(), Qt::Key_C, Qt::ControlModifier);
        editor.document.ProjectModified = 0;
        QTest::keyClick(&editor.Canvas(), Qt::Key_V, Qt::ControlModifier);

        const ElementList& list = editor.Elements();
        QCOMPARE(list.size(), std::size_t(4));
        for (const ElementRef& ref : list)
            QVERIFY(std::dynamic_pointer_cast<CLampElement>(ref.element));
        QCOMPARE(list[2].element->GetPosition(), (DotPoint{39 + 8, 35 + 8}));
        QCOMPARE(list[3].element->GetPosition(), (DotPoint{79 + 8, 14 + 8}));
        QCOMPARE(editor.Numbers(), (std::vector<int>{1, 2, 3, 4}));
        QCOMPARE(list[0].element->Selected, 0);
        QCOMPARE(list[3].element->Selected, 1);
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.document.GetScreens().front().Elements.size(), std::size_t(4));

        // Four rows, the topmost lamp first.
        QListWidget& rows = editor.Rows();
        QCOMPARE(rows.count(), 4);
        QCOMPARE(rows.item(0)->text(), QStringLiteral("L_004 C0"));
        QCOMPARE(rows.item(3)->text(), QStringLiteral("L_001 C0"));

        // The rows follow the canvas: the two copies are selected.
        QVERIFY(rows.item(0)->isSelected() && rows.item(1)->isSelected());
        QVERIFY(!rows.item(2)->isSelected() && !rows.item(3)->isSelected());
        QTest::mouseClick(&editor.Canvas(), Qt::LeftButton, {}, QPoint(110, 110));
        QCOMPARE(rows.selectedItems(), QList<QListWidgetItem*>{rows.item(3)});

        // A click on a row selects that lamp alone and shows the lamp page.
        editor.ClickRow(3);
        QCOMPARE(list[0].element->Selected, 1);
        for (std::size_t i = 1; i < list.size(); ++i)
            QCOMPARE(list[i].element->Selected, 0);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().LampPage});
        QCOMPARE(editor.View().LampPage->BoundElement(), list[0].element);

        // Two rows: the screen page instead.
        editor.ClickRow(1, Qt::ControlModifier);
        QCOMPARE(list[2].element->Selected, 1);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().ScreenPage});
    }

    void cutDeletesAndPasteRestoresWithTheCommands()
    {
        Editor editor;
        editor.TwoSelectedLamps();
        CMainFrame& frame = *editor.frame;
        frame.ExecuteCommand(Cmd::CutElements);
        QCOMPARE(editor.Elements().size(), std::size_t(0));
        QCOMPARE(editor.Rows().count(), 0);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().ScreenPage});
        frame.RefreshCommandStates();
        QVERIFY(!frame.Action(Cmd::CopyElements)->isEnabled());
        QVERIFY(frame.Action(Cmd::PasteElements)->isEnabled());

        frame.ExecuteCommand(Cmd::PasteElements);
        QCOMPARE(editor.Elements().size(), std::size_t(2));
        QCOMPARE(editor.Elements()[0].element->GetPosition(), (DotPoint{39, 35}));
        QCOMPARE(editor.Rows().count(), 2);
    }

    void afterAPasteThePageEditsOnlyWhatIsSelected()
    {
        Editor editor;
        ShowActive(*editor.frame);
        editor.PlaceLamp(QPoint(100, 100));
        const std::shared_ptr<CScreenElement> original = editor.Elements().front().element;
        const DotPoint at = original->GetPosition();
        QTest::keyClick(&editor.Canvas(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&editor.Canvas(), Qt::Key_V, Qt::ControlModifier);

        // One copy: its page, bound to it; X moves the copy alone.
        const std::shared_ptr<CScreenElement> copy = editor.Elements().back().element;
        QCOMPARE(copy->Selected, 1);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().LampPage});
        QCOMPARE(editor.View().LampPage->BoundElement(), copy);
        QLineEdit* x = FieldOf<QLineEdit>(editor.View().LampPage, "X:");
        x->setFocus();
        QTest::keyClick(x, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(x, "150");
        QCOMPARE(copy->GetPosition().x, 150);
        QCOMPARE(original->GetPosition(), at);

        // Undo takes back the move alone, redo brings it back.
        editor.frame->ExecuteCommand(Cmd::Undo);
        QCOMPARE(editor.Elements().size(), std::size_t(2));
        QCOMPARE(editor.Elements().back().element->GetPosition().x, 15);
        editor.frame->ExecuteCommand(Cmd::Redo);
        QCOMPARE(editor.Elements().back().element->GetPosition().x, 150);

        // Two copies: the screen page.
        QTest::mouseClick(&editor.Canvas(), Qt::LeftButton, Qt::ControlModifier, QPoint(110, 110));
        QTest::keyClick(&editor.Canvas(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&editor.Canvas(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor.Elements().size(), std::size_t(4));
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().ScreenPage});
    }

    void deletingThePressedLampLetsGoOfIt()
    {
        Editor editor;
        editor.PlaceLamp(QPoint(100, 100));
        std::weak_ptr<CScreenElement> lamp = editor.Elements().front().element;
        QCOMPARE(editor.View().LampPage->BoundElement(), lamp.lock());

        QTest::mousePress(&editor.Canvas(), Qt::LeftButton, {}, QPoint(110, 110));
        QTest::keyClick(&editor.Canvas(), Qt::Key_Delete);
        QVERIFY(editor.Elements().empty());
        QVERIFY(lamp.expired());
        QVERIFY(!editor.View().LampPage->BoundElement());
        QCOMPARE(editor.document.ProjectModified, 1);
        // The drag that follows moves nothing and does not fail.
        QTest::mouseMove(&editor.Canvas(), QPoint(200, 120));
        QTest::mouseRelease(&editor.Canvas(), Qt::LeftButton, {}, QPoint(200, 120));
    }

    void undoAndTheTidyCommitLetGoOfWhatTheyDrop()
    {
        Editor editor;
        editor.PlaceLamp(QPoint(100, 100));
        std::weak_ptr<CScreenElement> lamp = editor.Elements().front().element;
        QTest::mousePress(&editor.Canvas(), Qt::LeftButton, {}, QPoint(110, 110));
        editor.frame->ExecuteCommand(Cmd::Undo);
        QVERIFY(editor.Elements().empty());
        QVERIFY(lamp.expired());
        QTest::mouseRelease(&editor.Canvas(), Qt::LeftButton, {}, QPoint(110, 110));

        auto empty = std::make_shared<CTextElement>(0);
        editor.document.GetWorkingElements().push_back({KindText, empty});
        editor.View().TextPage->Bind(empty);
        std::weak_ptr<CScreenElement> text = empty;
        empty.reset();
        editor.document.TidyAndCommitWorkingElements();
        QVERIFY(text.expired());
        QVERIFY(!editor.View().TextPage->BoundElement());
    }

    void layerCommandsReorderRepaintAndKeepTheRowsSelected()
    {
        Editor editor;
        editor.PlaceLamp(QPoint(20, 20));
        editor.PlaceLamp(QPoint(100, 20));
        editor.PlaceLamp(QPoint(200, 20));
        // Only the last placed lamp (number 3) is selected.
        editor.document.ProjectModified = 0;
        editor.frame->ExecuteCommand(Cmd::SendToBottom);
        QCOMPARE(editor.Numbers(), (std::vector<int>{3, 1, 2}));
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.document.GetScreens().front().Elements.front().element->Number, 3);
        QListWidget& rows = editor.Rows();
        QCOMPARE(rows.item(2)->text(), QStringLiteral("L_003 C0"));
        QVERIFY(rows.item(2)->isSelected());
        QVERIFY(!rows.item(0)->isSelected());

        editor.frame->ExecuteCommand(Cmd::MoveUpOne);
        QCOMPARE(editor.Numbers(), (std::vector<int>{1, 3, 2}));
        QVERIFY(rows.item(1)->isSelected());

        // Shift extends from the last clicked row, Ctrl takes one row out.
        editor.ClickRow(0);
        editor.ClickRow(2, Qt::ShiftModifier);
        QCOMPARE(rows.selectedItems().size(), 3);
        editor.ClickRow(1, Qt::ControlModifier);
        QVERIFY(rows.item(0)->isSelected() && !rows.item(1)->isSelected() && rows.item(2)->isSelected());
        QCOMPARE(editor.Elements()[1].element->Selected, 0);
        QCOMPARE(editor.Elements()[0].element->Selected, 1);
        // Back to the lamp numbered 3 alone.
        editor.ClickRow(1);
        editor.frame->ExecuteCommand(Cmd::BringToTop);
        QCOMPARE(editor.Numbers(), (std::vector<int>{1, 2, 3}));
        // At the top already: nothing changes.
        editor.document.ProjectModified = 0;
        editor.frame->ExecuteCommand(Cmd::MoveUpOne);
        QCOMPARE(editor.Numbers(), (std::vector<int>{1, 2, 3}));
        QCOMPARE(editor.document.ProjectModified, 0);
    }

    void theListKeepsItsSelectionAgainstEnterEscAndArrows()
    {
        Editor editor;
        editor.PlaceLamp(QPoint(20, 20));
        editor.PlaceLamp(QPoint(100, 20));
        editor.ClickRow(0);
        QListWidget& rows = editor.Rows();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Escape})
            QTest::keyClick(&rows, key);
        QVERIFY(rows.item(0)->isSelected());
        QVERIFY(!rows.item(1)->isSelected());
        QVERIFY(editor.frame->ScreenDataWindow->isVisible());
    }

    void gridCommandTogglesTheGridAndMarksTheProjectModified()
    {
        Editor editor;
        CMainFrame& frame = *editor.frame;
        const int before = CPaneCtrl::GridFlag;
        editor.document.ProjectModified = 0;
        frame.ExecuteCommand(Cmd::ShowGrid);
        QCOMPARE(CPaneCtrl::GridFlag, 1 - before);
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(frame.Action(Cmd::ShowGrid)->isChecked(), CPaneCtrl::GridFlag == 1);
        frame.ExecuteCommand(Cmd::ShowGrid);
        QCOMPARE(CPaneCtrl::GridFlag, before);
    }

    void pasteIsDisabledBeforeFileNew()
    {
        GuiEditor editor;
        editor.document.Clipboard.push_back({KindLamp, std::make_shared<CLampElement>()});
        editor.frame->RefreshCommandStates();
        QVERIFY(!editor.frame->Action(Cmd::PasteElements)->isEnabled());
        editor.frame->ExecuteCommand(Cmd::PasteElements); // refused, nothing to paste into
        QVERIFY(editor.document.GetWorkingElements().empty());
    }

    void goingToATextShowsThePageOfItsSubKind()
    {
        Editor editor;
        ScreenRecord other;
        other.Number = 7;
        auto lamp = std::make_shared<CLampElement>();
        auto dynamic = std::make_shared<CTextElement>(1);
        auto fixed = std::make_shared<CTextElement>(0);
        fixed->SetText("A");
        other.Elements = {{KindLamp, lamp}, {KindText, dynamic}, {KindText, fixed}};
        editor.document.GetScreens().push_back(other);
        editor.frame->RebuildProjectTree();
        const std::size_t snapshots = editor.document.UndoHistory.size();

        editor.View().GoToElement(1, 1, KindText);
        QCOMPARE(editor.document.CurrentScreenNumber, 7);
        QCOMPARE(editor.Elements().size(), std::size_t(3));
        QCOMPARE(dynamic->Selected, 1);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().DynTextPage});
        QCOMPARE(editor.View().DynTextPage->BoundElement(), std::shared_ptr<CScreenElement>(dynamic));
        QCOMPARE(editor.Rows().count(), 3);
        QCOMPARE(editor.document.UndoHistory.size(), snapshots);

        editor.View().GoToElement(1, 2, KindText);
        QCOMPARE(dynamic->Selected, 0);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().TextPage});
        // Outside the lists: nothing happens.
        editor.View().GoToElement(5, 0, KindLamp);
        editor.View().GoToElement(1, 3, KindLamp);
        QCOMPARE(fixed->Selected, 1);
    }
};

QTEST_MAIN(ClipboardTest)
#include "ClipboardTest.moc"
