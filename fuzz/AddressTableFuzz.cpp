// Feeds arbitrary bytes to the address-table file's readers, its key lines
// (both ways of ending a number) and its table part. Every input must end
// in a table or a refusal, never in a crash or a sanitizer report; and a
// table that was read and can be written reads back as the same file.
#include "devices/AddressTableFile.h"
#include "devices/DeviceKeys.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DeviceKeys keys;
    ReadDeviceKeys(bytes, keys, KeyNumberEnd::LeadingDigits);
    DeviceKeys selected;
    ReadDeviceKeys(bytes, selected, KeyNumberEnd::Semicolon);
    AddressTable table;
    if (!ParseAddressTable(bytes, table) || !IsWritableAddressTable(table))
        return 0;
    const std::string written = FormatAddressTable(keys, "FUZZ", table);
    AddressTable again;
    if (!ParseAddressTable(written, again) || FormatAddressTable(keys, "FUZZ", again) != written)
        __builtin_trap();
    return 0;
}
