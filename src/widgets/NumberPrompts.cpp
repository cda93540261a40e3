#include "widgets/NumberPrompts.h"

#include "base/GbkText.h"

std::string IntegerPromptText()
{
    return GbkFromUtf8("请填入一个整数!");
}

std::string RangePromptText(int min, int max)
{
    return GbkFromUtf8("请填入一个在" + std::to_string(min) + "和" + std::to_string(max) + "之间的整数!");
}
