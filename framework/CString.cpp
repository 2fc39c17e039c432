#include "CString.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "Mbcs.h"

namespace {

char g_emptyText[1] = {0};

const char kWhiteSpace[] = " \t\n\v\f\r";

// First character boundary at or after offset. Only the run of lead-range bytes just before
// offset decides: the run starts on a boundary and its bytes pair up from there, so searches
// that start late need not rescan the text from its beginning.
int NextBoundary(const char* data, int offset) {
    int runStart = offset;
    while (runStart > 0 && Mbcs::IsLeadByte(static_cast<unsigned char>(data[runStart - 1])))
        --runStart;
    return (offset - runStart) % 2 == 0 ? offset : offset + 1;
}

// Byte offset of the first character at or after boundary (which starts a character) whose
// bytes match.
template <typename Match>
int ScanFrom(const char* data, int length, int boundary, Match match) {
    for (int i = boundary; i < length;) {
        int step = Mbcs::CharLength(data + i);
        if (step == 0)
            break;
        if (match(data + i, step))
            return i;
        i += step;
    }
    return -1;
}

template <typename Match>
int ScanCharacters(const char* data, int length, int start, Match match) {
    if (start >= length)
        return -1;
    return ScanFrom(data, length, start <= 0 ? 0 : NextBoundary(data, start), match);
}

}  // namespace

CString::CString() : m_data(g_emptyText), m_length(0), m_capacity(0) {}

CString::CString(const CString& other) : CString() { Assign(other.m_data, other.m_length); }

CString::CString(CString&& other) noexcept
    : m_data(other.m_data), m_length(other.m_length), m_capacity(other.m_capacity) {
    other.m_data = g_emptyText;
    other.m_length = 0;
    other.m_capacity = 0;
}

CString::CString(const char* text) : CString() {
    if (text)
        Assign(text, static_cast<int>(strlen(text)));
}

CString::CString(const char* text, int length) : CString() {
    if (text && length > 0)
        Assign(text, length);
}

CString::CString(char ch, int repeat) : CString() {
    if (repeat > 0) {
        Reserve(repeat);
        memset(m_data, ch, repeat);
        m_length = repeat;
        m_data[repeat] = 0;
    }
}

CString::~CString() {
    if (m_capacity)
        free(m_data);
}

CString& CString::operator=(const CString& other) {
    if (this != &other)
        Assign(other.m_data, other.m_length);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        if (m_capacity)
            free(m_data);
        m_data = other.m_data;
        m_length = other.m_length;
        m_capacity = other.m_capacity;
        other.m_data = g_emptyText;
        other.m_length = 0;
        other.m_capacity = 0;
    }
    return *this;
}

CString& CString::operator=(const char* text) {
    if (!text)
        Empty();
    else if (text >= m_data && text <= m_data + m_length)
        *this = CString(text);  // assigning a part of ourselves
    else
        Assign(text, static_cast<int>(strlen(text)));
    return *this;
}

CString& CString::operator=(char ch) {
    Assign(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& other) {
    Append(other.m_data, other.m_length);
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text)
        Append(text, static_cast<int>(strlen(text)));
    return *this;
}

CString& CString::operator+=(char ch) {
    Append(&ch, 1);
    return *this;
}

void CString::Empty() {
    if (m_capacity)
        free(m_data);
    m_data = g_emptyText;
    m_length = 0;
    m_capacity = 0;
}

char CString::GetAt(int index) const {
    return (index >= 0 && index < m_length) ? m_data[index] : 0;
}

void CString::SetAt(int index, char ch) {
    if (index >= 0 && index < m_length)
        m_data[index] = ch;
}

int CString::Compare(const char* text) const { return strcmp(m_data, text ? text : ""); }

int CString::CompareNoCase(const char* text) const { return Mbcs::CompareNoCase(m_data, text ? text : ""); }

CString CString::Mid(int first) const { return Mid(first, m_length); }

CString CString::Mid(int first, int count) const {
    if (first < 0)
        first = 0;
    if (first > m_length)
        first = m_length;
    if (count < 0)
        count = 0;
    if (count > m_length - first)
        count = m_length - first;
    return CString(m_data + first, count);
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
    if (count < 0)
        count = 0;
    if (count > m_length)
        count = m_length;
    return CString(m_data + m_length - count, count);
}

