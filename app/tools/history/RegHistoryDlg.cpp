#include "history/RegHistoryDlg.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "ShellLook.h"
#include "UtilityLib.h"
#include "WideRegistry.h"
#include "history/RegFileReader.h"
#include "history/RegHistoryIds.h"
#include "history/RestoreCheck.h"

namespace {

const UINT_PTR kReloadTimer = 10;
const UINT kReloadDelayMs = 10;
const UINT WM_RELOAD_ENTRIES = 0x7D18;
const int kHeaderPicture = 135;
const int kPathColumn = 1;
const int kKeyPathColumn = 2;
const int kStatusColumn = 3;
const int kHeaderAlignment = 2;

CString BackupFolder() { return CUtilityLib::GetAppDataLocalPath(true) + "\\RegHistory"; }

// Field 2 of [List] line k read through the wide call, so that a name outside the ANSI code
// page is compared as the file holds it; "" without one.
std::wstring FindingKeyPath(const CString& file, int line) {
    wchar_t value[4096] = {0};
    GetPrivateProfileStringW(L"List", std::to_wstring(line).c_str(), L"", value, ARRAYSIZE(value),
                             WideRegistry::FromAnsi(file).c_str());
    std::wstring text(value);
    size_t first = text.find(L'\t');
    size_t second = first == std::wstring::npos ? first : text.find(L'\t', first + 1);
    if (second == std::wstring::npos)
        return std::wstring();
    return text.substr(second + 1, text.find(L'\t', second + 1) - second - 1);
}

}  // namespace

CRegHistoryDlg::CRegHistoryDlg(CWnd* parent)
    : CResizeDlg(IDD_REG_HISTORY, parent), m_advert("RECOVER"), m_restoreStarted(false) {}

void CRegHistoryDlg::BindControls() {
    m_advert.SubclassDlgItem(IDC_REG_HISTORY_ADVERT, this);
    m_entries.SubclassDlgItem(IDC_REG_HISTORY_ENTRIES, this);
    m_files.SubclassDlgItem(IDC_REG_HISTORY_FILES, this);
}

BOOL CRegHistoryDlg::OnInitDialog() {
    ShellLook::SetAppIcon(*this);
    CResizeDlg::OnInitDialog();
    InitResize(-1, -1);
    SizeXYRate(IDC_REG_HISTORY_FILES, 0, 100);
    SizeXYRate(IDC_REG_HISTORY_ENTRIES, 100, 100);
    MoveXYRate(IDC_REG_HISTORY_NOTE, 100, 100);
    MoveXYRate(IDC_REG_HISTORY_VIEW, 0, 100);
    MoveXYRate(IDC_REG_HISTORY_DELETE, 0, 100);
    MoveXYRate(IDC_REG_HISTORY_CHECK, 100, 100);
    MoveXYRate(IDC_REG_HISTORY_RESTORE, 100, 100);
    MoveXYRate(IDC_REG_HISTORY_CLOSE, 100, 100);
    MoveXYRate(IDC_REG_HISTORY_ADVERT, 100, 0);
    m_header.Load("IMAGE", MAKEINTRESOURCE(kHeaderPicture), AfxGetInstanceHandle());
    SetUpLists();
    ListBackupFiles();
    if (m_files.GetItemCount() > 0) {
        SelectFileLine(0);
        SetTimer(kReloadTimer, kReloadDelayMs);
    }
    return TRUE;
}

void CRegHistoryDlg::SetUpLists() {
    m_files.InsertColumn(0, "", LVCFMT_LEFT, 1024);
    m_files.AdjustColumnWidth(true);
    m_entries.InsertColumn(0, "오류", LVCFMT_LEFT, 100);
    m_entries.InsertColumn(1, "링크", LVCFMT_LEFT, 130);
    // Narrower than the rest of the window, so that the restore status beside it stays in sight.
    m_entries.InsertColumn(kKeyPathColumn, "레지스트리 위치", LVCFMT_LEFT, 200);
    m_entries.InsertColumn(kStatusColumn, "복원 상태", LVCFMT_LEFT, 80);
    m_entries.SetPathColumn(kPathColumn);
    m_entries.SetHeaderAlign(0, kHeaderAlignment);
    m_entries.SetHeaderAlign(1, kHeaderAlignment);
    m_entries.AdjustColumnWidth(true);
}

