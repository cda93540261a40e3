#pragma once

#include "transfer/Serial.h"

// The port through which the program talks to the panel and, while
// simulating, to the device. It accepts a reply that stops short once it has
// at least two bytes (station and function code): panels and devices answer
// an error with a shorter frame, and every caller reads the function code
// and checks the rest itself; ReceivedCount() tells how much came.
class CPanelSerial : public CSerial {
protected:
    bool CheckLength(const std::uint8_t* reply, int received) const override;
};
