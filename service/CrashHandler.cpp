#include "CrashHandler.h"

#include "CrashLog.h"
#include "CrashModules.h"
#include "CrashReport.h"
#include "CrashUpload.h"
#include "Handle.h"
#include "StackTrace.h"

namespace {

CCrashSettings g_settings;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter;
volatile LONG g_reportingThread;  // 0 until one thread takes the report
volatile LONG g_reportDone;

const SIZE_T kReportStackSize = 256 * 1024;
const DWORD kReportPatienceMs = 30000;

// Static rather than on the stack or the heap: the crash may be a stack overflow or a broken heap.
struct CReportScratch {
    CStackTrace stack;
    CCrashReport::CStackText stackText;
    CCrashReport::CModuleText modules;
    CCrashReport::CLineText line;
    char tempFolder[MAX_PATH];
    char path[MAX_PATH];
};
CReportScratch g_scratch;

void AppendToFile(const char* path, const char* text, size_t length) {
    CFileHandle file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr);
}

void WriteReport(const EXCEPTION_POINTERS& pointers, HANDLE crashedThread) {
    CReportScratch& s = g_scratch;
    DWORD folderLength = GetTempPathA(MAX_PATH, s.tempFolder);
    if (folderLength == 0 || folderLength >= MAX_PATH)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (!CCrashReport::ReportFilePath(s.tempFolder, now, g_settings.reportName, s.path, sizeof s.path))
        return;

    s.stack.Read(crashedThread, *pointers.ContextRecord);
    CCrashReport::AppendStack(s.stackText, s.stack.Addresses(), s.stack.Count());
    CCrashModules::ListReported(s.stack.Addresses(), s.stack.Count(), g_settings.companyName, s.modules);
    CCrashReport::ComposeLine(*pointers.ExceptionRecord, s.modules.Get(), CCrashLog::Get(), s.stackText.Get(),
                              s.line);

    DeleteFileA(s.path);
    AppendToFile(s.path, s.line.Get(), s.line.GetLength());
    if (g_settings.uploadEnabled)
        CCrashUpload::Send(s.path);
}

// What the report thread of a stack overflow needs; static, as there is no room on that stack.
struct CCrash {
    const EXCEPTION_POINTERS* pointers;
    HANDLE thread;
};
CCrash g_overflow;

DWORD WINAPI ReportOnFreshStack(void*) {
    WriteReport(*g_overflow.pointers, g_overflow.thread);
    return 0;
}

// A stack overflow leaves the crashing thread next to no stack (under Wine the report itself
// overflowed it again and the process was killed): that report is written by a new thread.
void Report(const EXCEPTION_POINTERS& pointers) {
    if (pointers.ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW) {
        WriteReport(pointers, GetCurrentThread());
        return;
    }
    g_overflow.pointers = &pointers;
    // In the reporter GetCurrentThread() would name the reporter, not the thread whose stack is walked.
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &g_overflow.thread, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return;
    CHandle reporter(CreateThread(nullptr, kReportStackSize, ReportOnFreshStack, nullptr, 0, nullptr));
    // A reporter still running after the wait may still use the handle; the process ends anyway.
    if (!reporter.IsValid() || WaitForSingleObject(reporter, kReportPatienceMs) == WAIT_OBJECT_0)
        CloseHandle(g_overflow.thread);
}

// Another thread is writing the report; if this thread passed its crash on at once, the
// system could end the process before that report is on disk.
void WaitForReport() {
    for (DWORD waited = 0; waited < kReportPatienceMs && !g_reportDone; waited += 50)
        Sleep(50);
}

}  // namespace

void CCrashHandler::Install(const CCrashSettings& settings) {
    g_settings = settings;
    g_previousFilter = SetUnhandledExceptionFilter(Filter);
}

void CCrashHandler::Uninstall() {
    LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(g_previousFilter);
    if (current != Filter)
        SetUnhandledExceptionFilter(current);
}

LONG WINAPI CCrashHandler::Filter(EXCEPTION_POINTERS* pointers) {
    LONG self = static_cast<LONG>(GetCurrentThreadId());
    LONG owner = InterlockedCompareExchange(&g_reportingThread, self, 0);
    if (owner == 0) {
        if (pointers && pointers->ExceptionRecord && pointers->ContextRecord)
            Report(*pointers);
        InterlockedExchange(&g_reportDone, 1);
    } else if (owner != self) {
        WaitForReport();
    }
    // A fault inside the report comes back here on the same thread and is simply passed on.
    return EXCEPTION_CONTINUE_SEARCH;
}
