#include "support/IsolatedSettings.h"
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
        auto* ports = dialog.findChild<QComboBox*>(QStringLiteral("ports"));
        QCOMPARE(ports->count(), 32);
        QCOMPARE(ports->currentText(), QStringLiteral("COM32"));

        ports->setCurrentIndex(4);
        QCOMPARE(ComPortNumber(), 5);
        dialog.reject();
        QCOMPARE(ComPortNumber(), 5); // Cancel keeps the choice
    }

    void deviceChoicesAreKeptPerNumberAndSavedOnOk()
    {
        SetComPortNumber(3);
        CComPortDlg dialog;
        auto* ports = dialog.findChild<QComboBox*>(QStringLiteral("ports"));
        auto* device = dialog.findChild<QComboBox*>(QStringLiteral("device"));
        QCOMPARE(device->currentText(), QString());

        device->setEditText(QStringLiteral("/dev/ttyUSB0"));
        ports->setCurrentIndex(6);
        QCOMPARE(device->currentText(), QString()); // COM7 has no choice of its own
        device->setEditText(QStringLiteral("/dev/serial/by-id/usb-adapter"));
        ports->setCurrentIndex(2);
        QCOMPARE(device->currentText(), QStringLiteral("/dev/ttyUSB0"));
        dialog.accept();

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
        dialog.findChild<QComboBox*>(QStringLiteral("device"))->setEditText(QStringLiteral("/dev/ttyACM0"));
        dialog.reject();
        QSettings settings;
        QCOMPARE(ComPortMap::Load(settings).Device(9), QString());
    }

private:
    IsolatedSettings m_settings{QStringLiteral("ComPortDlgTest")};
};

QTEST_MAIN(ComPortDlgTest)
#include "ComPortDlgTest.moc"
