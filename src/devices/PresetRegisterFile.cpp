#include "devices/PresetRegisterFile.h"

#include "devices/DeviceDataFile.h"
#include "base/ProgramPaths.h"
#include "base/FormatError.h"
#include "base/ShortText.h"

namespace {

// The largest file the format holds: a count of 65,535 records of the parts
// byte, a group name of 255 bytes, address, register count, value type,
// digits and decimals and the four range values. No valid file is longer.
constexpr std::uint64_t kLongestRecord = 1 + (1 + 255) + 2 + 1 + 1 + 2 + 4 * 4;
constexpr std::uint64_t kMaxFileBytes = 2 + 0xFFFF * kLongestRecord;

PresetRegister ReadRecord(ByteReader& in)
{
    PresetRegister preset;
    preset.Parts = in.U8();
    if (preset.Parts > 2)
        throw FormatError("preset register with unknown parts");
    preset.GroupName = ReadShortText(in);
    preset.WordAddress = in.U16Be();
    preset.RegisterCount = in.U8();
    preset.ValueType = in.U8();
    if (preset.HasDigitsPart()) {
        preset.Digits = in.U8();
        preset.Decimals = in.U8();
    }
    if (preset.HasRangesPart()) {
        preset.RawUpper = in.I32Be();
        preset.RawLower = in.I32Be();
        preset.EngUpper = in.I32Be();
        preset.EngLower = in.I32Be();
    }
    return preset;
}

void WriteRecord(ByteWriter& out, const PresetRegister& preset)
{
    out.U8(static_cast<std::uint8_t>(preset.Parts));
    WriteShortText(out, preset.GroupName);
    out.U16Be(static_cast<std::uint16_t>(preset.WordAddress));
    out.U8(static_cast<std::uint8_t>(preset.RegisterCount));
    out.U8(static_cast<std::uint8_t>(preset.ValueType));
    if (preset.HasDigitsPart()) {
        out.U8(static_cast<std::uint8_t>(preset.Digits));
        out.U8(static_cast<std::uint8_t>(preset.Decimals));
    }
    if (preset.HasRangesPart()) {
        out.U32Be(static_cast<std::uint32_t>(preset.RawUpper));
        out.U32Be(static_cast<std::uint32_t>(preset.RawLower));
        out.U32Be(static_cast<std::uint32_t>(preset.EngUpper));
        out.U32Be(static_cast<std::uint32_t>(preset.EngLower));
    }
}

} // namespace

std::vector<PresetRegister> ParsePresetRegisters(std::string_view bytes)
{
    return ParseCountedRecords<PresetRegister>(bytes, ReadRecord);
}

std::string FormatPresetRegisters(const std::vector<PresetRegister>& presets)
{
    return FormatCountedRecords(presets, WriteRecord);
}

std::optional<std::vector<PresetRegister>> ReadPresetRegisterFile(const std::string& path)
{
    return ReadDeviceDataFile(path, kMaxFileBytes, ParsePresetRegisters);
}

bool WritePresetRegisterFile(const std::string& path, const std::vector<PresetRegister>& presets)
{
    return WriteDeviceDataFile(path, FormatPresetRegisters(presets));
}

bool WriteDevicePresetRegisters(std::string_view gbkName, const std::vector<PresetRegister>& presets)
{
    return IsSafeDeviceName(gbkName) && WritePresetRegisterFile(PresetRegisterPath(gbkName), presets);
}
