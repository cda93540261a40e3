// The property pages in the editor's main window on the screens users work
// at: maximised on 1024 x 768, 1366 x 768 and 1280 x 800, every page (the
// function-key page with each of its actions) fits the pages' area without
// scrolling and shows every label whole. Pictures of each page go to the
// "screenshots" folder beside the test.

#include "model/elements/CFuncKeyElement.h"
#include "pages/ui/CFuncKeyPropertyDlg.h"
#include "pages/ui/CPicturePropertyDlg.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "shell/ui/CPaneCtrl.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The main window's client size on a screen of that size, maximised below
// its title bar.
struct Screen {
    const char* name;
    QSize window;
};
constexpr Screen kScreens[] = {
    {"1024x768", {1024, 744}},
    {"1366x768", {1366, 744}},
    {"1280x800", {1280, 776}},
};

struct FitEditor : ScriptedEditor {
    explicit FitEditor(QSize window)
    {
        frame->resize(window);
        QApplication::processEvents();
    }
    void PlacePicture(QPoint at)
    {
        QImage picture(32, 16, QImage::Format_RGB32);
        picture.fill(Qt::white);
        Canvas().PictureBitmap = picture;
        Canvas().CurrentTool = ToolPicture;
        QTest::mouseClick(&Canvas(), Qt::LeftButton, {}, at);
    }
    CPropertyDlg* ShownPage() const
    {
        const std::vector<CPropertyDlg*> visible = VisiblePages();
        return visible.size() == 1 ? visible.front() : nullptr;
    }
};

// What the page leaves unseen: the scroll range of the pages' area and the
// texts cut off.
QString Unseen(const FitEditor& editor)
{
    QApplication::processEvents();
    const QScrollArea* area = editor.View().PageArea();
    QStringList unseen = CutOffTexts(editor.ShownPage());
    if (area->horizontalScrollBar()->maximum() > 0 || area->verticalScrollBar()->maximum() > 0)
        unseen.prepend(QStringLiteral("scrolls %1 x %2")
                           .arg(area->horizontalScrollBar()->maximum())
                           .arg(area->verticalScrollBar()->maximum()));
    return unseen.join(QStringLiteral("; "));
}

} // namespace

class PagesFitTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void everyPageFitsTheScreensUsersWorkAt()
    {
        const std::pair<int, const char*> tools[] = {
            {Cmd::ToolLamp, "lamp"},
            {Cmd::ToolFuncKey, "function-key"},
            {Cmd::ToolStaticText, "text"},
            {Cmd::ToolDynText, "dynamic-text"},
            {Cmd::ToolRegister, "register"},
            {Cmd::ToolBarGraph, "bar-graph"},
            {Cmd::ToolCurve, "curve"},
        };
        QStringList faults;
        for (const Screen& screen : kScreens) {
            FitEditor editor(screen.window);
            const auto check = [&](const QString& page) {
                QVERIFY(editor.ShownPage());
                if (const QString unseen = Unseen(editor); !unseen.isEmpty())
                    faults.append(QStringLiteral("%1 %2 page: %3").arg(screen.name, page, unseen));
                QVERIFY(SavePicture(editor.frame.get(), QStringLiteral("fit-%1-%2.png").arg(screen.name, page)));
            };
            QCOMPARE(editor.ShownPage(), static_cast<CPropertyDlg*>(editor.View().ScreenPage));
            check(QStringLiteral("screen"));
            for (const auto& [tool, name] : tools) {
                editor.Place(tool, {20, 20});
                check(QString::fromUtf8(name));
            }
            editor.PlacePicture({20, 20});
            QCOMPARE(editor.ShownPage(), static_cast<CPropertyDlg*>(editor.View().PicturePage));
            check(QStringLiteral("picture"));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    // Each action shows other fields in the function-key page.
    void theFunctionKeyPageFitsWithEveryAction()
    {
        for (const Screen& screen : kScreens) {
            FitEditor editor(screen.window);
            editor.Place(Cmd::ToolFuncKey, {20, 20});
            for (const char* action : {"画面跳转", "设定线圈", "设定寄存器", "递增", "递减"}) {
                auto* radio = ButtonOf<QRadioButton>(editor.View().FuncKeyPage, QString::fromUtf8(action));
                QVERIFY(radio);
                QTest::mouseClick(radio, Qt::LeftButton);
                QVERIFY2(Unseen(editor).isEmpty(),
                    qPrintable(QStringLiteral("%1 %2: ").arg(screen.name, action) + Unseen(editor)));
            }
        }
    }
};

QTEST_MAIN(PagesFitTest)
#include "PagesFitTest.moc"
