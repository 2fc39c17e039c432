#pragma once
#include <windows.h>

#include "Framework.h"
#include "HistoryCleaner.h"
#include "RegBackupWriter.h"

// Runs one cleanup item of a cleaning run. Called on the worker thread.
class IItemRunner {
public:
    virtual void RunItem(int id, CHistoryCleaner& engine, CRegBackupWriter& writer,
                         const CStringArray& cookieExceptions) = 0;

protected:
    ~IItemRunner() = default;
};

// Everything a cleaning run needs, taken by the main window on its own thread before the
// worker starts (it saves the check states to Config.ini as it takes them); the worker reads
// no window state.
struct CleaningRunRequest {
    HWND notifyWindow = nullptr;  // gets the WM_RUN_PROGRESS reports; none: nothing is posted
    HANDLE stopEvent = nullptr;   // manual-reset, owned by the caller; must outlive the run
    int logoutFlag = 0;
    CDWordArray checkedIds;       // in tab and line order; 0 entries are skipped
    CString configIni;            // read for [CookieException]
    CString backupFolder;         // local application-data folder; backups go to its "RegHistory"
    IItemRunner* runner = nullptr;  // not owned; none: the item dispatch
};

// Runs the whole cleaning run on the calling thread and returns after kProgressEnded was posted.
void RunCleaning(const CleaningRunRequest& request);

// One item on the calling thread, with an engine that has no window, stop event or logout flag
// (a line's own button). A registry check backs up to backupFile, which then gets the [List]
// of what it removed; without a file name it removes nothing.
void RunSingleItem(int id, const char* backupFile);

// Thread entry for CreateThread(..., CREATE_SUSPENDED): takes ownership of a request made with
// new, runs it and returns 0. The thread's handle stays with whoever created the thread (the
// main window keeps it as its worker-thread field, waits on it after a stop, closes it): the
// worker neither stores nor clears it. kProgressEnded tells the window that the run is over.
DWORD WINAPI CleaningRunThread(LPVOID request);
