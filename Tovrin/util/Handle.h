#pragma once
#include <windows.h>
#include <wininet.h>

// Owns one handle of a kind that Traits describes (its type, its "no handle" value and how it
// is closed); the destructor closes it. Close reports the close call's result, which callers
// writing a file should check.
template <typename Traits>
class CUniqueHandle {
public:
    using Type = typename Traits::Type;

    CUniqueHandle() : m_handle(Traits::None()) {}
    explicit CUniqueHandle(Type handle) : m_handle(handle) {}
    ~CUniqueHandle() { Close(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    operator Type() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::None() && m_handle != nullptr; }

    void Attach(Type handle) {
        Close();
        m_handle = handle;
    }
    Type Detach() {
        Type handle = m_handle;
        m_handle = Traits::None();
        return handle;
    }
    bool Close() {
        if (!IsValid())
            return true;
        return Traits::Close(Detach());
    }

private:
    Type m_handle;
};

// Process, thread, token, event: "no handle" is null.
struct KernelHandleTraits {
    using Type = HANDLE;
    static HANDLE None() { return nullptr; }
    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};

// CreateFileA fails with INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Type = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static bool Close(HANDLE handle) { return FindClose(handle) != FALSE; }
};

// Session, connection or request of WinINet.
struct InternetHandleTraits {
    using Type = HINTERNET;
    static HINTERNET None() { return nullptr; }
    static bool Close(HINTERNET handle) { return InternetCloseHandle(handle) != FALSE; }
};

struct IconHandleTraits {
    using Type = HICON;
    static HICON None() { return nullptr; }
    static bool Close(HICON icon) { return DestroyIcon(icon) != FALSE; }
};

using CHandle = CUniqueHandle<KernelHandleTraits>;
using CFileHandle = CUniqueHandle<FileHandleTraits>;
using CFindHandle = CUniqueHandle<FindHandleTraits>;
using CInternetHandle = CUniqueHandle<InternetHandleTraits>;
using CIconHandle = CUniqueHandle<IconHandleTraits>;
