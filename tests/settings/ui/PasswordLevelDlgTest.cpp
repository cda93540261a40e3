// The password-levels dialog on the offscreen platform: how it opens, the
// overwrite editing of the digits with keys and the mouse, and what OK and
// Cancel leave in the document, also through the menu command.

#include "model/CVX50TextDoc.h"
#include "settings/ui/CDigitEdit.h"
#include "settings/ui/CPasswordLevelDlg.h"
#include "support/DialogTesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Row {
    QCheckBox* check;
    CDigitEdit* password;
    QComboBox* level;
};

Row RowOf(QDialog& dialog, int row)
{
    const QString n = QString::number(row);
    return {dialog.findChild<QCheckBox*>(QStringLiteral("row%1Check").arg(n)),
            dialog.findChild<CDigitEdit*>(QStringLiteral("row%1Password").arg(n)),
            dialog.findChild<QComboBox*>(QStringLiteral("row%1Level").arg(n))};
}

GlobalButton ProtectedButton(int level)
{
    GlobalButton button;
    button.Flags = GlobalButton::ProtectedFlag;
    button.UserLevel = level;
    return button;
}

} // namespace

class PasswordLevelDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path())); }

    void aNewProjectOpensWithEveryRowOff()
    {
        CVX50TextDoc doc;
        CPasswordLevelDlg dialog(doc, nullptr);
        for (int row = 1; row <= 6; ++row) {
            const Row r = RowOf(dialog, row);
            QVERIFY(!r.check->isChecked());
            QVERIFY(!r.password->isEnabled());
            QVERIFY(!r.level->isEnabled());
            QCOMPARE(r.password->text(), QStringLiteral("5917"));
            QCOMPARE(r.level->currentText(), QStringLiteral("低级"));
        }
        QCOMPARE(RowOf(dialog, 1).password->selectedText(), QStringLiteral("5917"));
    }

    void typedDigitsOverwriteTheSelectedOnes()
    {
        CVX50TextDoc doc;
        doc.PasswordTable = {{0, 1, "1234"}};
        CPasswordLevelDlg dialog(doc, nullptr);
        dialog.show();
        CDigitEdit* edit = RowOf(dialog, 1).password;
        QVERIFY(edit->isEnabled());

        edit->setSelection(1, 1);
        QTest::keyClick(edit, Qt::Key_9);
        QCOMPARE(edit->text(), QStringLiteral("1934"));
        QCOMPARE(edit->selectionStart(), 2);
        QCOMPARE(edit->selectedText(), QStringLiteral("3"));

        edit->setSelection(1, 2);
        QTest::keyClick(edit, Qt::Key_9);
        QCOMPARE(edit->text(), QStringLiteral("1900"));

        QTest::keyClick(edit, Qt::Key_X); // a letter puts the digits back
        QCOMPARE(edit->text(), QStringLiteral("1900"));

        edit->setSelection(0, 4);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("0000"));
        QCOMPARE(edit->selectionStart(), 0);
        QCOMPARE(edit->selectedText(), QStringLiteral("0"));
    }

    void backspaceOnADigitZeroesItAndTheRest()
    {
        CVX50TextDoc doc;
        doc.PasswordTable = {{0, 1, "1234"}};
        CPasswordLevelDlg dialog(doc, nullptr);
        dialog.show();
        CDigitEdit* edit = RowOf(dialog, 1).password;
        edit->setSelection(2, 1);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("1200"));
    }

    void aClickSelectsTheDigitUnderTheMouse()
    {
        CVX50TextDoc doc;
        doc.PasswordTable = {{0, 1, "1234"}};
        CPasswordLevelDlg dialog(doc, nullptr);
        dialog.show();
        CDigitEdit* edit = RowOf(dialog, 1).password;
        auto caretAt = [edit](int position) {
            edit->setCursorPosition(position);
            return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        };
        const QPoint end = caretAt(4);
        const QPoint first = caretAt(0) + QPoint(2, 0);
        QTest::mouseClick(edit, Qt::LeftButton, {}, first);
        QCOMPARE(edit->selectedText(), QStringLiteral("1"));

        QTest::mousePress(edit, Qt::LeftButton, {}, first);
        QTest::mouseRelease(edit, Qt::LeftButton, {}, end);
        QCOMPARE(edit->selectedText(), QStringLiteral("1234"));
        QTest::keyClick(edit, Qt::Key_7);
        QCOMPARE(edit->text(), QStringLiteral("7000"));
    }

    void okBuildsTheTableAndKeepsProtectionWithinTheLevels()
    {
        CVX50TextDoc doc;
        doc.GlobalButtons = {ProtectedButton(2), ProtectedButton(1)};
        CPasswordLevelDlg dialog(doc, nullptr);
        dialog.show();
        const Row first = RowOf(dialog, 1);
        ClickButton(first.check);
        QVERIFY(first.password->isEnabled());
        QVERIFY(first.level->isEnabled());
        ChooseEntry(first.level, 1);
        const Row fourth = RowOf(dialog, 4);
        ClickButton(fourth.check);
        fourth.password->setSelection(0, 1);
        QTest::keyClicks(fourth.password, QStringLiteral("2468"));
        QCOMPARE(fourth.password->text(), QStringLiteral("2468"));
        ChooseEntry(fourth.level, 1);
        dialog.resize(dialog.sizeHint());
        QVERIFY(SavePicture(&dialog, QStringLiteral("PasswordLevelDlg.png")));
        ClickOk(dialog);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(doc.PasswordTable == (std::vector<PasswordEntry>{{0, 2, "5917"}, {3, 2, "2468"}}));
        QCOMPARE(doc.HighestPasswordLevel, 2);
        QCOMPARE(doc.ProjectModified, 1);
        // The high level is gone: its button drops to the first level, unprotected.
        QCOMPARE(doc.GlobalButtons[0].UserLevel, 0);
        QCOMPARE(doc.GlobalButtons[0].Flags & GlobalButton::ProtectedFlag, 0);
        QCOMPARE(doc.GlobalButtons[1].UserLevel, 1);
        QCOMPARE(doc.GlobalButtons[1].Flags & GlobalButton::ProtectedFlag, int(GlobalButton::ProtectedFlag));
    }

    void switchingARowOffForgetsItsPasswordAndLevel()
    {
        CVX50TextDoc doc;
        doc.PasswordTable = {{1, 3, "4321"}};
        doc.HighestPasswordLevel = 3;
        CPasswordLevelDlg dialog(doc, nullptr);
        dialog.show();
        const Row second = RowOf(dialog, 2);
        QVERIFY(second.check->isChecked());
        QCOMPARE(second.password->text(), QStringLiteral("4321"));
        QCOMPARE(second.level->currentText(), QStringLiteral("高级"));
        ClickButton(second.check);
        QCOMPARE(second.password->text(), QStringLiteral("5917"));
        QCOMPARE(second.level->currentIndex(), 0);
        QVERIFY(!second.password->isEnabled());
        ClickOk(dialog);
        QVERIFY(doc.PasswordTable.empty());
        QCOMPARE(doc.HighestPasswordLevel, 0);
    }

    void theCommandOpensTheDialogAndCancelChangesNothing()
    {
        ScriptedEditor editor;
        editor.document.PasswordTable = {{2, 2, "1111"}};
        editor.document.HighestPasswordLevel = 2;
        editor.document.ProjectModified = 0;
        editor.ui->dialogs.push_back([](QDialog& dialog) {
            dialog.show();
            ClickButton(RowOf(dialog, 3).check);
            ClickCancel(dialog);
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::PasswordLevels);
        QCOMPARE(editor.ui->dialogsRun, 1);
        QVERIFY(editor.document.PasswordTable == (std::vector<PasswordEntry>{{2, 2, "1111"}}));
        QCOMPARE(editor.document.ProjectModified, 0);

        editor.ui->dialogs.push_back([](QDialog& dialog) {
            dialog.show();
            ClickButton(RowOf(dialog, 6).check);
            ClickOk(dialog);
            return dialog.result();
        });
        editor.frame->ExecuteCommand(Cmd::PasswordLevels);
        QVERIFY(editor.document.PasswordTable == (std::vector<PasswordEntry>{{2, 2, "1111"}, {5, 1, "5917"}}));
        QCOMPARE(editor.document.ProjectModified, 1);
    }
};

QTEST_MAIN(PasswordLevelDlgTest)
#include "PasswordLevelDlgTest.moc"
