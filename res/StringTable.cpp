#include "StringTable.h"

#include "model/GbkText.h"

#include <map>

namespace {

const std::map<int, const char*>& Table()
{
    static const std::map<int, const char*> table = {
        {61208, "通信口打开失败!"},
        {61209, "确保正确连接并运行设备!"},
        {61213, "通讯出错!"},
        {61214, "请检查连接是否正常或COM口是否选对!"},
        {61227, "VX系列 画面设置工具"},
        {61229, "请输入16进制数!"},
        {61411, "下位机版本:  V%.1f"},
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
