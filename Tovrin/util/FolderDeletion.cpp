#include "UtilityLib.h"

#include "FolderWalk.h"

// No attribute is changed: read-only files and files held open stay, and their folders with them.
namespace {

class DeletionWalk : public CFolderWalk {
public:
    explicit DeletionWalk(bool withSubfolders) : m_withSubfolders(withSubfolders) {}

protected:
    void OnFile(const CString& path, const WIN32_FIND_DATAA&) override { DeleteFileA(path); }
    bool OnEnterFolder(const CString&, const WIN32_FIND_DATAA&) override { return m_withSubfolders; }
    void OnLeaveFolder(const CString& path) override { RemoveDirectoryA(path); }

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
