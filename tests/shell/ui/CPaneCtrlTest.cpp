#include "shell/ui/CPaneCtrl.h"
#include "support/CanvasRendering.h"
#include "shell/ui/CanvasPageHost.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/CVX50TextDoc.h"
#include "simulator/SimulatedDisplayState.h"
#include "support/RecordingUserInterface.h"
#include "StringIds.h"

#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int W = 486;
constexpr int H = 178;

// Records what the canvas asks of the pages.
class RecordingPageHost : public CanvasPageHost {
public:
    void ShowElementPage(const std::shared_ptr<CScreenElement>& element, bool placed) override
    {
        shown = element;
        shownPlaced = placed;
        ++elementPageShows;
    }
    void ShowScreenPage() override { screenPageVisible = true; }
    void HideScreenPage() override { screenPageVisible = false; }
    void LoadPagePosition(const std::shared_ptr<CScreenElement>& element) override { positioned.push_back(element); }
    void RunCommand(int commandId) override { commands.push_back(commandId); }

    std::shared_ptr<CScreenElement> shown;
    bool shownPlaced = false;
    int elementPageShows = 0;
    bool screenPageVisible = true;
    std::vector<std::shared_ptr<CScreenElement>> positioned;
    std::vector<int> commands;
};

class Simulation : public SimulatedDisplayState {
public:
    SimulatedDisplayFlags DisplayFlags() const override { return flags; }
    SimulatedDisplayFlags flags;
};

// A left-button move: QTest's own move carries no buttons.
void DragTo(QWidget* widget, QPoint to)
{
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

std::shared_ptr<CLampElement> AddLamp(CVX50TextDoc& doc, int x, int y)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->SetPosition(x, y);
    lamp->SetSize(16, 16);
    doc.GetWorkingElements().push_back({KindLamp, lamp});
    return lamp;
}

// Whether anything black was drawn inside `area`.
bool HasBlack(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::black))
                return true;
    return false;
}

} // namespace

class CPaneCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_doc = std::make_unique<CVX50TextDoc>();
        m_canvas = std::make_unique<CPaneCtrl>(*m_doc, nullptr);
        m_canvas->SetPageHost(&m_host);
        m_canvas->resize(W, H);
        m_canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_canvas.get()));
        m_host = RecordingPageHost();
    }

    void cleanup()
    {
        m_canvas.reset();
        m_doc.reset();
    }

    void placeDragAndNudgeALamp()
    {
        m_canvas->CurrentTool = ToolLamp;
        QTest::mouseClick(m_canvas.get(), Qt::LeftButton, {}, QPoint(100, 100));

        const ElementList& list = m_doc->GetWorkingElements();
        QCOMPARE(list.size(), std::size_t(1));
        const auto lamp = std::dynamic_pointer_cast<CLampElement>(list[0].element);
        QVERIFY(lamp);
        QCOMPARE(int(lamp->Number), 1);
        QCOMPARE(lamp->GetPosition(), (DotPoint{39, 35}));
        QCOMPARE(lamp->GetSize(), (DotSize{16, 16}));
        QCOMPARE(lamp->Selected, 1);
        QCOMPARE(m_host.shown, list[0].element);
        QVERIFY(m_host.shownPlaced);
        QCOMPARE(m_doc->ProjectModified, 1);
        QCOMPARE(m_canvas->CurrentTool, int(ToolSelect));
        const std::size_t snapshots = m_doc->UndoHistory.size();
        QCOMPARE(snapshots, std::size_t(2));

        // Drag it 10 dots to the right: 10 x 486 / 192 pixels.
        const QPoint grip(110, 110);
        QTest::mousePress(m_canvas.get(), Qt::LeftButton, {}, grip);
        DragTo(m_canvas.get(), grip + QPoint(26, 0));
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, {}, grip + QPoint(26, 0));
        QCOMPARE(lamp->GetPosition(), (DotPoint{49, 35}));
        QCOMPARE(m_doc->UndoHistory.size(), snapshots + 1);
        QVERIFY(!m_host.positioned.empty());

        m_doc->ProjectModified = 0;
        QTest::keyClick(m_canvas.get(), Qt::Key_Left);
        QCOMPARE(lamp->GetPosition(), (DotPoint{48, 35}));
        QCOMPARE(m_doc->ProjectModified, 1);
        QCOMPARE(m_doc->UndoHistory.size(), snapshots + 2);
    }

    void nudgeAtTheEdgeTakesNoSnapshot()
    {
        const auto lamp = AddLamp(*m_doc, 0, 0);
        lamp->Selected = 1;
        const std::size_t snapshots = m_doc->UndoHistory.size();
        QTest::keyClick(m_canvas.get(), Qt::Key_Left);
        QCOMPARE(lamp->GetPosition(), (DotPoint{0, 0}));
        QCOMPARE(m_doc->UndoHistory.size(), snapshots);
        QCOMPARE(m_doc->ProjectModified, 0);

        // Up with nothing selected still takes one, and moves nothing.
        lamp->Selected = 0;
        QTest::keyClick(m_canvas.get(), Qt::Key_Down);
        QCOMPARE(lamp->GetPosition(), (DotPoint{0, 0}));
        QCOMPARE(m_doc->UndoHistory.size(), snapshots + 1);
    }

    void pressAndCtrlPressSelect()
    {
        const auto a = AddLamp(*m_doc, 10, 10);
        const auto b = AddLamp(*m_doc, 40, 10);
        const auto c = AddLamp(*m_doc, 70, 10);
        a->Selected = b->Selected = c->Selected = 1;

        // A plain press on one of several selected keeps the group; the
        // release without moving leaves only the one under the cursor.
        const QPoint onB(110, 35);
        QTest::mousePress(m_canvas.get(), Qt::LeftButton, {}, onB);
        QCOMPARE(a->Selected + b->Selected + c->Selected, 3);
        QVERIFY(!m_host.screenPageVisible);
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, {}, onB);
        QCOMPARE(a->Selected + c->Selected, 0);
        QCOMPARE(b->Selected, 1);

        // Ctrl adds and removes one element and leaves the others.
        QTest::mousePress(m_canvas.get(), Qt::LeftButton, Qt::ControlModifier, QPoint(30, 35));
        QCOMPARE(a->Selected, 1);
        QCOMPARE(b->Selected, 1);
        QTest::mousePress(m_canvas.get(), Qt::LeftButton, Qt::ControlModifier, onB);
        QCOMPARE(b->Selected, 0);
        QCOMPARE(a->Selected, 1);
    }

    void rubberBandSelects()
    {
        const auto inside = AddLamp(*m_doc, 12, 12);
        const auto outside = AddLamp(*m_doc, 40, 20);
        outside->Selected = 1;
        // Dots (10, 10) to (50, 30).
        QTest::mousePress(m_canvas.get(), Qt::LeftButton, {}, QPoint(26, 28));
        QVERIFY(m_host.screenPageVisible);
        QCOMPARE(m_canvas->RubberBand, (PixelRect{10, 10, 10, 10}));
        DragTo(m_canvas.get(), QPoint(127, 84));
        QCOMPARE(m_canvas->RubberBand, (PixelRect{10, 10, 50, 30}));
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, {}, QPoint(127, 84));
        QCOMPARE(inside->Selected, 1);
        QCOMPARE(outside->Selected, 0);
        QCOMPARE(m_canvas->RubberBand, (PixelRect{-1, -1, -1, -1}));
    }

    void deleteKeyDeletesTheSelection()
    {
        const auto keep = AddLamp(*m_doc, 0, 0);
        AddLamp(*m_doc, 40, 0)->Selected = 1;
        const std::size_t snapshots = m_doc->UndoHistory.size();
        QTest::keyClick(m_canvas.get(), Qt::Key_Delete);
        QCOMPARE(m_doc->GetWorkingElements().size(), std::size_t(1));
        QCOMPARE(m_doc->GetWorkingElements()[0].element, std::shared_ptr<CScreenElement>(keep));
        QCOMPARE(m_doc->ProjectModified, 1);
        QCOMPARE(m_doc->UndoHistory.size(), snapshots + 1);
        QCOMPARE(m_doc->Screens[0].Elements.size(), std::size_t(1));
    }

    void rightClickDisarmsTheToolAndShowsTheMenu()
    {
        m_canvas->CurrentTool = ToolRegister;
        QTest::mousePress(m_canvas.get(), Qt::RightButton, {}, QPoint(50, 50));
        QCOMPARE(m_canvas->CurrentTool, int(ToolSelect));
        QMenu* menu = m_canvas->ContextMenu();
        QVERIFY(menu);
        QVERIFY(menu->isVisible());
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), 8);
        QCOMPARE(actions[0]->text(), QStringLiteral("删除元件"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(actions[4]).center());
        QCOMPARE(m_host.commands, std::vector<int>{32855});
        menu->close();
        QVERIFY(m_doc->GetWorkingElements().empty());
    }

    void pressesAreIgnoredWhileSimulating()
    {
        Simulation simulation;
        simulation.flags.simulating = true;
        m_canvas->SetSimulationState(&simulation);
        const auto lamp = AddLamp(*m_doc, 10, 10);
        m_canvas->CurrentTool = ToolLamp;
        QTest::mouseClick(m_canvas.get(), Qt::LeftButton, {}, QPoint(30, 30));
        QCOMPARE(m_doc->GetWorkingElements().size(), std::size_t(1));
        QCOMPARE(lamp->Selected, 0);
        QCOMPARE(m_canvas->CurrentTool, int(ToolLamp));

        // The simulated display replaces the white surface and the grid.
        const QImage image = Rendered(*m_canvas);
        QCOMPARE(image.pixelColor(243, 89), QColor(170, 212, 71));
        m_canvas->SetSimulationState(nullptr);
    }

    // The editing keys leave the screen alone while the simulation shows it,
    // as the presses do.
    void editingKeysAreIgnoredWhileSimulating()
    {
        Simulation simulation;
        simulation.flags.simulating = true;
        m_canvas->SetSimulationState(&simulation);
        const auto lamp = AddLamp(*m_doc, 10, 10);
        lamp->Selected = 1;
        m_doc->ProjectModified = 0;
        QTest::keyClick(m_canvas.get(), Qt::Key_Left);
        QTest::keyClick(m_canvas.get(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(m_canvas.get(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(m_canvas.get(), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(m_canvas.get(), Qt::Key_Delete);
        QCOMPARE(m_doc->GetWorkingElements().size(), std::size_t(1));
        QCOMPARE(lamp->GetPosition(), (DotPoint{10, 10}));
        QVERIFY(m_doc->Clipboard.empty());
        QCOMPARE(m_doc->ProjectModified, 0);
        m_canvas->SetSimulationState(nullptr);
    }

    void simulatedOverlays()
    {
        Simulation simulation;
        simulation.flags.simulating = true;
        m_canvas->SetSimulationState(&simulation);
        AddLamp(*m_doc, 0, 0);
        AddLamp(*m_doc, 100, 40);
        const QRect lowerLamp(253, 111, 40, 44);
        const QColor display(170, 212, 71);

        // A broken link: a black-framed box over the elements.
        simulation.flags.linkTimedOut = true;
        QImage image = Rendered(*m_canvas);
        QCOMPARE(image.pixelColor(W / 5, 3 * H / 8 + 5), QColor(Qt::black));
        const QRect firstLamp(0, 0, 40, 44);
        QVERIFY(HasBlack(image, firstLamp));
        QVERIFY(HasBlack(image, lowerLamp));

        // The alarm list replaces the screen, unless the link timed out.
        simulation.flags.linkTimedOut = false;
        simulation.flags.alarmDisplay = true;
        image = Rendered(*m_canvas);
        QVERIFY(HasBlack(image, QRect(0, 0, W, H / 4))); // "No Alarm!"
        QVERIFY(!HasBlack(image, QRect(0, H / 4, W, H - H / 4))); // no lamp
        QVERIFY(image.pixelColor(W / 5, 3 * H / 8 + 5) == display); // no box
        simulation.flags.alarmDisplay = false;

        // A password prompt from a lamp in the top half goes to the bottom
        // quarter, and only the asking element is drawn.
        const auto asking = AddLamp(*m_doc, 100, 0);
        simulation.flags.passwordEntry = true;
        simulation.flags.passwordElement = asking;
        simulation.flags.passwordDigits = 3;
        image = Rendered(*m_canvas);
        QVERIFY(!HasBlack(image, firstLamp));
        QVERIFY(HasBlack(image, QRect(253, 0, 40, 44)));
        QVERIFY(HasBlack(image, QRect(0, 3 * H / 4, W, H / 4)));
        QVERIFY(!HasBlack(image, QRect(0, H / 4, W, H / 2)));
        m_canvas->SetSimulationState(nullptr);
    }

    void thePictureToolFindsItsFileByFullPath()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QImage big(200, 80, QImage::Format_RGB32);
        big.fill(Qt::white);
        const QString path = folder.filePath("wide.bmp");
        QVERIFY(big.save(path, "BMP"));
        // Placing does not depend on the current folder.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        m_canvas->PicturePath = path;
        m_canvas->CurrentTool = ToolPicture;
        QTest::mouseClick(m_canvas.get(), Qt::LeftButton, {}, QPoint(10, 10));
        QDir::setCurrent(before);

        QCOMPARE(m_doc->GetWorkingElements().size(), std::size_t(1));
        const auto picture = std::dynamic_pointer_cast<CPictureElement>(m_doc->GetWorkingElements()[0].element);
        QVERIFY(picture);
        QCOMPARE(picture->GetSize(), (DotSize{192, 64}));
        QCOMPARE(picture->GetPosition(), (DotPoint{0, 0}));
        QCOMPARE(picture->DotColour(191, 63), 0xFFFFFFu);
    }

    // The picture is taken by its format, not by its file name.
    void thePictureToolRefusesAnotherFormatNamedBmp()
    {
        RecordingUserInterface ui;
        QTemporaryDir folder;
        QImage png(40, 20, QImage::Format_RGB32);
        png.fill(Qt::white);
        const QString path = folder.filePath("picture.bmp");
        QVERIFY(png.save(path, "PNG"));
        m_canvas->PicturePath = path;
        m_canvas->CurrentTool = ToolPicture;
        QTest::mouseClick(m_canvas.get(), Qt::LeftButton, {}, QPoint(10, 10));

        QVERIFY(m_doc->GetWorkingElements().empty());
        QCOMPARE(ui.MessageIds(), std::vector<int>{IdsBitmapLoadFailed});
    }

    void editModeShowsTheGridOnWhite()
    {
        QImage image = Rendered(*m_canvas);
        QCOMPARE(image.pixelColor(243, 89), QColor(50, 50, 50)); // column line 12, row line 4
        QCOMPARE(image.pixelColor(240, 80), QColor(255, 255, 255));
        CPaneCtrl::GridFlag = 0;
        image = Rendered(*m_canvas);
        CPaneCtrl::GridFlag = 1;
        QCOMPARE(image.pixelColor(243, 89), QColor(255, 255, 255));
    }

private:
    std::unique_ptr<CVX50TextDoc> m_doc;
    std::unique_ptr<CPaneCtrl> m_canvas;
    RecordingPageHost m_host;
};

QTEST_MAIN(CPaneCtrlTest)
#include "CPaneCtrlTest.moc"
