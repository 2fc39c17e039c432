#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ProgramTraceProfile.h"
#include "TestFixtures.h"

using FileProbe::Exists;
using FileProbe::ReadBytes;

namespace {

CString RoamingProfile() {
    return SandboxFolder(CSIDL_APPDATA) + "\\Opera\\Opera";
}
CString LocalProfile() {
    return SandboxFolder(CSIDL_LOCAL_APPDATA) + "\\Opera\\Opera";
}

// An Opera profile in the sandbox's real folders; the link target is declared first so that
// the link is never left dangling.
struct OperaProfile {
    TempFolder outside;
    CString outsideFile = outside.MakeFile("target\\keep.txt", "outside");
    ProgramTraceProfile profile;
    CString roaming = RoamingProfile();
    CString local = LocalProfile();

    CString Roaming(const char* name, const char* content = "trace") {
        return profile.MakeFile(roaming + "\\" + name, content);
    }
    CString Local(const char* name) { return profile.MakeFile(local + "\\" + name); }
    bool OutsideIntact() const { return ReadBytes(outsideFile) == "outside"; }
};

const char kSession[] =
    "[session]\r\nversion=7000\r\nwindow count=2\r\n"
    "[1]\r\nx=0\r\n"
    "[1history url]\r\ncount=1\r\n1=http://one.example/\r\n"
    "[1history document type]\r\n1=0\r\n"
    "[1history title]\r\n1=One\r\n"
    "[1history scrollpos list]\r\n1=0\r\n"
    "[2]\r\nx=1\r\n"
    "[2HISTORY URL]\r\n1=http://two.example/\r\n"
    "[3history url]\r\n1=http://three.example/\r\n"
    "[01history title]\r\n1=padded\r\n"
    "[1history notes]\r\n1=kept\r\n";

std::string SectionNames(const char* file) {
    char names[4096] = "";
    DWORD length = GetPrivateProfileSectionNamesA(names, sizeof(names), file);
    std::string joined;
    for (const char* name = names; name < names + length && *name; name += lstrlenA(name) + 1)
        joined += std::string(name) + ";";
    return joined;
}

}  // namespace

TEST(RemoveOperaTempFiles, EmptiesCacheAndWidgetsEntirely) {
    OperaProfile opera;
    const CString folders[] = {opera.local + "\\cache", opera.local + "\\widgets"};
    for (const CString& folder : folders) {
        opera.profile.MakeFile(folder + "\\desktop.ini");
        opera.profile.MakeFile(folder + "\\part.tmp");
        opera.profile.MakeFile(folder + "\\g_0001\\opr0001.tmp");
        ASSERT_TRUE(opera.profile.MakeLink(folder + "\\linked", opera.outside / "target"));
    }
    CString kept = opera.Local("vps\\0000\\md.dat");

    CHistoryCleaner engine;
    engine.RemoveOperaTempFiles();
    for (const CString& folder : folders) {
        EXPECT_TRUE(FileProbe::IsFolder(folder)) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\desktop.ini")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\part.tmp")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\g_0001")) << (const char*)folder;
        EXPECT_TRUE(FileProbe::IsLink(folder + "\\linked")) << (const char*)folder;
    }
    EXPECT_TRUE(Exists(kept));
    EXPECT_TRUE(opera.OutsideIntact());
}

TEST(RemoveOperaHistory, DeletesHistoryFilesWidgetsAndTheWindowsHistorySections) {
    OperaProfile opera;
    CString typed = opera.Roaming("typed_history.xml");
    CString global = opera.Roaming("global_history.dat");
    CString cookies = opera.Roaming("cookies4.dat");
    CString session = opera.Roaming("sessions\\autosave.win", kSession);
    CString widget = opera.Local("widgets\\widget1\\config.xml");
    CString cache = opera.Local("cache\\opr00001.tmp");

    CHistoryCleaner engine;
    engine.RemoveOperaHistory();
    EXPECT_FALSE(Exists(typed));
    EXPECT_FALSE(Exists(global));
    EXPECT_FALSE(Exists(widget));
    EXPECT_TRUE(Exists(cookies));
    EXPECT_TRUE(Exists(cache));
    EXPECT_EQ("session;1;2;3history url;01history title;1history notes;", SectionNames(session));
    char value[64] = "";
    GetPrivateProfileStringA("2", "x", "", value, sizeof(value), session);
    EXPECT_STREQ("1", value);
}

TEST(RemoveOperaHistory, LeavesTheSessionFileAsItIsWithoutWindows) {
    OperaProfile opera;
    const char noWindows[] = "[session]\r\nwindow count=0\r\n[1history url]\r\n1=http://one.example/\r\n";
    const char noSession[] = "[1history url]\r\n1=http://one.example/\r\n[1]\r\nx=0\r\n";
    for (const char* content : {noWindows, noSession}) {
        CString session = opera.Roaming("sessions\\autosave.win", content);
        CHistoryCleaner engine;
        engine.RemoveOperaHistory();
        EXPECT_EQ(content, ReadBytes(session));
    }
}

// The count comes from the file: a huge one must not make the routine walk every number.
TEST(RemoveOperaHistory, AHugeWindowCountRemovesOnlyTheSectionsTheFileHolds) {
    OperaProfile opera;
    CString session = opera.Roaming("sessions\\autosave.win",
                                    "[session]\r\nwindow count=2147483647\r\n[7history title]\r\n1=Seven\r\n"
                                    "[7]\r\nx=0\r\n");
    CHistoryCleaner engine;
    engine.RemoveOperaHistory();
    EXPECT_EQ("session;7;", SectionNames(session));
}

TEST(RemoveOperaCookies, DeletesOnlyTheCookieFile) {
    OperaProfile opera;
    CString cookies = opera.Roaming("cookies4.dat");
    CString typed = opera.Roaming("typed_history.xml");
    CHistoryCleaner engine;
    engine.RemoveOperaCookies();
    EXPECT_FALSE(Exists(cookies));
    EXPECT_TRUE(Exists(typed));
}
