#include <gtest/gtest.h>

#include "CrashChildRun.h"
#include "ServiceSandbox.h"

namespace {

const char kUploadPath[] = "/log/makecrashlog.php";
const char kBreadcrumb[] = "MainAdDownload 1 :http://127.0.0.1/광고.gif";
const DWORD kPatienceMs = 60000;

// A faulting host whose service file does or does not ask for crash reports.
class CrashUpload : public ServiceSandbox {
protected:
    void CrashWithServiceFile(const std::string& serviceFile, const char* tempFolder) {
        ASSERT_TRUE(FileProbe::WriteBytes(CServiceState::ServiceIniPath(), serviceFile));
        DWORD exitCode = 0;
        ASSERT_TRUE(CrashChildRun::Run("write", kBreadcrumb, tempFolder, kPatienceMs, exitCode));
        EXPECT_EQ(EXCEPTION_ACCESS_VIOLATION, exitCode);
    }
};

TEST_F(CrashUpload, SendsTheReportAndDeletesItWhenTheServiceFileAsks) {
    TempFolder temp;
    ASSERT_NO_FATAL_FAILURE(CrashWithServiceFile("[INFO]\r\nCRINFO=1\r\n", temp.Path()));

    std::vector<MakerSite::Request> sent = MakerSite::RequestsFor(kUploadPath);
    ASSERT_EQ(1u, sent.size());
    CrashChildRun::Report report;
    ASSERT_TRUE(CrashChildRun::Parse(sent[0].query["crash"], report)) << sent[0].query["crash"];
    EXPECT_EQ("CODE=c0000005,WA=0000bad0 (ER:EXCEPTION_ACCESS_VIOLATION,)", report.head);
    EXPECT_EQ(kBreadcrumb, report.log);
    EXPECT_FALSE(report.stack.empty());
    EXPECT_EQ(1u, sent[0].query.count("guid"));
    EXPECT_TRUE(CrashChildRun::ReportFiles(temp.Path()).empty());
}

TEST_F(CrashUpload, KeepsTheReportAndSendsNothingOtherwise) {
    const char* files[] = {"[INFO]\r\nCRINFO=0\r\n", "[Update]\r\nVersion=1\r\n"};
    for (const char* file : files) {
        MakerSite::ClearRequests();
        TempFolder temp;
        ASSERT_NO_FATAL_FAILURE(CrashWithServiceFile(file, temp.Path()));
        EXPECT_EQ(1u, CrashChildRun::ReportFiles(temp.Path()).size()) << file;
        EXPECT_TRUE(MakerSite::RequestsFor(kUploadPath).empty()) << file;
    }
}

}  // namespace
