// The canvas inside the editor on the offscreen platform: the tools of the
// frame place elements, the pages follow the selection, keys reach the
// canvas from the view, and a picture of the window with every kind placed.

#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextView.h"
#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "pages/ui/CLampPropertyDlg.h"
#include "pages/ui/CPropertyDlg.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "support/ScriptedEditor.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Editor = ScriptedEditor;

void DragCanvas(QWidget* canvas, QPoint from, QPoint to)
{
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
}

// The pixels inside `box` (right and bottom excluded) in which `after`
// differs from `before`.
int ChangedPixels(const QImage& before, const QImage& after, const PixelRect& box)
{
    int changed = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    return changed;
}

} // namespace

class CanvasEditingTest : public QObject {
    Q_OBJECT

private:
    // The program folder: the main window writes "PZ.DAT" there when it goes.
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void theLampToolPlacesALampAndShowsItsPage()
    {
        Editor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        CPaneCtrl& canvas = editor.Canvas();
        QCOMPARE(canvas.size(), QSize(486, 178));
        const std::size_t snapshots = editor.document.UndoHistory.size();

        editor.Place(Cmd::ToolLamp, QPoint(100, 100));
        const ElementList& list = editor.document.GetWorkingElements();
        QCOMPARE(list.size(), std::size_t(1));
        const auto lamp = std::dynamic_pointer_cast<CLampElement>(list[0].element);
        QVERIFY(lamp);
        QCOMPARE(int(lamp->Number), 1);
        QCOMPARE(lamp->GetPosition(), (DotPoint{39, 35}));
        QCOMPARE(lamp->GetSize(), (DotSize{16, 16}));
        QCOMPARE(lamp->Selected, 1);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().LampPage});
        QCOMPARE(editor.View().LampPage->BoundElement(), list[0].element);
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(canvas.CurrentTool, int(ToolSelect));
        QCOMPARE(editor.document.UndoHistory.size(), snapshots + 1);
        // The working list is committed into the edited screen.
        QCOMPARE(editor.document.GetScreens()[0].Elements.size(), std::size_t(1));

        DragCanvas(&canvas, QPoint(110, 110), QPoint(136, 110));
        QCOMPARE(lamp->GetPosition(), (DotPoint{49, 35}));
        QCOMPARE(editor.document.UndoHistory.size(), snapshots + 2);

        // The tool commands give the focus to the view; its keys reach the canvas.
        editor.frame->ExecuteCommand(Cmd::ToolLamp);
        editor.View().GetCanvas()->CurrentTool = ToolSelect;
        QTest::keyClick(&editor.View(), Qt::Key_Left);
        QCOMPARE(lamp->GetPosition(), (DotPoint{48, 35}));

        // A press on empty ground brings the screen page back.
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(400, 20));
        QCOMPARE(lamp->Selected, 0);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().ScreenPage});

        // A press on the canvas takes the focus from a text field to the view.
        auto* description = editor.View().ScreenPage->findChild<QLineEdit*>();
        QVERIFY(description);
        description->setFocus();
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(400, 20));
        QCOMPARE(editor.frame->focusWidget(), static_cast<QWidget*>(&editor.View()));
    }

    void keysTypedIntoATextFieldStayThere()
    {
        Editor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        editor.Place(Cmd::ToolLamp, QPoint(100, 100));
        const auto lamp = editor.document.GetWorkingElements()[0].element;
        QCOMPARE(lamp->Selected, 1);
        const DotPoint start = lamp->GetPosition();

        // The screen page shows while the lamp stays selected (as with two
        // selected elements); the user types in its description.
        editor.View().ShowScreenPage();
        auto* description = editor.View().ScreenPage->findChild<QLineEdit*>();
        QVERIFY(description);
        description->setFocus();
        description->setText("ab");
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Up, Qt::NoModifier},   {Qt::Key_Down, Qt::NoModifier},
            {Qt::Key_Left, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},
            {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_X, Qt::ControlModifier},
            {Qt::Key_V, Qt::ControlModifier},
        };
        for (const auto& [key, modifiers] : keys) {
            QTest::keyClick(description, key, modifiers);
            QCOMPARE(editor.document.GetWorkingElements().size(), std::size_t(1));
            QCOMPARE(lamp->GetPosition(), start);
        }
    }

    void pictureOfTheWindowWithEveryKind()
    {
        Editor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        CPaneCtrl& canvas = editor.Canvas();
        const QImage emptyCanvas = canvas.grab().toImage();
        const std::pair<int, QPoint> placements[] = {
            {Cmd::ToolLamp, {10, 10}},
            {Cmd::ToolFuncKey, {60, 10}},
            {Cmd::ToolStaticText, {110, 10}},
            {Cmd::ToolDynText, {250, 10}},
            {Cmd::ToolRegister, {10, 70}},
            {Cmd::ToolBarGraph, {130, 60}},
            {Cmd::ToolCurve, {190, 60}},
        };
        for (const auto& [command, at] : placements)
            editor.Place(command, at);

        // The picture command asks for a file; arm the tool as it does.
        QImage picture(48, 24, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).fillRect(8, 4, 32, 16, Qt::black);
        canvas.PictureBitmap = picture;
        canvas.CurrentTool = ToolPicture;
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(360, 80));

        const ElementList& list = editor.document.GetWorkingElements();
        QCOMPARE(list.size(), std::size_t(8));
        for (std::size_t i = 0; i < list.size(); ++i)
            QCOMPARE(int(list[i].element->Tool()), int(i) + 1);

        const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + "/canvas-every-kind.png";
        QVERIFY(editor.frame->grab().save(file, "PNG"));
        const QImage window(file);
        QCOMPARE(window.size(), editor.frame->size());

        // The picture shows each element drawn where it stands on the canvas.
        const QImage shownCanvas = window.copy(QRect(canvas.mapTo(editor.frame.get(), QPoint(0, 0)), canvas.size()))
                                       .convertToFormat(emptyCanvas.format());
        for (const ElementRef& ref : list) {
            const PixelRect box = ref.element->BoxOnDisplay(canvas.width(), canvas.height());
            const int area = (box.right - box.left) * (box.bottom - box.top);
            const int drawn = ChangedPixels(emptyCanvas, shownCanvas, box);
            QVERIFY2(drawn * 50 >= area, qPrintable(QString("tool %1: %2 of %3 pixels drawn")
                                                         .arg(ref.element->Tool()).arg(drawn).arg(area)));
        }
    }
};

QTEST_MAIN(CanvasEditingTest)
#include "CanvasEditingTest.moc"
