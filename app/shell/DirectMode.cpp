#include "DirectMode.h"

#include <set>

#include "CleanupCatalogue.h"
#include "HistoryCleaner.h"
#include "ItemDispatch.h"
#include "RegBackupWriter.h"
#include "UtilityLib.h"

namespace {

const int kAddOnSettingsItem = 48;
const int kDevStudioItem = 49;

std::set<CString> LowerCaseKeys(const char* keyList) {
    CStringArray pieces;
    CUtilityLib::SplitStringByToken(keyList, ',', pieces);
    std::set<CString> keys;
    for (int i = 0; i < pieces.GetSize(); ++i) {
        CString key = pieces[i];
        keys.insert(key.MakeLower());
    }
    return keys;
}

// Items 48 and 49 have no case in the item dispatch: direct mode is the only way to run them.
void RunItem(int id, CHistoryCleaner& engine, CRegBackupWriter& writer) {
    if (id == kAddOnSettingsItem)
        engine.ApplyAddOnSettings(1);
    else if (id == kDevStudioItem)
        engine.RemoveMSDevStudioRecentHistory();
    else
        DispatchItem(id, engine, writer, nullptr);
}

}  // namespace

void SelectDirectModeItems(const char* line, CDWordArray& ids) {
    if (!line || *line != '/')
        return;
    std::set<CString> keys = LowerCaseKeys(line + 1);
    for (int id : Catalogue::DirectModeOrder()) {
        CString key = Catalogue::FindItem(id)->optionKey;
        if (keys.count(key.MakeLower()))
            ids.Add(id);
    }
}

void RunDirectMode(const char* line) {
    CDWordArray ids;
    SelectDirectModeItems(line, ids);
    CUtilityLib::SetAppDataSubPath("vantrel");
    CHistoryCleaner engine;
    engine.PlanShellRestarts(ids);
    // No file name: every backup fails, so no registry check could delete anything here.
    CRegBackupWriter writer;
    for (int i = 0; i < ids.GetSize(); ++i)
        RunItem(static_cast<int>(ids[i]), engine, writer);
}
