#include "base/FileIo.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes.toStdString();
}

bool WriteFileAtomically(const std::string& path, std::string_view data)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data.data(), static_cast<qint64>(data.size())) != static_cast<qint64>(data.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
