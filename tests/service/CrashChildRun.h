#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Runs CrashChild.exe (beside this program) with its own temp folder and reads the crash
// reports it leaves there.
namespace CrashChildRun {

// Starts the child with TMP and TEMP set to tempFolder, waits up to patienceMs and ends it if
// it is still running then. False when it could not start or did not end by itself.
bool Run(const char* fault, const char* breadcrumb, const char* tempFolder, DWORD patienceMs, DWORD& exitCode);

std::string ChildPath();

// Names of the files "[...] Crash" in folder.
std::vector<std::string> ReportFiles(const char* folder);

// One report line taken apart at its field markers.
struct Report {
    std::string head;  // "CODE=... (ER:...,)"
    std::vector<std::pair<std::string, ULONG64>> modules;
    std::string log;
    std::vector<ULONG64> stack;
};
bool Parse(const std::string& line, Report& report);

// Whether address lies in an executable section of the image file at path loaded at base.
bool IsInCode(const std::string& path, ULONG64 base, ULONG64 address);

}  // namespace CrashChildRun
