#include "shell/ElementSelection.h"

#include "model/elements/CScreenElement.h"

#include <algorithm>

namespace {

bool IsSelected(const ElementRef& ref)
{
    return ref.element && ref.element->Selected == 1;
}

} // namespace

int CountSelected(const ElementList& elements)
{
    return static_cast<int>(std::count_if(elements.begin(), elements.end(), IsSelected));
}

void DeselectAll(const ElementList& elements)
{
    for (const ElementRef& ref : elements)
        if (ref.element)
            ref.element->Selected = 0;
}

std::shared_ptr<CScreenElement> TopmostElementAt(
    const ElementList& elements, int px, int py, int clientWidth, int clientHeight)
{
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        if (it->element
            && PixelRectContains(ElementPixelRect(it->element->GetBox(), clientWidth, clientHeight), px, py))
            return it->element;
    }
    return nullptr;
}

void ClampSelectionStep(int& dx, int& dy, const ElementList& elements)
{
    std::vector<DotBox> selected;
    for (const ElementRef& ref : elements)
        if (IsSelected(ref))
            selected.push_back(ref.element->GetBox());
    ClampDragDelta(dx, dy, selected);
}

std::vector<std::shared_ptr<CScreenElement>> MoveSelection(const ElementList& elements, int dx, int dy)
{
    std::vector<std::shared_ptr<CScreenElement>> moved;
    for (const ElementRef& ref : elements) {
        if (!IsSelected(ref))
            continue;
        const DotPoint to = MovedPosition(ref.element->GetBox(), dx, dy);
        ref.element->SetPosition(to.x, to.y);
        moved.push_back(ref.element);
    }
    return moved;
}

void ApplyRubberBand(const ElementList& elements, PixelRect& band, bool mayDeselect)
{
    band = NormalizedBand(band);
    for (const ElementRef& ref : elements) {
        if (!ref.element)
            continue;
        switch (RubberBandEffect(band, ref.element->GetBox())) {
        case BandEffect::Select:
            ref.element->Selected = 1;
            break;
        case BandEffect::Deselect:
            if (mayDeselect)
                ref.element->Selected = 0;
            break;
        case BandEffect::Keep:
            break;
        }
    }
}
