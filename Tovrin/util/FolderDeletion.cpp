#include "UtilityLib.h"

#include "FolderWalk.h"

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

// An empty folder would list the root of the current drive; a link would lead out of the tree.
bool IsWalkable(const CString& folder) { return !folder.IsEmpty() && !CFolderWalk::IsReparsePoint(folder); }

}  // namespace

int CUtilityLib::SHDeleteDirectory(CString folder) {
    DeletionWalk filesOnly(false);
    if (!filesOnly.Run(folder))
        return 0;
    RemoveDirectoryA(folder);
    return 1;
}

int CUtilityLib::SHDeleteDirectoryAll(CString folder) {
    if (!IsWalkable(folder))
        return 0;
    DeletionWalk tree(true);
    tree.Run(folder);
    return RemoveDirectoryA(folder) ? 1 : 0;
}

int CUtilityLib::SHDeleteSubDirectoryAll(CString folder) {
    if (!IsWalkable(folder))
        return 0;
    DeletionWalk tree(true);
    tree.Run(folder);
    return 1;
}
