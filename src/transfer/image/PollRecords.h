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
