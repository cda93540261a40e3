#pragma once

#include <string>

// The PC serial port (COM1 to COM32) that writing to and reading from the
// panel open. The program keeps it between runs in "PZ.DAT" in the program
// folder: exactly four bytes, the number as a little-endian 32-bit integer.

constexpr int MinComPort = 1;
constexpr int MaxComPort = 32;

// "PZ.DAT" in the program folder.
std::string ComPortFilePath();

// The number stored in the file at `path`; 1 when the file is missing,
// shorter than four bytes or holds a number outside 1 to 32.
int ReadComPortFile(const std::string& path);

// Replaces the file at `path` with the four bytes of `number`; false when it
// could not be written (the old file then stays as it was).
bool WriteComPortFile(const std::string& path, int number);
