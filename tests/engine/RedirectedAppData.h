#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "Settings.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

// Points the program's application-data folder into a temp folder: USERPROFILE (from which
// the LocalLow folder is expanded) is redirected and the sub-path set as start-up sets it.
// Both are put back afterwards, so no test touches the sandbox's real Config.ini.
class RedirectedAppData {
public:
    RedirectedAppData() {
        DWORD length = GetEnvironmentVariableA("USERPROFILE", m_savedProfile, MAX_PATH);
        m_hadProfile = length > 0 && length < MAX_PATH;
        SetEnvironmentVariableA("USERPROFILE", m_home.Path());
        CUtilityLib::SetAppDataSubPath("vantrel");
    }
    ~RedirectedAppData() {
        CUtilityLib::SetAppDataSubPath("");
        SetEnvironmentVariableA("USERPROFILE", m_hadProfile ? m_savedProfile : nullptr);
    }
    RedirectedAppData(const RedirectedAppData&) = delete;
    RedirectedAppData& operator=(const RedirectedAppData&) = delete;

    const CString& Home() const { return m_home.Path(); }

    // The settings path, or "" (with a failure) when it does not lie inside the temp folder.
    CString ConfigIni() const {
        CString path = Settings::ConfigPath();
        CString prefix = m_home.Path() + "\\";
        if (path.Left(prefix.GetLength()).CompareNoCase(prefix) != 0) {
            ADD_FAILURE() << "settings path outside the test folder: " << (const char*)path;
            return CString();
        }
        return path;
    }

private:
    TempFolder m_home;
    char m_savedProfile[MAX_PATH] = {0};
    bool m_hadProfile = false;
};
