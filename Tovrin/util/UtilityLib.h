#pragma once
#include <windows.h>

#include "Framework.h"
#include "BinData.h"
#include "PLCallback.h"
#include "TovrinApi.h"

// The maker's utility functions: static, stateless apart from the application-data sub-path
// and the file-name sort lock. Results are plain values (1/0, bool, a default, an empty
// string); nothing throws or reports why it failed.
class TOVRIN_API CUtilityLib {
public:
    CUtilityLib() = delete;

    // Registry. Every key opened is closed before returning.
    static int IsRegistryKey(HKEY root, const char* subkey);
    // The buffer always ends up NUL-terminated (empty on failure). Data that does not fit,
    // or fills the buffer exactly without ending in NUL, fails rather than being cut.
    static int ReadRegistry(HKEY root, const char* subkey, const char* valueName, char* buffer, int bufferSize);
    static CString ReadRegistry(HKEY root, const char* subkey, const char* valueName);
    static int ReadRegistry(HKEY root, const char* subkey, const char* valueName, int& out, int defaultValue);
    static DWORD ReadRegistryDWORD(HKEY root, const char* subkey, const char* valueName, DWORD defaultValue);
    static int WriteRegistry(HKEY root, const char* subkey, const char* valueName, const char* text);
    static int WriteRegistry(HKEY root, const char* subkey, const char* valueName, int number);
    static int WriteRegistryDWORD(HKEY root, const char* subkey, const char* valueName, DWORD number);
    static int WriteRegistryBinary(HKEY root, const char* subkey, const char* valueName, const char* bytes, int length);
    static int DeleteRegistryValue(HKEY root, const char* subkey, const char* valueName);
    static int DeleteRegistryKey(HKEY root, const char* parentSubkey, const char* childName);
    static int GetSubRegKeyList(HKEY root, const char* subkey, CStringArray& names);
    static int GetSubValueList(HKEY root, const char* subkey, CStringArray& names);
    static int DeleteMatchingSubKeys(HKEY root, const char* subkey, const char* pattern, int wholeName, int recurse);

    // Path text.
    static CString AddPath(const char* first, const char* second);
    static CString GetFileName(CString path);
    static CString GetFileExt(CString path);
    static CString GetParentFolder(const char* path);

    // What a path names.
    static bool IsFile(const char* path);
    static bool IsDirectory(const char* path);
    static bool IsFileFolder(const char* path);
    static bool IsReadOnly(const char* path);
    // 0xFFFFFFFF when the path is missing; a size of 4 GiB or more gives 0xFFFFFFFE.
    static DWORD GetFileSize(const char* path);

    // Standard folders, without a trailing "\".
    static CString GetAppPath();
    static CString GetWindowsDirectoryA();
    static CString GetMyDocumentPath();
    static CString GetAppDataPath(bool withSubPath = true, bool lowOnVista = true);
    static CString GetAppDataLocalPath(bool withSubPath = true);
    static void SetAppDataSubPath(const char* name);

    // Whole files and folder chains.
    // "" when the file cannot be opened or its text cannot be held in memory.
    static CString LoadFileData(const char* file, int limit = 0);
    static bool SaveFileData(CString text, const char* file, bool writeThrough = false);
    static void CreateMultiFolder(const char* path, int includeLast = 1);
    static bool SetReadOnly(const char* path, bool readOnly);

    // Deletion. No walk enters or removes a reparse point (junction, symbolic link), and the three
    // folder deletions refuse (0) a folder that CPathGuard protects, however it is written.
    static int SHDeleteFile(const char* path, const char* progressTitle = nullptr, int permanent = 1);
    static int SHDeleteDirectory(CString folder);
    static int SHDeleteDirectoryAll(CString folder);
    static int SHDeleteSubDirectoryAll(CString folder);

    static void QSortFileName(CStringArray& names, int ascending = 1);

    // Initialisation files.
    static CString GetPrivateProfileStringA(const char* section, const char* key, const char* file);
    static int GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file);
    static void WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file);
    static void WritePrivateProfileInt(const char* section, const char* key, int value, const char* file);
    static void DeletePrivateProfile(const char* section, const char* key, const char* file);
    // Appends the section's lines, whole however long; a file above 4 MiB (kWholeTextLimit) adds
    // nothing, since the platform would read all of it into memory.
    static int GetPrivateProfileSectionA(const char* section, CStringArray& keys, CStringArray& values, const char* file);

    // Text.
    static CString GetString(int value, int hex = 0);
    static int SplitStringByToken(const char* text, char token, CStringArray& out, bool quoteAware = false,
                                  bool stripQuotes = false);
    static CString GetResourceString(const char* moduleFile, int stringId);
    static int ConvertToWideChar(const char* text, CBinData& out);
    static CString URLEncoding(const char* text);
    static CString URL32Decoding(const char* text, int key = -1);
    static CString CreateGUID();
    static bool GetOSVersion(CString& shortName, CString& fullName);
    static DWORD GetOSVersion();

    // Processes, system and windows.
    // Appends the ids of processes whose main module path contains name (without case); returns 0.
    static int NTGetProcessIDFromFileName(const char* name, CDWordArray& ids);
    // Appends the ids of processes whose file name (the path's last component) is fileName
    // (without case): what a caller that terminates processes must use.
    static void FindProcessesByFileName(const char* fileName, CDWordArray& ids);
    static int GetOSPlatformID();
    static void ComputerOff(int force);
    static int MSGSetForegroundWindow(HWND window);
    // Animation only: the caller hides or shows the window.
    static void AniMinimizeToTray(HWND window);
    static void AniMaximiseFromTray(HWND window);
    static void DrawBox(CDC* dc, CRect rect, COLORREF colour, int width);
    static void DrawBox(CDC* dc, CRect rect, COLORREF topLeftColour, COLORREF bottomRightColour, int width);
    // Leaves no file after a failure or a body shorter than its announced length; an existing
    // file is touched only once the url has answered. *sessionOut holds the session while
    // the download runs: another thread aborts it by taking the handle out with
    // InterlockedExchangePointer(sessionOut, nullptr) and closing it.
    static bool DownloadURL(const char* url, const char* file, void** sessionOut = nullptr,
                            CPLCallback* progress = nullptr);

    // Geometry and text of dialogs and lists. The converters read decimal numbers separated by
    // commas ("r,g,b", "l,t,r,b", "x,y"; spaces allowed); missing or unreadable ones are 0 and
    // colour components are taken modulo 256.
    static COLORREF ConvertStringToRGB(const char* text);
    static CRect ConvertStringToRect(const char* text);
    static CPoint ConvertStringToPoint(const char* text);
    // The work area (the monitor less the taskbar) of the monitor nearest to the point, so a
    // dialog placed against its edge stays clear of the taskbar; empty when it cannot be learnt.
    static CRect GetMonitorFromPoint(CPoint point);
    // The text shortened as a path to fit width pixels in the DC's current font: the end of the
    // folder part gives way to "..." before the file name does. Unchanged when it fits; never
    // cuts a double-byte character.
    static CString GetEllipsisText(HDC dc, const char* text, int width);
};
