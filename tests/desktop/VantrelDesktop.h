#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>

#include "Framework.h"

// The real Vantrel.exe, installed from the dist folder into C:\vantrel-desktop with a stand-in
// VantrelAdmin.exe that records how it was started, run in the Wine virtual desktop the test
// program runs in, and driven with the messages a user's clicks send. The probe module
// (VantrelProbe.dll, hooked into every process) stands in for the administrator test and the
// power-off inside Vantrel.exe and records the progress window's line texts.
namespace VantrelDesktop {

const char kInstallFolder[] = "C:\\vantrel-desktop";
// What the probe and the stand-in launcher write.
const char kRecordFolder[] = "C:\\vantrel-desktop-records";

// Copies the dist folder and the stand-in launcher, once per test program; hooks the probe.
bool Install();

// Config.ini as Vantrel.exe finds it (the sandbox user's application data).
CString ConfigPath();
CString RegHistoryFolder();
void ClearSettings();
void WriteSetting(const char* section, const char* key, int value);
int ReadSetting(const char* section, const char* key, int missing);

// A running Vantrel.exe; ends it (close-now message, then termination) when it goes.
class Program {
public:
    Program() = default;
    ~Program() { End(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // admin: what IsUserAnAdmin answers inside the program.
    bool Start(const char* arguments = "", bool admin = true);
    DWORD ProcessId() const { return m_processId; }
    HANDLE Process() const { return m_process; }
    // True when the process ended within limitMs.
    bool WaitForExit(DWORD limitMs, DWORD* exitCode = nullptr);
    void End();

    // The main window (visible or not), once it has been created; null after limitMs.
    HWND WaitForMainWindow(DWORD limitMs = 20000) const;
    // A visible dialog-class window of the program whose caption begins with caption.
    HWND FindDialog(const char* caption) const;
    HWND WaitForDialog(const char* caption, DWORD limitMs = 10000) const;
    bool WaitForNoDialog(const char* caption, DWORD limitMs) const;
    // The captions of the program's visible top-level windows, for a failure message.
    CString VisibleWindows() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs, DWORD stepMs = 20);
// What a click on a button sends its dialog.
void Click(HWND dialog, int buttonId);
// A left click at a point of a window's client area, as the mouse sends it.
void ClickAt(HWND window, POINT point);
CString TextOf(HWND window);
CString DialogText(HWND dialog, int id);
// The text of a message box (its longest static text: the control id differs between systems).
CString MessageText(HWND box);

// Only the given items checked: every line's key of [Setting] written.
void CheckOnly(std::initializer_list<int> ids);
// The user's temporary folder, without the trailing "\".
CString UserTemp();
// filesEach empty files in each of folders sub-folders ("000", "001"...) of folder: a file made in a
// folder of thousands costs Wine a scan of them all.
void MakeTraceFiles(const CString& folder, int folders, int filesEach);

// The records written since the last ClearRecords.
CString ReadRecord(const char* name);
void ClearRecords();

}  // namespace VantrelDesktop
