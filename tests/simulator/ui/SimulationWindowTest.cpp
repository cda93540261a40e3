// The simulate command in the editor on the offscreen platform, against a
// libmodbus slave: the layout switch, live values on the simulated display
// (saved as a picture), the stop, and closing the window during a pass or
// while a key's exchange waits.

#include "emulator/ComPortOverride.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/elements/PanelKeys.h"
#include "modbusslave/ModbusSlave.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/CommandIds.h"
#include "shell/ViewLayout.h"
#include "simulator/KeypadFace.h"
#include "simulator/SimulationControl.h"
#include "simulator/ui/CKeypadDlg.h"
#include "support/ScriptedEditor.h"
#include "support/SimulationProject.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>

namespace {

constexpr int Station = 1;

} // namespace

class SimulationWindowTest : public QObject {
    Q_OBJECT

private:
    // The shipped "ModBus Slave" device, its port pointed at the slave.
    struct Setup {
        ModbusSlave slave{Station};
        ScriptedEditor editor;
        ComPortOverride port{editor.document.ProjectComPort, slave.ClientPath()};

        // Starts on a screen of one register, the first reply late: the
        // first pass waits for it.
        void StartWithALateReply()
        {
            PlaceBound(editor.document, std::make_shared<CRegisterElement>(), "Register", "R10", {4, 4, 40, 16});
            editor.document.CommitWorkingElements();
            slave.ReplyLate(600);
            editor.frame->ExecuteCommand(Cmd::Simulate);
        }
    };

private slots:
    void simulatedDisplayShowsLiveValues()
    {
        Setup s;
        CVX50TextDoc& doc = s.editor.document;
        auto reg = PlaceBound(doc, std::make_shared<CRegisterElement>(), "Register", "R10", {4, 4, 40, 16});
        auto wide = PlaceBound(doc, std::make_shared<CRegisterElement>(), "Register32", "RR20", {4, 28, 80, 16});
        wide->WordSize = 32;
        wide->Digits = 10;
        auto lamp = PlaceBound(doc, std::make_shared<CLampElement>(), "Coil", "C3", {52, 4, 16, 16});
        auto text = PlaceBound(doc, std::make_shared<CTextElement>(1), "Register", "R11", {76, 4, 64, 16});
        text->AddState("STOPPED", "0");
        text->AddState("RUNNING", "1");
        auto bar = PlaceBound(doc, std::make_shared<CGraphElement>(0), "Register", "R12", {172, 8, 16, 48});
        bar->FullScale = 100;
        auto curve = PlaceBound(doc, std::make_shared<CGraphElement>(1), "Register", "R13", {92, 24, 72, 36});
        curve->FullScale = 100;
        curve->SampleInterval = 1;
        doc.CommitWorkingElements();
        s.slave.SetRegister(10, 4321);
        s.slave.SetRegister(20, 0x0001); // high word first: 0x000186A0 = 100000
        s.slave.SetRegister(21, 0x86A0);
        s.slave.SetCoil(3, true);
        s.slave.SetRegister(11, 1);
        s.slave.SetRegister(12, 70);

        CMainFrame& frame = *s.editor.frame;
        CVX50TextView& view = s.editor.View();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(frame.Simulating, 1);
        QVERIFY(frame.Action(Cmd::Simulate)->isChecked());
        QCOMPARE(s.editor.Canvas().geometry(), QRect(103, 155, 373, 130));
        QVERIFY(view.KeypadWindow->isVisible());
        QVERIFY(s.editor.VisiblePages().empty());
        QVERIFY(!frame.ScreenDataWindow->isVisible());
        QVERIFY(!frame.IsCommandEnabled(Cmd::FileSave));

        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(reg->GetEntryText()), QString("04321"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(wide->GetEntryText()), QString("0000100000"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(lamp->GetState(), 0, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(text->ShownEntry(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(bar->Live().CurrentValue.load(), 70, 5000);
        // The curve collects a sample every 5 ticks.
        for (int value : {20, 90, 40, 60}) {
            s.slave.SetRegister(13, static_cast<std::uint16_t>(value));
            const int samples = static_cast<int>(curve->Live().PolledSamples.Values().size());
            QTRY_VERIFY_WITH_TIMEOUT(static_cast<int>(curve->Live().PolledSamples.Values().size()) > samples, 5000);
        }

        const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
        QVERIFY(QDir().mkpath(folder));
        const QImage display = s.editor.Canvas().grab().toImage();
        QVERIFY(display.save(folder + "/simulated-display.png", "PNG"));
        QVERIFY(frame.grab().save(folder + "/simulated-window.png", "PNG"));
        // The display's own colour, not the editor's white.
        QCOMPARE(display.pixelColor(1, display.height() - 2), QColor(170, 212, 71));

        frame.ExecuteCommand(Cmd::Simulate);
        QTRY_COMPARE_WITH_TIMEOUT(frame.Simulating, 0, 5000);
        const ViewLayout editorLayout = ComputeViewLayout(view.width(), view.height(), false);
        QCOMPARE(s.editor.Canvas().geometry(), editorLayout.canvas);
        QVERIFY(!view.KeypadWindow->isVisible());
        QVERIFY(frame.ScreenDataWindow->isVisible());
        QVERIFY(view.ScreenPage->isVisible());
        QVERIFY(!frame.Simulation().Port().IsOpen());
        QVERIFY(s.editor.ui->shown.isEmpty());
    }

    void closingDuringAPassWaitsForTheStop()
    {
        Setup s;
        s.StartWithALateReply();
        CMainFrame& frame = *s.editor.frame;
        QVERIFY(frame.Simulation().PassRunning());

        QElapsedTimer clock;
        clock.start();
        QVERIFY(!frame.close());
        QVERIFY(clock.elapsed() < 300);
        QVERIFY(frame.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!frame.isVisible(), 5000);
        QCOMPARE(frame.Simulating, 0);
        QVERIFY(!frame.Simulation().Port().IsOpen());
    }

    void closingWhileAKeyWaitsClosesOnceItsExchangeIsMade()
    {
        Setup s;
        auto key = PlaceBound(s.editor.document, std::make_shared<CFuncKeyElement>(), "Coil", "C3", {120, 40, 32, 16});
        key->SetKey(KeyF1);
        key->SetAction(CFuncKeyElement::SetCoil);
        s.StartWithALateReply();
        CMainFrame& frame = *s.editor.frame;
        s.slave.ReplyLate(600, 1000);
        const KeyArea f1 = KeyPressArea(KeyF1);
        QTest::mouseClick(s.editor.View().KeypadWindow, Qt::LeftButton, {},
            QPoint((f1.left + f1.right) / 2, (f1.top + f1.bottom) / 2));
        QVERIFY(frame.Simulation().Keypad().ExchangesUnderWay());

        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!frame.isVisible(), 10000);
        QVERIFY(s.slave.Coil(3));
        QCOMPARE(frame.Simulating, 0);
        QVERIFY(!frame.Simulation().Port().IsOpen());
    }

    void destroyingTheWindowDuringAPassNeitherHangsNorCrashes()
    {
        Setup s;
        s.StartWithALateReply();
        QVERIFY(s.editor.frame->Simulation().PassRunning());
        s.editor.frame.reset();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(SimulationWindowTest)
#include "SimulationWindowTest.moc"
