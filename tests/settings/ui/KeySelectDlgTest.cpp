// The key selection of a new global button on the offscreen platform.

#include "model/CVX50TextDoc.h"
#include "settings/ui/CKeySelectDlg.h"
#include "support/DialogTesting.h"

#include <QComboBox>
#include <QtTest>

namespace {

GlobalButton OnKey(int globalCode)
{
    GlobalButton button;
    button.KeyCode = globalCode;
    return button;
}

} // namespace

class KeySelectDlgTest : public QObject {
    Q_OBJECT

private slots:
    void offersTheFreeKeysWithTheFirstChosen()
    {
        CVX50TextDoc doc;
        CKeySelectDlg dialog(doc, {}, nullptr);
        auto* keys = dialog.findChild<QComboBox*>(QStringLiteral("keys"));
        QCOMPARE(keys->count(), 24);
        QCOMPARE(keys->currentText(), QStringLiteral("'F1'键"));
        QCOMPARE(keys->itemText(23), QStringLiteral("'ALM'键"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("全局按钮按键选择"));
        dialog.resize(dialog.sizeHint());
        QVERIFY(SavePicture(&dialog, QStringLiteral("KeySelectDlg.png")));
        dialog.show();
        ClickOk(dialog);
        QCOMPARE(dialog.ChosenKey(), 22);

        doc.AlarmBlocks.resize(1);
        CKeySelectDlg withAlarms(doc, {OnKey(22), OnKey(16)}, nullptr);
        keys = withAlarms.findChild<QComboBox*>(QStringLiteral("keys"));
        QCOMPARE(keys->count(), 21);
        QCOMPARE(keys->currentText(), QStringLiteral("'F3'键"));
        QCOMPARE(keys->findText(QStringLiteral("'ALM'键")), -1);
        QCOMPARE(withAlarms.ChosenKey(), 10);
    }

    void okTurnsTheChosenNameIntoItsCode()
    {
        CVX50TextDoc doc;
        const std::pair<QString, int> choices[] = {
            {QStringLiteral("'ENT'键"), 3}, {QStringLiteral("'ESC'键"), 13}, {QStringLiteral("'↑'键"), 23}};
        for (const auto& [name, code] : choices) {
            CKeySelectDlg dialog(doc, {}, nullptr);
            dialog.show();
            QVERIFY(ChooseItem(dialog.findChild<QComboBox*>(QStringLiteral("keys")), name));
            ClickOk(dialog);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.ChosenKey(), code);
        }
    }
};

QTEST_MAIN(KeySelectDlgTest)
#include "KeySelectDlgTest.moc"
