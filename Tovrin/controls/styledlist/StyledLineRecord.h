#pragma once
#include <windows.h>

#include <map>
#include <optional>
#include <set>

#include "TovrinApi.h"

// What CStyledListCtrl keeps about one line. The list's own item data (LVIF_PARAM) points at it;
// the caller's item data lives here.
struct StyledLineRecord {
    explicit StyledLineRecord(DWORD id);
    ~StyledLineRecord();
    StyledLineRecord(const StyledLineRecord&) = delete;
    StyledLineRecord& operator=(const StyledLineRecord&) = delete;

    // Records alive in the process: a leak or a double free shows here.
    TOVRIN_API static long LiveCount();

    const DWORD lineId;
    DWORD itemData = 0;
    bool checked = false;
    bool checkDisabled = false;
    std::optional<COLORREF> textColour;
    std::optional<COLORREF> bkgColour;
    std::map<int, COLORREF> columnTextColours;
    std::map<int, COLORREF> columnBkgColours;
    std::set<int> boldColumns;
    std::set<int> italicColumns;
    std::set<int> underlineColumns;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool cancel = false;
    int sortWeight = 0;
};
