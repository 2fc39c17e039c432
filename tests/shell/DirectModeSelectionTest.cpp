#include <gtest/gtest.h>

#include <vector>

#include "CleanupCatalogue.h"
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
    Catalogue::IdList order = Catalogue::DirectModeOrder();
    CString line = "/";
    for (int i = order.count - 1; i >= 0; --i) {
        CString key = Catalogue::FindItem(order.first[i])->optionKey;
        line += (i % 2 ? key.MakeUpper() : key) + ",";
    }
    EXPECT_EQ(Ids(order.begin(), order.end()), Selected(line));
}
