#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "FileProbe.h"
#include "Handle.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "TestFixtures.h"
#include "TraceFixtures.h"
#include "WidePaths.h"

using FileProbe::Exists;
using namespace TraceFixtures;

namespace {

CString AgedFile(const TempFolder& folder, const char* relative, int hours, DWORD attributes = 0) {
    CString path = folder.MakeFile(relative);
    EXPECT_TRUE(SetAgeInHours(path, hours)) << relative;
    if (attributes)
        SetFileAttributesA(path, attributes);
    return path;
}

bool SameWriteTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

bool ReadWriteTime(const char* path, FILETIME& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    time = data.ftLastWriteTime;
    return true;
}

// The sandbox's Windows\Prefetch\Layout.ini, put back as it was at the end of the test.
class LayoutIni {
public:
    LayoutIni()
        : m_folder(WindowsFolder() + "\\Prefetch"),
          m_path(WindowsFolder() + "\\Prefetch\\Layout.ini"),
          m_existed(Exists(m_path)),
          m_original(m_existed ? FileProbe::ReadBytes(m_path) : std::string()) {}
    ~LayoutIni() {
        if (m_existed)
            FileProbe::WriteBytes(m_path, m_original);
        else
            DeleteFileA(m_path);
    }
    LayoutIni(const LayoutIni&) = delete;
    LayoutIni& operator=(const LayoutIni&) = delete;

    operator const char*() const { return m_path; }
    bool Write(const std::string& text) const { return FileProbe::WriteBytes(m_path, text); }

private:
    EnsuredFolder m_folder;
    CString m_path;
    bool m_existed;
    std::string m_original;
};

}  // namespace

TEST(RemovePrefetch, DeletesPrefetchFilesOlderThanADayAndKeepsTheRest) {
    TempFolder prefetch;
    CString stale = AgedFile(prefetch, "APP.EXE-12345678.pf", 25);
    CString staleUpperCase = AgedFile(prefetch, "OLD.EXE-0000BEEF.PF", 25);
    CString staleReadOnly = AgedFile(prefetch, "RO.EXE-00000001.pf", 25, FILE_ATTRIBUTE_READONLY);
    CString fresh = AgedFile(prefetch, "NEW.EXE-87654321.pf", 23);
    CString bootTrace = AgedFile(prefetch, "NTOSBOOT-B00DFAAD.pf", 25);
    CString layout = AgedFile(prefetch, "Layout.ini", 25);
    CString otherExtension = AgedFile(prefetch, "APP.EXE-12345678.pf.bak", 25);

    CHistoryCleaner engine;
    engine.RemovePrefetch(prefetch.Path());

    EXPECT_FALSE(Exists(stale));
    EXPECT_FALSE(Exists(staleUpperCase));
    EXPECT_FALSE(Exists(staleReadOnly));
    EXPECT_TRUE(Exists(fresh));
    EXPECT_TRUE(Exists(bootTrace));
    EXPECT_TRUE(Exists(layout));
    EXPECT_TRUE(Exists(otherExtension));
}

TEST(RemovePrefetch, CleansSubfoldersAndRemovesThoseLeftEmpty) {
    TempFolder prefetch;
    AgedFile(prefetch, "emptied\\deeper\\OLD.EXE-1.pf", 48);
    CString kept = AgedFile(prefetch, "partly\\NEW.EXE-2.pf", 1);
    CString deleted = AgedFile(prefetch, "partly\\OLD.EXE-3.pf", 48);
    prefetch.MakeFolder("empty");

    CHistoryCleaner engine;
    engine.RemovePrefetch(prefetch.Path());

    EXPECT_FALSE(Exists(prefetch / "emptied"));
    EXPECT_FALSE(Exists(prefetch / "empty"));
    EXPECT_FALSE(Exists(deleted));
    EXPECT_TRUE(Exists(kept));
    EXPECT_TRUE(FileProbe::IsFolder(prefetch.Path()));
}

TEST(RemovePrefetch, NeverEntersOrRemovesAFolderLink) {
    TempFolder prefetch;
    TempFolder outside;
    CString outsideStale = AgedFile(outside, "target\\OLD.EXE-4.pf", 48);
    CString link = prefetch / "linked";
    ASSERT_TRUE(HostTools::MakeSymlink(link, outside / "target"));

    CHistoryCleaner engine;
    engine.RemovePrefetch(prefetch.Path());

    EXPECT_TRUE(Exists(outsideStale));
    EXPECT_TRUE(FileProbe::IsLink(link));
}

