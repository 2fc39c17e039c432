#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "Handle.h"
#include "HostTools.h"
#include "ProgramRun.h"
#include "StandInShell.h"
#include "TestFixtures.h"

namespace {

// Far above a run that waits for the shell's return; only a hang reaches it.
const DWORD kPatienceMs = 60000;
// Far above the moment Vantrel's end closes the pipe; the stand-in shell runs for two minutes.
const DWORD kEndOfFilePatienceMs = 30000;

// Reads the pipe on a thread of its own until its end of file, which comes once no process holds
// a write end. The object must outlive every writer: its end waits for the thread.
class EndOfFileWatch {
public:
    explicit EndOfFileWatch(HANDLE readEnd)
        : m_reached(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_thread([this, readEnd] { Read(readEnd); }) {}
    ~EndOfFileWatch() { m_thread.join(); }
    EndOfFileWatch(const EndOfFileWatch&) = delete;
    EndOfFileWatch& operator=(const EndOfFileWatch&) = delete;

    bool Reached(DWORD patienceMs) const { return WaitForSingleObject(m_reached, patienceMs) == WAIT_OBJECT_0; }

private:
    void Read(HANDLE readEnd) {
        char text[512];
        DWORD read = 0;
        while (ReadFile(readEnd, text, sizeof text, &read, nullptr) && read > 0) {
        }
        SetEvent(m_reached);
    }

    CHandle m_reached;
    std::thread m_thread;
};

}  // namespace

// As in a script's "Vantrel.exe /RemoveTrayHistory | more": the output is a host pipe, and the
// shell that Vantrel restarts must not hold it open. Stderr is left out of it: whatever a process
// is given as its standard error, Wine hands it (and so the shell) its parent's Unix stderr.
TEST(DirectModeOutput, PipeEndsWithVantrelWhileTheRestartedShellRuns) {
    TempFolder folder;
    CString fifo = folder / "output.fifo";
    ASSERT_TRUE(HostTools::MakeFifo(fifo));
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    // Read and write, so that this open does not wait for a reader, nor the reader's for a writer.
    CFileHandle writeEnd(CreateFileA(fifo, GENERIC_READ | GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writeEnd.IsValid());
    CFileHandle readEnd(CreateFileA(fifo, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(readEnd.IsValid());
    EndOfFileWatch watch(readEnd);
    StandInWindowsFolder windows;
    ASSERT_TRUE(windows.IsReady());
    CFileHandle nul(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = writeEnd;
    startup.hStdError = nul;
    CString commandLine = "\"" + ProgramRun::BuildFolder() + "\\Vantrel.exe\" /RemoveTrayHistory";
    PROCESS_INFORMATION started = {};
    BOOL launched = CreateProcessA(nullptr, commandLine.GetBuffer(), nullptr, nullptr, TRUE, 0, nullptr,
                                   folder.Path(), &startup, &started);
    writeEnd.Close();
    ASSERT_TRUE(launched);
    CloseHandle(started.hThread);
    OwnedProcess vantrel;
    vantrel.Attach(started.hProcess);

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(vantrel.Get(), kPatienceMs));
    EXPECT_EQ(0u, vantrel.ExitCode());
    EXPECT_TRUE(watch.Reached(kEndOfFilePatienceMs));

    StandInShell::Record shell;
    ASSERT_TRUE(windows.ShellHasStarted(shell));
    EXPECT_TRUE(windows.StartedShell().IsRunning());
}
