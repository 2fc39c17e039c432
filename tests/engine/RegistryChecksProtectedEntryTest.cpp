#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <initializer_list>
#include <vector>

#include "BackupFileProbe.h"
#include "CleaningRun.h"
#include "Handle.h"
#include "ImportPatch.h"
#include "ProgressRecorder.h"
#include "TestFixtures.h"
#include "TraceFixtures.h"

using namespace TraceFixtures;

namespace {

const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kGoneFolder[] = "C:\\VantrelGone";

// An access list on the key that denies everyone setting or deleting its values; reading stays
// allowed, so a backup of them can be written. The key's own list comes back at the end, through
// the handle opened before the denial. (Wine holds to this part of a list; a denied DELETE on a
// key it ignores.)
class LockedValues {
public:
    LockedValues(HKEY root, const char* path) : m_root(root), m_path(path) {
        if (RegOpenKeyExA(root, path, 0, READ_CONTROL | WRITE_DAC, &m_key) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        DWORD size = 0;
        RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, nullptr, &size);
        m_saved.resize(size);
        if (size == 0 || RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_saved.data(), &size) != ERROR_SUCCESS)
            return;
        PSECURITY_DESCRIPTOR denying = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                  &denying, nullptr))
            return;
        m_denied = RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, denying) == ERROR_SUCCESS;
        LocalFree(denying);
    }
    ~LockedValues() {
        if (!m_key)
            return;
        if (m_denied)
            RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_saved.data());
        RegCloseKey(m_key);
    }
    LockedValues(const LockedValues&) = delete;
    LockedValues& operator=(const LockedValues&) = delete;

    // The list is set and the registry holds to it: the key cannot be opened to change values.
    bool IsInForce() const {
        HKEY key = nullptr;
        LONG opened = RegOpenKeyExA(m_root, m_path, 0, KEY_SET_VALUE, &key);
        if (opened == ERROR_SUCCESS)
            RegCloseKey(key);
        return m_denied && opened == ERROR_ACCESS_DENIED;
    }

private:
    HKEY m_root;
    CString m_path;
    HKEY m_key = nullptr;
    std::vector<BYTE> m_saved;
    bool m_denied = false;
};

// Wine deletes a key whatever its access list says, and whatever blocks a subkey's deletion also
// blocks its backup; a SHDeleteKeyA that refuses one key stands in for the list Windows holds to.
class RefusedKeyDeletion {
public:
    explicit RefusedKeyDeletion(const char* path)
        : m_patch(GetModuleHandleA(nullptr), "shlwapi.dll", "SHDeleteKeyA", reinterpret_cast<void*>(&Delete)) {
        s_refused = path;
    }
    ~RefusedKeyDeletion() { s_refused = CString(); }
    RefusedKeyDeletion(const RefusedKeyDeletion&) = delete;
    RefusedKeyDeletion& operator=(const RefusedKeyDeletion&) = delete;

    bool IsActive() const { return m_patch.IsActive(); }

private:
    static LSTATUS WINAPI Delete(HKEY root, LPCSTR subkey) {
        if (s_refused.CompareNoCase(subkey) == 0)
            return ERROR_ACCESS_DENIED;
        using DeleteKey = LSTATUS(WINAPI*)(HKEY, LPCSTR);
        return reinterpret_cast<DeleteKey>(GetProcAddress(GetModuleHandleA("shlwapi.dll"), "SHDeleteKeyA"))(root,
                                                                                                          subkey);
    }

    static inline CString s_refused;
    ImportPatch m_patch;
};

using Findings = std::vector<CString>;

// The run's findings about the test's own entries (the sandbox may hold others).
Findings OwnFindings(const std::vector<CString>& all) {
    Findings own;
    for (const CString& finding : all) {
        if (finding.Find(kGoneFolder) >= 0)
            own.push_back(finding);
    }
    return own;
}

class RegistryChecksProtectedEntryTest : public ::testing::Test {
protected:
    RegistryChecksProtectedEntryTest() : m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

    // Runs the checks as a cleaning run does; the posted findings and the [List] lines of its
    // backup file are kept.
    void RunChecks(std::initializer_list<DWORD> ids) {
        CleaningRunRequest request;
        request.notifyWindow = m_recorder.Window();
        request.stopEvent = m_stop;
        for (DWORD id : ids)
            request.checkedIds.Add(id);
        request.configIni = m_folder / "Config.ini";
        request.backupFolder = m_folder.MakeFolder("Local\\vantrel");
        RunCleaning(request);
        ASSERT_TRUE(m_recorder.PumpUntilEnded());
        posted = OwnFindings(m_recorder.FindingTexts());
        CString runs = request.backupFolder + "\\RegHistory";
        std::vector<CString> files = BackupFileProbe::FilesIn(runs);
        ASSERT_EQ(1u, files.size());
        std::vector<CString> lines;
        for (int i = 0; BackupFileProbe::ListEntry(runs + "\\" + files[0], i) != "<missing>"; ++i)
            lines.push_back(BackupFileProbe::ListEntry(runs + "\\" + files[0], i));
        listed = OwnFindings(lines);
    }

    Findings posted;
    Findings listed;

private:
    TempFolder m_folder;
    CHandle m_stop;
    ProgressRecorder m_recorder;
};

}  // namespace

TEST_F(RegistryChecksProtectedEntryTest, AppPathsKeyThatCannotBeDeletedIsNoFinding) {
    SeededKey locked(HKEY_LOCAL_MACHINE, CString(kAppPathsKey) + "\\VantrelLocked.exe");
    SeededKey plain(HKEY_LOCAL_MACHINE, CString(kAppPathsKey) + "\\VantrelPlain.exe");
    SetText(HKEY_LOCAL_MACHINE, locked, "", "C:\\VantrelGone\\locked.exe");
    SetText(HKEY_LOCAL_MACHINE, plain, "", "C:\\VantrelGone\\plain.exe");
    RefusedKeyDeletion refusal(locked);
    ASSERT_TRUE(refusal.IsActive());

    RunChecks({28});

    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, locked));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, plain));
    const Findings expected = {
        "프로그램 경로\tC:\\VantrelGone\\plain.exe\tHKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
        "Paths\\VantrelPlain.exe"};
    EXPECT_EQ(expected, posted);
    EXPECT_EQ(expected, listed);
}

TEST_F(RegistryChecksProtectedEntryTest, RunValueThatCannotBeDeletedIsNoFinding) {
    EnsuredKey userRun(HKEY_CURRENT_USER, kRunKey);
    EnsuredKey machineRun(HKEY_LOCAL_MACHINE, kRunKey);
    SeededValue locked(HKEY_CURRENT_USER, kRunKey, "VantrelLocked", "C:\\VantrelGone\\locked.exe /tray");
    SeededValue plain(HKEY_LOCAL_MACHINE, kRunKey, "VantrelPlain", "C:\\VantrelGone\\plain.exe /tray");
    LockedValues lock(HKEY_CURRENT_USER, kRunKey);
    ASSERT_TRUE(lock.IsInForce());

    RunChecks({33});

    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelLocked"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kRunKey, "VantrelPlain"));
    const Findings expected = {
        "시작 프로그램\tC:\\VantrelGone\\plain.exe /tray\tHKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\"
        "VantrelPlain"};
    EXPECT_EQ(expected, posted);
    EXPECT_EQ(expected, listed);
}
