#include "model/ElementFingerprint.h"

#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"

#include <bit>
#include <cstring>

namespace {

void WriteName(ByteWriter& out, std::string_view name)
{
    out.U16Le(static_cast<std::uint16_t>(name.size()));
    out.Bytes(name);
}

template <class Element>
void WriteAddress(ByteWriter& out, const CScreenElement& element)
{
    const auto& typed = static_cast<const Element&>(element);
    WriteName(out, typed.GroupName);
    WriteName(out, typed.ElementName);
    WriteName(out, typed.AddressText);
}

// The names and the address text of the classes that have an address, by
// the element's own kind.
void WriteAddress(ByteWriter& out, const CScreenElement& element)
{
    switch (element.Kind()) {
    case KindFuncKey: return WriteAddress<CFuncKeyElement>(out, element);
    case KindLamp: return WriteAddress<CLampElement>(out, element);
    case KindRegister: return WriteAddress<CRegisterElement>(out, element);
    case KindText: return WriteAddress<CTextElement>(out, element);
    case KindGraph: return WriteAddress<CGraphElement>(out, element);
    case KindPicture: return;
    }
}

// A project without the protocol library and without an address table: its
// records hold the address text's number and the raw low byte, the same for
// any table. Built on first use; a document's constructor fingerprints only
// its first screen, which has no elements, so building it asks for no
// fingerprint.
const CVX50TextDoc& PlainAddressProject()
{
    static const CVX50TextDoc project = [] {
        CVX50TextDoc plain;
        plain.UseProtocolLibrary = 0;
        plain.AddressTable.clear();
        return plain;
    }();
    return project;
}

} // namespace

void WriteElementsFingerprint(ByteWriter& out, const ElementList& elements)
{
    for (const ElementRef& ref : elements) {
        if (!IsElementKind(ref.kind) || !ref.element)
            continue;
        const CScreenElement& element = *ref.element;
        out.U8(static_cast<std::uint8_t>(ref.kind));
        out.U32Le(static_cast<std::uint32_t>(element.Selected));
        element.WriteProjectRecord(out, PlainAddressProject());
        WriteAddress(out, element);
    }
}

namespace {

// The finaliser of splitmix64: every input bit reaches every output bit.
std::uint64_t Mix(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

FingerprintDigest DigestOfFingerprint(std::string_view fingerprint)
{
    // Two lanes with their own constants, eight bytes a step, independent of
    // each other so that they run side by side; the last bytes padded with
    // zeros (the length is part of the digest).
    std::uint64_t first = 0x243F6A8885A308D3ULL;
    std::uint64_t second = 0x13198A2E03707344ULL;
    std::size_t at = 0;
    const auto step = [&](std::uint64_t word) {
        first = std::rotl((first ^ word) * 0x9E3779B97F4A7C15ULL, 29);
        second = std::rotl((second + word) * 0xC2B2AE3D27D4EB4FULL, 31);
    };
    for (; at + 8 <= fingerprint.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, fingerprint.data() + at, 8);
        step(word);
    }
    std::uint64_t tail = 0;
    if (at < fingerprint.size())
        std::memcpy(&tail, fingerprint.data() + at, fingerprint.size() - at);
    step(tail);
    return {Mix(first), Mix(second ^ first), fingerprint.size()};
}
