#pragma once
// The MFC-compatible layer that every Vantrel module links against (Framework.dll).
//
// Where it differs from the MFC classes it stands in for:
// - CString is ANSI only, never shared copy-on-write, and has no resource-id constructor or
//   LoadString. Find, ReverseFind, Replace, Trim and the case functions skip trail bytes of
//   double-byte characters of the system code page; CompareNoCase works like _mbsicmp.
// - CStringArray, CDWordArray and CArray are header templates over std::vector; out-of-range
//   indexes are not checked, as in MFC release builds. No serialization anywhere.
// - CMapStringToString keys compare with case, like MFC's; iteration order is unspecified; the
//   map cannot be copied; a null key means "". POSITION is an opaque pointer (FxPositionTag*).
// - CFile reports failures through its results (false, 0 or CFile::invalidPosition) and
//   GetLastError, never by throwing CFileException. Write returns bool; the handle is read with
//   GetHandle() (no public m_hFile) and is never inheritable; shareCompat (0) means exclusive.
//   Only the open flags that Vantrel uses exist; typeBinary is accepted and changes nothing.
// - CFileFind returns bool; before the first FindNextFile its accessors describe no entry
//   instead of asserting. IsReparsePoint is ours. The time getters return false for a time the
//   file system does not keep (zero FILETIME).
// - CTime holds a 64-bit count of seconds, formats with the C library's strftime codes, and
//   converts a FILETIME exactly (UTC) rather than through the current daylight-saving bias. An
//   impossible time holds -1 instead of asserting. CTimeSpan counts are 64-bit.
// - CPoint, CSize and CRect start at zero. CDC wraps an HDC with the drawing calls the controls
//   use, selects GDI objects by handle and returns no CGdiObject pointers; CFont, CBrush, CPen and
//   CBitmap own their handle. No CGdiObject, CRgn, CPalette or CImageList.
// - Windows: every class overrides WindowProc with one switch (no message maps); handlers are
//   ordinary member functions. CWnd::FromHandle makes temporary objects that the modal loop
//   frees when idle. The main window is set with AfxSetMainWnd (there is no CWinApp); the
//   modal loop of CDialog never shows a hidden dialog. Exceptions thrown in a window procedure
//   are swallowed at the Win32 boundary. Only the controls the program uses exist: CStatic,
//   CButton, CListBox, CListCtrl.
#include "Arrays.h"
#include "CDC.h"
#include "CFile.h"
#include "CFileFind.h"
#include "CMapStringToString.h"
#include "CString.h"
#include "CTime.h"
#include "CTimeSpan.h"
#include "Controls.h"
#include "Dialog.h"
#include "GdiObjects.h"
#include "GdiTypes.h"
#include "Position.h"
#include "Wnd.h"
