#include "CrashModules.h"

#include <tlhelp32.h>

#include <cstdio>

#include "Handle.h"

namespace {

const WORD kPreferredLanguages[] = {1042, 1033};

struct LanguageCodePage {
    WORD language;
    WORD codePage;
};

char g_versionInfo[64 * 1024];

const LanguageCodePage* ChooseTranslation(const LanguageCodePage* translations, UINT count) {
    for (WORD language : kPreferredLanguages) {
        for (UINT i = 0; i < count; ++i) {
            if (translations[i].language == language)
                return &translations[i];
        }
    }
    return &translations[0];
}

bool HasWantedCompany(const char* modulePath, const char* wantedCompany) {
    char company[256];
    return CCrashModules::ReadCompanyName(modulePath, company, sizeof company) &&
           CCrashReport::ContainsText(company, wantedCompany);
}

}  // namespace

bool CCrashModules::ReadCompanyName(const char* modulePath, char* company, size_t size) {
    if (size)
        company[0] = '\0';
    DWORD ignored = 0;
    DWORD infoSize = GetFileVersionInfoSizeA(modulePath, &ignored);
    if (infoSize == 0 || infoSize > sizeof g_versionInfo ||
        !GetFileVersionInfoA(modulePath, 0, sizeof g_versionInfo, g_versionInfo))
        return false;

    LanguageCodePage* translations = nullptr;
    UINT translationBytes = 0;
    if (!VerQueryValueA(g_versionInfo, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &translationBytes) ||
        translationBytes < sizeof(LanguageCodePage))
        return false;
    const LanguageCodePage* chosen = ChooseTranslation(translations, translationBytes / sizeof(LanguageCodePage));

    char key[64];
    snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\CompanyName", chosen->language, chosen->codePage);
    char* value = nullptr;
    UINT valueLength = 0;
    if (!VerQueryValueA(g_versionInfo, key, reinterpret_cast<void**>(&value), &valueLength) || !value)
        return false;
    int written = snprintf(company, size, "%s", value);
    return written > 0;
}

void CCrashModules::ListReported(const ULONG64* stack, int count, const char* wantedCompany,
                                 CCrashReport::CModuleText& list) {
    // The snapshot fails with INVALID_HANDLE_VALUE, as CreateFileA does.
    CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0));
    if (!snapshot.IsValid())
        return;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        ULONG64 base = reinterpret_cast<ULONG_PTR>(module.modBaseAddr);
        bool reported = CCrashReport::IsListedByName(module.szModule) ||
                        CCrashReport::IsNearStack(base, stack, count) ||
                        HasWantedCompany(module.szExePath, wantedCompany);
        if (reported && !CCrashReport::AppendModule(list, module.szModule, base))
            return;
    }
}
