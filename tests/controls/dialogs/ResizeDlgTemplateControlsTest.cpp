#include <gtest/gtest.h>

#include "HTMLStatic.h"
#include "ResizeDialogs.h"
#include "ResizeDlgProbe.h"
#include "RichButton.h"
#include "RichTabButton.h"

namespace {

template <typename Control>
Control* HeldAs(const CResizeDlg& dialog, int id) {
    return dynamic_cast<Control*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, id)));
}

class ResizeDlgTemplateControls : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_RESIZE_CONTROLS)); }

    ResizeDlgProbe dialog{IDD_RESIZE_CONTROLS};
};

TEST_F(ResizeDlgTemplateControls, StaticsWithHtmlTextBecomeHtmlStaticsShowingThatText) {
    CHTMLStatic* html = HeldAs<CHTMLStatic>(dialog, IDC_CONTROLS_HTML);
    ASSERT_NE(html, nullptr);
    EXPECT_STREQ(html->GetScript(), "<b>굵게</b> 글자");

    CHTMLStatic* withBackground = HeldAs<CHTMLStatic>(dialog, IDC_CONTROLS_BACKGROUND_HTML);
    ASSERT_NE(withBackground, nullptr);
    EXPECT_STREQ(withBackground->GetScript(), "배경");

    HWND plain = ::GetDlgItem(dialog.m_hWnd, IDC_CONTROLS_PLAIN);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    char text[32] = "";
    ::GetWindowTextA(plain, text, sizeof text);
    EXPECT_STREQ(text, "Hello <b>");
}

TEST_F(ResizeDlgTemplateControls, OwnerDrawnButtonsBecomeRichButtons) {
    EXPECT_NE(HeldAs<CRichButton>(dialog, IDC_CONTROLS_RICH), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_CONTROLS_SEARCH)), nullptr)
        << "plain push buttons stay plain";
}

TEST_F(ResizeDlgTemplateControls, GroupBoxesGetAPlainButtonObject) {
    CButton* group = HeldAs<CButton>(dialog, IDC_CONTROLS_GROUP);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(dynamic_cast<CRichButton*>(group), nullptr);
}

// Subclasses template controls with its own objects before the base initialisation.
class HoldingDialog : public CResizeDlg {
public:
    HoldingDialog() : CResizeDlg(IDD_RESIZE_CONTROLS) {}

    CButton ownButton;
    CStatic ownStatic;

protected:
    BOOL OnInitDialog() override {
        ownButton.SubclassDlgItem(IDC_CONTROLS_RICH, this);
        ownStatic.SubclassDlgItem(IDC_CONTROLS_HELD, this);
        return CResizeDlg::OnInitDialog();
    }
};

TEST(ResizeDlgTemplateControlsHeld, AControlTheDerivedDialogHoldsKeepsItsObject) {
    HoldingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_CONTROLS));
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_CONTROLS_RICH)), &dialog.ownButton);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_CONTROLS_HELD)), &dialog.ownStatic);
}

// Does the base initialisation first and its own work after it, as the program's dialogs do; its
// members are bound in the binding step.
class BindingDialog : public CResizeDlg {
public:
    BindingDialog() : CResizeDlg(IDD_RESIZE_CONTROLS) {}

    CRichTabButton ownButton;
    CHTMLStatic ownStatic;
    CWnd* buttonObjectAfterInit = nullptr;
    CWnd* staticObjectAfterInit = nullptr;

protected:
    void BindControls() override {
        ownButton.SubclassDlgItem(IDC_CONTROLS_RICH, this);
        ownStatic.SubclassDlgItem(IDC_CONTROLS_HELD, this);
    }
    BOOL OnInitDialog() override {
        const BOOL result = CResizeDlg::OnInitDialog();
        buttonObjectAfterInit = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_CONTROLS_RICH));
        staticObjectAfterInit = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_CONTROLS_HELD));
        return result;
    }
};

TEST(ResizeDlgTemplateControlsBound, MembersBoundInTheBindingStepKeepTheirObjectsAfterTheBaseInitialisation) {
    BindingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_CONTROLS));
    EXPECT_EQ(dialog.buttonObjectAfterInit, &dialog.ownButton);
    EXPECT_EQ(dialog.staticObjectAfterInit, &dialog.ownStatic);
    EXPECT_STREQ(dialog.ownButton.GetCaption().GetText(), "Rich");
    EXPECT_STREQ(dialog.ownStatic.GetScript(), "<b>held</b>");
    EXPECT_NE(HeldAs<CHTMLStatic>(dialog, IDC_CONTROLS_HTML), nullptr) << "the other template controls are still adopted";
}

}  // namespace
