#include "base/GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString QStringFromGbk(std::string_view gbk)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::string GbkFromQString(const QString& text)
{
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    return bytes.toStdString();
}

std::string GbkFromUtf8(std::string_view utf8)
{
    return GbkFromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string Utf8FromGbk(std::string_view gbk)
{
    return QStringFromGbk(gbk).toStdString();
}
