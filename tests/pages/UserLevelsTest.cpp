#include "pages/UserLevels.h"

#include "base/GbkText.h"

#include <gtest/gtest.h>

TEST(UserLevels, NamesUpToTheHighestLevel)
{
    const auto utf8 = [](int highest) {
        std::vector<std::string> names;
        for (const std::string& name : UserLevelNames(highest))
            names.push_back(Utf8FromGbk(name));
        return names;
    };
    EXPECT_EQ(utf8(0), (std::vector<std::string>{"无密码"}));
    EXPECT_EQ(utf8(1), (std::vector<std::string>{"低级"}));
    EXPECT_EQ(utf8(3), (std::vector<std::string>{"低级", "中级", "高级"}));
}
