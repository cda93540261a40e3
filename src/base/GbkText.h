#pragma once

#include <QString>
#include <string>
#include <string_view>

// The model keeps every text as the GBK bytes that the project file and the
// panel use. These conversions are for the edges only: showing a text in a
// widget, taking one from the user, or turning a UTF-8 literal of the source
// into the bytes the model stores.

QString QStringFromGbk(std::string_view gbk);
std::string GbkFromQString(const QString& text);
std::string GbkFromUtf8(std::string_view utf8);
std::string Utf8FromGbk(std::string_view gbk);

// The Unicode character of one GBK double-byte character; 0 when the two
// bytes are not a GBK character.
char32_t UnicodeFromGbkPair(unsigned char lead, unsigned char trail);
