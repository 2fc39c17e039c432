#pragma once
#include <cstddef>
#include <vector>

#include "CString.h"
#include "Position.h"

// Hash map from CString keys, compared with case, to CString values. Iteration order is
// unspecified; removing the entry that GetNextAssoc just returned is safe while iterating.
class FX_API CMapStringToString {
public:
    CMapStringToString() = default;
    ~CMapStringToString();
    CMapStringToString(const CMapStringToString&) = delete;
    CMapStringToString& operator=(const CMapStringToString&) = delete;

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    // value is not changed when the key is missing.
    bool Lookup(const char* key, CString& value) const;
    void SetAt(const char* key, const char* value);
    // Inserts an empty value for a new key.
    CString& operator[](const char* key);
    bool RemoveKey(const char* key);
    void RemoveAll();

    // Null for an empty map; GetNextAssoc sets position to null after the last entry.
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& position, CString& key, CString& value) const;

private:
    struct Assoc;
    Assoc* Find(const char* key, unsigned hash) const;
    Assoc* FirstFrom(std::size_t bucket) const;
    void Grow();

    std::vector<Assoc*> m_buckets;
    int m_count = 0;
};
