#pragma once

#include "simulator/DeviceReply.h"
#include "transfer/PollGroup.h"

#include <cstdint>
#include <vector>

class CGraphElement;
struct ScreenRecord;

// Hands the values of one poll group's reply to the elements its items
// serve (in `screens`, by screen and element index): registers, bar graphs
// and curve graphs get 16- or 32-bit values, dynamic texts the entry of a
// 16-bit value or a bit, lamps their bit (inverted for positive logic).
// Values that the reply does not hold, and items whose element is not there
// or of another kind, are passed over. `timerTicks` is the sampling clock of
// the curves.
void DeliverPollGroup(const PollGroup& group, const DeviceReply& reply, const std::vector<ScreenRecord>& screens,
    bool highFront, int timerTicks);

// A curve's sample of `value` (width 16 or 32): after the start it first
// empties its samples and takes a sample 0; then it keeps a value once
// 5 x its sample interval ticks have passed since its last sample and drops
// the others.
void SampleCurve(CGraphElement& curve, std::uint32_t value, int width, int timerTicks);
