#include "UtilityLib.h"

#include "RegKey.h"

namespace {

struct VersionFacts {
    OSVERSIONINFOEXA info;
    bool extended;      // product type and suite mask are known
    WORD architecture;  // PROCESSOR_ARCHITECTURE_*, 0 when GetNativeSystemInfo is missing
};

bool QueryVersion(VersionFacts& facts) {
    ZeroMemory(&facts, sizeof(facts));
    OSVERSIONINFOA* info = reinterpret_cast<OSVERSIONINFOA*>(&facts.info);
    facts.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    facts.extended = GetVersionExA(info) != FALSE;
    if (!facts.extended) {
        facts.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(info))
            return false;
    }
    using GetNativeSystemInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
    HMODULE kernel = GetModuleHandleA("Kernel32.dll");
    auto getNativeSystemInfo =
        kernel ? reinterpret_cast<GetNativeSystemInfoFn>(GetProcAddress(kernel, "GetNativeSystemInfo")) : nullptr;
    if (getNativeSystemInfo) {
        SYSTEM_INFO system = {};
        getNativeSystemInfo(&system);
        facts.architecture = system.wProcessorArchitecture;
    }
    return true;
}

bool Is(const OSVERSIONINFOEXA& info, DWORD major, DWORD minor) {
    return info.dwMajorVersion == major && info.dwMinorVersion == minor;
}

void NameWindows9x(const OSVERSIONINFOEXA& info, CString& shortName, CString& fullName) {
    char servicePackMark = info.szCSDVersion[1];
    if (Is(info, 4, 0)) {
        shortName = "95";
        fullName = "Microsoft Windows 95";
        if (servicePackMark == 'C' || servicePackMark == 'B')
            fullName += " OSR2";
    } else if (Is(info, 4, 10)) {
        shortName = "98";
        fullName = "Microsoft Windows 98";
        if (servicePackMark == 'A')
            fullName += " SE";
    } else if (Is(info, 4, 90)) {
        shortName = "ME";
        fullName = "Microsoft Windows Millennium Edition";
    }
}

const char* NameServer2003(const VersionFacts& facts) {
    bool storage = (facts.info.wSuiteMask & VER_SUITE_STORAGE_SERVER) != 0;
    if (GetSystemMetrics(SM_SERVERR2))
        return storage ? "Windows Storage Server 2003 \"R2\"" : "Windows Server 2003 \"R2\"";
    if (facts.info.wProductType == VER_NT_WORKSTATION && facts.architecture == PROCESSOR_ARCHITECTURE_AMD64)
        return "Windows XP Professional x64 Edition";
    return storage ? "Windows Storage Server 2003" : "Windows Server 2003";
}

void NameWindowsNT(const VersionFacts& facts, CString& shortName, CString& fullName) {
    const OSVERSIONINFOEXA& info = facts.info;
    if (Is(info, 6, 0)) {
        bool workstation = info.wProductType == VER_NT_WORKSTATION;
        shortName = workstation ? "Vista" : "Longhorn";
        fullName = workstation ? "Windows Vista" : "Windows Server Longhorn";
    } else if (Is(info, 5, 2)) {
        shortName = "XP";
        fullName = NameServer2003(facts);
    } else if (Is(info, 5, 1)) {
        shortName = "XP";
        fullName = "Windows XP";
    } else if (Is(info, 5, 0)) {
        shortName = "2000";
        fullName = "Windows 2000";
    } else if (info.dwMajorVersion < 5) {
        shortName = "NT";
        fullName = "Windows NT";
    }
}

// Editions by product type; the first rule that matches decides, and a rule with an empty
// text means "no edition".
enum class Role { Workstation, Server };
enum class Release { Any, Major4, Below5, V5_0, V5_1, V5_2, V6_0 };
enum class Cpu { Any, X64, Itanium };
enum class Check { None, SuiteBit, SuiteExactly, SystemMetric };

struct EditionRule {
    Role role;
    Release release;
    Cpu cpu;
    Check check;
    int value;
    const char* text;
};

