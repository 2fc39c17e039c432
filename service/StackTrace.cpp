#include "StackTrace.h"

#include <dbghelp.h>

void CStackTrace::Read(HANDLE thread, const CONTEXT& context) {
    m_count = 0;
    m_context = context;
    HANDLE process = GetCurrentProcess();
    // Without the module list of SymInitialize, SymFunctionTableAccess64 finds no unwind data
    // and the walk ends at once (also under Wine). Deferred loads skip reading symbol files.
    SymSetOptions(SymGetOptions() | SYMOPT_DEFERRED_LOADS);
    // A process that already holds its own symbol session keeps it; the walk works either way.
    bool ownSession = SymInitialize(process, nullptr, TRUE) != FALSE;

    STACKFRAME64 frame = {};
    frame.AddrPC.Offset = m_context.Rip;
    frame.AddrPC.Mode = AddrModeFlat;
    frame.AddrStack.Offset = m_context.Rsp;
    frame.AddrStack.Mode = AddrModeFlat;
    frame.AddrFrame.Offset = m_context.Rbp;
    frame.AddrFrame.Mode = AddrModeFlat;
    while (m_count < CCrashReport::StackDepth &&
           StackWalk64(IMAGE_FILE_MACHINE_AMD64, process, thread, &frame, &m_context, nullptr,
                       SymFunctionTableAccess64, SymGetModuleBase64, nullptr) &&
           frame.AddrPC.Offset != 0) {
        m_addresses[m_count++] = frame.AddrPC.Offset;
    }

    if (ownSession)
        SymCleanup(process);
}
