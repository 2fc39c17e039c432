#include "APPCommonServiceWnd.h"
#include "AboutDlg.h"
#include "HelpPage.h"

void CAPPCommonServiceWnd::ShowAboutDialog(HWND parent) { CAboutDlg::Run(Owner(parent), m_displayName, m_hAppIcon); }

void CAPPCommonServiceWnd::GotoHelpPage() { OpenHelpPage(); }