CString CString::SpanIncluding(const char* set) const {
    int end = ScanCharacters(m_data, m_length, 0, [set](const char* p, int step) {
        return step != 1 || !strchr(set, *p);
    });
    return Left(end < 0 ? m_length : end);
}

CString CString::SpanExcluding(const char* set) const {
    int end = FindOneOf(set);
    return Left(end < 0 ? m_length : end);
}

int CString::Find(char ch, int start) const {
    return ScanCharacters(m_data, m_length, start, [ch](const char* p, int step) {
        return step == 1 && *p == ch;
    });
}

int CString::Find(const char* sub, int start) const {
    if (!sub)
        return -1;
    size_t subLength = strlen(sub);
    if (subLength == 0)
        return (start >= 0 && start <= m_length) ? start : -1;
    return ScanCharacters(m_data, m_length, start, [sub, subLength](const char* p, int) {
        return strncmp(p, sub, subLength) == 0;
    });
}

int CString::ReverseFind(char ch) const {
    int found = -1;
    ScanFrom(m_data, m_length, 0, [&](const char* p, int step) {
        if (step == 1 && *p == ch)
            found = static_cast<int>(p - m_data);
        return false;
    });
    return found;
}

int CString::FindOneOf(const char* set) const {
    return ScanCharacters(m_data, m_length, 0, [set](const char* p, int step) {
        return step == 1 && *p && strchr(set, *p);
    });
}

int CString::Replace(char from, char to) {
    int count = 0;
    ScanFrom(m_data, m_length, 0, [&](const char* p, int step) {
        if (step == 1 && *p == from) {
            m_data[p - m_data] = to;
            ++count;
        }
        return false;
    });
    return count;
}

int CString::Replace(const char* from, const char* to) {
    if (!from || !*from || m_length == 0)
        return 0;
    int fromLength = static_cast<int>(strlen(from));
    auto matchFrom = [from, fromLength](const char* p, int) { return strncmp(p, from, fromLength) == 0; };
    CString result;
    int count = 0;
    int copied = 0;
    for (int at = ScanFrom(m_data, m_length, 0, matchFrom); at >= 0;
         at = ScanFrom(m_data, m_length, at + fromLength, matchFrom)) {
        result.Append(m_data + copied, at - copied);
        result += to;
        copied = at + fromLength;
        ++count;
    }
    if (count) {
        result.Append(m_data + copied, m_length - copied);
        *this = static_cast<CString&&>(result);
    }
    return count;
}

int CString::Remove(char ch) {
    int kept = 0;
    int removed = 0;
    for (int i = 0; i < m_length;) {
        int step = Mbcs::CharLength(m_data + i);
        if (step == 0)
            step = 1;  // embedded NUL
        if (step == 1 && m_data[i] == ch) {
            ++removed;
        } else {
            memmove(m_data + kept, m_data + i, step);
            kept += step;
        }
        i += step;
    }
    if (removed) {
        m_length = kept;
        m_data[kept] = 0;
    }
    return removed;
}

int CString::Insert(int index, char ch) { return Insert(index, CString(ch, 1)); }

int CString::Insert(int index, const char* text) {
    if (index < 0)
        index = 0;
    if (index > m_length)
        index = m_length;
    CString result(m_data, index);
    result += text;
    result.Append(m_data + index, m_length - index);
    *this = static_cast<CString&&>(result);
    return m_length;
}

int CString::Delete(int index, int count) {
    if (index < 0)
        index = 0;
    if (count > 0 && index < m_length) {
        if (count > m_length - index)
            count = m_length - index;
        memmove(m_data + index, m_data + index + count, m_length - index - count + 1);
        m_length -= count;
    }
    return m_length;
}

CString& CString::MakeUpper() {
    if (m_capacity)
        Mbcs::MakeUpper(m_data);
    return *this;
}

CString& CString::MakeLower() {
    if (m_capacity)
        Mbcs::MakeLower(m_data);
    return *this;
}

