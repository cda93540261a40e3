#include "devices/AddressTableFile.h"

#include "StringIds.h"
#include "base/FileIo.h"
#include "base/FileTooLargeMessage.h"
#include "base/GbkText.h"
#include "base/NumberText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "devices/AddressFileText.h"
#include "devices/DeviceDataFile.h"

#include <charconv>
#include <cstdint>

namespace {

// A hexadecimal field of an entry, or -1 for a character that is not
// hexadecimal. ParseHexText keeps only the last eight digits, so a longer
// field (leading zeros aside) is refused rather than read as another number:
// "100000000" is no address 0.
int ParseHexField(std::string_view text)
{
    const std::size_t first = text.find_first_not_of('0');
    if (first != std::string_view::npos && text.size() - first > 8)
        return -1;
    return ParseHexText(text);
}

constexpr std::size_t kMaxLineLength = 65534;
constexpr std::size_t kEntriesPerLine = 100;
constexpr std::string_view kCrLf = "\r\n";
// "版本号:1;" in GBK.
constexpr std::string_view kVersionLine = "\xB0\xE6\xB1\xBE\xBA\xC5:1;";
constexpr std::string_view kAddressLine = "[ADDRESS]";
constexpr std::string_view kListKey = "LIST:";
constexpr std::string_view kEndKey = "END:";

// Cuts the text up to the next ";" from `rest`; false when there is none.
bool TakeField(std::string_view& rest, std::string_view& field)
{
    const std::size_t semi = rest.find(';');
    if (semi == std::string_view::npos)
        return false;
    field = rest.substr(0, semi);
    rest.remove_prefix(semi + 1);
    return true;
}

// "name;type;mode;interval;" after "LIST:". The group's elements are left as
// they are, so a second group line in an open block renames it.
bool ReadGroupLine(std::string_view rest, ElementGroup& group)
{
    std::string_view name, type, mode, interval;
    if (!TakeField(rest, name) || !TakeField(rest, type) || !TakeField(rest, mode) || !TakeField(rest, interval))
        return false;
    group.name = std::string(Trim(name));
    group.elementType = LeadingDecimal(type);
    group.accessMode = LeadingDecimal(mode);
    group.interval32 = LeadingDecimal(interval);
    return true;
}

// "name=word[.bit]" of one entry, without its ";".
bool ReadEntry(std::string_view entry, DeviceElement& element)
{
    const std::size_t eq = entry.find('=');
    if (eq == std::string_view::npos)
        return false;
    const std::string_view value = Trim(entry.substr(eq + 1));
    const std::size_t dot = value.find('.');
    const int wordAddress = ParseHexField(value.substr(0, dot));
    if (wordAddress < 0 || wordAddress > 0xFFFF)
        return false;
    int bit = 0;
    if (dot != std::string_view::npos) {
        bit = ParseHexField(value.substr(dot + 1));
        if (bit < 0 || bit > 15)
            return false;
    }
    element = {std::string(Trim(entry.substr(0, eq))), wordAddress, bit};
    return true;
}

// An entry line, joined to the text carried over from the line before; the
// text after its last ";" is carried on to the next one.
bool ReadEntryLine(std::string_view line, std::string& carry, std::vector<DeviceElement>& elements)
{
    const std::string joined = carry + std::string(line);
    const std::size_t lastSemi = joined.rfind(';');
    if (lastSemi == std::string::npos)
        return false;
    carry = std::string(Trim(std::string_view(joined).substr(lastSemi + 1)));
    std::string_view entries = std::string_view(joined).substr(0, lastSemi + 1);
    std::string_view entry;
    while (TakeField(entries, entry)) {
        DeviceElement element;
        if (!ReadEntry(entry, element))
            return false;
        elements.push_back(std::move(element));
    }
    return true;
}

class TableParser {
public:
    explicit TableParser(AddressTable& table) : m_table(table) {}

    // False stops the reading as failed.
    bool Line(std::string_view raw)
    {
        if (raw.size() > kMaxLineLength)
            return false;
        const std::string_view line = TrimLeft(raw);
        if (line.starts_with(kAddressLine)) {
            m_inTablePart = true;
            return true;
        }
        if (!m_inTablePart)
            return true;
        if (line.starts_with(kListKey)) {
            m_inBlock = true;
            return m_carry.empty() && ReadGroupLine(line.substr(kListKey.size()), m_pending);
        }
        if (!m_inBlock)
            return true;
        if (line.starts_with(kEndKey)) {
            if (!m_carry.empty())
                return false;
            if (m_table.size() == kMaxAddressGroups) {
                m_tooManyGroups = true;
                return false;
            }
            m_table.push_back(std::move(m_pending));
            m_pending = ElementGroup();
            m_inBlock = false;
            return true;
        }
        if (Trim(line).empty())
            return true;
        return ReadEntryLine(line, m_carry, m_pending.elements);
    }

