#include "model/ElementFactory.h"

#include "model/CFuncKeyElement.h"
#include "model/CGraphElement.h"
#include "model/CLampElement.h"
#include "model/CPictureElement.h"
#include "model/CRegisterElement.h"
#include "model/CTextElement.h"

std::shared_ptr<CScreenElement> CreateElementOfKind(int kind, bool subFlag)
{
    switch (kind) {
    case KindFuncKey:
        return std::make_shared<CFuncKeyElement>();
    case KindLamp:
        return std::make_shared<CLampElement>();
    case KindRegister:
        return std::make_shared<CRegisterElement>();
    case KindText:
        return std::make_shared<CTextElement>(subFlag);
    case KindGraph:
        return std::make_shared<CGraphElement>(subFlag);
    case KindPicture:
        return std::make_shared<CPictureElement>();
    default:
        return nullptr;
    }
}
