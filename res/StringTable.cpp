#include "StringTable.h"

#include "model/GbkText.h"

#include <map>

namespace {

const std::map<int, const char*>& Table()
{
    static const std::map<int, const char*> table = {
        {61227, "VX系列 画面设置工具"},
        {61379, "动态文本串数值不能重复!"},
        {61389, "地址或元件名重复!"},
    };
    return table;
}

} // namespace

const char* StringUtf8(int id)
{
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
}

std::string StringGbk(int id)
{
    const char* text = StringUtf8(id);
    return text ? GbkFromUtf8(text) : std::string();
}
