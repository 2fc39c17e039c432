#include "LoadLibrary.h"

namespace {

void ShowAlert(const CString& message) {
    MessageBoxA(nullptr, message, "ALERT", MB_ICONERROR | MB_TOPMOST);
}

CString CurrentDirectory() {
    CString folder;
    DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size > 0) {
        DWORD length = GetCurrentDirectoryA(size, folder.GetBuffer(static_cast<int>(size)));
        folder.ReleaseBuffer(length < size ? static_cast<int>(length) : 0);
    }
    return folder;
}

// The current directory points at the library's folder during the call, so that its own
// dependencies beside it are found.
HMODULE LoadFromOwnFolder(const char* file) {
    CString path(file);
    int slash = path.ReverseFind('\\');
    if (slash < 0)
        return LoadLibraryA(file);
    CString folder = path.Left(slash == 2 && path[1] == ':' ? slash + 1 : slash);
    CString saved = CurrentDirectory();
    SetCurrentDirectoryA(folder);
    HMODULE module = LoadLibraryA(file);
    DWORD error = GetLastError();
    if (!saved.IsEmpty())
        SetCurrentDirectoryA(saved);
    SetLastError(error);
    return module;
}

}  // namespace

CLoadLibrary::CLoadLibrary() : m_module(nullptr), m_exitOnFailure(1), m_holdsReference(false) {}

CLoadLibrary::~CLoadLibrary() { Free(); }

int CLoadLibrary::Load(const char* file, int exitOnFailure) {
    if (!file)
        file = "";
    if (!m_fileName.IsEmpty()) {
        bool sameName = m_fileName.CompareNoCase(file) == 0;
        if (sameName && m_holdsReference)
            return 1;
        if (!sameName) {
            CString message;
            message.Format("CLoadLirary::Load(%s) Request Different File Name\n\n\nPrev : %s", file,
                           static_cast<const char*>(m_fileName));
            ShowAlert(message);
            if (exitOnFailure)
                ExitProcess(0);
            return 0;
        }
    }

    m_fileName = file;
    m_exitOnFailure = exitOnFailure;
    m_module = LoadFromOwnFolder(file);
    if (!m_module) {
        CString message;
        message.Format("CLoadLirary::Load(%s) Request Fail !!\n\nError : Function LoadLibrary Failure\nGetLastError : %d",
                       file, static_cast<int>(GetLastError()));
        return Refuse(message);
    }
    m_holdsReference = true;

    try {
        BindFunctions();
    } catch (const char* missing) {
        CString message;
        message.Format("CLoadLirary::Load(%s) Fail !!\n\nError : GetProcAddress(%llXh, %s)", file,
                       static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(m_module)), missing ? missing : "");
        FreeLibrary(m_module);
        return Refuse(message);
    }
    return 1;
}

void CLoadLibrary::Free() {
    if (!m_module)
        return;
    if (m_holdsReference)
        FreeLibrary(m_module);
    m_holdsReference = false;
    if (!GetModuleHandleA(m_fileName))
        Forget();
}

int CLoadLibrary::Refuse(const CString& message) {
    Forget();
    if (m_exitOnFailure) {
        ShowAlert(message);
        ExitProcess(0);
    }
    return 0;
}

void CLoadLibrary::Forget() {
    m_module = nullptr;
    m_holdsReference = false;
    m_fileName.Empty();
}
