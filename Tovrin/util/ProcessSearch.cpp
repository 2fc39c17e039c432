#include <vector>

#include "Handle.h"
#include "LoadLibrary.h"
#include "UtilityLib.h"

namespace {

// PSAPI is bound at run time, as on systems where it is not always present.
class CPsapiLibrary : public CLoadLibrary {
public:
    BOOL(WINAPI* EnumProcessIds)(DWORD* ids, DWORD bytes, DWORD* bytesUsed) = nullptr;
    DWORD(WINAPI* GetModulePath)(HANDLE process, HMODULE module, LPSTR path, DWORD size) = nullptr;

protected:
    void BindFunctions() override {
        Bind(EnumProcessIds, "EnumProcesses");
        Bind(GetModulePath, "GetModuleFileNameExA");
    }
};

// A full buffer may mean more processes than room: grow it until the list fits.
bool ListProcessIds(CPsapiLibrary& psapi, std::vector<DWORD>& ids) {
    for (size_t room = 1024; room <= 1024 * 1024; room *= 4) {
        ids.resize(room);
        DWORD bytes = 0;
        if (!psapi.EnumProcessIds(ids.data(), static_cast<DWORD>(room * sizeof(DWORD)), &bytes))
            return false;
        if (bytes < room * sizeof(DWORD)) {
            ids.resize(bytes / sizeof(DWORD));
            return true;
        }
    }
    return true;
}

CString LowerModulePath(CPsapiLibrary& psapi, DWORD processId) {
    CHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.IsValid())
        return CString();
    char path[MAX_PATH];
    DWORD length = psapi.GetModulePath(process, nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString lowered(path, static_cast<int>(length));
    lowered.MakeLower();
    return lowered;
}

}  // namespace

int CUtilityLib::NTGetProcessIDFromFileName(const char* name, CDWordArray& ids) {
    // An empty name occurs in every path; callers terminate what they find.
    if (!name || !*name)
        return 0;
    CPsapiLibrary psapi;
    std::vector<DWORD> processIds;
    if (!psapi.Load("PSAPI.DLL", 0) || !ListProcessIds(psapi, processIds))
        return 0;

    CString wanted(name);
    wanted.MakeLower();
    for (DWORD processId : processIds) {
        CString path = LowerModulePath(psapi, processId);
        if (!path.IsEmpty() && path.Find(wanted) >= 0)
            ids.Add(processId);
    }
    return 0;
}
