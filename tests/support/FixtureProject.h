#pragma once

// A project that uses everything the panel image holds: every element kind
// (lamps on coils and on bits in words, registers of 16 and 32 bits, settable
// and scaled, one of station 0, bar and curve graphs, static and dynamic
// texts, a picture), a function key of every action and coil operation on
// coil and word-bit groups, a global button of every function and coil
// action, alarm blocks of coils and of bits in words, passwords, copy
// registers with targets on both ports, the control and report registers and
// a screen saver. Screens 1, 2 and 5 (so the screen address table has gaps);
// the device is the built-in PN07 on the Modbus library; the texts use the
// character U+963F (GBK B0 A2) beside ASCII.
//
// Without the protocol library (`useLibrary` false) the elements that need a
// place in the screen memory are left out (lamps, registers of a station
// other than 0): such an image holds every key record without commands.

#include "model/CVX50TextDoc.h"

void FillFixtureProject(CVX50TextDoc& doc, bool useLibrary = true);
