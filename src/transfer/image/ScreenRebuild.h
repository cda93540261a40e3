#pragma once

#include "transfer/image/ImageReading.h"

#include <functional>

class CVX50TextDoc;

// What the screens of an image are rebuilt with.
struct ScreenRebuildContext {
    CVX50TextDoc& doc;
    const CommandDecoder& decoder;
    const ImageText& text;
    bool withoutLibrary = false;
    // The screen number a stored screen reference names.
    std::function<int(int)> screenNumber;
};

// Reads the screen record at `in` into screen `screenIndex` of the document
// (which exists, its fields other than the elements already set): the Up and
// Down keys' screens, the port, the poll records and every element record,
// each element made by its kind's builder from a panel record. Leaves `in`
// after the screen's last element. An element type no write produces, a
// picture whose data does not match its size, or a record that runs past
// the image throws FormatError.
void RebuildScreen(ByteReader& in, int screenIndex, const ScreenRebuildContext& context);
