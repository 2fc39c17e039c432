#include "Settings.h"

#include "UtilityLib.h"

namespace Settings {

CString ConfigPath() { return CUtilityLib::GetAppDataPath(true, true) + "\\Config.ini"; }

}  // namespace Settings
