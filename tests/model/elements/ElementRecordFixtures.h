#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "support/TableGroups.h"

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>

// Helpers of the element record tests: byte strings from lists, a document
// with a small address table, and reading one record into a new element.

inline std::string Bytes(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

// A device table with one word.bit group "M" (mode 2) holding M5 at
// word 0x0102 bit 3, and one 16-bit group "D" (mode 1) holding D7 at 7.
inline CVX50TextDoc DocumentWithTable()
{
    CVX50TextDoc doc;
    doc.AddressTable = {MakeGroup("M", BitElementType, SingleWriteMode, {{"M5", 0x0102, 3}}),
                        MakeGroup("D", Word16ElementType, CoilOrMultiWriteMode, {{"D7", 7, 0}})};
    doc.ReadingVersion = 11;
    return doc;
}

template <class Element>
std::string RecordOf(const Element& element, const CVX50TextDoc& doc)
{
    ByteWriter out;
    element.WriteProjectRecord(out, doc);
    return out.Take();
}

// Reads `record` into a new element of that class (built from `args`), added
// to screen 0; the record must be consumed whole.
template <class Element, class... Args>
std::shared_ptr<Element> ReadRecord(const std::string& record, CVX50TextDoc& doc, Args... args)
{
    auto element = std::make_shared<Element>(args...);
    ByteReader in(record);
    element->ReadProjectRecord(in, doc, 0);
    if (!in.AtEnd())
        throw std::runtime_error("record not consumed whole");
    return element;
}
