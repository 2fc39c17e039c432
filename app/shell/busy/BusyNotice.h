#pragma once
#include "Framework.h"
#include "ResizeDlg.h"

// The small notice over the main window while one item runs on the main thread. That routine
// blocks the message loop, so the notice is painted completely before Show returns.
class CBusyNotice : public CResizeDlg {
public:
    CBusyNotice();

    // Creates the notice centred over parent, shows and paints it; false when it cannot be made.
    bool Show(CWnd* parent);
    void Close();

protected:
    BOOL OnInitDialog() override;
};
