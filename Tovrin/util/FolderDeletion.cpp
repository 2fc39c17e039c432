#include "UtilityLib.h"

#include "FolderWalk.h"
#include "PathGuard.h"

// No attribute is changed: read-only files and files held open stay, and their folders with them.
namespace {

class DeletionWalk : public CFolderWalk {
public:
    explicit DeletionWalk(bool withSubfolders) : m_withSubfolders(withSubfolders) {}

protected:
    void OnFile(const CFolderEntry& entry) override { DeleteFileW(entry.path); }
    bool OnEnterFolder(const CFolderEntry&) override { return m_withSubfolders; }
    void OnLeaveFolder(const CFolderEntry& entry) override { RemoveDirectoryW(entry.path); }

private:
    bool m_withSubfolders;
};

// The folder as the guard lets it be walked; "" for an empty or protected folder (an empty one
// would list the root of the current drive) and for a link, which would lead out of the tree.
CString WalkableFolder(const CString& folder) {
    CString cleanable = CPathGuard::CleanableFolder(folder);
    return CFolderWalk::IsReparsePoint(cleanable) ? CString() : cleanable;
}

}  // namespace

int CUtilityLib::SHDeleteDirectory(CString folder) {
    CString walkable = WalkableFolder(folder);
    DeletionWalk filesOnly(false);
    if (walkable.IsEmpty() || !filesOnly.Run(walkable))
        return 0;
    RemoveDirectoryA(walkable);
    return 1;
}

int CUtilityLib::SHDeleteDirectoryAll(CString folder) {
    CString walkable = WalkableFolder(folder);
    if (walkable.IsEmpty())
        return 0;
    DeletionWalk tree(true);
    tree.Run(walkable);
    return RemoveDirectoryA(walkable) ? 1 : 0;
}

int CUtilityLib::SHDeleteSubDirectoryAll(CString folder) {
    // A missing folder has no content left to delete.
    if (!folder.IsEmpty() && GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES)
        return 1;
    CString walkable = WalkableFolder(folder);
    if (walkable.IsEmpty())
        return 0;
    DeletionWalk tree(true);
    tree.Run(walkable);
    return 1;
}
