#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <utility>
#include <vector>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "ImportPatch.h"
#include "ItemDispatch.h"
#include "RegBackupWriter.h"
#include "TestFixtures.h"
#include "WideRegTree.h"

namespace {

const char kMuiCacheKey[] = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kHelpKey[] = "SOFTWARE\\Microsoft\\Windows\\Help";
const char kHtmlHelpKey[] = "SOFTWARE\\Microsoft\\Windows\\Html Help";
const char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char kFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool KeyExists(HKEY root, const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool ValueExists(HKEY root, const char* key, const char* name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    bool found = RegQueryValueExA(handle, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return found;
}

// Entries a test puts into the real keys, removed again afterwards with every key it created.
class RegistrySeeds {
public:
    ~RegistrySeeds() {
        for (const auto& value : m_values)
            SHDeleteValueA(value.first, value.second.first, value.second.second);
        for (auto it = m_keys.rbegin(); it != m_keys.rend(); ++it)
            SHDeleteKeyA(it->first, it->second);
    }
    void Value(HKEY root, const char* key, const char* name, const char* text) {
        Key(root, key);
        HKEY handle = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &handle));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                                static_cast<DWORD>(strlen(text) + 1)));
        RegCloseKey(handle);
        m_values.push_back({root, {key, name}});
    }
    void Key(HKEY root, const char* key) {
        if (KeyExists(root, key))
            return;
        HKEY handle = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr));
        RegCloseKey(handle);
        m_keys.push_back({root, key});
    }

private:
    std::vector<std::pair<HKEY, std::pair<CString, CString>>> m_values;
    std::vector<std::pair<HKEY, CString>> m_keys;
};

// The backup file as UTF-16 text.
std::wstring BackupText(CRegBackupWriter& writer) {
    writer.Close();
    std::string bytes = FileProbe::ReadBytes(writer.FileName());
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::wstring();
    std::wstring text(bytes.size() / 2, L'\0');
    memcpy(&text[0], bytes.data(), bytes.size());
    return text;
}

class RegistryChecksFilesTest : public ::testing::Test {
protected:
    void SetUp() override { writer.SetFileName(folder / "backup.reg"); }

    bool Found(const char* category, const char* entry, const char* keyPath) const {
        CString finding = CString(category) + "\t" + entry + "\t" + keyPath;
        for (int i = 0; i < engine.Findings().GetSize(); ++i)
            if (engine.Findings()[i] == finding)
                return true;
        return false;
    }
    int FindingsMentioning(const char* text) const {
        int count = 0;
        for (int i = 0; i < engine.Findings().GetSize(); ++i)
            if (strstr(engine.Findings()[i], text))
                ++count;
        return count;
    }
    bool BackedUp(const char* text) { return BackupText(writer).find(WideRegTree::Widen(text)) != std::wstring::npos; }

    TempFolder folder;
    RegistrySeeds seeds;
    CRegBackupWriter writer;
    CHistoryCleaner engine;
};

// Sets the engine's stop event when the engine first tries to load a module by name.
class StopOnFirstLoad {
public:
    explicit StopOnFirstLoad(HANDLE stopEvent)
        : m_patch(GetModuleHandleA(nullptr), "kernel32.dll", "LoadLibraryExA", reinterpret_cast<void*>(&Load)) {
        s_stopEvent = stopEvent;
    }
    ~StopOnFirstLoad() { s_stopEvent = nullptr; }
    bool IsReady() const { return m_patch.IsActive(); }

private:
    static HMODULE WINAPI Load(LPCSTR, HANDLE, DWORD) {
        SetEvent(s_stopEvent);
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }

    static HANDLE s_stopEvent;
    ImportPatch m_patch;
};

HANDLE StopOnFirstLoad::s_stopEvent = nullptr;

class StopEvent {
public:
    StopEvent() : m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~StopEvent() { CloseHandle(m_event); }
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;
    HANDLE Get() const { return m_event; }

private:
    HANDLE m_event;
};

CString CurrentFolder() {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return CString(folder);
}

}  // namespace

TEST_F(RegistryChecksFilesTest, MuiCacheRemovesNamesOfMissingFilesOnly) {
    CString missing = folder / "gone.exe";
    CString present = folder.MakeFile("here.exe");
    seeds.Value(HKEY_CURRENT_USER, kMuiCacheKey, missing, "Gone");
    seeds.Value(HKEY_CURRENT_USER, kMuiCacheKey, present, "Here");
    seeds.Value(HKEY_CURRENT_USER, kMuiCacheKey, "@%SystemRoot%\\system32\\shell32.dll,-123", "Shell");
    seeds.Value(HKEY_CURRENT_USER, kMuiCacheKey, "LangId", "x");
    seeds.Value(HKEY_CURRENT_USER, kMuiCacheKey, "\\Vantrel\\no such file", "x");

    engine.RegistryCheckMUICache(writer);

    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kMuiCacheKey, missing));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kMuiCacheKey, present));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kMuiCacheKey, "@%SystemRoot%\\system32\\shell32.dll,-123"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kMuiCacheKey, "LangId"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kMuiCacheKey, "\\Vantrel\\no such file"));
    EXPECT_TRUE(Found("MUI 참조 정보", missing,
                      CString("HKCU\\Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache\\") + missing));
    EXPECT_EQ(1, FindingsMentioning(folder.Path()));
    EXPECT_TRUE(BackedUp("gone.exe\"=\"Gone\""));  // names are written with doubled backslashes
}

