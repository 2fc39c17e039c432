#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "ProgramTraceProfile.h"
#include "ScopedEnvironment.h"
#include "TraceFixtures.h"

using namespace TraceFixtures;

namespace {

CString Documents() { return SandboxFolder(CSIDL_PERSONAL); }

// A file of the user's that no cleaning may touch, removed at the end.
class DocumentsMarker {
public:
    DocumentsMarker() : m_path(Documents() + "\\vantrel-never-cleaned.txt") { FileProbe::WriteBytes(m_path, "mine"); }
    ~DocumentsMarker() { DeleteFileA(m_path); }
    DocumentsMarker(const DocumentsMarker&) = delete;
    DocumentsMarker& operator=(const DocumentsMarker&) = delete;

    bool Survived() const { return FileProbe::ReadBytes(m_path) == "mine"; }

private:
    CString m_path;
};

CString ShortName(const CString& path) {
    char shortPath[MAX_PATH] = "";
    DWORD length = GetShortPathNameA(path, shortPath, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? CString(shortPath) : CString();
}

}  // namespace

TEST(ProtectedFolders, CleanFolderRefusesDocumentsWrittenInAnyOtherWay) {
    DocumentsMarker marker;
    ASSERT_TRUE(marker.Survived());
    CString profile = Documents().Left(Documents().ReverseFind('\\'));
    ASSERT_TRUE(HostTools::MapDrive('Q', profile));
    CString documentsName = Documents().Mid(profile.GetLength() + 1);
    CHistoryCleaner engine;

    for (const CString& spelling : {"\\\\?\\" + Documents(), "\\\\.\\" + Documents(), ShortName(Documents()),
                                    "Q:\\" + documentsName, Documents() + "\\sub\\..\\"}) {
        ASSERT_FALSE(spelling.IsEmpty());
        EXPECT_EQ(0, engine.CleanFolder(spelling, nullptr, true, true, true)) << spelling.GetString();
        EXPECT_TRUE(marker.Survived()) << spelling.GetString();
    }
    HostTools::UnmapDrive('Q');
}

// Without TMP and TEMP pointing at a temp folder, the system's temp folder can be the profile or
// Documents.
TEST(ProtectedFolders, TheTempItemNeverEmptiesATempFolderThatIsDocuments) {
    DocumentsMarker marker;
    ScopedEnvironment tmp("TMP", "\\\\?\\" + Documents());
    ScopedEnvironment temp("TEMP", "\\\\?\\" + Documents());
    CHistoryCleaner engine;

    RunItem(6, engine);

    EXPECT_TRUE(marker.Survived());
}
