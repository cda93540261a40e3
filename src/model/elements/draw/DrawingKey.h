#pragma once

#include <string>
#include <string_view>

// Appends one input of an element's drawing to its drawing key: numbers as
// text ended by ';', texts with their length in front, so that no two
// different lists of inputs give the same key.
void AppendKey(std::string& key, long long value);
void AppendKey(std::string& key, std::string_view text);
