#include "shell/ElementPlacement.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "devices/ElementTypeText.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "shell/ElementSelection.h"

#include <algorithm>

namespace {

int TextWidth(int stringId)
{
    return 8 * static_cast<int>(StringGbk(stringId).size());
}

// The address fields of a new element as its page's first element type
// leaves them: the page offers bit elements for width 0 and the 16-bit type
// first for width 16, and the word size follows the type.
template <class Element>
void BindToFirstElementType(Element& element, int width)
{
    element.WordSize = width;
    element.TypeText = SharedElementTypeText(width);
    element.GroupName.clear();
    element.ElementName.clear();
}

std::shared_ptr<CScreenElement> NewLamp(const CVX50TextDoc& doc)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->SetLogic(1);
    lamp->SetStation(doc.DefaultStation);
    BindToFirstElementType(*lamp, 0);
    return lamp;
}

std::shared_ptr<CScreenElement> NewFuncKey(const CVX50TextDoc& doc)
{
    auto key = std::make_shared<CFuncKeyElement>();
    key->SetKey(0);
    key->SetInverse(0);
    key->SetDoubleSize(0);
    key->SetInvisible(0);
    key->SetAction(CFuncKeyElement::SetCoil);
    key->SetCoilOperation(0);
    key->SetValue = 0;
    key->SetDataFormat(1);
    key->SetStation(doc.DefaultStation);
    BindToFirstElementType(*key, 0);
    return key;
}

std::shared_ptr<CScreenElement> NewStaticText()
{
    // Not bound to an address: the station stays the element's own default.
    auto text = std::make_shared<CTextElement>(0);
    text->SetText(StringGbk(IdsNewStaticText));
    text->SetInverse(0);
    return text;
}

std::shared_ptr<CScreenElement> NewDynamicText(const CVX50TextDoc& doc)
{
    auto text = std::make_shared<CTextElement>(1);
    text->AddState(StringGbk(IdsNewDynTextState), "0");
    text->SetStateMode(0);
    text->SetStation(doc.DefaultStation);
    BindToFirstElementType(*text, 0);
    text->SetInverse(0);
    text->SetHexBcd(0);
    return text;
}

std::shared_ptr<CScreenElement> NewRegister(const CVX50TextDoc& doc)
{
    auto reg = std::make_shared<CRegisterElement>();
    reg->SetPreviewText("12345");
    reg->SetDigits(5);
    reg->SetDecimals(0);
    reg->SetSettable(0);
    reg->SetInverse(0);
    reg->SetHexBcd(0);
    reg->SetSigned(0);
    reg->SetPasswordProtected(0);
    reg->SetEngineeringScale(0);
    reg->SetStation(doc.DefaultStation);
    reg->SetAlignment(0);
    BindToFirstElementType(*reg, 16);
    return reg;
}

std::shared_ptr<CScreenElement> NewGraph(const CVX50TextDoc& doc, int curve)
{
    auto graph = std::make_shared<CGraphElement>(curve);
    graph->SetStation(doc.DefaultStation);
    BindToFirstElementType(*graph, 16);
    return graph;
}

std::shared_ptr<CScreenElement> NewPicture(const PictureDots& dots)
{
    auto picture = std::make_shared<CPictureElement>();
    picture->SetPixelStore(dots.pixels);
    return picture;
}

std::shared_ptr<CScreenElement> NewToolElement(ToolCode tool, const CVX50TextDoc& doc, const PictureDots* picture)
{
    switch (tool) {
    case ToolLamp:
        return NewLamp(doc);
    case ToolFuncKey:
        return NewFuncKey(doc);
    case ToolStaticText:
        return NewStaticText();
    case ToolDynamicText:
        return NewDynamicText(doc);
    case ToolRegister:
        return NewRegister(doc);
    case ToolBarGraph:
        return NewGraph(doc, 0);
    case ToolCurveGraph:
        return NewGraph(doc, 1);
    case ToolPicture:
        return picture ? NewPicture(*picture) : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

DotSize ToolDefaultSize(ToolCode tool, DotSize pictureSize)
{
    switch (tool) {
    case ToolLamp:
    case ToolFuncKey:
        return {16, 16};
    case ToolStaticText:
        return {TextWidth(IdsNewStaticText), 16};
    case ToolDynamicText:
        return {TextWidth(IdsNewDynTextState), 16};
    case ToolRegister:
        return {40, 16};
    case ToolBarGraph:
        return {16, 48};
    case ToolCurveGraph:
        return {56, 48};
    case ToolPicture:
        return {std::min(pictureSize.width, kDisplayWidth), std::min(pictureSize.height, kDisplayHeight)};
    default:
        return {};
    }
}

std::shared_ptr<CScreenElement> PlaceToolElement(CVX50TextDoc& doc, ToolCode tool, int px, int py,
    int clientWidth, int clientHeight, const PictureDots* picture)
{
    ElementList& elements = doc.GetWorkingElements();
    if (elements.size() >= kMaxScreenElements) {
        CurrentUi().ShowMessage(IdsTooManyElements);
        return nullptr;
    }
    const std::vector<int> numbers = doc.LowestFreeNumbers();
    std::shared_ptr<CScreenElement> element = NewToolElement(tool, doc, picture);
    if (!element)
        return nullptr;
    DeselectAll(elements);

    const DotSize size = ToolDefaultSize(tool, picture ? DotSize{picture->width, picture->height} : DotSize{});
    const DotPoint at = PlacementPosition(px, py, size.width, size.height, clientWidth, clientHeight);
    element->Number = static_cast<std::uint16_t>(numbers[static_cast<std::size_t>(NumberClassOfTool(tool))]);
    element->SetPosition(at.x, at.y);
    element->SetSize(size.width, size.height);
    element->Selected = 1;

    elements.push_back({element->Kind(), element});
    doc.ProjectModified = 1;
    return element;
}
