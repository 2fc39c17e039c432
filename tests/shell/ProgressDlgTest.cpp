#include <gtest/gtest.h>

#include <string>

#include "../engine/RedirectedAppData.h"
#include "MessagePump.h"
#include "ProgressRun.h"
#include "ShellState.h"
#include "WindowShot.h"
#include "progress/ProgressIds.h"

namespace {

std::string CellText(HWND list, int line, int column) {
    char text[512] = {0};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, line, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::string ItemText(HWND dialog, int id) {
    char text[256] = {0};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int LineCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

UINT LineState(HWND list, int line) {
    return static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, line, LVIS_SELECTED | LVIS_FOCUSED));
}

// The style bit: the window itself may be hidden.
bool StatusShown(HWND dialog) { return (GetWindowLongA(GetDlgItem(dialog, IDC_PROGRESS_STATUS), GWL_STYLE) & WS_VISIBLE) != 0; }

// How often the status field went from shown to hidden or back.
struct StatusWatch {
    int changes = 0;
    int last = -1;
    void Sample(HWND dialog) {
        const int shown = StatusShown(dialog) ? 1 : 0;
        if (last >= 0 && shown != last)
            ++changes;
        last = shown;
    }
};

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

ProgressRun::Step Do(std::function<void(CProgressDlg&)> act) {
    return [act](CProgressDlg& dialog) {
        act(dialog);
        return true;
    };
}

class ProgressDlgTest : public ::testing::Test {
protected:
    ProgressDlgTest() { ShellState::SetAppIcon(appIcon); }
    ~ProgressDlgTest() override { ShellState::SetAppIcon(nullptr); }

    HWND Items() const { return GetDlgItem(dialog.m_hWnd, IDC_PROGRESS_ITEMS); }
    HWND Registry() const { return GetDlgItem(dialog.m_hWnd, IDC_PROGRESS_REGISTRY); }

    const HICON appIcon = LoadIconA(nullptr, IDI_APPLICATION);
    RedirectedAppData appData;
    StopReceiver mainWindow;
    CProgressDlg dialog;
    ProgressRun run{dialog};
};

TEST_F(ProgressDlgTest, ShowsEveryReportOfARunAndClosesAfterItsEnd) {
    const INT_PTR result = run.Run({
        Do([](CProgressDlg& d) {
            d.AddItem(1);
            d.AddItem(6);
            d.AddItem(7);
            d.RepaintItems();
            d.MarkDeleting(1);
            d.MarkDone(1);
            d.MarkDeleting(6);
            d.AddRegistryEntry("MUI 참조", "C:\\Old\\gone.exe", "HKEY_CURRENT_USER\\Software\\Classes\\MuiCache");
            d.AddRegistryEntry("설치 프로그램", "C:\\Program Files\\Lost", "HKEY_LOCAL_MACHINE\\Software\\Uninstall\\Lost");
        }),
        ProgressRun::Ticks(4),
        Do([this](CProgressDlg& d) {
            ASSERT_EQ(3, LineCount(Items()));
            EXPECT_EQ("인터넷 <C=0000FF><B>캐시</B></C>(임시 파일) 삭제 <C=888888>", CellText(Items(), 0, 0));
            EXPECT_EQ("윈도우 <C=0000FF><B>임시폴더</B></C> 삭제", CellText(Items(), 1, 0));
            EXPECT_EQ("윈도우 <C=0000FF><B>휴지통</B></C> 비우기", CellText(Items(), 2, 0));
            EXPECT_EQ("완료", CellText(Items(), 0, 1));
            EXPECT_EQ("삭제 중", CellText(Items(), 1, 1));
            EXPECT_EQ(" - ", CellText(Items(), 2, 1));
            auto* items = static_cast<CStyledListCtrl*>(CWnd::FromHandlePermanent(Items()));
            ASSERT_NE(nullptr, items);
            EXPECT_EQ(6u, items->GetItemData(1));
            EXPECT_EQ(0u, LineState(Items(), 0));
            EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), LineState(Items(), 1));

            ASSERT_EQ(2, LineCount(Registry()));
            EXPECT_EQ("MUI 참조", CellText(Registry(), 0, 0));
            EXPECT_EQ("C:\\Old\\gone.exe", CellText(Registry(), 0, 1));
            EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Classes\\MuiCache", CellText(Registry(), 0, 2));
            EXPECT_EQ("설치 프로그램", CellText(Registry(), 1, 0));
            EXPECT_EQ("HKEY_LOCAL_MACHINE\\Software\\Uninstall\\Lost", CellText(Registry(), 1, 2));
            EXPECT_TRUE(IsWindowVisible(d.m_hWnd));
            EXPECT_EQ(appIcon, reinterpret_cast<HICON>(SendMessageA(d.m_hWnd, WM_GETICON, ICON_BIG, 0)));
            EXPECT_EQ("중단하기", ItemText(d.m_hWnd, IDC_PROGRESS_STOP));
            WindowShot::Save(d.m_hWnd, "progress-window");
            d.MarkDone(6);
            d.RunEnded();
            EXPECT_EQ("완료", CellText(Items(), 1, 1));
            EXPECT_EQ("닫기", ItemText(d.m_hWnd, IDC_PROGRESS_STOP));
        }),
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(run.closedByGuard);
    EXPECT_TRUE(run.everShown);
    EXPECT_EQ(0, mainWindow.stopRequests);
}

TEST_F(ProgressDlgTest, ReportsForAnIdWithoutALineChangeNothing) {
    run.Run({
        Do([this](CProgressDlg& d) {
            d.AddItem(1);
            d.AddItem(6);
            d.MarkDeleting(6);
            for (int id : {99, 7, 0, -1}) {
                d.MarkDeleting(id);
                d.MarkDone(id);
            }
            ASSERT_EQ(2, LineCount(Items()));
            EXPECT_EQ(" - ", CellText(Items(), 0, 1));
            EXPECT_EQ("삭제 중", CellText(Items(), 1, 1));
            EXPECT_EQ(0u, LineState(Items(), 0));
            EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), LineState(Items(), 1));
            d.Close();
        }),
    });
    EXPECT_FALSE(run.closedByGuard);
}

