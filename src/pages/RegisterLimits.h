#pragma once

#include "base/ValueText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CRegisterElement;

// The four value limits of a register (raw upper and lower, engineering upper
// and lower) as the register page edits them: their texts in the register's
// number format, and how they follow a change of sign, format, register
// count or element type.

enum class RegisterLimit { RawUpper, RawLower, EngUpper, EngLower };

int& LimitField(CRegisterElement& reg, RegisterLimit limit);

// The register's number format (HEX/BCD, unsigned or signed decimal) and the
// width of its value.
NumberFormat RegisterNumberFormat(const CRegisterElement& reg);
int RegisterValueBits(const CRegisterElement& reg);

// The text a limit shows ("FFFF" for 65535 in HEX/BCD; a signed 16-bit limit
// shows its low 16 bits as a signed number).
std::string RegisterLimitText(CRegisterElement& reg, RegisterLimit limit);
// The value of a typed limit text in the register's format, or nullopt when
// refused (ParseValueText).
std::optional<std::int64_t> ParseRegisterLimit(const CRegisterElement& reg, std::string_view text);

// A signed 16-bit register's limits become the numbers their texts show:
// their low 16 bits, sign-extended. Records keep only those 16 bits and read
// them back unsigned (-10 comes back as 65526); the page judges limits as
// numbers, so it loads them this way before any rule below runs.
void NormaliseSigned16Limits(CRegisterElement& reg);

// The raw limits are edited while the register is settable or shows
// engineering values, the engineering limits only while it shows them.
bool RawLimitsEditable(const CRegisterElement& reg);
bool EngLimitsEditable(const CRegisterElement& reg);

// The limits follow the register's settings; each rule runs after the
// setting changed in the element (the format flags, the count, the type):
// - the sign was set: limits above the signed maximum come down to it;
// - the sign was cleared: negative limits become 0, and an upper limit at
//   the signed maximum over a lower limit of 0 rises to the unsigned one
//   (the lower limit judged after its own change);
// - HEX/BCD replaced a signed format: the same, but the upper limit is
//   judged against the lower limit before its change (-32768 to 32767
//   becomes 0 to 7FFF, not 0 to FFFF);
// - the register count was settled on a 16-bit element: one register
//   brings the limits into the 16-bit range, two widen an upper limit at the
//   16-bit maximum over a lower limit of 0 to the 32-bit one;
// - an element type was chosen (on one register): a 16-bit type brings the
//   limits into the 16-bit range, a 32-bit type widens limits at the 16-bit
//   extremes to the 32-bit ones. A signed limit is judged by the value its
//   text showed at `previousBits`.
void LimitsFollowSignSet(CRegisterElement& reg);
void LimitsFollowSignCleared(CRegisterElement& reg);
void LimitsFollowHexFromSigned(CRegisterElement& reg);
void LimitsFollowRegisterCount(CRegisterElement& reg);
void LimitsFollowTypeSelection(CRegisterElement& reg, int previousBits);
