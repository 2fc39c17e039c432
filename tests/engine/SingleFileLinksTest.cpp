#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "ProgramTraceProfile.h"
#include "TraceFixtures.h"

using namespace TraceFixtures;

namespace {

// A host symbolic link in the place of a file that a routine deletes or rewrites, pointing at a
// file of someone else's. Under Wine it looks like a plain file, and deleting it deletes the target.
class LinkedFile {
public:
    LinkedFile(const CString& path, const std::string& content)
        : m_folder(path.Left(path.ReverseFind('\\'))),
          m_link(path),
          m_target(m_outside.MakeFile("target.bin", content.c_str())),
          m_content(content) {
        m_made = !FileProbe::Exists(path) && HostTools::MakeSymlink(path, m_target);
    }

    bool IsMade() const { return m_made; }
    // The target kept its bytes and is still what the path names.
    bool TargetUntouched() const {
        return FileProbe::ReadBytes(m_target) == m_content && FileProbe::ReadBytes(m_link) == m_content;
    }

private:
    OutsideFolder m_outside;
    EnsuredFolder m_folder;
    SeededPath m_link;
    CString m_target;
    std::string m_content;
    bool m_made = false;
};

}  // namespace

TEST(SingleFileLinks, NoItemDeletesOrRewritesTheTargetOfALinkInItsFilesPlace) {
    const CString windows = WindowsFolder();
    const CString opera = SandboxFolder(CSIDL_APPDATA) + "\\Opera\\Opera";
    const struct {
        int item;
        CString path;
        std::string content;
    } cases[] = {
        {46, opera + "\\typed_history.xml", "typed"},
        {46, opera + "\\global_history.dat", "global"},
        {46, opera + "\\sessions\\autosave.win",
         "[session]\r\nwindow count=1\r\n[1history url]\r\ncount=1\r\n1=http://example.invalid/\r\n"},
        {47, opera + "\\cookies4.dat", "cookies"},
        {19, SandboxFolder(CSIDL_APPDATA) + "\\ESTsoft\\ALSEE\\PathHistory.dat", "paths"},
        {37, SandboxFolder(CSIDL_PERSONAL) + "\\Default.rdp", "rdp"},
        {39, windows + "\\KB123456.log", "update log"},
        {43, windows + "\\setupapi.log", "device log"},
        {41, windows + "\\Prefetch\\Layout.ini", "[OptimalLayoutFile]\r\nC:\\vantrel-gone\\file.dll\r\n"},
        {25, windows + "\\buddybuddy.ini", "[LOGON]\r\nID=me\r\n"},
    };
    for (const auto& c : cases) {
        LinkedFile linked(c.path, c.content);
        ASSERT_TRUE(linked.IsMade()) << c.path.GetString();
        CHistoryCleaner engine(nullptr, nullptr, 1);

        RunItem(c.item, engine);

        EXPECT_TRUE(linked.TargetUntouched()) << c.item << ": " << c.path.GetString();
    }
}

// The rewritten Layout.ini is written to a new file first; a link where that file would go must
// not take the text.
TEST(SingleFileLinks, TheLayoutRewriteNeverWritesThroughALinkBesideTheFile) {
    const CString prefetch = WindowsFolder() + "\\Prefetch";
    LinkedFile besides(prefetch + "\\Layout.ini.new", "someone else's");
    ASSERT_TRUE(besides.IsMade());
    SeededPath layout(MakeFileAt(prefetch + "\\Layout.ini", "[OptimalLayoutFile]\r\nC:\\vantrel-gone\\file.dll\r\n"));
    CHistoryCleaner engine;

    engine.UpdatePrefetchLayoutINI();

    EXPECT_TRUE(besides.TargetUntouched());
    EXPECT_EQ("[OptimalLayoutFile]\r\n", FileProbe::ReadBytes(layout));
}