CString& CString::MakeReverse() {
    CString reversed;
    reversed.Reserve(m_length);
    int out = m_length;
    for (int i = 0; i < m_length;) {
        int step = Mbcs::CharLength(m_data + i);
        if (step == 0)
            step = 1;
        out -= step;
        memcpy(reversed.m_data + out, m_data + i, step);
        i += step;
    }
    reversed.m_length = m_length;
    reversed.m_data[m_length] = 0;
    *this = static_cast<CString&&>(reversed);
    return *this;
}

CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }

CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::TrimLeft(char ch) {
    char set[2] = {ch, 0};
    return TrimLeft(set);
}

CString& CString::TrimRight(char ch) {
    char set[2] = {ch, 0};
    return TrimRight(set);
}

CString& CString::TrimLeft(const char* set) {
    int skip = 0;
    while (skip < m_length && m_data[skip] && strchr(set, m_data[skip]) && Mbcs::CharLength(m_data + skip) == 1)
        ++skip;
    *this = Mid(skip);
    return *this;
}

CString& CString::TrimRight(const char* set) {
    // A trailing byte only matches when it is not the trail byte of a character.
    int end = 0;
    for (int i = 0; i < m_length;) {
        int step = Mbcs::CharLength(m_data + i);
        if (step == 0)
            step = 1;
        if (!(step == 1 && m_data[i] && strchr(set, m_data[i])))
            end = i + step;
        i += step;
    }
    if (end < m_length) {
        m_length = end;
        m_data[end] = 0;
    }
    return *this;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int needed = vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0) {
        Empty();
        return;
    }
    CString result;
    result.Reserve(needed);
    vsnprintf(result.m_data, needed + 1, format, args);
    result.m_length = needed;
    *this = static_cast<CString&&>(result);
}

char* CString::GetBuffer(int minLength) {
    Reserve(minLength > m_length ? minLength : m_length);
    // Filling exactly minLength bytes and calling ReleaseBuffer() then gives minLength, whatever
    // an earlier, longer text left in the buffer.
    if (minLength > m_length)
        m_data[minLength] = 0;
    return m_data;
}

char* CString::GetBufferSetLength(int length) {
    if (length < 0)
        length = 0;
    GetBuffer(length);
    m_length = length;
    m_data[length] = 0;
    return m_data;
}

void CString::ReleaseBuffer(int newLength) {
    if (!m_capacity)
        return;
    // Never look past the buffer: the caller may have filled all of it without a terminator.
    if (newLength < 0)
        newLength = static_cast<int>(strnlen(m_data, m_capacity));
    if (newLength > m_capacity)
        newLength = m_capacity;
    m_length = newLength;
    m_data[newLength] = 0;
}

void CString::Reserve(int capacity) {
    if (capacity <= m_capacity && m_capacity)
        return;
    if (capacity < 15)
        capacity = 15;
    char* data = static_cast<char*>(malloc(capacity + 1));
    if (!data)
        throw std::bad_alloc();
    memcpy(data, m_data, m_length + 1);
    if (m_capacity)
        free(m_data);
    m_data = data;
    m_capacity = capacity;
}

void CString::Assign(const char* text, int length) {
    if (length <= 0) {
        if (m_capacity) {
            m_length = 0;
            m_data[0] = 0;
        }
        return;
    }
    if (length > m_capacity) {
        // text may lie inside our own buffer: copy before freeing it.
        CString copy;
        copy.Reserve(length);
        memcpy(copy.m_data, text, length);
        copy.m_data[length] = 0;
        copy.m_length = length;
        *this = static_cast<CString&&>(copy);
        return;
    }
    memmove(m_data, text, length);
    m_data[length] = 0;
    m_length = length;
}

void CString::Append(const char* text, int length) {
    if (length <= 0)
        return;
    if (m_length + length > m_capacity) {
        int grown = m_capacity * 2;
        int needed = m_length + length;
        CString bigger;
        bigger.Reserve(grown > needed ? grown : needed);
        memcpy(bigger.m_data, m_data, m_length);
        memcpy(bigger.m_data + m_length, text, length);  // text may be our own buffer: still valid here
        bigger.m_length = needed;
        bigger.m_data[needed] = 0;
        *this = static_cast<CString&&>(bigger);
        return;
    }
    memmove(m_data + m_length, text, length);
    m_length += length;
    m_data[m_length] = 0;
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b) {
    CString result(a, 1);
    result += b;
    return result;
}
