#pragma once

#include "devices/ElementGroup.h"

#include <optional>
#include <string>
#include <string_view>

class UserInterface;

// New device elements for the address-table editor: one element, or a batch
// named by a prefix and a running number in base 8, 10 or 16, at addresses
// that step by an interval. Texts are GBK bytes.

enum NumberBase : int {
    OctalBase = 0,
    DecimalBase = 1,
    HexBase = 2,
};

// The start number plus the count may reach this, not more.
constexpr int kRunningNumberLimit = 65536;
constexpr int kMaxBatchCount = 10000;

// A start number typed in `base` (hexadecimal in either case); 0 for an empty
// text. Nothing when a character is not a digit of the base or the value is
// above 65535.
std::optional<int> ParseStartNumber(std::string_view text, int base);
// `value` written in `base`: octal, decimal, or upper-case hexadecimal.
std::string FormatRunningNumber(int value, int base);
// The start number rewritten when the base changes; an empty text, or one
// that does not read in `from`, stays as it is.
std::string RebaseStartNumber(const std::string& text, int from, int to);
// Whether the start number reads in `base` and, with `count`, stays within
// the running-number limit.
bool StartNumberFits(std::string_view text, int base, int count);

// What the new-element dialog gathered.
struct NewElementRequest {
    std::string groupName;
    std::string name;          // the element's name, or the prefix of a batch, as typed
    bool batch = false;        // single mode: count 1 and no start number
    int count = 1;             // 0 to kMaxBatchCount
    int base = DecimalBase;
    std::string startNumber;   // empty: every element is named by the prefix alone
    int interval = 1;          // address step between consecutive elements, 1 or more
    std::string startAddress;  // "word.bit" for bit-addressed groups, else "word"
    int position = 0;          // the new elements go after this many elements
};

// Why OK refuses the request: the string id of its message, or 0 when it is
// accepted. IdsElementOrGroupNameEmpty a name empty or blanks only, or no
// group at all; IdsChosenGroupNameEmpty no group of that name;
// IdsStartNumberEmpty a batch without start number;
// IdsStartPlusCountOver65535 start number and count past the limit;
// IdsAddressFormatBad an address whose form does not fit the group;
// IdsTableAddressFormatBad an address with a character other than
// hexadecimal digits and the point.
int NewElementRefusal(const NewElementRequest& request, const AddressTable& groups);

// Creates the elements in the first group named by the request (nothing
// when there is none), after `position` elements of it. An element whose
// name the group already holds is offered for replacement through `ui`
// (Yes: it keeps its place and takes the new address); elements whose word
// would pass 0xFFFF are left out.
void CreateElements(AddressTable& groups, const NewElementRequest& request, UserInterface& ui);
