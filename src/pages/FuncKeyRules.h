#pragma once

#include "base/ValueText.h"
#include "devices/AddressLookup.h"
#include "model/KeyValueRules.h"
#include "model/elements/CScreenElement.h"

#include <string>

class CFuncKeyElement;

// The rules of the function-key page that do not depend on its widgets: the
// station range of an action, the start address of an action, the hand and
// double-size boxes, and the number fields of the register actions (value,
// step, limit) with their formats and widths.

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

// The key's value, step and limit follow the rules of KeyValueRules.h:
// value and limit texts are checked by ParseValueText, step texts by
// ParseStepText, and its spin keeps a step within StepRange.

// The limit a key takes by default (DefaultKeyLimit): the top of its range
// for increment (an upper limit), the bottom for every other action.
void ResetFuncKeyLimit(CFuncKeyElement& key);

// After the key's width changed (element type or register count): a 16-bit
// value and step are brought into the 16-bit range of the format, then the
// limit takes its default (FitKeyValuesToWidth).
void FitFuncKeyValuesToWidth(CFuncKeyElement& key);

// Switches the key's data format to `format`, converting the value and the
// step by the default rules of ConvertKeyValues (a negative signed value
// becomes 0 in HEX, a HEX value above 32767 becomes 32767 in signed) and
// resetting the limit. Nothing changes when the key already has the format.
void ConvertFuncKeyFormat(CFuncKeyElement& key, NumberFormat format);
