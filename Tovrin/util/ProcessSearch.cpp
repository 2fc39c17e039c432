#include <vector>

#include "Handle.h"
#include "LoadLibrary.h"
#include "Mbcs.h"
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

CString ModulePath(CPsapiLibrary& psapi, DWORD processId) {
    CHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.IsValid())
        return CString();
    char path[MAX_PATH];
    DWORD length = psapi.GetModulePath(process, nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    return CString(path, static_cast<int>(length));
}

// Appends the id of every process whose main module path the test accepts; processes that
// cannot be opened are skipped.
template <typename PathTest>
void CollectProcesses(CDWordArray& ids, PathTest accepts) {
    CPsapiLibrary psapi;
    std::vector<DWORD> processIds;
    if (!psapi.Load("PSAPI.DLL", 0) || !ListProcessIds(psapi, processIds))
        return;
    for (DWORD processId : processIds) {
        CString path = ModulePath(psapi, processId);
        if (!path.IsEmpty() && accepts(path))
            ids.Add(processId);
    }
}

}  // namespace

int CUtilityLib::NTGetProcessIDFromFileName(const char* name, CDWordArray& ids) {
    // An empty name occurs in every path; callers terminate what they find.
    if (!name || !*name)
        return 0;
    CString wanted(name);
    wanted.MakeLower();
    CollectProcesses(ids, [&wanted](CString& path) { return path.MakeLower().Find(wanted) >= 0; });
    return 0;
}

void CUtilityLib::FindProcessesByFileName(const char* fileName, CDWordArray& ids) {
    if (!fileName || !*fileName)
        return;
    CollectProcesses(ids, [fileName](const CString& path) {
        // ReverseFind never takes a trail byte 0x5C of a double-byte character for a separator.
        return Mbcs::CompareNoCase(path.Mid(path.ReverseFind('\\') + 1), fileName) == 0;
    });
}
