#pragma once
#include <windows.h>

#include "advert/APPMainAdCtrl.h"
#include "Framework.h"
#include "Picture.h"
#include "ResizeDlg.h"
#include "StyledListCtrl.h"

// The registry backup history (template 136): the run backups of RegHistory newest first, the
// [List] entries of the selected one, and restoring, viewing and deleting it. After a restore,
// when the window is activated again (or on "복원 확인"), every entry line is marked with
// whether the registry holds what the file says.
class CRegHistoryDlg : public CResizeDlg {
public:
    explicit CRegHistoryDlg(CWnd* parent = nullptr);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void BindControls() override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;

private:
    void SetUpLists();
    void ListBackupFiles();
    void ReloadEntries();
    void SelectFileLine(int line);
    // "" without a selected line.
    CString SelectedPath() const;
    void OnRestore();
    void OnView();
    void OnDelete();
    void CheckRestore();
    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(HDC dc);

    CAPPMainAdCtrl m_advert;
    CStyledListCtrl m_entries;
    CStyledListCtrl m_files;
    CStringArray m_paths;
    CPicture m_header;
    // Set by a restore of the selected file, until another file is loaded.
    bool m_restoreStarted;
};

// Runs the window modally over parent.
void RunRegistryHistory(CWnd* parent);
