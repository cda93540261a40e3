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

char32_t UnicodeFromGbkPair(unsigned char lead, unsigned char trail)
{
    // One decoder per thread, emptied before each character: building a
    // codec for every character of a glyph table would dominate its cost.
    thread_local QStringDecoder decoder("GBK");
    decoder.resetState();
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const QString decoded = decoder.decode(QByteArrayView(bytes, 2));
    if (decoder.hasError() || decoded.size() != 1 || decoded[0] == QChar::ReplacementCharacter)
        return 0;
    return decoded[0].unicode();
}
