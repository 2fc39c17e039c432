#pragma once

#define IDD_NOTICE 1014
#define IDC_NOTICE_BROWSER 1015
