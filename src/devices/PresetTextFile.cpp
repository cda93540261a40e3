#include "devices/PresetTextFile.h"

#include "devices/DeviceDataFile.h"
#include "base/ProgramPaths.h"
#include "base/FormatError.h"
#include "base/ShortText.h"

#include <algorithm>

namespace {

// The largest file the format holds: a count of 65,535 records of a group
// name of 255 bytes, the element's address, bit, pair count and value type,
// and 50 pairs of a value and a text of 255 bytes. No valid file is longer.
constexpr std::uint64_t kLongestRecord = (1 + 255) + 2 + 1 + 1 + 1 + PresetText::MaxPairs * (2 + 1 + 255);
constexpr std::uint64_t kMaxFileBytes = 2 + 0xFFFF * kLongestRecord;

PresetText ReadRecord(ByteReader& in)
{
    PresetText preset;
    preset.GroupName = ReadShortText(in);
    preset.Address = in.U16Be();
    preset.Bit = in.U8();
    const int pairs = in.U8();
    preset.ValueType = in.U8();
    if (pairs > PresetText::MaxPairs)
        throw FormatError("preset text with more than 50 pairs");
    preset.Pairs.reserve(static_cast<std::size_t>(pairs));
    for (int k = 0; k < pairs; ++k) {
        const int value = in.U16Be();
        preset.Pairs.push_back({value, ReadShortText(in)});
    }
    return preset;
}

void WriteRecord(ByteWriter& out, const PresetText& preset)
{
    const std::size_t pairs = std::min<std::size_t>(preset.Pairs.size(), PresetText::MaxPairs);
    WriteShortText(out, preset.GroupName);
    out.U16Be(static_cast<std::uint16_t>(preset.Address));
    out.U8(static_cast<std::uint8_t>(preset.Bit));
    out.U8(static_cast<std::uint8_t>(pairs));
    out.U8(static_cast<std::uint8_t>(preset.ValueType));
    for (std::size_t k = 0; k < pairs; ++k) {
        out.U16Be(static_cast<std::uint16_t>(preset.Pairs[k].Value));
        WriteShortText(out, preset.Pairs[k].Text);
    }
}

} // namespace

std::vector<PresetText> ParsePresetTexts(std::string_view bytes)
{
    return ParseCountedRecords<PresetText>(bytes, ReadRecord);
}

std::string FormatPresetTexts(const std::vector<PresetText>& presets)
{
    return FormatCountedRecords(presets, WriteRecord);
}

std::optional<std::vector<PresetText>> ReadPresetTextFile(const std::string& path)
{
    return ReadDeviceDataFile(path, kMaxFileBytes, ParsePresetTexts);
}

bool WritePresetTextFile(const std::string& path, const std::vector<PresetText>& presets)
{
    return WriteDeviceDataFile(path, FormatPresetTexts(presets));
}

bool WriteDevicePresetTexts(std::string_view gbkName, const std::vector<PresetText>& presets)
{
    return IsSafeDeviceName(gbkName) && WritePresetTextFile(PresetTextPath(gbkName), presets);
}
