#pragma once

#define IDD_BUSY_NOTICE 141

#define IDC_BUSY_TEXT 1001
