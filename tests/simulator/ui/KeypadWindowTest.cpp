// The keypad window in the editor on the offscreen platform, simulating
// against a libmodbus slave: clicks on the key rectangles act on the device
// and the simulated display, the window goes on while a key's exchange
// waits for a slow device, a click during the alarm display comes back
// after the next pass, and a picture of the keypad face with the simulated
// display is saved.

#include "StringIds.h"
#include "base/StringTable.h"
#include "emulator/ComPortOverride.h"
#include "modbusslave/ModbusSlave.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/PanelKeys.h"
#include "shell/CommandIds.h"
#include "simulator/CoilAction.h"
#include "simulator/KeypadFace.h"
#include "simulator/SimulationControl.h"
#include "simulator/ui/CKeypadDlg.h"
#include "support/ScriptedEditor.h"
#include "support/SimulationProject.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaObject>
#include <QTest>

#include <algorithm>

namespace {

constexpr int Station = 1;
constexpr int Timeout = 5000;

QPoint Centre(int key)
{
    const KeyArea a = KeyPressArea(key);
    return {(a.left + a.right) / 2, (a.top + a.bottom) / 2};
}

} // namespace

class KeypadWindowTest : public QObject {
    Q_OBJECT

private:
    // The shipped "ModBus Slave" device, its port pointed at the slave;
    // screen 1 holds a settable register and an F1 key that sets coil 3,
    // and its Up key shows screen 2.
    struct Setup {
        Setup()
        {
            CVX50TextDoc& doc = editor.document;
            reg = PlaceBound(doc, std::make_shared<CRegisterElement>(), "Register", "R10", {8, 8, 60, 16});
            reg->SetSettable(1);
            auto key = PlaceBound(doc, std::make_shared<CFuncKeyElement>(), "Coil", "C3", {120, 40, 32, 16});
            key->SetKey(KeyF1);
            key->SetAction(CFuncKeyElement::SetCoil);
            editor.NewScreen(2);
            PlaceBound(doc, std::make_shared<CRegisterElement>(), "Register", "R11", {8, 40, 60, 16});
            doc.CommitWorkingElements();
            doc.FindScreenByNumber(1)->UpKeyScreen = 2;
            slave.SetRegister(10, 4321);
            slave.SetRegister(11, 77);
        }

        void Start()
        {
            editor.frame->ExecuteCommand(Cmd::Simulate);
            QCOMPARE(editor.frame->Simulating, 1);
            QCOMPARE(editor.document.CurrentScreenNumber, 1);
            Simulation().Keypad().SetBeeper([this] { ++beeps; });
        }

        SimulationControl& Simulation() const { return editor.frame->Simulation(); }
        CKeypadDlg& Keypad() const { return *editor.View().KeypadWindow; }
        void Click(int key) { QTest::mouseClick(&Keypad(), Qt::LeftButton, {}, Centre(key)); }

        ModbusSlave slave{Station};
        ScriptedEditor editor;
        ComPortOverride port{editor.document.ProjectComPort, slave.ClientPath()};
        std::shared_ptr<CRegisterElement> reg;
        int beeps = 0;
    };

private slots:
    void keysActOnTheDeviceAndTheSimulatedDisplay()
    {
        Setup s;
        s.Start();
        CKeypadDlg& keypad = s.Keypad();
        QVERIFY(keypad.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(s.reg->GetEntryText()), QString("04321"), Timeout);

        // F1 sets the coil.
        s.Click(KeyF1);
        QCOMPARE(s.beeps, 1);
        QTRY_COMPARE_WITH_TIMEOUT(s.slave.Coils()[3], 1, Timeout);
        QCOMPARE(keypad.LastPressX, Centre(KeyF1).x());

        // SET, digits and ENT write the register. The slave may hold F1's coil
        // before F1's outcome is back in the window; SET waits for it.
        s.Click(KeySet);
        QTRY_COMPARE_WITH_TIMEOUT(s.reg->Typing.load(), 1, Timeout);
        for (int digit : {5, 0, 7})
            s.Click(KeyDigit0 + digit);
        QCOMPARE(QString::fromStdString(s.reg->GetEntryText()), QString("21507"));
        s.Click(KeyClr);
        for (int digit : {1, 2, 3})
            s.Click(KeyDigit0 + digit);
        const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
        QVERIFY(QDir().mkpath(folder));
        s.editor.Canvas().repaint();
        QVERIFY(s.editor.View().grab(QRect(QPoint(0, 0), keypad.size())).save(folder + "/keypad-window.png", "PNG"));
        s.Click(KeyEnt);
        QTRY_COMPARE_WITH_TIMEOUT(s.reg->Typing.load(), 0, Timeout);
        QCOMPARE(s.slave.Register(10), 123);

        // Up shows the screen it links to, and its values.
        s.Click(KeyUp);
        QCOMPARE(s.editor.document.CurrentScreenNumber, 2);
        QCOMPARE(s.editor.document.GetWorkingElements().size(), std::size_t{1});
        const auto shown = std::static_pointer_cast<CRegisterElement>(s.editor.document.GetWorkingElements()[0].element);
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(shown->GetEntryText()), QString("00077"), Timeout);
        // ESC goes back to the main screen.
        s.Click(KeyEsc);
        QCOMPARE(s.editor.document.CurrentScreenNumber, 1);
        QVERIFY(s.editor.ui->shown.isEmpty());

