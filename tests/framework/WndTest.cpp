#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "Controls.h"
#include "Wnd.h"

namespace {

const char* const kProbeClass = "FxProbeWindow";

// A plain window class whose procedure counts what reaches it behind a subclass.
int g_originalCalls = 0;
LRESULT CALLBACK OriginalProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP)
        return ++g_originalCalls;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void RegisterProbeClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &OriginalProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kProbeClass;
    ::RegisterClassA(&windowClass);
}

HWND MakeProbeWindow(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
    RegisterProbeClass();
    return ::CreateWindowExA(0, kProbeClass, "probe", style, 0, 0, 200, 100, parent, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

class RecordingWnd : public CWnd {
public:
    std::vector<UINT> seen;
    bool throwOnApp1 = false;
    bool* deleted = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        switch (message) {
        case WM_APP + 1:
            if (throwOnApp1)
                throw std::runtime_error("handler failed");
            return 77;
        case WM_APP + 2:
            return Default() + 1000;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool Saw(UINT message) const {
        for (UINT m : seen)
            if (m == message)
                return true;
        return false;
    }

protected:
    void PostNcDestroy() override {
        if (deleted) {
            *deleted = true;
            delete this;
        }
    }
};

TEST(WndTest, SubclassRoutesMessagesThroughTheObjectAndDefaultReachesTheOriginalProcedure) {
    HWND window = MakeProbeWindow();
    ASSERT_TRUE(window);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(window));
    EXPECT_EQ(CWnd::FromHandlePermanent(window), &wnd);

    g_originalCalls = 0;
    EXPECT_EQ(::SendMessageA(window, WM_APP + 1, 0, 0), 77);
    EXPECT_EQ(::SendMessageA(window, WM_APP, 0, 0), 1) << "unhandled messages reach the original procedure";
    EXPECT_EQ(::SendMessageA(window, WM_APP + 2, 0, 0), 1000) << "Default passes the current message on";

    EXPECT_EQ(wnd.UnsubclassWindow(), window);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC)), &OriginalProcedure);
    EXPECT_EQ(::SendMessageA(window, WM_APP + 1, 0, 0), 0);
    ::DestroyWindow(window);
}

TEST(WndTest, AWindowIsAttachedToOneObjectOnly) {
    HWND window = MakeProbeWindow();
    RecordingWnd first, second;
    ASSERT_TRUE(first.SubclassWindow(window));
    EXPECT_FALSE(second.SubclassWindow(window));
    EXPECT_FALSE(second.Attach(window));
    EXPECT_EQ(second.m_hWnd, nullptr);
    first.DestroyWindow();
}

TEST(WndTest, AnExceptionInAHandlerStopsAtTheWindowProcedure) {
    HWND window = MakeProbeWindow();
    RecordingWnd wnd;
    wnd.throwOnApp1 = true;
    ASSERT_TRUE(wnd.SubclassWindow(window));
    EXPECT_EQ(::SendMessageA(window, WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(window, WM_APP + 2, 0, 0), 1000) << "the window keeps working";
    wnd.DestroyWindow();
}

TEST(WndTest, CreateExAttachesBeforeTheFirstMessageAndDestructionDetaches) {
    RecordingWnd wnd;
    RegisterProbeClass();
    ASSERT_TRUE(wnd.CreateEx(0, kProbeClass, "made", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0));
    EXPECT_TRUE(wnd.Saw(WM_NCCREATE));
    EXPECT_TRUE(wnd.Saw(WM_CREATE));
    HWND window = wnd.m_hWnd;
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "made");

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

TEST(WndTest, AHeapWindowMayDeleteItselfAfterItsLastMessage) {
    bool deleted = false;
    auto* wnd = new RecordingWnd;
    wnd->deleted = &deleted;
    RegisterProbeClass();
    ASSERT_TRUE(wnd->CreateEx(0, kProbeClass, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    HWND window = wnd->m_hWnd;
    EXPECT_TRUE(wnd->DestroyWindow()) << "the object is gone before DestroyWindow returns";
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

TEST(WndTest, DestroyingTheObjectDestroysItsWindow) {
    HWND window;
    {
        RecordingWnd wnd;
        RegisterProbeClass();
        ASSERT_TRUE(wnd.CreateEx(0, kProbeClass, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        window = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(window));
}

TEST(WndTest, TemporaryObjectsWrapForeignWindowsUntilTheTempMapIsCleared) {
    HWND window = MakeProbeWindow();
    CWnd* temporary = CWnd::FromHandle(window);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hWnd, window);
    EXPECT_EQ(CWnd::FromHandle(window), temporary);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(window)) << "a temporary object never destroys the window";
    ::DestroyWindow(window);
}

// An owner-drawn button and list box report their drawing through reflection.
class DrawCountingButton : public CButton {
public:
    int draws = 0;
    int commands = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override { ++draws; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND) {
            ++commands;
            return TRUE;
        }
        return CButton::OnChildNotify(message, wParam, lParam, result);
    }
};

class ParentWnd : public CWnd {
public:
    int commands = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (CWnd::OnCommand(wParam, lParam))
            return TRUE;
        ++commands;
        return TRUE;
    }
};

TEST(WndTest, NotificationsOfAChildGoToTheChildObjectFirst) {
    ParentWnd parent;
    RegisterProbeClass();
    ASSERT_TRUE(parent.CreateEx(0, kProbeClass, "", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
    DrawCountingButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 20), &parent, 7));

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 7;
    item.hwndItem = button.m_hWnd;
    item.hDC = ::GetDC(button.m_hWnd);
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&item)), TRUE);
    ::ReleaseDC(button.m_hWnd, item.hDC);
    EXPECT_EQ(button.draws, 1);

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(button.commands, 1);
    EXPECT_EQ(parent.commands, 0) << "a handled reflection is not seen by the parent again";
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(9, 0), 0);
    EXPECT_EQ(parent.commands, 1);
    parent.DestroyWindow();
    EXPECT_EQ(button.m_hWnd, nullptr) << "the child was detached when its window went";
}

