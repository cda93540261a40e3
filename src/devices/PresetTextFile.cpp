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
    preset.PairCount = in.U8();
    preset.ValueType = in.U8();
    if (preset.PairCount > PresetText::MaxPairs)
        throw FormatError("preset text with more than 50 pairs");
    for (int k = 0; k < preset.PairCount; ++k) {
        preset.Values[k] = in.U16Be();
        preset.Texts[k] = ReadShortText(in);
    }
    return preset;
}

void WriteRecord(ByteWriter& out, const PresetText& preset)
{
    const int pairs = std::clamp(preset.PairCount, 0, PresetText::MaxPairs);
    WriteShortText(out, preset.GroupName);
    out.U16Be(static_cast<std::uint16_t>(preset.Address));
    out.U8(static_cast<std::uint8_t>(preset.Bit));
    out.U8(static_cast<std::uint8_t>(pairs));
    out.U8(static_cast<std::uint8_t>(preset.ValueType));
    for (int k = 0; k < pairs; ++k) {
        out.U16Be(static_cast<std::uint16_t>(preset.Values[k]));
        WriteShortText(out, preset.Texts[k]);
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
