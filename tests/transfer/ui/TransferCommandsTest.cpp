// The main window's link commands against the emulated panel: the firmware
// version, the COM-port dialog and the hidden station-address dialog.

#include "shell/ui/CMainFrame.h"
#include "emulator/ComPortOverride.h"
#include "emulator/PanelEmulator.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "base/ProgramPaths.h"
#include "support/IsolatedSettings.h"
#include "support/PageTesting.h"
#include "support/RecordingUserInterface.h"
#include "transfer/ComPortNumber.h"
#include "transfer/PanelFrames.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs `act` on the modal dialog that the next command opens.
void OnNextDialog(std::function<void(QDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(*dialog);
    });
}

} // namespace

class TransferCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.IsValid());
        SetProgramFolder(m_settings.Folder().toStdString()); // the frame writes "PZ.DAT" there
    }

    void firmwareVersionGoesToTheStatusBar()
    {
        PanelEmulator panel;
        QVERIFY(panel.Start());
        panel.SetFirmwareVersion(0x23);
        ComPortOverride com6(6, panel.DevicePath());
        SetComPortNumber(6);
        RecordingUserInterface ui;
        CVX50TextDoc document;
        CMainFrame frame(document);

        frame.ExecuteCommand(Cmd::FirmwareVersion);
        QCOMPARE(frame.PaneText(3), QStringLiteral("下位机版本:  V2.3"));
        QVERIFY(ui.messages.empty());

        panel.SetFirmwareVersion(0x24);
        panel.InjectFault(kFunctionVersion, PanelEmulator::Fault::WrongCode);
        frame.ExecuteCommand(Cmd::FirmwareVersion);
        QCOMPARE(frame.PaneText(3), QStringLiteral("下位机版本:  V2.3")); // kept
        QCOMPARE(ui.MessageIds(), std::vector<int>{61213});
        SetComPortNumber(1);
    }

    void comPortDialogSetsTheProjectsPortOnOk()
    {
        SetComPortNumber(2);
        CVX50TextDoc document;
        CMainFrame frame(document);
        const auto choose = [&frame](int number, bool confirm) {
            OnNextDialog([=](QDialog& dialog) {
                ShowActive(dialog);
                ChooseEntry(dialog.findChild<QComboBox*>(QStringLiteral("ports")), number - 1);
                confirm ? ClickOk(dialog) : ClickCancel(dialog);
            });
            frame.ExecuteCommand(Cmd::ComPort);
        };
        choose(7, true);
        QCOMPARE(ComPortNumber(), 7);
        QCOMPARE(document.ProjectComPort, 7);

        choose(5, false);
        QCOMPARE(ComPortNumber(), 5);
        QCOMPARE(document.ProjectComPort, 7);
        SetComPortNumber(1);
    }

    void hiddenPingSetCommandSetsTheStationAddress()
    {
        CVX50TextDoc document;
        CMainFrame frame(document);
        OnNextDialog([](QDialog& dialog) {
            ShowActive(dialog);
            EnterText(dialog.findChild<QLineEdit*>(QStringLiteral("address")), QStringLiteral("1f"));
            ClickOk(dialog);
        });
        frame.ExecuteCommand(Cmd::PingSet);
        QCOMPARE(frame.StationAddress, 31);
    }

private:
    IsolatedSettings m_settings{QStringLiteral("TransferCommandsTest")};
};

QTEST_MAIN(TransferCommandsTest)
#include "TransferCommandsTest.moc"
