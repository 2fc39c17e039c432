#pragma once
#include "SelkorApi.h"

// GotoHelpPage: service.ini [Help] URL ("about:blank" when empty) in the system browser.
SELKOR_API void OpenHelpPage();
