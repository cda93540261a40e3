#include "support/IsolatedSettings.h"
#include "support/PageTesting.h"
#include "transfer/ComPortNames.h"
#include "transfer/ComPortNumber.h"
#include "transfer/ui/ComPortDlg.h"

#include <QComboBox>
#include <QSettings>
#include <QtTest>

class ComPortDlgTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.IsValid());
    }

    void opensOnTheCurrentNumberAndChangesItAtOnce()
    {
        SetComPortNumber(32);
        CComPortDlg dialog;
        ShowActive(dialog);
        auto* ports = dialog.findChild<QComboBox*>(QStringLiteral("ports"));
        QCOMPARE(ports->count(), 32);
        QCOMPARE(ports->currentText(), QStringLiteral("COM32"));

        ChooseEntry(ports, 4);
        QCOMPARE(ComPortNumber(), 5);
        ClickCancel(dialog);
        QCOMPARE(ComPortNumber(), 5); // Cancel keeps the choice
    }

    void deviceChoicesAreKeptPerNumberAndSavedOnOk()
    {
        SetComPortNumber(3);
        CComPortDlg dialog;
        ShowActive(dialog);
        auto* ports = dialog.findChild<QComboBox*>(QStringLiteral("ports"));
        auto* device = dialog.findChild<QComboBox*>(QStringLiteral("device"));
        QCOMPARE(device->currentText(), QString());

        EnterText(device->lineEdit(), QStringLiteral("/dev/ttyUSB0"));
        ChooseEntry(ports, 6);
        QCOMPARE(device->currentText(), QString()); // COM7 has no choice of its own
        EnterText(device->lineEdit(), QStringLiteral("/dev/serial/by-id/usb-adapter"));
        ChooseEntry(ports, 2);
        QCOMPARE(device->currentText(), QStringLiteral("/dev/ttyUSB0"));
        ClickOk(dialog);

        QSettings settings;
        const ComPortMap saved = ComPortMap::Load(settings);
        QCOMPARE(saved.Device(3), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(saved.Device(7), QStringLiteral("/dev/serial/by-id/usb-adapter"));
        QCOMPARE(ResolvePortDevice(QStringLiteral("COM3")), QStringLiteral("/dev/ttyUSB0"));
    }

    void cancelDropsDeviceChoices()
    {
        SetComPortNumber(9);
        CComPortDlg dialog;
        ShowActive(dialog);
        EnterText(dialog.findChild<QComboBox*>(QStringLiteral("device"))->lineEdit(), QStringLiteral("/dev/ttyACM0"));
        ClickCancel(dialog);
        QSettings settings;
        QCOMPARE(ComPortMap::Load(settings).Device(9), QString());
    }

private:
    IsolatedSettings m_settings{QStringLiteral("ComPortDlgTest")};
};

QTEST_MAIN(ComPortDlgTest)
#include "ComPortDlgTest.moc"
