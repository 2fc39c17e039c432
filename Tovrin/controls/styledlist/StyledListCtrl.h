#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "Arrays.h"
#include "Controls.h"
#include "StyledLineRecord.h"
#include "StyledListMessages.h"
#include "TovrinApi.h"

// An owner-drawn report list (create or template it with LVS_REPORT | LVS_OWNERDRAWFIXED) whose
// lines carry a record with a stable line id, a check box the control draws itself, colours,
// font flags, button cells, a progress column and a path column; it posts the UM_NOTIFYLIST*
// messages to its parent. Its parent must be a CWnd so that WM_DRAWITEM, WM_MEASUREITEM and
// LVN_COLUMNCLICK are reflected to it, and the Space, Ctrl+A and right-arrow rules need a modal
// loop that calls PreTranslateMessage.
//
// Every line gets its record however it is inserted (LVM_INSERTITEMA): an item-data value given
// with LVIF_PARAM goes into the record. Operations on an index without a record change nothing
// and return 0.
class TOVRIN_API CStyledListCtrl : public CListCtrl {
public:
    CStyledListCtrl();
    ~CStyledListCtrl() override;

    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id) override;

    // Lines. DeleteItem and DeleteAllItems of CListCtrl free the records.
    DWORD GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD data);
    DWORD GetLineID(int index) const;
    int GetLineIndex(DWORD lineId) const;
    void DeleteSelectedItem();

    // Check boxes: a new line is unchecked.
    BOOL GetCheck(int index) const;
    void SetCheck(int index, BOOL check);
    void CheckAllItem();
    void UncheckAllItem();
    // A disabled check is drawn inactive and neither a click nor Space toggles it.
    void SetCheckDisable(int index, bool disable);
    void ShowCheckBox(bool show);

    // Looks of lines, cells and columns.
    void EnableStyledText(bool enable);
    void SetTextColor(int index, COLORREF colour);
    void SetTextColor(int index, int column, COLORREF colour);
    void ClearTextColor(int index);
    void ClearTextColor(int index, int column);
    void SetBkgColor(int index, COLORREF colour);
    void SetBkgColor(int index, int column, COLORREF colour);
    void ClearBkgColor(int index);
    void ClearBkgColor(int index, int column);
    void SetBkgColumColor(int column, COLORREF colour);
    void ClearBkgColumnColor(int column);
    void SetBold(int index, bool bold);
    void SetBold(int index, int column, bool bold);
    void SetItalic(int index, bool italic);
    void SetItalic(int index, int column, bool italic);
    void SetUnderline(int index, bool underline);
    void SetUnderline(int index, int column, bool underline);
    // A cancelled line is drawn struck through.
    void SetCancel(int index, bool cancel);
    void SetColorFocused(COLORREF colour) { m_focusedColour = colour; }
    void SetColorNormalText(COLORREF colour) { m_normalTextColour = colour; }
    // Kept for callers only: selected lines draw their text colour inverted.
    void SetColorSelectedText(COLORREF colour) { m_selectedTextColour = colour; }
    // With WS_BORDER (which the set-up takes away with the caption bits; a caller may add it
    // back) the list has a one-pixel blue-grey frame, or this two-pixel one while focused.
    void SetFocusFrame(bool show, COLORREF colour);
    void SetPathColumn(int column) { m_pathColumn = column; }
    void SetProgressBarColumn(int column) { m_progressColumn = column; }
    // Cells keep the column's current format as their alignment; the header gets the new one.
    void SetHeaderAlign(int column, int format);

    // The last column takes the rest of the client width; only when forced or auto adjust is on.
    void AdjustColumnWidth(bool force);
    void SetAutoAdjust(bool autoAdjust) { m_autoAdjust = autoAdjust; }

    // Selection and focus; the data forms give 0xFFFFFFFF when there is no such line.
    void SelectClear();
    int GetSelectedIndex() const;
    int GetSelectedIndex(CDWordArray& indexes) const;
    DWORD GetSelectedItemData() const;
    int GetSelectedItemData(CDWordArray& data) const;
    int GetFocusedIndex() const;
    DWORD GetFocusedItemData() const;

    // Ascending by weight; lines start at 0.
    void SetCustomSortWeight(int index, int weight);
    void PerformSortByCustomSortWeight();

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    struct Cell {
        int column;
        CRect rect;
    };
    struct LineLook;

    // Window set-up and plumbing (StyledListCtrl.cpp).
    void SetUpWindow();
    void MeasureRowsAgain();
    void NotifyParent(UINT message, LPARAM lParam);
    void RedrawLine(int index);
    void RedrawAll();
    std::vector<Cell> CellsOfRow(const CRect& row) const;
    void InvalidateColumn(int column);
    LRESULT OnSize();
    LRESULT OnNcPaint();
    LRESULT OnFocusChange();

    // Records (StyledListLines.cpp).
    LRESULT InsertLine(const LVITEMA* requested);
    LRESULT DeleteLine(int index);
    LRESULT DeleteAllLines();
    StyledLineRecord* RecordAt(int index) const;
    StyledLineRecord* RecordOfParam(LPARAM param) const;
    DWORD NextLineId();
    // Calls change(record) for the line's record, then redraws the line.
    template <typename Change>
    void ChangeLine(int index, Change change);

    // Drawing (StyledListDraw.cpp).
    void NoteLineDrawn(int index);
    LineLook LookOfLine(int index, UINT state) const;
    void DrawCell(HDC dc, int index, const Cell& cell, const LineLook& look);
    int DrawFirstColumnLead(HDC dc, int index, const CRect& content, const LineLook& look);
    void DrawButtonCell(HDC dc, const CRect& content, const CString& text);
    void DrawProgressCell(HDC dc, const CRect& content, const CString& text);
    void DrawTextCell(HDC dc, int column, CRect area, const CString& text, const LineLook& look);
    COLORREF TextColourOf(const StyledLineRecord* record, int column, const LineLook& look) const;
    HFONT ButtonFont() const;
    UINT CellAlignment(int column) const;

    // Mouse, keyboard, timer (StyledListInput.cpp).
    LRESULT OnLButtonDown(WPARAM keys, LPARAM position);
    void ToggleCheckAt(int index, int x);
    void NotifyCellClick(int index, CPoint point, WPARAM keys, LPARAM position);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnMouseWheel(WPARAM wParam);
    bool IsSelectAllKey(const MSG& msg) const;
    void ToggleSelectedChecks();

    // Sorting (StyledListSort.cpp).
    void SortByColumn(int column);

    COLORREF m_focusedColour;
    COLORREF m_normalTextColour;
    COLORREF m_selectedTextColour;
    int m_lastDrawnLine;
    std::map<int, COLORREF> m_columnBkgColours;
    std::map<int, int> m_cellAlignment;
    bool m_focusFrame;
    COLORREF m_focusFrameColour;
    bool m_autoAdjust;
    bool m_showCheckBox;
    bool m_styledText;
    int m_progressColumn;
    int m_pathColumn;
    int m_sortedColumn;
    bool m_sortAscending;
    int m_checkBoxLeft;
    int m_checkBoxRight;
    DWORD m_pendingButtonCell;

    // Owned records by the value stored as the line's LVIF_PARAM; a value that is not a key
    // here (a line inserted while memory ran out) has no record.
    std::unordered_map<LPARAM, std::unique_ptr<StyledLineRecord>> m_records;
    DWORD m_lastLineId;
    bool m_creating;
};
