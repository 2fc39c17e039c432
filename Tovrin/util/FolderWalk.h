#pragma once
#include <windows.h>

#include <string>

#include "Framework.h"
#include "TovrinApi.h"

// One entry as a walk reports it. The pointers are valid during the call only.
struct CFolderEntry {
    // Full path, for acting on the entry with the wide calls: it names the entry whatever
    // characters its name has.
    const wchar_t* path;
    // The name in the system code page, for rules; a character the code page lacks reads as
    // its nearest look-alike or "?", as the ANSI calls would show it.
    const char* name;
    const WIN32_FIND_DATAW& found;
};

// Depth-first walk over the content of a folder through the wide calls, so that names outside
// the system code page are reached too. A reparse point (junction or symbolic link) is never
// entered nor reported, so no subclass can touch it or reach its target: under Wine
// RemoveDirectory on a link may remove the target.
class TOVRIN_API CFolderWalk {
public:
    CFolderWalk();
    virtual ~CFolderWalk();
    CFolderWalk(const CFolderWalk&) = delete;
    CFolderWalk& operator=(const CFolderWalk&) = delete;

    // folder may end with "\". False, with nothing reported, when folder is empty, is a reparse
    // point or cannot be listed; listings of subfolders that fail are passed over.
    bool Run(const char* folder);
    bool Run(const wchar_t* folder);

    // The path's own attributes carry FILE_ATTRIBUTE_REPARSE_POINT. Trailing separators are
    // ignored, since with one the link would be followed.
    static bool IsReparsePoint(const char* path);
    static bool IsReparsePoint(const wchar_t* path);

    // Sets or clears FILE_ATTRIBUTE_READONLY alone, given the path's current attributes; true
    // when it already is as wanted or was changed.
    static bool ChangeReadOnly(const wchar_t* path, DWORD attributes, bool readOnly);

    // A path for the ANSI calls that names the same entry: the path itself when the system code
    // page holds all its characters, else its short form; "" when neither names it.
    static CString AnsiPath(const wchar_t* path);

protected:
    // Every entry that is not a folder.
    virtual void OnFile(const CFolderEntry& entry) = 0;
    // A subfolder before its content; false passes its content over (and OnLeaveFolder).
    virtual bool OnEnterFolder(const CFolderEntry& entry) { return true; }
    // A subfolder after its content.
    virtual void OnLeaveFolder(const CFolderEntry& entry) {}
    // Asked before each entry; true ends the whole walk.
    virtual bool IsStopped() { return false; }

private:
    bool ListFolder();

    // The folder being listed, ending with "\"; entries are appended and cut off again, so a
    // walk builds no string per entry.
    std::wstring m_path;
    bool m_stopped = false;
};
