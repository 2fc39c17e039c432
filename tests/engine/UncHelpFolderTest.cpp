#include <windows.h>

#include <gtest/gtest.h>

#include "HistoryCleaner.h"
#include "HostTools.h"
#include "RegBackupWriter.h"
#include "TestFixtures.h"
#include "TraceFixtures.h"

using namespace TraceFixtures;

namespace {

const char kHelpKey[] = "SOFTWARE\\Microsoft\\Windows\\Help";

// "\\vantrelhelp\manuals" for a folder of the sandbox.
class ManualsShare {
public:
    ManualsShare() : m_mapped(HostTools::MapShare("vantrelhelp", "manuals", m_folder.Path())) {}
    ~ManualsShare() { HostTools::UnmapShare("vantrelhelp"); }
    ManualsShare(const ManualsShare&) = delete;
    ManualsShare& operator=(const ManualsShare&) = delete;

    bool IsMapped() const { return m_mapped; }
    const OutsideFolder& Folder() const { return m_folder; }

private:
    OutsideFolder m_folder;
    bool m_mapped;
};

}  // namespace

TEST(HelpFolders, AHelpFileOnAShareIsJudgedAtItsServerPath) {
    ManualsShare share;
    ASSERT_TRUE(share.IsMapped());
    share.Folder().MakeFile("manual.hlp");
    EnsuredKey help(HKEY_LOCAL_MACHINE, kHelpKey);
    SeededValue present(HKEY_LOCAL_MACHINE, kHelpKey, "manual.hlp", "\\\\vantrelhelp\\manuals");
    SeededValue gone(HKEY_LOCAL_MACHINE, kHelpKey, "vantrel-gone.hlp", "\"\\\\vantrelhelp\\manuals\\\"");
    TempFolder backups;
    CRegBackupWriter writer;
    writer.SetFileName(backups / "help.REG");
    CHistoryCleaner engine;

    engine.RegistryCheckHelpFile(writer);

    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kHelpKey, "manual.hlp"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kHelpKey, "vantrel-gone.hlp"));
    ASSERT_EQ(1, engine.Findings().GetSize());
    EXPECT_EQ("도움말 파일 참조\t\\\\vantrelhelp\\manuals\\vantrel-gone.hlp\t"
              "HKLM\\Software\\Microsoft\\Windows\\Help\\vantrel-gone.hlp",
              engine.Findings()[0]);
}
