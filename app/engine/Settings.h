#pragma once
#include "Framework.h"

// Where the user's settings live. Read with their default at every use, never cached.
namespace Settings {

// <application-data folder>\Config.ini; the folder follows CUtilityLib's application-data
// sub-path, which start-up sets to "vantrel". "" when that folder is unknown: read nothing then.
CString ConfigPath();

}  // namespace Settings
