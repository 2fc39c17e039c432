#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <utility>
#include <vector>

#include "CleaningRun.h"
#include "Handle.h"
#include "ProgressRecorder.h"
#include "TestFixtures.h"
#include "UtilityLib.h"
#include "WideRegTree.h"
#include "BackupFileProbe.h"

using namespace WideRegTree;

using namespace BackupFileProbe;

namespace {

const wchar_t kGone[] = L"C:\\VantrelGone";

// Every subtree the ten checks read or delete in, named by root and path.
struct Subtree {
    HKEY root;
    const wchar_t* rootName;
    const wchar_t* path;
};
const Subtree kSubtrees[] = {
    {HKEY_CURRENT_USER, L"HKCU", L"Software"},
    {HKEY_LOCAL_MACHINE, L"HKLM", L"Software"},  // Classes included: HKCR\Applications lives there
    {HKEY_USERS, L"HKU", L".DEFAULT\\AppEvents"},
};

// Every key and value of the subtrees, keyed by "ROOT\path".
Tree Snapshot() {
    Tree all;
    for (const Subtree& subtree : kSubtrees) {
        Tree part;
        Read(subtree.root, subtree.path, part);
        for (auto& key : part)
            all[std::wstring(subtree.rootName) + L"\\" + key.first] = std::move(key.second);
    }
    return all;
}

std::vector<std::string> Differences(const Tree& before, const Tree& after) {
    std::vector<std::string> found;
    for (const auto& key : before) {
        auto other = after.find(key.first);
        if (other == after.end()) {
            found.push_back("key missing: " + Printable(key.first));
            continue;
        }
        for (const auto& value : key.second) {
            auto restored = other->second.find(value.first);
            if (restored == other->second.end())
                found.push_back("value missing: " + Printable(key.first) + " : " + Printable(value.first));
            else if (restored->second != value.second)
                found.push_back("value changed: " + Printable(key.first) + " : " + Printable(value.first));
        }
        for (const auto& value : other->second) {
            if (!key.second.count(value.first))
                found.push_back("value added: " + Printable(key.first) + " : " + Printable(value.first));
        }
    }
    for (const auto& key : after) {
        if (!before.count(key.first))
            found.push_back("key added: " + Printable(key.first));
    }
    return found;
}

bool HasKey(const Tree& tree, const std::wstring& key) { return tree.count(key) != 0; }

bool HasValue(const Tree& tree, const std::wstring& key, const std::wstring& name) {
    auto found = tree.find(key);
    return found != tree.end() && found->second.count(name) != 0;
}

// Keys and values put into the real registry, removed again at the end; a key is remembered by
// its topmost ancestor that did not exist before, so no parent made for it stays behind.
class Seeds {
public:
    ~Seeds() {
        for (const auto& value : m_values) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(value.root, value.key.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueW(key, value.name.c_str());
                RegCloseKey(key);
            }
        }
        for (auto it = m_keys.rbegin(); it != m_keys.rend(); ++it)
            SHDeleteKeyW(it->first, it->second.c_str());
    }

    void Key(HKEY root, const std::wstring& path) {
        RememberNewKey(root, path);
        ASSERT_TRUE(MakeKey(root, path)) << Printable(path);
    }
    void Value(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type, const Bytes& data) {
        bool keyIsNew = RememberNewKey(root, key);
        ASSERT_TRUE(Set(root, key, name, type, data)) << Printable(key) << " : " << Printable(name);
        if (!keyIsNew)
            m_values.push_back({root, key, name});
    }
    void Text(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text) {
        Value(root, key, name, REG_SZ, WideRegTree::Text(text));
    }

private:
    struct SeededValue {
        HKEY root;
        std::wstring key;
        std::wstring name;
    };

    bool RememberNewKey(HKEY root, const std::wstring& path) {
        for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
            std::wstring ancestor = path.substr(0, end);
            if (!Exists(root, ancestor)) {
                m_keys.emplace_back(root, ancestor);
                return true;
            }
            if (end == std::wstring::npos)
                return false;
        }
    }

    std::vector<std::pair<HKEY, std::wstring>> m_keys;
    std::vector<SeededValue> m_values;
};

Bytes Dword(DWORD value) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
    return Bytes(bytes, bytes + sizeof value);
}

