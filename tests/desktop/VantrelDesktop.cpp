#include "VantrelDesktop.h"

#include <string>

#include "CleanupCatalogue.h"
#include "ProgramRun.h"
#include "UtilityLib.h"

namespace VantrelDesktop {
namespace {

const UINT kCloseNow = 0x8001;

bool CopyFolder(const CString& from, const CString& to) {
    CreateDirectoryA(to, nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(from + "\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool copied = true;
    do {
        const CString name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyFolder(from + "\\" + name, to + "\\" + name) && copied;
        else
            copied = CopyFileA(from + "\\" + name, to + "\\" + name, FALSE) && copied;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}

struct WindowSearch {
    DWORD processId;
    const char* captionStart;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = {0};
    GetClassNameA(window, name, sizeof name);
    if (owner != search.processId || lstrcmpA(name, "#32770") != 0)
        return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window))
        return TRUE;
    if (TextOf(window).Find(search.captionStart) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindWindowOf(DWORD processId, const char* captionStart, bool visibleOnly) {
    WindowSearch search{processId, captionStart, visibleOnly, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool Install() {
    static bool installed = false;
    if (installed)
        return true;
    CreateDirectoryA(kRecordFolder, nullptr);
    const CString built = ProgramRun::BuildFolder();
    installed = CopyFolder(built + "\\desktopdist", kInstallFolder) &&
                CopyFileA(built + "\\adminstandin\\VantrelAdmin.exe", CString(kInstallFolder) + "\\VantrelAdmin.exe", FALSE);
    // The probe goes into every process whose windows get sent messages, Vantrel.exe among them.
    HMODULE probe = LoadLibraryA(built + "\\VantrelProbe.dll");
    FARPROC hook = probe ? GetProcAddress(probe, "ProbeCallWndProc") : nullptr;
    installed = installed && hook &&
                SetWindowsHookExA(WH_CALLWNDPROC, reinterpret_cast<HOOKPROC>(hook), probe, 0) != nullptr;
    SetEnvironmentVariableA("VANTREL_PROBE_RECORD", kRecordFolder);
    return installed;
}

CString ConfigPath() {
    CUtilityLib::SetAppDataSubPath("vantrel");
    return CUtilityLib::GetAppDataPath(true, true) + "\\Config.ini";
}

CString RegHistoryFolder() {
    CUtilityLib::SetAppDataSubPath("vantrel");
    return CUtilityLib::GetAppDataLocalPath(true) + "\\RegHistory";
}

void ClearSettings() {
    CUtilityLib::CreateMultiFolder(ConfigPath(), 0);
    DeleteFileA(ConfigPath());
}

void WriteSetting(const char* section, const char* key, int value) {
    CUtilityLib::WritePrivateProfileInt(section, key, value, ConfigPath());
}

int ReadSetting(const char* section, const char* key, int missing) {
    return CUtilityLib::GetPrivateProfileIntA(section, key, missing, ConfigPath());
}

bool Program::Start(const char* arguments, bool admin) {
    End();
    SetEnvironmentVariableA("VANTREL_PROBE_ADMIN", admin ? "1" : "0");
    CString line = CString("\"") + kInstallFolder + "\\Vantrel.exe\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, line.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, kInstallFolder, &startup,
                        &started))
        return false;
    CloseHandle(started.hThread);
    m_process = started.hProcess;
    m_processId = started.dwProcessId;
    return true;
}

bool Program::WaitForExit(DWORD limitMs, DWORD* exitCode) {
    if (!m_process || WaitForSingleObject(m_process, limitMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(m_process, exitCode);
    return true;
}

void Program::End() {
    if (!m_process)
        return;
    if (HWND main = WaitForMainWindow(0))
        PostMessageA(main, kCloseNow, 0, 0);
    if (WaitForSingleObject(m_process, 5000) != WAIT_OBJECT_0)
        TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, 5000);
    CloseHandle(m_process);
    m_process = nullptr;
    m_processId = 0;
}

HWND Program::WaitForMainWindow(DWORD limitMs) const {
    HWND main = nullptr;
    WaitUntil([&] { return (main = FindWindowOf(m_processId, "Vantrel - v", false)) != nullptr; }, limitMs);
    return main;
}

HWND Program::FindDialog(const char* caption) const { return FindWindowOf(m_processId, caption, true); }

HWND Program::WaitForDialog(const char* caption, DWORD limitMs) const {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(caption)) != nullptr; }, limitMs);
    return dialog;
}

bool Program::WaitForNoDialog(const char* caption, DWORD limitMs) const {
    return WaitUntil([&] { return FindDialog(caption) == nullptr; }, limitMs);
}

CString Program::VisibleWindows() const {
    struct Listing {
        DWORD processId;
        CString captions;
    } listing{m_processId, CString()};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            Listing& listing = *reinterpret_cast<Listing*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == listing.processId && IsWindowVisible(window))
                listing.captions += "[" + TextOf(window) + "] " + MessageText(window) + "\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&listing));
    return listing.captions;
}

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs, DWORD stepMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= limitMs)
            return false;
        Sleep(stepMs);
    }
}

void Click(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void ClickAt(HWND window, POINT point) {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_MOUSEMOVE, 0, at);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

CString TextOf(HWND window) {
    char text[1024] = {0};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

CString DialogText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

CString MessageText(HWND box) {
    CString longest;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {0};
        GetClassNameA(child, name, sizeof name);
        const CString text = TextOf(child);
        if (lstrcmpiA(name, "Static") == 0 && text.GetLength() > longest.GetLength())
            longest = text;
    }
    return longest;
}

void CheckOnly(std::initializer_list<int> ids) {
    int count = 0;
    for (const Catalogue::Item* item = Catalogue::Items(count); count > 0; ++item, --count) {
        if (item->tab == Catalogue::Tab::None)
            continue;
        bool wanted = false;
        for (int id : ids)
            wanted = wanted || id == item->id;
        WriteSetting("Setting", item->optionKey, wanted ? 1 : 0);
    }
}

CString UserTemp() {
    char folder[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, folder);
    CString path(folder);
    return path.Right(1) == "\\" ? path.Left(path.GetLength() - 1) : path;
}

void MakeTraceFiles(const CString& folder, int folders, int filesEach) {
    CreateDirectoryA(folder, nullptr);
    for (int part = 0; part < folders; ++part) {
        CString sub;
        sub.Format("%s\\%03d", (const char*)folder, part);
        CreateDirectoryA(sub, nullptr);
        for (int i = 0; i < filesEach; ++i) {
            CString name;
            name.Format("%s\\trace%05d.tmp", (const char*)sub, i);
            CloseHandle(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
}

CString ReadRecord(const char* name) {
    HANDLE file = CreateFileA(CString(kRecordFolder) + "\\" + name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return CString();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return CString(bytes.c_str(), static_cast<int>(read));
}

void ClearRecords() {
    const char* names[] = {"ComputerOff.txt", "ProgressLines.txt", "Probe.txt"};
    for (const char* name : names)
        DeleteFileA(CString(kRecordFolder) + "\\" + name);
    DeleteFileA(CString(kInstallFolder) + "\\RecordArgs.txt");
}

}  // namespace VantrelDesktop
