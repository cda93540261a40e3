#include "base/StringTable.h"

#include "base/GbkText.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

// The built-in string table. Toolbar ids carry "status text\ntooltip"; the
// tooltips of the toolbar buttons other than the element tools, undo and redo have
// no text here. Ids 61416 to 61418 have none either: their texts come only
// with an optional resource library (see IsStringWithoutBuiltInText).
const std::map<int, const char*>& Table()
{
    static const std::map<int, const char*> table = {
        {32774, "指示灯\n指示灯"}, // lamp tool: status text \n tooltip
        {32775, "功能键\n功能键"},
        {32776, "静态文本\n静态文本"},
        {32777, "动态文本\n动态文本"},
        {32778, "寄存器\n寄存器"},
        {32779, "柱状图\n柱状图"},
        {32780, "曲线图\n曲线图"},
        {32781, "图片\n图片"},
        {32849, "撤消\n撤消"}, // undo
        {32850, "恢复\n恢复"}, // redo
        {57344, "VX50-TALVEN"}, // application title
        {57345, "Ready"}, // idle text of the status bar's message pane
        {61204, "Docking Window"},
        {61205, "工程"},
        {61206, "元件名称和元件组名不能为空!"},
        {61207, "载入DLL文件失败!"},
        {61208, "通信口打开失败!"},
        {61209, "确保正确连接并运行设备!"},
        {61210, "确保正确连接并运行设备!"},
        {61212, "文件已修改,是否保存?"},
        {61213, "通讯出错!"},
        {61214, "请检查连接是否正常或COM口是否选对!"},
        {61216, "正常结束!"},
        {61217, "读数据出错!"},
        {61221, "不能多于10个汉字或20个字符！"},
        {61222, "复制画面号不能与当前画面号相同!"},
        {61223, "位图载入失败!"},
        {61225, "已存在!\n要替换它吗?"}, // follows a path
        {61226, "保存或打开文件出错!"},
        {61227, "VX系列 画面设置工具"},
        {61228, "画面"}, // before a screen number, with 61253 / 61254 after it
        {61229, "请输入16进制数!"},
        {61230, "地址表的地址格式有错!"},
        {61231, "元件组名不能为空!"},
        {61232, "地址列表已经修改,是否要保存地址列表?"},
        {61233, "地址格式错误!"},
        {61234, "保存地址表文件失败!"},
        {61235, "保存成功!"},
        {61236, "是否删除当前元件组!"},
        {61237, "请输入1-65535之间的整数!"},
        {61241, "请填入一个在1和255之间的整数!"},
        {61243, "DLL文件出错!"},
        {61245, "写寄存器失败!"},
        {61246, "号画面已经存在!"}, // follows a screen number
        {61247, "号画面已存在,要替换它吗?"}, // follows a screen number
        {61248, "进度条创建失败!"},
        {61249, "保存工程完成!"},
        {61250, "没选设备或地址表文件出错!"},
        {61252, "打开DLL文件失败!"},
        {61253, "上的上键至画面号不存在!"}, // after 61228 and a screen number
        {61254, "上的下键至画面号不存在!"}, // after 61228 and a screen number
        {61255, "读线圈失败!"},
        {61256, "读寄存器失败!"},
        {61258, "上的按钮地址有错!"}, // follows a screen description
        {61259, "写线圈失败!"},
        {61261, "跳转的画面号不存在!"},
        {61262, "已经超出资源上限!"},
        {61263, "VX系列主控画面号不存在!"},
        {61264, "VX系列显示画面号不存在!"},
        {61265, "VX系列设置元件地址有错!"},
        {61266, "写下位机完成!"},
        {61267, "读下位机取地址有错!"},
        {61268, "读下位机成功!"},
        {61269, "上的灯地址有错!"}, // follows a screen description
        {61270, "上的寄存器地址有错!"}, // follows a screen description
        {61271, "上的动态文本地址有错!"}, // follows a screen description
        {61272, "上的折线图或柱状图地址有错!"}, // follows a screen description
        {61275, "是否要删除"}, // before a screen number
        {61276, "号画面吗?"}, // after a screen number
        {61277, "元件组太多!"},
        {61278, "起始编号和新建元件个数和不能超过65535!"},
        {61279, "此元件组名格式错误!"},
        {61280, "此元件组名已经存在!"},
        {61281, "设备名不能为空!"},
        {61282, "该设备已经存在!"},
        {61283, "元件组名不能为空!"},
        {61284, "元件名:"}, // before an element name, with 61285 after it
        {61285, "已经存在,是否替换!"},
        {61286, "您是否要删除被选中记录吗?"},
        {61287, "请选择要删除的纪录!"},
        {61288, "地址不连续,请另选一段!"},
        {61289, "超出地址表中地址范围!"},
        {61290, "每段报警数目最多32条,请选择新段后添加!"},
        {61291, "控件元件地址不存在!"},
        {61292, "全局按钮已达到最大数量!"},
        {61293, "没有可删除的记录!"},
        {61294, "取得Ram地址失败!"},
        {61295, "找不到设备!"},
        {61296, "元件数量太多!"},
        {61297, "您是否要删除当前按钮吗？"},
        {61298, "位元件"}, // element type 0
        {61299, "16位字元件"}, // element type 16
        {61300, "32位字元件"}, // element type 32
        {61301, "同一画面SET功能键与寄存器的设定不能并存!"},
        {61302, "'ESC'键"}, // key names
        {61303, "'←'键"},
        {61304, "'→'键"},
        {61305, "'↑'键"},
        {61306, "'↓'键"},
        {61307, "'CLR'键"},
        {61308, "'SET'键"},
        {61309, "'ENT'键"},
        {61310, "'ALM'键"},
        {61311, "'0'键"},
        {61312, "'1'键"},
        {61313, "'2'键"},
        {61314, "'3'键"},
        {61315, "'4'键"},
        {61316, "'5'键"},
        {61317, "'6'键"},
        {61318, "'7'键"},
        {61319, "'8'键"},
        {61320, "'9'键"},
        {61321, "'+/-'键"},
        {61322, "'F1'键"},
        {61323, "'F2'键"},
        {61324, "'F3'键"},
        {61325, "'F4'键"},
        {61327, "设备名不能包括以下字符:\\ / : ? > < | * \" "}, // each of the nine characters followed by a blank
        {61329, "软件版本太低!"},
        {61330, "您是否要下载画面描述吗?"},
        {61331, "请先设置密码(等级)!"},
        {61332, "请选择要删除的画面!"},
        {61334, "图例"},
        {61335, "已用 "},
        {61336, "未用 "},
        {61337, "资源占用情况图"},
        {61338, "画面号:"}, // before a screen number
        {61339, "注:无编号元件名称"},
        {61340, "注:全称"},
        {61341, "画面"}, // global-button action names
        {61342, "线圈"},
        {61343, "寄存器"},
        {61344, "递增"},
        {61345, "递减"},
        {61346, "工程数据错误!"},
        {61347, "画面"}, // project tree roots
        {61348, "地址表"},
        {61349, "已用空间:"},
        {61350, "序号"}, // address grid columns
        {61351, "元件名"},
        {61352, "地址(0x)"},
        {61353, "未命名"},
        {61354, "VX50画面数据文件"},
        {61355, "位图文件"},
        {61356, "请输入密码!"},
        {61357, "对应  "}, // before an element name
        {61358, "文本串"}, // new static text
        {61359, "动态文本串"}, // new dynamic text
        {61360, "数值"}, // value grid columns
        {61361, "内容"},
        {61362, "新建画面"}, // project tree menu
        {61363, "复制画面"},
        {61364, "删除画面"},
        {61365, "画面属性"},
        {61366, "画面"}, // default screen description, followed by the number
        {61367, "元件名"}, // alarm grid columns
        {61368, "报警内容"},
        {61369, "零额度值不能比满额度值大!"},
        {61370, "下限不能比上限大!"},
        {61371, "读下位机"},
        {61372, "正在读下位机数据..."},
        {61373, "写下位机"},
        {61374, "正在写下位机数据..."},
        {61375, "打开工程"},
        {61376, "正在打开工程..."},
        {61377, "保存工程"},
        {61378, "正在保存工程..."},
        {61379, "动态文本串数值不能重复!"},
        {61380, "无密码"}, // password levels
        {61381, "低级"},
        {61382, "中级"},
        {61383, "高级"},
        {61384, "准备读出错!"},
        {61385, "结束写出错!"},
        {61387, "同一画面曲线图点数和不能超过384!"},
        {61388, "最大画面数为256!"},
        {61389, "地址或元件名重复!"},
        {61390, "无符号或HEX时，加减值不能比上限大!"},
        {61391, "全局按钮,无符号或HEX时,加减值不能比上限大!"},
        {61392, "序号"}, // copy-register grid columns
        {61393, "局号"},
        {61394, "组名"},
        {61395, "起始元件名"},
        {61396, "元件个数"},
        {61397, "通讯口"},
        {61398, "组名或元件名不能为空!"},
        {61399, "工程已被加密!"},
        {61400, "通讯时间错误!"},
        {61401, "超时时间错误!"},
        {61402, "汉字数太多!"},
        {61403, "字库中没有汉字\"%s\"!"}, // formatted with the character
        {61404, "通讯缓存长度为8-65535!"},
        {61405, "此元件只限于QM4FBD机种!"},
        {61406, "无机型"}, // status bar pane 1 at start
        {61407, "无协议"}, // status bar pane 2 at start
        {61408, "找不到文件\"VX50Help.hcm\"!"},
        {61409, "已达最大组数!"},
        {61410, "起始元件名编号不能为空!"},
        {61411, "下位机版本:  V%.1f"}, // formatted with the version
        {61412, "下位机版本:                                      "}, // status bar pane 3 at start: 38 blanks after the colon
        {61413, "插入画面"},
        {61414, "工程数据过大,写入后不可读出，是否继续?"},
        {61415, "工程不可读！"},
        // Ids from 61500 on are this editor's own additions.
        {61500, "每个画面最多255个元件!"}, // a screen too large for the project file
        {61520, "预设文件写入失败!"}, // the device's preset file could not be written
        {61531, "请选择协议!"}, // a new device without a protocol library
        {61550, "上的设定寄存器按钮字长有错!"}, // follows a screen description
        {61551, "静态文本不能超过255个字符!"}, // its panel record counts the characters in one byte
        {61552, "地址表文件%s的元件组超过255个!"}, // formatted with the file's path: a stored address names its group in one byte
        {61560, "\n文件过大,不能打开!"}, // follows a path: larger than any valid file of its kind
    };
    return table;
}

constexpr std::array<int, 3> kWithoutBuiltInText = {
    61416, // note of the new-group dialog for bit and 32-bit groups
    61417, // note of the new-group dialog for 16-bit groups
    61418, // name of the keypad face ("ZAVO" or "MERDO")
};

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

std::string StringGbkWith(int id, std::string_view placeholder, std::string_view gbkValue)
{
    std::string text = StringGbk(id);
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, placeholder.size(), gbkValue);
    return text;
}

bool IsStringWithoutBuiltInText(int id)
{
    return std::find(kWithoutBuiltInText.begin(), kWithoutBuiltInText.end(), id) != kWithoutBuiltInText.end();
}
