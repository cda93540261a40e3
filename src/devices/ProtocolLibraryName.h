#pragma once

#include <string>
#include <string_view>
#include <vector>

// Projects and device files name a protocol library the way the panel tools
// always have ("ModBus Slave.dll"); on disk the library is a shared object
// named the Linux way ("libModBus Slave.so") in the program folder's
// Protocol/. Stored names are GBK bytes, file names UTF-8.

// A stored name may name a file only when it names no other folder: not
// empty, no "/" or "\", not "." or "..".
bool IsSafeProtocolName(std::string_view gbkStoredName);

// "Name.dll" -> "libName.so" (a stored name without ".dll" keeps its whole
// text as the name). Throws std::invalid_argument for an unsafe name.
std::string ProtocolFileName(std::string_view gbkStoredName);

// "libName.so" -> "Name.dll"; empty when the file name is no protocol
// library's.
std::string StoredProtocolName(std::string_view fileName);

// The stored names of the libraries in the program folder's Protocol/, in
// file-name order.
std::vector<std::string> InstalledProtocolNames();
