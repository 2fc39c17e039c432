#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "FileProbe.h"
#include "MakerSite.h"
#include "ServiceFiles.h"
#include "ServiceState.h"

// A host's view of the service as a fresh process has it: the application-data folder in a temp
// profile (USERPROFILE redirected, sub-path "vantrel" as the program sets it), a Version.cfg
// beside Selkor, the process-wide service state forgotten, and an empty request log.
class ServiceSandbox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        CServiceState::Reset();
        MakerSite::ClearRequests();
    }
    void TearDown() override { CServiceState::Reset(); }

    void WriteVersionCfg(const std::string& text) { m_versionCfg.Write(text); }
    // The service file the server hands out for the id, in Korean.
    void PublishServiceFile(const std::string& text, const char* id = "vantrel") {
        ASSERT_TRUE(MakerSite::Put(std::string("appservice/") + id + "/kor/service.ini.htm", text));
    }
    void WithdrawServiceFile(const char* id = "vantrel") {
        MakerSite::Remove(std::string("appservice/") + id + "/kor/service.ini.htm");
    }

    ServiceFiles m_files;
    VersionCfgFile m_versionCfg;
};
