#pragma once

#include <string>

// Points COM `number` at `devicePath` (an emulator's terminal) through the
// VX50_COM<n> environment variable for its lifetime, so that code opening
// "COM<n>" by number reaches the emulator.
class ComPortOverride {
public:
    ComPortOverride(int number, const std::string& devicePath);
    ~ComPortOverride();
    ComPortOverride(const ComPortOverride&) = delete;
    ComPortOverride& operator=(const ComPortOverride&) = delete;

private:
    int m_number;
};
