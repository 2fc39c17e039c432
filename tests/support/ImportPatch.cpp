#include "ImportPatch.h"

namespace {

// The import address slot of module that holds target, or null.
void** FindImportSlot(HMODULE module, void* target) {
    BYTE* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return nullptr;
    const IMAGE_IMPORT_DESCRIPTOR* descriptor =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; descriptor->Name; ++descriptor) {
        IMAGE_THUNK_DATA* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; thunk->u1.Function; ++thunk)
            if (reinterpret_cast<void*>(thunk->u1.Function) == target)
                return reinterpret_cast<void**>(&thunk->u1.Function);
    }
    return nullptr;
}

}  // namespace

ImportPatch::ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement) {
    HMODULE exporter = GetModuleHandleA(dll);
    void* original = exporter ? reinterpret_cast<void*>(GetProcAddress(exporter, function)) : nullptr;
    if (!module || !original)
        return;
    m_slot = FindImportSlot(module, original);
    if (!m_slot)
        return;
    m_original = original;
    Write(m_slot, replacement);
}

ImportPatch::~ImportPatch() {
    if (m_slot)
        Write(m_slot, m_original);
}

void ImportPatch::Write(void** slot, void* value) {
    DWORD protection = 0;
    if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection))
        return;
    *slot = value;
    VirtualProtect(slot, sizeof(void*), protection, &protection);
}
