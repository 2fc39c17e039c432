#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <functional>
#include <vector>

#include "DlgGetString.h"
#include "ControlHost.h"
#include "DlgGetStringIds.h"
#include "MessageBoxRecorder.h"
#include "WindowShot.h"

namespace {

const UINT kRunScript = WM_APP + 1;
const UINT_PTR kGiveUpTimer = 99;

// Runs its steps inside its own modal loop once it is laid out, one posted message each, so a
// step after a click runs only if the click left the dialog open; the last step ends the dialog
// by clicking a button (one that does not is cancelled after a generous wait). Kept hidden unless
// shown is asked for: without a window manager Wine takes seconds to map and unmap a window.
class ScriptedGetString : public CDlgGetString {
public:
    using Step = std::function<void(ScriptedGetString&)>;
    explicit ScriptedGetString(Step step, bool shown = false) : m_steps{std::move(step)}, m_shown(shown) {}
    ScriptedGetString(std::vector<Step> steps) : m_steps(std::move(steps)), m_shown(false) {}

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CString ItemText(int id) const {
        char text[256] = "";
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    void Click(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id))); }
    void Type(const char* text) {
        for (const char* c = text; *c; ++c)
            ::SendMessageA(Item(IDC_GET_STRING_EDIT), WM_CHAR, static_cast<unsigned char>(*c), 0);
    }
    CRect ItemRect(int id) const {
        CRect rect;
        ::GetWindowRect(Item(id), &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

protected:
    void BindControls() override {
        CDlgGetString::BindControls();
        m_next = 0;
        PostMessage(kRunScript);
        SetTimer(kGiveUpTimer, 20000);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case kRunScript:
            if (m_next < m_steps.size()) {
                m_steps[m_next++](*this);
                PostMessage(kRunScript);
            }
            return 0;
        case WM_TIMER:
            if (wParam != kGiveUpTimer)
                break;
            KillTimer(kGiveUpTimer);
            EndDialog(IDABORT);
            return 0;
        case WM_WINDOWPOSCHANGING:
            if (!m_shown)
                reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
            break;
        }
        return CDlgGetString::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_shown;
};

class ThreadLocale {
public:
    explicit ThreadLocale(LCID locale) : m_saved(::GetThreadLocale()) { ::SetThreadLocale(locale); }
    ~ThreadLocale() { ::SetThreadLocale(m_saved); }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    LCID m_saved;
};

DWORD ConversionOf(HWND window) {
    DWORD conversion = 0;
    DWORD sentence = 0;
    HIMC context = ::ImmGetContext(window);
    if (context) {
        ::ImmGetConversionStatus(context, &conversion, &sentence);
        ::ImmReleaseContext(window, context);
    }
    return conversion;
}

void SetConversionOf(HWND window, DWORD conversion) {
    HIMC context = ::ImmGetContext(window);
    if (context) {
        ::ImmSetConversionStatus(context, conversion, IME_SMODE_NONE);
        ::ImmReleaseContext(window, context);
    }
}

bool Overlap(const CRect& a, const CRect& b) {
    CRect both;
    return ::IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

TEST(DlgGetString, OkWithoutAValueKeepsTheDialogOpenAndAsksForOne) {
    const struct {
        const char* typed;
        LCID locale;
        const char* message;
    } cases[] = {
        {"   ", 1042, "값을 입력해 주십시오."},
        {"", 1042, "값을 입력해 주십시오."},
        {"   ", 1033, "You have to fill out the value"},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes(::GetModuleHandleA("Tovrin.dll"));
        ASSERT_TRUE(boxes.IsReady());
        const ThreadLocale locale(c.locale);
        bool openAfterOk = false;
        int boxesAfterOk = 0;
        ScriptedGetString dialog({[&](ScriptedGetString& d) {
                                      ::SetWindowTextA(d.Item(IDC_GET_STRING_EDIT), c.typed);
                                      d.Click(IDOK);
                                  },
                                  [&](ScriptedGetString& d) {
                                      openAfterOk = true;
                                      boxesAfterOk = boxes.Count();
                                      d.Click(IDCANCEL);
                                  }});
        dialog.SetTitle("이름", "새 항목");

        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << c.locale;
        EXPECT_TRUE(openAfterOk) << c.locale;
        EXPECT_EQ(1, boxesAfterOk) << c.locale;
        EXPECT_STREQ(c.message, boxes.text) << c.locale;
        EXPECT_STREQ("", dialog.GetString());
    }
}

TEST(DlgGetString, OkGivesTheTextWithItsTrailingSpacesRemoved) {
    MessageBoxRecorder boxes(::GetModuleHandleA("Tovrin.dll"));
    CString shownDefault;
    ScriptedGetString dialog([&](ScriptedGetString& d) {
        shownDefault = d.ItemText(IDC_GET_STRING_EDIT);
        ::SetWindowTextA(d.Item(IDC_GET_STRING_EDIT), "  새 폴더 이름   ");
        d.Click(IDOK);
    });
    dialog.SetDefault("기본값");

    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("기본값", shownDefault);
    EXPECT_STREQ("  새 폴더 이름", dialog.GetString());
    EXPECT_EQ(0, boxes.Count());
}

TEST(DlgGetString, TheEditBoxTakesNoMoreThanTheLimitAndDigitsOnlyInNumericMode) {
    const struct {
        int maxLength;
        bool numeric;
        const char* typed;
        const char* kept;
    } cases[] = {
        {5, false, "abcdefgh", "abcde"},
        {64, false, "a1 b2", "a1 b2"},
        {10, true, "a1b2c3", "123"},
        {2, true, "12345", "12"},
    };
    for (const auto& c : cases) {
        CString kept;
        ScriptedGetString dialog([&](ScriptedGetString& d) {
            d.Type(c.typed);
            kept = d.ItemText(IDC_GET_STRING_EDIT);
            d.Click(IDCANCEL);
        });
        dialog.SetEditSize(20, c.maxLength, c.numeric);
        dialog.DoModal();
        EXPECT_STREQ(c.kept, kept) << c.typed << " limit " << c.maxLength;
    }
}

TEST(DlgGetString, TheEditBoxIsCharsTimesSixPointThreePixelsWideTruncated) {
    const struct {
        int chars;
        int width;
    } cases[] = {{20, 126}, {7, 44}, {3, 18}, {50, 315}};
    for (const auto& c : cases) {
        int width = 0;
        ScriptedGetString dialog([&](ScriptedGetString& d) {
            width = d.ItemRect(IDC_GET_STRING_EDIT).Width();
            d.Click(IDCANCEL);
        });
        dialog.SetName("이름");
        dialog.SetEditSize(c.chars, 64, false);
        dialog.DoModal();
        EXPECT_EQ(c.width, width) << c.chars << " chars";
    }
}

TEST(DlgGetString, TheControlsAreLaidOutFromTheTextsWithoutOverlapInsideTheDialog) {
    CRect client, label, edit, description, ok, cancel, heading;
    bool richButtons = false;
    ScriptedGetString dialog([&](ScriptedGetString& d) {
        d.GetClientRect(&client);
        heading = d.ItemRect(IDC_GET_STRING_HEADING);
        label = d.ItemRect(IDC_GET_STRING_NAME);
        edit = d.ItemRect(IDC_GET_STRING_EDIT);
        description = d.ItemRect(IDC_GET_STRING_DESC);
        ok = d.ItemRect(IDOK);
        cancel = d.ItemRect(IDCANCEL);
        richButtons = dynamic_cast<CRichButton*>(CWnd::FromHandlePermanent(d.Item(IDOK))) &&
                      dynamic_cast<CRichButton*>(CWnd::FromHandlePermanent(d.Item(IDCANCEL)));
        d.Click(IDCANCEL);
    });
    dialog.SetTitle("제외 항목 추가", "쿠키를 지우지 않을 사이트의 주소를 입력하십시오.");
    dialog.SetName("사이트 주소:");
    dialog.SetDesc("입력한 글자가 주소에 들어 있는 쿠키는 지우지 않습니다. 예를 들어 naver를 입력하면 naver.com의 "
                   "쿠키가 남습니다.");
    dialog.SetEditSize(20, 64, false);
    dialog.DoModal();

    EXPECT_TRUE(richButtons);
    const CRect all[] = {heading, label, edit, description, ok, cancel};
    for (size_t i = 0; i < 6; ++i) {
        CRect inside;
        ::IntersectRect(&inside, &all[i], &client);
        EXPECT_TRUE(::EqualRect(&inside, &all[i])) << "control " << i << " lies partly outside the dialog";
        EXPECT_GT(all[i].Width(), 0) << "control " << i;
        for (size_t j = i + 1; j < 6; ++j)
            EXPECT_FALSE(Overlap(all[i], all[j])) << "controls " << i << " and " << j << " overlap";
    }
    EXPECT_LE(heading.bottom, edit.top);
    EXPECT_LE(label.right, edit.left);
    EXPECT_LE(edit.bottom, description.top);
    EXPECT_LE(description.bottom, ok.top);
    EXPECT_EQ(ok.top, cancel.top);
    EXPECT_LT(ok.right, cancel.left);
}

TEST(DlgGetString, TheEditBoxSwitchesTheInputMethodToHangulWhenItOpensAndWhenItGetsTheFocus) {
    DWORD onOpen = 0;
    DWORD onFocus = 0;
    ScriptedGetString dialog([&](ScriptedGetString& d) {
        onOpen = ConversionOf(d.Item(IDC_GET_STRING_EDIT));
        SetConversionOf(d.Item(IDC_GET_STRING_EDIT), IME_CMODE_ALPHANUMERIC);
        ::SetFocus(d.Item(IDOK));
        ::SetFocus(d.Item(IDC_GET_STRING_EDIT));
        onFocus = ConversionOf(d.Item(IDC_GET_STRING_EDIT));
        d.Click(IDCANCEL);
    });
    // Windows of one thread share its input context until one is given its own.
    ControlHost host;
    SetConversionOf(host.m_hWnd, IME_CMODE_ALPHANUMERIC);
    ASSERT_EQ(0u, ConversionOf(host.m_hWnd) & IME_CMODE_HANGUL);
    dialog.DoModal();
    EXPECT_TRUE(onOpen & IME_CMODE_HANGUL) << onOpen;
    EXPECT_TRUE(onFocus & IME_CMODE_HANGUL) << onFocus;
}

TEST(DlgGetString, PhotographedWithAKoreanTitleLabelAndDescription) {
    std::string shot;
    ScriptedGetString dialog([&](ScriptedGetString& d) {
        ::SetWindowTextA(d.Item(IDC_GET_STRING_EDIT), "naver");
        shot = WindowShot::Save(d.m_hWnd, "get-string-dialog");
        d.Click(IDCANCEL);
    }, true);
    dialog.SetTitle("쿠키 예외 추가", "지우지 않을 쿠키의 사이트를 입력하십시오.");
    dialog.SetName("사이트:");
    dialog.SetDesc("입력한 글자가 들어 있는 주소의 쿠키는 정리할 때 남겨 둡니다.");
    dialog.SetEditSize(20, 64, false);
    dialog.SetIcon(::LoadIconA(nullptr, IDI_INFORMATION));
    dialog.DoModal();
    EXPECT_FALSE(shot.empty());
}
