#pragma once

#include <map>
#include <string>

// The system's texts by string id: messages, menu and dialog texts. The
// texts are UTF-8 in the source; the model takes them as GBK bytes. Callers
// name the ids by the constants of StringIds.h.

// The text of `id`, or nullptr when the table has none.
const char* StringUtf8(int id);
// The text of `id` as GBK bytes; empty when the table has none.
std::string StringGbk(int id);

// Texts (UTF-8) that take the place of the built-in ones, from the optional
// resource file; an empty map restores the built-in table.
void OverrideStrings(std::map<int, std::string> utf8Texts);

// Ids that callers may ask for although the built-in table has no text for
// them (the texts exist only in an optional resource library); StringUtf8
// gives nullptr for them and callers must cope with that.
bool IsStringWithoutBuiltInText(int id);
