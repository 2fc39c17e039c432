#pragma once
#include "Framework.h"
#include "ResizeDlg.h"

// The Options dialog (template 138): the [Option] keys of Config.ini, the Run-key entry that
// starts the program with Windows, and the service window's update-check switch. "확인" saves
// them all; "닫기" saves nothing.
class COptionsDlg : public CResizeDlg {
public:
    explicit COptionsDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void Load();
    void Save();
    void ShowChecks();
    void TakeChecks();

    CString m_configPath;
    // The seven [Option] keys, in the order of the key table in OptionsDlg.cpp.
    int m_optionChecks[7];
    int m_runAtWindowsStart;
    int m_noUpdateCheck;
};

// Runs the dialog over parent; then, when rights are wanted and missing, asks the after-options
// question. checkedLineItems: as AdminMode::RightsWanted takes them.
void RunOptionsDialog(CWnd* parent, const CDWordArray& checkedLineItems);
