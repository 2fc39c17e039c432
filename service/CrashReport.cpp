#include "CrashReport.h"

#include <cstring>

#include "Mbcs.h"

namespace {

struct NamedCode {
    DWORD code;
    const char* name;
};

const NamedCode kExceptionNames[] = {
    {EXCEPTION_ACCESS_VIOLATION, "EXCEPTION_ACCESS_VIOLATION"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
    {EXCEPTION_BREAKPOINT, "EXCEPTION_BREAKPOINT"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "EXCEPTION_DATATYPE_MISALIGNMENT"},
    {EXCEPTION_FLT_DENORMAL_OPERAND, "EXCEPTION_FLT_DENORMAL_OPERAND"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "EXCEPTION_FLT_DIVIDE_BY_ZERO"},
    {EXCEPTION_FLT_INEXACT_RESULT, "EXCEPTION_FLT_INEXACT_RESULT"},
    {EXCEPTION_FLT_INVALID_OPERATION, "EXCEPTION_FLT_INVALID_OPERATION"},
    {EXCEPTION_FLT_OVERFLOW, "EXCEPTION_FLT_OVERFLOW"},
    {EXCEPTION_FLT_STACK_CHECK, "EXCEPTION_FLT_STACK_CHECK"},
    {EXCEPTION_FLT_UNDERFLOW, "EXCEPTION_FLT_UNDERFLOW"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {EXCEPTION_IN_PAGE_ERROR, "EXCEPTION_IN_PAGE_ERROR"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "EXCEPTION_INT_DIVIDE_BY_ZERO"},
    {EXCEPTION_INT_OVERFLOW, "EXCEPTION_INT_OVERFLOW"},
    {EXCEPTION_INVALID_DISPOSITION, "EXCEPTION_INVALID_DISPOSITION"},
    {EXCEPTION_NONCONTINUABLE_EXCEPTION, "EXCEPTION_NONCONTINUABLE_EXCEPTION"},
    {EXCEPTION_PRIV_INSTRUCTION, "EXCEPTION_PRIV_INSTRUCTION"},
    {EXCEPTION_SINGLE_STEP, "EXCEPTION_SINGLE_STEP"},
    {EXCEPTION_STACK_OVERFLOW, "EXCEPTION_STACK_OVERFLOW"},
};

const char* const kAlwaysListed[] = {"KERNEL32.DLL", "USER32.DLL", "MSVCRT.DLL", "MFC42.DLL"};

const ULONG64 kNearStackSpan = 0x100000;

// The last ch at a character boundary, or null.
const char* FindLast(const char* text, char ch) {
    const char* found = nullptr;
    for (const char* p = text; *p; p += Mbcs::CharLength(p)) {
        if (*p == ch)
            found = p;
    }
    return found;
}

using CompareCount = int (*)(const char*, const char*, size_t);

bool ContainsAtBoundary(const char* text, const char* part, CompareCount compare) {
    size_t partLength = strlen(part);
    if (partLength == 0)
        return true;
    for (const char* p = text; *p; p += Mbcs::CharLength(p)) {
        if (compare(p, part, partLength) == 0)
            return true;
    }
    return false;
}

}  // namespace

const char* CCrashReport::ExceptionName(DWORD code) {
    for (const NamedCode& entry : kExceptionNames) {
        if (entry.code == code)
            return entry.name;
    }
    return "Unknown";
}

bool CCrashReport::IsListedByName(const char* moduleName) {
    for (const char* name : kAlwaysListed) {
        if (Mbcs::CompareNoCase(moduleName, name) == 0)
            return true;
    }
    return ContainsAtBoundary(moduleName, ".exe", _strnicmp);
}

bool CCrashReport::IsNearStack(ULONG64 base, const ULONG64* addresses, int count) {
    for (int i = 0; i < count; ++i) {
        if (addresses[i] >= base && addresses[i] - base < kNearStackSpan)
            return true;
    }
    return false;
}

bool CCrashReport::ContainsText(const char* text, const char* part) {
    return ContainsAtBoundary(text, part, strncmp);
}

bool CCrashReport::AppendModule(CModuleText& list, const char* moduleName, ULONG64 base) {
    const char* dot = FindLast(moduleName, '.');
    int nameLength = static_cast<int>(dot ? dot - moduleName : strlen(moduleName));
    return list.AppendFormat("%.*s:%08llx,", nameLength, moduleName, base);
}

void CCrashReport::AppendStack(CStackText& text, const ULONG64* addresses, int count) {
    for (int i = 0; i < count && text.AppendFormat("%08llx,", addresses[i]); ++i) {
    }
}

bool CCrashReport::ComposeLine(const EXCEPTION_RECORD& record, const char* modules, const char* log,
                               const char* stack, CLineText& line) {
    CFixedText<40> access;
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
        access.AppendFormat("%s=%08llx", record.ExceptionInformation[0] == 1 ? "WA" : "RA",
                            static_cast<ULONG64>(record.ExceptionInformation[1]));
    }
    return line.AppendFormat("CODE=%08lx,%s (ER:%s,),ModuleAddr=%s,Log=%s,Stack=%s", record.ExceptionCode,
                             access.Get(), ExceptionName(record.ExceptionCode), modules, log, stack);
}

bool CCrashReport::ReportFilePath(const char* tempFolder, const SYSTEMTIME& time, const char* reportName, char* path,
                                  size_t size) {
    size_t folderLength = strlen(tempFolder);
    const char* lastSeparator = FindLast(tempFolder, '\\');
    if (lastSeparator && lastSeparator[1] == '\0')
        --folderLength;
    int written = snprintf(path, size, "%.*s\\[%04u-%02u-%02u %02u.%02u.%02u] %s", static_cast<int>(folderLength),
                           tempFolder, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                           reportName);
    return written > 0 && static_cast<size_t>(written) < size;
}
