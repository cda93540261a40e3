#include "base/GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// One GBK decoder per thread, emptied before each text: making a decoder
// costs far more than decoding a text, and reading a project decodes many.
// A reset does not clear the error flag of a decoder that meets an invalid
// byte, so such a decoder is replaced. `valid` tells whether every byte was
// part of a GBK character.
QString DecodeGbk(std::string_view gbk, bool& valid)
{
    thread_local QStringDecoder decoder("GBK");
    decoder.resetState();
    QString text = decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
    valid = !decoder.hasError();
    if (!valid)
        decoder = QStringDecoder("GBK");
    return text;
}

} // namespace

QString QStringFromGbk(std::string_view gbk)
{
    bool valid = true;
    return DecodeGbk(gbk, valid);
}

std::string GbkFromQString(const QString& text)
{
    thread_local QStringEncoder encoder("GBK");
    encoder.resetState();
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
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    bool valid = true;
    const QString decoded = DecodeGbk(std::string_view(bytes, 2), valid);
    if (!valid || decoded.size() != 1 || decoded[0] == QChar::ReplacementCharacter)
        return 0;
    return decoded[0].unicode();
}
