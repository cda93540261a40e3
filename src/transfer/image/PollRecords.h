#pragma once

#include "model/AlarmBlock.h"
#include "transfer/PollGroup.h"
#include "transfer/image/BuildFailures.h"
#include "transfer/image/DeviceCommands.h"

#include <vector>

class ByteWriter;

// The read requests of the panel image: a screen's poll groups and the
// alarm blocks' reads, each with the library's read command and where each
// polled value lands in the screen memory. A read the library refuses stops
// the build with 61255 (coils) or 61256 (registers).

// [n][read command][data format][c], then per item [reply position][slot]
// [memory position][group index].
void AppendPollRecord(ByteWriter& out, const DeviceCommands& commands, const PollGroup& group,
    const BuildFailures& failures);

// The read of an alarm block's alarm bits, 7 + n bytes: coils are read from
// the start address lowered to a multiple of 16, bits inside words from the
// start address.
void AppendAlarmPollRecord(ByteWriter& out, const DeviceCommands& commands, const AlarmBlock& block,
    const BuildFailures& failures);

// The screen-memory words an alarm block's read fills: (first bit + alarm
// count) / 16 + 1, the first bit being the start address's place in its word
// for coils and the start element's bit for bits inside words. For the latter
// it is the number of registers the read asks for; coils are read in whole
// words from the one holding the start, never more than this. So no block's
// words run into the next block's.
int AlarmStatusWords(const AlarmBlock& block);
// The first screen-memory word of each block's status, in block order: the
// blocks take their words in turn from word 100 on. The alarm list record and
// the header's alarm entries both name them.
std::vector<int> AlarmStatusStartWords(const std::vector<AlarmBlock>& blocks);
