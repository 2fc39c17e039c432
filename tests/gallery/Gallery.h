#pragma once
// The control gallery's dialog.
#define IDD_GALLERY 100
#define IDC_BANNER 1000
#define IDC_TAB_CLEAN 1001
#define IDC_TAB_REGISTRY 1002
#define IDC_TAB_TOOLS 1003
#define IDC_ITEMS 1004
#define IDC_CHOICES 1005
#define IDC_ANIMATION 1006
#define IDC_RUN 1007
#define IDC_DISABLED 1008
#define IDC_PANEL 1009
#define IDC_NOTE 1010
