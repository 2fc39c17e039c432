#include "OwnerDraw.h"
#include "StyledListFixture.h"

#include <gtest/gtest.h>

const int StyledListFixture::kColumnWidths[3] = {150, 120, 100};

LRESULT StyledListHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= UM_NOTIFYLISTMOREDATA && message <= UM_NOTIFYLISTBTNCLICK) {
        notifications.push_back({message, wParam, lParam});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int StyledListHost::CountOf(UINT message) const {
    int count = 0;
    for (const Notification& notification : notifications)
        count += notification.message == message;
    return count;
}

StyledListFixture::StyledListFixture(DWORD extraStyle) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "StyledListTestHost";
    ::RegisterClassA(&windowClass);
    EXPECT_TRUE(host.CreateEx(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 420), nullptr, 0));
    const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | extraStyle;
    EXPECT_TRUE(list.Create(style, CRect(10, 10, 530, 330), &host, 100));
    for (int column = 0; column < 3; ++column)
        list.InsertColumn(column, "", LVCFMT_LEFT, kColumnWidths[column]);
}

void StyledListFixture::AddLines(int count) {
    for (int i = 0; i < count; ++i) {
        CString text;
        text.Format("item%d", list.GetItemCount());
        list.InsertItem(list.GetItemCount(), text);
    }
}

void StyledListFixture::Paint(PixelCanvas* canvas) {
    PixelCanvas scratch(520, 320, RGB(255, 255, 255));
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>((canvas ? canvas : &scratch)->Dc()), PRF_CLIENT);
    PumpFor(20);
}

void StyledListFixture::DrawLine(PixelCanvas& canvas, int line, UINT state) {
    DRAWITEMSTRUCT item = OwnerDrawItem(list, ODT_LISTVIEW, static_cast<UINT>(line), state, canvas.Dc(),
                                        CRect(0, 0, canvas.Width(), canvas.Height()));
    list.DrawItem(&item);
}

CRect StyledListFixture::CellRect(int line, int column) const {
    CRect row;
    list.GetItemRect(line, &row, LVIR_BOUNDS);
    for (int i = 0; i < column; ++i)
        row.left += kColumnWidths[i];
    row.right = row.left + kColumnWidths[column];
    return row;
}

void StyledListFixture::Click(CPoint point) {
    const LPARAM position = MAKELPARAM(point.x, point.y);
    // Queued first: the list's handling of the press waits for the button to come up.
    list.PostMessage(WM_LBUTTONUP, 0, position);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, position);
    PumpFor(30);
}

void StyledListFixture::Select(std::initializer_list<int> lines) {
    for (int line : lines)
        list.SetItemState(line, LVIS_SELECTED, LVIS_SELECTED);
}

std::vector<StyledListHost::Notification> StyledListFixture::Reports() const {
    std::vector<StyledListHost::Notification> reports;
    for (const StyledListHost::Notification& notification : host.notifications) {
        if (notification.message != UM_NOTIFYLISTMOREDATA)
            reports.push_back(notification);
    }
    return reports;
}
