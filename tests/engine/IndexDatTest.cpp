#include <windows.h>
#include <setupapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ImportPatch.h"
#include "LinkedTree.h"
#include "ProgramTraceProfile.h"
#include "RedirectedAppData.h"
#include "TestFixtures.h"
#include "WidePaths.h"

using FileProbe::ReadBytes;

namespace {

std::vector<std::string> Found(CHistoryCleaner& engine, const char* root) {
    CStringArray folders;
    engine.FindIndexDatFolders(root, folders);
    std::vector<std::string> found;
    for (int i = 0; i < folders.GetSize(); ++i)
        found.push_back(folders[i].GetString());
    return found;
}

int PositionOf(const std::vector<std::string>& list, const CString& item) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (CString(list[i].c_str()).CompareNoCase(item) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// Counts the engine's queue commits and commits nothing.
class CommitCounter {
public:
    CommitCounter()
        : m_patch(GetModuleHandleA(nullptr), "setupapi.dll", "SetupCommitFileQueueA", reinterpret_cast<void*>(&Commit)) {
        s_commits = 0;
    }
    bool IsActive() const { return m_patch.IsActive(); }
    int Commits() const { return s_commits; }

private:
    static BOOL WINAPI Commit(HWND, HSPFILEQ, PSP_FILE_CALLBACK_A, PVOID) {
        ++s_commits;
        return TRUE;
    }

    static inline int s_commits = 0;
    ImportPatch m_patch;
};

// Records what reaches the default queue callback. Asked for a source or about a failed copy, it
// answers itself where the real one would put up a prompt: a source that is there is taken, a
// missing one and a failed copy are skipped.
class DefaultCallbackRecorder {
public:
    DefaultCallbackRecorder()
        : m_patch(GetModuleHandleA(nullptr), "setupapi.dll", "SetupDefaultQueueCallbackA",
                  reinterpret_cast<void*>(&Callback)) {
        s_notifications.clear();
    }
    bool IsActive() const { return m_patch.IsActive(); }
    bool Saw(UINT notification) const {
        for (UINT seen : s_notifications) {
            if (seen == notification)
                return true;
        }
        return false;
    }
    bool SawAny() const { return !s_notifications.empty(); }

private:
    static UINT WINAPI Callback(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2) {
        s_notifications.push_back(notification);
        if (notification == SPFILENOTIFY_NEEDMEDIA) {
            const SOURCE_MEDIA_A* media = reinterpret_cast<const SOURCE_MEDIA_A*>(param1);
            return FileProbe::Exists(CString(media->SourcePath) + "\\" + media->SourceFile) ? FILEOP_DOIT
                                                                                           : FILEOP_SKIP;
        }
        if (notification == SPFILENOTIFY_COPYERROR)
            return FILEOP_SKIP;
        using DefaultCallback = UINT(WINAPI*)(PVOID, UINT, UINT_PTR, UINT_PTR);
        return reinterpret_cast<DefaultCallback>(
            GetProcAddress(GetModuleHandleA("setupapi.dll"), "SetupDefaultQueueCallbackA"))(context, notification,
                                                                                              param1, param2);
    }

    static inline std::vector<UINT> s_notifications;
    ImportPatch m_patch;
};

// Takes Empty.dat away just before the engine commits, then commits.
class SourceGoneAtCommit {
public:
    explicit SourceGoneAtCommit(const CString& emptyDat)
        : m_patch(GetModuleHandleA(nullptr), "setupapi.dll", "SetupCommitFileQueueA", reinterpret_cast<void*>(&Commit)) {
        s_emptyDat = emptyDat;
    }
    bool IsActive() const { return m_patch.IsActive(); }

private:
    static BOOL WINAPI Commit(HWND owner, HSPFILEQ queue, PSP_FILE_CALLBACK_A callback, PVOID context) {
        DeleteFileA(s_emptyDat);
        using CommitQueue = BOOL(WINAPI*)(HWND, HSPFILEQ, PSP_FILE_CALLBACK_A, PVOID);
        return reinterpret_cast<CommitQueue>(GetProcAddress(GetModuleHandleA("setupapi.dll"), "SetupCommitFileQueueA"))(
            owner, queue, callback, context);
    }

    static inline CString s_emptyDat;
    ImportPatch m_patch;
};

}  // namespace

TEST(FindIndexDatFolders, ListsEachFolderHoldingOneOnceAndParentsFirst) {
    TempFolder folder;
    folder.MakeFile("r\\index.dat");
    folder.MakeFile("r\\a\\INDEX.DAT");
    folder.MakeFile("r\\a\\b\\Index.Dat");
    folder.MakeFile("r\\a\\b\\other.txt");
    folder.MakeFile("r\\c\\d\\index.dat");
    folder.MakeFile("r\\c\\note.txt");
    folder.MakeFile("r\\e\\index.dat.bak");
    folder.MakeFile("r\\e\\f\\index.dat");
    CHistoryCleaner engine;
    std::vector<std::string> found = Found(engine, folder / "r");

    ASSERT_EQ(5u, found.size());
    EXPECT_EQ(0, PositionOf(found, folder / "r"));
    for (const char* sub : {"r\\a", "r\\a\\b", "r\\c\\d", "r\\e\\f"})
        EXPECT_GT(PositionOf(found, folder / sub), 0) << sub;
    EXPECT_LT(PositionOf(found, folder / "r\\a"), PositionOf(found, folder / "r\\a\\b"));
}

TEST(FindIndexDatFolders, FindsAFolderNamedOutsideTheCodePageUnderAnAnsiPathThatNamesIt) {
    TempFolder folder;
    ASSERT_TRUE(WidePaths::MakeFile(
        WidePaths::Join(folder.Path(), std::wstring(L"r\\") + WidePaths::kAccentedFolder + L"\\index.dat")));
    // The look-alike that the ANSI calls would name instead of "résumé".
    folder.MakeFile("r\\resume\\other.txt");
    CHistoryCleaner engine;
    std::vector<std::string> found = Found(engine, folder / "r");

    ASSERT_EQ(1u, found.size());
    EXPECT_TRUE(FileProbe::Exists(CString(found[0].c_str()) + "\\index.dat")) << found[0];
}

TEST(FindIndexDatFolders, AppendsToTheCallersListWithoutRepeatingAFolder) {
    TempFolder folder;
    folder.MakeFile("r\\index.dat");
    folder.MakeFile("r\\low\\index.dat");
    CStringArray folders;
    folders.Add("earlier");
    CHistoryCleaner engine;
    engine.FindIndexDatFolders(folder / "r", folders);
    engine.FindIndexDatFolders(folder / "r\\low", folders);
    ASSERT_EQ(3, folders.GetSize());
    EXPECT_STREQ("earlier", folders[0]);
    EXPECT_STREQ(folder / "r", folders[1]);
    EXPECT_STREQ(folder / "r\\low", folders[2]);
}

TEST(FindIndexDatFolders, NeverEntersAFolderLink) {
    LinkedTree linked;
    linked.outside.MakeFile("target\\index.dat", "outside");
    linked.inside.MakeFile("tree\\sub\\index.dat");
    CHistoryCleaner engine;
    std::vector<std::string> found = Found(engine, linked.tree);
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ(0, PositionOf(found, linked.tree + "\\sub"));
    EXPECT_EQ(0u, Found(engine, linked.folderLink).size());
}

TEST(FindIndexDatFolders, WithTheStopEventSetFindsNothing) {
    TempFolder folder;
    folder.MakeFile("r\\index.dat");
    folder.MakeFile("r\\a\\index.dat");
    HANDLE stop = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(nullptr, stop);
    CHistoryCleaner engine(nullptr, stop);
    EXPECT_TRUE(Found(engine, folder / "r").empty());
    CloseHandle(stop);
}

TEST(EnsureEmptyDat, CreatesAnEmptyFileInTheProgramsFolderOnlyWhenMissing) {
    RedirectedAppData appData;
    CString emptyDat = CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat";
    ASSERT_EQ(0, emptyDat.Find(appData.Home()));
    CHistoryCleaner engine;
    engine.EnsureEmptyDat();
    EXPECT_EQ("", ReadBytes(emptyDat));

    ASSERT_TRUE(FileProbe::WriteBytes(emptyDat, "kept"));
    engine.EnsureEmptyDat();
    EXPECT_EQ("kept", ReadBytes(emptyDat));
}

TEST(ResetIndexDat, EmptiesEveryIndexDatUnderBothRoots) {
    RedirectedAppData appData;
    TempFolder folder;
    CString top = folder.MakeFile("one\\index.dat", "old");
    CString nested = folder.MakeFile("one\\a\\b\\INDEX.DAT", "old");
    CString second = folder.MakeFile("two\\c\\index.dat", "old");
    CString neighbour = folder.MakeFile("one\\a\\b\\other.dat", "other");
    CHistoryCleaner engine;
    engine.ResetIndexDat(folder / "one", folder / "two");
    EXPECT_EQ("", ReadBytes(top));
    EXPECT_EQ("", ReadBytes(nested));
    EXPECT_EQ("", ReadBytes(second));
    EXPECT_EQ("other", ReadBytes(neighbour));
    EXPECT_EQ("", ReadBytes(CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat"));
}

// Windows replaces a file in use at its next start; until then (and under Wine for good) it
// keeps its content, and the other files are still reset. Under Wine its copy fails, and nobody
// is asked about it.
TEST(ResetIndexDat, LeavesAFileInUseAsItIsResetsTheOthersAndAsksNobody) {
    RedirectedAppData appData;
    TempFolder folder;
    CString busy = folder.MakeFile("r\\busy\\index.dat", "old");
    CString idle = folder.MakeFile("r\\idle\\index.dat", "old");
    DefaultCallbackRecorder recorder;
    ASSERT_TRUE(recorder.IsActive());
    HANDLE held = CreateFileA(busy, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CHistoryCleaner engine;
    engine.ResetIndexDat(folder / "r");
    CloseHandle(held);
    EXPECT_EQ("old", ReadBytes(busy));
    EXPECT_EQ("", ReadBytes(idle));
    EXPECT_TRUE(recorder.SawAny());
    EXPECT_FALSE(recorder.Saw(SPFILENOTIFY_COPYERROR));
    EXPECT_FALSE(recorder.Saw(SPFILENOTIFY_NEEDMEDIA));
}

TEST(ResetIndexDat, LeavesTheTargetOfAFolderLinkAlone) {
    RedirectedAppData appData;
    LinkedTree linked;
    CString outsideIndex = linked.outside.MakeFile("target\\index.dat", "outside");
    CString own = linked.inside.MakeFile("tree\\sub\\index.dat", "old");
    CHistoryCleaner engine;
    engine.ResetIndexDat(linked.tree);
    EXPECT_EQ("", ReadBytes(own));
    EXPECT_EQ("outside", ReadBytes(outsideIndex));
    EXPECT_TRUE(linked.LinkIntact());
}

TEST(ResetIndexDat, ItemsFifteenAndSixteenResetTheCacheAndCookieFolders) {
    RedirectedAppData appData;
    ProgramTraceProfile profile;
    CString cacheIndex =
        profile.MakeFile(SandboxFolder(CSIDL_INTERNET_CACHE) + "\\vantrel-test\\sub\\index.dat", "old");
    CString cookieIndex = profile.MakeFile(SandboxFolder(CSIDL_COOKIES) + "\\vantrel-test\\index.dat", "old");

    RunItem(15);
    EXPECT_EQ("", ReadBytes(cacheIndex));
    EXPECT_EQ("old", ReadBytes(cookieIndex));

    RunItem(16);
    EXPECT_EQ("", ReadBytes(cookieIndex));
}

TEST(ResetIndexDat, CommitsNothingWhenEmptyDatCannotBeMade) {
    RedirectedAppData appData;
    TempFolder folder;
    CString index = folder.MakeFile("r\\index.dat", "old");
    // A folder in its place: Empty.dat can be neither made nor copied.
    CreateDirectoryA(CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat", nullptr);
    CommitCounter counter;
    ASSERT_TRUE(counter.IsActive());
    CHistoryCleaner engine;

    engine.ResetIndexDat(folder / "r");

    EXPECT_EQ(0, counter.Commits());
    EXPECT_EQ("old", ReadBytes(index));
}

TEST(ResetIndexDat, ASourceGoneAtCommitIsSkippedWithoutAsking) {
    RedirectedAppData appData;
    TempFolder folder;
    CString index = folder.MakeFile("r\\index.dat", "old");
    DefaultCallbackRecorder recorder;
    SourceGoneAtCommit sourceGone(CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat");
    ASSERT_TRUE(recorder.IsActive());
    ASSERT_TRUE(sourceGone.IsActive());
    CHistoryCleaner engine;

    engine.ResetIndexDat(folder / "r");

    EXPECT_FALSE(recorder.Saw(SPFILENOTIFY_NEEDMEDIA));
    EXPECT_FALSE(recorder.Saw(SPFILENOTIFY_COPYERROR));
    EXPECT_EQ("old", ReadBytes(index));
}
