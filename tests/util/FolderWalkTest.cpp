#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FolderWalk.h"
#include "LinkedTree.h"
#include "TestFixtures.h"

namespace {

// Writes down what the walk reports, paths relative to the walked folder.
class RecordingWalk : public CFolderWalk {
public:
    explicit RecordingWalk(const CString& root) : m_root(root + "\\") {}

    std::vector<std::string> events;
    size_t stopAfter = SIZE_MAX;

protected:
    void OnFile(const CString& path, const WIN32_FIND_DATAA&) override { Record("file ", path); }
    bool OnEnterFolder(const CString& path, const WIN32_FIND_DATAA&) override {
        Record("enter ", path);
        return true;
    }
    void OnLeaveFolder(const CString& path) override { Record("leave ", path); }
    bool IsStopped() override { return events.size() >= stopAfter; }

private:
    void Record(const char* kind, const CString& path) {
        events.push_back(kind + std::string(path.Find(m_root) == 0 ? path.Mid(m_root.GetLength()) : path));
    }

    CString m_root;
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
