#include "model/elements/ElementFactory.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"

ElementRef CreateElement(int kind, int subKind)
{
    switch (kind) {
    case KindFuncKey:
        return {kind, std::make_shared<CFuncKeyElement>()};
    case KindLamp:
        return {kind, std::make_shared<CLampElement>()};
    case KindRegister:
        return {kind, std::make_shared<CRegisterElement>()};
    case KindText:
        return {kind, std::make_shared<CTextElement>(subKind == 1 ? 1 : 0)};
    case KindGraph:
        return {kind, std::make_shared<CGraphElement>(subKind == 1 ? 1 : 0)};
    case KindPicture:
        return {kind, std::make_shared<CPictureElement>()};
    default:
        return {kind, nullptr};
    }
}

ElementRef CreateElementForTool(ToolCode tool)
{
    if (tool < ToolLamp || tool > ToolPicture)
        return {};
    const int subKind = tool == ToolDynamicText || tool == ToolCurveGraph ? 1 : 0;
    return CreateElement(KindOfTool(tool), subKind);
}
