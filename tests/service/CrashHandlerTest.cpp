#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "CrashChildRun.h"
#include "TestFixtures.h"

namespace {

const DWORD kPatienceMs = 60000;
const char kBreadcrumb[] = "ServiceIniDownload:http://127.0.0.1/서비스.ini";

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Runs the child in a fresh temp folder and reads the one report it must leave there.
class CrashChild : public ::testing::Test {
protected:
    void RunChild(const char* fault, DWORD expectedExitCode) {
        DWORD exitCode = 0;
        ASSERT_TRUE(CrashChildRun::Run(fault, kBreadcrumb, m_temp.Path(), kPatienceMs, exitCode))
            << "the child did not end by itself";
        // The child ends with the exception code only when the filters passed the crash on.
        EXPECT_EQ(expectedExitCode, exitCode);
    }

    void ReadReport(const std::string& fileName) {
        m_fileName = fileName;
        m_line = ReadAll(std::string(m_temp.Path()) + "\\" + fileName);
        ASSERT_TRUE(CrashChildRun::Parse(m_line, m_report)) << m_line;
    }

    void Crash(const char* fault, DWORD expectedExitCode) {
        ASSERT_NO_FATAL_FAILURE(RunChild(fault, expectedExitCode));
        std::vector<std::string> files = CrashChildRun::ReportFiles(m_temp.Path());
        ASSERT_EQ(1u, files.size());
        ReadReport(files[0]);
    }

    ULONG64 ModuleBase(const char* name) const {
        for (const auto& module : m_report.modules) {
            if (_stricmp(module.first.c_str(), name) == 0)
                return module.second;
        }
        return 0;
    }

    TempFolder m_temp;
    std::string m_fileName;
    std::string m_line;
    CrashChildRun::Report m_report;
};

std::string ReportName(const SYSTEMTIME& time) {
    char name[32];
    snprintf(name, sizeof name, "[%04u-%02u-%02u %02u.%02u.%02u] Crash", time.wYear, time.wMonth, time.wDay,
             time.wHour, time.wMinute, time.wSecond);
    return name;
}

SYSTEMTIME SecondsLater(const SYSTEMTIME& time, int seconds) {
    FILETIME fileTime;
    SystemTimeToFileTime(&time, &fileTime);
    ULARGE_INTEGER ticks = {{fileTime.dwLowDateTime, fileTime.dwHighDateTime}};
    ticks.QuadPart += static_cast<LONGLONG>(seconds) * 10000000;
    fileTime = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME later;
    FileTimeToSystemTime(&fileTime, &later);
    return later;
}

LPTOP_LEVEL_EXCEPTION_FILTER CurrentFilter() {
    LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(current);
    return current;
}

}  // namespace

TEST_F(CrashChild, WriteFaultIsReportedWithAddressModulesBreadcrumbAndStack) {
    Crash("write", EXCEPTION_ACCESS_VIOLATION);

    EXPECT_EQ("CODE=c0000005,WA=0000bad0 (ER:EXCEPTION_ACCESS_VIOLATION,)", m_report.head);
    ULONG64 childBase = ModuleBase("CrashChild");
    EXPECT_NE(0u, childBase) << m_line;
    EXPECT_NE(0u, ModuleBase("Selkor")) << m_line;
    EXPECT_NE(0u, ModuleBase("kernel32")) << m_line;
    EXPECT_EQ(kBreadcrumb, m_report.log);
    ASSERT_FALSE(m_report.stack.empty()) << m_line;
    EXPECT_TRUE(CrashChildRun::IsInCode(CrashChildRun::ChildPath(), childBase, m_report.stack[0])) << m_line;
    // The faulting function was called from the child's main, in the child's code as well.
    ASSERT_GE(m_report.stack.size(), 2u) << m_line;
    EXPECT_TRUE(CrashChildRun::IsInCode(CrashChildRun::ChildPath(), childBase, m_report.stack[1])) << m_line;
}

