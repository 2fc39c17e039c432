#pragma once
// The MFC-compatible layer that every Vantrel module links against (Framework.dll).
//
// Where it differs from the MFC classes it stands in for:
// - CString is ANSI only, never shared copy-on-write, and has no resource-id constructor or
//   LoadString. Find, ReverseFind, Replace, Trim and the case functions skip trail bytes of
//   double-byte characters of the system code page; CompareNoCase works like _mbsicmp.
// - CStringArray and CDWordArray are header templates over std::vector; out-of-range indexes are
//   not checked, as in MFC release builds. No serialization anywhere.
// - CMapStringToString keys compare with case, like MFC's; iteration order is unspecified.
// - CFile reports failures through its results (false, 0 or -1) and GetLastError, never by
//   throwing CFileException.
// - CTime holds a time_t-style count of seconds and formats with strftime codes.
#include "Arrays.h"
#include "CString.h"