        s.editor.frame->ExecuteCommand(Cmd::Simulate);
        QTRY_COMPARE_WITH_TIMEOUT(s.editor.frame->Simulating, 0, Timeout);
        QVERIFY(!keypad.isVisible());
    }

    void theWindowGoesOnWhileAKeysExchangeWaits()
    {
        Setup s;
        auto off = AddBound(s.editor.document, 0, std::make_shared<CFuncKeyElement>(), "Coil", "C3");
        off->SetKey(KeyF1 + 1);
        off->SetAction(CFuncKeyElement::SetCoil);
        off->SetCoilOperation(CoilOff);
        s.Start();
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(s.reg->GetEntryText()), QString("04321"), Timeout);

        // Every reply from now on comes 800 ms late. F1 sets the coil, F2
        // clears it; F2 waits for F1's exchange.
        s.slave.ReplyLate(800, 1000);
        const std::size_t before = s.slave.Requests().size();
        s.Click(KeyF1);
        s.Click(KeyF1 + 1);
        // An event posted after the clicks runs while F1's exchange is
        // under way, before F2 has acted.
        bool underWay = false;
        int beepsThen = 0;
        QMetaObject::invokeMethod(
            &s.Keypad(),
            [&] {
                underWay = s.Simulation().Keypad().ExchangesUnderWay();
                beepsThen = s.beeps;
            },
            Qt::QueuedConnection);
        QTRY_VERIFY_WITH_TIMEOUT(!s.Simulation().Keypad().ExchangesUnderWay(), 10000);
        QVERIFY(underWay);
        QCOMPARE(beepsThen, 1);
        QCOMPARE(s.beeps, 2);
        QVERIFY(!s.slave.Coil(3));
        const std::vector<ModbusSlave::Request> all = s.slave.Requests();
        QCOMPARE(std::count(all.begin() + static_cast<std::ptrdiff_t>(before), all.end(), ModbusSlave::Request{5, 3}),
            2);
    }

    void aClickDuringTheAlarmDisplayComesBackAfterThePass()
    {
        Setup s;
        s.Start();
        SimulationShared& shared = s.Simulation().Shared();
        shared.AlarmDisplayOn = true;
        s.Click(KeyEsc);
        QCOMPARE(s.beeps, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!shared.AlarmDisplayOn, Timeout);
        QCOMPARE(s.beeps, 1);
    }

    void aHeldKeyIsDrawnDownOnlyOnANamedFace()
    {
        Setup s;
        s.Start();
        CKeypadDlg& keypad = s.Keypad();
        const QPoint at = Centre(KeyDigit0 + 1);
        const QImage up = keypad.grab().toImage();
        QTest::mousePress(&keypad, Qt::LeftButton, {}, at);
        QCOMPARE(keypad.grab().toImage(), up);
        QTest::mouseRelease(&keypad, Qt::LeftButton, {}, at);

        OverrideStrings({{IdsKeypadFaceName, "ZAVO"}});
        QTest::mousePress(&keypad, Qt::LeftButton, {}, at);
        const QImage held = keypad.grab().toImage();
        QTest::mouseRelease(&keypad, Qt::LeftButton, {}, at);
        OverrideStrings({});
        QVERIFY(held != up);
        QCOMPARE(keypad.grab().toImage(), up);
        QCOMPARE(s.beeps, 2);
    }

    void aDoubleClickPressesTheKeyTwice()
    {
        Setup s;
        s.Start();
        s.Click(KeySet);
        QWidget& window = *s.editor.frame;
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
            s.Keypad().mapTo(&window, Centre(KeyDigit0 + 4)));
        QCOMPARE(QString::fromStdString(s.reg->GetEntryText()).right(2), QString("44"));
        QCOMPARE(s.beeps, 3);
    }

    void everyPressAreaLiesOnADrawnKey()
    {
        Setup s;
        s.Start();
        const QImage face = s.Keypad().grab().toImage();
        const QColor body = face.pixelColor(kFaceLeft + 40, kFaceTop + 300);
        for (int key = 0; key < kPanelKeyCount; ++key) {
            const KeyArea a = KeyPressArea(key);
            // Inside each corner of the area: the key, not the panel's body.
            for (QPoint p : {QPoint(a.left + 4, a.top + 4), QPoint(a.right - 4, a.top + 4),
                     QPoint(a.left + 4, a.bottom - 6), QPoint(a.right - 4, a.bottom - 6)})
                QVERIFY2(face.pixelColor(p) != body, qPrintable(QString("key %1").arg(key)));
        }
        // Between two keys lies the body.
        QCOMPARE(face.pixelColor(125, 335), body);
    }
};

QTEST_MAIN(KeypadWindowTest)
#include "KeypadWindowTest.moc"
