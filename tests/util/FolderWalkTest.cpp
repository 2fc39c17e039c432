#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FileProbe.h"
#include "FolderWalk.h"
#include "LinkedTree.h"
#include "TestFixtures.h"
#include "WidePaths.h"

namespace {

// Writes down what the walk reports, paths relative to the walked folder.
class RecordingWalk : public CFolderWalk {
public:
    explicit RecordingWalk(const CString& root) : m_root(root + "\\") {}

    std::vector<std::string> events;
    size_t stopAfter = SIZE_MAX;

protected:
    void OnFile(const CFolderEntry& entry) override { Record("file ", entry); }
    bool OnEnterFolder(const CFolderEntry& entry) override {
        Record("enter ", entry);
        return true;
    }
    void OnLeaveFolder(const CFolderEntry& entry) override { Record("leave ", entry); }
    bool IsStopped() override { return events.size() >= stopAfter; }

private:
    void Record(const char* kind, const CFolderEntry& entry) {
        char path[2 * MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, entry.path, -1, path, sizeof path, nullptr, nullptr);
        CString own(path);
        events.push_back(kind + std::string(own.Find(m_root) == 0 ? own.Mid(m_root.GetLength()) : own));
    }

    CString m_root;
};

// Keeps each entry's ANSI name and whether its wide path names it on disk.
class NameWalk : public CFolderWalk {
public:
    std::vector<std::string> names;

protected:
    void OnFile(const CFolderEntry& entry) override { Record(entry); }
    bool OnEnterFolder(const CFolderEntry& entry) override {
        Record(entry);
        return true;
    }

private:
    void Record(const CFolderEntry& entry) {
        names.push_back(std::string(entry.name) + (WidePaths::Exists(entry.path) ? "" : " (path missing)"));
    }
};

}  // namespace

TEST(FolderWalk, ReportsEveryEntryDepthFirst) {
    TempFolder folder;
    folder.MakeFile("sub\\deep\\c.txt");
    RecordingWalk walk(folder.Path());
    ASSERT_TRUE(walk.Run(folder.Path()));
    EXPECT_EQ((std::vector<std::string>{"enter sub", "enter sub\\deep", "file sub\\deep\\c.txt", "leave sub\\deep",
                                        "leave sub"}),
              walk.events);
}

TEST(FolderWalk, StopEndsTheWholeWalkAtOnce) {
    TempFolder folder;
    folder.MakeFile("sub\\deep\\a.txt");
    folder.MakeFile("sub\\deep\\b.txt");
    folder.MakeFile("sub\\deep\\c.txt");
    RecordingWalk walk(folder.Path());
    walk.stopAfter = 3;
    walk.Run(folder.Path());
    ASSERT_EQ(3u, walk.events.size());
    EXPECT_EQ("enter sub", walk.events[0]);
    EXPECT_EQ("enter sub\\deep", walk.events[1]);
}

TEST(FolderWalk, NeverReportsOrEntersALink) {
    LinkedTree linked;
    RecordingWalk walk(linked.tree);
    ASSERT_TRUE(walk.Run(linked.tree));
    EXPECT_EQ(4u, walk.events.size());
    for (const std::string& event : walk.events)
        EXPECT_EQ(std::string::npos, event.find("link")) << event;

    for (const CString& link : {linked.folderLink, linked.folderLink + "\\", linked.folderLink + "/"}) {
        RecordingWalk throughLink(linked.folderLink);
        EXPECT_FALSE(throughLink.Run(link));
        EXPECT_TRUE(throughLink.events.empty());
    }
}

TEST(FolderWalk, EmptyOrMissingFolderIsNotWalked) {
    TempFolder folder;
    RecordingWalk empty("");
    EXPECT_FALSE(empty.Run(""));
    EXPECT_TRUE(empty.events.empty());
    RecordingWalk missing(folder / "missing");
    EXPECT_FALSE(missing.Run(folder / "missing"));
}

TEST(FolderWalk, ReachesNamesOutsideTheCodePageWithWidePathsAndAnsiNames) {
    ASSERT_EQ(949u, GetACP());
    TempFolder folder;
    ASSERT_TRUE(WidePaths::MakeFile(WidePaths::Join(folder.Path(), std::wstring(WidePaths::kAccentedFolder) + L"\\" +
                                                                     WidePaths::kAccentedFile)));
    ASSERT_TRUE(WidePaths::MakeFile(WidePaths::Join(folder.Path(), WidePaths::kChineseLink)));
    NameWalk walk;
    ASSERT_TRUE(walk.Run(folder.Path()));
    std::sort(walk.names.begin(), walk.names.end());
    EXPECT_EQ((std::vector<std::string>{"?文件.txt.lnk", "resume", "Ærø ?.txt"}), walk.names);
}

TEST(FolderWalk, AnsiPathNamesTheSameEntry) {
    ASSERT_EQ(949u, GetACP());
    TempFolder folder;
    std::wstring korean = WidePaths::Join(folder.Path(), L"\uD55C\uAE00");  // "한글"
    std::wstring accented = WidePaths::Join(folder.Path(), WidePaths::kAccentedFolder);
    ASSERT_TRUE(WidePaths::MakeFile(korean + L"\\in-korean.txt"));
    ASSERT_TRUE(WidePaths::MakeFile(accented + L"\\in-accented.txt"));
    // The look-alike that the ANSI calls would name instead of "résumé".
    folder.MakeFile("resume\\in-look-alike.txt");

    EXPECT_STREQ(folder / "한글", CFolderWalk::AnsiPath(korean.c_str()));
    CString accentedAnsi = CFolderWalk::AnsiPath(accented.c_str());
    EXPECT_TRUE(FileProbe::Exists(accentedAnsi + "\\in-accented.txt")) << (const char*)accentedAnsi;
    EXPECT_FALSE(FileProbe::Exists(accentedAnsi + "\\in-look-alike.txt")) << (const char*)accentedAnsi;
}
