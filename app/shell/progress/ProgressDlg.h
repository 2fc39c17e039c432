#pragma once
#include <windows.h>

#include "advert/APPMainAdCtrl.h"
#include "Framework.h"
#include "HTMLStatic.h"
#include "Picture.h"
#include "ResizeDlg.h"
#include "RichButton.h"
#include "StyledListCtrl.h"

// The window of one cleaning run: the run's items with their state, the registry entries it
// removes, the stop button and the power-off box. The main window runs it modally and forwards
// the worker's reports to it on the main thread; it closes itself shortly after the run ends.
class CProgressDlg : public CResizeDlg {
public:
    explicit CProgressDlg(CWnd* parent = nullptr);

    void AddItem(int id);
    // An id without a line changes nothing.
    void MarkDeleting(int id);
    void MarkDone(int id);
    void AddRegistryEntry(const char* category, const char* entry, const char* keyPath);
    void RunEnded();
    void RepaintItems();
    // Ends the modal loop with IDOK.
    void Close();
    // Before the window is run. Without auto-close an ended run waits for the close button.
    void SetAutoClose(int autoClose) { m_autoClose = autoClose; }
    void SetSilent(int silent) { m_silent = silent; }
    int GetPowerOff() const { return m_powerOff; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void BindControls() override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void SetUpItemList();
    void SetUpRegistryList();
    int FindItemLine(int id) const;
    void OnStop();
    void OnPowerOffBox();
    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(HDC dc);

    CButton m_powerOffBox;
    CRichButton m_stopButton;
    CAPPMainAdCtrl m_advert;
    CHTMLStatic m_status;
    CStyledListCtrl m_items;
    CStyledListCtrl m_registry;
    CPicture m_header;
    int m_finished;
    int m_countdown;
    int m_autoClose;
    int m_silent;
    int m_powerOff;
};