TEST_F(CrashChild, ReportFileIsNamedAfterTheLocalTimeOfTheCrash) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Crash("read", EXCEPTION_ACCESS_VIOLATION);
    GetLocalTime(&after);

    EXPECT_LE(ReportName(before), m_fileName);
    EXPECT_GE(ReportName(after), m_fileName);
    EXPECT_EQ(ReportName(after).size(), m_fileName.size());
    EXPECT_EQ("CODE=c0000005,RA=0000bad0 (ER:EXCEPTION_ACCESS_VIOLATION,)", m_report.head);
}

TEST_F(CrashChild, DivideByZeroHasNoAccessText) {
    Crash("divide", EXCEPTION_INT_DIVIDE_BY_ZERO);

    EXPECT_EQ("CODE=c0000094, (ER:EXCEPTION_INT_DIVIDE_BY_ZERO,)", m_report.head);
    EXPECT_TRUE(CrashChildRun::IsInCode(CrashChildRun::ChildPath(), ModuleBase("CrashChild"), m_report.stack.at(0)));
}

TEST_F(CrashChild, BreakpointIsReportedAndPassedOn) {
    Crash("breakpoint", EXCEPTION_BREAKPOINT);

    EXPECT_EQ("CODE=80000003, (ER:EXCEPTION_BREAKPOINT,)", m_report.head);
    EXPECT_EQ(kBreadcrumb, m_report.log);
}

TEST_F(CrashChild, StackOverflowIsReportedFromAFreshStack) {
    Crash("overflow", EXCEPTION_STACK_OVERFLOW);

    EXPECT_EQ("CODE=c00000fd, (ER:EXCEPTION_STACK_OVERFLOW,)", m_report.head);
    EXPECT_EQ(kBreadcrumb, m_report.log);
    EXPECT_NE(0u, ModuleBase("Selkor")) << m_line;
    // The walk may stop early (the stack probe has no unwind data), but it starts in the child.
    ASSERT_FALSE(m_report.stack.empty()) << m_line;
    EXPECT_TRUE(CrashChildRun::IsInCode(CrashChildRun::ChildPath(), ModuleBase("CrashChild"), m_report.stack[0]));
}

TEST_F(CrashChild, ReportReplacesAnOldFileOfTheSameName) {
    const char oldText[] = "old report";
    SYSTEMTIME now;
    GetLocalTime(&now);
    // One old report for every second in which the child may crash.
    for (int second = -1; second <= static_cast<int>(kPatienceMs / 1000) + 1; ++second)
        m_temp.MakeFile(ReportName(SecondsLater(now, second)).c_str(), oldText);

    ASSERT_NO_FATAL_FAILURE(RunChild("write", EXCEPTION_ACCESS_VIOLATION));

    std::vector<std::string> replaced;
    for (const std::string& name : CrashChildRun::ReportFiles(m_temp.Path())) {
        if (ReadAll(std::string(m_temp.Path()) + "\\" + name) != oldText)
            replaced.push_back(name);
    }
    ASSERT_EQ(1u, replaced.size());
    ReadReport(replaced[0]);
    EXPECT_EQ(0u, m_line.find("CODE=c0000005,WA=0000bad0")) << m_line;
}

TEST(CrashHandler, UnloadingSelkorPutsThePreviousFilterBack) {
    TempFolder folder;
    char selkor[MAX_PATH] = {0};
    GetModuleFileNameA(GetModuleHandleA("Selkor.dll"), selkor, MAX_PATH);
    CString copy = folder / "SelkorCopy.dll";
    ASSERT_TRUE(CopyFileA(selkor, copy, FALSE));
    LPTOP_LEVEL_EXCEPTION_FILTER before = CurrentFilter();

    HMODULE loaded = LoadLibraryA(copy);
    ASSERT_NE(nullptr, loaded);
    HMODULE filterOwner = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(CurrentFilter()), &filterOwner);
    FreeLibrary(loaded);

    EXPECT_EQ(loaded, filterOwner) << "the copy installs its own filter when it is loaded";
    EXPECT_EQ(before, CurrentFilter());
}
