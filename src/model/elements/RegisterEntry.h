#pragma once

#include "model/elements/RegisterFormat.h"

#include <string>

// The keypad's value entry on a register's live text. The cursor counts from
// the right end of the text (0 = last character) and counts the decimal point;
// the character under it is text[size - cursor - 1]. Every operation leaves
// the text alone when the cursor names no character of it.
namespace RegisterEntry {

// Overwrites the digit at the cursor; at cursor 0 shifts the number one place
// left and appends the digit, keeping the sign and the decimal point.
void TypeDigit(std::string& text, int cursor, char digit, const RegisterFormat& format);

// Every character but the point becomes '0'; a signed text keeps its sign.
void ClearEntry(std::string& text, const RegisterFormat& format);

void IncrementDigit(std::string& text, int cursor, const RegisterFormat& format);
void DecrementDigit(std::string& text, int cursor, const RegisterFormat& format);

// Swaps '+' and '-' in front of a signed decimal text.
void ToggleSign(std::string& text, const RegisterFormat& format);

// Move the cursor one digit, stepping over the decimal point.
void MoveCursorLeft(int& cursor, const RegisterFormat& format);
void MoveCursorRight(int& cursor, const RegisterFormat& format);

}  // namespace RegisterEntry
