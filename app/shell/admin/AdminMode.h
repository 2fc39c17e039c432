#pragma once
#include <windows.h>

#include "Framework.h"

// Administrator rights: whether the process has them, whether the settings or the checked lines
// want them, and the restart through the elevation launcher VantrelAdmin.exe.
namespace AdminMode {

// Asked after the Options dialog has closed.
extern const char kAfterOptionsQuestion[];
// Asked by the "지금 실행" button of an administrator item's line.
extern const char kLineButtonQuestion[];
// Asked when the line of an administrator item becomes checked.
extern const char kCheckedLineQuestion[];

// The shell's IsUserAnAdmin, asked again at every call.
bool IsRunningAsAdmin();

// [Option] AlwaysAdmin (default 1) is on, or one of checkedLineItems is an administrator item.
// checkedLineItems: the item ids of the checked lines of the four lists, in the order Internet,
// program, Windows, registry; [Setting] is not consulted.
bool RightsWanted(const char* configPath, const CDWordArray& checkedLineItems);

// Nothing when already administrator. Otherwise starts <program folder>\VantrelAdmin.exe with the
// parameters (null: none) in the program folder and ends the process with exit code 0, whatever
// the start returned; nothing is saved on this path.
void RestartAsAdmin(const char* parameters);

// Yes/No question box (caption "알림") over owner; Yes restarts without parameters.
void AskAndRestart(HWND owner, const char* question);

}  // namespace AdminMode
