#include "ArrayAllocations.h"

#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

volatile LONG g_liveArrays = 0;

}  // namespace

long LiveArrayAllocations() { return InterlockedCompareExchange(&g_liveArrays, 0, 0); }

void* operator new[](std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    InterlockedIncrement(&g_liveArrays);
    return block;
}

void operator delete[](void* block) noexcept {
    if (!block)
        return;
    InterlockedDecrement(&g_liveArrays);
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept { operator delete[](block); }
