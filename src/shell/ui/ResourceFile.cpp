#include "shell/ui/ResourceFile.h"

#include "base/FileIo.h"
#include "base/StringTable.h"
#include "shell/ResourceFileCheck.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QResource>

#include <string>

namespace ResourceFile {
namespace {

const QString Root = QStringLiteral("/vx50res");

struct State {
    QString path;
    std::string bytes; // registered with Qt while loaded
    QHash<QString, QString> menus;
};

State& Loaded()
{
    static State state;
    return state;
}

QString Unescape(QString text)
{
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
    return text;
}

// The "key<TAB>text" lines of one text file of the resource.
QHash<QString, QString> ReadEntries(const QString& name)
{
    QHash<QString, QString> entries;
    QFile file(QStringLiteral(":") + Root + QStringLiteral("/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.endsWith(u'\r') ? raw.chopped(1) : raw;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab > 0)
            entries.insert(line.left(tab), Unescape(line.mid(tab + 1)));
    }
    return entries;
}

// Registers the checked bytes, not the file: Qt itself would follow the
// offsets of a damaged file wherever they point. A missing or unreadable
// file (a FIFO among them: it is not waited on) leaves the built-in texts
// without a word.
bool Register(const QString& path)
{
    FileContents file = ReadBoundedFile(path.toStdString(), MaxFileBytes);
    if (file.status == FileContents::Status::NotReadable)
        return false;
    if (!file.IsRead() || !IsSoundResourceFile(file.bytes)) {
        qWarning("The resource file %s is %s and ignored; the built-in texts serve.",
                 qUtf8Printable(QDir::toNativeSeparators(path)), file.IsRead() ? "damaged" : "too large");
        return false;
    }
    State& state = Loaded();
    state.bytes = std::move(file.bytes);
    if (!QResource::registerResource(reinterpret_cast<const uchar*>(state.bytes.data()), Root)) {
        state.bytes.clear();
        return false;
    }
    state.path = path;
    return true;
}

} // namespace

bool Load(const QString& programFolder)
{
    const QString path = programFolder + QString::fromLatin1(FileName);
    if (!Register(path))
        return false;

    std::map<int, std::string> strings;
    const auto entries = ReadEntries(QStringLiteral("strings.txt"));
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        bool ok = false;
        const int id = it.key().toInt(&ok);
        if (ok)
            strings[id] = it.value().toStdString();
    }
    OverrideStrings(std::move(strings));
    Loaded().menus = ReadEntries(QStringLiteral("menus.txt"));
    return true;
}

void Unload()
{
    if (Loaded().path.isEmpty())
        return;
    OverrideStrings({});
    QResource::unregisterResource(reinterpret_cast<const uchar*>(Loaded().bytes.data()), Root);
    Loaded() = State();
}

bool IsLoaded()
{
    return !Loaded().path.isEmpty();
}

QString MenuText(const QString& key, const QString& builtIn)
{
    return Loaded().menus.value(key, builtIn);
}

QPixmap ToolbarPixmap(int commandId)
{
    if (!IsLoaded())
        return {};
    return QPixmap(QStringLiteral(":") + Root + QStringLiteral("/toolbar/%1.png").arg(commandId));
}

} // namespace ResourceFile
