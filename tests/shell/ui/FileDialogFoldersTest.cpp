// The folders the editor's file dialogs start in: the project dialog (Save
// As), the picture tool's and the page download's (F4). Each kind starts
// where a file of it was last chosen, else in the project's folder, else in
// the home folder, whatever the program's own folders or the current folder.

#include "emulator/ComPortOverride.h"
#include "emulator/PanelEmulator.h"
#include "support/IsolatedSettings.h"
#include "support/ScriptedEditor.h"

#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Kind {
    const char* name;
    int command;
    QString fileName; // a file of the kind, to choose
    bool exists;      // whether the dialog chooses an existing file
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"picture", Cmd::ToolPicture, QStringLiteral("chosen.bmp"), true},
        {"page file", Cmd::PageDownload, QStringLiteral("chosen.bin"), true},
        // Last: saving moves the project, and with it the others' fallback.
        {"project", Cmd::FileSaveAs, QStringLiteral("chosen.opf"), false},
    };
    return kinds;
}

QString Canonical(const QString& folder)
{
    return QDir(folder).canonicalPath();
}

} // namespace

class FileDialogFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.IsValid());
        QVERIFY(UseProgramFolderWithShippedDeviceAndProtocols(m_program.path()));
        // The current folder is the program's protocol folder, which no dialog
        // should start in.
        QVERIFY(QDir::setCurrent(m_program.path() + QStringLiteral("/Protocol")));
        QVERIFY(m_panel.Start());
        m_com1 = std::make_unique<ComPortOverride>(1, m_panel.DevicePath());
    }

    void eachKindStartsWhereItWasLastChosenElseInTheProjectsFolder()
    {
        QTemporaryDir projectFolder;
        QTemporaryDir chosenFolder;
        ScriptedEditor editor;
        editor.ui->realFileDialogs = true;

        // The start folder of the dialog that `command` opens; with `choose`
        // it chooses that file, else it is cancelled.
        const auto startOf = [&editor](int command, const QString& choose = {}) {
            QString folder;
            editor.ui->dialogs.push_back([&folder, choose](QDialog& dialog) {
                auto& files = dynamic_cast<QFileDialog&>(dialog);
                folder = Canonical(files.directory().absolutePath());
                if (choose.isEmpty())
                    return int(QDialog::Rejected);
                files.selectFile(choose);
                return int(QDialog::Accepted);
            });
            editor.frame->ExecuteCommand(command);
            editor.ui->dialogs.clear();
            return folder;
        };

        for (const Kind& kind : Kinds())
            QVERIFY2(startOf(kind.command) == Canonical(QDir::homePath()), kind.name);

        editor.document.ProjectPath = projectFolder.filePath(QStringLiteral("panel.opf")).toStdString();
        for (const Kind& kind : Kinds())
            QVERIFY2(startOf(kind.command) == Canonical(projectFolder.path()), kind.name);

        // A file chosen elsewhere moves the start of its own kind only.
        for (const Kind& kind : Kinds()) {
            const QString file = chosenFolder.filePath(kind.fileName);
            if (kind.exists)
                QVERIFY(QImage(8, 8, QImage::Format_Mono).save(file, "BMP"));
            startOf(kind.command, file);
            for (const Kind& other : Kinds()) {
                const bool chosen = &other <= &kind;
                QVERIFY2(startOf(other.command) == Canonical(chosen ? chosenFolder.path() : projectFolder.path()),
                    other.name);
            }
        }
        editor.document.ProjectModified = 0;

        // The folders are remembered by the next editor too, while they exist.
        ScriptedEditor next;
        next.ui->realFileDialogs = true;
        QString folder;
        next.ui->dialogs.push_back([&folder](QDialog& dialog) {
            folder = Canonical(dynamic_cast<QFileDialog&>(dialog).directory().absolutePath());
            return int(QDialog::Rejected);
        });
        next.frame->ExecuteCommand(Cmd::ToolPicture);
        QCOMPARE(folder, Canonical(chosenFolder.path()));

        next.document.ProjectPath = projectFolder.filePath(QStringLiteral("panel.opf")).toStdString();
        QVERIFY(chosenFolder.remove());
        next.ui->dialogs.push_back([&folder](QDialog& dialog) {
            folder = Canonical(dynamic_cast<QFileDialog&>(dialog).directory().absolutePath());
            return int(QDialog::Rejected);
        });
        next.frame->ExecuteCommand(Cmd::ToolPicture);
        QCOMPARE(folder, Canonical(projectFolder.path()));
    }

private:
    IsolatedSettings m_settings{QStringLiteral("FileDialogFoldersTest")};
    QTemporaryDir m_program;
    PanelEmulator m_panel; // COM1, which the page download opens before its dialog
    std::unique_ptr<ComPortOverride> m_com1;
};

QTEST_MAIN(FileDialogFoldersTest)
#include "FileDialogFoldersTest.moc"
