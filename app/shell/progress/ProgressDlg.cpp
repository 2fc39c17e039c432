#include "progress/ProgressDlg.h"

#include "CleanupCatalogue.h"
#include "RunProgress.h"
#include "ShellLook.h"
#include "progress/ProgressIds.h"

namespace {

const UINT_PTR kBlinkTimer = 11;
const UINT kBlinkMs = 500;
const UINT_PTR kCloseTimer = 10;
const UINT kCloseTickMs = 200;
const int kHeaderPicture = 135;
const int kPathColumn = 1;

}  // namespace

CProgressDlg::CProgressDlg(CWnd* parent)
    : CResizeDlg(IDD_PROGRESS, parent),
      m_advert("CLOSE"),
      m_finished(0),
      m_countdown(0),
      m_autoClose(1),
      m_silent(0),
      m_powerOff(0) {}

void CProgressDlg::BindControls() {
    m_powerOffBox.SubclassDlgItem(IDC_PROGRESS_POWER_OFF, this);
    m_stopButton.SubclassDlgItem(IDC_PROGRESS_STOP, this);
    m_advert.SubclassDlgItem(IDC_PROGRESS_ADVERT, this);
    m_status.SubclassDlgItem(IDC_PROGRESS_STATUS, this);
    m_items.SubclassDlgItem(IDC_PROGRESS_ITEMS, this);
    m_registry.SubclassDlgItem(IDC_PROGRESS_REGISTRY, this);
}

BOOL CProgressDlg::OnInitDialog() {
    ShellLook::SetAppIcon(*this);
    CResizeDlg::OnInitDialog();
    SetUpItemList();
    SetUpRegistryList();
    m_advert.AlignRight();
    m_header.Load("IMAGE", MAKEINTRESOURCE(kHeaderPicture), AfxGetInstanceHandle());
    SetTimer(kBlinkTimer, kBlinkMs);
    SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The modal loop never shows a hidden dialog, so a silent run stays invisible to the end.
    if (!m_silent)
        ShowWindow(SW_SHOW);
    return TRUE;
}

void CProgressDlg::SetUpItemList() {
    m_items.EnableStyledText(true);
    m_items.InsertColumn(0, "", LVCFMT_LEFT, 350);
    m_items.InsertColumn(1, "", LVCFMT_LEFT, 1024);
    m_items.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}

void CProgressDlg::SetUpRegistryList() {
    m_registry.InsertColumn(0, "오류", LVCFMT_LEFT, 150);
    m_registry.InsertColumn(1, "링크", LVCFMT_LEFT, 300);
    m_registry.InsertColumn(2, "레지스트리 위치", LVCFMT_LEFT, 1024);
    m_registry.SetPathColumn(kPathColumn);
    m_registry.SetColumnWidth(kPathColumn, LVSCW_AUTOSIZE_USEHEADER);
}

void CProgressDlg::AddItem(int id) {
    const int line = m_items.InsertItem(m_items.GetItemCount(), Catalogue::Caption(id));
    if (line < 0)
        return;
    m_items.SetItemText(line, 1, " - ");
    m_items.SetItemData(line, static_cast<DWORD>(id));
    m_items.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}

int CProgressDlg::FindItemLine(int id) const {
    const int count = m_items.GetItemCount();
    for (int line = 0; line < count; ++line)
        if (m_items.GetItemData(line) == static_cast<DWORD>(id))
            return line;
    return -1;
}

void CProgressDlg::MarkDeleting(int id) {
    const int line = FindItemLine(id);
    if (line < 0)
        return;
    m_items.SetItemText(line, 1, "삭제 중");
    m_items.EnsureVisible(line, FALSE);
    m_items.SelectClear();
    m_items.SetItemState(line, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_items.UpdateWindow();
}

void CProgressDlg::MarkDone(int id) {
    const int line = FindItemLine(id);
    if (line < 0)
        return;
    m_items.SetItemText(line, 1, "완료");
    m_items.UpdateWindow();
}

void CProgressDlg::AddRegistryEntry(const char* category, const char* entry, const char* keyPath) {
    const int line = m_registry.InsertItem(m_registry.GetItemCount(), category);
    if (line < 0)
        return;
    m_registry.SetItemText(line, 1, entry);
    m_registry.SetItemText(line, 2, keyPath);
    m_registry.SetColumnWidth(kPathColumn, LVSCW_AUTOSIZE_USEHEADER);
}

void CProgressDlg::RunEnded() {
    KillTimer(kBlinkTimer);
    m_finished = 1;
    m_stopButton.SetWindowText("닫기");
    m_stopButton.RedrawWindow();
    m_status.ShowWindow(SW_SHOW);
    if (!m_autoClose)
        return;
    // Closes on the first tick.
    m_countdown = 1;
    SetTimer(kCloseTimer, kCloseTickMs);
}

void CProgressDlg::RepaintItems() { m_items.UpdateWindow(); }

void CProgressDlg::Close() { EndDialog(IDOK); }

LRESULT CProgressDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
        }
        return CResizeDlg::WindowProc(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

void CProgressDlg::OnTimer(UINT_PTR id) {
    switch (id) {
    case kBlinkTimer:
        // The style bit: a silent window is hidden, and so is every child by IsWindowVisible.
        m_status.ShowWindow(m_status.GetStyle() & WS_VISIBLE ? SW_HIDE : SW_SHOW);
        break;
    case kCloseTimer:
        if (--m_countdown <= 0) {
            KillTimer(kCloseTimer);
            Close();
        }
        break;
    }
}

BOOL CProgressDlg::OnEraseBkgnd(HDC dc) {
    ShellLook::PaintBackground(*this, dc, m_header);
    return TRUE;
}

BOOL CProgressDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_PROGRESS_STOP:
            OnStop();
            return TRUE;
        case IDC_PROGRESS_POWER_OFF:
            OnPowerOffBox();
            return TRUE;
        }
    }
    return CResizeDlg::OnCommand(wParam, lParam);
}

void CProgressDlg::OnStop() {
    if (m_finished) {
        Close();
        return;
    }
    // The main window stops the worker and closes this window with report type 5.
    if (CWnd* main = AfxGetMainWnd())
        if (main->m_hWnd)
            main->PostMessage(WM_STOP_RUN, 0, 0);
}

void CProgressDlg::OnPowerOffBox() {
    m_powerOff = m_powerOffBox.GetCheck() == BST_CHECKED ? 0 : 1;
    m_powerOffBox.SetCheck(m_powerOff ? BST_CHECKED : BST_UNCHECKED);
}

// Enter has no button to press here.
void CProgressDlg::OnOK() {}

// Escape and the close box must not leave a run without its window: they act as the stop button.
void CProgressDlg::OnCancel() { OnStop(); }
