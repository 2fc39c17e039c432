#include "UtilityLib.h"

#include "FolderWalk.h"

namespace {

class ReadOnlyWalk : public CFolderWalk {
public:
    explicit ReadOnlyWalk(bool readOnly) : m_readOnly(readOnly) {}
    bool AllChanged() const { return m_allChanged; }

protected:
    void OnFile(const CFolderEntry& entry) override { Change(entry); }
    bool OnEnterFolder(const CFolderEntry& entry) override {
        Change(entry);
        return true;
    }

private:
    void Change(const CFolderEntry& entry) {
        if (!ChangeReadOnly(entry.path, entry.found.dwFileAttributes, m_readOnly))
            m_allChanged = false;
    }

    bool m_readOnly;
    bool m_allChanged = true;
};

}  // namespace

bool CUtilityLib::SetReadOnly(const char* path, bool readOnly) {
    wchar_t wide[MAX_PATH];
    if (!path || !MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH))
        return false;
    DWORD attributes = GetFileAttributesW(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES || CFolderWalk::IsReparsePoint(wide))
        return false;
    bool changed = CFolderWalk::ChangeReadOnly(wide, attributes, readOnly);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return changed;
    ReadOnlyWalk tree(readOnly);
    tree.Run(wide);
    return changed && tree.AllChanged();
}
