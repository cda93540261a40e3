#include "shell/ui/MenuTable.h"

#include "shell/CommandIds.h"

namespace {

constexpr MenuEntry Separator{0, nullptr};

} // namespace

const std::vector<MenuDefinition>& MainMenus()
{
    static const std::vector<MenuDefinition> menus = {
        {"文件(&F)",
         {{Cmd::FileNew, "新建\tCtrl+&N"},
          {Cmd::FileOpen, "打开...\tCtrl+&O"},
          {Cmd::FileSave, "保存\tCtrl+&S"},
          {Cmd::FileSaveAs, "另存为...\tCtrl+&A"},
          Separator,
          {Cmd::Device, "设备...\tCtrl+&D"},
          Separator,
          {Cmd::ComPort, "通信口...\tCtrl+&T"},
          Separator,
          {Cmd::AppExit, "退出\tCtrl+&X"}}},
        {"编辑(&E)",
         {{Cmd::DeleteElements, "删除元件\tCtrl+&D"},
          {Cmd::CopyElements, "复制元件\tCtrl+&C"},
          {Cmd::PasteElements, "粘贴元件\tCtrl+&V"},
          {Cmd::CutElements, "剪切元件\tCtrl+&X"},
          Separator,
          {Cmd::SendToBottom, "送往最下层\tCtrl+&B"},
          {Cmd::BringToTop, "移到最上层\tCtrl+&T"},
          {Cmd::MoveDownOne, "向下一层\tCtrl+&D"},
          {Cmd::MoveUpOne, "向上一层\tCtrl+&U"}}},
        {"选项(&O)",
         {{Cmd::WritePanel, "写\tCtrl+&W"},
          {Cmd::ReadPanel, "读\tCtrl+&R"},
          {Cmd::Compile, "编译\tCtrl+&E"},
          Separator,
          {Cmd::Simulate, "模拟\tCtrl+&M"},
          {Cmd::WriteDescriptions, "写画面描述\tCtrl+&D"},
          Separator,
          {Cmd::FirmwareVersion, "下位机版本\tCtrl+&V"}}},
        {"视图(&V)",
         {{Cmd::ViewToolbar, "工具栏\tCtrl+&T"},
          {Cmd::ViewStatusBar, "状态栏\tCtrl+&S"},
          Separator,
          {Cmd::ShowGrid, "显示网格\tCtrl+&G"},
          {Cmd::ScreenDataWindow, "画面数据窗口\tCtrl+&E"}}},
        {"工具(&T)",
         {{Cmd::NewScreen, "新建画面\tCtrl+&N"},
          {Cmd::CopyScreen, "复制画面\tCtrl+&R"},
          {Cmd::DeleteScreen, "删除画面\tCtrl+&D"},
          {Cmd::ScreenProperties, "画面属性\tCtrl+&P"},
          Separator,
          {Cmd::AlarmList, "报警列表\tCtrl+&A"},
          {Cmd::PanelSettings, "VX系列设置\tCtrl+&S"},
          {Cmd::GlobalButtons, "全局按钮\tCtrl+&B"},
          {Cmd::CopyRegisters, "复制寄存器\tCtrl+&G"},
          Separator,
          {Cmd::PasswordLevels, "密码等级设定\tCtrl+&E"},
          {Cmd::PresetTexts, "预设动态文本\tCtrl+&T"},
          {Cmd::PresetRegisters, "预设寄存器\tCtrl+&W"}}},
        {"帮助(&H)", {{Cmd::HelpContents, "帮助内容\tCtrl+&E"}, {Cmd::About, "关于...\tCtrl+&A"}}},
    };
    return menus;
}

const std::vector<int>& ToolbarButtons()
{
    static const std::vector<int> buttons = {
        Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, 0,
        Cmd::Undo, Cmd::Redo, 0,
        Cmd::WritePanel, Cmd::ReadPanel, Cmd::Compile, 0,
        Cmd::ToolLamp, Cmd::ToolFuncKey, Cmd::ToolStaticText, Cmd::ToolDynText,
        Cmd::ToolRegister, Cmd::ToolBarGraph, Cmd::ToolCurve, Cmd::ToolPicture, 0,
        Cmd::NewScreen, Cmd::ScreenProperties, Cmd::CopyScreen, Cmd::DeleteScreen, 0,
        Cmd::AlarmList, Cmd::PanelSettings, Cmd::GlobalButtons, Cmd::CopyRegisters, Cmd::PresetTexts,
        Cmd::PresetRegisters,
    };
    return buttons;
}
