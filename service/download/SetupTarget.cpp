#include "SetupTarget.h"

#include "PathGuard.h"
#include "ServiceState.h"
#include "UtilityLib.h"

CString CSetupTarget::Folder() {
    const CString serviceId = CServiceState::ServiceId();
    if (serviceId.IsEmpty())
        return CString();
    char temp[MAX_PATH] = "";
    DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(temp);
    if (folder.Right(1) == "\\")
        folder = folder.Left(folder.GetLength() - 1);
    return folder + "\\" + serviceId;
}

CString CSetupTarget::PathFor(const char* setupUrl) {
    CString address(setupUrl ? setupUrl : "");
    int query = address.FindOneOf("?#");
    if (query >= 0)
        address = address.Left(query);
    CString name = address.Mid(address.ReverseFind('/') + 1);
    if (name.IsEmpty() || name.FindOneOf("\\:*\"<>|") >= 0 || name == "." || name == "..")
        return CString();
    CString folder = Folder();
    return folder.IsEmpty() ? CString() : folder + "\\" + name;
}

void CSetupTarget::RemoveFolder() {
    CString folder = Folder();
    if (folder.IsEmpty() || CPathGuard::IsLink(folder))
        return;
    CUtilityLib::SHDeleteDirectoryAll(folder);
}

HANDLE CSetupTarget::CreateFresh(const char* path) {
    CString file(path ? path : "");
    CString folder = CUtilityLib::GetParentFolder(file);
    if (file.IsEmpty() || folder.IsEmpty())
        return INVALID_HANDLE_VALUE;
    CreateDirectoryA(folder, nullptr);
    if (CPathGuard::IsLink(folder) || CPathGuard::IsLink(file))
        return INVALID_HANDLE_VALUE;
    if (CUtilityLib::IsFile(file))
        DeleteFileA(file);
    // CREATE_NEW fails on whatever took the name meanwhile, a link included.
    return CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}
