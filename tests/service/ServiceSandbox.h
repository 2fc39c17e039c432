#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "FileProbe.h"
#include "MakerSite.h"
#include "ScopedEnvironment.h"
#include "ServiceState.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

// A host's view of the service as a fresh process has it: the application-data folder in a temp
// profile (USERPROFILE redirected, sub-path "vantrel" as the program sets it), a Version.cfg
// beside Selkor, the process-wide service state forgotten, and an empty request log.
class ServiceSandbox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        CUtilityLib::SetAppDataSubPath("vantrel");
        CServiceState::Reset();
        MakerSite::ClearRequests();
    }
    void TearDown() override {
        DeleteFileA(CServiceState::VersionCfgPath());
        CServiceState::Reset();
        CUtilityLib::SetAppDataSubPath("");
    }

    void WriteVersionCfg(const std::string& text) {
        ASSERT_TRUE(FileProbe::WriteBytes(CServiceState::VersionCfgPath(), text));
    }
    // The service file the server hands out for the id, in Korean.
    void PublishServiceFile(const std::string& text, const char* id = "vantrel") {
        ASSERT_TRUE(MakerSite::Put(std::string("appservice/") + id + "/kor/service.ini.htm", text));
    }
    void WithdrawServiceFile(const char* id = "vantrel") {
        MakerSite::Remove(std::string("appservice/") + id + "/kor/service.ini.htm");
    }

    TempFolder m_profile;
    ScopedEnvironment m_userProfile{"USERPROFILE", m_profile.Path()};
};
