#include "pages/UserLevels.h"

#include "StringIds.h"
#include "base/StringTable.h"

#include <algorithm>

std::vector<std::string> UserLevelNames(int highestLevel)
{
    if (highestLevel <= 0)
        return {StringGbk(IdsPasswordNone)};
    std::vector<std::string> names;
    for (int level = 0; level < std::min(highestLevel, 3); ++level)
        names.push_back(StringGbk(IdsPasswordLow + level));
    return names;
}
