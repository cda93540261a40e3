#pragma once

#include <string>

// Which kind of element polls an address; also the property page that shows
// it (the numbers GoToElement takes).
enum PollSourceKind : int {
    LampSource = 1,
    RegisterSource = 2,
    DynamicTextSource = 3,
    GraphSource = 4,
};

// One device address that an element of a screen shows, as the poll plan
// needs it: taken from the element by the screen's collection.
struct PollSource {
    int elementIndex = 0; // in the screen's element list
    PollSourceKind kind = LampSource;
    std::string groupName;   // GBK bytes
    std::string elementName; // GBK bytes
    int station = 1;
    int wordCount = 0; // 0: a bit; 1 or 2 registers
};
