// The view's poll-plan operations: thin wrappers over the core's poll plan,
// which works on the document and its address table.

#include "shell/ui/CVX50TextView.h"

#include "model/CVX50TextDoc.h"
#include "transfer/PollGrouping.h"
#include "transfer/ScreenPollPlan.h"

bool CVX50TextView::CollectScreenAddresses(int screenIndex, std::vector<PollItem>& wordBits,
    std::vector<PollItem>& coils, std::vector<PollItem>& words) const
{
    return ::CollectScreenAddresses(m_document, screenIndex, wordBits, coils, words);
}

std::vector<PollGroup> CVX50TextView::BuildPollGroups(std::vector<PollItem> wordBits, std::vector<PollItem> coils,
    std::vector<PollItem> words) const
{
    return ::BuildPollGroups(m_document, ProtocolFunctions.GetReadCoilPos, std::move(wordBits), std::move(coils),
        std::move(words));
}

bool CVX50TextView::AddressInTable(int wordAddress, bool wordGroups) const
{
    return ::AddressInTable(m_document.AddressTable, wordAddress, wordGroups);
}
