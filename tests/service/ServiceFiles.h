#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "FileProbe.h"
#include "ScopedEnvironment.h"
#include "ServiceState.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

// Points the application-data folder (Config.ini, service.ini) into a temp profile for the life
// of the object, as the host's start-up sets it: USERPROFILE redirected, sub-path "vantrel".
class ServiceFiles {
public:
    ServiceFiles() { CUtilityLib::SetAppDataSubPath("vantrel"); }
    ~ServiceFiles() { CUtilityLib::SetAppDataSubPath(""); }
    ServiceFiles(const ServiceFiles&) = delete;
    ServiceFiles& operator=(const ServiceFiles&) = delete;

    const CString& Home() const { return m_home.Path(); }

    // Fails the test when the path leaves the temp profile.
    void WriteServiceIni(const std::string& text) {
        const CString path = CServiceState::ServiceIniPath();
        const CString inside = m_home.Path() + "\\";
        ASSERT_EQ(0, path.Left(inside.GetLength()).CompareNoCase(inside)) << (const char*)path;
        CUtilityLib::CreateMultiFolder(path, 0);
        ASSERT_TRUE(FileProbe::WriteBytes(path, text));
    }

private:
    TempFolder m_home;
    ScopedEnvironment m_profile{"USERPROFILE", m_home.Path()};
};

// Version.cfg beside Selkor.dll, as the test writes it; what was there is put back afterwards.
class VersionCfgFile {
public:
    VersionCfgFile() : m_path(CServiceState::VersionCfgPath()), m_existed(FileProbe::Exists(m_path)) {
        if (m_existed)
            m_old = FileProbe::ReadBytes(m_path);
    }
    explicit VersionCfgFile(const std::string& text) : VersionCfgFile() { Write(text); }
    ~VersionCfgFile() {
        if (m_existed)
            FileProbe::WriteBytes(m_path, m_old);
        else
            DeleteFileA(m_path);
    }
    VersionCfgFile(const VersionCfgFile&) = delete;
    VersionCfgFile& operator=(const VersionCfgFile&) = delete;

    void Write(const std::string& text) { ASSERT_TRUE(FileProbe::WriteBytes(m_path, text)); }

private:
    CString m_path;
    bool m_existed;
    std::string m_old;
};
