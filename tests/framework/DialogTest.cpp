#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "Controls.h"
#include "Dialog.h"
#include "WindowTemplates.h"

namespace {

// Drives a modal dialog from inside its own loop: timers run the script step by step.
class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

    bool initialised = false;
    bool visibleWhileIdle = true;
    bool ownerDisabled = false;
    int endWith = 42;
    // What the dialog does on its timer: end, or press a key through the loop.
    enum class Action { End, PressEscape, PressEnterInEdit } action = Action::End;
    HWND owner = nullptr;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        initialised = true;
        SetTimer(1, 50, nullptr);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == 1) {
            KillTimer(1);
            visibleWhileIdle = IsWindowVisible() != FALSE;
            ownerDisabled = owner && !::IsWindowEnabled(owner);
            switch (action) {
            case Action::End:
                EndDialog(endWith);
                break;
            case Action::PressEscape:
                ::PostMessageA(::GetDlgItem(m_hWnd, IDC_NAME), WM_KEYDOWN, VK_ESCAPE, 0);
                break;
            case Action::PressEnterInEdit:
                ::PostMessageA(::GetDlgItem(m_hWnd, IDC_NAME), WM_KEYDOWN, VK_RETURN, 0);
                break;
            }
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

HWND MakeOwner() {
    return ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

TEST(DialogTest, TheModalLoopNeverShowsAHiddenDialogAndReturnsTheEndResult) {
    ScriptedDialog dialog(IDD_HIDDEN);
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_FALSE(dialog.visibleWhileIdle);
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window is destroyed when the loop ends";
}

TEST(DialogTest, AVisibleTemplateShowsAndTheOwnerIsDisabledOnlyWhileTheLoopRuns) {
    HWND ownerWindow = MakeOwner();
    CWnd owner;
    ASSERT_TRUE(owner.Attach(ownerWindow));
    ScriptedDialog dialog(IDD_VISIBLE, &owner);
    dialog.owner = ownerWindow;
    dialog.endWith = 7;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_TRUE(dialog.visibleWhileIdle);
    EXPECT_TRUE(dialog.ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(ownerWindow));
    owner.DestroyWindow();
}

TEST(DialogTest, KeysGoThroughTheDialogManager) {
    ScriptedDialog escape(IDD_HIDDEN);
    escape.action = ScriptedDialog::Action::PressEscape;
    EXPECT_EQ(escape.DoModal(), IDCANCEL);

    ScriptedDialog enter(IDD_HIDDEN);
    enter.action = ScriptedDialog::Action::PressEnterInEdit;
    EXPECT_EQ(enter.DoModal(), IDOK) << "Enter presses the default button";
}

TEST(DialogTest, ANamedTemplateMakesAModelessDialog) {
    CDialog dialog(0);
    ASSERT_TRUE(dialog.Create("NAMED"));
    CString title;
    dialog.GetWindowText(title);
    EXPECT_STREQ(title, "이름 있는 창");
    EXPECT_FALSE(dialog.Create("NAMED")) << "one window per object";
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.Create("MISSING"));
}

TEST(DialogTest, AMissingTemplateFailsWithoutALoop) {
    ScriptedDialog dialog(9999);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.initialised);
}

class OwnerDrawDialog : public CDialog {
public:
    OwnerDrawDialog() : CDialog(IDD_HIDDEN) {}
    class CountingButton : public CButton {
    public:
        int draws = 0;
        void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
    } button;
    class CountingList : public CListBox {
    public:
        int draws = 0;
        void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
    } list;

protected:
    BOOL OnInitDialog() override {
        button.SubclassDlgItem(IDC_OWNERDRAWN, this);
        list.SubclassDlgItem(IDC_LIST, this);
        list.AddString("한 줄");
        return TRUE;
    }
};

