#pragma once

#include "transfer/PollCollection.h"
#include "transfer/PollGroup.h"
#include "transfer/ProtocolEntryPoints.h"

#include <optional>
#include <vector>

class CVX50TextDoc;
struct ScreenRecord;

// The poll plan of one screen of the document: the view's
// CollectScreenAddresses and BuildPollGroups over the project's screens and
// the device's address table.

// The addresses the screen's elements show, in element order: lamps,
// registers, dynamic texts and graphs; function keys, pictures and static
// texts show none.
std::vector<PollSource> PollSourcesOfScreen(const ScreenRecord& screen);

// Collects the items of screen `screenIndex` into the three lists (passed
// empty). False after a failure, its message shown (PollCollection.h); false
// without a message for an index outside the screen list.
bool CollectScreenAddresses(const CVX50TextDoc& doc, int screenIndex, std::vector<PollItem>& wordBits,
    std::vector<PollItem>& coils, std::vector<PollItem>& words);

// The same without a message, for the simulation: nothing after success,
// else the fault (messageId 0 for an index outside the screen list).
std::optional<PollCollectionFault> CollectScreenAddressesSilently(const CVX50TextDoc& doc, int screenIndex,
    PollLists& lists);

// The read requests of collected lists, merged as far as the document's
// protocol library and communication buffer allow; `getReadCoilPos` is the
// loaded library's entry. Never fails.
std::vector<PollGroup> BuildPollGroups(const CVX50TextDoc& doc, GetReadCoilPosFn getReadCoilPos,
    std::vector<PollItem> wordBits, std::vector<PollItem> coils, std::vector<PollItem> words);
