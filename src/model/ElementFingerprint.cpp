#include "model/ElementFingerprint.h"

#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"

namespace {

void WriteName(ByteWriter& out, const std::string& name)
{
    out.U16Le(static_cast<std::uint16_t>(name.size()));
    out.Bytes(name);
}

template <class Element>
void WriteAddressNames(ByteWriter& out, const CScreenElement& element)
{
    const auto& typed = static_cast<const Element&>(element);
    WriteName(out, typed.GroupName);
    WriteName(out, typed.ElementName);
}

// The group and element name of the classes that have an address, by the
// element's own kind.
void WriteAddressNames(ByteWriter& out, const CScreenElement& element)
{
    switch (element.Kind()) {
    case KindFuncKey: return WriteAddressNames<CFuncKeyElement>(out, element);
    case KindLamp: return WriteAddressNames<CLampElement>(out, element);
    case KindRegister: return WriteAddressNames<CRegisterElement>(out, element);
    case KindText: return WriteAddressNames<CTextElement>(out, element);
    case KindGraph: return WriteAddressNames<CGraphElement>(out, element);
    case KindPicture: return;
    }
}

} // namespace

void WriteElementsFingerprint(ByteWriter& out, const ElementList& elements, const CVX50TextDoc& doc)
{
    for (const ElementRef& ref : elements) {
        if (!IsElementKind(ref.kind) || !ref.element)
            continue;
        const CScreenElement& element = *ref.element;
        out.U8(static_cast<std::uint8_t>(ref.kind));
        out.U32Le(static_cast<std::uint32_t>(element.Selected));
        element.WriteProjectRecord(out, doc);
        WriteAddressNames(out, element);
    }
}
