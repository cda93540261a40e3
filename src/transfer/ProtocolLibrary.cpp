#include "transfer/ProtocolLibrary.h"

#include "model/ProgramPaths.h"
#include "model/UserInterface.h"
#include "transfer/ProtocolLibraryName.h"

#include <dlfcn.h>

namespace {

constexpr int MsgLibraryFault = 61243;
constexpr int MsgLibraryOpenFailed = 61252;

// The open library's symbols; the handle is never closed, as the commands
// keep using the entry points after they return.
class OpenLibrary {
public:
    explicit OpenLibrary(void* handle) : m_handle(handle) {}

    // Sets `entry` from the symbol `name`; false when it is missing.
    template <typename Fn> bool Resolve(const char* name, Fn& entry) const
    {
        void* symbol = dlsym(m_handle, name);
        if (!symbol)
            return false;
        entry = reinterpret_cast<Fn>(symbol);
        return true;
    }

private:
    void* m_handle;
};

bool ResolveEntries(const OpenLibrary& library, ProtocolUse use, ProtocolFunctionTable& table)
{
    if (use == ProtocolUse::Read)
        return library.Resolve("GetIDandAddress", table.GetIDandAddress);
    const bool common = library.Resolve("ReadBit", table.ReadBit) && library.Resolve("ReadRegister", table.ReadRegister)
        && library.Resolve("WriteRegister", table.WriteRegister) && library.Resolve("WriteSigleBit", table.WriteSigleBit)
        && library.Resolve("GetBitStart", table.GetBitStart) && library.Resolve("GetCheckType", table.GetCheckType)
        && library.Resolve("GetHeadAndTail", table.GetHeadAndTail)
        && library.Resolve("GetHexCommIns", table.GetHexCommIns)
        && library.Resolve("GetReadCoilPos", table.GetReadCoilPos);
    if (use == ProtocolUse::CompileOrSimulate)
        return common;
    return common && library.Resolve("GetALMRetAdd", table.GetALMRetAdd);
}

void* OpenProtocolLibrary(std::string_view gbkStoredName)
{
    if (!IsSafeProtocolName(gbkStoredName))
        return nullptr;
    const std::string path = ProtocolFolder() + ProtocolFileName(gbkStoredName);
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

} // namespace

bool LoadProtocolLibrary(std::string_view gbkStoredName, ProtocolUse use, ProtocolFunctionTable& table)
{
    const int failure = use == ProtocolUse::Read ? MsgLibraryOpenFailed : MsgLibraryFault;
    void* handle = OpenProtocolLibrary(gbkStoredName);
    ProtocolFunctionTable loaded = table;
    if (!handle || !ResolveEntries(OpenLibrary(handle), use, loaded)) {
        CurrentUi().ShowMessage(failure);
        return false;
    }
    table = loaded;
    return true;
}
