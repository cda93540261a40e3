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

#include <string>

void FillFixtureProject(CVX50TextDoc& doc, bool useLibrary = true);

// The fixture's address table, in this group order: "Coil" (coils C0 to C31
// at 0 to 31), "Bits" (bits B0 to B15 of word 50), "Reg" (16-bit words R0 to
// R19 at 100 to 119, RTop at 0xFFFF), "DReg" (32-bit words D0 to D9 at 200,
// 202, ..., DTop at 0xFFFF).
AddressTable FixtureAddressTable();

// A global button of `function` (0 jump, 1 set coil, 2 set register,
// 3 increment, 4 decrement) and `coilAction` on an element of the fixture
// table; its element type is its group's.
GlobalButton FixtureButton(int function, int coilAction, const std::string& group, const std::string& element);
