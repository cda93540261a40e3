#include "transfer/ScreenPollPlan.h"

#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "transfer/PollGrouping.h"

namespace {

// A value is one register when it is a single 16-bit word, else two.
int RegistersOf(int registerCount, int wordSize)
{
    return registerCount == 1 && wordSize == 16 ? 1 : 2;
}

} // namespace

std::vector<PollSource> PollSourcesOfScreen(const ScreenRecord& screen)
{
    std::vector<PollSource> sources;
    for (std::size_t i = 0; i < screen.Elements.size(); ++i) {
        const int index = static_cast<int>(i);
        const CScreenElement* element = screen.Elements[i].element.get();
        if (const auto* lamp = dynamic_cast<const CLampElement*>(element)) {
            sources.push_back({index, LampSource, lamp->GroupName, lamp->ElementName, lamp->GetStation(), 0});
        } else if (const auto* reg = dynamic_cast<const CRegisterElement*>(element)) {
            sources.push_back({index, RegisterSource, reg->GroupName, reg->ElementName, reg->GetStation(),
                RegistersOf(reg->RegisterCount, reg->WordSize)});
        } else if (const auto* text = dynamic_cast<const CTextElement*>(element)) {
            if (text->IsDynamic())
                sources.push_back({index, DynamicTextSource, text->GroupName, text->ElementName, text->GetStation(),
                    text->WordSize == 16 ? 1 : 0});
        } else if (const auto* graph = dynamic_cast<const CGraphElement*>(element)) {
            sources.push_back({index, GraphSource, graph->GroupName, graph->ElementName, graph->GetStation(),
                RegistersOf(graph->RegisterCount(), graph->WordSize)});
        }
    }
    return sources;
}

bool CollectScreenAddresses(const CVX50TextDoc& doc, int screenIndex, std::vector<PollItem>& wordBits,
    std::vector<PollItem>& coils, std::vector<PollItem>& words)
{
    const auto& screens = doc.GetScreens();
    if (screenIndex < 0 || screenIndex >= static_cast<int>(screens.size()))
        return false;
    const ScreenRecord& screen = screens[static_cast<std::size_t>(screenIndex)];
    PollLists lists {std::move(wordBits), std::move(coils), std::move(words)};
    const bool collected
        = CollectPollItems(PollSourcesOfScreen(screen), doc.AddressTable, screenIndex, screen.Description, lists);
    wordBits = std::move(lists.wordBits);
    coils = std::move(lists.coils);
    words = std::move(lists.words);
    return collected;
}

std::optional<PollCollectionFault> CollectScreenAddressesSilently(const CVX50TextDoc& doc, int screenIndex,
    PollLists& lists)
{
    const auto& screens = doc.GetScreens();
    if (screenIndex < 0 || screenIndex >= static_cast<int>(screens.size()))
        return PollCollectionFault{};
    return CollectPollItemsSilently(PollSourcesOfScreen(screens[static_cast<std::size_t>(screenIndex)]),
        doc.AddressTable, screenIndex, lists);
}

std::vector<PollGroup> BuildPollGroups(const CVX50TextDoc& doc, GetReadCoilPosFn getReadCoilPos,
    std::vector<PollItem> wordBits, std::vector<PollItem> coils, std::vector<PollItem> words)
{
    const PollLists lists {std::move(wordBits), std::move(coils), std::move(words)};
    return GroupPollItems(lists, doc.AddressTable,
        PollMergeLimit(doc.ProtocolLibraryName, doc.CommBufferLength), getReadCoilPos);
}
