// The firmware-version text: the version goes into the string table's text,
// which a resource file may replace with any text at all.

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "transfer/PanelExchanges.h"

#include <gtest/gtest.h>

namespace {

struct ReplacedTexts : ::testing::Test {
    ~ReplacedTexts() override { OverrideStrings({}); }
};

TEST_F(ReplacedTexts, VersionTextNeverReadsTheTextAsAFormat)
{
    EXPECT_EQ(Utf8FromGbk(FirmwareVersionText(2.3)), "下位机版本:  V2.3");

    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"%s%s V%.1f", "%s%s V2.3"},          // would read two missing text arguments
        {"%n%n%.1f", "%n%n2.3"},              // would write through missing pointers
        {"V%.1f / %.1f %d", "V2.3 / %.1f %d"}, // only the first place takes the number
        {"Version %.2f", "Version %.2f"},     // no place for it: the text stays as it is
        {"%", "%"},
    };
    for (const auto& c : cases) {
        OverrideStrings({{IdsFirmwareVersionFormat, c.text}});
        EXPECT_EQ(Utf8FromGbk(FirmwareVersionText(2.3)), c.shown) << c.text;
    }
}

} // namespace
