#pragma once

#include "model/ByteWriter.h"
#include "model/CScreenElement.h"

#include <initializer_list>
#include <string>

// Bytes written as a list of numbers, for golden records.
inline std::string ByteList(std::initializer_list<int> bytes)
{
    std::string out;
    for (int b : bytes)
        out.push_back(static_cast<char>(b));
    return out;
}

// The project record an element writes.
inline std::string RecordOf(const CScreenElement& element, const CVX50TextDoc& doc)
{
    ByteWriter out;
    element.WriteProjectRecord(out, doc);
    return out.Take();
}
