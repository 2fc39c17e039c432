#pragma once
#include <windows.h>

#include "FixedText.h"
#include "SelkorApi.h"

// The parts of a crash report that depend on nothing but their inputs. A report is one line:
// "CODE=<code>,<access> (ER:<name>,),ModuleAddr=<modules>,Log=<breadcrumb>,Stack=<addresses>".
// Addresses are printed in full (at least 8 hex digits): the binaries are 64-bit.
class SELKOR_API CCrashReport {
public:
    enum { StackDepth = 64, ModuleTextLimit = 5000 };
    using CModuleText = CFixedText<ModuleTextLimit>;
    using CStackText = CFixedText<StackDepth * 17>;
    using CLineText = CFixedText<8191>;

    // The SDK name of one of the 20 usual exception codes, else "Unknown".
    static const char* ExceptionName(DWORD code);

    // A module is reported when its name is one of the four named system modules or contains
    // ".exe" (both without regard to case), when a stack address lies less than 0x100000
    // bytes above its load address, or when its company name contains the wanted one.
    static bool IsListedByName(const char* moduleName);
    static bool IsNearStack(ULONG64 base, const ULONG64* addresses, int count);
    // Case counts; matches start at character boundaries only.
    static bool ContainsText(const char* text, const char* part);

    // Adds "<name without extension>:<base>,"; adds nothing and returns false when it does
    // not fit.
    static bool AppendModule(CModuleText& list, const char* moduleName, ULONG64 base);
    static void AppendStack(CStackText& text, const ULONG64* addresses, int count);
    static bool ComposeLine(const EXCEPTION_RECORD& record, const char* modules, const char* log, const char* stack,
                            CLineText& line);

    // "<tempFolder>\[YYYY-MM-DD HH.MM.SS] <reportName>" (no ':' so that it is a valid file
    // name). False when it does not fit into size bytes; path is then unusable.
    static bool ReportFilePath(const char* tempFolder, const SYSTEMTIME& time, const char* reportName, char* path,
                               size_t size);
};
