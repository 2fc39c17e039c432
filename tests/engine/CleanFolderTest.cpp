#include <gtest/gtest.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "LinkedTree.h"
#include "TestFixtures.h"
#include "UtilityLib.h"
#include "WidePaths.h"

using FileProbe::Exists;

namespace {

int Clean(const char* folder, bool includeDesktopIni, bool includeTmp, bool recurse,
          const CStringArray* exceptions = nullptr) {
    CHistoryCleaner engine;
    return engine.CleanFolder(folder, exceptions, includeDesktopIni, includeTmp, recurse);
}

// A marker file the test removes itself, for folders that no TempFolder owns.
class Marker {
public:
    explicit Marker(const CString& folder) : m_path(folder + "\\vantrel-clean-marker.txt") {
        FileProbe::WriteBytes(m_path, "marker");
    }
    ~Marker() { DeleteFileA(m_path); }
    bool Intact() const { return FileProbe::ReadBytes(m_path) == "marker"; }

private:
    CString m_path;
};

}  // namespace

TEST(CleanFolder, DeletesFilesAndWithRecurseSubfoldersButKeepsTheFolder) {
    TempFolder folder;
    folder.MakeFile("t\\a.txt");
    folder.MakeFile("t\\sub\\b.txt");
    folder.MakeFile("t\\sub\\deep\\c.txt");
    folder.MakeFolder("t\\empty");
    EXPECT_EQ(1, Clean(folder / "t", false, false, true));
    EXPECT_TRUE(FileProbe::IsFolder(folder / "t"));
    EXPECT_FALSE(Exists(folder / "t\\a.txt"));
    EXPECT_FALSE(Exists(folder / "t\\sub"));
    EXPECT_FALSE(Exists(folder / "t\\empty"));
}

TEST(CleanFolder, WithoutRecurseKeepsSubfoldersAndTheirContent) {
    TempFolder folder;
    folder.MakeFile("t\\a.txt");
    CString kept = folder.MakeFile("t\\sub\\b.txt");
    folder.MakeFolder("t\\empty");
    EXPECT_EQ(1, Clean(folder / "t\\", false, false, false));
    EXPECT_FALSE(Exists(folder / "t\\a.txt"));
    EXPECT_TRUE(Exists(kept));
    EXPECT_TRUE(FileProbe::IsFolder(folder / "t\\empty"));
}

TEST(CleanFolder, KeepsDesktopIniAtEveryLevelUnlessIncluded) {
    TempFolder folder;
    CString top = folder.MakeFile("t\\desktop.ini");
    CString nested = folder.MakeFile("t\\sub\\Desktop.INI");
    folder.MakeFile("t\\sub\\b.txt");
    EXPECT_EQ(1, Clean(folder / "t", false, true, true));
    EXPECT_TRUE(Exists(top));
    EXPECT_TRUE(Exists(nested));
    EXPECT_FALSE(Exists(folder / "t\\sub\\b.txt"));

    EXPECT_EQ(1, Clean(folder / "t", true, true, true));
    EXPECT_FALSE(Exists(top));
    EXPECT_FALSE(Exists(folder / "t\\sub"));
}

TEST(CleanFolder, KeepsTmpFilesAndFoldersUnlessIncluded) {
    TempFolder folder;
    CString lower = folder.MakeFile("t\\a.tmp");
    CString upper = folder.MakeFile("t\\B.TMP");
    CString inTmpFolder = folder.MakeFile("t\\cache.tmp\\inside.txt");
    CString nested = folder.MakeFile("t\\sub\\c.Tmp");
    folder.MakeFile("t\\sub\\d.txt");
    folder.MakeFile("t\\tmp.txt");
    EXPECT_EQ(1, Clean(folder / "t", false, false, true));
    EXPECT_TRUE(Exists(lower));
    EXPECT_TRUE(Exists(upper));
    EXPECT_TRUE(Exists(inTmpFolder));
    EXPECT_TRUE(Exists(nested));
    EXPECT_FALSE(Exists(folder / "t\\sub\\d.txt"));
    EXPECT_FALSE(Exists(folder / "t\\tmp.txt"));

    EXPECT_EQ(1, Clean(folder / "t", false, true, true));
    EXPECT_FALSE(Exists(lower));
    EXPECT_FALSE(Exists(upper));
    EXPECT_FALSE(Exists(folder / "t\\cache.tmp"));
    EXPECT_FALSE(Exists(folder / "t\\sub"));
}

