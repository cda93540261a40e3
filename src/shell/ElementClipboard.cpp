#include "shell/ElementClipboard.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/CVX50TextDoc.h"
#include "shell/CanvasGeometry.h"
#include "model/PanelKeyChoices.h"

#include <algorithm>

namespace {

// How far one paste steps the copies on, in dots.
constexpr int CascadeStep = 8;

// The span of the clipboard's boxes along one axis of the display.
struct Span {
    int low;
    int high;
};

// Turns at an edge the span touches (0 towards `limit`, 1 back), then
// returns the step along the axis: 8 dots, less when that would cross the
// edge, none when the span is already there.
int StepAlong(int& direction, Span span, int limit)
{
    if (span.low == 0)
        direction = 0;
    else if (span.high == limit)
        direction = 1;
    if (direction == 0 && span.high < limit)
        return span.high + CascadeStep > limit ? limit - span.high : CascadeStep;
    if (direction == 1 && span.low > 0)
        return span.low < CascadeStep ? -span.low : -CascadeStep;
    return 0;
}

// The direction of the next paste, from the span before this one stepped.
void TurnForNextPaste(int& direction, Span span, int limit)
{
    if (span.high < limit && direction == 0) {
        if (span.high + CascadeStep > limit)
            direction = 1;
    } else if (span.low > 0) {
        direction = span.low < CascadeStep ? 0 : 1;
    }
}

} // namespace

int ElementClipboard::CountFuncKeys() const
{
    const ElementList& working = m_document.GetWorkingElements();
    return static_cast<int>(std::count_if(working.begin(), working.end(),
                                          [](const ElementRef& ref) { return ref.kind == KindFuncKey; }));
}

void ElementClipboard::CopySelection()
{
    CutFlag = 0;
    m_document.Clipboard.clear();
    m_document.ClipboardPositions.clear();
    for (const ElementRef& ref : m_document.GetWorkingElements()) {
        if (!ref.element || ref.element->Selected != 1)
            continue;
        std::shared_ptr<CScreenElement> copy = ref.element->Clone();
        m_document.ClipboardPositions.push_back(copy->GetPosition());
        m_document.Clipboard.push_back({ref.kind, std::move(copy)});
    }
    SourceScreen = m_document.CurrentScreenNumber;
    VerticalDirection = 0;
    HorizontalDirection = 0;
}

int ElementClipboard::DeleteSelection()
{
    const auto removed = std::erase_if(m_document.GetWorkingElements(), [](const ElementRef& ref) {
        return ref.element && ref.element->Selected == 1;
    });
    if (removed == 0)
        return 0;
    m_document.ProjectModified = 1;
    m_document.PushUndoSnapshot();
    return static_cast<int>(removed);
}

int ElementClipboard::CutSelection()
{
    CopySelection();
    const int removed = DeleteSelection();
    CutFlag = 1;
    return removed;
}

void ElementClipboard::RestoreClipboardPositions()
{
    const ElementList& clipboard = m_document.Clipboard;
    const auto& positions = m_document.ClipboardPositions;
    for (std::size_t i = 0; i < clipboard.size() && i < positions.size(); ++i)
        clipboard[i].element->SetPosition(positions[i].x, positions[i].y);
}

void ElementClipboard::CascadeClipboard()
{
    // Function keys that the paste will leave out do not steer the cascade.
    const bool keysLeftOut = CountFuncKeys() >= kMaxFunctionKeys;
    auto steers = [keysLeftOut](const ElementRef& ref) { return !(keysLeftOut && ref.kind == KindFuncKey); };
    Span across{kDisplayWidth, 0};
    Span down{kDisplayHeight, 0};
    for (const ElementRef& ref : m_document.Clipboard) {
        if (!steers(ref))
            continue;
        const DotBox box = ref.element->GetBox();
        across = {std::min(across.low, box.x), std::max(across.high, box.x + box.w)};
        down = {std::min(down.low, box.y), std::max(down.high, box.y + box.h)};
    }
    for (const ElementRef& ref : m_document.Clipboard) {
        if (!steers(ref))
            continue;
        const int dy = StepAlong(VerticalDirection, down, kDisplayHeight);
        const int dx = StepAlong(HorizontalDirection, across, kDisplayWidth);
        const DotPoint at = ref.element->GetPosition();
        ref.element->SetPosition(at.x + dx, at.y + dy);
    }
    // Once per clipboard element, as the panel tools have always done: a group
    // close to both edges of an axis may thus turn back and forth.
    for (std::size_t i = 0; i < m_document.Clipboard.size(); ++i) {
        TurnForNextPaste(VerticalDirection, down, kDisplayHeight);
        TurnForNextPaste(HorizontalDirection, across, kDisplayWidth);
    }
}

std::vector<std::shared_ptr<CScreenElement>> ElementClipboard::PasteElements()
{
    std::vector<std::shared_ptr<CScreenElement>> pasted;
    if (m_document.Clipboard.empty()) {
        CutFlag = 0;
        return pasted;
    }
    ElementList& working = m_document.GetWorkingElements();
    for (const ElementRef& ref : working)
        ref.element->Selected = 0;
    if (SourceScreen != m_document.CurrentScreenNumber || CutFlag == 1) {
        RestoreClipboardPositions();
        VerticalDirection = 0;
        HorizontalDirection = 0;
    } else {
        CascadeClipboard();
    }
    SourceScreen = m_document.CurrentScreenNumber;

    for (const ElementRef& source : m_document.Clipboard) {
        if (source.kind == KindFuncKey && CountFuncKeys() >= kMaxFunctionKeys)
            continue;
        const std::vector<int> freeNumbers = m_document.LowestFreeNumbers();
        std::shared_ptr<CScreenElement> copy = source.element->Clone();
        copy->Number = static_cast<std::uint16_t>(freeNumbers[static_cast<std::size_t>(copy->NumberClass())]);
        if (auto* key = dynamic_cast<CFuncKeyElement*>(copy.get()))
            FitKeyToFreePanelKeys(m_document, *key);
        copy->Selected = 1;
        working.push_back({source.kind, copy});
        pasted.push_back(std::move(copy));
    }
    if (!pasted.empty())
        m_document.ProjectModified = 1;
    m_document.PushUndoSnapshot();
    CutFlag = 0;
    return pasted;
}
