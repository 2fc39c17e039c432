// Loaded into the real Vantrel.exe by the desktop tests as the module of a global message hook
// (Wine, like Windows, loads such a module into every process whose windows the hook sees).
// Inside Vantrel.exe it stands in for what a test must never let happen for real, at the
// import level: IsUserAnAdmin answers VANTREL_PROBE_ADMIN (Wine reports every user as
// administrator) and the forced power-off is only recorded. It also records every text set
// in a line of the progress window's item list, so a test sees each state a line went through.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ImportPatch.h"

namespace {

const int kProgressItemList = 1001;
const char kComputerOffExport[] = "_ZN11CUtilityLib11ComputerOffEi";

std::string g_recordFolder;

void AppendRecord(const char* name, const std::string& line) {
    if (g_recordFolder.empty())
        return;
    HANDLE file = CreateFileA((g_recordFolder + "\\" + name).c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string record = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Environment(const char* name) {
    char value[MAX_PATH] = {0};
    const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length && length < MAX_PATH ? std::string(value, length) : std::string();
}

BOOL WINAPI StandInIsUserAnAdmin() { return Environment("VANTREL_PROBE_ADMIN") != "0"; }

void StandInComputerOff(int force) { AppendRecord("ComputerOff.txt", "ComputerOff(" + std::to_string(force) + ")"); }

bool IsVantrel() {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = strrchr(path, '\\');
    return name && lstrcmpiA(name + 1, "Vantrel.exe") == 0;
}

void PatchVantrel() {
    HMODULE program = GetModuleHandleA(nullptr);
    // For the life of the process: the program never gets the real calls back.
    new ImportPatch(program, "shell32.dll", "IsUserAnAdmin", reinterpret_cast<void*>(&StandInIsUserAnAdmin));
    new ImportPatch(program, "Tovrin.dll", kComputerOffExport, reinterpret_cast<void*>(&StandInComputerOff));
    AppendRecord("Probe.txt", "patched " + std::to_string(GetCurrentProcessId()));
}

bool g_inVantrel = false;

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_inVantrel && sent->message == LVM_SETITEMTEXTA &&
        GetDlgCtrlID(sent->hwnd) == kProgressItemList) {
        const LVITEMA* item = reinterpret_cast<const LVITEMA*>(sent->lParam);
        if (item && item->pszText)
            AppendRecord("ProgressLines.txt", std::to_string(sent->wParam) + "\t" + std::to_string(item->iSubItem) +
                                                  "\t" + item->pszText);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH && IsVantrel()) {
        g_recordFolder = Environment("VANTREL_PROBE_RECORD");
        g_inVantrel = true;
        PatchVantrel();
    }
    return TRUE;
}
