// The project tree on the offscreen platform: screens added through the
// new-screen dialog, clicks, the popup's delete, the Up/Down keys, the
// properties dialog and the refusals that keep a dialog open.

#include "model/elements/CLampElement.h"
#include "base/GbkText.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

class ProjectTreeTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase()
    {
        QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path()));
    }

    void addClickAndDeleteThroughThePopup()
    {
        ScriptedEditor editor;
        editor.NewScreen(2);
        editor.NewScreen(3);
        QCOMPARE(editor.ScreenTexts(), (QStringList{"画面1", "画面2", "画面3"}));
        QCOMPARE(editor.document.CurrentScreenNumber, 3);
        QCOMPARE(editor.Tree().currentItem(), editor.ItemOf(3));
        QCOMPARE(editor.View().ScreenPage->NumberText(), QString("画面号:3"));
        QCOMPARE(editor.LinksOf(1), std::pair(3, 2));
        QCOMPARE(editor.LinksOf(3), std::pair(2, 1));

        // Screen 2 takes a lamp once it is the edited screen.
        editor.Click(editor.ItemOf(2));
        QCOMPARE(editor.document.CurrentScreenNumber, 2);
        editor.document.WorkingElements.push_back({KindLamp, std::make_shared<CLampElement>()});
        editor.document.PushUndoSnapshot();

        editor.ui->answers = {IdYes};
        ScriptedEditor::ChooseFromPopup("删除画面");
        editor.Click(editor.ItemOf(2), Qt::RightButton);

        QCOMPARE(editor.ui->shown.value(0), QString("是否要删除2号画面吗?"));
        QCOMPARE(editor.ScreenTexts(), (QStringList{"画面1", "画面3"}));
        QVERIFY(!editor.document.FindScreenByNumber(2));
        QCOMPARE(editor.LinksOf(1), std::pair(3, 3));
        QCOMPARE(editor.LinksOf(3), std::pair(1, 1));
        QCOMPARE(editor.document.CurrentScreenNumber, 3);
        QCOMPARE(editor.Tree().currentItem(), editor.ItemOf(3));
        QVERIFY(editor.document.WorkingElements.empty());
        QCOMPARE(editor.View().ScreenPage->NumberText(), QString("画面号:3"));
        QCOMPARE(editor.document.ProjectModified, 1);
        QVERIFY(editor.document.CanUndo());
    }

    void refusedNewScreenKeepsTheDialogOpenWithTheInput()
    {
        ScriptedEditor editor;
        const QString tooLong = "一二三四五六七八九十X";
        editor.ui->dialogs.push_back([&](QDialog& dialog) {
            // The checks run in a lambda of their own: a failing one returns
            // from there, and the dialog still gives its result.
            [&] {
                dialog.show();
                auto* number = dialog.findChild<QSpinBox*>("number");
                auto* description = dialog.findChild<QLineEdit*>("description");
                // The proposal is one above the highest number in use.
                QCOMPARE(number->value(), 2);
                QCOMPARE(description->text(), QString("画面2"));
                // The default description follows the number.
                number->setValue(7);
                QCOMPARE(description->text(), QString("画面7"));

                number->setValue(1);
                ClickOk(dialog);
                QCOMPARE(editor.ui->shown.value(0), QString("1号画面已经存在!"));
                QCOMPARE(dialog.result(), int(QDialog::Rejected));
                QCOMPARE(number->value(), 1);

                number->setValue(5);
                description->setText(tooLong);
                ClickOk(dialog);
                QCOMPARE(editor.ui->shown.value(1), QString("不能多于10个汉字或20个字符！"));
                QCOMPARE(description->text(), tooLong);
                QCOMPARE(editor.document.Screens.size(), std::size_t(1));

                description->setText("一二三四五六七八九十");
                ClickOk(dialog);
            }();
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::NewScreen);
        QCOMPARE(editor.ScreenTexts(), (QStringList{"画面1", "一二三四五六七八九十"}));
        QCOMPARE(editor.document.CurrentScreenNumber, 5);
    }

    void insertRenumbersTheTreeAndTheRing()
    {
        ScriptedEditor editor;
        editor.NewScreen(2);
        editor.NewScreen(3);

        editor.ScriptNewScreen(2);
        ScriptedEditor::ChooseFromPopup("插入画面");
        editor.Click(editor.ItemOf(2), Qt::RightButton);

        QCOMPARE(editor.ScreenTexts(), (QStringList{"画面1", "画面2", "画面3", "画面4"}));
        QCOMPARE(editor.document.CurrentScreenNumber, 2);
        QCOMPARE(editor.Tree().currentItem(), editor.ItemOf(2));
        QCOMPARE(editor.LinksOf(1), std::pair(4, 2));
        QCOMPARE(editor.LinksOf(2), std::pair(1, 3));
        QCOMPARE(editor.LinksOf(3), std::pair(2, 4));
        QCOMPARE(editor.LinksOf(4), std::pair(3, 1));
    }

    void upAndDownKeysFollowTheLinksUnlessSimulating()
    {
        ScriptedEditor editor;
        editor.NewScreen(5);
        editor.NewScreen(9);
        editor.Click(editor.ItemOf(5));
        editor.document.FindScreenByNumber(5)->DownKeyScreen = 1;

        QTest::keyClick(&editor.Tree(), Qt::Key_Down);
        QCOMPARE(editor.document.CurrentScreenNumber, 1);
        QCOMPARE(editor.Tree().currentItem(), editor.ItemOf(1));
        QTest::keyClick(&editor.Tree(), Qt::Key_Up);
        QCOMPARE(editor.document.CurrentScreenNumber, 9);

        // Other keys that move the selection switch screens as well.
        QTest::keyClick(&editor.Tree(), Qt::Key_Home);
        QCOMPARE(editor.Tree().currentItem(), editor.Tree().ScreensRoot());
        QCOMPARE(editor.document.CurrentScreenNumber, 9);
        editor.Click(editor.ItemOf(1));
        QTest::keyClick(&editor.Tree(), Qt::Key_End);
        QCOMPARE(editor.Tree().currentItem(), editor.Tree().AddressRoot());

        editor.Click(editor.ItemOf(1));
        editor.frame->Simulating = 1;
        QTest::keyClick(&editor.Tree(), Qt::Key_Down);
        QTest::keyClick(&editor.Tree(), Qt::Key_End);
        QCOMPARE(editor.Tree().currentItem(), editor.ItemOf(1));
        QCOMPARE(editor.document.CurrentScreenNumber, 1);
        editor.frame->Simulating = 0;
    }

    void doubleClickRenamesWithAnUndoSnapshot()
    {
        ScriptedEditor editor;
        editor.NewScreen(2);
        editor.Click(editor.ItemOf(1));
        const std::size_t snapshots = editor.document.UndoHistory.size();
        const int dialogsBefore = editor.ui->dialogsRun;

        editor.ui->dialogs.push_back([&](QDialog& dialog) {
            [&] {
                dialog.show();
                auto* description = dialog.findChild<QLineEdit*>("description");
                QCOMPARE(description->text(), QString("画面1"));
                QCOMPARE(dialog.findChild<QSpinBox*>("upScreen")->value(), 2);
                description->setText(QString(21, u'x'));
                ClickOk(dialog);
                QCOMPARE(editor.ui->shown.value(0), QString("不能多于10个汉字或20个字符！"));
                QCOMPARE(dialog.result(), int(QDialog::Rejected));
                description->clear();
                dialog.findChild<QSpinBox*>("downScreen")->setValue(1);
                ClickOk(dialog);
            }();
            return dialog.result();
        });
        QTest::mouseDClick(editor.Tree().viewport(), Qt::LeftButton, {}, editor.CentreOf(editor.ItemOf(1)));

        QCOMPARE(editor.ui->dialogsRun, dialogsBefore + 1);
        // An empty description shows the default name.
        QCOMPARE(editor.ItemOf(1)->text(0), QString("画面1"));
        QCOMPARE(editor.document.FindScreenByNumber(1)->Description, std::string());
        QCOMPARE(editor.LinksOf(1), std::pair(2, 1));
        QCOMPARE(editor.View().ScreenPage->DownScreen(), 1);
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.document.UndoHistory.size(), snapshots + 1);
    }

    void copyThroughThePopupAsksForTheTarget()
    {
        ScriptedEditor editor;
        auto lamp = std::make_shared<CLampElement>();
        editor.document.WorkingElements.push_back({KindLamp, lamp});
        editor.ui->dialogs.push_back([](QDialog& dialog) {
            dialog.show();
            auto* target = dialog.findChild<QSpinBox*>("target");
            [&] {
                QCOMPARE(dialog.findChild<QLabel*>("source")->text(), QString("1"));
                QCOMPARE(target->value(), 2);
            }();
            target->setValue(5);
            ClickOk(dialog);
            return dialog.result();
        });
        ScriptedEditor::ChooseFromPopup("复制画面");
        editor.Click(editor.ItemOf(1), Qt::RightButton);

        // The copy takes the source's description.
        QCOMPARE(editor.ScreenTexts(), (QStringList{"画面1", "画面1"}));
        QCOMPARE(editor.Tree().currentItem(), editor.ItemOf(5));
        QCOMPARE(editor.document.CurrentScreenNumber, 5);
        QCOMPARE(editor.LinksOf(5), std::pair(1, 1));
        QCOMPARE(editor.document.WorkingElements.size(), std::size_t(1));
        QVERIFY(editor.document.WorkingElements.front().element != lamp);
    }

    void deleteRefusesARootAndResetsTheOnlyScreen()
    {
        ScriptedEditor editor;
        editor.Click(editor.Tree().AddressRoot());
        editor.frame->ExecuteCommand(Cmd::DeleteScreen);
        QCOMPARE(editor.ui->shown.value(0), QString("请选择要删除的画面!"));

        editor.Click(editor.ItemOf(1));
        editor.document.WorkingElements.push_back({KindLamp, std::make_shared<CLampElement>()});
        editor.document.FindScreenByNumber(1)->Description = GbkFromUtf8("主画面");
        editor.ui->answers = {IdNo, IdYes};
        editor.frame->ExecuteCommand(Cmd::DeleteScreen);
        QCOMPARE(editor.document.WorkingElements.size(), std::size_t(1));
        editor.frame->ExecuteCommand(Cmd::DeleteScreen);
        QCOMPARE(editor.ScreenTexts(), QStringList{"画面1"});
        QCOMPARE(editor.document.Screens.size(), std::size_t(1));
        QVERIFY(editor.document.WorkingElements.empty());
        QVERIFY(editor.document.Screens.front().Elements.empty());
        QCOMPARE(editor.LinksOf(1), std::pair(1, 1));
    }

    void fullProjectRefusesNewCopyAndInsert()
    {
        ScriptedEditor editor;
        for (int n = 2; n <= 256; ++n) {
            ScreenRecord s;
            s.Number = n;
            editor.document.Screens.push_back(s);
        }
        editor.Tree().ListScreens(editor.document);
        for (const char* command : {"新建画面", "复制画面", "插入画面"}) {
            editor.ui->shown.clear();
            ScriptedEditor::ChooseFromPopup(command);
            editor.Click(editor.ItemOf(1), Qt::RightButton);
            QCOMPARE(editor.ui->shown, QStringList{"最大画面数为256!"});
        }
        QCOMPARE(editor.ui->dialogsRun, 0);
        QCOMPARE(editor.document.Screens.size(), std::size_t(256));
    }

    void rightClickOnTheAddressRootOpensNothing()
    {
        ScriptedEditor editor;
        int requests = 0;
        QObject::connect(editor.frame.get(), &CMainFrame::AddressTableRequested, [&] { ++requests; });
        editor.Click(editor.Tree().AddressRoot(), Qt::RightButton);
        QCOMPARE(editor.Tree().currentItem(), editor.Tree().AddressRoot());
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(requests, 0);
    }
};

QTEST_MAIN(ProjectTreeTest)
#include "ProjectTreeTest.moc"
