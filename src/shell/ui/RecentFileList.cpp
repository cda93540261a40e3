#include "shell/ui/RecentFileList.h"

#include <QSettings>

namespace {

const QString Group = QStringLiteral("Recent File List");

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

void RecentFileList::Load(QSettings& settings)
{
    m_files.clear();
    settings.beginGroup(Group);
    for (int i = 0; i < MaxFiles; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty())
            m_files.append(path);
    }
    settings.endGroup();
}

void RecentFileList::Save(QSettings& settings) const
{
    settings.beginGroup(Group);
    for (int i = 0; i < MaxFiles; ++i) {
        if (i < m_files.size())
            settings.setValue(Key(i), m_files[i]);
        else
            settings.remove(Key(i));
    }
    settings.endGroup();
}

void RecentFileList::Add(const QString& path)
{
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > MaxFiles)
        m_files.removeLast();
}
