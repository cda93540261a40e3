#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

// Points the program's QSettings at a temporary folder for the lifetime of
// the object, so that tests never read or write the user's own settings.
class IsolatedSettings {
public:
    explicit IsolatedSettings(const QString& applicationName)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
        QCoreApplication::setOrganizationName(QStringLiteral("vx50-test"));
        QCoreApplication::setApplicationName(applicationName);
    }

    bool IsValid() const { return m_folder.isValid(); }
    QString Folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};
