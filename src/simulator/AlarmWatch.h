#pragma once

#include "simulator/DeviceReply.h"

#include <array>
#include <cstdint>
#include <optional>

struct AlarmBlock;

// How the simulation watches the alarm blocks: each pass reads a block's bits
// and compares them with the bits read before; an alarm whose bit went from 0
// to 1 rises and opens the alarm display.

// The simulation keeps alarm state for this many blocks (one per alarm
// segment); later blocks are neither read nor shown.
constexpr int kMaxAlarmBlocks = 8;
// A block's bits as read last: bit b of the bits read is bit b mod 8 of byte
// b / 8.
constexpr int kAlarmSnapshotBytes = 10;
using AlarmBits = std::array<std::uint8_t, kAlarmSnapshotBytes>;
// The most alarms a block has (the alarm list's limit); a block that claims
// more is watched for this many.
constexpr int kMaxAlarmsPerBlock = 32;

// The read of one block and where its alarms lie among the bits read.
struct AlarmRead {
    bool coils = false;   // ReadBit; else ReadRegister
    int address = 0;      // first coil, aligned down to 16, or first register
    int count = 0;        // coils read (a multiple of 16) or registers read
    int firstBit = 0;     // the block's first alarm among the bits read
    int alarmCount = 0;   // alarms watched
    int firstCompared = 0; // byte indexes that are compared with the last read
    int endCompared = 0;
};

// Coil blocks read whole 16-coil words from the block's word down and compare
// the bytes from the one of the first alarm; blocks of bits inside registers
// read from the start register up to the word of the last alarm and compare
// every byte.
AlarmRead PlanAlarmRead(const AlarmBlock& block);

// The bits of the read in `reply`: binary coils as they came; ASCII coils one
// character each (on unless '0'), only the block's alarms; register words
// with byte 0 holding bits 0-7 of the first word. Nothing when the reply
// holds fewer bytes than the read needs.
std::optional<AlarmBits> AlarmBitsOfReply(const AlarmRead& read, const DeviceReply& reply);

// Takes the fresh bits into `last` over the compared bytes and tells whether
// one of the block's alarms rose (0 in `last`, 1 in `fresh`).
bool TakeAlarmBits(AlarmBits& last, const AlarmBits& fresh, const AlarmRead& read);

// Whether alarm `alarm` (from 0) of a block is on in its bits, its first
// alarm at bit `firstBit`; false outside the bits kept.
bool AlarmBitIsSet(const AlarmBits& bits, int firstBit, int alarm);
