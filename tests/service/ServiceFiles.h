#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ServiceState.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

// Points the application-data folder (service.ini) into a temp folder for the life of the
// object, as the host's start-up sets it, and writes service.ini there.
class ServiceFiles {
public:
    ServiceFiles() {
        DWORD length = GetEnvironmentVariableA("USERPROFILE", m_savedProfile, MAX_PATH);
        m_hadProfile = length > 0 && length < MAX_PATH;
        SetEnvironmentVariableA("USERPROFILE", m_home.Path());
        CUtilityLib::SetAppDataSubPath("vantrel");
    }
    ~ServiceFiles() {
        CUtilityLib::SetAppDataSubPath("");
        SetEnvironmentVariableA("USERPROFILE", m_hadProfile ? m_savedProfile : nullptr);
    }
    ServiceFiles(const ServiceFiles&) = delete;
    ServiceFiles& operator=(const ServiceFiles&) = delete;

    // Fails the test when the path leaves the temp folder.
    void WriteServiceIni(const std::string& text) {
        const CString path = CServiceState::ServiceIniPath();
        const CString inside = m_home.Path() + "\\";
        ASSERT_EQ(0, path.Left(inside.GetLength()).CompareNoCase(inside)) << (const char*)path;
        std::ofstream(static_cast<const char*>(path), std::ios::binary) << text;
    }

private:
    TempFolder m_home;
    char m_savedProfile[MAX_PATH] = {0};
    bool m_hadProfile = false;
};

// Writes Version.cfg beside Selkor.dll and puts back what was there.
class VersionCfgFile {
public:
    explicit VersionCfgFile(const std::string& text) : m_path(CServiceState::VersionCfgPath()) {
        std::ifstream old(static_cast<const char*>(m_path), std::ios::binary);
        m_existed = old.good();
        if (m_existed)
            m_old.assign(std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>());
        old.close();
        std::ofstream(static_cast<const char*>(m_path), std::ios::binary) << text;
    }
    ~VersionCfgFile() {
        if (m_existed)
            std::ofstream(static_cast<const char*>(m_path), std::ios::binary) << m_old;
        else
            DeleteFileA(m_path);
    }
    VersionCfgFile(const VersionCfgFile&) = delete;
    VersionCfgFile& operator=(const VersionCfgFile&) = delete;

private:
    CString m_path;
    bool m_existed = false;
    std::string m_old;
};
