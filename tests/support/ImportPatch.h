#pragma once
#include <windows.h>

// Test-only: points one import of a loaded module at a replacement for the life of the object,
// so that a call such as MessageBoxA inside Tovrin.dll can be observed without a display.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool IsActive() const { return m_slot != nullptr; }

private:
    static void Write(void** slot, void* value);

    void** m_slot = nullptr;
    void* m_original = nullptr;
};
