#pragma once
#include <gtest/gtest.h>

#include <string>

#include "CString.h"
#include "FileProbe.h"
#include "HostTools.h"
#include "MakerSite.h"
#include "ScopedEnvironment.h"
#include "ServiceFiles.h"
#include "TestFixtures.h"
#include "ServiceState.h"
#include "UtilityLib.h"
#include "download/SetupTarget.h"

// The host of an update test: Selkor's Version.cfg (restored afterwards), a service id of its own
// with its own application-data folder (Config.ini, service.ini), an empty temporary setup folder,
// and a record file for the stand-in setup program. Everything is removed when the test ends.
class UpdateFixture : public ::testing::Test {
public:
    static constexpr const char* kServiceId = "vantrelupd";
    static constexpr const char* kAppDataSubPath = "vantrel-update-tests";

protected:
    void SetUp() override {
        CUtilityLib::SetAppDataSubPath(kAppDataSubPath);
        CServiceState::Reset();
        CServiceState::SetServiceID(kServiceId, "Vantrel");
        CServiceState::SetServiceFileAvailable(true);
        HostTools::RemoveTree(CSetupTarget::Folder());
        HostTools::RemoveTree(CUtilityLib::GetAppDataPath(true, true));
        DeleteFileA(m_standInRecord);
        SetLocalVersion("1.00");
    }

    void TearDown() override {
        HostTools::RemoveTree(CSetupTarget::Folder());
        HostTools::RemoveTree(CUtilityLib::GetAppDataPath(true, true));
        CServiceState::Reset();
        CUtilityLib::SetAppDataSubPath("");
        DeleteFileA(m_standInRecord);
    }

    // Version.cfg [Application] Version; null leaves the key out.
    void SetLocalVersion(const char* version) {
        std::string text = "[Application]\r\n";
        if (version)
            text += std::string("Version=") + version + "\r\n";
        text += "Minor=0\r\nLangID=kor\r\n";
        m_versionCfg.Write(text);
    }

    // The service file as the start-up download left it.
    void SetServiceFile(const std::string& text) {
        ASSERT_TRUE(FileProbe::WriteBytes(CServiceState::ServiceIniPath(), text));
    }

    // The file the maker's server publishes for this service id.
    static std::string ServedServiceFile() { return std::string("appservice/") + kServiceId + "/kor/service.ini.htm"; }

    static CString Config(const char* key) {
        char value[256] = "";
        GetPrivateProfileStringA("Update", key, "<none>", value, sizeof value, CServiceState::ConfigPath());
        return value;
    }
    static void SetConfig(const char* key, const char* value) {
        WritePrivateProfileStringA("Update", key, value, CServiceState::ConfigPath());
    }

    // Serves the stand-in setup program at site path "setup/<name>"; its address.
    static std::string ServeStandIn(const std::string& name) {
        CString built = ProgramFolder() + "\\setupstandin\\SetupStandin.exe";
        EXPECT_TRUE(MakerSite::Copy("setup/" + name, built)) << built;
        return MakerSite::BaseUrl() + "/setup/" + name;
    }

    // The stand-in's record ("" when it never started), waiting up to 20 s for it.
    std::string WaitForStandInRecord(DWORD patienceMs = 20000) const {
        for (DWORD waited = 0; waited < patienceMs && !FileProbe::Exists(m_standInRecord); waited += 100)
            Sleep(100);
        return FileProbe::Exists(m_standInRecord) ? FileProbe::ReadBytes(m_standInRecord) : std::string();
    }
    bool StandInStarted() const { return FileProbe::Exists(m_standInRecord); }

    static CString ProgramFolder() { return CServiceState::ProgramFolder(); }

    CString m_standInRecord = CString(getenv("TEMP") ? getenv("TEMP") : "C:\\") + "\\vantrel-setup-record.txt";
    ScopedEnvironment m_recordVariable{"VANTREL_SETUP_RECORD", m_standInRecord};

private:
    VersionCfgFile m_versionCfg;
};
