#pragma once

#include <string>

// The prompts of the property pages' number fields (GBK): a text that is not
// an integer, and an integer outside the field's range.
std::string IntegerPromptText();
std::string RangePromptText(int min, int max);
