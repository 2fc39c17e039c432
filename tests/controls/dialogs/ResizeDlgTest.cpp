#include <gtest/gtest.h>

#include "ResizeDialogs.h"
#include "ResizeDlgProbe.h"

namespace {

// Records what it saw; run modally, it acts once from a timer inside its own loop: sends
// command, or ends with 42 when there is none.
class RecordingDialog : public ResizeDlgProbe {
public:
    RecordingDialog(UINT templateId, bool* deleted = nullptr) : ResizeDlgProbe(templateId), m_deleted(deleted) {}
    ~RecordingDialog() override {
        if (m_deleted)
            *m_deleted = true;
    }

    UINT command = 0;
    bool visibleWhileRunning = true;
    bool modalWhileRunning = false;

protected:
    BOOL OnInitDialog() override {
        BOOL result = CResizeDlg::OnInitDialog();
        if (IsModal())
            SetTimer(1, 30);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == 1) {
            KillTimer(1);
            visibleWhileRunning = IsWindowVisible() != FALSE;
            modalWhileRunning = IsModal();
            if (command)
                PostMessage(WM_COMMAND, command);
            else
                EndDialog(42);
            return 0;
        }
        return CResizeDlg::WindowProc(message, wParam, lParam);
    }

private:
    bool* m_deleted;
};

TEST(ResizeDlg, TheModalLoopKeepsAHiddenTemplateHidden) {
    RecordingDialog dialog(IDD_RESIZE_LAYOUT);
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_FALSE(dialog.visibleWhileRunning);
    EXPECT_TRUE(dialog.modalWhileRunning);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(ResizeDlg, OkAndCancelEndAModalLoopAndAModalDialogNeverDeletesItself) {
    bool deleted = false;
    auto* dialog = new RecordingDialog(IDD_RESIZE_NODEFAULT, &deleted);
    dialog->SetAutoDelete(true);
    dialog->command = IDOK;
    EXPECT_EQ(dialog->DoModal(), IDOK);
    dialog->command = IDCANCEL;
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_FALSE(deleted) << "DoModal still needs the object after the window is gone";
    delete dialog;
    EXPECT_TRUE(deleted);
}

TEST(ResizeDlg, CancelDestroysAModelessDialogThatThenDeletesItself) {
    bool deleted = false;
    auto* dialog = new RecordingDialog(IDD_RESIZE_NODEFAULT, &deleted);
    dialog->SetAutoDelete(true);
    ASSERT_TRUE(dialog->Create(IDD_RESIZE_NODEFAULT));
    EXPECT_FALSE(dialog->IsModal());
    HWND window = dialog->m_hWnd;
    ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(deleted);
}

TEST(ResizeDlg, OkDestroysAModelessDialogAndKeepsTheObjectWithoutAutoDelete) {
    bool deleted = false;
    RecordingDialog dialog(IDD_RESIZE_NODEFAULT, &deleted);
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_NODEFAULT));
    HWND window = dialog.m_hWnd;
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(deleted);
}

TEST(ResizeDlg, TheTemplatesDefaultPushButtonOrElseOkIsTheDefault) {
    ResizeDlgProbe withDefault(IDD_RESIZE_CONTROLS);
    ASSERT_TRUE(withDefault.Create(IDD_RESIZE_CONTROLS));
    EXPECT_EQ(withDefault.SendMessage(DM_GETDEFID), MAKELONG(IDC_CONTROLS_DEFAULT, DC_HASDEFID));

    ResizeDlgProbe withoutDefault(IDD_RESIZE_NODEFAULT);
    ASSERT_TRUE(withoutDefault.Create(IDD_RESIZE_NODEFAULT));
    EXPECT_EQ(withoutDefault.SendMessage(DM_GETDEFID), MAKELONG(IDOK, DC_HASDEFID));
    const auto okStyle = static_cast<DWORD>(::GetWindowLongPtrA(::GetDlgItem(withoutDefault.m_hWnd, IDOK), GWL_STYLE));
    EXPECT_EQ(okStyle & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
}

TEST(ResizeDlg, AControlWithItsOwnDefaultButtonSetsItWhileFocused) {
    ResizeDlgProbe dialog(IDD_RESIZE_CONTROLS);
    dialog.SetDefaultButton(IDC_CONTROLS_EDIT, IDC_CONTROLS_SEARCH);
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_CONTROLS));
    const auto edit = reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDC_CONTROLS_EDIT));
    auto defaultId = [&dialog] { return LOWORD(dialog.SendMessage(DM_GETDEFID)); };

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONTROLS_EDIT, EN_SETFOCUS), edit);
    EXPECT_EQ(defaultId(), IDC_CONTROLS_SEARCH);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONTROLS_EDIT, EN_KILLFOCUS), edit);
    EXPECT_EQ(defaultId(), IDC_CONTROLS_DEFAULT);

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONTROLS_SEARCH, EN_SETFOCUS), 0);
    EXPECT_EQ(defaultId(), IDC_CONTROLS_DEFAULT) << "a control without its own default changes nothing";
}

TEST(ResizeDlg, IconsGivenBeforeCreationAndTheGlobalSmallIconAreApplied) {
    HICON global = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    HICON big = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516));     // IDI_INFORMATION
    HICON own = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32515));     // IDI_WARNING
    CResizeDlg::SetGlobalIcon(global);

    ResizeDlgProbe plain(IDD_RESIZE_NODEFAULT);
    plain.SetIcon(big, true);
    ASSERT_TRUE(plain.Create(IDD_RESIZE_NODEFAULT));
    EXPECT_EQ(reinterpret_cast<HICON>(plain.SendMessage(WM_GETICON, ICON_BIG)), big);
    EXPECT_EQ(reinterpret_cast<HICON>(plain.SendMessage(WM_GETICON, ICON_SMALL)), global);
    plain.SetIcon(own, false);
    EXPECT_EQ(reinterpret_cast<HICON>(plain.SendMessage(WM_GETICON, ICON_SMALL)), own) << "set at once on a window";

    ResizeDlgProbe withOwn(IDD_RESIZE_NODEFAULT);
    withOwn.SetIcon(own, false);
    ASSERT_TRUE(withOwn.Create(IDD_RESIZE_NODEFAULT));
    EXPECT_EQ(reinterpret_cast<HICON>(withOwn.SendMessage(WM_GETICON, ICON_SMALL)), own);
    CResizeDlg::SetGlobalIcon(nullptr);
}

TEST(ResizeDlg, EnableDlgItemSwitchesAnExistingChild) {
    ResizeDlgProbe dialog(IDD_RESIZE_NODEFAULT);
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_NODEFAULT));
    HWND ok = ::GetDlgItem(dialog.m_hWnd, IDOK);
    dialog.EnableDlgItem(IDOK, FALSE);
    EXPECT_FALSE(::IsWindowEnabled(ok));
    dialog.EnableDlgItem(9999, FALSE);
    dialog.EnableDlgItem(IDOK, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(ok));
}

}  // namespace
