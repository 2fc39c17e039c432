#pragma once
// Dialog templates of the framework tests.
#define IDD_HIDDEN 100
#define IDD_VISIBLE 101
#define IDC_OWNERDRAWN 1001
#define IDC_NAME 1002
#define IDC_LIST 1003
