#include "StringTable.h"

#include "model/GbkText.h"

#include <map>

namespace {

const std::map<int, const char*>& Table()
{
    static const std::map<int, const char*> table = {
        {61227, "VX系列 画面设置工具"},
        {61222, "复制画面号不能与当前画面号相同!"},
        {61243, "DLL文件出错!"},
        {61247, "号画面已存在,要替换它吗?"},
        {61252, "打开DLL文件失败!"},
        {61269, "上的灯地址有错!"},
        {61270, "上的寄存器地址有错!"},
        {61271, "上的动态文本地址有错!"},
        {61272, "上的折线图或柱状图地址有错!"},
        {61296, "元件数量太多!"},
        {61298, "位元件"},
        {61299, "16位字元件"},
        {61300, "32位字元件"},
        {61366, "画面"},
        {61388, "最大画面数为256!"},
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
