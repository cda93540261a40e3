#pragma once

#include "model/PortSettings.h"

#include <optional>

// The small codes in which the panel image's header keeps the two serial
// lines and the screen-saver delay, and their way back from a panel. The
// document offers them per port (CVX50TextDoc::LineControlCode and the rest).

// The panel's baud divisor, 11059200 / (16 x baud) - 1, for the six bauds
// the panel supports; -1 for any other baud.
int BaudToDivisorCode(int baud);
// The baud of a divisor code; nothing for a code outside the table.
std::optional<int> BaudFromDivisorCode(int code);

// Line-control byte: data bits in bits 1-2 (0x02 six, 0x04 seven, 0x06 eight,
// 0 for any other count), 0x08 for two stop bits, parity in bits 4-5 (0x30
// odd, 0x20 even, 0 otherwise).
int LineControlCode(const PortSettings& port);

// The fields of a line-control byte read back, each from its masked field;
// nothing for a field value that names no setting.
std::optional<int> DataBitsFromCode(int field);  // field = byte & 0x06: 0x00 five ... 0x06 eight
std::optional<int> StopBitsFromCode(int field);  // field = byte & 0x08
std::optional<int> ParityFromCode(int field);    // field = byte & 0x30: 0x10 names none

// Applies a header's baud code and line-control byte to `port`; every field
// whose code names no setting keeps its value.
void ApplyLineCodes(PortSettings& port, int baudCode, int lineControl);

// Seconds of the screen-saver delay for the panel-settings index 0 to 9
// (index 9 is 20 seconds); -1 for any other index.
int ScreenSaverSeconds(int index);
