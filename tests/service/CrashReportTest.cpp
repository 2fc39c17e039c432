#include <gtest/gtest.h>

#include <string>

#include "CrashReport.h"

namespace {

EXCEPTION_RECORD AccessViolation(ULONG_PTR kind, ULONG_PTR address) {
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.NumberParameters = 2;
    record.ExceptionInformation[0] = kind;
    record.ExceptionInformation[1] = address;
    return record;
}

std::string Compose(const EXCEPTION_RECORD& record) {
    CCrashReport::CLineText line;
    EXPECT_TRUE(CCrashReport::ComposeLine(record, "Vantrel:140000000,", "ServiceIniDownload:http://a/b",
                                          "140001590,1400013ae,", line));
    return line.Get();
}

}  // namespace

TEST(CrashReport, ExceptionNamesAreTheSdkNamesElseUnknown) {
    EXPECT_STREQ("EXCEPTION_ACCESS_VIOLATION", CCrashReport::ExceptionName(0xC0000005));
    EXPECT_STREQ("EXCEPTION_BREAKPOINT", CCrashReport::ExceptionName(0x80000003));
    EXPECT_STREQ("EXCEPTION_SINGLE_STEP", CCrashReport::ExceptionName(0x80000004));
    EXPECT_STREQ("EXCEPTION_FLT_DIVIDE_BY_ZERO", CCrashReport::ExceptionName(0xC000008E));
    EXPECT_STREQ("EXCEPTION_INT_DIVIDE_BY_ZERO", CCrashReport::ExceptionName(0xC0000094));
    EXPECT_STREQ("EXCEPTION_STACK_OVERFLOW", CCrashReport::ExceptionName(0xC00000FD));
    EXPECT_STREQ("EXCEPTION_INVALID_DISPOSITION", CCrashReport::ExceptionName(0xC0000026));
    // A C++ exception, an invalid handle and a zero code are none of the twenty.
    EXPECT_STREQ("Unknown", CCrashReport::ExceptionName(0xE06D7363));
    EXPECT_STREQ("Unknown", CCrashReport::ExceptionName(0xC0000008));
    EXPECT_STREQ("Unknown", CCrashReport::ExceptionName(0));
}

TEST(CrashReport, LineOfAWriteFaultNamesTheWrittenAddress) {
    EXPECT_EQ("CODE=c0000005,WA=0000bad0 (ER:EXCEPTION_ACCESS_VIOLATION,),ModuleAddr=Vantrel:140000000,,"
              "Log=ServiceIniDownload:http://a/b,Stack=140001590,1400013ae,",
              Compose(AccessViolation(1, 0xBAD0)));
}

TEST(CrashReport, AccessTextOfReadsAndOfOtherCodes) {
    EXPECT_NE(std::string::npos, Compose(AccessViolation(0, 0xBAD0)).find(",RA=0000bad0 ("));
    // An execution fault (DEP) is not a write.
    EXPECT_NE(std::string::npos, Compose(AccessViolation(8, 0x1234)).find(",RA=00001234 ("));
    // The whole 64-bit address, not its lower half.
    EXPECT_NE(std::string::npos, Compose(AccessViolation(1, 0x7FF712345678)).find(",WA=7ff712345678 ("));

    EXCEPTION_RECORD divide = {};
    divide.ExceptionCode = EXCEPTION_INT_DIVIDE_BY_ZERO;
    EXPECT_EQ(0u, Compose(divide).find("CODE=c0000094, (ER:EXCEPTION_INT_DIVIDE_BY_ZERO,),"));

    EXCEPTION_RECORD unknown = {};
    unknown.ExceptionCode = 0xE06D7363;
    EXPECT_EQ(0u, Compose(unknown).find("CODE=e06d7363, (ER:Unknown,),"));

    // A violation without its two parameters reads nothing that is not there.
    EXCEPTION_RECORD bare = AccessViolation(1, 0xBAD0);
    bare.NumberParameters = 0;
    EXPECT_EQ(0u, Compose(bare).find("CODE=c0000005, (ER:EXCEPTION_ACCESS_VIOLATION,),"));
}

TEST(CrashReport, NamedSystemModulesAndProgramsAreListedWithoutRegardToCase) {
    EXPECT_TRUE(CCrashReport::IsListedByName("KERNEL32.DLL"));
    EXPECT_TRUE(CCrashReport::IsListedByName("kernel32.dll"));
    EXPECT_TRUE(CCrashReport::IsListedByName("User32.dll"));
    EXPECT_TRUE(CCrashReport::IsListedByName("msvcrt.dll"));
    EXPECT_TRUE(CCrashReport::IsListedByName("MFC42.DLL"));
    EXPECT_TRUE(CCrashReport::IsListedByName("Vantrel.exe"));
    EXPECT_TRUE(CCrashReport::IsListedByName("VANTREL.EXE"));

    EXPECT_FALSE(CCrashReport::IsListedByName("kernelbase.dll"));
    EXPECT_FALSE(CCrashReport::IsListedByName("kernel32.dll.mui"));
    EXPECT_FALSE(CCrashReport::IsListedByName("ntdll.dll"));
    EXPECT_FALSE(CCrashReport::IsListedByName("exec.dll"));
    EXPECT_FALSE(CCrashReport::IsListedByName("Selkor.dll"));
}

