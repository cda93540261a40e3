#include "base/UserInterface.h"

namespace {

UserInterface& DoNothingUi()
{
    static UserInterface ui;
    return ui;
}

UserInterface* g_installed = nullptr;

int FirstButton(unsigned flags)
{
    switch (flags & 0x0F) {
    case MbYesNoCancel:
    case MbYesNo:
        return IdYes;
    default:
        return IdOk;
    }
}

} // namespace

int UserInterface::ShowMessage(int, unsigned flags)
{
    return FirstButton(flags);
}

int UserInterface::ShowMessageText(const std::string&, unsigned flags)
{
    return FirstButton(flags);
}

UserInterface& CurrentUi()
{
    return g_installed ? *g_installed : DoNothingUi();
}

UserInterface* InstallUi(UserInterface* ui)
{
    UserInterface* previous = g_installed;
    g_installed = ui;
    return previous;
}
