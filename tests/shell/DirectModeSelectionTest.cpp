#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "DirectMode.h"

namespace {

std::vector<int> Selected(const char* line) {
    CDWordArray ids;
    SelectDirectModeItems(line, ids);
    std::vector<int> result;
    for (int i = 0; i < ids.GetSize(); ++i)
        result.push_back(static_cast<int>(ids[i]));
    return result;
}

using Ids = std::vector<int>;

}  // namespace

TEST(DirectModeSelection, RunsItemsInTheFixedOrderWhateverTheirOrderOnTheLine) {
    EXPECT_EQ(Ids({1, 2}), Selected("/removeiecookies,removeietempfiles"));
    EXPECT_EQ(Ids({1, 2}), Selected("/removeietempfiles,removeiecookies"));
    // DisableBHOs first, the prefetch items in the middle, the tray last.
    EXPECT_EQ(Ids({48, 22, 41, 44}), Selected("/removetrayhistory,updateprefetchlayoutini,removeprefetch,disablebhos"));
}

TEST(DirectModeSelection, MatchesKeysWithoutCase) {
    EXPECT_EQ(Ids({1, 2, 14}), Selected("/REMOVEIECOOKIES,RemoveIETempFiles,removeMediaPlayerHISTORY"));
}

TEST(DirectModeSelection, RunsAKeyGivenSeveralTimesOnce) {
    EXPECT_EQ(Ids({2}), Selected("/removeiecookies,REMOVEIECOOKIES,RemoveIECookies"));
}

TEST(DirectModeSelection, IgnoresUnknownKeysAndEmptyPieces) {
    EXPECT_EQ(Ids({1, 2}), Selected("/,removeietempfiles,,nosuchitem,쿠키삭제,removeiecookies,"));
    // Pieces are whole keys: blanks and extra letters make them unknown.
    EXPECT_EQ(Ids(), Selected("/ removeiecookies,removeietempfiles x,removeiecookiesx"));
}

TEST(DirectModeSelection, NeverRunsTheRegistryChecks) {
    EXPECT_EQ(Ids(), Selected("/registrycheckmuicache,RegistryCheckAppPaths,registrychecksoundsetting"));
}

TEST(DirectModeSelection, SelectsNothingForABareSlashOrALineWithoutIt) {
    EXPECT_EQ(Ids(), Selected("/"));
    EXPECT_EQ(Ids(), Selected(""));
    EXPECT_EQ(Ids(), Selected("removeiecookies"));
    EXPECT_EQ(Ids(), Selected(nullptr));
}

TEST(DirectModeSelection, EveryKeyGivenBackwardsSelectsTheWholeListInOrder) {
    // The 38 keys of direct mode in the order it runs them, each with its item.
    const struct {
        const char* key;
        int id;
    } runOrder[] = {
        {"DisableBHOs", 48},
        {"RemoveIETempFiles", 1},
        {"RemoveIECacheIndexDat", 15},
        {"RemoveIECookies", 2},
        {"RemoveIECookieIndexDat", 16},
        {"RemoveIEAddressBarHistory", 3},
        {"RemoveIEAutomaticPassword", 4},
        {"RemoveIEVisitWebSiteHistory", 5},
        {"RemoveFlashTempFolder", 38},
        {"RemoveOperaTempFiles", 45},
        {"RemoveOperaHistory", 46},
        {"RemoveOperaCookies", 47},
        {"RemoveMediaPlayerHistory", 14},
        {"RemoveGOMPlayerHistory", 18},
        {"RemoveALSEEHistory", 19},
        {"RemoveAdobeHistory", 50},
        {"RemoveALZIPExtractHistory", 40},
        {"RemoveOfficeRecentHistory", 20},
        {"RemoveHWPRecentHistory", 21},
        {"RemoveMSDevStudioRecentHistory", 49},
        {"RemoveComDlgOpenHistory", 17},
        {"RemoveMSNMessengerHistory", 23},
        {"RemoveNateOnMessengerHistory", 24},
        {"RemoveBuddyBuddyHistory", 25},
        {"RemoveTerminalServiceHistory", 37},
        {"RemovePrefetch", 22},
        {"UpdatePrefetchLayoutINI", 41},
        {"RemoveWindowsTempFiles", 6},
        {"EmptyWindowsRecycleBin", 7},
        {"RemoveNTUninstall", 42},
        {"RemoveWindowsRecentDocumentHistory", 8},
        {"RemoveWindowsRunHistory", 9},
        {"RemoveWindowsFindFilesHistory", 10},
        {"RemoveWindowsFindComputerHistory", 11},
        {"RemoveWindowsNetworkConnectionHistory", 12},
        {"RemoveWindowsUpdateLogFile", 39},
        {"RemoveUSBHistory", 43},
        {"RemoveTrayHistory", 44},
    };
    CString line = "/";
    Ids expected;
    for (int i = static_cast<int>(std::size(runOrder)) - 1; i >= 0; --i) {
        CString key = runOrder[i].key;
        line += (i % 2 ? key.MakeUpper() : key) + ",";
    }
    for (const auto& entry : runOrder)
        expected.push_back(entry.id);

    EXPECT_EQ(expected, Selected(line));
}
