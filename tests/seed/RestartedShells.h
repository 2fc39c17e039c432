#pragma once
#include <windows.h>

#include <set>

// The cleaning items 9 and 44 restart the Windows shell. A shell restarted by a run that a test
// or the benchmark started would outlive it and, under Wine, keep its output open (a process
// inherits the Unix descriptors of the one that started it). Taken before the run, this ends
// every shell process that started after it.
class CRestartedShells {
public:
    CRestartedShells() : m_before(ShellProcessIds()) {}

    void EndNewOnes() const;

    static std::set<DWORD> ShellProcessIds();

private:
    std::set<DWORD> m_before;
};
