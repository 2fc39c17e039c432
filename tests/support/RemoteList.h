#pragma once
#include <windows.h>
#include <commctrl.h>

#include "CString.h"
#include "GdiTypes.h"

// Reads a list view of another process. Its messages carry pointers, which Windows does not
// carry across processes, so the structures live in a block of the list's own process.
class RemoteList {
public:
    explicit RemoteList(HWND list) : m_list(list) {
        DWORD processId = 0;
        GetWindowThreadProcessId(list, &processId);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (m_process)
            m_block = static_cast<BYTE*>(VirtualAllocEx(m_process, nullptr, kBlockSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteList() {
        if (m_block)
            VirtualFreeEx(m_process, m_block, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;

    int Count() const { return static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }
    bool Checked(int line) const { return ListView_GetCheckState(m_list, line) != 0; }

    CString Text(int line, int column) const {
        if (!m_block)
            return CString();
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<char*>(m_block + kTextOffset);
        item.cchTextMax = kBlockSize - kTextOffset;
        WriteProcessMemory(m_process, m_block, &item, sizeof item, nullptr);
        SendMessageA(m_list, LVM_GETITEMTEXTA, line, reinterpret_cast<LPARAM>(m_block));
        char text[kBlockSize - kTextOffset] = {0};
        ReadProcessMemory(m_process, m_block + kTextOffset, text, sizeof text - 1, nullptr);
        return text;
    }

    // A cell in the list's client coordinates; empty when the list cannot say.
    CRect CellRect(int line, int column) const {
        RECT rect{LVIR_BOUNDS, column, 0, 0};
        if (!m_block || !WriteProcessMemory(m_process, m_block, &rect, sizeof rect, nullptr) ||
            !SendMessageA(m_list, LVM_GETSUBITEMRECT, line, reinterpret_cast<LPARAM>(m_block)) ||
            !ReadProcessMemory(m_process, m_block, &rect, sizeof rect, nullptr))
            return CRect();
        return CRect(rect);
    }

private:
    static const int kBlockSize = 4096;
    static const int kTextOffset = 256;

    HWND m_list;
    HANDLE m_process = nullptr;
    BYTE* m_block = nullptr;
};
