#pragma once

#include "base/ValueText.h"
#include "devices/AddressLookup.h"
#include "model/elements/CScreenElement.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CFuncKeyElement;

// The rules of the function-key page that do not depend on its widgets: the
// key names, the station range of an action, and the number fields of the
// register actions (value, step, limit) with their formats and widths.

// The key code of a key name as the key list shows it ("'ESC'键" is 4);
// -1 for a text that names no key.
int KeyCodeOfName(const std::string& gbkName);

// The lowest station a key accepts: 0 for a key that sets a register, or
// that sets a coil other than by toggling on a group of access mode 1;
// 1 for every other key.
int FuncKeyLowestStation(int action, int coilOperation, int groupMode);

// The address a key takes when its action turns to coils (width 0) or to
// registers (width 16): the first group of that width and that group's first
// element ("0" for a group without elements). Without a group of the width a
// coil key keeps `currentGroup` and a register key takes the panel's own
// register group "VX-D".
AddressNames ActionStartAddress(const AddressTable& table, int width, const std::string& currentGroup);

// The key's box with the hand icon set (twice as wide, moved left as far as
// it must to stay on the display) or cleared (half as wide).
DotBox FuncKeyBoxWithHand(DotBox box, bool on);
// The key's box at double size (twice as wide and high, moved back onto the
// display) or back at normal size (half as wide, 16 dots high).
DotBox FuncKeyBoxWithDoubleSize(DotBox box, bool on);

// The format and width of the key's value, step and limit.
NumberFormat FuncKeyFormat(const CFuncKeyElement& key);
int FuncKeyValueBits(const CFuncKeyElement& key);

// The limit a key takes by default: the top of its range for increment (an
// upper limit), the bottom for every other action (a lower limit).
std::int64_t DefaultFuncKeyLimit(int action, NumberFormat format, int bits);
void ResetFuncKeyLimit(CFuncKeyElement& key);

// Value and limit texts are checked by ParseValueText. A step text must
// moreover give a number greater than 0, so "0", "00" and "-1" are refused
// like an empty text; its spin keeps it at 1 or more.
std::optional<std::int64_t> ParseFuncKeyStep(std::string_view text, NumberFormat format, int bits);
NumberRange FuncKeyStepRange(NumberFormat format, int bits);

// After the key's width changed (element type or register count): a 16-bit
// value and step are brought into the 16-bit range of the format, then the
// limit takes its default.
void FitFuncKeyValuesToWidth(CFuncKeyElement& key);

// Switches the key's data format to `format`, converting the value and the
// step and resetting the limit:
// - from signed to unsigned or HEX: a negative value becomes 0 and a negative
//   step 1 (at 16 bits, negative means bit 15 set);
// - to HEX: at 16 bits only the low 16 bits are kept;
// - to signed: a value or step above the signed maximum becomes it.
// Nothing changes when the key already has the format.
void ConvertFuncKeyFormat(CFuncKeyElement& key, NumberFormat format);
