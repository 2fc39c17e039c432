#include "RestartedShells.h"

#include "ProcessProbe.h"

std::set<DWORD> CRestartedShells::ShellProcessIds() { return ProcessProbe::IdsNamed("explorer.exe"); }

void CRestartedShells::EndNewOnes() const {
    for (DWORD id : ShellProcessIds()) {
        if (m_before.count(id))
            continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process)
            continue;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}
