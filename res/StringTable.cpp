#include "StringTable.h"

#include "model/GbkText.h"

#include <map>

namespace {

const std::map<int, const char*>& Table()
{
    static const std::map<int, const char*> table = {
        {61227, "VX系列 画面设置工具"},
    };
    return table;
}

std::map<int, std::string>& Overrides()
{
    static std::map<int, std::string> overrides;
    return overrides;
}

} // namespace

void OverrideStrings(std::map<int, std::string> utf8Texts)
{
    Overrides() = std::move(utf8Texts);
}

const char* StringUtf8(int id)
{
    if (const auto found = Overrides().find(id); found != Overrides().end())
        return found->second.c_str();
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
}

std::string StringGbk(int id)
{
    const char* text = StringUtf8(id);
    return text ? GbkFromUtf8(text) : std::string();
}