// A folder of the user's program menu, made for the test and removed afterwards.
class ProgramMenuFolder {
public:
    explicit ProgramMenuFolder(const char* name) {
        char programs[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS | CSIDL_FLAG_CREATE, nullptr, 0, programs)) &&
            CreateDirectoryA(CString(programs) + "\\" + name, nullptr))
            m_path = CString(programs) + "\\" + name;
    }
    ~ProgramMenuFolder() {
        if (!m_path.IsEmpty())
            RemoveDirectoryA(m_path);
    }
    ProgramMenuFolder(const ProgramMenuFolder&) = delete;
    ProgramMenuFolder& operator=(const ProgramMenuFolder&) = delete;
    bool IsMade() const { return !m_path.IsEmpty(); }

private:
    CString m_path;
};

const wchar_t kMuiCache[] = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const wchar_t kAppPaths[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const wchar_t kHelp[] = L"Software\\Microsoft\\Windows\\Help";
const wchar_t kHtmlHelp[] = L"Software\\Microsoft\\Windows\\Html Help";
const wchar_t kFonts[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const wchar_t kFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kMenuOrder[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs";
const wchar_t kSoundApp[] = L".DEFAULT\\AppEvents\\Schemes\\Apps\\VantrelRestApp";

// Where the snapshot lists a seeded entry (HKCR\Applications is HKLM\Software\Classes\Applications).
std::wstring Hkcu(const std::wstring& path) { return L"HKCU\\" + path; }
std::wstring Hklm(const std::wstring& path) { return L"HKLM\\" + path; }
std::wstring Hku(const std::wstring& path) { return L"HKU\\" + path; }
std::wstring Hkcr(const std::wstring& path) { return L"HKLM\\Software\\Classes\\" + path; }

class RegistryChecksRestoreTest : public ::testing::Test {
protected:
    RegistryChecksRestoreTest() : m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

    void SeedEveryCheck() {
        const std::wstring folder = Widen(m_folder.Path());
        const std::wstring tool = Widen(m_folder.MakeFile("tool dir\\tool.exe"));
        const std::wstring font = Widen(m_folder.MakeFile("vantrelrest.ttf"));
        const std::wstring sound = Widen(m_folder.MakeFile("vantrelrest.wav"));
        m_folder.MakeFile("vantrelrest.hlp");
        m_folder.MakeFile("vantrelrest.chm");
        const std::wstring gone = kGone;

        m_seeds.Text(HKEY_CURRENT_USER, kMuiCache, L"@%SystemRoot%\\system32\\shell32.dll,-123", L"Shell");
        m_seeds.Text(HKEY_CURRENT_USER, kMuiCache, gone + L"\\mui.exe", L"Gone");
        m_seeds.Text(HKEY_CURRENT_USER, kMuiCache, L"@\"" + gone + L"\\res.dll\",-5", L"Gone resource");
        m_seeds.Text(HKEY_CURRENT_USER, kMuiCache, tool, L"Tool");

        const std::wstring appGone = std::wstring(kAppPaths) + L"\\vantrelrest-gone.exe";
        m_seeds.Text(HKEY_LOCAL_MACHINE, appGone, L"", L"\"" + gone + L"\\app.exe\"");
        m_seeds.Value(HKEY_LOCAL_MACHINE, appGone, L"Path", REG_EXPAND_SZ, Text(L"%ProgramFiles%\\VantrelGone"));
        m_seeds.Value(HKEY_LOCAL_MACHINE, appGone, L"UseUrl", REG_DWORD, Dword(1));
        m_seeds.Text(HKEY_LOCAL_MACHINE, appGone + L"\\SupportedProtocols", L"http", L"");
        m_seeds.Text(HKEY_LOCAL_MACHINE, std::wstring(kAppPaths) + L"\\vantrelrest-nodefault.exe", L"Path", gone);
        m_seeds.Text(HKEY_LOCAL_MACHINE, std::wstring(kAppPaths) + L"\\vantrelrest-tool.exe", L"", tool);

        m_seeds.Text(HKEY_LOCAL_MACHINE, kHelp, L"vantrelrest.hlp", folder);
        m_seeds.Text(HKEY_LOCAL_MACHINE, kHelp, L"vantrelrest-gone.hlp", gone);
        m_seeds.Text(HKEY_LOCAL_MACHINE, kHtmlHelp, L"vantrelrest.chm", L"\"" + folder + L"\"");
        m_seeds.Text(HKEY_LOCAL_MACHINE, kHtmlHelp, L"vantrelrest-gone.chm", gone + L"\\");

        m_seeds.Text(HKEY_LOCAL_MACHINE, kFonts, L"Vantrel Rest (TrueType)", font);
        m_seeds.Text(HKEY_LOCAL_MACHINE, kFonts, L"Vantrel Rest Gone (TrueType)", L"vantrelrest-gone.ttf");

        m_seeds.Text(HKEY_LOCAL_MACHINE, kFolders, folder + L"\\", L"");
        m_seeds.Text(HKEY_LOCAL_MACHINE, kFolders, gone + L"\\Folder\\", L"");
        m_seeds.Text(HKEY_LOCAL_MACHINE, kFolders, L"\"" + gone + L"\\Quoted\\\"", L"");

        const std::wstring uninstallGone = std::wstring(kUninstall) + L"\\VantrelRestGoneQuoted";
        m_seeds.Text(HKEY_LOCAL_MACHINE, uninstallGone, L"UninstallString", L"\"" + gone + L"\\unins000.exe\" /x");
        m_seeds.Text(HKEY_LOCAL_MACHINE, uninstallGone, L"DisplayName", L"반트렐 제거 \"테스트\"");
        m_seeds.Value(HKEY_LOCAL_MACHINE, uninstallGone, L"EstimatedSize", REG_DWORD, Dword(4096));
        m_seeds.Value(HKEY_LOCAL_MACHINE, uninstallGone, L"Blob", REG_BINARY, Bytes{0, 1, 2, 0xfe, 0xff});
        m_seeds.Text(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\VantrelRestGoneBare", L"UninstallString",
                     gone + L"\\unins.exe");
        m_seeds.Text(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\VantrelRestToolQuoted", L"UninstallString",
                     L"\"" + tool + L"\" /uninstall");
        m_seeds.Text(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\VantrelRestToolBare", L"UninstallString",
                     tool + L" /uninstall");
        m_seeds.Text(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\VantrelRestNoCommand", L"DisplayName",
                     L"No command");

        m_seeds.Key(HKEY_CURRENT_USER, L"Software\\VantrelRestEmpty");
        m_seeds.Key(HKEY_LOCAL_MACHINE, L"Software\\VantrelRestEmpty");
        m_seeds.Text(HKEY_CURRENT_USER, L"Software\\VantrelRestEmptyDefault", L"", L"");

        m_seeds.Text(HKEY_CURRENT_USER, kRun, L"VantrelRestRunDll", L"rundll32.exe shell32.dll,Control_RunDLL");
        m_seeds.Text(HKEY_CURRENT_USER, kRun, L"VantrelRestRunGone", L"\"" + gone + L"\\run.exe\" -s");
        m_seeds.Text(HKEY_LOCAL_MACHINE, kRun, L"VantrelRestRunTool", tool + L" /tray");
        m_seeds.Value(HKEY_LOCAL_MACHINE, kRun, L"VantrelRestRunGoneMachine", REG_EXPAND_SZ,
                      Text(gone + L"\\machine.exe"));

        const std::wstring menuGone = std::wstring(kMenuOrder) + L"\\VantrelRestMenuGone";
        m_seeds.Value(HKEY_CURRENT_USER, menuGone, L"Order", REG_BINARY, Bytes{8, 0, 0, 0, 2, 0, 0, 0});
        m_seeds.Value(HKEY_CURRENT_USER, menuGone + L"\\Sub", L"Order", REG_BINARY, Bytes{1, 2, 3});
        m_seeds.Key(HKEY_CURRENT_USER, std::wstring(kMenuOrder) + L"\\VantrelRestMenuKept");

        const std::wstring shell = L"Applications\\vantrelrest.exe\\shell";
        m_seeds.Text(HKEY_CLASSES_ROOT, shell + L"\\open\\command", L"", L"\"" + gone + L"\\app.exe\" \"%1\"");
        m_seeds.Text(HKEY_CLASSES_ROOT, shell + L"\\open", L"", L"열기");
        m_seeds.Text(HKEY_CLASSES_ROOT, shell + L"\\edit\\command", L"", L"\"" + tool + L"\" \"%1\"");

        const std::wstring event = std::wstring(kSoundApp) + L"\\VantrelRestEvent";
        m_seeds.Text(HKEY_USERS, event + L"\\.Default", L"", gone + L"\\ding.wav");
        m_seeds.Text(HKEY_USERS, event + L"\\.Default", L"Note", L"stays");
        m_seeds.Text(HKEY_USERS, event + L"\\.Current", L"", sound);
    }

    // Runs the ten checks as a cleaning run does and returns the run's backup file.
    CString RunTheTenChecks() {
        CleaningRunRequest request;
        request.notifyWindow = m_recorder.Window();
        request.stopEvent = m_stop;
        for (DWORD id = 27; id <= 36; ++id)
            request.checkedIds.Add(id);
        request.configIni = m_folder / "Config.ini";
        request.backupFolder = m_folder.MakeFolder("Local\\vantrel");
        RunCleaning(request);
        EXPECT_TRUE(m_recorder.PumpUntilEnded());
        CString runs = request.backupFolder + "\\RegHistory";
        std::vector<CString> files = FilesIn(runs);
        return files.size() == 1 ? runs + "\\" + files[0] : CString();
    }

    // Whether a finding's key path (its last field) holds the given text.
    bool HasFindingAt(const std::wstring& keyPathPart) const {
        CString part = WideRegistryText(keyPathPart);
        for (const CString& finding : m_recorder.FindingTexts()) {
            const char* keyPath = strrchr(finding, '\t');
            if (keyPath && strstr(keyPath, part))
                return true;
        }
        return false;
    }

    static CString WideRegistryText(const std::wstring& text) {
        int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string ansi(bytes > 0 ? bytes : 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &ansi[0], bytes, nullptr, nullptr);
        return ansi.c_str();
    }

    TempFolder m_folder;
    Seeds m_seeds;
    CHandle m_stop;
    ProgressRecorder m_recorder;
};

TEST_F(RegistryChecksRestoreTest, ImportingTheRunsBackupBringsBackEverythingTheTenChecksRemoved) {
    ProgramMenuFolder keptMenu("VantrelRestMenuKept");
    ASSERT_TRUE(keptMenu.IsMade());
    SeedEveryCheck();
    if (HasFatalFailure())
        return;
    const Tree before = Snapshot();
    const std::wstring gone = kGone;

    CString backupFile = RunTheTenChecks();
    ASSERT_FALSE(backupFile.IsEmpty()) << "the run wrote one backup file";
    const Tree cleaned = Snapshot();

    struct Removed {
        std::wstring key;
        const wchar_t* value;  // null: the key itself
        std::wstring findingPart;
    };
    const std::wstring event = std::wstring(kSoundApp) + L"\\VantrelRestEvent";
    const Removed removed[] = {
        {Hkcu(kMuiCache), L"C:\\VantrelGone\\mui.exe", L"MUICache\\C:\\VantrelGone\\mui.exe"},
        {Hkcu(kMuiCache), L"@\"C:\\VantrelGone\\res.dll\",-5", L"MUICache\\@\"C:\\VantrelGone\\res.dll\",-5"},
        {Hklm(kAppPaths) + L"\\vantrelrest-gone.exe", nullptr, L"App Paths\\vantrelrest-gone.exe"},
        {Hklm(kAppPaths) + L"\\vantrelrest-gone.exe\\SupportedProtocols", nullptr, L"App Paths\\vantrelrest-gone.exe"},
        {Hklm(kHelp), L"vantrelrest-gone.hlp", L"Windows\\Help\\vantrelrest-gone.hlp"},
        {Hklm(kHtmlHelp), L"vantrelrest-gone.chm", L"Html Help\\vantrelrest-gone.chm"},
        {Hklm(kFonts), L"Vantrel Rest Gone (TrueType)", L"Fonts\\Vantrel Rest Gone (TrueType)"},
        {Hklm(kFolders), L"C:\\VantrelGone\\Folder\\", L"Folders\\C:\\VantrelGone\\Folder"},
        {Hklm(kFolders), L"\"C:\\VantrelGone\\Quoted\\\"", L"Folders\\\"C:\\VantrelGone\\Quoted\\\""},
        {Hklm(kUninstall) + L"\\VantrelRestGoneQuoted", nullptr, L"Uninstall\\VantrelRestGoneQuoted"},
        {Hklm(kUninstall) + L"\\VantrelRestGoneBare", nullptr, L"Uninstall\\VantrelRestGoneBare"},
        {Hkcu(L"Software\\VantrelRestEmpty"), nullptr, L"HKCU\\Software\\VantrelRestEmpty"},
        {Hklm(L"Software\\VantrelRestEmpty"), nullptr, L"HKLM\\Software\\VantrelRestEmpty"},
        {Hkcu(kRun), L"VantrelRestRunGone", L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\VantrelRestRunGone"},
        {Hklm(kRun), L"VantrelRestRunGoneMachine", L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\VantrelRestRunGoneMachine"},
        {Hkcu(kMenuOrder) + L"\\VantrelRestMenuGone", nullptr, L"Programs\\VantrelRestMenuGone"},
        {Hkcu(kMenuOrder) + L"\\VantrelRestMenuGone\\Sub", nullptr, L"Programs\\VantrelRestMenuGone"},
        {Hkcr(L"Applications\\vantrelrest.exe\\shell\\open\\command"), nullptr,
         L"HKCR\\Applications\\vantrelrest.exe\\shell\\open\\Command"},
        {Hku(event + L"\\.Default"), L"", L"HKU\\" + event + L"\\.Default"},
    };
    for (const Removed& entry : removed) {
        SCOPED_TRACE(Printable(entry.key) + " : " + (entry.value ? Printable(entry.value) : std::string("(key)")));
        if (entry.value) {
            ASSERT_TRUE(HasValue(before, entry.key, entry.value)) << "seeded";
            EXPECT_FALSE(HasValue(cleaned, entry.key, entry.value)) << "removed by the run";
        } else {
            ASSERT_TRUE(HasKey(before, entry.key)) << "seeded";
            EXPECT_FALSE(HasKey(cleaned, entry.key)) << "removed by the run";
        }
        EXPECT_TRUE(HasFindingAt(entry.findingPart)) << "recorded";
    }
    const std::pair<std::wstring, const wchar_t*> kept[] = {
        {Hkcu(kMuiCache), L"@%SystemRoot%\\system32\\shell32.dll,-123"},
        {Hklm(kAppPaths) + L"\\vantrelrest-nodefault.exe", L"Path"},
        {Hklm(kAppPaths) + L"\\vantrelrest-tool.exe", L""},
        {Hklm(kHelp), L"vantrelrest.hlp"},
        {Hklm(kHtmlHelp), L"vantrelrest.chm"},
        {Hklm(kFonts), L"Vantrel Rest (TrueType)"},
        {Hklm(kUninstall) + L"\\VantrelRestToolQuoted", L"UninstallString"},
        {Hklm(kUninstall) + L"\\VantrelRestToolBare", L"UninstallString"},
        {Hklm(kUninstall) + L"\\VantrelRestNoCommand", L"DisplayName"},
        {Hkcu(L"Software\\VantrelRestEmptyDefault"), L""},
        {Hkcu(kRun), L"VantrelRestRunDll"},
        {Hklm(kRun), L"VantrelRestRunTool"},
        {Hkcr(L"Applications\\vantrelrest.exe\\shell\\open"), L""},
        {Hkcr(L"Applications\\vantrelrest.exe\\shell\\edit\\command"), L""},
        {Hku(event + L"\\.Default"), L"Note"},
        {Hku(event + L"\\.Current"), L""},
    };
    for (const auto& entry : kept)
        EXPECT_TRUE(HasValue(cleaned, entry.first, entry.second))
            << "kept: " << Printable(entry.first) << " : " << Printable(entry.second);
    EXPECT_TRUE(HasKey(cleaned, Hkcu(kMenuOrder) + L"\\VantrelRestMenuKept"));

    const std::vector<CString> findings = m_recorder.FindingTexts();
    for (size_t k = 0; k < findings.size(); ++k)
        EXPECT_STREQ(findings[k], ListEntry(backupFile, static_cast<int>(k))) << "[List] line " << k;
    EXPECT_STREQ("<missing>", ListEntry(backupFile, static_cast<int>(findings.size())));

    ASSERT_TRUE(ImportWithRegistryEditor(backupFile));

    std::vector<std::string> changes = Differences(before, Snapshot());
    std::string shown;
    for (size_t i = 0; i < changes.size() && i < 40; ++i)
        shown += changes[i] + "\n";
    EXPECT_TRUE(changes.empty()) << changes.size() << " differences after the import:\n" << shown;
}

}  // namespace
