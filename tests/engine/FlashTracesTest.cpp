#include <gtest/gtest.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ProgramTraceProfile.h"
#include "RedirectedAppData.h"
#include "TestFixtures.h"

using FileProbe::Exists;

TEST(RemoveFlashTempFolder, EmptiesSharedObjectsAndAssetCacheKeepingOnlyDesktopIni) {
    RedirectedAppData appData;
    TempFolder outside;
    CString outsideFile = outside.MakeFile("target\\keep.sol", "outside");
    ProgramTraceProfile profile;
    CString flash = appData.Home() + "\\AppData\\LocalLow\\Macromedia\\Flash Player";
    const CString folders[] = {flash + "\\#SharedObjects",
                               appData.Home() + "\\AppData\\LocalLow\\Adobe\\Flash Player\\AssetCache"};
    for (const CString& folder : folders) {
        profile.MakeFile(folder + "\\desktop.ini");
        profile.MakeFile(folder + "\\download.tmp");
        profile.MakeFile(folder + "\\ABCD1234\\site.example\\game.sol");
        ASSERT_TRUE(profile.MakeLink(folder + "\\linked", outside / "target"));
    }
    CString settings = profile.MakeFile(flash + "\\macromedia.com\\support\\flashplayer\\sys\\settings.sol");

    CHistoryCleaner engine;
    engine.RemoveFlashTempFolder();
    for (const CString& folder : folders) {
        EXPECT_TRUE(Exists(folder + "\\desktop.ini")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\download.tmp")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\ABCD1234")) << (const char*)folder;
        EXPECT_TRUE(FileProbe::IsLink(folder + "\\linked")) << (const char*)folder;
    }
    EXPECT_TRUE(Exists(settings));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideFile));
}