TEST(CrashReport, StackAddressesListModulesLoadedUpTo1MiBBelowThem) {
    const ULONG64 base = 0x180000000;
    const ULONG64 atBase[] = {base};
    const ULONG64 lastByte[] = {0x10, base + 0xFFFFF};
    const ULONG64 beyond[] = {base + 0x100000};
    const ULONG64 below[] = {base - 1};

    EXPECT_TRUE(CCrashReport::IsNearStack(base, atBase, 1));
    EXPECT_TRUE(CCrashReport::IsNearStack(base, lastByte, 2));
    EXPECT_FALSE(CCrashReport::IsNearStack(base, beyond, 1));
    EXPECT_FALSE(CCrashReport::IsNearStack(base, below, 1));
    EXPECT_FALSE(CCrashReport::IsNearStack(base, nullptr, 0));
}

TEST(CrashReport, CompanyMatchesOnlyAtCharacterBoundaries) {
    EXPECT_TRUE(CCrashReport::ContainsText("Ardentis", "Ardentis"));
    EXPECT_TRUE(CCrashReport::ContainsText("(주)Ardentis Korea", "Ardentis"));
    EXPECT_FALSE(CCrashReport::ContainsText("ardentis", "Ardentis"));
    EXPECT_FALSE(CCrashReport::ContainsText("", "Ardentis"));
    // 0x81 0x41 is one double-byte character: the "A" is its trail byte.
    EXPECT_FALSE(CCrashReport::ContainsText("\x81" "Ardentis", "Ardentis"));
}

TEST(CrashReport, ModulesAreWrittenWithoutExtensionAndWithTheirFullBase) {
    CCrashReport::CModuleText list;
    EXPECT_TRUE(CCrashReport::AppendModule(list, "Selkor.dll", 0x3B4D90000));
    EXPECT_TRUE(CCrashReport::AppendModule(list, "my.tool.exe", 0x400000));
    EXPECT_TRUE(CCrashReport::AppendModule(list, "noext", 0x10000));
    EXPECT_TRUE(CCrashReport::AppendModule(list, "설치.exe", 0x20000));

    EXPECT_STREQ("Selkor:3b4d90000,my.tool:00400000,noext:00010000,설치:00020000,", list.Get());
}

TEST(CrashReport, ModuleListStopsBefore5000CharactersWithoutCuttingAnEntry) {
    CCrashReport::CModuleText list;
    const std::string name = std::string(40, 'm') + ".dll";
    int added = 0;
    while (CCrashReport::AppendModule(list, name.c_str(), 0x180000000))
        ++added;

    const size_t entryLength = 40 + 1 + 9 + 1;
    EXPECT_EQ(5000 / entryLength, static_cast<size_t>(added));
    EXPECT_EQ(added * entryLength, list.GetLength());
    EXPECT_EQ(',', list.Get()[list.GetLength() - 1]);
}

TEST(CrashReport, StackListKeepsEveryAddressInOrder) {
    const ULONG64 addresses[] = {0x140001590, 0x7B627E49, 0x17005DCA8, 0x1000};
    CCrashReport::CStackText text;
    CCrashReport::AppendStack(text, addresses, 4);

    EXPECT_STREQ("140001590,7b627e49,17005dca8,00001000,", text.Get());
}

TEST(CrashReport, ReportFileIsInTheTempFolderNamedAfterTheLocalTime) {
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 5;
    time.wDay = 7;
    time.wHour = 9;
    time.wMinute = 3;
    time.wSecond = 1;
    char path[MAX_PATH];

    ASSERT_TRUE(CCrashReport::ReportFilePath("C:\\임시\\Temp\\", time, "Crash", path, sizeof path));
    EXPECT_STREQ("C:\\임시\\Temp\\[2024-05-07 09.03.01] Crash", path);

    ASSERT_TRUE(CCrashReport::ReportFilePath("C:\\Temp", time, "Crash", path, sizeof path));
    EXPECT_STREQ("C:\\Temp\\[2024-05-07 09.03.01] Crash", path);
}

TEST(CrashReport, ReportFilePathThatDoesNotFitIsRefused) {
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 1;
    time.wDay = 1;
    char path[40];
    const char* folder = "C:\\Users\\someone\\AppData\\Local\\Temp\\";

    EXPECT_FALSE(CCrashReport::ReportFilePath(folder, time, "Crash", path, sizeof path));
}
