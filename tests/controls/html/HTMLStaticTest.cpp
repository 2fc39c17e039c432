#include <gtest/gtest.h>

#include "HTMLStatic.h"
#include "LinkMainWindow.h"
#include "PixelCanvas.h"

namespace {

const COLORREF kDialogColour = RGB(236, 233, 216);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const int kId = 77;
const CRect kControlRect(0, 0, 240, 80);

const char kLinkMarkup[] = "<font size=7><b><a href=\"reru://Run\">WW</a></b></font>";

class HTMLStaticTest : public ::testing::Test {
protected:
    void Create(const char* text) {
        ASSERT_TRUE(main.Handle() != nullptr);
        ASSERT_TRUE(html.Create(text, WS_CHILD | WS_VISIBLE, kControlRect, &main.wnd, kId));
    }

    // What WM_PRINTCLIENT paints, on a canvas that starts white.
    void Print(PixelCanvas& canvas) { html.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT); }

    LPARAM At(const CPoint& point) { return MAKELPARAM(point.x, point.y); }

    void Click(const CPoint& point) {
        html.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(point));
        html.SendMessage(WM_LBUTTONUP, 0, At(point));
    }

    LinkMainWindow main;
    CHTMLStatic html;
};

}  // namespace

TEST_F(HTMLStaticTest, PrintClientCopiesTheRenderedText) {
    Create("#0,0,0#<p align=right><font color=white size=7>x");
    PixelCanvas canvas(kControlRect.Width(), kControlRect.Height(), RGB(1, 2, 3));

    Print(canvas);

    EXPECT_EQ(0, canvas.Count(RGB(1, 2, 3), 0));
    EXPECT_GT(canvas.Count(kBlack, 0), canvas.Width() * canvas.Height() * 9 / 10);
    EXPECT_GT(canvas.Count(CRect(200, 0, 240, 80), kWhite), 30);
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 200, 80), kWhite, 100));
    EXPECT_EQ(RGB(0, 0, 0), html.GetBackgroundColour());
    EXPECT_EQ(239, html.GetBoundingRect().right);
}

TEST_F(HTMLStaticTest, ResizingLaysTheTextOutAgain) {
    Create("<p align=right>x");
    const int oldRight = html.GetBoundingRect().right;

    html.MoveWindow(0, 0, 300, 80);

    EXPECT_EQ(239, oldRight);
    EXPECT_EQ(299, html.GetBoundingRect().right);
    PixelCanvas canvas(300, 80, RGB(1, 2, 3));
    Print(canvas);
    EXPECT_EQ(0, canvas.Count(RGB(1, 2, 3), 0));
}

TEST_F(HTMLStaticTest, ColourSettersShowAtTheNextPaint) {
    Create("text");
    PixelCanvas before(kControlRect.Width(), kControlRect.Height(), kWhite);
    Print(before);
    EXPECT_GT(before.Count(kDialogColour, 0), 0) << "a created control gets the dialog colour";

    html.SetBackgroundColour(RGB(0, 128, 0));
    PixelCanvas after(kControlRect.Width(), kControlRect.Height(), kWhite);
    Print(after);
    EXPECT_EQ(0, after.Count(kDialogColour, 0));
    EXPECT_GT(after.Count(RGB(0, 128, 0), 0), after.Width() * after.Height() * 9 / 10);
}

TEST_F(HTMLStaticTest, LayoutSettersMoveTheText) {
    Create("x<br>y");
    const CRect plain = html.GetBoundingRect();

    html.SetMargin(10, 20);
    const CRect moved = html.GetBoundingRect();
    EXPECT_EQ(plain.left + 10, moved.left);
    EXPECT_EQ(plain.top + 20, moved.top);

    html.SetLineHeightOffset(8);
    EXPECT_EQ(moved.Height() + 8, html.GetBoundingRect().Height());

    CHTMLFont big;
    big.m_pointSize = 30;
    html.SetFont(big);
    EXPECT_GT(html.GetBoundingRect().Height(), moved.Height() * 2);
    EXPECT_DOUBLE_EQ(30.0, html.GetFont().m_pointSize);
}

TEST_F(HTMLStaticTest, AutomaticLineBreakCanBeSwitchedOff) {
    Create("");
    EXPECT_GT(html.GetStyle() & SS_NOTIFY, 0u) << "created controls pass PreSubclassWindow too";
    html.SetNoAutoLineBreak(false);
    html.SetScript("<font size=7>a line far too long for the control</font>");
    const CRect wrapped = html.GetBoundingRect();
    EXPECT_LE(wrapped.right, kControlRect.right);

    html.SetNoAutoLineBreak(true);
    EXPECT_GT(html.GetBoundingRect().right, kControlRect.right);
    EXPECT_LT(html.GetBoundingRect().Height(), wrapped.Height());
    EXPECT_STREQ("<font size=7>a line far too long for the control</font>", html.GetScript());
}

TEST_F(HTMLStaticTest, SubclassedTemplateControlTakesOverItsText) {
    HWND stat = CreateWindowExA(0, "STATIC", "#255,255,255#<b>OK</b> and more", WS_CHILD | WS_VISIBLE, 0, 0, 60, 40,
                                main.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)), nullptr, nullptr);
    ASSERT_TRUE(stat != nullptr);

    ASSERT_TRUE(html.SubclassWindow(stat));

    EXPECT_TRUE(html.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(RGB(255, 255, 255), html.GetBackgroundColour());
    EXPECT_STREQ("<b>OK</b> and more", html.GetScript());
    CString text;
    html.GetWindowTextA(text);
    EXPECT_STREQ("#255,255,255#<b>OK</b> and more", text);
    EXPECT_GT(html.GetBoundingRect().right, 60) << "template controls never break lines themselves";
}

