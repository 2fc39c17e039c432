#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "HistoryCleaner.h"
#include "ProgramTraceProfile.h"
#include "RedirectedAppData.h"

namespace {

const char kHelperObjects[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
const char kExtensions[] = "Software\\Microsoft\\Internet Explorer\\Extensions\\";
const char kSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\";

// Add-ons listed under HKEY_LOCAL_MACHINE with their settings keys of the current user, all
// removed at the end; the user's choices go to a Config.ini of a temp folder.
class AddOnProfile {
public:
    void AddHelperObject(const char* id) { m_profile.MakeKey(HKEY_LOCAL_MACHINE, CString(kHelperObjects) + id); }
    void AddExtension(const char* id) { m_profile.MakeKey(HKEY_LOCAL_MACHINE, CString(kExtensions) + id); }
    void Enable(const char* id, const char* value = "1") {
        WritePrivateProfileStringA("EnableBHO", id, value, m_appData.ConfigIni());
    }
    void SetFlags(const char* id, DWORD flags) { SetValue(id, "Flags", REG_DWORD, &flags, sizeof(flags)); }
    void SetVersion(const char* id, const char* version, DWORD type = REG_SZ) {
        SetValue(id, "Version", type, version, lstrlenA(version) + 1);
    }
    // Keys the routine writes are removed with the profile.
    void MakeSettingsKey(const char* id) { m_profile.MakeKey(HKEY_CURRENT_USER, SettingsKey(id)); }

    static CString SettingsKey(const char* id) { return CString(kSettings) + id; }
    // "<flags>/<version>" with "-" for a missing value; a version of another type than
    // REG_SZ is marked with its type.
    static std::string Stored(const char* id) {
        DWORD type = 0;
        std::string flags = RegProbe::ReadBytes(HKEY_CURRENT_USER, SettingsKey(id), "Flags", &type);
        std::string text = flags == "<missing>" ? "-"
                           : type == REG_DWORD && flags.size() == 4
                               ? std::to_string(*reinterpret_cast<const DWORD*>(flags.data()))
                               : "?";
        std::string version = RegProbe::ReadBytes(HKEY_CURRENT_USER, SettingsKey(id), "Version", &type);
        text += "/";
        if (version == "<missing>")
            return text + "-";
        text += version.c_str();
        return type == REG_SZ ? text : text + " (type " + std::to_string(type) + ")";
    }

private:
    void SetValue(const char* id, const char* name, DWORD type, const void* data, DWORD size) {
        MakeSettingsKey(id);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey(id), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
            RegCloseKey(key);
        }
    }

    RedirectedAppData m_appData;
    ProgramTraceProfile m_profile;
};

const char kEnabled[] = "{7A1E0001-0000-4000-8000-000000000001}";
const char kNotListed[] = "{7A1E0002-0000-4000-8000-000000000002}";
const char kHelper[] = "{7A1E0003-0000-4000-8000-000000000003}";
const char kExtension[] = "{7A1E0004-0000-4000-8000-000000000004}";
const char kEnabledZero[] = "{7A1E0005-0000-4000-8000-000000000005}";
const char kOther[] = "{7A1E0006-0000-4000-8000-000000000006}";

}  // namespace

TEST(ApplyAddOnSettings, DisablesEveryListedAddOnTheUserDidNotEnable) {
    AddOnProfile addOns;
    addOns.AddHelperObject(kHelper);
    addOns.AddExtension(kExtension);
    addOns.AddHelperObject(kEnabledZero);
    addOns.Enable(kEnabledZero, "0");
    for (const char* id : {kHelper, kExtension, kEnabledZero, kNotListed})
        addOns.MakeSettingsKey(id);

    CHistoryCleaner engine;
    engine.ApplyAddOnSettings(1);
    EXPECT_EQ("1/*", AddOnProfile::Stored(kHelper));
    EXPECT_EQ("1/*", AddOnProfile::Stored(kExtension));
    EXPECT_EQ("1/*", AddOnProfile::Stored(kEnabledZero));
    EXPECT_EQ("-/-", AddOnProfile::Stored(kNotListed));
}

TEST(ApplyAddOnSettings, AllowsAnEnabledAddOnOnlyWithTheEnableFlag) {
    AddOnProfile addOns;
    addOns.AddHelperObject(kEnabled);
    addOns.Enable(kEnabled);
    addOns.SetFlags(kEnabled, 1);
    addOns.SetVersion(kEnabled, "*");

    CHistoryCleaner engine;
    engine.ApplyAddOnSettings(0);
    EXPECT_EQ("1/*", AddOnProfile::Stored(kEnabled));
    engine.ApplyAddOnSettings(1);
    EXPECT_EQ("0/*", AddOnProfile::Stored(kEnabled));
}

TEST(ApplyAddOnSettings, RewritesOnlyWhatIsNotDisabledAlready) {
    AddOnProfile addOns;
    const char* const ids[] = {kHelper, kExtension, kOther};
    for (const char* id : ids)
        addOns.AddHelperObject(id);
    addOns.SetFlags(kHelper, 1);
    addOns.SetVersion(kHelper, "*", REG_EXPAND_SZ);
    addOns.SetFlags(kExtension, 1);
    addOns.SetVersion(kExtension, "8.0", REG_EXPAND_SZ);
    addOns.SetFlags(kOther, 0);
    addOns.SetVersion(kOther, "*", REG_EXPAND_SZ);

    CHistoryCleaner engine;
    engine.ApplyAddOnSettings(1);
    EXPECT_EQ("1/* (type 2)", AddOnProfile::Stored(kHelper));
    EXPECT_EQ("1/*", AddOnProfile::Stored(kExtension));
    EXPECT_EQ("1/*", AddOnProfile::Stored(kOther));
}

TEST(ApplyAddOnSettings, AnAddOnListedUnderBothKeysEndsTheSameAsUnderOne) {
    AddOnProfile addOns;
    for (const char* id : {kHelper, kEnabled}) {
        addOns.AddHelperObject(id);
        addOns.AddExtension(id);
        addOns.MakeSettingsKey(id);
    }
    addOns.Enable(kEnabled);
    addOns.SetFlags(kEnabled, 1);

    CHistoryCleaner engine;
    engine.ApplyAddOnSettings(1);
    EXPECT_EQ("1/*", AddOnProfile::Stored(kHelper));
    EXPECT_EQ("0/-", AddOnProfile::Stored(kEnabled));
}
