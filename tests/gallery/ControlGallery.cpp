// Shows one dialog with every kind of Tovrin control in interesting states, for screenshots.
// Usage: ControlGallery.exe [ready-file close-file]: writes ready-file once the dialog has been
// painted and ends when close-file appears.
#include <windows.h>

#include "CheckListBoxEx.h"
#include "Framework.h"
#include "Gallery.h"
#include "LangResizeDlg.h"
#include "PictureEx.h"
#include "RichTabButton.h"
#include "StyledListCtrl.h"

namespace {

const UINT_PTR kPollTimer = 1;

class CGalleryDlg : public CLangResizeDlg {
public:
    CGalleryDlg(const CString& readyFile, const CString& closeFile)
        : CLangResizeDlg(IDD_GALLERY), m_readyFile(readyFile), m_closeFile(closeFile) {}

protected:
    // Controls the base would otherwise make into plain rich buttons or statics.
    void BindControls() override {
        const UINT tabs[] = {IDC_TAB_CLEAN, IDC_TAB_REGISTRY, IDC_TAB_TOOLS};
        for (int i = 0; i < 3; ++i)
            m_tabs[i].SubclassDlgItem(tabs[i], this);
        m_animation.SubclassDlgItem(IDC_ANIMATION, this);
        m_items.SubclassDlgItem(IDC_ITEMS, this);
        m_choices.SubclassDlgItem(IDC_CHOICES, this);
    }

    BOOL OnInitDialog() override {
        CLangResizeDlg::OnInitDialog();

        m_tabs[0].SetCheck(1);
        FillItems();
        FillChoices();
        m_animation.SetWindowTextA("\nspinner.gif");

        SizeXYRate(IDC_ITEMS, 100, 100);
        SizeXYRate(IDC_PANEL, 100, 100);
        MoveXYRate(IDC_RUN, 0, 100);
        MoveXYRate(IDC_DISABLED, 0, 100);
        MoveXYRate(IDCANCEL, 100, 100);
        ShowWindow(SW_SHOW);
        SetTimer(kPollTimer, 200);
        return FALSE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kPollTimer) {
            OnPoll();
            return 0;
        }
        return CLangResizeDlg::WindowProc(message, wParam, lParam);
    }

private:
    void FillItems() {
        m_items.InsertColumn(0, "항목", LVCFMT_LEFT, 150);
        m_items.InsertColumn(1, "진행", LVCFMT_CENTER, 70);
        m_items.InsertColumn(2, "", LVCFMT_CENTER, 70);
        m_items.InsertColumn(3, "경로", LVCFMT_LEFT, 160);
        m_items.ShowCheckBox(true);
        m_items.EnableStyledText(true);
        m_items.SetProgressBarColumn(1);
        m_items.SetPathColumn(3);
        const char* const captions[] = {
            "윈도우 <C=0000FF><B>휴지통</B></C> 비우기",
            "인터넷 <C=0000FF><B>임시 파일</B></C> 삭제",
            "유효하지 않은 <C=0000FF><B>폰트</B></C> 정보<C=FF0000><S=10>[관]</C>",
            "최근 문서 목록",
            "<I>사용할 수 없는 항목</I>",
        };
        const char* const progress[] = {"100", "40\n복사 중", "0", "75", "-5"};
        for (int i = 0; i < 5; ++i) {
            int line = m_items.InsertItem(i, captions[i]);
            m_items.SetItemText(line, 1, progress[i]);
            m_items.SetItemText(line, 2, i == 3 ? "\nSBTN=<B>실행</B>" : "\nBTN=지금 실행");
            m_items.SetItemText(line, 3, "C:\\Documents and Settings\\사용자\\Local Settings\\Temporary Internet Files\\Content.IE5");
            m_items.SetItemData(line, i + 1);
        }
        m_items.SetCheck(0, TRUE);
        m_items.SetCheck(2, TRUE);
        m_items.SetCheckDisable(4, true);
        m_items.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    void FillChoices() {
        m_choices.EnableStyledText(true);
        m_choices.AddString("<B>쿠키</B> 예외");
        m_choices.AddString("기록 <C=FF0000>보존</C>");
        m_choices.AddSeperator();
        int third = m_choices.AddString("일부 선택");
        m_choices.AddString("모두 선택");
        m_choices.SetCheck(0, 1);
        m_choices.EnableThirdState(third, true);
        m_choices.SetCheck(third, -1);
    }

    void OnPoll() {
        if (!m_readyWritten && !m_readyFile.IsEmpty()) {
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
            HANDLE file = ::CreateFileA(m_readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                ::CloseHandle(file);
            m_readyWritten = true;
        }
        if (!m_closeFile.IsEmpty() && ::GetFileAttributesA(m_closeFile) != INVALID_FILE_ATTRIBUTES)
            EndDialog(IDCANCEL);
    }

    CString m_readyFile;
    CString m_closeFile;
    bool m_readyWritten = false;
    CRichTabButton m_tabs[3];
    CStyledListCtrl m_items;
    CCheckListBoxEx m_choices;
    CPictureEx m_animation;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CString readyFile, closeFile;
    if (__argc >= 3) {
        readyFile = __argv[1];
        closeFile = __argv[2];
    }
    CGalleryDlg dialog(readyFile, closeFile);
    AfxSetMainWnd(&dialog);
    dialog.DoModal();
    return 0;
}
