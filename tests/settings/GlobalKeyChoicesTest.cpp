#include "settings/GlobalKeyChoices.h"

#include "base/GbkText.h"
#include "base/StringTable.h"
#include "model/elements/PanelKeys.h"

#include <gtest/gtest.h>

#include <set>

namespace {

GlobalButton OnKey(int globalCode)
{
    GlobalButton button;
    button.KeyCode = globalCode;
    return button;
}

std::string NameOf(int globalCode)
{
    return StringGbk(GlobalKeyNameId(globalCode));
}

int CodeOfName(const std::string& utf8)
{
    return GlobalKeyCode(KeyFromName(GbkFromUtf8(utf8)));
}

} // namespace

TEST(GlobalKeyChoices, FirstButtonOfAProjectGetsF1AmongAllKeys)
{
    const std::vector<int> keys = FreeGlobalKeys({}, false);
    ASSERT_EQ(keys.size(), 24u);
    EXPECT_EQ(keys.front(), 22);
    EXPECT_EQ(FirstFreeGlobalKey(keys), 22);
    EXPECT_EQ(NameOf(keys.front()), GbkFromUtf8("'F1'键"));
    EXPECT_EQ(keys.back(), 9); // ALM comes last
    EXPECT_EQ(std::set<int>(keys.begin(), keys.end()).size(), 24u);

    std::vector<std::string> names;
    for (int code : keys)
        names.push_back(Utf8FromGbk(NameOf(code)));
    const std::vector<std::string> expected = {"'F1'键", "'F2'键", "'F3'键", "'F4'键", "'0'键", "'1'键", "'2'键",
        "'3'键", "'4'键", "'5'键", "'6'键", "'7'键", "'8'键", "'9'键", "'←'键", "'→'键", "'↓'键", "'↑'键",
        "'SET'键", "'ENT'键", "'+/-'键", "'CLR'键", "'ESC'键", "'ALM'键"};
    EXPECT_EQ(names, expected);
}

TEST(GlobalKeyChoices, AlarmBlocksAndButtonsTakeTheirKeysOut)
{
    const std::vector<int> withAlarms = FreeGlobalKeys({}, true);
    EXPECT_EQ(withAlarms.size(), 23u);
    EXPECT_EQ(std::count(withAlarms.begin(), withAlarms.end(), 9), 0);

    const std::vector<int> afterF1F2 = FreeGlobalKeys({OnKey(22), OnKey(16)}, false);
    EXPECT_EQ(afterF1F2.size(), 22u);
    EXPECT_EQ(FirstFreeGlobalKey(afterF1F2), 10); // F3

    // A button on a code no key has takes nothing out.
    EXPECT_EQ(FreeGlobalKeys({OnKey(40)}, false).size(), 24u);

    std::vector<GlobalButton> all;
    for (int code : FreeGlobalKeys({}, false))
        all.push_back(OnKey(code));
    EXPECT_TRUE(FreeGlobalKeys(all, false).empty());
    EXPECT_EQ(FirstFreeGlobalKey({}), kDefaultGlobalKey);
}

TEST(GlobalKeyChoices, EveryKeyNameTurnsBackIntoItsCode)
{
    for (int code = 0; code < kPanelKeyCount; ++code)
        EXPECT_EQ(GlobalKeyCode(KeyFromName(NameOf(code))), code) << code;
    EXPECT_EQ(CodeOfName("'ENT'键"), 3);
    EXPECT_EQ(CodeOfName("'ESC'键"), 13);
    EXPECT_EQ(CodeOfName("'↑'键"), 23);
    EXPECT_EQ(KeyFromName(GbkFromUtf8("'F5'键")), -1);
    EXPECT_EQ(KeyFromName(""), -1);
}
