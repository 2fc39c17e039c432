#include "Startup.h"

#include <winsock2.h>

#include "CommandLine.h"
#include "DirectMode.h"
#include "resource.h"

namespace {

const int kSocketStartupFailedExit = 1;

void ShowStartupError(HINSTANCE resources, UINT stringId) {
    char text[512] = {0};
    LoadStringA(resources, stringId, text, sizeof text);
    MessageBoxA(nullptr, text, "Vantrel", MB_OK | MB_ICONSTOP);
}

}  // namespace

int StartVantrel(HINSTANCE resources, const char* commandLine) {
    WSADATA sockets;
    if (WSAStartup(MAKEWORD(2, 2), &sockets) != 0) {
        ShowStartupError(resources, IDS_SOCKET_STARTUP_FAILED);
        return kSocketStartupFailedExit;
    }
    const char* arguments = ArgumentsAfterProgramPath(commandLine);
    if (*arguments == '/')
        RunDirectMode(arguments);
    WSACleanup();
    return 0;
}
