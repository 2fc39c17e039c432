#include "UtilityLib.h"

#include <rpc.h>

CString CUtilityLib::CreateGUID() {
    UUID uuid;
    RPC_STATUS created = UuidCreate(&uuid);
    if (created != RPC_S_OK && created != RPC_S_UUID_LOCAL_ONLY)
        return CString();
    RPC_CSTR text = nullptr;
    if (UuidToStringA(&uuid, &text) != RPC_S_OK || !text)
        return CString();
    CString result(reinterpret_cast<const char*>(text));
    RpcStringFreeA(&text);
    return result.MakeUpper();
}
