#include "main/MainDlg.h"

#include "UtilityLib.h"
#include "admin/AdminMode.h"

namespace {

const char kRunButton[] = "\nBTN=지금 실행";
const int kColumnWidths[] = {460, 40, 80};

// An index reset is only wanted together with the cleaning of what it indexes.
struct IndexPair {
    int cleaning;
    int index;
};
const IndexPair kIndexPairs[] = {{1, 15}, {2, 16}};

}  // namespace

void CMainDlg::SetUpLists() {
    GetDlgItem(IDC_MAIN_LIST_INTERNET)->GetWindowRect(&m_listArea);
    ScreenToClient(&m_listArea);
    CRect placed = m_listArea;
    placed.InflateRect(1, 1);
    for (ItemList& list : m_lists) {
        list.control.SetWindowPos(nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
        for (int column = 0; column < 3; ++column)
            list.control.InsertColumn(column, "", LVCFMT_LEFT, kColumnWidths[column]);
        list.control.EnableStyledText(true);
        list.control.ShowCheckBox(true);
    }
}

void CMainDlg::FillLists() {
    for (ItemList& list : m_lists) {
        for (int id : Catalogue::FindTab(list.tab)->lines) {
            const int index = list.control.InsertItem(list.control.GetItemCount(), Catalogue::Caption(id));
            list.control.SetItemText(index, 2, kRunButton);
            const DWORD line = list.control.GetLineID(index);
            list.itemOfLine[line] = id;
            m_lineOfItem[id] = line;
        }
    }
}

void CMainDlg::LoadChecks() {
    for (ItemList& list : m_lists) {
        for (int id : Catalogue::FindTab(list.tab)->lines) {
            const Catalogue::Item* item = Catalogue::FindItem(id);
            const int check = CUtilityLib::GetPrivateProfileIntA("Setting", item->optionKey, item->defaultCheck, m_configPath);
            const auto line = m_lineOfItem.find(id);
            const int index = line == m_lineOfItem.end() ? -1 : list.control.GetLineIndex(line->second);
            if (index < 0)
                continue;
            list.control.SetItemData(index, id);
            list.control.SetCheck(index, check ? TRUE : FALSE);
        }
    }
}

void CMainDlg::SaveChecks(CDWordArray* checkedIds) {
    for (ItemList& list : m_lists) {
        if (!list.control.GetSafeHwnd())
            continue;
        for (int index = 0; index < list.control.GetItemCount(); ++index) {
            const int id = ItemOfLine(list, index);
            const Catalogue::Item* item = Catalogue::FindItem(id);
            if (!item || !item->optionKey)
                continue;
            const int check = list.control.GetCheck(index) ? 1 : 0;
            CUtilityLib::WritePrivateProfileInt("Setting", item->optionKey, check, m_configPath);
            if (check && checkedIds)
                checkedIds->Add(static_cast<DWORD>(id));
        }
    }
}

void CMainDlg::CheckedLineItems(CDWordArray& ids) const {
    for (const ItemList& list : m_lists)
        for (int index = 0; index < list.control.GetItemCount(); ++index)
            if (list.control.GetCheck(index))
                ids.Add(static_cast<DWORD>(ItemOfLine(list, index)));
}

int CMainDlg::ItemOfLine(const ItemList& list, int index) const {
    const auto found = list.itemOfLine.find(list.control.GetLineID(index));
    return found == list.itemOfLine.end() ? 0 : found->second;
}

CMainDlg::ItemList* CMainDlg::ListOfWindow(HWND window) {
    for (ItemList& list : m_lists)
        if (window && list.control.GetSafeHwnd() == window)
            return &list;
    return nullptr;
}

CMainDlg::ItemList* CMainDlg::ListOfTab(Catalogue::Tab tab) {
    for (ItemList& list : m_lists)
        if (list.tab == tab)
            return &list;
    return nullptr;
}

void CMainDlg::SetItemCheck(int id, BOOL check) {
    const auto line = m_lineOfItem.find(id);
    if (line == m_lineOfItem.end())
        return;
    for (ItemList& list : m_lists) {
        const int index = list.control.GetLineIndex(line->second);
        if (index >= 0 && ItemOfLine(list, index) == id)
            list.control.SetCheck(index, check);
    }
}

void CMainDlg::ShowTab(Catalogue::Tab tab) {
    for (ItemList& list : m_lists) {
        const bool shown = list.tab == tab;
        list.tabButton.SetCheck(shown ? BST_CHECKED : BST_UNCHECKED);
        list.control.ShowWindow(shown ? SW_SHOW : SW_HIDE);
    }
}

// The registry list if visible, else the Windows, program and Internet lists in that order.
CStyledListCtrl& CMainDlg::VisibleList() {
    const Catalogue::Tab order[] = {Catalogue::Tab::Registry, Catalogue::Tab::Windows, Catalogue::Tab::Program};
    for (Catalogue::Tab tab : order) {
        ItemList* list = ListOfTab(tab);
        if (list->control.IsWindowVisible())
            return list->control;
    }
    return ListOfTab(Catalogue::Tab::Internet)->control;
}

void CMainDlg::ApplySelectionMode(Catalogue::SelectionMode mode) {
    const bool quick = mode == Catalogue::SelectionMode::Quick;
    const char* question = quick
        ? "빠른 실행 모드는 반복해서 계속 실행하더라도 오래 걸리는 항목들을 제외합니다.\n\n"
          "또한 임시 기록이 아닌 대상은 직접 선택을 해야 합니다.\n\n\n☞ 선택 되지 않은 행목\n\n"
          "  - MSN 메신저 사용 기록 (로그인기록) 삭제\n"
          "  - NateOn 메신저 사용 기록 (로그인기록, 메시지등) 삭제\n"
          "  - BuddyBuddy 메신저 사용 기록 (로그인기록, 메시지등)삭제\n"
          "  - 원격 데스크탑 연결 기록 삭제\n\n"
          "  - 윈도우 USB 사용 흔적 삭제\n"
          "  - 유효하지 않은 MUI 참조 정보\n"
          "  - 유효하지 않은 설치 프로그램 정보"
        : "임시 기록이 아닌 대상은 직접 선택을 해야 합니다.\n\n\n☞ 선택 되지 않은 행목\n\n"
          "  - MSN 메신저 사용 기록 (로그인기록) 삭제\n"
          "  - NateOn 메신저 사용 기록 (로그인기록, 메시지등) 삭제\n"
          "  - BuddyBuddy 메신저 사용 기록 (로그인기록, 메시지등)삭제\n"
          "  - 원격 데스크탑 연결 기록 삭제\n\n"
          "  - 윈도우 USB 사용 흔적 삭제";
    if (MessageBoxA(m_hWnd, question, "알림", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    for (ItemList& list : m_lists)
        for (int index = 0; index < list.control.GetItemCount(); ++index)
            list.control.SetCheck(index, Catalogue::SelectionCheck(ItemOfLine(list, index), mode) ? TRUE : FALSE);
}

// A click on a line's check box: the index reset follows its cleaning when that is unchecked,
// and an administrator line checked without the rights offers the restart.
void CMainDlg::OnLineCheckChanged(HWND window, int index) {
    ItemList* list = ListOfWindow(window);
    if (!list)
        return;
    const int id = ItemOfLine(*list, index);
    const BOOL checked = list->control.GetCheck(index);
    if (!checked) {
        for (const IndexPair& pair : kIndexPairs)
            if (pair.cleaning == id)
                SetItemCheck(pair.index, FALSE);
        return;
    }
    if (Catalogue::IsAdministratorItem(id) && !AdminMode::IsRunningAsAdmin())
        AdminMode::AskAndRestart(m_hWnd, AdminMode::kCheckedLineQuestion);
}
