#pragma once
#include <windows.h>

#include <vector>

#include "MessagePump.h"
#include "PixelCanvas.h"
#include "StyledListCtrl.h"

// A hidden top-level window recording the list notifications posted to it. Hidden windows need
// no display (and close at once under Wine); the list paints through WM_PRINTCLIENT.
class StyledListHost : public CWnd {
public:
    struct Notification {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int CountOf(UINT message) const;

    std::vector<Notification> notifications;
};

// The host with an owner-drawn report list of three columns, 150, 120 and 100 pixels wide.
class StyledListFixture {
public:
    static const int kColumnWidths[3];

    explicit StyledListFixture(DWORD extraStyle = LVS_SHOWSELALWAYS);
    // Appends "item<index>" lines.
    void AddLines(int count);
    // The list paints itself (its lines through the host's WM_DRAWITEM); this records the
    // check box range.
    void Paint(PixelCanvas* canvas = nullptr);
    // One line drawn by DrawItem over the whole canvas.
    void DrawLine(PixelCanvas& canvas, int line, UINT state = 0);
    CRect CellRect(int line, int column) const;
    void Click(CPoint point);
    void Select(std::initializer_list<int> lines);
    // Notifications other than UM_NOTIFYLISTMOREDATA, which any painting may post.
    std::vector<StyledListHost::Notification> Reports() const;

    StyledListHost host;
    CStyledListCtrl list;
};
