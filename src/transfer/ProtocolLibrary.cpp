#include "transfer/ProtocolLibrary.h"

#include "StringIds.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"
#include "devices/ProtocolLibraryName.h"

#include <dlfcn.h>

namespace {

// Sets `entry` from the symbol `name` of the open library; false when it is
// missing.
template <typename Fn> bool Resolve(void* library, const char* name, Fn& entry)
{
    void* symbol = dlsym(library, name);
    if (!symbol)
        return false;
    entry = reinterpret_cast<Fn>(symbol);
    return true;
}

bool ResolveEntries(void* library, ProtocolUse use, ProtocolFunctionTable& table)
{
    if (use == ProtocolUse::Read)
        return Resolve(library, "GetIDandAddress", table.GetIDandAddress);
    const bool common = Resolve(library, "ReadBit", table.ReadBit)
        && Resolve(library, "ReadRegister", table.ReadRegister)
        && Resolve(library, "WriteRegister", table.WriteRegister)
        && Resolve(library, "WriteSigleBit", table.WriteSigleBit)
        && Resolve(library, "GetBitStart", table.GetBitStart) && Resolve(library, "GetCheckType", table.GetCheckType)
        && Resolve(library, "GetHeadAndTail", table.GetHeadAndTail)
        && Resolve(library, "GetHexCommIns", table.GetHexCommIns)
        && Resolve(library, "GetReadCoilPos", table.GetReadCoilPos);
    if (use == ProtocolUse::CompileOrSimulate)
        return common;
    return common && Resolve(library, "GetALMRetAdd", table.GetALMRetAdd);
}

// The handle is never closed, as the commands keep using the entry points
// after they return.
void* OpenProtocolLibrary(std::string_view gbkStoredName)
{
    if (!IsSafeProtocolName(gbkStoredName))
        return nullptr;
    const std::string path = ProtocolFolder() + ProtocolFileName(gbkStoredName);
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

} // namespace

bool LoadProtocolLibraryQuietly(std::string_view gbkStoredName, ProtocolUse use, ProtocolFunctionTable& table)
{
    void* handle = OpenProtocolLibrary(gbkStoredName);
    ProtocolFunctionTable loaded = table;
    if (!handle || !ResolveEntries(handle, use, loaded))
        return false;
    table = loaded;
    return true;
}

bool LoadProtocolLibrary(std::string_view gbkStoredName, ProtocolUse use, ProtocolFunctionTable& table)
{
    if (LoadProtocolLibraryQuietly(gbkStoredName, use, table))
        return true;
    CurrentUi().ShowMessage(use == ProtocolUse::Read ? IdsDllOpenFailed : IdsDllFault);
    return false;
}
