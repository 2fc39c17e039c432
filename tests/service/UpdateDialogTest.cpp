#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "HTMLStatic.h"
#include "WindowShot.h"
#include "update/UpdateDialog.h"
#include "update/UpdateVersion.h"

namespace {

const int kTextId = 1015, kLaterId = 1018, kIconId = 1000;

CString TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Shows the dialog, lets look inspect it, and then closes it with close.
CUpdateDialog::CChoice RunDialog(CUpdateDialog& dialog, const std::function<void(HWND)>& close,
                                 const std::function<void(HWND)>& look = nullptr) {
    DialogDriver driver(kLaterId, [&](HWND shown) {
        if (look)
            look(shown);
        close(shown);
        return true;
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(1, driver.Seen());
    return dialog.Choice();
}

struct Closing {
    const char* how;
    std::function<void(HWND)> close;
    CUpdateDialog::CChoice expected;
};

TEST(UpdateDialog, EveryWayOfClosingEndsWithOkAndRecordsItsChoice) {
    const Closing closings[] = {
        {"update button", [](HWND d) { DialogDriver::Click(d, IDOK); }, CUpdateDialog::choiceUpdate},
        {"do-not-update button", [](HWND d) { DialogDriver::Click(d, IDCANCEL); }, CUpdateDialog::choiceDoNotUpdate},
        {"remind-later button", [](HWND d) { DialogDriver::Click(d, kLaterId); }, CUpdateDialog::choiceRemindLater},
        {"Escape key", [](HWND d) { PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 0); }, CUpdateDialog::choiceDoNotUpdate},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, CUpdateDialog::choiceDoNotUpdate},
    };
    for (const Closing& closing : closings) {
        CUpdateDialog dialog(nullptr, nullptr, "text", false);
        EXPECT_EQ(closing.expected, RunDialog(dialog, closing.close)) << closing.how;
    }
}

TEST(UpdateDialog, ShowsTitleIconAndButtonCaptionsAndNamesUpdateNowOnlyWithASetup) {
    HICON icon = LoadIconA(nullptr, IDI_INFORMATION);
    struct Case {
        bool withSetup;
        const char* okCaption;
    } cases[] = {{false, "다운로드 페이지로 이동"}, {true, "지금 업데이트"}};
    for (const Case& c : cases) {
        CUpdateDialog dialog(nullptr, icon, "text", c.withSetup);
        CString title, ok, cancel, later;
        HICON shownIcon = nullptr;
        RunDialog(
            dialog, [](HWND d) { DialogDriver::Click(d, kLaterId); },
            [&](HWND d) {
                title = TextOf(d);
                ok = TextOf(GetDlgItem(d, IDOK));
                cancel = TextOf(GetDlgItem(d, IDCANCEL));
                later = TextOf(GetDlgItem(d, kLaterId));
                shownIcon = reinterpret_cast<HICON>(SendDlgItemMessageA(d, kIconId, STM_GETICON, 0, 0));
            });
        EXPECT_STREQ("UPDATE Notice", title);
        EXPECT_STREQ(c.okCaption, ok) << "with setup: " << c.withSetup;
        EXPECT_STREQ("업데이트 안 함", cancel);
        EXPECT_STREQ("다음에 다시 알림", later);
        EXPECT_EQ(icon, shownIcon);
    }
}

// The height the dialog's HTML text covers for a service file message.
int TextHeight(const char* serviceFileMessage, CString& script, bool photograph = false) {
    CUpdateDialog dialog(nullptr, LoadIconA(nullptr, IDI_INFORMATION),
                         CUpdateVersion::MessageAsHtml(serviceFileMessage), true);
    int height = 0;
    RunDialog(
        dialog, [](HWND d) { DialogDriver::Click(d, kLaterId); },
        [&](HWND d) {
            auto* text = dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(GetDlgItem(d, kTextId)));
            ASSERT_NE(nullptr, text);
            RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            script = text->GetScript();
            height = text->GetBoundingRect().Height();
            if (photograph)
                WindowShot::Save(d, "update-dialog");
        });
    return height;
}

TEST(UpdateDialog, ABackslashNInTheMessageStartsASecondLine) {
    CString oneScript, twoScript;
    const int one = TextHeight("A", oneScript);
    const int two = TextHeight("A\\nB", twoScript);
    EXPECT_STREQ("A<br>B", twoScript);
    ASSERT_GT(one, 0);
    EXPECT_GE(two, 2 * one) << "two lines, the second below the first";
}

TEST(UpdateDialog, Photograph) {
    CString script;
    TextHeight("<b>반트렐 2.0</b>이 나왔습니다.\\n\\n새 버전은 정리 항목이 늘었고\\n더 빨라졌습니다.", script, true);
    EXPECT_STREQ("<b>반트렐 2.0</b>이 나왔습니다.<br>새 버전은 정리 항목이 늘었고<br>더 빨라졌습니다.", script);
}

TEST(UpdateDialog, UpdateMinimisesTheApplicationsMainWindowAndTheOtherChoicesDoNot) {
    struct Case {
        int button;
        BOOL minimised;
    } cases[] = {{IDOK, TRUE}, {IDCANCEL, FALSE}, {kLaterId, FALSE}};
    for (const Case& c : cases) {
        CWnd main;
        ASSERT_TRUE(
            main.CreateEx(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
        CWnd* previous = AfxGetMainWnd();
        AfxSetMainWnd(&main);
        CUpdateDialog dialog(nullptr, nullptr, "text", false);
        RunDialog(dialog, [&](HWND d) { DialogDriver::Click(d, c.button); });
        EXPECT_EQ(c.minimised, IsIconic(main.m_hWnd)) << "button " << c.button;
        AfxSetMainWnd(previous);
    }
}

}  // namespace
