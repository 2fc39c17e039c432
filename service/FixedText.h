#pragma once
#include <cstdarg>
#include <cstddef>
#include <cstdio>

// Text in a fixed array: the crash handler must not rely on a heap that the crash may have
// broken. Appends are whole or nothing, so a full text never ends in a cut entry.
template <size_t Capacity>
class CFixedText {
public:
    CFixedText() { Clear(); }

    void Clear() {
        m_length = 0;
        m_text[0] = '\0';
    }
    const char* Get() const { return m_text; }
    size_t GetLength() const { return m_length; }

    bool Append(const char* text) { return AppendFormat("%s", text); }

    __attribute__((format(gnu_printf, 2, 3))) bool AppendFormat(const char* format, ...) {
        va_list args;
        va_start(args, format);
        int written = vsnprintf(m_text + m_length, Capacity + 1 - m_length, format, args);
        va_end(args);
        if (written < 0 || m_length + static_cast<size_t>(written) > Capacity) {
            m_text[m_length] = '\0';
            return false;
        }
        m_length += static_cast<size_t>(written);
        return true;
    }

private:
    char m_text[Capacity + 1];
    size_t m_length;
};
