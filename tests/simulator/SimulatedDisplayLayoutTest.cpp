#include "simulator/SimulatedDisplayLayout.h"

#include <gtest/gtest.h>

TEST(SimulatedDisplayLayout, PasswordPromptAvoidsTheAskingElement)
{
    constexpr int W = 373;
    constexpr int H = 130;
    EXPECT_EQ(PasswordPromptBand(DotBox{0, 40, 16, 16}, W, H), (PixelRect{0, 0, W, 32}));
    EXPECT_EQ(PasswordPromptBand(DotBox{0, 8, 16, 16}, W, H), (PixelRect{0, 97, W, H}));
    // Centre line exactly on row 32 is not below it.
    EXPECT_EQ(PasswordPromptBand(DotBox{0, 24, 16, 16}, W, H), (PixelRect{0, 97, W, H}));
    EXPECT_EQ(PasswordPromptBand(std::nullopt, W, H), (PixelRect{0, 32, W, 65}));
}

TEST(SimulatedDisplayLayout, LinkBoxAndItsTextByDevice)
{
    EXPECT_EQ(LinkErrorBox(486, 178), (PixelRect{97, 66, 389, 89}));
    struct Case {
        const char* device;
        bool timedOut;
        const char* text;
    };
    const Case cases[] = {
        {"PN07", true, " PLC   TIMEOUT  "},
        {"PN07", false, " PLC  DATA ERROR"},
        {"CT200", false, " INV  DATA ERROR"},
        {"DB2100", true, " INV   TIMEOUT  "},
        {"QM4ModBus", true, " QM4   TIMEOUT  "},
        {"QM4modbus", true, "  LINK    ERROR "}, // compared exactly
        {"", false, "  LINK    ERROR "},
    };
    for (const Case& c : cases) {
        const std::string text = LinkErrorText(c.device, c.timedOut);
        EXPECT_EQ(text, c.text) << c.device;
        EXPECT_EQ(text.size(), 16u);
    }
}
