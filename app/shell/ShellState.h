#pragma once
#include <windows.h>

#include "Framework.h"

class CAPPCommonServiceWnd;

// What the windows of the program share for the life of the process. Set on the main thread
// only; read by the windows of the same thread.
namespace ShellState {

// The one service window of the process: built before start-up, created by the main window.
CAPPCommonServiceWnd& ServiceWindow();

// Icon resource 128 of the program; every dialog of the program shows it. Null before the
// main window has loaded it.
HICON AppIcon();
void SetAppIcon(HICON icon);

// Set from the progress window's power-off box after a run; start-up forces the computer off
// when it is set after the main window has ended.
int PowerOffRequest();
void SetPowerOffRequest(int request);

// 1 while the current run was started by the end of the Windows session.
int LogoutRun();
void SetLogoutRun(int logout);

// The version text of Version.cfg beside the program, "N/A" when it has none.
CString VersionText();

}  // namespace ShellState
