#pragma once

// The text of the Unifont file that the tests code their texts with: "A"
// narrow, U+554A as Unifont draws it, and a filled square for each of the
// given characters. Header-only: the fuzz seed tool writes it too.

#include <cstdio>
#include <string>
#include <vector>

inline std::string FixtureFontText(const std::vector<char32_t>& characters)
{
    std::string text = "0041:0000000018242442427E424242420000\n"
                       "554A:00000EFCEA08AA08AAE8AAA8ACA8AAA8AAA8AAA8EAE8AAA80C08080808280810\n";
    char code[8];
    for (const char32_t c : characters) {
        std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(c));
        text += code;
        text += ':' + std::string(64, 'F') + '\n';
    }
    return text;
}
