#include "CrashLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Mbcs.h"

char CCrashLog::m_szLog[CCrashLog::BufferSize];
char CCrashLog::m_szLogPrev[CCrashLog::BufferSize];

namespace {

// vsnprintf cuts at a byte count; a lone lead byte left at the end would swallow the next
// character of the crash report.
void DropCutCharacter(char* text) {
    for (char* p = text; *p; p += Mbcs::CharLength(p)) {
        if (Mbcs::IsLeadByte(static_cast<unsigned char>(*p)) && p[1] == '\0') {
            *p = '\0';
            return;
        }
    }
}

}  // namespace

void CCrashLog::Set(const char* format, ...) {
    memcpy(m_szLogPrev, m_szLog, BufferSize);
    m_szLog[0] = '\0';
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    vsnprintf(m_szLog, BufferSize, format, args);
    va_end(args);
    // msvcrt's own vsnprintf leaves a cut text without its terminator.
    m_szLog[BufferSize - 1] = '\0';
    DropCutCharacter(m_szLog);
}
