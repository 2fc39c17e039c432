#include "CrashChildRun.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "ProgramRun.h"

namespace CrashChildRun {

namespace {

bool IsTempVariable(const char* entry) {
    return _strnicmp(entry, "TMP=", 4) == 0 || _strnicmp(entry, "TEMP=", 5) == 0;
}

// The parent's environment with TMP and TEMP pointing at folder.
std::string EnvironmentWithTemp(const char* folder) {
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
        if (!IsTempVariable(entry))
            block.append(entry).push_back('\0');
    }
    FreeEnvironmentStringsA(strings);
    block.append("TMP=").append(folder).push_back('\0');
    block.append("TEMP=").append(folder).push_back('\0');
    block.push_back('\0');
    return block;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    if (start < text.size())
        parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

std::string ChildPath() { return std::string(ProgramRun::BuildFolder()) + "\\CrashChild.exe"; }

bool Run(const char* fault, const char* breadcrumb, const char* tempFolder, DWORD patienceMs, DWORD& exitCode) {
    const std::string commandLine = "\"" + ChildPath() + "\" " + fault + " \"" + breadcrumb + "\"";
    // NUL standard handles (ProgramRun): Wine would otherwise hand the test's output to winedbg's.
    return ProgramRun::RunToEnd(commandLine.c_str(), patienceMs, exitCode, EnvironmentWithTemp(tempFolder).c_str(),
                                tempFolder);
}

std::vector<std::string> ReportFiles(const char* folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(folder) + "\\[*] Crash").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

bool Parse(const std::string& line, Report& report) {
    size_t modules = line.find(",ModuleAddr=");
    size_t log = line.find(",Log=");
    size_t stack = line.rfind(",Stack=");
    if (modules == std::string::npos || log == std::string::npos || stack == std::string::npos || log < modules ||
        stack < log)
        return false;
    report.head = line.substr(0, modules);
    for (const std::string& entry : Split(line.substr(modules + 12, log - modules - 12), ',')) {
        size_t colon = entry.rfind(':');
        if (colon != std::string::npos)
            report.modules.emplace_back(entry.substr(0, colon), strtoull(entry.c_str() + colon + 1, nullptr, 16));
    }
    report.log = line.substr(log + 5, stack - log - 5);
    for (const std::string& address : Split(line.substr(stack + 7), ','))
        report.stack.push_back(strtoull(address.c_str(), nullptr, 16));
    return true;
}

bool IsInCode(const std::string& path, ULONG64 base, ULONG64 address) {
    std::ifstream file(path, std::ios::binary);
    std::string image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (image.size() < sizeof(IMAGE_DOS_HEADER) || address < base)
        return false;
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    if (static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64) > image.size())
        return false;
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    if (reinterpret_cast<const char*>(section + nt->FileHeader.NumberOfSections) > image.data() + image.size())
        return false;
    ULONG64 rva = address - base;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->Misc.VirtualSize)
            return (section->Characteristics & IMAGE_SCN_MEM_EXECUTE) != 0;
    }
    return false;
}

}  // namespace CrashChildRun
