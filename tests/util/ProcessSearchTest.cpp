#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "UtilityLib.h"

namespace {

// cmd.exe reading commands from a pipe: it runs, without a window, until the pipe closes.
class WaitingCommandShell {
public:
    WaitingCommandShell() {
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE childInput = nullptr;
        HANDLE childOutput = nullptr;
        if (!CreatePipe(&childInput, &m_input, &inherit, 0))
            return;
        if (!CreatePipe(&m_output, &childOutput, &inherit, 0)) {
            CloseHandle(childInput);
            return;
        }
        SetHandleInformation(m_input, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);

        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        CString program = CString(system) + "\\cmd.exe";
        char commandLine[] = "cmd.exe /q /k echo ready";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childInput;
        startup.hStdOutput = childOutput;
        startup.hStdError = childOutput;
        if (CreateProcessA(program, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                           &m_process)) {
            CloseHandle(m_process.hThread);
            m_process.hThread = nullptr;
        }
        CloseHandle(childInput);
        CloseHandle(childOutput);
        // Once it has written, the process has loaded its module and can be searched.
        char line[64];
        DWORD read = 0;
        m_ready = m_process.hProcess && ReadFile(m_output, line, sizeof(line), &read, nullptr) && read > 0;
    }

    ~WaitingCommandShell() {
        if (m_process.hProcess) {
            TerminateProcess(m_process.hProcess, 0);
            WaitForSingleObject(m_process.hProcess, 10000);
            CloseHandle(m_process.hProcess);
        }
        if (m_input)
            CloseHandle(m_input);
        if (m_output)
            CloseHandle(m_output);
    }

    bool IsReady() const { return m_ready; }
    DWORD Id() const { return m_process.dwProcessId; }

private:
    HANDLE m_input = nullptr;
    HANDLE m_output = nullptr;
    PROCESS_INFORMATION m_process = {};
    bool m_ready = false;
};

bool Contains(const CDWordArray& ids, DWORD id) {
    const unsigned long* first = ids.GetData();
    return std::find(first, first + ids.GetSize(), id) != first + ids.GetSize();
}

}  // namespace

TEST(NTGetProcessIDFromFileName, AppendsAChildFoundByADifferentlyCasedPartOfItsPath) {
    WaitingCommandShell shell;
    ASSERT_TRUE(shell.IsReady());
    CDWordArray ids;
    ids.Add(0xFFFFFFF0);

    EXPECT_EQ(0, CUtilityLib::NTGetProcessIDFromFileName("SYSTEM32\\Cmd.EXE", ids));
    ASSERT_GE(ids.GetSize(), 2);
    EXPECT_EQ(0xFFFFFFF0ul, ids[0]);
    EXPECT_TRUE(Contains(ids, shell.Id()));
}

TEST(NTGetProcessIDFromFileName, NameMatchingNothingAddsNothing) {
    CDWordArray ids;
    ids.Add(7);

    EXPECT_EQ(0, CUtilityLib::NTGetProcessIDFromFileName("vantrel-no-such-program.exe", ids));
    ASSERT_EQ(1, ids.GetSize());
    EXPECT_EQ(7ul, ids[0]);
}

TEST(NTGetProcessIDFromFileName, EmptyNameMatchesNoProcess) {
    CDWordArray ids;

    EXPECT_EQ(0, CUtilityLib::NTGetProcessIDFromFileName("", ids));
    EXPECT_EQ(0, ids.GetSize());
}
