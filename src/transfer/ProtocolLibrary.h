#pragma once

#include "transfer/ProtocolFunctionTable.h"

#include <string_view>

// Which command loads the protocol library; each looks up its own entries.
enum class ProtocolUse {
    Write,             // every entry but GetIDandAddress
    CompileOrSimulate, // as Write, without GetALMRetAdd
    Read,              // GetIDandAddress alone
};

// Loads the protocol library that `gbkStoredName` (the device's "DLLNAME:"
// value) names from the program folder's Protocol/ and sets the entries that
// `use` needs in `table`; the other entries keep their values. The library
// stays loaded for the rest of the run.
//
// When the name is unsafe, the library does not load or an entry is missing,
// shows IdsDllFault "DLL文件出错!" (IdsDllOpenFailed "打开DLL文件失败!" for
// Read), leaves `table` as it was and returns false.
bool LoadProtocolLibrary(std::string_view gbkStoredName, ProtocolUse use, ProtocolFunctionTable& table);

// The same without the message, for a caller that shows it later (the read
// ends its transfer with the panel first).
bool LoadProtocolLibraryQuietly(std::string_view gbkStoredName, ProtocolUse use, ProtocolFunctionTable& table);
