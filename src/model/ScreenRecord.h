#pragma once

#include "model/ElementRef.h"

#include <cstddef>
#include <string>
#include <vector>

// What a screen holds besides its elements.
struct ScreenFields {
    int Number = 0; // 1 to 65535, unique in the project
    int Port = 0; // 0 RS485, 1 COM1
    std::string Description; // GBK bytes, at most 999
    int UpKeyScreen = 0; // shown by the panel's Up key
    int DownKeyScreen = 0; // shown by the panel's Down key
};

// One screen of the project. Copying a record copies its element list as a
// list of the same element objects (nothing is cloned).
struct ScreenRecord : ScreenFields {
    // The description's text area holds 999 bytes and a terminating zero.
    static constexpr std::size_t kDescriptionCapacity = 1000;

    ElementList Elements;
};
