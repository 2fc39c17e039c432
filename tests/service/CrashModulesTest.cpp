#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "CrashModules.h"
#include "TestFixtures.h"

namespace {

std::string ModulePath(const char* name) {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(GetModuleHandleA(name), path, MAX_PATH);
    return path;
}

std::string CompanyOf(const std::string& path) {
    char company[256] = "left over";
    bool found = CCrashModules::ReadCompanyName(path.c_str(), company, sizeof company);
    EXPECT_EQ(found, company[0] != '\0');
    return company;
}

std::string Reported(const ULONG64* stack, int count, const char* company) {
    CCrashReport::CModuleText list;
    CCrashModules::ListReported(stack, count, company, list);
    // Lower case: Windows and Wine spell system module names differently.
    std::string text = "," + std::string(list.Get());
    for (char& ch : text)
        ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    return text;
}

}  // namespace

TEST(CrashModules, CompanyNameComesFromTheVersionResource) {
    EXPECT_EQ("Ardentis", CompanyOf(ModulePath("Selkor.dll")));
}

TEST(CrashModules, CompanyNamePrefersKoreanThenEnglishOverTheFirstListed) {
    // This program lists English, then Korean; CrashChild.exe German, then English.
    EXPECT_EQ("시험 공방", CompanyOf(ModulePath(nullptr)));

    std::string child = ModulePath(nullptr);
    child = child.substr(0, child.rfind('\\')) + "\\CrashChild.exe";
    EXPECT_EQ("Test House", CompanyOf(child));
}

TEST(CrashModules, FileWithoutVersionResourceHasNoCompany) {
    TempFolder folder;
    CString plain = folder.MakeFile("plain.txt", "no resources here");

    EXPECT_EQ("", CompanyOf((const char*)plain));
    EXPECT_EQ("", CompanyOf((const char*)(folder / "missing.dll")));
}

TEST(CrashModules, ListNamesProgramsSystemModulesAndTheCompanysModules) {
    std::string list = Reported(nullptr, 0, "Ardentis");

    EXPECT_NE(std::string::npos, list.find(",selkortests:")) << list;
    EXPECT_NE(std::string::npos, list.find(",selkor:")) << list;
    EXPECT_NE(std::string::npos, list.find(",kernel32:")) << list;
    EXPECT_EQ(std::string::npos, list.find(",advapi32:")) << list;
}

TEST(CrashModules, StackAddressBringsItsModuleIn) {
    ULONG64 base = reinterpret_cast<ULONG_PTR>(GetModuleHandleA("advapi32.dll"));
    ASSERT_NE(0u, base);
    const ULONG64 stack[] = {0x10, base + 0x1234};
    char entry[32];
    snprintf(entry, sizeof entry, ",advapi32:%08llx,", base);

    EXPECT_NE(std::string::npos, Reported(stack, 2, "Ardentis").find(entry));
}

TEST(CrashModules, ModuleOfAnotherCompanyIsLeftOut) {
    std::string list = Reported(nullptr, 0, "Nobody Else");

    EXPECT_EQ(std::string::npos, list.find(",selkor:")) << list;
    EXPECT_NE(std::string::npos, list.find(",selkortests:")) << list;
}
