#pragma once
#include <windows.h>

class CPicture;
class CResizeDlg;
class CWnd;

// What the program's own windows share in their look.
namespace ShellLook {

// The program's icon, big and small.
void SetAppIcon(CResizeDlg& dialog);
// The dialog colour over the whole client area, then the header picture at its top.
void PaintBackground(CWnd& window, HDC dc, const CPicture& header);

}  // namespace ShellLook
