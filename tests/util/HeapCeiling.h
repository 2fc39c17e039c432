#pragma once
#include <windows.h>

#include <cstddef>

#include "ImportPatch.h"

// Test-only: while it lives, malloc of Framework.dll and Tovrin.dll (CString buffers, and
// operator new, which each module links statically) refuses blocks above a size, as a
// 32-bit process runs out of address space. Smaller blocks come from the real malloc.
class HeapCeiling {
public:
    explicit HeapCeiling(size_t largestBlock) : m_configured(Configure(largestBlock)) {}
    HeapCeiling(const HeapCeiling&) = delete;
    HeapCeiling& operator=(const HeapCeiling&) = delete;

    bool IsReady() const { return m_configured && m_framework.IsActive() && m_tovrin.IsActive(); }

private:
    using Malloc = void*(__cdecl*)(size_t);

    static void* __cdecl Allocate(size_t size) { return size > s_largestBlock ? nullptr : s_malloc(size); }

    // Before the patches, which are members initialised after this one.
    static bool Configure(size_t largestBlock) {
        s_largestBlock = largestBlock;
        s_malloc = reinterpret_cast<Malloc>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "malloc"));
        return s_malloc != nullptr;
    }

    static inline size_t s_largestBlock = 0;
    static inline Malloc s_malloc = nullptr;
    bool m_configured;
    ImportPatch m_framework{GetModuleHandleA("Framework.dll"), "msvcrt.dll", "malloc",
                            reinterpret_cast<void*>(&Allocate)};
    ImportPatch m_tovrin{GetModuleHandleA("Tovrin.dll"), "msvcrt.dll", "malloc", reinterpret_cast<void*>(&Allocate)};
};

const size_t kLargestBlockOf32BitProcess = 256 * 1024 * 1024;
