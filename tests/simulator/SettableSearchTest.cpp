#include "simulator/PasswordCheck.h"
#include "simulator/SettableSearch.h"

#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"

#include <gtest/gtest.h>

namespace {

ElementRef Register(bool settable)
{
    auto reg = std::make_shared<CRegisterElement>();
    reg->SetSettable(settable ? 1 : 0);
    return {KindRegister, reg};
}

ElementRef Lamp()
{
    return {KindLamp, std::make_shared<CLampElement>()};
}

} // namespace

TEST(SettableSearch, FromTheStartToTheEndThenWrapping)
{
    // 0 lamp, 1 settable, 2 fixed register, 3 settable, 4 lamp
    const ElementList list = {Lamp(), Register(true), Register(false), Register(true), Lamp()};
    struct Case {
        int start;
        bool wrap;
        int expected;
    };
    const Case cases[] = {
        {0, true, 1},
        {1, true, 1},
        {2, true, 3},
        {4, true, 1},  // wraps
        {4, false, -1},
        {3, false, 3},
        {9, true, 1},  // a start beyond the list (the screen changed) wraps
        {9, false, -1},
        {-1, false, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindNextSettable(list, c.start, c.wrap), c.expected) << c.start << " " << c.wrap;
    EXPECT_EQ(FindNextSettable({Lamp(), Register(false)}, 0, true), -1);
    EXPECT_EQ(FindNextSettable({}, 0, true), -1);
}

TEST(PasswordCheck, TheLastMatchingRowGrantsItsLevel)
{
    const std::vector<PasswordEntry> table = {
        {0, 1, "1111"},
        {1, 3, "0042"},
        {2, 2, "0042"}, // the same password again, a lower level
        {3, 3, "9999"},
    };
    EXPECT_EQ(GrantedPasswordLevel(table, 1111), 1);
    EXPECT_EQ(GrantedPasswordLevel(table, 42), 2);
    EXPECT_EQ(GrantedPasswordLevel(table, 9999), 3);
    EXPECT_FALSE(GrantedPasswordLevel(table, 1234));
    // An empty password is no password: 0000 does not open it.
    EXPECT_FALSE(GrantedPasswordLevel({{0, 3, ""}}, 0));

    EXPECT_TRUE(LevelGranted(1, 0));
    EXPECT_FALSE(LevelGranted(1, 1));
    EXPECT_TRUE(LevelGranted(3, 2));
    EXPECT_FALSE(LevelGranted(0, 0));
}
