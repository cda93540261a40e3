#pragma once

#include "transfer/ProtocolEntryPoints.h"

// The entry points of the loaded protocol library, held by the view. An
// entry stays null until a load looks it up.
struct ProtocolFunctionTable {
    ReadBitFn ReadBit = nullptr;
    ReadRegisterFn ReadRegister = nullptr;
    WriteSigleBitFn WriteSigleBit = nullptr;
    WriteRegisterFn WriteRegister = nullptr;
    GetBitStartFn GetBitStart = nullptr;
    GetCheckTypeFn GetCheckType = nullptr;
    GetHeadAndTailFn GetHeadAndTail = nullptr;
    GetIDandAddressFn GetIDandAddress = nullptr;
    GetHexCommInsFn GetHexCommIns = nullptr;
    GetReadCoilPosFn GetReadCoilPos = nullptr;
    GetALMRetAddFn GetALMRetAdd = nullptr;
};
