#pragma once

#include "model/ElementRef.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

class ByteWriter;

// Writes the bytes that tell two states of a screen's elements apart: each
// element's kind, selection, project-file record and address (group and
// element names, address text and raw low byte). The record is written as
// for a project without the protocol library, so that the bytes do not depend
// on the address table or the device: equal fingerprints of the same list at
// two moments mean the list has not changed in anything the file, the
// selection or the addresses show, whatever table was in use at each moment.
// Entries without an element or with an unknown kind are left out, as clones
// leave them out.
void WriteElementsFingerprint(ByteWriter& out, const ElementList& elements);

// What the undo history keeps of a fingerprint: its length and two 64-bit
// hashes of its bytes. The bytes themselves would hold about as much as the
// project file (pictures included) in every snapshot's screens; two states
// whose fingerprints differ get equal digests with a chance of about 2^-128.
struct FingerprintDigest {
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    std::size_t bytes = 0;
    bool operator==(const FingerprintDigest&) const = default;
};
FingerprintDigest DigestOfFingerprint(std::string_view fingerprint);
