#pragma once

#include "base/PackedText.h"
#include "model/elements/CScreenElement.h"

#include <memory>

// The address fields of an element bound to a property page: every element
// kind that names a device address keeps them under the same names. Holding
// the element keeps the fields alive while a handler runs; an unbound page
// gives an empty BoundAddress.
struct BoundAddress {
    std::shared_ptr<CScreenElement> element;
    int* wordSize = nullptr;
    PackedText* typeText = nullptr;
    PackedText* groupName = nullptr;
    PackedText* elementName = nullptr;
    PackedText* addressText = nullptr;

    explicit operator bool() const { return element != nullptr; }

    template <class Element>
    static BoundAddress Of(const std::shared_ptr<Element>& e)
    {
        if (!e)
            return {};
        return {e, &e->WordSize, &e->TypeText, &e->GroupName, &e->ElementName, &e->AddressText};
    }
};
