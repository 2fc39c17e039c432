#include "CleaningRun.h"

#include <memory>

#include "ItemDispatch.h"
#include "RunProgress.h"
#include "UtilityLib.h"

namespace {

const int kRecycleBinItem = 7;
// Lets the progress window paint before the selection is announced and after each item.
const DWORD kStartPauseMs = 500;
const DWORD kItemPauseMs = 10;

class CDispatchRunner : public IItemRunner {
public:
    void RunItem(int id, CHistoryCleaner& engine, CRegBackupWriter& writer,
                 const CStringArray& cookieExceptions) override {
        DispatchItem(id, engine, writer, &cookieExceptions);
    }
};

void Report(const CleaningRunRequest& request, RunProgressType type, LPARAM data) {
    if (request.notifyWindow)
        PostMessageA(request.notifyWindow, WM_RUN_PROGRESS, type, data);
}

// Keys "0", "1", ... of [CookieException] up to the first empty value, lower-cased.
void ReadCookieExceptions(const char* configIni, CStringArray& exceptions) {
    for (int key = 0;; ++key) {
        CString value = CUtilityLib::GetPrivateProfileStringA("CookieException", CUtilityLib::GetString(key, 0),
                                                              configIni);
        if (value.IsEmpty())
            return;
        exceptions.Add(value.MakeLower());
    }
}

// The checked ids in run order: the recycle bin is emptied last.
void CollectRunOrder(const CDWordArray& checkedIds, CDWordArray& runOrder) {
    bool recycleBin = false;
    for (int i = 0; i < checkedIds.GetSize(); ++i) {
        DWORD id = checkedIds[i];
        if (id == kRecycleBinItem)
            recycleBin = true;
        else if (id != 0)
            runOrder.Add(id);
    }
    if (recycleBin)
        runOrder.Add(kRecycleBinItem);
}

void AppendFindingList(CRegBackupWriter& writer, const CStringArray& findings) {
    if (findings.IsEmpty())
        return;
    writer.Append("\r\n\r\n[List]");
    for (int k = 0; k < findings.GetSize(); ++k) {
        CString line;
        line.Format("\r\n%d=", k);
        line += findings[k];
        writer.Append(line);
    }
}

}  // namespace

void RunCleaning(const CleaningRunRequest& request) {
    CStringArray cookieExceptions;
    ReadCookieExceptions(request.configIni, cookieExceptions);
    Sleep(kStartPauseMs);

    CHistoryCleaner engine(request.notifyWindow, request.stopEvent, request.logoutFlag);
    CDWordArray runOrder;
    CollectRunOrder(request.checkedIds, runOrder);
    engine.PlanShellRestarts(runOrder);
    for (int i = 0; i < runOrder.GetSize(); ++i)
        Report(request, kProgressAddItem, runOrder[i]);
    Report(request, kProgressRepaint, 0);

    SYSTEMTIME now;
    GetLocalTime(&now);
    CRegBackupWriter writer;
    writer.SetFileName(CRegBackupWriter::RunFileName(request.backupFolder, now));
    if (!writer.FileName().IsEmpty())
        CUtilityLib::CreateMultiFolder(writer.FileName(), 0);

    CDispatchRunner dispatch;
    IItemRunner& runner = request.runner ? *request.runner : dispatch;
    for (int i = 0; i < runOrder.GetSize(); ++i) {
        if (engine.IsStopRequested())
            break;
        int id = static_cast<int>(runOrder[i]);
        Report(request, kProgressDeleting, id);
        runner.RunItem(id, engine, writer, cookieExceptions);
        Sleep(kItemPauseMs);
        Report(request, kProgressDone, id);
    }

    AppendFindingList(writer, engine.Findings());
    writer.Close();
    Report(request, kProgressEnded, 0);
}

void RunSingleItem(int id, const char* backupFile) {
    CHistoryCleaner engine;
    CRegBackupWriter writer;
    writer.SetFileName(backupFile);
    DispatchItem(id, engine, writer, nullptr);
    AppendFindingList(writer, engine.Findings());
    writer.Close();
}

DWORD WINAPI CleaningRunThread(LPVOID request) {
    std::unique_ptr<CleaningRunRequest> owned(static_cast<CleaningRunRequest*>(request));
    try {
        RunCleaning(*owned);
    } catch (...) {
        // Nothing may escape into Windows; the window still learns that the run is over.
        Report(*owned, kProgressEnded, 0);
    }
    return 0;
}