TEST(RemovePrefetch, SeesFilesAndFoldersNamedOutsideTheCodePage) {
    TempFolder prefetch;
    std::wstring root = WidePaths::Join(prefetch.Path(), L"");
    // "ĞAME.EXE-...": Ğ is missing from the code page.
    const std::wstring stale[] = {root + L"\u011EAME.EXE-1234ABCD.pf",
                                  root + WidePaths::kAccentedFolder + L"\\\u011EAME.EXE-00000001.pf"};
    const std::wstring fresh = root + L"\u011EAME.EXE-00000002.pf";
    ASSERT_TRUE(WidePaths::MakeFolder(root + WidePaths::kAccentedFolder));
    // Renaming keeps the age given under a plain name.
    const CString aged[] = {AgedFile(prefetch, "aged0.pf", 30, FILE_ATTRIBUTE_READONLY),
                            AgedFile(prefetch, "aged1.pf", 30)};
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(MoveFileW(WidePaths::Widened(aged[i]).c_str(), stale[i].c_str()));
    ASSERT_TRUE(WidePaths::MakeFile(fresh));

    CHistoryCleaner engine;
    engine.RemovePrefetch(prefetch.Path());

    for (const std::wstring& path : stale)
        EXPECT_FALSE(WidePaths::Exists(path));
    EXPECT_FALSE(WidePaths::Exists(root + WidePaths::kAccentedFolder));
    EXPECT_TRUE(WidePaths::Exists(fresh));
}

TEST(RemovePrefetch, DeletesNothingOnceStopped) {
    TempFolder prefetch;
    CString stale = AgedFile(prefetch, "APP.EXE-12345678.pf", 48);
    CHandle stop(CreateEventA(nullptr, TRUE, TRUE, nullptr));
    CHistoryCleaner engine(nullptr, stop);

    engine.RemovePrefetch(prefetch.Path());

    EXPECT_TRUE(Exists(stale));
}

TEST(RemovePrefetch, WithoutAFolderCleansTheWindowsPrefetchFolder) {
    EnsuredFolder prefetch(WindowsFolder() + "\\Prefetch");
    SeededPath stale(MakeFileAt(prefetch / "VANTREL.EXE-00000001.pf"));
    ASSERT_TRUE(SetAgeInHours(stale, 30));
    SeededPath fresh(MakeFileAt(prefetch / "VANTREL.EXE-00000002.pf"));

    CHistoryCleaner engine;
    RunItem(22, engine);

    EXPECT_FALSE(Exists(stale));
    EXPECT_TRUE(Exists(fresh));
}

TEST(UpdatePrefetchLayoutINI, DropsLinesNamingMissingPathsAndKeepsTheOthersInOrder) {
    LayoutIni layout;
    ASSERT_TRUE(layout.Write("[OptimalLayoutFile]\r\n"
                             "C:\\gone\\file.dll\r\n"
                             "C:\\windows\\win.ini\r\n"
                             "C:\\gone\\folder\r\n"
                             "C:\\windows\\system32\r\n"
                             "a=b\r\n"
                             "C:\\gone\\other.dll=kept\r\n"));

    CHistoryCleaner engine;
    RunItem(41, engine);

    EXPECT_EQ("[OptimalLayoutFile]\r\n"
              "C:\\windows\\win.ini\r\n"
              "C:\\windows\\system32\r\n"
              "a=b\r\n"
              "C:\\gone\\other.dll=kept\r\n",
              FileProbe::ReadBytes(layout));
    EXPECT_FALSE(Exists(CString(layout) + ".new"));
}

TEST(UpdatePrefetchLayoutINI, LeavesTheFileUntouchedWhenNoLineIsDropped) {
    LayoutIni layout;
    const std::string text = "; comment\r\n[OptimalLayoutFile]\r\nC:\\windows\\win.ini\r\nx=C:\\gone\r\n";
    ASSERT_TRUE(layout.Write(text));
    ASSERT_TRUE(SetAgeInHours(layout, 100));
    FILETIME before;
    ASSERT_TRUE(ReadWriteTime(layout, before));

    CHistoryCleaner engine;
    engine.UpdatePrefetchLayoutINI();

    FILETIME after;
    ASSERT_TRUE(ReadWriteTime(layout, after));
    EXPECT_EQ(text, FileProbe::ReadBytes(layout));
    EXPECT_TRUE(SameWriteTime(before, after));
}

TEST(UpdatePrefetchLayoutINI, CreatesNothingWithoutLayoutIni) {
    LayoutIni layout;
    DeleteFileA(layout);

    CHistoryCleaner engine;
    engine.UpdatePrefetchLayoutINI();

    EXPECT_FALSE(Exists(layout));
}
