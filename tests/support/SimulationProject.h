#pragma once

// For the simulation's tests and benchmark: a project whose device is the
// libmodbus test slave, polled through the program folder's Modbus protocol
// library on PC port `comPort`. Header-only.

#include "model/CVX50TextDoc.h"
#include "support/TableGroups.h"

#include <memory>
#include <string>

// "C12" of ("C", 12). (Appending keeps GCC 12's false -Wrestrict alarm about
// a literal plus a string quiet in Release builds.)
inline std::string NumberedName(const char* prefix, int number)
{
    std::string name = prefix;
    name += std::to_string(number);
    return name;
}

// The slave's address table: coils "C<n>" at n, registers "R<n>" at n,
// 32-bit values "D<n>" at even n from 400, and bits of registers "B<n>" (bit
// n mod 16 of register 300 + n / 16).
inline AddressTable ModbusSlaveAddressTable()
{
    ElementGroup coils = MakeGroup("Coil", BitElementType, CoilOrMultiWriteMode);
    ElementGroup registers = MakeGroup("Reg", Word16ElementType, SingleWriteMode);
    ElementGroup doubles = MakeGroup("Reg32", Word32ElementType, CoilOrMultiWriteMode, {}, 2);
    ElementGroup bits = MakeGroup("Bits", BitElementType, SingleWriteMode);
    for (int n = 0; n < 400; ++n) {
        coils.elements.push_back({NumberedName("C", n), n, 0});
        registers.elements.push_back({NumberedName("R", n), n, 0});
        doubles.elements.push_back({NumberedName("D", 400 + 2 * n), 400 + 2 * n, 0});
        bits.elements.push_back({NumberedName("B", n), 300 + n / 16, n % 16});
    }
    return {coils, registers, doubles, bits};
}

// A new project on the slave's device, its one screen numbered 1 empty.
inline void UseModbusSlave(CVX50TextDoc& doc, int comPort)
{
    doc.DeviceName = "ModBus Slave";
    doc.ProtocolLibraryName = "ModBus Slave.dll";
    doc.CommBufferLength = 30; // at most 11 registers a read
    doc.HighFront = 1;
    doc.AddressTable = ModbusSlaveAddressTable();
    doc.ProjectComPort = comPort;
    doc.Com1Port.baud = 115200;
}

// `element` bound to `name` of `group`, added to screen `screenIndex`.
template <typename Element>
std::shared_ptr<Element> AddBound(CVX50TextDoc& doc, int screenIndex, std::shared_ptr<Element> element,
    const std::string& group, const std::string& name, int station = 1)
{
    element->GroupName = group;
    element->ElementName = name;
    element->SetStation(station);
    doc.GetScreens()[static_cast<std::size_t>(screenIndex)].Elements.push_back({element->Kind(), element});
    return element;
}

// `element` bound to `name` of `group` and placed at `box` on the edited
// screen (appended to the working list).
template <typename Element>
std::shared_ptr<Element> PlaceBound(CVX50TextDoc& doc, std::shared_ptr<Element> element, const std::string& group,
    const std::string& name, DotBox box, int station = 1)
{
    element->GroupName = group;
    element->ElementName = name;
    element->SetStation(station);
    element->SetPosition(box.x, box.y);
    element->SetSize(box.w, box.h);
    doc.GetWorkingElements().push_back({element->Kind(), element});
    return element;
}