// Escape and the close box act as the stop button does.
class ProgressStopTest : public ProgressDlgTest, public ::testing::WithParamInterface<int> {};

TEST_P(ProgressStopTest, AsksTheMainWindowToStopWhileRunningAndClosesAfterTheEnd) {
    const int command = GetParam();
    auto press = [command](CProgressDlg& d) {
        if (command == IDC_PROGRESS_STOP)
            Click(d.m_hWnd, command);
        else
            SendMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    };
    dialog.SetAutoClose(0);
    int requestsWhileRunning = -1;
    const INT_PTR result = run.Run({
        Do(press),
        ProgressRun::Ticks(2),
        Do([&](CProgressDlg& d) {
            requestsWhileRunning = mainWindow.stopRequests;
            d.RunEnded();
        }),
        ProgressRun::Ticks(6),
        Do(press),
    });
    EXPECT_EQ(1, requestsWhileRunning);
    EXPECT_EQ(5u, run.stepsRun) << "closed before the second press";
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(run.closedByGuard) << "still open after the press at the end";
    PumpFor(100);
    EXPECT_EQ(1, mainWindow.stopRequests);
}

INSTANTIATE_TEST_SUITE_P(StopButtonAndEscape, ProgressStopTest, ::testing::Values(IDC_PROGRESS_STOP, IDCANCEL));

TEST_F(ProgressDlgTest, PowerOffBoxTogglesWithEveryClick) {
    const struct {
        int clicks;
        int powerOff;
    } cases[] = {{1, 1}, {2, 0}, {3, 1}};
    for (const auto& c : cases) {
        CProgressDlg window;
        ProgressRun windowRun(window);
        int boxState = -1;
        windowRun.Run({Do([&](CProgressDlg& d) {
            for (int i = 0; i < c.clicks; ++i)
                Click(d.m_hWnd, IDC_PROGRESS_POWER_OFF);
            boxState = static_cast<int>(IsDlgButtonChecked(d.m_hWnd, IDC_PROGRESS_POWER_OFF));
            d.Close();
        })});
        EXPECT_EQ(c.powerOff, window.GetPowerOff()) << c.clicks << " clicks";
        EXPECT_EQ(c.powerOff, boxState) << c.clicks << " clicks";
    }
}

TEST_F(ProgressDlgTest, SilentWindowIsNeverShownYetWorksAndClosesAfterTheEnd) {
    dialog.SetSilent(1);
    StatusWatch status;
    std::string doneText;
    const INT_PTR result = run.Run({
        Do([&](CProgressDlg& d) {
            d.AddItem(1);
            d.MarkDeleting(1);
            d.MarkDone(1);
            doneText = CellText(Items(), 0, 1);
        }),
        [&](CProgressDlg& d) {
            status.Sample(d.m_hWnd);
            return status.changes >= 2;
        },
        Do([](CProgressDlg& d) { d.RunEnded(); }),
    });
    EXPECT_EQ("완료", doneText);
    EXPECT_EQ(2, status.changes);
    EXPECT_FALSE(run.everShown);
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(run.closedByGuard);
}

TEST_F(ProgressDlgTest, StatusFieldBlinksWhileRunningAndStaysShownAfterTheEnd) {
    dialog.SetAutoClose(0);
    StatusWatch running;
    StatusWatch ended;
    int samplesAfterEnd = 0;
    run.Run({
        [&](CProgressDlg& d) {
            running.Sample(d.m_hWnd);
            return running.changes >= 3;
        },
        Do([](CProgressDlg& d) { d.RunEnded(); }),
        // Three blink periods.
        [&](CProgressDlg& d) {
            ended.Sample(d.m_hWnd);
            return ++samplesAfterEnd >= 30;
        },
        Do([&](CProgressDlg& d) {
            EXPECT_TRUE(StatusShown(d.m_hWnd));
            d.Close();
        }),
    });
    EXPECT_EQ(3, running.changes);
    EXPECT_EQ(0, ended.changes);
    EXPECT_FALSE(run.closedByGuard);
}

}  // namespace
