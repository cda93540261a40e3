#pragma once

#include <QStringList>

class QSettings;

// The recent-file list of the profile: the last four projects opened or
// saved, newest first. It is kept between runs but shown in no menu.
class RecentFileList {
public:
    static constexpr int MaxFiles = 4;

    void Load(QSettings& settings);
    void Save(QSettings& settings) const;
    // Puts `path` first, dropping an older entry of the same path and the
    // oldest entry beyond four.
    void Add(const QString& path);
    const QStringList& Files() const { return m_files; }

private:
    QStringList m_files;
};
