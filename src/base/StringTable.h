#pragma once

#include <map>
#include <string>
#include <string_view>

// The system's texts by string id: messages, menu and dialog texts. The
// texts are UTF-8 in the source; the model takes them as GBK bytes. Callers
// name the ids by the constants of StringIds.h.

// The text of `id`, or nullptr when the table has none.
const char* StringUtf8(int id);
// The text of `id` as GBK bytes; empty when the table has none.
std::string StringGbk(int id);
// The text of `id` as GBK bytes with its first `placeholder` (such as "%s")
// replaced by `gbkValue`. Nothing else in the text is interpreted, so a text
// from a resource file is shown as it stands, whatever "%" it holds; a text
// without the placeholder is shown without the value.
std::string StringGbkWith(int id, std::string_view placeholder, std::string_view gbkValue);

// Texts (UTF-8) that take the place of the built-in ones, from the optional
// resource file; an empty map restores the built-in table.
void OverrideStrings(std::map<int, std::string> utf8Texts);

// Ids that callers may ask for although the built-in table has no text for
// them (the texts exist only in an optional resource library); StringUtf8
// gives nullptr for them and callers must cope with that.
bool IsStringWithoutBuiltInText(int id);
