#include <windows.h>
#include <setupapi.h>
#include <shlobj.h>

#include "FolderWalk.h"
#include "Handle.h"
#include "HistoryCleaner.h"
#include "Mbcs.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

const char kEmptyDat[] = "Empty.dat";
const char kIndexDat[] = "index.dat";

struct FileQueueTraits {
    using Type = HSPFILEQ;
    static HSPFILEQ None() { return INVALID_HANDLE_VALUE; }
    static bool Close(HSPFILEQ queue) { return SetupCloseFileQueue(queue) != FALSE; }
};
using CFileQueue = CUniqueHandle<FileQueueTraits>;

// The folder that holds "Empty.dat"; "" when it cannot be made.
CString EmptyDatFolder() {
    return CUtilityLib::GetAppDataPath(true, true);
}

// One level of a folder: whether it holds an index.dat, and its subfolders (links never show).
class IndexDatListing : public CFolderWalk {
public:
    explicit IndexDatListing(const CHistoryCleaner& engine) : m_engine(engine) {}

    bool holdsIndexDat = false;
    CStringArray subfolders;

protected:
    void OnFile(const CFolderEntry& entry) override {
        if (Mbcs::CompareNoCase(entry.name, kIndexDat) == 0)
            holdsIndexDat = true;
    }
    // A folder that the ANSI calls cannot name is passed over: the index reset copies by ANSI path.
    bool OnEnterFolder(const CFolderEntry& entry) override {
        CString path = AnsiPath(entry.path);
        if (!path.IsEmpty())
            subfolders.Add(path);
        return false;
    }
    bool IsStopped() override { return m_engine.IsStopRequested(); }

private:
    const CHistoryCleaner& m_engine;
};

// Two roots may nest (History and its Low folder): each folder is listed once.
bool Contains(const CStringArray& folders, const CString& folder) {
    for (int i = 0; i < folders.GetSize(); ++i) {
        if (folders[i].CompareNoCase(folder) == 0)
            return true;
    }
    return false;
}

// The default callback would ask the user for a missing source or about a failed copy, on the
// worker thread, holding a logout run forever. Such a copy is skipped instead. (Wine asks for the
// source of every copy, so a source that is there is taken, as the default callback would.)
UINT CALLBACK NeverAsk(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2) {
    if (notification == SPFILENOTIFY_NEEDMEDIA) {
        const SOURCE_MEDIA_A* media = reinterpret_cast<const SOURCE_MEDIA_A*>(param1);
        return CUtilityLib::IsFile(CUtilityLib::AddPath(media->SourcePath, media->SourceFile)) ? FILEOP_DOIT
                                                                                                : FILEOP_SKIP;
    }
    if (notification == SPFILENOTIFY_COPYERROR)
        return FILEOP_SKIP;
    return SetupDefaultQueueCallbackA(context, notification, param1, param2);
}

void CommitWithoutQuestions(HSPFILEQ queue) {
    PVOID context = SetupInitDefaultQueueCallback(nullptr);
    if (!context)
        return;
    SetupCommitFileQueueA(nullptr, queue, NeverAsk, context);
    SetupTermDefaultQueueCallback(context);
}

}  // namespace

bool CHistoryCleaner::EnsureEmptyDat() {
    CString folder = EmptyDatFolder();
    if (folder.IsEmpty())
        return false;
    CString emptyDat = folder + "\\" + kEmptyDat;
    // CREATE_NEW leaves an existing file alone; the new one is closed again at once.
    CFileHandle created(
        CreateFileA(emptyDat, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return CUtilityLib::IsFile(emptyDat);
}

void CHistoryCleaner::FindIndexDatFolders(const char* root, CStringArray& folders) {
    if (!root || IsStopRequested())
        return;
    CString folder(root);
    folder.TrimRight('\\');
    IndexDatListing listing(*this);
    if (!listing.Run(folder))
        return;
    if (listing.holdsIndexDat && !Contains(folders, folder))
        folders.Add(folder);
    for (int i = 0; i < listing.subfolders.GetSize(); ++i)
        FindIndexDatFolders(listing.subfolders[i], folders);
}

void CHistoryCleaner::ResetIndexDat(const char* root, const char* secondRoot) {
    // Without its source every copy would fail: no reset at all then.
    if (!EnsureEmptyDat())
        return;
    CString source = EmptyDatFolder();
    CFileQueue queue(SetupOpenFileQueue());
    if (!queue.IsValid())
        return;
    CStringArray folders;
    FindIndexDatFolders(root, folders);
    FindIndexDatFolders(secondRoot, folders);
    int queued = 0;
    for (int i = 0; i < folders.GetSize(); ++i) {
        // A file in use is replaced at the next start of Windows.
        if (SetupQueueCopyA(queue, source, nullptr, kEmptyDat, nullptr, nullptr, folders[i], kIndexDat,
                            SP_COPY_FORCE_IN_USE))
            ++queued;
    }
    if (queued > 0)
        CommitWithoutQuestions(queue);
}

void CHistoryCleaner::RemoveIECacheIndexDat() {
    CString cache = TraceFolders::Special(CSIDL_INTERNET_CACHE);
    if (!cache.IsEmpty())
        ResetIndexDat(cache);
}

void CHistoryCleaner::RemoveIECookieIndexDat() {
    CString cookies = TraceFolders::Special(CSIDL_COOKIES);
    if (!cookies.IsEmpty())
        ResetIndexDat(cookies);
}
