#include <gtest/gtest.h>
#include <winsock2.h>

#include "ImportPatch.h"
#include "ProgramRun.h"
#include "SeededKey.h"
#include "Startup.h"

namespace {

CString g_shownText;
int g_boxes = 0;

int WSAAPI FailingSocketStartup(WORD, LPWSADATA) { return WSASYSNOTREADY; }

int WINAPI RecordingMessageBox(HWND, LPCSTR text, LPCSTR, UINT) {
    g_shownText = text;
    ++g_boxes;
    return IDOK;
}

// The string table of the built program, and every message box of the start recorded.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        g_shownText.Empty();
        g_boxes = 0;
        ASSERT_NE(nullptr, m_program);
        ASSERT_TRUE(m_boxes.IsActive());
    }
    void TearDown() override {
        if (m_program)
            FreeLibrary(m_program);
    }

    HMODULE m_program = LoadLibraryExA(ProgramRun::BuildFolder() + "\\Vantrel.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ImportPatch m_boxes{GetModuleHandleA(nullptr), "user32.dll", "MessageBoxA",
                        reinterpret_cast<void*>(RecordingMessageBox)};
};

}  // namespace

TEST_F(Startup, SocketFailureShowsString103AndRunsNoCleaning) {
    ImportPatch sockets(GetModuleHandleA(nullptr), "ws2_32.dll", "WSAStartup",
                        reinterpret_cast<void*>(FailingSocketStartup));
    ASSERT_TRUE(sockets.IsActive());
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");

    EXPECT_NE(0, StartVantrel(m_program, "Vantrel.exe /removemediaplayerhistory"));

    EXPECT_EQ(1, g_boxes);
    EXPECT_EQ(CString("Windows 소켓 초기화에 실패하였습니다."), g_shownText);
    EXPECT_TRUE(files.Exists());
}

TEST_F(Startup, SlashAfterTheProgramPathRunsDirectModeWithoutAnyMessage) {
    SeededKey files(HKEY_CURRENT_USER, TraceKeys::kMediaPlayerFiles, "File0", "C:\\movie.wmv");
    EXPECT_EQ(0, StartVantrel(m_program, "\"C:\\Program Files\\Vantrel\\Vantrel.exe\" \t/removemediaplayerhistory"));
    EXPECT_FALSE(files.Exists());
    EXPECT_EQ(0, g_boxes);
}
