#include "ProgressRecorder.h"

namespace {

const char kClassName[] = "VantrelTestProgressRecorder";

}  // namespace

ProgressRecorder::ProgressRecorder() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // fails harmlessly once the class exists
    m_window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ProgressRecorder::~ProgressRecorder() {
    Pump();
    DestroyWindow(m_window);
}

void ProgressRecorder::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool ProgressRecorder::PumpUntilEnded(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        Pump();
        DWORD elapsed = GetTickCount() - start;
        if (m_ended || elapsed >= timeoutMs)
            return m_ended;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

std::vector<std::pair<WPARAM, LPARAM>> ProgressRecorder::Steps() const {
    std::vector<std::pair<WPARAM, LPARAM>> steps;
    for (const ProgressReport& report : m_reports)
        if (report.type != kProgressRegistryFinding)
            steps.emplace_back(report.type, report.data);
    return steps;
}

std::vector<CString> ProgressRecorder::FindingTexts() const {
    std::vector<CString> texts;
    for (const ProgressReport& report : m_reports)
        if (report.type == kProgressRegistryFinding)
            texts.push_back(report.text);
    return texts;
}

void ProgressRecorder::Record(WPARAM type, LPARAM data) {
    ProgressReport report{type, data, CString()};
    if (type == kProgressRegistryFinding) {
        char* text = reinterpret_cast<char*>(data);
        report.text = text;
        delete[] text;
    }
    if (type == kProgressEnded)
        m_ended = true;
    m_reports.push_back(report);
}

LRESULT CALLBACK ProgressRecorder::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* recorder = reinterpret_cast<ProgressRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_RUN_PROGRESS && recorder) {
        recorder->Record(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
