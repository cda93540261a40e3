#pragma once

class CVX50TextDoc;

// After the address table changed, every element of every screen is checked
// against it. While the document's DeviceChange flag is 1 (another device was
// chosen) each element's address binding is reset to a neutral one for the
// new table: function keys, lamps, registers, dynamic texts and graphs get
// the element type their kind uses, the first group of that type where their
// page would offer one, and no element name; static texts and pictures are
// not touched. Then the property pages refill their group lists from the new
// table and reload the element they show
// (UserInterface::ElementAddressesRebound); they stay bound to it. A project
// without elements leaves the pages as they are.
void RebindAllElements(CVX50TextDoc& doc);