const EditionRule kEditionRules[] = {
    {Role::Workstation, Release::Any, Cpu::X64, Check::None, 0, ""},
    {Role::Workstation, Release::Major4, Cpu::Any, Check::None, 0, " Workstation 4.0"},
    {Role::Workstation, Release::V6_0, Cpu::Any, Check::SuiteBit, VER_SUITE_PERSONAL, " Home Premium/Basic"},
    {Role::Workstation, Release::V5_1, Cpu::Any, Check::SuiteBit, VER_SUITE_PERSONAL, " Home Edition"},
    {Role::Workstation, Release::Any, Cpu::Any, Check::SuiteBit, VER_SUITE_PERSONAL, " Professional"},
    {Role::Workstation, Release::Any, Cpu::Any, Check::SuiteBit, VER_SUITE_EMBEDDEDNT, " Embedded Edition"},
    {Role::Workstation, Release::Any, Cpu::Any, Check::SystemMetric, SM_MEDIACENTER, " Media Center Edition"},
    {Role::Workstation, Release::Any, Cpu::Any, Check::SystemMetric, SM_STARTER, " Starter Edition"},
    {Role::Workstation, Release::Any, Cpu::Any, Check::SystemMetric, SM_TABLETPC, " Tablet PC Edition"},
    {Role::Workstation, Release::Any, Cpu::Any, Check::None, 0, " Professional"},

    {Role::Server, Release::V6_0, Cpu::Any, Check::SuiteBit, VER_SUITE_DATACENTER, " Datacenter Edition"},
    {Role::Server, Release::V6_0, Cpu::Any, Check::SuiteBit, VER_SUITE_ENTERPRISE, " Enterprise Edition"},
    {Role::Server, Release::V5_2, Cpu::Itanium, Check::SuiteBit, VER_SUITE_DATACENTER,
     " Datacenter Edition for Itanium-based Systems"},
    {Role::Server, Release::V5_2, Cpu::Itanium, Check::SuiteBit, VER_SUITE_ENTERPRISE,
     " Enterprise Edition for Itanium-based Systems"},
    {Role::Server, Release::V5_2, Cpu::Itanium, Check::None, 0, ""},
    {Role::Server, Release::V5_2, Cpu::X64, Check::SuiteBit, VER_SUITE_DATACENTER, " Datacenter x64 Edition"},
    {Role::Server, Release::V5_2, Cpu::X64, Check::SuiteBit, VER_SUITE_ENTERPRISE, " Enterprise x64 Edition"},
    {Role::Server, Release::V5_2, Cpu::X64, Check::None, 0, " Standard x64 Edition"},
    {Role::Server, Release::V5_2, Cpu::Any, Check::SuiteBit, VER_SUITE_DATACENTER, " Datacenter Edition"},
    {Role::Server, Release::V5_2, Cpu::Any, Check::SuiteBit, VER_SUITE_ENTERPRISE, " Enterprise Edition"},
    {Role::Server, Release::V5_2, Cpu::Any, Check::SuiteBit, VER_SUITE_COMPUTE_SERVER, " Compute Cluster Edition"},
    {Role::Server, Release::V5_2, Cpu::Any, Check::SuiteExactly, VER_SUITE_BLADE, " Web Edition"},
    {Role::Server, Release::V5_2, Cpu::Any, Check::None, 0, " Standard Edition"},
    {Role::Server, Release::V5_0, Cpu::Any, Check::SuiteBit, VER_SUITE_DATACENTER, " Datacenter Server"},
    {Role::Server, Release::V5_0, Cpu::Any, Check::SuiteBit, VER_SUITE_ENTERPRISE, " Advanced Server"},
    {Role::Server, Release::V5_0, Cpu::Any, Check::None, 0, " Server"},
    {Role::Server, Release::Below5, Cpu::Any, Check::SuiteBit, VER_SUITE_ENTERPRISE, " Server 4.0, Enterprise Edition"},
    {Role::Server, Release::Below5, Cpu::Any, Check::None, 0, " Server 4.0"},
};

bool Matches(Release release, const OSVERSIONINFOEXA& info) {
    switch (release) {
    case Release::Any: return true;
    case Release::Major4: return info.dwMajorVersion == 4;
    case Release::Below5: return info.dwMajorVersion < 5;
    case Release::V5_0: return Is(info, 5, 0);
    case Release::V5_1: return Is(info, 5, 1);
    case Release::V5_2: return Is(info, 5, 2);
    case Release::V6_0: return Is(info, 6, 0);
    }
    return false;
}