void CRegHistoryDlg::ListBackupFiles() {
    m_paths.RemoveAll();
    m_files.DeleteAllItems();
    WIN32_FIND_DATAA entry;
    const CString folder = BackupFolder();
    HANDLE find = FindFirstFileA(folder + "\\*.REG", &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                m_paths.Add(folder + "\\" + entry.cFileName);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    CUtilityLib::QSortFileName(m_paths, 1);
    for (int index = static_cast<int>(m_paths.GetSize()) - 1; index >= 0; --index) {
        const int line = m_files.InsertItem(m_files.GetItemCount(), CUtilityLib::GetFileName(m_paths[index]));
        if (line >= 0)
            m_files.SetItemData(line, static_cast<DWORD>(index));
    }
    m_files.AdjustColumnWidth(true);
}

CString CRegHistoryDlg::SelectedPath() const {
    const DWORD index = m_files.GetSelectedItemData();
    if (index == 0xFFFFFFFF || index >= static_cast<DWORD>(m_paths.GetSize()))
        return CString();
    return m_paths[static_cast<int>(index)];
}

void CRegHistoryDlg::SelectFileLine(int line) {
    m_files.SelectClear();
    m_files.SetItemState(line, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_files.EnsureVisible(line, FALSE);
}

void CRegHistoryDlg::ReloadEntries() {
    const CString file = SelectedPath();
    if (file.IsEmpty())
        return;
    m_restoreStarted = false;
    m_entries.SendMessage(WM_SETREDRAW, FALSE);
    m_entries.DeleteAllItems();
    for (int k = 0;; ++k) {
        const CString value = CUtilityLib::GetPrivateProfileStringA("List", CUtilityLib::GetString(k, 0), file);
        if (value.IsEmpty())
            break;
        CStringArray fields;
        CUtilityLib::SplitStringByToken(value, '\t', fields);
        const int line = m_entries.InsertItem(m_entries.GetItemCount(), fields.GetSize() > 0 ? fields[0] : value);
        if (line < 0)
            continue;
        for (int column = 1; column <= kKeyPathColumn && column < fields.GetSize(); ++column)
            m_entries.SetItemText(line, column, fields[column]);
    }
    m_entries.AdjustColumnWidth(true);
    m_entries.SendMessage(WM_SETREDRAW, TRUE);
    m_entries.Invalidate();
}

void CRegHistoryDlg::CheckRestore() {
    const CString file = SelectedPath();
    if (file.IsEmpty())
        return;
    std::vector<RegFileReader::Key> keys;
    if (!RegFileReader::ReadFile(file, keys))
        keys.clear();
    const int count = m_entries.GetItemCount();
    for (int line = 0; line < count; ++line) {
        const std::wstring keyPath = FindingKeyPath(file, line);
        // A line without a key path names nothing that could be checked.
        const char* status = keyPath.empty() ? "" : RestoreCheck::IsRestored(keys, keyPath) ? "복원됨" : "복원 안 됨";
        m_entries.SetItemText(line, kStatusColumn, status);
    }
    m_entries.Invalidate();
}

void CRegHistoryDlg::OnRestore() {
    const CString file = SelectedPath();
    if (file.IsEmpty())
        return;
    m_restoreStarted = true;
    ShellExecuteA(m_hWnd, "open", file, nullptr, nullptr, SW_SHOW);
}

void CRegHistoryDlg::OnView() {
    const CString file = SelectedPath();
    if (file.IsEmpty())
        return;
    ShellExecuteA(m_hWnd, "open", "notepad.exe", "\"" + file + "\"", nullptr, SW_SHOW);
}

void CRegHistoryDlg::OnDelete() {
    const int line = m_files.GetSelectedIndex();
    const CString file = SelectedPath();
    if (line < 0 || file.IsEmpty()) {
        MessageBoxA(m_hWnd, "왼쪽의 REG파일을 선택하세요", "삭제", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CString question;
    question.Format("[%s]를 삭제하겠습니까 ?\n\n삭제 후에는 다시 복구 할 수 없게 됩니다.",
                    (const char*)CUtilityLib::GetFileName(file));
    if (MessageBoxA(m_hWnd, question, "삭제", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    DeleteFileA(file);
    m_files.DeleteItem(line);
    const int remaining = m_files.GetItemCount();
    if (remaining == 0) {
        m_entries.DeleteAllItems();
        m_restoreStarted = false;
        return;
    }
    SelectFileLine(line < remaining ? line : remaining - 1);
    ReloadEntries();
}

LRESULT CRegHistoryDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_RELOAD_ENTRIES:
            ReloadEntries();
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
        case WM_ACTIVATE:
            // The registry editor has had its turn once the window is active again.
            if (LOWORD(wParam) != WA_INACTIVE && m_restoreStarted)
                CheckRestore();
            break;
        }
        return CResizeDlg::WindowProc(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

void CRegHistoryDlg::OnTimer(UINT_PTR id) {
    if (id != kReloadTimer)
        return;
    KillTimer(kReloadTimer);
    PostMessage(WM_RELOAD_ENTRIES);
}

BOOL CRegHistoryDlg::OnEraseBkgnd(HDC dc) {
    ShellLook::PaintBackground(*this, dc, m_header);
    return TRUE;
}

BOOL CRegHistoryDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->hwndFrom == m_files.m_hWnd) {
        if (header->code == LVN_ITEMCHANGED)
            SetTimer(kReloadTimer, kReloadDelayMs);
        else if (header->code == NM_DBLCLK)
            OnRestore();
    }
    return CResizeDlg::OnNotify(wParam, lParam, result);
}

BOOL CRegHistoryDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_REG_HISTORY_RESTORE:
            OnRestore();
            return TRUE;
        case IDC_REG_HISTORY_VIEW:
            OnView();
            return TRUE;
        case IDC_REG_HISTORY_DELETE:
            OnDelete();
            return TRUE;
        case IDC_REG_HISTORY_CHECK:
            CheckRestore();
            return TRUE;
        }
    }
    return CResizeDlg::OnCommand(wParam, lParam);
}

// Enter would end the window through the restore button's id 1; a restore keeps it open.
void CRegHistoryDlg::OnOK() { OnRestore(); }

void RunRegistryHistory(CWnd* parent) { CRegHistoryDlg(parent).DoModal(); }
