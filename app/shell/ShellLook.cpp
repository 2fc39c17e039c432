#include "ShellLook.h"

#include "Framework.h"
#include "Picture.h"
#include "ResizeDlg.h"
#include "ShellState.h"

namespace ShellLook {

void SetAppIcon(CResizeDlg& dialog) {
    dialog.SetIcon(ShellState::AppIcon(), true);
    dialog.SetIcon(ShellState::AppIcon(), false);
}

void PaintBackground(CWnd& window, HDC dc, const CPicture& header) {
    CRect client;
    window.GetClientRect(&client);
    HBRUSH background = CreateSolidBrush(RGB(236, 233, 216));
    FillRect(dc, &client, background);
    DeleteObject(background);
    header.Draw(dc, 0, 1);
}

}  // namespace ShellLook
