#pragma once
#include <windows.h>

#include "Framework.h"
#include "TovrinApi.h"

// Depth-first walk over the content of a folder. A reparse point (junction or symbolic link)
// is never entered nor reported, so no subclass can touch it or reach its target: under Wine
// RemoveDirectoryA on a link may remove the target.
class TOVRIN_API CFolderWalk {
public:
    CFolderWalk() = default;
    virtual ~CFolderWalk() = default;
    CFolderWalk(const CFolderWalk&) = delete;
    CFolderWalk& operator=(const CFolderWalk&) = delete;

    // folder may end with "\". False, with nothing reported, when folder is empty, is a reparse
    // point or cannot be listed; listings of subfolders that fail are passed over.
    bool Run(const char* folder);

    // The path's own attributes carry FILE_ATTRIBUTE_REPARSE_POINT. Trailing separators are
    // ignored, since with one the link would be followed.
    static bool IsReparsePoint(const char* path);

protected:
    // Every entry that is not a folder, with its full path.
    virtual void OnFile(const CString& path, const WIN32_FIND_DATAA& found) = 0;
    // A subfolder before its content; false passes its content over (and OnLeaveFolder).
    virtual bool OnEnterFolder(const CString& path, const WIN32_FIND_DATAA& found) { return true; }
    // A subfolder after its content.
    virtual void OnLeaveFolder(const CString& path) {}
    // Asked before each entry; true ends the whole walk.
    virtual bool IsStopped() { return false; }

private:
    bool ListFolder(const CString& folderWithSlash);

    bool m_stopped = false;
};
