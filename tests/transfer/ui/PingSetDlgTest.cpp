#include "support/RecordingUserInterface.h"
#include "support/PageTesting.h"
#include "transfer/ui/PingSetDlg.h"

#include <QLineEdit>
#include <QtTest>

class PingSetDlgTest : public QObject {
    Q_OBJECT

private slots:
    void checksTheAddressOnOk_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("address");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("ff") << "ff" << true << 255 << QList<int>{};
        QTest::newRow("0A") << "0A" << true << 10 << QList<int>{};
        QTest::newRow("empty") << "" << true << 0 << QList<int>{};
        QTest::newRow("00FF") << "00FF" << true << 255 << QList<int>{};
        QTest::newRow("100 too large") << "100" << false << 0 << QList<int>{};
        QTest::newRow("1G") << "1G" << false << 0 << QList<int>{61229};
        QTest::newRow("blank") << " 1" << false << 0 << QList<int>{61229};
    }

    void checksTheAddressOnOk()
    {
        QFETCH(QString, typed);
        QFETCH(bool, closes);
        QFETCH(int, address);
        QFETCH(QList<int>, messages);
        RecordingUserInterface ui;
        CPingSetDlg dialog;
        ShowActive(dialog);
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("address"));
        EnterText(edit, typed);
        ClickOk(dialog);

        QCOMPARE(dialog.isVisible(), !closes);
        QCOMPARE(dialog.StationAddress(), address);
        const std::vector<int> shown = ui.MessageIds();
        QCOMPARE(QList<int>(shown.begin(), shown.end()), messages);
    }

    void takesAtMostFourCharacters()
    {
        CPingSetDlg dialog;
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("address"));
        QTest::keyClicks(edit, QStringLiteral("12345"));
        QCOMPARE(edit->text(), QStringLiteral("1234"));
    }
};

QTEST_MAIN(PingSetDlgTest)
#include "PingSetDlgTest.moc"