TEST(DialogTest, ModelessTemplateControlsAreSubclassedAndDrawnThroughReflection) {
    OwnerDrawDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_HIDDEN));
    EXPECT_FALSE(dialog.IsWindowVisible());
    dialog.ShowWindow(SW_SHOWNA);
    dialog.UpdateWindow();
    ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_GT(dialog.button.draws, 0);
    EXPECT_GT(dialog.list.draws, 0);
    dialog.EndDialog(IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible()) << "a modeless dialog is hidden by EndDialog";
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.button.m_hWnd, nullptr);
}

// Runs step from inside its own modal loop (on a timer), then ends with 1.
class SteppedDialog : public CDialog {
public:
    SteppedDialog(UINT templateId, std::function<void(SteppedDialog&)> step)
        : CDialog(templateId), m_step(std::move(step)) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetTimer(2, 20, nullptr);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == 2) {
            KillTimer(2);
            m_step(*this);
            EndDialog(1);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void(SteppedDialog&)> m_step;
};

// A hidden top-level window installed as the application's main window for the test.
class MainWindowScope {
public:
    MainWindowScope() {
        window.Attach(::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr));
        AfxSetMainWnd(&window);
    }
    ~MainWindowScope() {
        AfxSetMainWnd(nullptr);
        window.DestroyWindow();
    }
    CWnd window;
};

TEST(DialogTest, ADialogWithoutAParentOpenedFromAModalDialogIsOwnedByItAndDisablesIt) {
    MainWindowScope main;
    ASSERT_TRUE(main.window.m_hWnd);
    HWND outerWindow = nullptr;
    HWND innerOwner = nullptr;
    BOOL outerEnabledDuring = TRUE, mainEnabledDuring = TRUE, outerEnabledAfter = FALSE;
    SteppedDialog outer(IDD_VISIBLE, [&](SteppedDialog& self) {
        outerWindow = self.m_hWnd;
        SteppedDialog inner(IDD_HIDDEN, [&](SteppedDialog& innerSelf) {
            innerOwner = ::GetWindow(innerSelf.m_hWnd, GW_OWNER);
            outerEnabledDuring = ::IsWindowEnabled(outerWindow);
            mainEnabledDuring = ::IsWindowEnabled(main.window.m_hWnd);
        });
        inner.DoModal();
        outerEnabledAfter = ::IsWindowEnabled(outerWindow);
    });

    EXPECT_EQ(outer.DoModal(), 1);
    ASSERT_NE(outerWindow, nullptr);
    EXPECT_EQ(innerOwner, outerWindow);
    EXPECT_FALSE(outerEnabledDuring) << "the open dialog is disabled while the inner one runs";
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(outerEnabledAfter);
    EXPECT_TRUE(::IsWindowEnabled(main.window.m_hWnd));
}

TEST(DialogTest, ATemporaryObjectTakenBeforeANestedModalLoopOutlivesIt) {
    HWND foreign = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(foreign);
    CWnd* before = nullptr;
    CWnd* after = nullptr;
    bool innerRan = false;
    SteppedDialog outer(IDD_HIDDEN, [&](SteppedDialog&) {
        before = CWnd::FromHandle(foreign);
        // The inner step waits for a timer: its loop goes idle before it.
        SteppedDialog inner(IDD_HIDDEN, [&](SteppedDialog&) { innerRan = true; });
        inner.DoModal();
        // Objects of the same size would take a block freed under the pointer.
        std::vector<std::unique_ptr<CWnd>> sameSize;
        for (int i = 0; i < 64; ++i)
            sameSize.push_back(std::make_unique<CWnd>());
        after = CWnd::FromHandle(foreign);
    });

    EXPECT_EQ(outer.DoModal(), 1);
    EXPECT_TRUE(innerRan);
    ASSERT_NE(before, nullptr);
    ASSERT_EQ(after, before) << "the same object, not a new one";
    EXPECT_EQ(before->m_hWnd, foreign);
    CWnd::DeleteTempMap();
    ::DestroyWindow(foreign);
}

}  // namespace
