#include "UtilityLib.h"

namespace {

const int kStringsPerBlock = 16;

class LoadedModule {
public:
    explicit LoadedModule(const char* file) : m_module(file ? LoadLibraryA(file) : nullptr) {}
    ~LoadedModule() {
        if (m_module)
            FreeLibrary(m_module);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    operator HMODULE() const { return m_module; }

private:
    HMODULE m_module;
};

// Entry `index` of a string-table block: a count and that many UTF-16 units per entry.
// A block whose counts run past its end yields nothing.
bool FindEntry(const WCHAR* block, DWORD units, int index, const WCHAR*& text, DWORD& count) {
    DWORD at = 0;
    for (int i = 0;; ++i) {
        if (at >= units)
            return false;
        count = block[at++];
        if (count > units - at)
            return false;
        if (i == index) {
            text = block + at;
            return true;
        }
        at += count;
    }
}

CString ToAnsi(const WCHAR* text, int count) {
    if (count <= 0)
        return CString();
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return CString();
    CString result;
    char* buffer = result.GetBufferSetLength(bytes);
    WideCharToMultiByte(CP_ACP, 0, text, count, buffer, bytes, nullptr, nullptr);
    result.ReleaseBuffer(bytes);
    return result;
}

}  // namespace

CString CUtilityLib::GetResourceString(const char* moduleFile, int stringId) {
    LoadedModule module(moduleFile);
    if (!module)
        return CString();
    WORD id = static_cast<WORD>(stringId);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id / kStringsPerBlock + 1), RT_STRING);
    if (!info)
        return CString();
    HGLOBAL loaded = LoadResource(module, info);
    const WCHAR* block = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!block)
        return CString();
    const WCHAR* text = nullptr;
    DWORD count = 0;
    if (!FindEntry(block, SizeofResource(module, info) / sizeof(WCHAR), id % kStringsPerBlock, text, count))
        return CString();
    return ToAnsi(text, static_cast<int>(count));
}
