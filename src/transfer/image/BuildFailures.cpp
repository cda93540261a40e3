#include "transfer/image/BuildFailures.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"

void BuildFailures::Stop(int messageId) const
{
    m_ui.ShowMessage(messageId);
    throw ImageBuildStopped{};
}

void BuildFailures::StopWithText(const std::string& gbkText, const ElementPlace* showAfter) const
{
    m_ui.ShowMessageText(gbkText);
    if (showAfter)
        m_ui.GoToElement(showAfter->screenIndex, showAfter->elementIndex, showAfter->page);
    throw ImageBuildStopped{};
}

void BuildFailures::StopAt(int messageId, const ElementPlace& place, ShowElement when) const
{
    if (when == ShowElement::BeforeMessage)
        m_ui.GoToElement(place.screenIndex, place.elementIndex, place.page);
    m_ui.ShowMessage(messageId);
    if (when == ShowElement::AfterMessage)
        m_ui.GoToElement(place.screenIndex, place.elementIndex, place.page);
    throw ImageBuildStopped{};
}

CodedText BuildFailures::Code(TextCoder& coder, std::string_view text, const ElementPlace* place) const
{
    CodedText coded;
    const CodingResult result = coder.Code(text, coded);
    if (result == CodingResult::Coded)
        return coded;
    if (result == CodingResult::NoGlyph)
        StopWithText(StringGbkWith(IdsCharacterNotInFont, "%s", coder.FailedCharacter()), place);
    m_ui.ShowMessage(IdsTooManyChineseCharacters);
    if (place)
        m_ui.GoToElement(place->screenIndex, place->elementIndex, place->page);
    throw ImageBuildStopped{};
}
