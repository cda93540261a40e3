#include "transfer/ComPortFile.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "base/FileIo.h"
#include "base/ProgramPaths.h"

std::string ComPortFilePath()
{
    return ProgramFolder() + "PZ.DAT";
}

int ReadComPortFile(const std::string& path)
{
    const auto bytes = ReadFileStart(path, 4);
    if (!bytes || bytes->size() < 4)
        return MinComPort;
    ByteReader reader(*bytes);
    const std::int32_t number = reader.I32Le();
    return number >= MinComPort && number <= MaxComPort ? number : MinComPort;
}

bool WriteComPortFile(const std::string& path, int number)
{
    ByteWriter writer;
    writer.U32Le(static_cast<std::uint32_t>(number));
    return WriteFileAtomically(path, writer.Data());
}