TEST(WndTest, ModifyStyleChangesOnlyTheGivenBits) {
    HWND window = MakeProbeWindow(nullptr, WS_POPUP | WS_BORDER);
    CWnd* wnd = CWnd::FromHandle(window);
    EXPECT_TRUE(wnd->ModifyStyle(WS_BORDER, WS_CLIPCHILDREN, SWP_FRAMECHANGED));
    EXPECT_EQ(wnd->GetStyle() & (WS_BORDER | WS_CLIPCHILDREN | WS_POPUP), DWORD(WS_CLIPCHILDREN | WS_POPUP));
    EXPECT_FALSE(wnd->ModifyStyle(0, WS_CLIPCHILDREN)) << "nothing to change";
    CWnd::DeleteTempMap();
    ::DestroyWindow(window);
}

TEST(ListControlsTest, ListCtrlTextDataAndChecksRoundTrip) {
    CWnd parent;
    RegisterProbeClass();
    ASSERT_TRUE(parent.CreateEx(0, kProbeClass, "", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &parent, 5));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    EXPECT_EQ(list.InsertColumn(0, "이름", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, "경로", LVCFMT_LEFT, 100), 1);
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.InsertItem(0, "첫째"), 0);
    CString longText('x', 1000);
    EXPECT_TRUE(list.SetItemText(0, 1, longText));
    EXPECT_STREQ(list.GetItemText(0, 0), "첫째");
    EXPECT_EQ(list.GetItemText(0, 1).GetLength(), 1000) << "texts longer than the first buffer are read whole";
    EXPECT_TRUE(list.SetItemData(0, 0xFEEDu));
    EXPECT_EQ(list.GetItemData(0), 0xFEEDu);
    EXPECT_EQ(list.GetItemData(5), 0u);
    list.SetCheck(0, TRUE);
    EXPECT_TRUE(list.GetCheck(0));
    list.SetCheck(0, FALSE);
    EXPECT_FALSE(list.GetCheck(0));
    parent.DestroyWindow();
}

TEST(ListControlsTest, ListBoxTextAndHitTest) {
    CWnd parent;
    RegisterProbeClass();
    ASSERT_TRUE(parent.CreateEx(0, kProbeClass, "", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, CRect(0, 0, 200, 100), &parent, 6));
    EXPECT_EQ(list.AddString("가나다"), 0);
    EXPECT_EQ(list.AddString("라마"), 1);
    CString text;
    list.GetText(1, text);
    EXPECT_STREQ(text, "라마");
    list.GetText(9, text);
    EXPECT_TRUE(text.IsEmpty());
    CRect second;
    ASSERT_NE(list.GetItemRect(1, second), LB_ERR);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(second.CenterPoint(), outside), 1u);
    EXPECT_FALSE(outside);
    parent.DestroyWindow();
}

}  // namespace
