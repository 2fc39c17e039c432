#include "Settings.h"

#include "UtilityLib.h"

namespace Settings {

CString ConfigPath() {
    CString folder = CUtilityLib::GetAppDataPath(true, true);
    // Without the folder "\Config.ini" would name a file at the root of the current drive.
    return folder.IsEmpty() ? CString() : folder + "\\Config.ini";
}

}  // namespace Settings
