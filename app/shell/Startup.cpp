#include "Startup.h"

#include <winsock2.h>

#include "APPCommonServiceWnd.h"
#include "CommandLine.h"
#include "DirectMode.h"
#include "Framework.h"
#include "Handle.h"
#include "Language.h"
#include "ShellState.h"
#include "UtilityLib.h"
#include "main/MainDlg.h"
#include "resource.h"

namespace {

const int kSocketStartupFailedExit = 1;
const LCID kKoreanLocale = 1042;

void ShowStartupError(HINSTANCE resources, UINT stringId) {
    char text[512] = {0};
    LoadStringA(resources, stringId, text, sizeof text);
    MessageBoxA(nullptr, text, "Vantrel", MB_OK | MB_ICONSTOP);
}

// Another instance holds the mutex: bring its window forward, whatever it answers.
void ActivateFirstInstance() {
    int value = 0;
    CUtilityLib::ReadRegistry(HKEY_CURRENT_USER, "Software\\Quillon\\vantrel", "Main", value, 0);
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(static_cast<unsigned>(value)));
    if (value && IsWindow(window))
        SendMessageA(window, WM_ACTIVATE_MAIN, 0, 0);
}

void RunMainWindow(const char* arguments) {
    CoInitialize(nullptr);
    // The dialog colours RGB(236, 233, 216) on RGB(40, 40, 40) are every CResizeDlg's own.
    SetThreadLocale(kKoreanLocale);
    CUtilityLib::SetAppDataSubPath("vantrel");
    ShellState::ServiceWindow().SetServiceID("vantrel", CLanguage::TXT("Vantrel"));
    {
        CMainDlg mainWindow(arguments);
        AfxSetMainWnd(&mainWindow);
        mainWindow.DoModal();
        AfxSetMainWnd(nullptr);
    }
}

}  // namespace

int StartVantrel(HINSTANCE resources, const char* commandLine) {
    WSADATA sockets;
    if (WSAStartup(MAKEWORD(2, 2), &sockets) != 0) {
        ShowStartupError(resources, IDS_SOCKET_STARTUP_FAILED);
        return kSocketStartupFailedExit;
    }
    const char* arguments = ArgumentsAfterProgramPath(commandLine);
    if (*arguments == '/') {
        RunDirectMode(arguments);
    } else {
        CHandle mutex(CreateMutexA(nullptr, FALSE, "vantrel"));
        if (WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT) {
            ActivateFirstInstance();
        } else {
            RunMainWindow(arguments);
            ReleaseMutex(mutex);
            if (ShellState::PowerOffRequest())
                CUtilityLib::ComputerOff(1);
        }
    }
    WSACleanup();
    return 0;
}
