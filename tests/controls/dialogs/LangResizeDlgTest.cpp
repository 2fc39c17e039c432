#include <gtest/gtest.h>

#include "HTMLStatic.h"
#include "LangResizeDlg.h"
#include "Language.h"
#include "ResizeDialogs.h"

namespace {

CString TextOf(HWND window) {
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

CString MenuText(HMENU menu, int position) {
    char text[256] = "";
    ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

class LangResizeDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CLanguage::AddMsgText("Lang.Caption", "번역된 제목");
        CLanguage::AddMsgText("Lang.Label", "라벨");
        CLanguage::AddMsgText("Lang.Press", "누르기");
        CLanguage::AddMsgText("Lang.Edit", "편집");
        CLanguage::AddMsgText("Lang.File", "파일");
        CLanguage::AddMsgText("Lang.Open", "열기");
        CLanguage::AddMsgText("Lang.Recent", "최근");
        CLanguage::AddMsgText("Lang.First", "첫째");
        CLanguage::AddMsgText("Lang.Html", "<b>굵은 번역</b>");
    }

    HWND Item(int id) const { return ::GetDlgItem(dialog.m_hWnd, id); }

    CLangResizeDlg dialog{IDD_RESIZE_LANG};
};

TEST_F(LangResizeDlgTest, TitleStaticsAndButtonsShowTheirTranslations) {
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_LANG));
    EXPECT_STREQ(TextOf(dialog.m_hWnd), "번역된 제목");
    EXPECT_STREQ(TextOf(Item(IDC_LANG_LABEL)), "라벨");
    EXPECT_STREQ(TextOf(Item(IDC_LANG_PRESS)), "누르기");
    EXPECT_STREQ(TextOf(Item(IDC_LANG_UNTRANSLATED)), "Lang.Untranslated") << "a key without text stays";
    EXPECT_STREQ(TextOf(Item(IDC_LANG_EDIT)), "Lang.Edit") << "what the user edits is not translated";
}

TEST_F(LangResizeDlgTest, ATranslationIntoHtmlTextMakesAnHtmlStatic) {
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_LANG));
    auto* html = dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(Item(IDC_LANG_HTML)));
    ASSERT_NE(html, nullptr) << "translated before the template controls are subclassed";
    EXPECT_STREQ(html->GetScript(), "<b>굵은 번역</b>");
}

TEST_F(LangResizeDlgTest, EveryStringItemOfTheMenuIsTranslatedSubmenusIncluded) {
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_LANG));
    HMENU bar = ::GetMenu(dialog.m_hWnd);
    ASSERT_NE(bar, nullptr);
    EXPECT_STREQ(MenuText(bar, 0), "파일");
    HMENU file = ::GetSubMenu(bar, 0);
    ASSERT_EQ(::GetMenuItemCount(file), 3);
    EXPECT_STREQ(MenuText(file, 0), "열기");
    EXPECT_EQ(::GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_STREQ(MenuText(file, 2), "최근");
    EXPECT_STREQ(MenuText(::GetSubMenu(file, 2), 0), "첫째");
    EXPECT_EQ(::GetMenuItemID(file, 0), static_cast<UINT>(IDM_LANG_OPEN)) << "only the text changes";
}

TEST_F(LangResizeDlgTest, AMenuCaptionLongerThanTwoHundredFiftyFiveCharactersIsTranslatedWhole) {
    HMENU menu = ::CreatePopupMenu();
    const CString longKey = CString('k', 300);
    ::AppendMenuA(menu, MF_STRING, 1, longKey);
    CLanguage::AddMsgText(longKey, "긴 항목");

    class MenuOpener : public CLangResizeDlg {
    public:
        using CLangResizeDlg::ChangeMenuLang;
        using CLangResizeDlg::CLangResizeDlg;
    } opener(IDD_RESIZE_LANG);
    opener.ChangeMenuLang(menu);
    EXPECT_STREQ(MenuText(menu, 0), "긴 항목");
    ::DestroyMenu(menu);
}

}  // namespace
