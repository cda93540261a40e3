#pragma once

#include "devices/ElementGroup.h"
#include "transfer/PollCollection.h"
#include "transfer/PollGroup.h"
#include "transfer/ProtocolEntryPoints.h"

#include <string_view>
#include <vector>

// Registers one read request may merge: only the Modbus library merges
// neighbouring addresses, within what its communication buffer carries;
// 0 turns merging off.
int PollMergeLimit(std::string_view gbkProtocolLibraryName, int commBufferLength);

// True when some element of the table has this word address: among the bit
// groups (type 0), or among the word groups (types 16 and 32) when
// `wordGroups` is true.
bool AddressInTable(const AddressTable& table, int wordAddress, bool wordGroups);

// Groups a screen's sorted item lists into read requests: coil groups first,
// then bits-inside-registers groups, then register groups. Neighbouring
// items of one station and one address-table group share a request while the
// request stays within `mergeLimit` registers (8 x `mergeLimit` coils). Each
// item gets its byte position in the reply (a coil's from `getReadCoilPos`,
// which also adds the coil's bit inside that byte to its memoryPosition).
// Never fails.
std::vector<PollGroup> GroupPollItems(const PollLists& lists, const AddressTable& table, int mergeLimit,
    GetReadCoilPosFn getReadCoilPos);
