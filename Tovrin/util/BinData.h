#pragma once
#include <windows.h>

#include "TovrinApi.h"

// Reference-counted byte buffer: copies share the bytes, the last holder frees them.
// The counter changes atomically, so holders may be released on different threads;
// the bytes themselves are not locked.
class TOVRIN_API CBinData {
public:
    CBinData();
    CBinData(const CBinData& other);
    CBinData& operator=(const CBinData& other);
    ~CBinData();

    void Reset();
    void SetData(const BYTE* bytes, int length);
    void SetData(CBinData& other, bool deep);
    // Without ownership the caller keeps p: releasing never frees it.
    void SetPointer(BYTE* p, int length, bool takeOwnership);
    // A private buffer of length bytes keeping min(old, new) bytes; bytes past an old,
    // non-empty content are zeroed.
    void SetSize(int length);

    BYTE* GetData() const { return m_data; }
    int GetLength() const { return m_length; }
    bool IsEmpty() const { return !m_data || m_length == 0; }
    operator BYTE*() const { return m_data; }
    operator const char*() const { return reinterpret_cast<const char*>(m_data); }
    operator char*() const { return reinterpret_cast<char*>(m_data); }

private:
    void Share(const CBinData& other);

    BYTE* m_data;
    int m_length;
    volatile LONG* m_counter;
};
