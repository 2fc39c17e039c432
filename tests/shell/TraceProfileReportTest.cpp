#include <gtest/gtest.h>

#include <windows.h>

#include "ProgramRun.h"
#include "SeedManifest.h"
#include "TestFixtures.h"

namespace {

// Far above a report of two entries; only a hang reaches it.
const DWORD kPatienceMs = 60000;

// The seed manifest that TraceProfile reads, put in place by the test and taken away afterwards;
// a manifest that was there before is set aside and comes back.
class ManifestInPlace {
public:
    ManifestInPlace() : m_aside(CSeedManifest::FilePath() + ".aside") {
        m_setAside = MoveFileExA(CSeedManifest::FilePath(), m_aside, MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    ~ManifestInPlace() {
        DeleteFileA(CSeedManifest::FilePath());
        if (m_setAside)
            MoveFileExA(m_aside, CSeedManifest::FilePath(), MOVEFILE_REPLACE_EXISTING);
        else
            RemoveDirectoryA(CSeedManifest::Folder());
    }
    ManifestInPlace(const ManifestInPlace&) = delete;
    ManifestInPlace& operator=(const ManifestInPlace&) = delete;

private:
    CString m_aside;
    bool m_setAside = false;
};

SeedEntry SurvivingFile(const char* label, const CString& path, long long bytes) {
    SeedEntry entry;
    entry.role = SeedRole::Survivor;
    entry.kind = SeedKind::File;
    entry.label = label;
    entry.path = path;
    entry.bytes = bytes;
    return entry;
}

DWORD Report() {
    DWORD exitCode = 99;
    EXPECT_TRUE(ProgramRun::RunToEnd("\"" + ProgramRun::BuildFolder() + "\\TraceProfile.exe\" report", kPatienceMs,
                                     exitCode));
    return exitCode;
}

}  // namespace

// Scripts and tests learn from the exit code that the cleaning took what it had to leave.
TEST(TraceProfileReport, ExitsWithThreeOnceSomethingThatMustSurviveIsLost) {
    TempFolder folder;
    CString kept = folder.MakeFile("kept.txt", "stays");
    CString lost = folder.MakeFile("lost.txt", "goes");
    ManifestInPlace place;
    CSeedManifest manifest;
    manifest.Add(SurvivingFile("a kept file", kept, 5));
    manifest.Add(SurvivingFile("a file to lose", lost, 4));
    ASSERT_TRUE(manifest.Save());

    EXPECT_EQ(0u, Report());
    ASSERT_TRUE(DeleteFileA(lost));
    EXPECT_EQ(3u, Report());
}
