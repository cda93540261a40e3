#pragma once

#include <stdexcept>
#include <string>

// Raised when bytes read from a file or a panel do not follow the layout they
// claim (short read, a count past the end, a value out of its range). Callers
// catch it at the command boundary and show their own message.
class FormatError : public std::runtime_error {
public:
    explicit FormatError(const std::string& what) : std::runtime_error(what) {}
};
