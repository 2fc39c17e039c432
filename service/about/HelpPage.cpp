#include "HelpPage.h"

#include "ServiceFile.h"
#include "browser/SystemBrowser.h"

void OpenHelpPage() { OpenInSystemBrowser(CServiceFile::Read("Help", "URL", "about:blank")); }
