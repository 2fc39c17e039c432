// Runs the automatic update notice in a process of its own, for the outcomes that end the host.
// Arguments: the application-data sub-path that holds its service file and Config.ini, the
// service id, the answer its message boxes give ("yes" or "no") and a file where each box shown
// is recorded (text, caption and style, one line each). Ends with kNoticeReturned when the notice
// returns, which a mandatory update never does.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "ImportPatch.h"
#include "ServiceState.h"
#include "UtilityLib.h"
#include "update/UpdateNotice.h"

namespace {

const int kNoticeReturned = 7, kBadArguments = 5, kNoPatch = 6;

const char* g_record;
int g_answer;

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
    if (FILE* record = fopen(g_record, "ab")) {
        fprintf(record, "%s\n%s\n%u\n", text ? text : "", caption ? caption : "", style);
        fclose(record);
    }
    return g_answer;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5)
        return kBadArguments;
    g_answer = strcmp(argv[3], "yes") == 0 ? IDYES : IDNO;
    g_record = argv[4];
    ImportPatch boxes(GetModuleHandleA("Selkor.dll"), "user32.dll", "MessageBoxA", reinterpret_cast<void*>(&RecordBox));
    if (!boxes.IsActive())
        return kNoPatch;
    CUtilityLib::SetAppDataSubPath(argv[1]);
    CServiceState::SetServiceID(argv[2], "Vantrel");
    CServiceState::SetServiceFileAvailable(true);
    CUpdateNotice(nullptr, nullptr).ShowAutomatic();
    return kNoticeReturned;
}
