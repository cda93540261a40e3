// The screen page in the editor: filled from the edited screen, each change
// written into that screen with one undo snapshot, the description naming
// the screen's tree item.

#include "pages/ui/CScreenPropertyDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ScreenEditor : ScriptedEditor {
    CScreenPropertyDlg* Page() const { return View().ScreenPage; }
    QLineEdit* Field(const char* label) const { return FieldOf<QLineEdit>(Page(), QString::fromUtf8(label)); }
    QLineEdit* Description() const { return Field("画面描述:"); }
    QLineEdit* UpScreen() const { return Field("按上键至画面:"); }
    QRadioButton* PortButton(const char* text) const
    {
        for (QRadioButton* button : Page()->findChildren<QRadioButton*>())
            if (button->text() == QString::fromUtf8(text))
                return button;
        return nullptr;
    }
    const ScreenRecord& Screen(int number) const { return *document.FindScreenByNumber(number); }
    std::size_t Snapshots() const { return document.UndoHistory.size(); }
};

} // namespace

class ScreenPageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void theScreenPageStandsBesideTheCanvas()
    {
        ScreenEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.Page()});
        QCOMPARE(editor.Page()->NumberText(), QString("画面号:1"));
        QCOMPARE(editor.Description()->text(), QString("画面1"));
        QCOMPARE(editor.UpScreen()->text(), QString("1"));
        QVERIFY(editor.PortButton("RS485")->isChecked());
        const QRect page(editor.Page()->mapTo(&editor.View(), QPoint(0, 0)), editor.Page()->size());
        QVERIFY(!page.intersects(editor.Canvas().geometry()));
        QVERIFY(ShowsWholeLayout(editor.Page()));
        QVERIFY(SavePicture(editor.frame.get(), "screen-page.png"));
    }

    void theDescriptionNamesTheTreeItem()
    {
        ScreenEditor editor;
        editor.document.ProjectModified = 0;
        std::size_t snapshots = editor.Snapshots();
        QLineEdit* description = editor.Description();
        description->setFocus();
        description->selectAll();
        QTest::keyClicks(description, "ab");
        QCOMPARE(editor.Screen(1).Description, std::string("ab"));
        QCOMPARE(editor.ScreenTexts(), QStringList{"ab"});
        QCOMPARE(editor.document.ProjectModified, 1);
        // One snapshot a keystroke.
        snapshots += 2;
        QCOMPARE(editor.Snapshots(), snapshots);

        EnterText(description, "");
        QCOMPARE(editor.Screen(1).Description, std::string());
        QCOMPARE(editor.ScreenTexts(), QStringList{"画面1"});

        // 20 bytes at most: ten Chinese characters, then nothing more.
        EnterText(description, "一二三四五六七八九十");
        QCOMPARE(editor.Screen(1).Description.size(), std::size_t(20));
        QTest::keyClicks(description, "a");
        QCOMPARE(description->text(), QString("一二三四五六七八九十"));
        QCOMPARE(editor.ScreenTexts(), QStringList{"一二三四五六七八九十"});
    }

    void keyScreensAndPortAreCheckedAndStored()
    {
        ScreenEditor editor;
        std::size_t snapshots = editor.Snapshots();
        EnterText(editor.UpScreen(), "65535");
        QCOMPARE(editor.Screen(1).UpKeyScreen, 65535);
        QCOMPARE(editor.Snapshots(), ++snapshots);
        for (const char* refused : {"0", "65536"}) {
            EnterText(editor.UpScreen(), refused);
            QCOMPARE(editor.ui->shown.last(), QString("请填入一个在1和65535之间的整数!"));
            QCOMPARE(editor.UpScreen()->text(), QString("65535"));
            QCOMPARE(editor.Screen(1).UpKeyScreen, 65535);
        }
        QCOMPARE(editor.Snapshots(), snapshots);
        // A screen that does not exist is stored as typed.
        EnterText(editor.Field("按下键至画面:"), "77");
        QCOMPARE(editor.Screen(1).DownKeyScreen, 77);

        editor.PortButton("COM1")->click();
        QCOMPARE(editor.Screen(1).Port, 1);
        QVERIFY(!editor.PortButton("RS485")->isChecked());
        snapshots = editor.Snapshots();
        editor.PortButton("COM1")->click();
        QVERIFY(editor.PortButton("COM1")->isChecked());
        QCOMPARE(editor.Snapshots(), snapshots);
    }

    void anotherScreenFillsThePageWithoutWritingBack()
    {
        ScreenEditor editor;
        editor.NewScreen(2);
        EnterText(editor.Description(), "second");
        editor.Click(editor.ItemOf(1));
        QCOMPARE(editor.Page()->NumberText(), QString("画面号:1"));
        QCOMPARE(editor.Description()->text(), QString("画面1"));
        QCOMPARE(editor.Screen(2).Description, std::string("second"));
        const int secondUp = editor.Screen(2).UpKeyScreen;
        EnterText(editor.UpScreen(), "9");
        QCOMPARE(editor.Screen(1).UpKeyScreen, 9);
        QCOMPARE(editor.Screen(2).UpKeyScreen, secondUp);
        QCOMPARE(editor.ScreenTexts(), (QStringList{"画面1", "second"}));
    }
};

QTEST_MAIN(ScreenPageTest)
#include "ScreenPageTest.moc"
