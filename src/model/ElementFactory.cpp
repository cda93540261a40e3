#include "model/ElementFactory.h"

#include "model/CFuncKeyElement.h"
#include "model/CGraphElement.h"
#include "model/CLampElement.h"
#include "model/CPictureElement.h"
#include "model/CRegisterElement.h"
#include "model/CTextElement.h"

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
