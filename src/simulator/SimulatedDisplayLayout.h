#pragma once

#include "model/elements/DisplayGeometry.h"

#include <optional>
#include <string>

// Where the simulated display puts its overlays on a clientWidth x
// clientHeight canvas, and what the link box says.

// The band of the password prompt, one quarter of the height (left and right
// are the client's edges): the top quarter when the asking element's centre
// line lies below dot row 32, else the bottom quarter; the second quarter
// when no element asks.
PixelRect PasswordPromptBand(const std::optional<DotBox>& askingElement, int clientWidth, int clientHeight);

// The box that reports a broken link: the middle three fifths across, from
// three eighths to half the height.
PixelRect LinkErrorBox(int clientWidth, int clientHeight);

// The 16-character text of the link box for the device `deviceName` (GBK,
// compared exactly): a time-out, or else a data error.
std::string LinkErrorText(const std::string& deviceName, bool timedOut);
