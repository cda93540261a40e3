#include "widgets/CommParamDlg.h"

#include <QRadioButton>
#include <QtTest>

Q_DECLARE_METATYPE(PortParameterSet)

namespace {

QRadioButton* Button(const QDialog& dialog, const QString& name)
{
    return dialog.findChild<QRadioButton*>(name);
}

QStringList CheckedButtons(const QDialog& dialog)
{
    QStringList names;
    for (const QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
        if (button->isChecked())
            names << button->objectName();
    }
    names.sort();
    return names;
}

} // namespace

class CommParamDlgTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheSet_data()
    {
        QTest::addColumn<PortParameterSet>("set");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<PortParameterSet>("values");
        QTest::newRow("defaults") << PortParameterSet{19200, 0, 8, 1}
                                  << QStringList{"baud_19200", "dataBits_8", "parity_0", "stopBits_1"}
                                  << PortParameterSet{19200, 0, 8, 1};
        QTest::newRow("odd 7 bits 2 stops") << PortParameterSet{115200, 1, 7, 2}
                                            << QStringList{"baud_115200", "dataBits_7", "parity_1", "stopBits_2"}
                                            << PortParameterSet{115200, 1, 7, 2};
        // A baud the dialog does not offer checks nothing and gives 0;
        // unknown parity shows even, other data and stop bits 8 and 2.
        QTest::newRow("out of range") << PortParameterSet{1200, -1, 5, 0}
                                      << QStringList{"dataBits_8", "parity_2", "stopBits_2"}
                                      << PortParameterSet{0, 2, 8, 2};
    }

    void showsTheSet()
    {
        QFETCH(PortParameterSet, set);
        QFETCH(QStringList, checked);
        QFETCH(PortParameterSet, values);
        CCommParamDlg dialog(set);
        QCOMPARE(CheckedButtons(dialog), checked);
        dialog.accept();
        const PortParameterSet taken = dialog.Values();
        QCOMPARE(taken.baud, values.baud);
        QCOMPARE(taken.parity, values.parity);
        QCOMPARE(taken.dataBits, values.dataBits);
        QCOMPARE(taken.stopBits, values.stopBits);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void okTakesTheClickedButtons()
    {
        CCommParamDlg dialog(PortParameterSet{1200, 0, 8, 1});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(Button(dialog, "baud_4800"), Qt::LeftButton);
        QTest::mouseClick(Button(dialog, "parity_1"), Qt::LeftButton);
        QTest::mouseClick(Button(dialog, "dataBits_7"), Qt::LeftButton);
        QTest::mouseClick(Button(dialog, "stopBits_2"), Qt::LeftButton);
        QCOMPARE(CheckedButtons(dialog), (QStringList{"baud_4800", "dataBits_7", "parity_1", "stopBits_2"}));
        dialog.accept();
        QCOMPARE(dialog.Values().baud, 4800);
        QCOMPARE(dialog.Values().parity, 1);
        QCOMPARE(dialog.Values().dataBits, 7);
        QCOMPARE(dialog.Values().stopBits, 2);
    }
};

QTEST_MAIN(CommParamDlgTest)
#include "CommParamDlgTest.moc"
