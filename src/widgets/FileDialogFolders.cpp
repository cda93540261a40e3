#include "widgets/FileDialogFolders.h"

#include "widgets/ModalDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString Group = QStringLiteral("File Folders");

QString Key(FileKind kind)
{
    switch (kind) {
    case FileKind::Project: return QStringLiteral("Project");
    case FileKind::Picture: return QStringLiteral("Picture");
    case FileKind::PageData: return QStringLiteral("PageData");
    }
    return {};
}

// `folder` when it names an existing folder, else empty.
QString Existing(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

QString StartFolder(FileKind kind, const QString& projectPath)
{
    QSettings settings;
    QString folder = Existing(settings.value(Group + QLatin1Char('/') + Key(kind)).toString());
    if (folder.isEmpty() && !projectPath.isEmpty())
        folder = Existing(QFileInfo(projectPath).absolutePath());
    return folder.isEmpty() ? QDir::homePath() : folder;
}

void RememberFolder(FileKind kind, const QString& path)
{
    QSettings settings;
    settings.setValue(Group + QLatin1Char('/') + Key(kind), QFileInfo(path).absolutePath());
}

QString ChooseFile(QFileDialog& dialog, FileKind kind, const QString& projectPath)
{
    dialog.setDirectory(StartFolder(kind, projectPath));
    if (RunModalDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    RememberFolder(kind, path);
    return path;
}