TEST_F(RegistryChecksFilesTest, WriterWithoutFileNameRemovesAndRecordsNothing) {
    CRegBackupWriter unnamed;
    CString missing = folder / "gone.exe";
    CString appKey = CString(kAppPathsKey) + "\\VantrelChk1Gone.exe";
    seeds.Value(HKEY_CURRENT_USER, kMuiCacheKey, missing, "Gone");
    seeds.Value(HKEY_LOCAL_MACHINE, appKey, "", missing);

    engine.RegistryCheckMUICache(unnamed);
    engine.RegistryCheckAppPaths(unnamed);

    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kMuiCacheKey, missing));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, appKey));
    EXPECT_EQ(0, engine.Findings().GetSize());
}

TEST_F(RegistryChecksFilesTest, AppPathsRemovesKeysOfMissingProgramsOnly) {
    CString missing = folder / "Tools\\gone.exe";
    CString present = folder.MakeFile("Tools\\here.exe");
    CString goneKey = CString(kAppPathsKey) + "\\VantrelChk1Gone.exe";
    CString hereKey = CString(kAppPathsKey) + "\\VantrelChk1Here.exe";
    CString noDefaultKey = CString(kAppPathsKey) + "\\VantrelChk1NoDefault.exe";
    seeds.Value(HKEY_LOCAL_MACHINE, goneKey, "", CString("\"") + missing + "\"");
    seeds.Value(HKEY_LOCAL_MACHINE, goneKey + "\\Sub", "Path", folder.Path());
    seeds.Value(HKEY_LOCAL_MACHINE, hereKey, "", CString("\"") + present + "\"");
    seeds.Value(HKEY_LOCAL_MACHINE, noDefaultKey, "Path", folder / "nowhere");

    engine.RegistryCheckAppPaths(writer);

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, goneKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, hereKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, noDefaultKey));
    EXPECT_TRUE(Found("프로그램 경로", missing,
                      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VantrelChk1Gone.exe"));
    EXPECT_EQ(1, FindingsMentioning("VantrelChk1"));
    std::wstring backup = BackupText(writer);
    EXPECT_NE(std::wstring::npos, backup.find(WideRegTree::Widen(goneKey + "\\Sub]")));
}

TEST_F(RegistryChecksFilesTest, DispatchRunsTheRegistryChecksWithTheWriter) {
    CString goneKey = CString(kAppPathsKey) + "\\VantrelChk1Dispatch.exe";
    seeds.Value(HKEY_LOCAL_MACHINE, goneKey, "", folder / "gone.exe");

    DispatchItem(28, engine, writer, nullptr);

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, goneKey));
    EXPECT_EQ(1, FindingsMentioning("VantrelChk1Dispatch.exe"));
}

TEST_F(RegistryChecksFilesTest, HelpCheckRemovesMissingHelpFilesInBothKeys) {
    folder.MakeFile("Help\\here.hlp");
    CString helpFolder = folder / "Help";
    seeds.Value(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelgone.hlp", helpFolder);
    seeds.Value(HKEY_LOCAL_MACHINE, kHelpKey, "here.hlp", CString("\"") + helpFolder + "\"");
    seeds.Value(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelempty.hlp", "");
    seeds.Value(HKEY_LOCAL_MACHINE, kHtmlHelpKey, "vantrelgone.chm", helpFolder + "\\");

    engine.RegistryCheckHelpFile(writer);

    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelgone.hlp"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kHelpKey, "here.hlp"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelempty.hlp"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kHtmlHelpKey, "vantrelgone.chm"));
    EXPECT_TRUE(Found("도움말 파일 참조", helpFolder + "\\vantrelgone.hlp",
                      "HKLM\\Software\\Microsoft\\Windows\\Help\\vantrelgone.hlp"));
    EXPECT_TRUE(Found("도움말 파일 참조", helpFolder + "\\vantrelgone.chm",
                      "HKLM\\Software\\Microsoft\\Windows\\Html Help\\vantrelgone.chm"));
    EXPECT_TRUE(BackedUp("vantrelgone.chm"));
}

