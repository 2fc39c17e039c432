#pragma once
#include <windows.h>

#include "CrashReport.h"
#include "SelkorApi.h"

// The modules of this process that a crash report names. One caller at a time: the version
// resource is read into a static buffer so that the crash handler needs no heap.
class SELKOR_API CCrashModules {
public:
    // CompanyName of the module file's version resource in language 1042, else 1033, else the
    // first one listed. False, and company empty, when there is none.
    static bool ReadCompanyName(const char* modulePath, char* company, size_t size);

    // Appends every module of the process that CCrashReport's rules report, in load order,
    // while the list has room.
    static void ListReported(const ULONG64* stack, int count, const char* wantedCompany,
                             CCrashReport::CModuleText& list);
};
