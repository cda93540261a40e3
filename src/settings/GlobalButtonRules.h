#pragma once

#include "base/ValueText.h"
#include "model/GlobalButton.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules of the global-buttons dialog that do not depend on its widgets:
// the function and coil-action bits, the station range, and the value, step
// and limit of the selected button with its register count, kept within the
// range that the button's element type, register count and display format
// allow. They read and write the button only; the dialog shows the texts
// they give.

// Function codes, bits 2-4 of GlobalButton::Function.
enum GlobalButtonFunction : int {
    JumpFunction = 0,
    SetCoilFunction = 1,
    SetRegisterFunction = 2,
    IncrementFunction = 3,
    DecrementFunction = 4,
};
int ButtonFunction(const GlobalButton& button);
// The button with function `code`; the coil action and the unused bits stay.
void SetButtonFunction(GlobalButton& button, int code);
// Coil actions, bits 5-7 (0 ON, 1 OFF, 2 toggle, 3 momentary ON, 4 momentary
// OFF); the function bits stay.
int ButtonCoilAction(const GlobalButton& button);
void SetButtonCoilAction(GlobalButton& button, int action);

// The lowest station the button accepts: 0 on a group of access mode 1
// (coils, one address each) for a set-register button and for a set-coil
// button whose action is not toggle; 1 otherwise.
int ButtonLowestStation(const GlobalButton& button, int groupMode);

// The format the button's values are entered in (a stored code other than 0
// and 2 counts as unsigned), and their width: 16 bits for one register of a
// 16-bit word element, else 32.
NumberFormat ButtonFormat(const GlobalButton& button);
int ButtonValueBits(const GlobalButton& button);

// The three number boxes of the dialog.
enum class ValueBox { Value, Step, Limit };

// The text a box shows for the button's field (upper-case HEX, unsigned or
// signed decimal; a signed 16-bit field shows its low 16 bits).
std::string ButtonValueText(const GlobalButton& button, ValueBox box);

// A text typed into a box, upper-cased and judged in the button's format and
// width: HEX digits (at most 10), decimal digits (at most 10) or, for signed,
// decimal digits after an optional "-"; the number within the range (judged
// without overflow, so 4294967296 is refused); "" and a lone "-" stand for 0.
// A step must moreover be greater than 0 ("00" is refused). Accepted: the
// field takes the number and true is returned; refused: nothing changes.
bool EditButtonValue(GlobalButton& button, ValueBox box, std::string_view text);

// The text of a spin arrow (`delta` +1 or -1) on a box showing `text`: its
// number read in the button's format ("" and "-" are 0) moved by one while
// it stays in the range (a step also stays at 1 or more, so an arrow does
// nothing at 0); none when the arrow does nothing.
std::optional<std::string> SpinButtonText(const GlobalButton& button, ValueBox box, std::string_view text,
    int delta);

// A register-count text: digits only, 1 or 2; 2 only for a 16-bit word
// element whose group also holds the next word address (`nextWordExists`).
// None when refused.
std::optional<int> ParseRegisterCount(std::string_view text, int elementType, bool nextWordExists);

// After the element type or register count changed: at 16 bits the value
// and step are brought into the range, and the limit takes the top of the
// range for increment, the bottom for every other function.
void AdjustButtonRange(GlobalButton& button);

// The button's values shown in `format`: value and step converted (a 16-bit
// pattern is kept, so signed -5 shows FFFB in HEX and FFFF shows -1 in
// signed; other negative values become 0 in HEX and unsigned, a negative
// step 1; values above the signed maximum become it in signed), the limit
// reset, the format stored.
void ConvertButtonFormat(GlobalButton& button, NumberFormat format);
