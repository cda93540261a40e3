#include "widgets/MessageBoxTitle.h"

#include <QMessageBox>
#include <QtTest>

class MessageBoxTitleTest : public QObject {
    Q_OBJECT

private slots:
    // The editor's shortest questions: without the fit, Qt made these boxes
    // narrower than the title and its title bar's buttons.
    void aShortQuestionLeavesRoomForTheWholeTitle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::newRow("yes no") << QStringLiteral("是否要删除2号画面吗?")
                                << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No);
        QTest::newRow("ok") << QStringLiteral("完成!") << QMessageBox::StandardButtons(QMessageBox::Ok);
    }

    void aShortQuestionLeavesRoomForTheWholeTitle()
    {
        QFETCH(QString, text);
        QFETCH(QMessageBox::StandardButtons, buttons);
        QMessageBox box(QMessageBox::Question, QStringLiteral("VX50-TALVEN"), text, buttons);
        FitTitle(box);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QFont bold = box.font();
        bold.setBold(true);
        const int titleBar = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 120;
        QVERIFY2(box.width() >= titleBar, qPrintable(QStringLiteral("%1 < %2").arg(box.width()).arg(titleBar)));
    }

    // A box already wider than its title keeps its width.
    void aLongTextKeepsItsWidth()
    {
        const QString text(60, QChar(0x753B));
        QMessageBox plain(QMessageBox::Warning, QStringLiteral("VX50-TALVEN"), text, QMessageBox::Ok);
        QMessageBox fitted(QMessageBox::Warning, QStringLiteral("VX50-TALVEN"), text, QMessageBox::Ok);
        FitTitle(fitted);
        plain.show();
        fitted.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fitted));
        QCOMPARE(fitted.width(), plain.width());
    }
};

QTEST_MAIN(MessageBoxTitleTest)
#include "MessageBoxTitleTest.moc"
