// The windows that the panel commands open while the editor takes no other
// input, against the panel emulated on a pseudo-terminal: their file dialogs
// take keys as any dialog does, the file-name completer's list included, and
// the progress window opens centred on the main window and stays there.

#include "emulator/ComPortOverride.h"
#include "emulator/PanelEmulator.h"
#include "support/IsolatedSettings.h"
#include "shell/ui/CProgressDlg.h"
#include "support/ScriptedEditor.h"
#include "transfer/ComPortNumber.h"
#include "transfer/PanelFrames.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

// How far typing a file name by keys into a file dialog went: 1, the
// completer's list opened on the typed start; 2, Escape closed it again; 3,
// Return took the name and ended the dialog.
struct Typing {
    int steps = 0;
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
            typing.steps += QTest::qWaitFor([&] { return list->isVisible(); }, 5000);
        }
        if (typing.steps == 1) {
            QTest::keyClick(window, Qt::Key_Escape);
            typing.steps += QTest::qWaitFor([&] { return !list->isVisible(); }, 1000);
        }
        if (typing.steps == 2) {
            TypeKeys(window, rest);
            // A full name may open the list on itself: Escape closes it first.
            QTest::qWait(100);
            if (list->isVisible())
                QTest::keyClick(window, Qt::Key_Escape);
            QTest::keyClick(window, Qt::Key_Return);
            typing.steps += QTest::qWaitFor([&] { return !dialog.isVisible(); }, 2000);
        }
        if (dialog.isVisible()) {
            list->hide();
            dialog.reject();
        }
    });
    dialog.exec();
    return typing;
}

// What the progress windows showed while a command ran: the windows, the
// captions they were painted with, and their place at every move and resize
// (the dialog centres itself as it is shown) and at every paint.
class ProgressWatcher : public QObject {
public:
    std::set<const QObject*> windows;
    std::set<QString> captions;
    std::vector<QRect> places;
    bool textCut = false; // painted with a text line too short for its text

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* progress = qobject_cast<const CProgressDlg*>(watched);
        if (!progress || !progress->isVisible())
            return false;
        switch (event->type()) {
        case QEvent::Paint:
            captions.insert(progress->windowTitle());
            if (const auto* text = progress->findChild<QLabel*>(); text && text->width() < text->sizeHint().width())
                textCut = true;
            [[fallthrough]];
        case QEvent::Move:
        case QEvent::Resize:
            windows.insert(progress);
            places.push_back(progress->geometry());
            break;
        default:
            break;
        }
        return false;
    }
};

void WatchProgress(ScriptedEditor& editor, int command, ProgressWatcher& watcher)
{
    qApp->installEventFilter(&watcher);
    editor.frame->ExecuteCommand(command);
    qApp->removeEventFilter(&watcher);
}

// The script of a file dialog in `folder` in which the user types as
// TypeFileName does; how far it went lands in `typing`.
std::function<int(QDialog&)> TypingScript(Typing& typing, const QString& folder, const QString& start,
    const QString& rest)
{
    return [&typing, folder, start, rest](QDialog& dialog) {
        typing = TypeFileName(dynamic_cast<QFileDialog&>(dialog), folder, start, rest);
        return dialog.result();
    };
}

// Fills `folder` with files of 1 KiB named `names`.
bool MakeFiles(const QTemporaryDir& folder, const QStringList& names)
{
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(1024, 'p')) != 1024)
            return false;
    }
    return true;
}

} // namespace

class TransferDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.IsValid());
        QVERIFY(UseProgramFolderWithShippedDeviceAndProtocols(m_program.path()));
        // One panel on COM1, which F4 opens, and on COM6, the project's port.
        QVERIFY(m_panel.Start());
        m_com1 = std::make_unique<ComPortOverride>(1, m_panel.DevicePath());
        m_com6 = std::make_unique<ComPortOverride>(6, m_panel.DevicePath());
        SetComPortNumber(6);
    }

    void cleanupTestCase() { SetComPortNumber(1); }

    // F4: the "*.bin" dialog opens while the port to the panel is open.
    void pageFileDialogTakesKeysWhileItsCompleterIsOpen()
    {
        QTemporaryDir folder;
        QVERIFY(MakeFiles(folder, {QStringLiteral("pages.bin"), QStringLiteral("panel.bin")}));
        ScriptedEditor editor;
        Typing typing;
        editor.ui->dialogs.push_back(
            TypingScript(typing, folder.path(), QStringLiteral("pa"), QStringLiteral("ges.bin")));
        // The page range dialog is cancelled; the end exchange still runs.

        editor.frame->ExecuteCommand(Cmd::PageDownload);
        QCOMPARE(typing.steps, 3);
        QCOMPARE(editor.ui->dialogsRun, 2);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("正常结束!")});
    }

    // Read on a modified, untitled project: the save prompt's Yes opens the
    // Save As dialog in the middle of the transfer.
    void readsSaveAsDialogTakesKeysWhileItsCompleterIsOpen()
    {
        QTemporaryDir folder;
        QVERIFY(MakeFiles(folder, {QStringLiteral("project-a.opf"), QStringLiteral("project-b.opf")}));
        ScriptedEditor editor;
        editor.frame->ExecuteCommand(Cmd::WriteDescriptions);
        editor.frame->ExecuteCommand(Cmd::WritePanel);
        QCOMPARE(editor.ui->shown, QStringList{QStringLiteral("写下位机完成!")});

        editor.document.ProjectModified = 1;
        editor.ui->shown.clear();
        editor.ui->answers = {IdYes};
        editor.ui->realFileDialogs = true;
        Typing typing;
        editor.ui->dialogs.push_back(
            TypingScript(typing, folder.path(), QStringLiteral("pro"), QStringLiteral("ject-new")));

        editor.frame->ExecuteCommand(Cmd::ReadPanel);
        QCOMPARE(typing.steps, 3);
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("project-new.opf"))));
        QCOMPARE(editor.ui->shown, (QStringList{QStringLiteral("文件已修改,是否保存?"),
                                       QStringLiteral("保存工程完成!"), QStringLiteral("读下位机成功!")}));
    }

    // Write, then Read of a modified project whose save prompt saves it, three
    // times in a row: one progress window each, centred on the main window,
    // which keeps its place and size until it closes.
    void progressWindowOpensCentredAndStaysThere()
    {
        QTemporaryDir folder;
        ScriptedEditor editor;
        editor.frame->setGeometry(60, 40, 900, 640);
        const QPoint centre = editor.frame->geometry().center();

        for (int run = 0; run < 3; ++run) {
            editor.ui->answers = {IdYes}; // descriptions too, when asked
            m_panel.InjectFault(kFunctionBlockWrite, PanelEmulator::Fault::SlowReply, 4, 40);
            ProgressWatcher write;
            WatchProgress(editor, Cmd::WritePanel, write);
            QCOMPARE(editor.ui->shown.last(), QStringLiteral("写下位机完成!"));

            editor.document.ProjectModified = 1;
            editor.ui->answers = {IdYes};
            editor.ui->files = {folder.filePath(QStringLiteral("read%1.opf").arg(run))};
            m_panel.InjectFault(kFunctionBlockRead, PanelEmulator::Fault::SlowReply, 12, 40);
            ProgressWatcher read;
            WatchProgress(editor, Cmd::ReadPanel, read);
            QCOMPARE(editor.ui->shown.last(), QStringLiteral("读下位机成功!"));
            QVERIFY(QFile::exists(folder.filePath(QStringLiteral("read%1.opf").arg(run))));

            for (const auto& [seen, caption] : {std::pair(&write, QStringLiteral("写下位机")),
                     std::pair(&read, QStringLiteral("读下位机"))}) {
                QCOMPARE(seen->windows.size(), std::size_t(1));
                QCOMPARE(QStringList(seen->captions.begin(), seen->captions.end()), QStringList{caption});
                QVERIFY(seen->places.size() >= 2);
                QVERIFY(!seen->textCut);
                QVERIFY2(std::all_of(seen->places.begin(), seen->places.end(),
                             [&](const QRect& place) { return place == seen->places.front(); }),
                    qPrintable(caption));
                const QPoint off = seen->places.front().center() - centre;
                QVERIFY2(off.manhattanLength() <= 2, qPrintable(caption));
            }
        }
    }

private:
    IsolatedSettings m_settings{QStringLiteral("TransferDialogsTest")};
    QTemporaryDir m_program;
    PanelEmulator m_panel;
    std::unique_ptr<ComPortOverride> m_com1;
    std::unique_ptr<ComPortOverride> m_com6;
};

QTEST_MAIN(TransferDialogsTest)
#include "TransferDialogsTest.moc"