    bool Complete() const { return m_inTablePart && !m_inBlock; }
    bool TooManyGroups() const { return m_tooManyGroups; }

private:
    AddressTable& m_table;
    ElementGroup m_pending;
    std::string m_carry;
    bool m_inTablePart = false;
    bool m_inBlock = false;
    bool m_tooManyGroups = false;
};

void AppendHex(std::string& out, int value)
{
    char buf[16];
    const auto result = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint32_t>(value), 16);
    out.append(buf, result.ptr);
}

void AppendKeyLine(std::string& out, std::string_view key, std::string_view value)
{
    out.append(key).append(value).append(";").append(kCrLf);
}

bool IsCleanName(std::string_view name, std::string_view forbidden)
{
    return name.find_first_of(forbidden) == std::string_view::npos && Trim(name).size() == name.size();
}

} // namespace

bool IsWritableGroupName(std::string_view name)
{
    return IsCleanName(name, ";\r\n");
}

// An element name that starts an entry line must not read as a key line.
bool IsWritableElementName(std::string_view name)
{
    return IsCleanName(name, "=;\r\n") && !name.starts_with(kListKey) && !name.starts_with(kEndKey)
        && !name.starts_with(kAddressLine);
}

TableReading ReadAddressTableBytes(std::string_view fileBytes, AddressTable& table)
{
    table.clear();
    TableParser parser(table);
    bool sound = true;
    ForEachLine(fileBytes, [&](std::string_view line) {
        sound = parser.Line(line);
        return sound;
    });
    if (parser.TooManyGroups())
        return TableReading::TooManyGroups;
    return sound && parser.Complete() ? TableReading::Sound : TableReading::Damaged;
}

bool ParseAddressTable(std::string_view fileBytes, AddressTable& table)
{
    return ReadAddressTableBytes(fileBytes, table) == TableReading::Sound;
}

bool ReadAddressTableOfFile(std::string_view fileBytes, const std::string& path, AddressTable& table)
{
    const TableReading reading = ReadAddressTableBytes(fileBytes, table);
    if (reading == TableReading::TooManyGroups)
        CurrentUi().ShowMessageText(StringGbkWith(IdsTooManyAddressGroups, "%s", GbkFromUtf8(path)));
    else if (reading != TableReading::Sound)
        CurrentUi().ShowMessage(IdsNoDeviceOrBadTable);
    return reading == TableReading::Sound;
}

std::string FormatAddressTable(const DeviceKeys& keys, std::string_view deviceName, const AddressTable& table)
{
    std::string out;
    out.append(kVersionLine).append(kCrLf);
    AppendKeyLine(out, "DLLNAME:", keys.dllName);
    AppendKeyLine(out, "CANEDIT:", IsBuiltInDeviceName(deviceName) ? "0" : "1");
    AppendKeyLine(out, "COMMBUFFLTH:", std::to_string(keys.commBuffLength));
    AppendKeyLine(out, "HIGHFRONT:", std::to_string(keys.highFront));
    out.append(kAddressLine).append(kCrLf);
    for (const auto& group : table) {
        out.append(kListKey).append(group.name).append(";");
        out.append(std::to_string(group.elementType)).append(";");
        out.append(std::to_string(group.accessMode)).append(";");
        out.append(std::to_string(group.interval32)).append(";").append(kCrLf);
        const bool bitPart = WritesBitPart(group);
        for (std::size_t k = 0; k < group.elements.size(); ++k) {
            const DeviceElement& e = group.elements[k];
            out.append(e.name).append("=");
            AppendHex(out, e.wordAddress);
            if (bitPart) {
                out.append(".");
                AppendHex(out, e.bit);
            }
            out.append(";");
            if (k > 0 && k % kEntriesPerLine == 0)
                out.append(kCrLf);
        }
        out.append(kCrLf);
        out.append(kEndKey).append(kCrLf);
    }
    return out;
}

bool IsWritableAddressTable(const AddressTable& table)
{
    for (const auto& group : table) {
        if (!IsWritableGroupName(group.name))
            return false;
        for (const auto& e : group.elements)
            if (!IsWritableElementName(e.name))
                return false;
    }
    return true;
}

bool ReadAddressTableFile(const std::string& path, AddressTable& table)
{
    const FileContents file = ReadBoundedFileWithMessage(path, kMaxTableFileBytes);
    if (file.status == FileContents::Status::TooLarge)
        return false;
    if (!file.IsRead()) {
        CurrentUi().ShowMessage(IdsDllOpenFailed);
        return false;
    }
    return ReadAddressTableOfFile(file.bytes, path, table);
}

bool WriteAddressTableFile(const std::string& path, const DeviceKeys& keys, std::string_view deviceName,
                           const AddressTable& table)
{
    if (!IsWritableAddressTable(table)
        || !WriteDeviceDataFile(path, FormatAddressTable(keys, deviceName, table))) {
        CurrentUi().ShowMessage(IdsNoDeviceOrBadTable);
        return false;
    }
    return true;
}
