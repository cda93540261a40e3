#include "devices/AddressTableRows.h"

#include "devices/AddressFileText.h"
#include "base/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

void AppendUpperHex(std::string& out, int value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint32_t>(value), 16).ptr;
    std::transform(buffer, end, std::back_inserter(out), [](char c) { return c >= 'a' ? char(c - 'a' + 'A') : c; });
}

} // namespace

bool IsBitAddressedGroup(const ElementGroup& group)
{
    return group.elementType == BitElementType && IsWordBitMode(group.accessMode);
}

std::string ElementAddressText(const ElementGroup& group, const DeviceElement& element)
{
    std::string text;
    AppendUpperHex(text, element.wordAddress);
    if (IsBitAddressedGroup(group)) {
        text += '.';
        AppendUpperHex(text, element.bit);
    }
    return text;
}

WordBit ParseAddressText(std::string_view text)
{
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return {ParseHexText(text), 0};
    return {ParseHexText(text.substr(0, point)), ParseHexText(text.substr(point + 1))};
}

void CommitGroupRows(ElementGroup& group, const std::vector<AddressRowText>& rows, RowCommit commit)
{
    group.elements.clear();
    const std::size_t count = std::min(rows.size(), static_cast<std::size_t>(kMaxGroupRows));
    for (std::size_t i = 0; i < count; ++i) {
        const AddressRowText& row = rows[i];
        const std::string_view name = commit == RowCommit::TabChange ? std::string_view(row.name) : Trim(row.name);
        if (name.empty())
            continue;
        const WordBit address = ParseAddressText(row.address);
        group.elements.push_back({std::string(name), address.word, address.bit});
    }
}

void DeleteSelectedRows(std::vector<AddressRowText>& rows, const std::vector<int>& selected)
{
    std::vector<bool> chosen(rows.size());
    for (int row : selected)
        if (row >= 0 && static_cast<std::size_t>(row) < chosen.size())
            chosen[static_cast<std::size_t>(row)] = true;
    std::vector<AddressRowText> kept;
    kept.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!chosen[i])
            kept.push_back(std::move(rows[i]));
    rows = std::move(kept);
}
