#pragma once
#include <windows.h>

#include <atomic>
#include <map>

#include "advert/APPMainAdCtrl.h"
#include "CleanupCatalogue.h"
#include "HTMLStatic.h"
#include "NGTPCommandHandler.h"
#include "PLTrayIconWnd.h"
#include "RunProgress.h"
#include "Picture.h"
#include "ResizeDlg.h"
#include "RichTabButton.h"
#include "StyledListCtrl.h"
#include "main/MainDlgIds.h"
#include "main/SessionEnd.h"

class CProgressDlg;

// Private messages of the main window.
constexpr UINT WM_ACTIVATE_MAIN = 0x7F11;   // from a second instance; answered kActivateAnswer
constexpr LRESULT kActivateAnswer = 0x8080;
constexpr UINT WM_CLOSE_NOW = 0x8001;       // the real end of the program
constexpr UINT WM_START_RUN = 0x8002;       // wParam logout flag, lParam ask flag
constexpr UINT WM_TRAY_NOTIFY = 0x8114;     // from the tray icon window

// The one window that lives as long as the program: four tabs of cleanup items, the runs, the
// tray icon. Closing it hides it; only command 2 and WM_CLOSE_NOW end it.
class CMainDlg : public CResizeDlg {
public:
    // commandLine: the arguments after the program path ("startup" marks an auto-start launch).
    explicit CMainDlg(const char* commandLine);
    ~CMainDlg() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A cleaning run with the progress window; returns when that window has closed.
    void RunWithProgress(int logoutFlag, int askFlag);

protected:
    BOOL OnInitDialog() override;
    void BindControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    // Answers "CloseWindow" with WM_CLOSE_NOW to the window it belongs to.
    class CCommands : public CNGTPCommandHandler {
    public:
        explicit CCommands(CMainDlg& owner) : m_owner(owner) {}
        int OnExecute(CNGTPParser* packet) override;

    private:
        CMainDlg& m_owner;
    };

    struct ItemList {
        Catalogue::Tab tab;
        UINT listId;
        UINT tabButtonId;
        CStyledListCtrl control;
        CRichTabButton tabButton;
        std::map<DWORD, int> itemOfLine;  // line id -> item id
    };

    // Lists (MainDlgLists.cpp).
    void SetUpLists();
    void FillLists();
    void LoadChecks();
    // Writes the check of every line to [Setting] and appends the checked item ids, list by list.
    void SaveChecks(CDWordArray* checkedIds = nullptr);
    void CheckedLineItems(CDWordArray& ids) const;
    ItemList* ListOfWindow(HWND window);
    ItemList* ListOfTab(Catalogue::Tab tab);
    int ItemOfLine(const ItemList& list, int index) const;
    void SetItemCheck(int id, BOOL check);
    void ShowTab(Catalogue::Tab tab);
    CStyledListCtrl& VisibleList();
    void ApplySelectionMode(Catalogue::SelectionMode mode);
    void OnLineCheckChanged(HWND list, int index);

    // Runs (MainDlgRun.cpp).
    LRESULT OnStartRun(int logoutFlag, int askFlag);
    bool EndInternetExplorer(int askFlag);
    void OnRunProgress(WPARAM type, LPARAM data);
    void OnStopRun();
    void OnListButtonClick(HWND list, LPARAM lineAndColumn);
    void RunOneItem(const ItemList& list, int id);
    void RunWithProgressThenMaybeEnd();

    // The end of the Windows session (MainDlgSession.cpp).
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);

    // Start, tray and ending (MainDlg.cpp).
    void SetTitle();
    void SetUpTray();
    void ReportLastLogoutRun();
    void StartAsLaunched();
    void HideToTray();
    void RestoreFromTray();
    void AskAndEnd();
    void OnDestroy();
    void CentreOnScreen();
    void OnEraseBackground(HDC dc);

    CCommands m_commands;
    ItemList m_lists[4];  // in the order Internet, program, Windows, registry
    CHTMLStatic m_note;
    CAPPMainAdCtrl m_advert;
    CPicture m_header;
    CUser32Library m_user32;
    HICON m_icon;
    HANDLE m_runFinished;
    HANDLE m_worker;
    int m_registryCount;
    HANDLE m_stopEvent;
    CProgressDlg* m_progress;
    std::atomic<HWND> m_progressWindow{nullptr};  // read by the dialog hider
    std::map<int, DWORD> m_lineOfItem;  // item id -> line id
    CPLTrayIconWnd m_tray;
    CRect m_listArea;
    int m_reportViewed = 0;
    CString m_commandLine;
    CString m_configPath;
    UINT m_taskbarCreated;
};