TEST(CleanFolder, DeletesReadOnlyFilesAndFolders) {
    TempFolder folder;
    CString top = folder.MakeFile("t\\locked.txt", "x", FILE_ATTRIBUTE_READONLY);
    CString nested = folder.MakeFile("t\\sub\\locked.txt", "x", FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(folder / "t\\sub", FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(FileProbe::HasAttribute(top, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(1, Clean(folder / "t", false, false, true));
    EXPECT_FALSE(Exists(top));
    EXPECT_FALSE(Exists(folder / "t\\sub"));
}

TEST(CleanFolder, ExceptionsKeepMatchingFilesOfTheCleanedFolderOnly) {
    TempFolder folder;
    CString mixedCase = folder.MakeFile("t\\user@NAVER.com[1].txt");
    CString plain = folder.MakeFile("t\\user@daum.net[2].txt");
    folder.MakeFile("t\\user@other.org[1].txt");
    folder.MakeFile("t\\sub\\user@naver.com[3].txt");
    CStringArray exceptions;
    exceptions.Add("naver.com");
    exceptions.Add("daum");
    EXPECT_EQ(1, Clean(folder / "t", false, false, true, &exceptions));
    EXPECT_TRUE(Exists(mixedCase));
    EXPECT_TRUE(Exists(plain));
    EXPECT_FALSE(Exists(folder / "t\\user@other.org[1].txt"));
    EXPECT_FALSE(Exists(folder / "t\\sub"));
}

TEST(CleanFolder, RefusesDriveRootsDocumentsAndEveryFolderAboveIt) {
    CString documents = CUtilityLib::GetMyDocumentPath();
    ASSERT_GT(documents.GetLength(), 3);
    CString profile = CUtilityLib::GetParentFolder(documents);
    CString upperDocuments = documents;
    upperDocuments.MakeUpper();
    CString slashedProfile = profile;
    slashedProfile.Replace('\\', '/');
    Marker inRoot("C:");
    Marker inProfile(profile);
    Marker inDocuments(documents);

    EXPECT_EQ(0, Clean(nullptr, true, true, false));
    const CString refused[] = {"C:\\",  "C:",    "C:\\.\\",      documents,           documents + "\\",
                               profile, upperDocuments, slashedProfile, documents + "\\.."};
    for (const CString& folder : refused)
        EXPECT_EQ(0, Clean(folder, true, true, false)) << (const char*)folder;
    EXPECT_TRUE(inRoot.Intact());
    EXPECT_TRUE(inProfile.Intact());
    EXPECT_TRUE(inDocuments.Intact());
}

TEST(CleanFolder, LeavesFolderLinksAndWhatTheyPointAtAlone) {
    LinkedTree linked;
    EXPECT_EQ(1, Clean(linked.tree, true, true, false));
    EXPECT_FALSE(Exists(linked.inside / "tree\\own.txt"));
    EXPECT_TRUE(linked.LinkIntact());

    EXPECT_EQ(1, Clean(linked.tree, true, true, true));
    EXPECT_FALSE(Exists(linked.inside / "tree\\sub"));
    EXPECT_TRUE(linked.LinkIntact());
    EXPECT_TRUE(linked.OutsideIntact());
}

TEST(CleanFolder, RefusesAFolderThatIsItselfALink) {
    LinkedTree linked;
    EXPECT_EQ(0, Clean(linked.folderLink, true, true, true));
    EXPECT_EQ(0, Clean(linked.folderLink + "\\", true, true, true));
    EXPECT_TRUE(linked.LinkIntact());
    EXPECT_TRUE(linked.OutsideIntact());
}

TEST(CleanFolder, WithTheStopEventSetScansButDeletesNothing) {
    TempFolder folder;
    CString file = folder.MakeFile("t\\a.txt");
    CString nested = folder.MakeFile("t\\sub\\b.txt");
    HANDLE stop = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(nullptr, stop);
    CHistoryCleaner engine(nullptr, stop);
    EXPECT_EQ(1, engine.CleanFolder(folder / "t", nullptr, true, true, true));
    CloseHandle(stop);
    EXPECT_TRUE(Exists(file));
    EXPECT_TRUE(Exists(nested));
}

TEST(CleanFolder, GivesZeroForAMissingFolder) {
    TempFolder folder;
    EXPECT_EQ(0, Clean(folder / "missing", true, true, true));
    EXPECT_TRUE(FileProbe::IsFolder(folder.Path()));
}

TEST(CleanFolder, RemovesEntriesNamedOutsideTheCodePageAndKeepsTheRulesForThem) {
    TempFolder folder;
    std::wstring t = WidePaths::Join(folder.MakeFolder("t"), L"");
    const std::wstring accented = WidePaths::kAccentedFolder;
    const std::wstring removed[] = {t + WidePaths::kChineseLink, t + accented + L"\\" + WidePaths::kAccentedFile,
                                    t + accented};
    // The rules still hold on the ANSI names: "résumé.tmp" is a .tmp file, "ğ naver.com.txt" an exception.
    const std::wstring kept[] = {t + accented + L".tmp", t + L"\u011F naver.com.txt"};
    ASSERT_TRUE(WidePaths::MakeFile(removed[0], FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(WidePaths::MakeFile(removed[1]));
    ASSERT_TRUE(WidePaths::MakeFile(kept[0]));
    ASSERT_TRUE(WidePaths::MakeFile(kept[1]));
    CStringArray exceptions;
    exceptions.Add("naver.com");

    EXPECT_EQ(1, Clean(folder / "t", false, false, true, &exceptions));
    for (const std::wstring& path : removed)
        EXPECT_FALSE(WidePaths::Exists(path));
    for (const std::wstring& path : kept)
        EXPECT_TRUE(WidePaths::Exists(path));
}
