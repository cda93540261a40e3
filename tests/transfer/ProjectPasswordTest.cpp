#include "transfer/ProjectPassword.h"

#include <gtest/gtest.h>

// Exactly four digits after leading blanks, sent as their value; anything
// else is asked again.
TEST(ProjectPassword, FourDigitsOnly)
{
    const struct {
        const char* typed;
        std::optional<int> value;
    } cases[] = {
        {"1234", 1234}, {"0099", 99}, {"  0007", 7}, {"123", std::nullopt}, {"12345", std::nullopt},
        {"12a4", std::nullopt}, {"-123", std::nullopt}, {"+123", std::nullopt}, {"12 4", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProjectPasswordValue(c.typed), c.value) << c.typed;
}
