#pragma once
#include <vector>

#include "CString.h"

// The two growable arrays of the framework. Indexes out of range are programmer errors:
// GetAt and operator[] do not check them (as in MFC release builds).
template <typename T, typename ArgT>
class FxArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(int size) { m_items.resize(size < 0 ? 0 : size); }

    const T& GetAt(int index) const { return m_items[index]; }
    T& ElementAt(int index) { return m_items[index]; }
    const T& operator[](int index) const { return m_items[index]; }
    T& operator[](int index) { return m_items[index]; }
    void SetAt(int index, ArgT value) { m_items[index] = value; }
    void SetAtGrow(int index, ArgT value) {
        if (index >= GetSize())
            SetSize(index + 1);
        m_items[index] = value;
    }

    int Add(ArgT value) {
        m_items.push_back(value);
        return GetUpperBound();
    }
    int Append(const FxArray& other) {
        int first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const FxArray& other) { m_items = other.m_items; }
    void InsertAt(int index, ArgT value, int count = 1) {
        if (index > GetSize())
            SetSize(index);
        m_items.insert(m_items.begin() + index, count, value);
    }
    void RemoveAt(int index, int count = 1) {
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }
    void RemoveAll() { m_items.clear(); }

    T* GetData() { return m_items.data(); }
    const T* GetData() const { return m_items.data(); }

private:
    std::vector<T> m_items;
};

// MFC's array template, for the few callers that name it (CArray<int, int>).
template <typename T, typename ArgT = const T&>
using CArray = FxArray<T, ArgT>;

class CStringArray : public FxArray<CString, const CString&> {};
class CDWordArray : public FxArray<unsigned long, unsigned long> {};
