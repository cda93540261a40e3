#pragma once

#include <string>

// The preview text a register rebuilt from a panel record shows in the
// editor: a run of consecutive digits as long as the register's digits, with
// its decimal point and sign. A left-indented register shows the digits at the
// end of its full width (e.g. "345" for three of five digits).
std::string RegisterPreviewText(int digits, int decimals, bool isSigned, bool hexBcd, int alignment,
                                int registerCount, int wordSize);
