#include "CMapStringToString.h"

struct CMapStringToString::Assoc {
    Assoc* next;
    unsigned hash;
    CString key;
    CString value;
};

namespace {

// A null key hashes and compares like "".
unsigned HashKey(const char* key) {
    unsigned hash = 0;
    if (!key)
        return hash;
    for (auto p = reinterpret_cast<const unsigned char*>(key); *p; ++p)
        hash = (hash << 5) + hash + *p;
    return hash;
}

}  // namespace

CMapStringToString::~CMapStringToString() { RemoveAll(); }

bool CMapStringToString::Lookup(const char* key, CString& value) const {
    Assoc* assoc = Find(key, HashKey(key));
    if (!assoc)
        return false;
    value = assoc->value;
    return true;
}

void CMapStringToString::SetAt(const char* key, const char* value) { (*this)[key] = value; }

CString& CMapStringToString::operator[](const char* key) {
    unsigned hash = HashKey(key);
    if (Assoc* assoc = Find(key, hash))
        return assoc->value;
    if (m_count >= 2 * static_cast<int>(m_buckets.size()))
        Grow();
    Assoc*& head = m_buckets[hash % m_buckets.size()];
    head = new Assoc{head, hash, CString(key), CString()};
    ++m_count;
    return head->value;
}

bool CMapStringToString::RemoveKey(const char* key) {
    if (m_buckets.empty())
        return false;
    unsigned hash = HashKey(key);
    for (Assoc** link = &m_buckets[hash % m_buckets.size()]; *link; link = &(*link)->next) {
        Assoc* assoc = *link;
        if (assoc->hash == hash && assoc->key == key) {
            *link = assoc->next;
            delete assoc;
            --m_count;
            return true;
        }
    }
    return false;
}

void CMapStringToString::RemoveAll() {
    for (Assoc* head : m_buckets) {
        while (head) {
            Assoc* next = head->next;
            delete head;
            head = next;
        }
    }
    m_buckets.clear();
    m_count = 0;
}

POSITION CMapStringToString::GetStartPosition() const { return reinterpret_cast<POSITION>(FirstFrom(0)); }

void CMapStringToString::GetNextAssoc(POSITION& position, CString& key, CString& value) const {
    const Assoc* assoc = reinterpret_cast<const Assoc*>(position);
    key = assoc->key;
    value = assoc->value;
    Assoc* next = assoc->next ? assoc->next : FirstFrom(assoc->hash % m_buckets.size() + 1);
    position = reinterpret_cast<POSITION>(next);
}

CMapStringToString::Assoc* CMapStringToString::Find(const char* key, unsigned hash) const {
    if (m_buckets.empty())
        return nullptr;
    for (Assoc* assoc = m_buckets[hash % m_buckets.size()]; assoc; assoc = assoc->next) {
        if (assoc->hash == hash && assoc->key == key)
            return assoc;
    }
    return nullptr;
}

CMapStringToString::Assoc* CMapStringToString::FirstFrom(std::size_t bucket) const {
    for (; bucket < m_buckets.size(); ++bucket) {
        if (m_buckets[bucket])
            return m_buckets[bucket];
    }
    return nullptr;
}

void CMapStringToString::Grow() {
    std::vector<Assoc*> bigger(m_buckets.empty() ? 17 : m_buckets.size() * 2 + 1);
    for (Assoc* head : m_buckets) {
        while (head) {
            Assoc* next = head->next;
            Assoc*& target = bigger[head->hash % bigger.size()];
            head->next = target;
            target = head;
            head = next;
        }
    }
    m_buckets.swap(bigger);
}
