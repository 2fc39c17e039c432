#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ControlHost.h"
#include "OwnerDraw.h"
#include "PixelCanvas.h"
#include "RichButton.h"
#include "RichTabButton.h"

namespace {

const CRect kFace(0, 0, 90, 28);
const COLORREF kDialog = RGB(236, 233, 216);
const COLORREF kPaper = RGB(1, 2, 3);

// Counts the texts a button takes, through whatever way they came.
struct AppliedTexts {
    int count = 0;
};

template <typename Button>
class Counting : public Button, public AppliedTexts {
protected:
    void ApplyText(const char* text) override {
        ++count;
        Button::ApplyText(text);
    }
};

struct ButtonKind {
    const char* name;
    std::function<std::unique_ptr<CSkinButton>()> make;
};

const ButtonKind kKinds[] = {
    {"rich button", [] { return std::unique_ptr<CSkinButton>(new Counting<CRichButton>); }},
    {"tab button", [] { return std::unique_ptr<CSkinButton>(new Counting<CRichTabButton>); }},
};

int AppliedCount(CSkinButton& button) { return dynamic_cast<AppliedTexts&>(button).count; }

// Paints the button into canvas through a DC prepared as the dialog's WM_CTLCOLORBTN leaves it:
// an opaque background in the dialog colour.
void PaintOnDialogDC(CSkinButton& button, PixelCanvas& canvas) {
    ::SetBkColor(canvas.Dc(), kDialog);
    ::SetBkMode(canvas.Dc(), OPAQUE);
    DRAWITEMSTRUCT item = OwnerDrawItem(button, ODT_BUTTON, 0, 0, canvas.Dc(), kFace);
    button.DrawItem(&item);
}

TEST(SkinButtonCaption, PixelsBetweenTheGlyphsKeepTheFace) {
    ControlHost host;
    ASSERT_TRUE(host.m_hWnd);
    for (const ButtonKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        std::unique_ptr<CSkinButton> bare = kind.make();
        std::unique_ptr<CSkinButton> captioned = kind.make();
        ASSERT_TRUE(bare->Create("", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 90, 28), &host, 501));
        ASSERT_TRUE(captioned->Create("<B>지금 실행</B>", WS_CHILD | BS_OWNERDRAW, CRect(0, 30, 90, 58), &host, 502));
        PixelCanvas face(kFace.Width(), kFace.Height(), kPaper);
        PixelCanvas drawn(kFace.Width(), kFace.Height(), kPaper);
        PaintOnDialogDC(*bare, face);
        PaintOnDialogDC(*captioned, drawn);
        // The middle of the caption, well inside its glyph cells.
        const CRect middle(25, 10, 65, 18);
        ASSERT_EQ(face.Count(middle, kDialog, 0), 0) << "the face itself must not hold the dialog colour there";
        int keptFace = 0;
        for (int y = middle.top; y < middle.bottom; ++y)
            for (int x = middle.left; x < middle.right; ++x)
                keptFace += drawn.At(x, y) == face.At(x, y);
        EXPECT_GT(keptFace, 100) << "of 320 pixels";
        EXPECT_LT(keptFace, 320) << "the caption was drawn";
        EXPECT_EQ(drawn.Count(middle, kDialog, 0), 0);
        EXPECT_EQ(::GetBkMode(drawn.Dc()), OPAQUE);
        EXPECT_EQ(::GetBkColor(drawn.Dc()), kDialog);
    }
}

struct TextRoute {
    const char* name;
    std::function<void(CWnd& host, CSkinButton& button, const char* text)> set;
};

const TextRoute kRoutes[] = {
    {"SetDlgItemText", [](CWnd& host, CSkinButton&, const char* text) { ::SetDlgItemTextA(host, 503, text); }},
    {"CWnd::SetWindowText", [](CWnd&, CSkinButton& button, const char* text) { static_cast<CWnd&>(button).SetWindowText(text); }},
    {"WM_SETTEXT", [](CWnd&, CSkinButton& button, const char* text) {
         button.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
     }},
    {"its own SetWindowTextA", [](CWnd&, CSkinButton& button, const char* text) { button.SetWindowTextA(text); }},
};

TEST(SkinButtonText, TakesATextHoweverItIsSetAndOnlyOnce) {
    ControlHost host;
    ASSERT_TRUE(host.m_hWnd);
    for (const ButtonKind& kind : kKinds) {
        for (const TextRoute& route : kRoutes) {
            SCOPED_TRACE(testing::Message() << kind.name << " through " << route.name);
            std::unique_ptr<CSkinButton> button = kind.make();
            ASSERT_TRUE(button->Create("<B>중단하기</B>", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 90, 28), &host, 503));
            const int before = AppliedCount(*button);

            route.set(host, *button, "<C=0000FF>닫기</C>");

            EXPECT_STREQ(button->GetCaption().GetText(), "닫기");
            EXPECT_STREQ(button->GetCaption().GetScript(), "<C=0000FF>닫기</C>");
            CString windowText;
            button->GetWindowText(windowText);
            EXPECT_STREQ(windowText, "<C=0000FF>닫기</C>");
            EXPECT_EQ(AppliedCount(*button) - before, 1);
        }
    }
}

}  // namespace
