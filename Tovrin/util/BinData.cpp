#include "BinData.h"

#include <cstdlib>
#include <cstring>

CBinData::CBinData() : m_data(nullptr), m_length(0), m_counter(nullptr) {}

CBinData::CBinData(const CBinData& other) : CBinData() { Share(other); }

CBinData& CBinData::operator=(const CBinData& other) {
    if (m_counter != other.m_counter) {
        Reset();
        Share(other);
    }
    return *this;
}

CBinData::~CBinData() { Reset(); }

void CBinData::Share(const CBinData& other) {
    if (!other.m_counter)
        return;
    InterlockedIncrement(other.m_counter);
    m_data = other.m_data;
    m_length = other.m_length;
    m_counter = other.m_counter;
}

void CBinData::Reset() {
    if (m_counter && InterlockedDecrement(m_counter) == 0) {
        free(m_data);
        free(const_cast<LONG*>(m_counter));
    }
    m_data = nullptr;
    m_length = 0;
    m_counter = nullptr;
}

void CBinData::SetData(const BYTE* bytes, int length) {
    // Copy before releasing: bytes may point into the buffer this object is about to free.
    CBinData copy;
    copy.SetSize(length);
    if (!copy.IsEmpty() && bytes)
        memcpy(copy.m_data, bytes, length);
    *this = copy;
}

void CBinData::SetData(CBinData& other, bool deep) {
    if (!deep) {
        *this = other;
        return;
    }
    CBinData copy;
    copy.SetData(other.m_data, other.m_length);
    *this = copy;
}

void CBinData::SetPointer(BYTE* p, int length, bool takeOwnership) {
    Reset();
    if (length <= 0)
        return;
    auto* counter = static_cast<LONG*>(malloc(sizeof(LONG)));
    if (!counter) {
        if (takeOwnership)
            free(p);
        return;
    }
    *counter = takeOwnership ? 1 : 2;  // 2: the last release never reaches zero
    m_counter = counter;
    m_data = p;
    m_length = length;
}

void CBinData::SetSize(int length) {
    if (length <= 0) {
        Reset();
        return;
    }
    BYTE* buffer = static_cast<BYTE*>(malloc(length));
    auto* counter = static_cast<LONG*>(malloc(sizeof(LONG)));
    if (!buffer || !counter) {
        free(buffer);
        free(counter);
        Reset();
        return;
    }
    *counter = 1;
    int kept = m_length < length ? m_length : length;
    if (kept > 0)
        memcpy(buffer, m_data, kept);
    if (m_length > 0 && m_length < length)
        memset(buffer + m_length, 0, length - m_length);
    Reset();
    m_data = buffer;
    m_length = length;
    m_counter = counter;
}