TEST_F(HTMLStaticTest, WindowTextMessagesGoThroughTheMarkup) {
    Create("");

    ::SetWindowTextA(html, "#0,0,255#<b>x</b>");

    EXPECT_STREQ("<b>x</b>", html.GetScript());
    EXPECT_EQ(RGB(0, 0, 255), html.GetBackgroundColour());
    char buffer[64] = {};
    EXPECT_EQ(17, ::GetWindowTextA(html, buffer, sizeof(buffer)));
    EXPECT_STREQ("#0,0,255#<b>x</b>", buffer);
    EXPECT_EQ(17, ::GetWindowTextLengthA(html));
}

TEST_F(HTMLStaticTest, BufferFormCopiesAtMostSizeMinusOneAndNeverHalfACharacter) {
    Create("abc한글");
    char buffer[8];

    memset(buffer, 'z', sizeof(buffer));
    EXPECT_EQ(5, html.GetWindowTextA(buffer, 6));
    EXPECT_STREQ("abc한", buffer);

    memset(buffer, 'z', sizeof(buffer));
    EXPECT_EQ(3, html.GetWindowTextA(buffer, 5));
    EXPECT_STREQ("abc", buffer) << "the lead byte alone is not copied";

    memset(buffer, 'z', sizeof(buffer));
    EXPECT_EQ(0, html.GetWindowTextA(buffer, 1));
    EXPECT_EQ('\0', buffer[0]);
    EXPECT_EQ(0, html.GetWindowTextA(buffer, 0));
    EXPECT_EQ('z', buffer[1]);
    EXPECT_EQ(7, html.GetWindowTextA(buffer, 8));
    EXPECT_STREQ("abc한글", buffer);
}

TEST_F(HTMLStaticTest, ClickOnACommandLinkPostsACopyOfItsTarget) {
    Create(kLinkMarkup);

    Click(html.GetBoundingRect().CenterPoint());

    MSG posted = {};
    ASSERT_TRUE(main.TakePosted(kHTMLCommandLinkMessage, posted));
    char* copy = reinterpret_cast<char*>(posted.lParam);
    EXPECT_STREQ("reru://Run", copy);
    EXPECT_TRUE(LocalFree(copy) == nullptr);
    EXPECT_FALSE(main.TakePosted(WM_COMMAND, posted)) << "a link click is no plain click";
}

TEST_F(HTMLStaticTest, ClickOnAWebLinkAsksTheMainWindow) {
    Create("<font size=7><a href=http://example.invalid/>WW</a></font>");
    ShellExecuteRecorder shell("Tovrin.dll");
    ASSERT_TRUE(shell.IsActive());
    main.answer = 0x8080;

    Click(html.GetBoundingRect().CenterPoint());

    EXPECT_EQ(0, shell.calls) << "the main window handled it";
    EXPECT_EQ(1, main.openLinkCount);
    EXPECT_EQ(html.GetSafeHwnd(), main.openLinkControl);
    EXPECT_STREQ("http://example.invalid/", main.openLinkTarget);
}

TEST_F(HTMLStaticTest, ClickOutsideTheLinksNotifiesTheParentOnce) {
    Create(kLinkMarkup);

    Click(CPoint(230, 70));

    MSG posted = {};
    ASSERT_TRUE(main.TakePosted(WM_COMMAND, posted));
    EXPECT_EQ(MAKEWPARAM(kId, 0), posted.wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(html.GetSafeHwnd()), posted.lParam);
    EXPECT_FALSE(main.TakePosted(WM_COMMAND, posted));
    EXPECT_FALSE(main.TakePosted(kHTMLCommandLinkMessage, posted));
}

TEST_F(HTMLStaticTest, LinkUnderTheMouseIsHighlightedUntilTheMouseLeaves) {
    Create(kLinkMarkup);
    const CRect link = html.GetBoundingRect();
    PixelCanvas plain(kControlRect.Width(), kControlRect.Height(), kWhite);
    Print(plain);
    EXPECT_EQ(0, plain.Count(link, kBlue));
    EXPECT_GT(plain.Count(link, kBlack), 40);

    html.SendMessage(WM_MOUSEMOVE, 0, At(link.CenterPoint()));
    PixelCanvas hovered(kControlRect.Width(), kControlRect.Height(), kWhite);
    Print(hovered);
    EXPECT_EQ(0, hovered.Count(link, kBlack));
    EXPECT_GT(hovered.Count(link, kBlue), 40);

    html.SendMessage(WM_MOUSELEAVE);
    PixelCanvas left(kControlRect.Width(), kControlRect.Height(), kWhite);
    Print(left);
    EXPECT_EQ(0, left.Count(link, kBlue));
    EXPECT_EQ(plain.Count(link, kBlack, 0), left.Count(link, kBlack, 0));
}

TEST_F(HTMLStaticTest, HandCursorOverLinksArrowElsewhere) {
    Create(kLinkMarkup);
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const LPARAM clientHit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);

    html.SendMessage(WM_MOUSEMOVE, 0, At(html.GetBoundingRect().CenterPoint()));
    EXPECT_EQ(hand, GetCursor());
    EXPECT_TRUE(html.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(html.GetSafeHwnd()), clientHit));
    EXPECT_EQ(hand, GetCursor());

    html.SendMessage(WM_MOUSEMOVE, 0, At(CPoint(230, 70)));
    EXPECT_TRUE(html.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(html.GetSafeHwnd()), clientHit));
    EXPECT_EQ(arrow, GetCursor());
}