bool Matches(Cpu cpu, WORD architecture) {
    switch (cpu) {
    case Cpu::Any: return true;
    case Cpu::X64: return architecture == PROCESSOR_ARCHITECTURE_AMD64;
    case Cpu::Itanium: return architecture == PROCESSOR_ARCHITECTURE_IA64;
    }
    return false;
}

bool Passes(const EditionRule& rule, WORD suiteMask) {
    switch (rule.check) {
    case Check::None: return true;
    case Check::SuiteBit: return (suiteMask & rule.value) != 0;
    case Check::SuiteExactly: return suiteMask == rule.value;
    case Check::SystemMetric: return GetSystemMetrics(rule.value) != 0;
    }
    return false;
}

const char* EditionOf(const VersionFacts& facts) {
    Role role;
    switch (facts.info.wProductType) {
    case VER_NT_WORKSTATION: role = Role::Workstation; break;
    case VER_NT_SERVER:
    case VER_NT_DOMAIN_CONTROLLER: role = Role::Server; break;
    default: return "";
    }
    for (const EditionRule& rule : kEditionRules) {
        if (rule.role == role && Matches(rule.release, facts.info) && Matches(rule.cpu, facts.architecture) &&
            Passes(rule, facts.info.wSuiteMask))
            return rule.text;
    }
    return "";
}

// Without the extended structure (NT 4.0 before SP6) the product type lives in the registry.
bool AppendProductTypeFromRegistry(const OSVERSIONINFOEXA& info, CString& fullName) {
    const DWORD kProductTypeBytes = 80;
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", KEY_QUERY_VALUE) !=
        ERROR_SUCCESS)
        return false;
    char productType[kProductTypeBytes + 1] = {};
    DWORD size = kProductTypeBytes;
    if (RegQueryValueExA(key, "ProductType", nullptr, nullptr, reinterpret_cast<BYTE*>(productType), &size) !=
            ERROR_SUCCESS ||
        size > kProductTypeBytes)
        return false;
    CString type(productType);
    if (type.CompareNoCase("WINNT") == 0)
        fullName += " Workstation";
    else if (type.CompareNoCase("LANMANNT") == 0)
        fullName += " Server";
    else if (type.CompareNoCase("SERVERNT") == 0)
        fullName += " Advanced Server";
    CString version;
    version.Format("%d.%d ", static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion));
    fullName += version;
    return true;
}

void AppendServicePack(const OSVERSIONINFOEXA& info, CString& fullName) {
    int build = static_cast<int>(info.dwBuildNumber & 0xFFFF);
    CString servicePack(info.szCSDVersion);
    CString text;
    CRegKey hotfix;
    if (info.dwMajorVersion == 4 && servicePack.CompareNoCase("Service Pack 6") == 0 &&
        hotfix.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009",
                    KEY_QUERY_VALUE) == ERROR_SUCCESS)
        text.Format(" Service Pack 6a (Build %d)", build);
    else
        text.Format(" %s (Build %d)", (const char*)servicePack, build);
    fullName += text;
}

}  // namespace

bool CUtilityLib::GetOSVersion(CString& shortName, CString& fullName) {
    VersionFacts facts;
    if (!QueryVersion(facts))
        return false;
    const OSVERSIONINFOEXA& info = facts.info;
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        shortName = "Win32s";
        fullName = "Microsoft Win32s";
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        NameWindows9x(info, shortName, fullName);
        break;
    case VER_PLATFORM_WIN32_NT:
        NameWindowsNT(facts, shortName, fullName);
        if (facts.extended)
            fullName += EditionOf(facts);
        else if (!AppendProductTypeFromRegistry(info, fullName))
            return false;
        AppendServicePack(info, fullName);
        break;
    }
    CString tail;
    tail.Format("(%u:%u:%u:%u build:%u)", static_cast<unsigned>(info.dwPlatformId),
                static_cast<unsigned>(info.dwMajorVersion), static_cast<unsigned>(info.dwMinorVersion),
                static_cast<unsigned>(info.wSuiteMask), static_cast<unsigned>(info.dwBuildNumber));
    shortName += tail;
    return true;
}

DWORD CUtilityLib::GetOSVersion() {
    VersionFacts facts;
    if (!QueryVersion(facts) || facts.info.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;
    return MAKELONG(facts.info.dwMajorVersion, facts.info.dwMinorVersion);
}
