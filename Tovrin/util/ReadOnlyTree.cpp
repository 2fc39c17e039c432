#include "UtilityLib.h"

#include "FolderWalk.h"

namespace {

// Sets or clears FILE_ATTRIBUTE_READONLY alone; true when it already is as wanted.
bool ChangeReadOnly(const char* path, DWORD attributes, bool readOnly) {
    if (((attributes & FILE_ATTRIBUTE_READONLY) != 0) == readOnly)
        return true;
    const DWORD settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                           FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY;
    DWORD wanted = (attributes & settable) | (readOnly ? FILE_ATTRIBUTE_READONLY : 0);
    return SetFileAttributesA(path, wanted ? wanted : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

class ReadOnlyWalk : public CFolderWalk {
public:
    explicit ReadOnlyWalk(bool readOnly) : m_readOnly(readOnly) {}
    bool AllChanged() const { return m_allChanged; }

protected:
    void OnFile(const CString& path, const WIN32_FIND_DATAA& found) override { Change(path, found); }
    bool OnEnterFolder(const CString& path, const WIN32_FIND_DATAA& found) override {
        Change(path, found);
        return true;
    }

private:
    void Change(const CString& path, const WIN32_FIND_DATAA& found) {
        if (!ChangeReadOnly(path, found.dwFileAttributes, m_readOnly))
            m_allChanged = false;
    }

    bool m_readOnly;
    bool m_allChanged = true;
};

}  // namespace

bool CUtilityLib::SetReadOnly(const char* path, bool readOnly) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || CFolderWalk::IsReparsePoint(path))
        return false;
    bool changed = ChangeReadOnly(path, attributes, readOnly);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return changed;
    ReadOnlyWalk tree(readOnly);
    tree.Run(path);
    return changed && tree.AllChanged();
}
