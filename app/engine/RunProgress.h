#pragma once
#include <windows.h>

// The run-progress message the worker posts to the main window (wParam: type, lParam: data).
const UINT WM_RUN_PROGRESS = 0x7D18;
// The progress window's stop button asks the main window to stop the worker (0, 0).
const UINT WM_STOP_RUN = 0x7D1B;

enum RunProgressType : WPARAM {
    kProgressAddItem = 1,          // lParam: item id, once per item before any runs
    kProgressDeleting = 2,         // lParam: item id, the item starts
    kProgressDone = 3,             // lParam: item id, the item has finished
    kProgressEnded = 4,            // lParam: 0
    kProgressClose = 5,            // posted by the main window itself after a stop
    kProgressRepaint = 6,          // lParam: 0, after the last kProgressAddItem
    kProgressRegistryFinding = 7,  // lParam: char* from new[]; the receiver deletes it
};
