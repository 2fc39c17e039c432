// Loads Selkor (at load time), takes the program's application-data folder, leaves the breadcrumb
// given as its second argument and faults as its first argument asks: "write", "read" (both at
// address 0xBAD0), "divide", "breakpoint" or "overflow".
#include <windows.h>

#include <cstring>

#include "CrashLog.h"
#include "UtilityLib.h"

namespace {

const UINT FilterDidNotPassOn = 3, NoFault = 4, BadArguments = 5;

LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter;

volatile int* const kUnmapped = reinterpret_cast<volatile int*>(0xBAD0);

// Wine ignores SEM_NOGPFAULTERRORBOX and starts winedbg for an unhandled exception, which
// waits on a dialog when a display is set. This stands in for the system's crash handling:
// the process ends with the exception code when the filters before it passed the crash on.
// The previous filter is the CRT's: its startup replaced Selkor's, and it hands these
// exceptions (no signal handlers set) on to Selkor's.
LONG WINAPI EndAfterSelkor(EXCEPTION_POINTERS* pointers) {
    LONG verdict = g_previousFilter ? g_previousFilter(pointers) : EXCEPTION_EXECUTE_HANDLER;
    UINT exitCode =
        verdict == EXCEPTION_CONTINUE_SEARCH ? pointers->ExceptionRecord->ExceptionCode : FilterDidNotPassOn;
    TerminateProcess(GetCurrentProcess(), exitCode);
    return verdict;
}

volatile int g_sink;
volatile bool g_deeper = true;

// A frame this large is probed page by page before it is used, so the overflow is met while
// the stack pointer is still a page above the guard: Wine needs that room to dispatch it.
__attribute__((noinline)) int Recurse(int depth) {
    volatile char frame[8192];
    frame[0] = static_cast<char>(depth);
    return (g_deeper ? Recurse(depth + 1) : 0) + frame[0];
}

__attribute__((noinline)) void Fault(const char* kind) {
    volatile int numerator = 7, zero = 0;
    if (strcmp(kind, "write") == 0)
        *kUnmapped = 1;
    else if (strcmp(kind, "read") == 0)
        g_sink = *kUnmapped;
    else if (strcmp(kind, "divide") == 0)
        g_sink = numerator / zero;
    else if (strcmp(kind, "breakpoint") == 0)
        __debugbreak();
    else if (strcmp(kind, "overflow") == 0)
        g_sink = Recurse(0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return BadArguments;
    g_previousFilter = SetUnhandledExceptionFilter(EndAfterSelkor);
    // Where the host keeps its service file, which says whether reports are sent.
    CUtilityLib::SetAppDataSubPath("vantrel");
    CCrashLog::Set("%s", argv[2]);
    Fault(argv[1]);
    return NoFault;
}
