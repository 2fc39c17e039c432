#pragma once
#include <cstdarg>

#include "FxApi.h"

// ANSI string in the system code page. Searches, case changes and comparisons without case
// respect double-byte characters. Never pass a CString to a varargs function without
// (const char*).
class FX_API CString {
public:
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(const char* text);  // null gives an empty string
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    int GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    void Empty();

    operator const char*() const { return m_data; }
    const char* GetString() const { return m_data; }
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char ch);

    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    // Positions are byte offsets; a match never starts on a trail byte. -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight(const char* set);
    CString& Trim() { return TrimRight().TrimLeft(); }

    // The compiler checks the arguments against the format: a CString passed without a cast fails.
    __attribute__((format(gnu_printf, 2, 3))) void Format(const char* format, ...);
    __attribute__((format(gnu_printf, 2, 0))) void FormatV(const char* format, va_list args);

    // The buffer holds at least minLength bytes plus a terminator until ReleaseBuffer;
    // ReleaseBuffer(-1) takes the length up to the first NUL.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    void Reserve(int capacity);
    void Assign(const char* text, int length);
    void Append(const char* text, int length);

    char* m_data;
    int m_length;
    int m_capacity;  // 0 while m_data points at the shared empty text
};

FX_API CString operator+(const CString& a, const CString& b);
FX_API CString operator+(const CString& a, const char* b);
FX_API CString operator+(const char* a, const CString& b);
FX_API CString operator+(const CString& a, char b);
FX_API CString operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
