#include "HistoryCleaner.h"
#include "UtilityLib.h"

void CHistoryCleaner::RemoveFlashTempFolder() {
    CString appData = CUtilityLib::GetAppDataPath(false, true);
    if (appData.IsEmpty())
        return;
    CleanFolder(appData + "\\Macromedia\\Flash Player\\#SharedObjects", nullptr, false, true, true);
    CleanFolder(appData + "\\Adobe\\Flash Player\\AssetCache", nullptr, false, true, true);
}
