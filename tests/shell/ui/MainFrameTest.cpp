// The main window on the offscreen platform: start-up state, File New and
// its reset, the save prompts, the tree, the progress window, "PZ.DAT" and a
// picture of the whole window.

#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CProgressDlg.h"
#include "shell/ui/CVX50TextView.h"
#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"
#include "transfer/ComPortFile.h"
#include "shell/CommandIds.h"
#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "simulator/ui/CKeypadDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedGuiUserInterface.h"
#include "support/ShippedDeviceFolder.h"
#include "support/TestFiles.h"
#include "transfer/ComPortNumber.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <array>
#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// Notes the keys that reach a widget.
class KeyRecorder : public QObject {
public:
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            keys.append(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
};

// The editor with the helpers these tests share.
struct Editor : GuiEditor {
    bool Enabled(int id) const { return frame->Action(id)->isEnabled(); }

    void FileNew() { frame->ExecuteCommand(Cmd::FileNew); }
    // Adds screen `number` with one lamp, as the screen dialogs would.
    void AddScreen(int number)
    {
        ScreenRecord screen;
        screen.Number = number;
        screen.Description = document.DefaultScreenDescription(number);
        screen.UpKeyScreen = screen.DownKeyScreen = number;
        screen.Elements.push_back({KindLamp, std::make_shared<CLampElement>()});
        document.GetScreens().push_back(screen);
        frame->ShowScreenItem(number, QStringFromGbk(screen.Description));
    }
};

// The status bar's four panes, found by their texts.
std::array<const QLabel*, 4> StatusPanes(const Editor& editor)
{
    std::array<const QLabel*, 4> panes{};
    for (const QLabel* label : editor.frame->statusBar()->findChildren<QLabel*>())
        for (int pane = 0; pane < 4; ++pane)
            if (label->text() == editor.frame->PaneText(pane))
                panes[static_cast<std::size_t>(pane)] = label;
    return panes;
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase()
    {
        QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path()));
    }

    void startsEmptyWithGreyRootsAndStartTexts()
    {
        Editor editor;
        QVERIFY(!editor.View().GetCanvas());
        QCOMPARE(editor.Tree().topLevelItemCount(), 2);
        QCOMPARE(editor.Tree().ScreensRoot()->text(0), QString("画面"));
        QCOMPARE(editor.Tree().AddressRoot()->text(0), QString("地址表"));
        QCOMPARE(editor.Tree().ScreensRoot()->foreground(0).color(), QColor(125, 125, 125));
        QCOMPARE(editor.Tree().ScreensRoot()->childCount(), 0);

        QCOMPARE(editor.frame->PaneText(0), QString("Ready"));
        QCOMPARE(editor.frame->PaneText(1), QString("无机型"));
        QCOMPARE(editor.frame->PaneText(2), QString("无协议"));
        QCOMPARE(editor.frame->PaneText(3), QString("下位机版本:") + QString(38, u' '));
        QCOMPARE(editor.frame->windowTitle(), QString("VX系列 画面设置工具-"));

        QVERIFY(editor.Enabled(Cmd::FileNew));
        QVERIFY(editor.Enabled(Cmd::FileOpen));
        for (int id : {Cmd::FileSave, Cmd::FileSaveAs, Cmd::Undo, Cmd::ToolLamp, Cmd::Compile, Cmd::NewScreen})
            QVERIFY2(!editor.Enabled(id), qPrintable(QString::number(id)));
    }

    void menusCarryTheirTextsAndTheToolbarItsButtons()
    {
        Editor editor;
        const QList<QAction*> menus = editor.frame->menuBar()->actions();
        QCOMPARE(menus.size(), 6);
        QCOMPARE(menus[0]->text(), QString("文件(&F)"));
        QCOMPARE(menus[5]->text(), QString("帮助(&H)"));
        QCOMPARE(editor.frame->Action(Cmd::FileNew)->text(), QString("新建\tCtrl+&N"));
        QCOMPARE(editor.frame->Action(Cmd::PresetRegisters)->text(), QString("预设寄存器\tCtrl+&W"));
        QCOMPARE(editor.frame->Action(Cmd::ToolLamp)->toolTip(), QString("指示灯"));
        QVERIFY(!editor.frame->Action(Cmd::ToolLamp)->icon().isNull());
        // Entries without a picture show their check mark, not an empty icon.
        for (int id : {Cmd::ViewToolbar, Cmd::ViewStatusBar, Cmd::ShowGrid, Cmd::ScreenDataWindow})
            QVERIFY(editor.frame->Action(id)->icon().isNull());

        auto* toolBar = editor.frame->findChild<QToolBar*>("ToolBar");
        QVERIFY(toolBar);
        int buttons = 0;
        for (QAction* action : toolBar->actions())
            buttons += action->isSeparator() ? 0 : 1;
        QCOMPARE(buttons, 26);
    }

    void firstFileNewCreatesTheEditor()
    {
        Editor editor;
        editor.frame->show();
        editor.FileNew();

        CVX50TextView& view = editor.View();
        QVERIFY(view.GetCanvas());
        QCOMPARE(editor.ScreenTexts(), QStringList{"画面1"});
        QCOMPARE(CCJTreeCtrl::ItemData(editor.Tree().ScreensRoot()->child(0)), 10);
        QCOMPARE(editor.Tree().currentItem(), editor.Tree().ScreensRoot()->child(0));
        QCOMPARE(editor.Tree().ScreensRoot()->foreground(0).color(), QColor(Qt::black));
        QCOMPARE(editor.Tree().CurrentScreenItemData, 10);

        QCOMPARE(editor.frame->PaneText(1), QString("ModBus Slave"));
        QCOMPARE(editor.frame->PaneText(2), QString("ModBus Slave"));
        QCOMPARE(editor.document.DeviceName, GbkFromUtf8("ModBus Slave"));
        QCOMPARE(editor.document.ResetOnNew, 0);
        QCOMPARE(view.AskDeviceOnNew, 1);

        QVERIFY(view.ScreenPage->isVisible());
        QCOMPARE(view.ScreenPage->NumberText(), QString("画面号:1"));
        QCOMPARE(view.ScreenPage->Description(), QString("画面1"));
        for (CPropertyDlg* page : view.Pages()) {
            if (page != view.ScreenPage)
                QVERIFY(!page->isVisible());
        }
        QVERIFY(!view.KeypadWindow->isVisible());
        QVERIFY(view.UsageChart);
        QVERIFY(editor.frame->ScreenDataWindow->isVisible());

        for (int id : {Cmd::FileSave, Cmd::FileSaveAs, Cmd::ToolLamp, Cmd::Compile, Cmd::NewScreen})
            QVERIFY2(editor.Enabled(id), qPrintable(QString::number(id)));
        QVERIFY(!editor.Enabled(Cmd::Undo));
        QVERIFY(!editor.Enabled(Cmd::PasteElements));
        QCOMPARE(editor.frame->windowTitle(), QString("VX系列 画面设置工具-"));
    }

    void viewPlacesItsChildrenByTheLayout()
    {
        Editor editor;
        editor.frame->show();
        editor.FileNew();
        CVX50TextView& view = editor.View();
        for (const QSize size : {QSize(1400, 900), QSize(800, 700)}) {
            editor.frame->resize(size);
            QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
            QApplication::processEvents();
            const ViewLayout layout = ComputeViewLayout(view.width(), view.height(), false);
            QCOMPARE(view.GetCanvas()->geometry(), layout.canvas);
            QCOMPARE(view.PageArea()->geometry(), layout.pages);
            QCOMPARE(editor.frame->ScreenDataWindow->geometry(), layout.dataWindow);
        }
    }

    void editingKeysOfTheViewReachTheCanvas()
    {
        Editor editor;
        editor.FileNew();
        KeyRecorder recorder;
        editor.View().GetCanvas()->installEventFilter(&recorder);
        QTest::keyClick(&editor.View(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&editor.View(), Qt::Key_C);
        QTest::keyClick(&editor.View(), Qt::Key_Delete);
        QTest::keyClick(&editor.View(), Qt::Key_Left);
        QTest::keyClick(&editor.View(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(recorder.keys, (QList<int>{Qt::Key_C, Qt::Key_Delete, Qt::Key_Left}));
    }

    void laterFileNewResetsTheProject()
    {
        Editor editor;
        editor.FileNew();
        editor.AddScreen(5);
        editor.AddScreen(9);
        editor.document.GlobalButtons.resize(2);
        editor.document.ProjectPath = "/tmp/project.opf";
        editor.frame->WriteDescriptions = 1;
        editor.frame->UsedCharTableCount = 12;
        editor.frame->RefreshCommandStates();
        QCOMPARE(editor.frame->windowTitle(), QString("VX系列 画面设置工具-/tmp/project.opf"));

        editor.FileNew(); // not modified: no question
        QVERIFY(editor.ui->shown.isEmpty());
        QCOMPARE(editor.document.GetScreens().size(), size_t(1));
        QCOMPARE(editor.ScreenTexts(), QStringList{"画面1"});
        QCOMPARE(CCJTreeCtrl::ItemData(editor.Tree().ScreensRoot()->child(0)), 10);
        QVERIFY(editor.document.GlobalButtons.empty());
        QCOMPARE(editor.frame->WriteDescriptions, 0);
        QCOMPARE(editor.frame->UsedCharTableCount, 0);
        QVERIFY(!editor.Enabled(Cmd::Undo));
        QCOMPARE(editor.frame->windowTitle(), QString("VX系列 画面设置工具-"));
    }

    void newOnAModifiedProjectFollowsTheAnswer()
    {
        struct Case {
            const char* name;
            int answer;
            size_t screens; // after File New
            int modified;
        };
        const Case cases[] = {
            {"Cancel keeps everything", IdCancel, 2, 1},
            // Yes, but the save does not write the file: the project stays.
            {"Yes without a written save keeps everything", IdYes, 2, 1},
            {"No resets", IdNo, 1, 0},
        };
        for (const Case& c : cases) {
            Editor editor;
            editor.FileNew();
            editor.AddScreen(5);
            editor.document.ProjectModified = 1;
            editor.ui->answers = {c.answer};
            editor.FileNew();
            QVERIFY2(editor.ui->shown == QStringList{"文件已修改,是否保存?"}, c.name);
            QVERIFY2(editor.document.GetScreens().size() == c.screens, c.name);
            QVERIFY2(editor.document.ProjectModified == c.modified, c.name);
            QVERIFY2(editor.Tree().ScreensRoot()->childCount() == int(c.screens), c.name);
        }
    }

    void clickingAScreenItemSwitchesTheEditedScreen()
    {
        Editor editor;
        editor.frame->show();
        editor.FileNew();
        editor.AddScreen(2);
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const size_t snapshots = editor.document.UndoHistory.size();

        QTreeWidgetItem* item = editor.Tree().FindItemByData(11);
        QVERIFY(item);
        const QPoint at = editor.Tree().visualItemRect(item).center();
        QTest::mouseClick(editor.Tree().viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(editor.document.CurrentScreenNumber, 2);
        QCOMPARE(editor.document.GetWorkingElements().size(), size_t(1));
        QCOMPARE(editor.View().ScreenPage->NumberText(), QString("画面号:2"));
        QCOMPARE(editor.document.UndoHistory.size(), snapshots + 1);

        // The same screen again takes no snapshot.
        QTest::mouseClick(editor.Tree().viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(editor.document.UndoHistory.size(), snapshots + 1);
    }

    void afterADeletionTheScreensRootStandsForTheLastScreen()
    {
        Editor editor;
        editor.FileNew();
        editor.AddScreen(4);
        editor.AddScreen(7);
        const size_t snapshots = editor.document.UndoHistory.size();
        editor.Tree().setCurrentItem(editor.Tree().ScreensRoot());
        editor.frame->OnTreeSelect(false); // no deletion: the root changes nothing
        QCOMPARE(editor.document.CurrentScreenNumber, 1);

        CCJTreeCtrl::ScreenDeletedMark = 1;
        editor.frame->OnTreeSelect(false);
        CCJTreeCtrl::ScreenDeletedMark = 0;
        QCOMPARE(editor.document.CurrentScreenNumber, 7);
        QCOMPARE(CCJTreeCtrl::ItemData(editor.Tree().currentItem()), 16);
        QCOMPARE(editor.document.UndoHistory.size(), snapshots + 1);
    }

    void frameCommandsFlipTheirSwitches()
    {
        Editor editor;
        editor.frame->show();
        editor.FileNew();
        editor.frame->ExecuteCommand(Cmd::WriteDescriptions);
        QCOMPARE(editor.frame->WriteDescriptions, 1);
        QVERIFY(editor.frame->Action(Cmd::WriteDescriptions)->isChecked());
        editor.frame->ExecuteCommand(Cmd::ScreenDataWindow);
        QCOMPARE(editor.frame->ScreenDataShown, 0);
        QVERIFY(!editor.frame->ScreenDataWindow->isVisible());
        QVERIFY(!editor.frame->Action(Cmd::ScreenDataWindow)->isChecked());
        // No help file in the program folder.
        editor.frame->ExecuteCommand(Cmd::HelpContents);
        QCOMPARE(editor.ui->shown, QStringList{"找不到文件\"VX50Help.hcm\"!"});
    }

    // Every modal window a command opens goes through the user interface's
    // dialog runner, so that nothing waits for a user the run does not have.
    void commandDialogsRunThroughTheUserInterface()
    {
        Editor editor;
        editor.frame->show();
        editor.FileNew();
        QTemporaryDir folder;
        const QString bitmap = folder.filePath("dot.bmp");
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::black);
        QVERIFY(image.save(bitmap, "BMP"));

        // Each script notes the dialog's class, fills it and ends it.
        QStringList opened;
        const auto note = [&opened](std::function<int(QDialog&)> end) {
            return [&opened, end](QDialog& dialog) {
                opened.append(dialog.metaObject()->className());
                return end(dialog);
            };
        };
        editor.ui->dialogs = {
            note([](QDialog& d) {
                ShowActive(d);
                EnterText(d.findChild<QLineEdit*>("address"), "1f");
                ClickOk(d);
                return d.result();
            }),
            note([](QDialog&) { return int(QDialog::Rejected); }),
            note([](QDialog&) { return int(QMessageBox::Ok); }),
            note([&bitmap](QDialog& d) {
                dynamic_cast<QFileDialog&>(d).selectFile(bitmap);
                return int(QDialog::Accepted);
            }),
        };
        for (int id : {Cmd::PingSet, Cmd::ComPort, Cmd::About, Cmd::ToolPicture})
            editor.frame->ExecuteCommand(id);

        QCOMPARE(opened, (QStringList{"CPingSetDlg", "CComPortDlg", "QMessageBox", "QFileDialog"}));
        QCOMPARE(editor.frame->StationAddress, 31);
        QCOMPARE(editor.View().GetCanvas()->CurrentTool, int(ToolPicture));
        QCOMPARE(editor.View().GetCanvas()->PicturePath, bitmap);
    }

    // A dropped file opens as File Open would: only while File Open may run,
    // and an error while opening ends in a message, not in the event loop.
    void droppedFilesFollowFileOpen()
    {
        Editor editor;
        editor.FileNew();
        QSignalSpy drops(editor.frame.get(), &CMainFrame::FileDropped);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/tmp/dropped.opf")});
        const auto drop = [&] {
            // Straight to the window: without a drag under way the
            // application would not deliver it.
            QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            static_cast<QObject*>(editor.frame.get())->event(&event);
        };

        editor.frame->Simulating = 1;
        drop();
        QCOMPARE(drops.count(), 0);

        editor.frame->Simulating = 0;
        connect(editor.frame.get(), &CMainFrame::FileDropped, [](const QString&) {
            throw std::runtime_error("cannot open");
        });
        drop();
        QCOMPARE(drops.count(), 1);
        QCOMPARE(drops.at(0).at(0).toString(), QString("/tmp/dropped.opf"));
        QCOMPARE(editor.ui->shown, QStringList{"cannot open"});
    }

    void treeClicksAreIgnoredBeforeTheFirstFileNew()
    {
        Editor editor;
        editor.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const QPoint at = editor.Tree().visualItemRect(editor.Tree().AddressRoot()).center();
        QSignalSpy requests(editor.frame.get(), &CMainFrame::AddressTableRequested);
        QTest::mouseClick(editor.Tree().viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(requests.count(), 0);
        QVERIFY(!editor.Tree().currentItem());
    }

    void closingAModifiedProjectAsks()
    {
        Editor editor;
        editor.frame->show();
        editor.FileNew();
        editor.document.ProjectModified = 1;
        editor.ui->answers = {IdCancel};
        QVERIFY(!editor.frame->close());
        QVERIFY(editor.frame->isVisible());
        editor.ui->answers = {IdYes}; // the save is not written: the window stays
        QVERIFY(!editor.frame->close());
        editor.ui->answers = {IdNo};
        QVERIFY(editor.frame->close());
        QCOMPARE(editor.ui->shown.size(), 3);
    }

    void theFrameWritesTheComPortNumberWhenItGoes()
    {
        const std::string path = ComPortFilePath();
        QFile::remove(QString::fromStdString(path));
        SetComPortNumber(3);
        {
            Editor editor;
        }
        QCOMPARE(ReadTestFile(path), std::optional<std::string>(std::string("\x03\x00\x00\x00", 4)));
        SetComPortNumber(1);
    }

    void progressWindowShowsCaptionTextAndRange()
    {
        Editor editor;
        UserInterface& ui = CurrentUi();
        ui.ProgressBegin(6);
        ui.ProgressCaption(61377, 61378);
        ui.ProgressStep(2);
        CProgressDlg* window = editor.View().ProgressWindow;
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("保存工程"));
        QCOMPARE(window->Text(), QString("正在保存工程..."));
        QCOMPARE(window->Maximum(), 6);
        QCOMPARE(window->Position(), 2);
        // A second operation reuses the window.
        ui.ProgressBegin(9);
        QCOMPARE(editor.View().ProgressWindow, window);
        ui.ProgressEnd();
        QVERIFY(!editor.View().ProgressWindow);
    }

    void statusPanesSitSideBySideFromTheLeft()
    {
        Editor editor;
        editor.frame->resize(1280, 800);
        editor.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const std::array<const QLabel*, 4> panes = StatusPanes(editor);
        for (const QLabel* pane : panes)
            QVERIFY(pane);

        const int width = editor.frame->width();
        QCOMPARE(panes[0]->width(), width / 8);
        QVERIFY2(panes[0]->x() <= 8, qPrintable(QString::number(panes[0]->x())));
        for (std::size_t pane = 1; pane < 4; ++pane) {
            QCOMPARE(panes[pane]->width(), width / 4);
            const int gap = panes[pane]->x() - panes[pane - 1]->geometry().right() - 1;
            QVERIFY2(gap >= 0 && gap <= 8, qPrintable(QString("gap %1 before pane %2").arg(gap).arg(pane)));
        }
        QVERIFY(panes[3]->geometry().right() < editor.frame->statusBar()->width() - width / 16);
    }

    // The pointer over toolbar buttons (one disabled) and menu items writes
    // their fly-by texts into the message pane; no pane moves or hides, and
    // "Ready" comes back when the pointer leaves or the menu closes.
    void flyByTextsShowInTheMessagePaneAndNoPaneMoves()
    {
        Editor editor;
        editor.frame->resize(1024, 768);
        editor.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        editor.FileNew();
        QWindow* window = editor.frame->windowHandle();
        const std::array<const QLabel*, 4> panes = StatusPanes(editor);
        auto places = [&panes] {
            QList<QRect> rects;
            for (const QLabel* pane : panes)
                rects.append(pane->isVisible() ? pane->geometry() : QRect());
            return rects;
        };
        const QList<QRect> before = places();
        QCOMPARE(before[0].width(), 1024 / 8);
        QCOMPARE(before[1].width(), 1024 / 4);
        auto pointTo = [&editor](const QWidget* widget) {
            return widget->mapTo(editor.frame.get(), widget->rect().center());
        };

        auto* toolBar = editor.frame->findChild<QToolBar*>("ToolBar");
        QVERIFY(!editor.Enabled(Cmd::Undo));
        const std::pair<int, QString> buttons[] = {
            {Cmd::ToolLamp, "指示灯"}, {Cmd::Undo, "撤消"}, {Cmd::FileOpen, "打开..."}, {Cmd::AlarmList, "报警列表"}};
        for (const auto& [id, text] : buttons) {
            QTest::mouseMove(window, pointTo(toolBar->widgetForAction(editor.frame->Action(id))));
            QCOMPARE(editor.frame->PaneText(0), text);
            QCOMPARE(places(), before);
        }
        QTest::mouseMove(window, pointTo(editor.View().GetCanvas()));
        QCOMPARE(editor.frame->PaneText(0), QString("Ready"));
        QCOMPARE(places(), before);

        // The Tools menu opened from the menu bar, the pointer on its items.
        QMenuBar* menuBar = editor.frame->menuBar();
        QAction* tools = menuBar->actions().at(4);
        QTest::mouseClick(menuBar, Qt::LeftButton, {}, menuBar->actionGeometry(tools).center());
        QMenu* menu = tools->menu();
        QTRY_VERIFY(menu->isVisible());
        for (const auto& [id, text] : {std::pair<int, QString>{Cmd::NewScreen, "新建画面"},
                                       std::pair<int, QString>{Cmd::PresetRegisters, "预设寄存器"}}) {
            QTest::mouseMove(menu->windowHandle(), menu->actionGeometry(editor.frame->Action(id)).center());
            QCOMPARE(editor.frame->PaneText(0), text);
            QCOMPARE(places(), before);
        }
        QTest::keyClick(menu, Qt::Key_Escape);
        QTest::keyClick(menuBar, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(editor.frame->PaneText(0), QString("Ready"));
        QCOMPARE(places(), before);
    }

    void pictureOfTheWholeWindow()
    {
        Editor editor;
        editor.frame->show();
        editor.FileNew();
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        for (QWidget* part : std::initializer_list<QWidget*>{
                 editor.frame->menuBar(), editor.frame->findChild<QToolBar*>("ToolBar"),
                 editor.frame->findChild<QDockWidget*>("DockingWindow"), editor.View().GetCanvas(),
                 editor.frame->statusBar()})
            QVERIFY(part && part->isVisible() && !part->visibleRegion().isEmpty());
        const QString file = m_folder.path() + "/main-window.png";
        QVERIFY(editor.frame->grab().save(file, "PNG"));
        QImage picture(file);
        QCOMPARE(picture.size(), editor.frame->size());
        QCOMPARE(editor.frame->windowTitle(), QString("VX系列 画面设置工具-"));

        // The picture shows the new project's empty display where the canvas
        // stands: white with the dot grid.
        QWidget& canvas = *editor.View().GetCanvas();
        const QImage shown = picture.copy(QRect(canvas.mapTo(editor.frame.get(), QPoint(0, 0)), canvas.size()))
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, canvas.grab().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(shown.pixel(1, 1), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
