#pragma once
#include <windows.h>

#include <vector>

#include "Framework.h"
#include "RunProgress.h"

struct ProgressReport {
    WPARAM type;
    LPARAM data;   // kProgressRegistryFinding: the pointer, already freed
    CString text;  // kProgressRegistryFinding only: a copy of the posted text
};

// A hidden message-only window that records every WM_RUN_PROGRESS posted to it and deletes
// the texts of finding reports, as the main window does.
class ProgressRecorder {
public:
    ProgressRecorder();
    // Takes what is still queued first, so no posted text is left behind.
    ~ProgressRecorder();
    ProgressRecorder(const ProgressRecorder&) = delete;
    ProgressRecorder& operator=(const ProgressRecorder&) = delete;

    HWND Window() const { return m_window; }
    const std::vector<ProgressReport>& Reports() const { return m_reports; }
    // (type, data) of every report except findings, in arrival order.
    std::vector<std::pair<WPARAM, LPARAM>> Steps() const;
    std::vector<CString> FindingTexts() const;

    // Handles what the thread's queue holds now.
    void Pump();
    // Pumps until kProgressEnded arrived; false when it did not come within timeoutMs.
    bool PumpUntilEnded(DWORD timeoutMs = 30000);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Record(WPARAM type, LPARAM data);

    HWND m_window = nullptr;
    bool m_ended = false;
    std::vector<ProgressReport> m_reports;
};
