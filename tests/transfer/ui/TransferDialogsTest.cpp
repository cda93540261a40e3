// The windows that the panel commands open while the editor takes no other
// input, against the panel emulated on a pseudo-terminal: their file dialogs
// take keys as any dialog does, the file-name completer's list included.

#include "emulator/ComPortOverride.h"
#include "emulator/PanelEmulator.h"
#include "support/IsolatedSettings.h"
#include "support/ScriptedEditor.h"
#include "transfer/ComPortNumber.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

namespace {

// What came of typing a file name by keys into a file dialog.
struct Typing {
    bool listShown = false;          // the completer's list opened on the typed start
    bool listClosedByEscape = false; // Escape closed it again
    bool dialogEnded = false;        // Return took the name and ended the dialog
};

void TypeKeys(QWindow* window, const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

// Runs `dialog` modally in `folder` and types as a user does, every key sent
// to the dialog's window: once the dialog lists the folder, `start` (the
// beginning of two names there, so that the completer's list opens), Escape
// to close the list, then `rest` and Return. A dialog that takes no more keys
// is closed by force, so that the test goes on to report it.
Typing TypeFileName(QFileDialog& dialog, const QString& folder, const QString& start, const QString& rest)
{
    Typing typing;
    dialog.setDirectory(folder);
    QTimer::singleShot(0, &dialog, [&] {
        QWindow* window = dialog.windowHandle();
        auto* files = dialog.findChild<QListView*>(QStringLiteral("listView"));
        QAbstractItemView* list = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->completer()->popup();
        const bool listed = QTest::qWaitFor([&] { return files->model()->rowCount(files->rootIndex()) >= 2; }, 5000);
        if (listed) {
            TypeKeys(window, start);
            typing.listShown = QTest::qWaitFor([&] { return list->isVisible(); }, 5000);
        }
        if (typing.listShown) {
            QTest::keyClick(window, Qt::Key_Escape);
            typing.listClosedByEscape = QTest::qWaitFor([&] { return !list->isVisible(); }, 1000);
        }
        if (typing.listClosedByEscape) {
            TypeKeys(window, rest);
            // A full name may open the list on itself: Escape closes it first.
            QTest::qWait(100);
            if (list->isVisible())
                QTest::keyClick(window, Qt::Key_Escape);
            QTest::keyClick(window, Qt::Key_Return);
            typing.dialogEnded = QTest::qWaitFor([&] { return !dialog.isVisible(); }, 2000);
        }
        if (dialog.isVisible()) {
            list->hide();
            dialog.reject();
        }
    });
    dialog.exec();
    return typing;
}

bool MakeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray(1024, 'p')) == 1024;
}

} // namespace

class TransferDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.IsValid());
        QVERIFY(UseProgramFolderWithShippedDevice(m_program.path()));
        // The protocol libraries stay where the build put them.
        QVERIFY(QFile::link(QCoreApplication::applicationDirPath() + QStringLiteral("/Protocol"),
            m_program.path() + QStringLiteral("/Protocol")));
    }

    // F4: the "*.bin" dialog opens while the port to the panel is open.
    void pageFileDialogTakesKeysWhileItsCompleterIsOpen()
    {
        PanelEmulator panel;
        QVERIFY(panel.Start());
        ComPortOverride com1(1, panel.DevicePath());
        QTemporaryDir folder;
        QVERIFY(MakeFile(folder.filePath(QStringLiteral("pages.bin"))));
        QVERIFY(MakeFile(folder.filePath(QStringLiteral("panel.bin"))));
        ScriptedEditor editor;
        Typing typing;
        editor.ui->dialogs.push_back([&](QDialog& dialog) {
            typing = TypeFileName(dynamic_cast<QFileDialog&>(dialog), folder.path(), QStringLiteral("pa"),
                QStringLiteral("ges.bin"));
            return dialog.result();
        });
        // The page range dialog is cancelled; the end exchange still runs.

        editor.frame->ExecuteCommand(Cmd::PageDownload);
        QVERIFY(typing.listShown);
        QVERIFY(typing.listClosedByEscape);
        QVERIFY(typing.dialogEnded);
        QCOMPARE(editor.ui->dialogsRun, 2);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("正常结束!")});
    }

    // Read on a modified, untitled project: the save prompt's Yes opens the
    // Save As dialog in the middle of the transfer.
    void readsSaveAsDialogTakesKeysWhileItsCompleterIsOpen()
    {
        PanelEmulator panel;
        QVERIFY(panel.Start());
        ComPortOverride com6(6, panel.DevicePath());
        SetComPortNumber(6);
        QTemporaryDir folder;
        QVERIFY(MakeFile(folder.filePath(QStringLiteral("project-a.opf"))));
        QVERIFY(MakeFile(folder.filePath(QStringLiteral("project-b.opf"))));
        ScriptedEditor editor;
        editor.frame->ExecuteCommand(Cmd::WriteDescriptions);
        editor.frame->ExecuteCommand(Cmd::WritePanel);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("写下位机完成!")});

        editor.document.ProjectModified = 1;
        editor.ui->shown.clear();
        editor.ui->answers = {IdYes};
        editor.ui->realFileDialogs = true;
        Typing typing;
        editor.ui->dialogs.push_back([&](QDialog& dialog) {
            typing = TypeFileName(dynamic_cast<QFileDialog&>(dialog), folder.path(), QStringLiteral("pro"),
                QStringLiteral("ject-new"));
            return dialog.result();
        });

        editor.frame->ExecuteCommand(Cmd::ReadPanel);
        QVERIFY(typing.listShown);
        QVERIFY(typing.listClosedByEscape);
        QVERIFY(typing.dialogEnded);
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("project-new.opf"))));
        QCOMPARE(editor.ui->shown, (QStringList{QStringLiteral("文件已修改,是否保存?"),
                                       QStringLiteral("保存工程完成!"), QStringLiteral("读下位机成功!")}));
        SetComPortNumber(1);
    }

private:
    IsolatedSettings m_settings{QStringLiteral("TransferDialogsTest")};
    QTemporaryDir m_program;
};

QTEST_MAIN(TransferDialogsTest)
#include "TransferDialogsTest.moc"
