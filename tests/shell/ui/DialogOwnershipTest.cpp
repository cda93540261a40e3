// Every dialog, message box and the progress window belongs to the window
// that opened it: a window of its own over that window, which the window
// manager keeps above it and Qt centres on it.

#include "shell/ui/CProgressDlg.h"
#include "support/ScriptedEditor.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// A script that runs the dialog modally, as the editor would, does `act` in
// it and closes it.
std::function<int(QDialog&)> RunModally(std::function<void(QDialog&)> act)
{
    return [act](QDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog, act] {
            act(dialog);
            dialog.reject();
        });
        return dialog.exec();
    };
}

} // namespace

class DialogOwnershipTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void theMainWindowsDialogsBelongToIt()
    {
        const std::pair<int, const char*> commands[] = {
            {Cmd::Device, "device"},
            {Cmd::ComPort, "COM port"},
            {Cmd::PanelSettings, "panel settings"},
            {Cmd::GlobalButtons, "global buttons"},
            {Cmd::PasswordLevels, "password levels"},
            {Cmd::CopyRegisters, "copy registers"},
            {Cmd::PresetTexts, "preset texts"},
            {Cmd::PresetRegisters, "preset registers"},
            {Cmd::NewScreen, "new screen"},
            {Cmd::ScreenProperties, "screen properties"},
            {Cmd::PingSet, "station"},
            {Cmd::About, "about"},
            {Cmd::ToolPicture, "picture file"},
        };
        ScriptedEditor editor;
        editor.ui->confirmDevice = false;
        for (const auto& [command, name] : commands) {
            QWidget* owner = nullptr;
            bool shownAsWindow = false;
            editor.ui->dialogs.push_back(RunModally([&](QDialog& dialog) {
                owner = dialog.parentWidget();
                shownAsWindow = dialog.isWindow() && dialog.isVisible();
            }));
            editor.frame->ExecuteCommand(command);
            QVERIFY2(owner == editor.frame.get(), name);
            QVERIFY2(shownAsWindow, name);
        }
    }

    // The device dialog opens the device information dialog; its message
    // comes up over it, and both stay over the main window.
    void aDialogsDialogsAndMessagesBelongToIt()
    {
        ScriptedEditor editor;
        editor.ui->confirmDevice = false;
        QWidget* deviceDialog = nullptr;
        QWidget* infoOwner = nullptr;
        bool messageOverInfo = false;
        editor.ui->dialogs.push_back(RunModally([&](QDialog& dialog) {
            deviceDialog = &dialog;
            ClickButton(dialog.findChild<QPushButton*>(QStringLiteral("newDevice")));
        }));
        editor.ui->dialogs.push_back(RunModally([&](QDialog& dialog) {
            infoOwner = dialog.parentWidget();
            ClickOk(dialog); // no name: a message
            messageOverInfo = editor.ui->owners.size() == 1 && editor.ui->owners[0] == &dialog;
        }));
        editor.frame->ExecuteCommand(Cmd::Device);
        QVERIFY(deviceDialog);
        QCOMPARE(infoOwner, deviceDialog);
        QVERIFY(messageOverInfo);

        // Without a dialog up, messages belong to the main window.
        editor.ui->owners.clear();
        CurrentUi().ShowMessage(61213);
        QCOMPARE(editor.ui->owners.front().data(), editor.frame.get());
    }

    void theProgressWindowStandsCentredOverTheMainWindow()
    {
        ScriptedEditor editor;
        editor.frame->setGeometry(60, 40, 700, 500);
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        QVERIFY(CurrentUi().ProgressBegin(10));
        CurrentUi().ProgressCaption(61373, 61374);
        CProgressDlg* progress = editor.View().ProgressWindow;
        QVERIFY(progress);
        QCOMPARE(progress->parentWidget(), editor.frame.get());
        QVERIFY(progress->isWindow() && progress->isVisible());
        const QPoint offset = progress->geometry().center() - editor.frame->geometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
        // Messages during the operation belong to the main window, not to
        // the window that only reports.
        QApplication::setActiveWindow(progress);
        CurrentUi().ShowMessage(61213);
        QCOMPARE(editor.ui->owners.back().data(), editor.frame.get());
        CurrentUi().ProgressEnd();
    }
};

QTEST_MAIN(DialogOwnershipTest)
#include "DialogOwnershipTest.moc"