TEST_F(RegistryChecksFilesTest, StopDuringHelpPassSkipsHtmlHelpAndDeletesNothingOfThePendingGroup) {
    // Relative, so that judging an entry asks the loader, which sets the stop.
    CString helpFolder = "VantrelGoneHelp";
    seeds.Value(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelgone1.hlp", helpFolder);
    seeds.Value(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelgone2.hlp", helpFolder);
    seeds.Value(HKEY_LOCAL_MACHINE, kHtmlHelpKey, "vantrelgone.chm", helpFolder);
    StopEvent stop;
    CHistoryCleaner stoppable(nullptr, stop.Get());
    StopOnFirstLoad stopper(stop.Get());
    ASSERT_TRUE(stopper.IsReady());

    stoppable.RegistryCheckHelpFile(writer);

    // The element being judged when the stop came is backed up, and waits in a group that the
    // stop leaves undeleted.
    EXPECT_EQ(0, stoppable.Findings().GetSize());
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kHtmlHelpKey, "vantrelgone.chm"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelgone1.hlp"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kHelpKey, "vantrelgone2.hlp"));
    EXPECT_TRUE(BackedUp("vantrelgone"));
}

TEST_F(RegistryChecksFilesTest, FontCheckResolvesBareNamesInTheFontsFolder) {
    char fonts[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, fonts, CSIDL_FONTS, FALSE));
    CString bareFont = CString(fonts) + "\\vantrelchk1.ttf";
    HANDLE file = CreateFileA(bareFont, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    seeds.Value(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Bare (TrueType)", "vantrelchk1.ttf");
    seeds.Value(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Gone (TrueType)", "vantrelgone.ttf");
    seeds.Value(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Full (TrueType)", folder.MakeFile("full.ttf"));
    SetCurrentDirectoryA(folder.Path());

    engine.RegistryCheckFontFile(writer);

    CString after = CurrentFolder();
    DeleteFileA(bareFont);
    EXPECT_STREQ(folder.Path(), after);
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Bare (TrueType)"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Full (TrueType)"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Gone (TrueType)"));
    EXPECT_TRUE(Found("폰트 정보", "vantrelgone.ttf",
                      "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\Vantrel Gone (TrueType)"));
}

TEST_F(RegistryChecksFilesTest, StopDuringFontCheckRestoresTheCurrentFolder) {
    seeds.Value(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Gone (TrueType)", "vantrelgone.ttf");
    StopEvent stop;
    SetEvent(stop.Get());
    CHistoryCleaner stoppable(nullptr, stop.Get());
    SetCurrentDirectoryA(folder.Path());

    stoppable.RegistryCheckFontFile(writer);

    EXPECT_STREQ(folder.Path(), CurrentFolder());
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kFontsKey, "Vantrel Gone (TrueType)"));
    EXPECT_EQ(0, stoppable.Findings().GetSize());
}

TEST_F(RegistryChecksFilesTest, SetupPathRemovesMissingInstallerFolders) {
    CString present = folder.MakeFolder("Installed") + "\\";
    CString missing = folder / "Removed\\";
    seeds.Value(HKEY_LOCAL_MACHINE, kFoldersKey, present, "");
    seeds.Value(HKEY_LOCAL_MACHINE, kFoldersKey, missing, "");

    engine.RegistryCheckSetupPath(writer);

    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kFoldersKey, present));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kFoldersKey, missing));
    EXPECT_TRUE(Found("설치 프로그램 정보", missing,
                      CString("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders\\") + missing));
}

TEST_F(RegistryChecksFilesTest, SetupPathRemovesUninstallEntriesWithMissingPrograms) {
    CString tool = folder.MakeFile("Program Files\\Tool\\tool.exe");
    CString gone = folder / "Program Files\\Gone\\unins.exe";
    CString base = CString(kUninstallKey) + "\\";
    seeds.Value(HKEY_LOCAL_MACHINE, base + "VantrelChk1Gone", "UninstallString", CString("\"") + gone + "\" /S");
    seeds.Value(HKEY_LOCAL_MACHINE, base + "VantrelChk1Tool", "UninstallString", tool + " /S");
    seeds.Value(HKEY_LOCAL_MACHINE, base + "VantrelChk1Rundll", "UninstallString",
                "rundll32.exe shell32.dll,Control_RunDLL");
    seeds.Value(HKEY_LOCAL_MACHINE, base + "VantrelChk1NoCommand", "DisplayName", "Vantrel");

    engine.RegistryCheckSetupPath(writer);

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, base + "VantrelChk1Gone"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, base + "VantrelChk1Tool"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, base + "VantrelChk1Rundll"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, base + "VantrelChk1NoCommand"));
    EXPECT_TRUE(Found("설치 프로그램 정보", gone,
                      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VantrelChk1Gone"));
    EXPECT_EQ(1, FindingsMentioning("VantrelChk1"));
    EXPECT_TRUE(BackedUp("VantrelChk1Gone]"));
}
