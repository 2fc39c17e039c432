#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "FileProbe.h"
#include "Handle.h"
#include "RegBackupWriter.h"
#include "TraceFixtures.h"
#include "TraceFolders.h"

using namespace TraceFixtures;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kMenuOrderKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Exp"
    "lorer\\MenuOrder\\Start Menu2\\Programs";
const char kSchemeAppsKey[] = ".DEFAULT\\AppEvents\\Schemes\\Apps";
const char kMissingProgram[] = "C:\\vantrel-missing\\nothing.exe";

std::wstring Wide(const char* text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1)
        MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    return wide;
}

CString Finding(const char* category, const char* entry, const char* path) {
    return CString(category) + "\t" + entry + "\t" + path;
}

class RegistryChecksProgramsTest : public ::testing::Test {
protected:
    void SetUp() override { writer.SetFileName(folder / "backup.reg"); }

    bool HasFinding(const CString& text) const {
        for (int i = 0; i < engine.Findings().GetSize(); ++i) {
            if (engine.Findings()[i] == text)
                return true;
        }
        return false;
    }
    // The backup file as text; empty when it is missing or not UTF-16LE with its mark.
    std::wstring BackupText() {
        writer.Close();
        std::string bytes = FileProbe::ReadBytes(folder / "backup.reg");
        if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0)
            return std::wstring();
        std::wstring text(bytes.size() / 2, L'\0');
        memcpy(&text[0], bytes.data(), text.size() * 2);
        return text;
    }
    bool BackupHolds(const char* text) { return BackupText().find(Wide(text)) != std::wstring::npos; }

    TempFolder folder;
    CRegBackupWriter writer;
    CHistoryCleaner engine;
};

// One invalid entry for each of the five checks, removed at the end whatever the checks did.
struct InvalidEntryOfEachCheck {
    InvalidEntryOfEachCheck() : soundValue(HKEY_USERS, soundKey, "", kMissingProgram) {
        SetText(HKEY_CLASSES_ROOT, command, "", kMissingProgram);
    }
    bool AllPresent() const {
        return KeyExists(HKEY_CURRENT_USER, emptyProgramKey) &&
               ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelRunGone") && KeyExists(HKEY_CURRENT_USER, menuKey) &&
               KeyExists(HKEY_CLASSES_ROOT, command) && ValueExists(HKEY_USERS, soundKey, "");
    }

    SeededKey emptyProgramKey{HKEY_CURRENT_USER, "Software\\VantrelEmptyProgram"};
    EnsuredKey runKey{HKEY_CURRENT_USER, kRunKey};
    SeededValue runValue{HKEY_CURRENT_USER, kRunKey, "VantrelRunGone", kMissingProgram};
    EnsuredKey menuParent{HKEY_CURRENT_USER, kMenuOrderKey};
    SeededKey menuKey{HKEY_CURRENT_USER, CString(kMenuOrderKey) + "\\VantrelMenuGone"};
    SeededKey application{HKEY_CLASSES_ROOT, "Applications\\vantrelgone.exe"};
    CString command = application / "shell\\open\\Command";
    EnsuredKey schemeApps{HKEY_USERS, kSchemeAppsKey};
    SeededKey soundApp{HKEY_USERS, CString(kSchemeAppsKey) + "\\VantrelSoundApp"};
    CString soundKey = soundApp / "VantrelEvent\\.Current";
    SeededValue soundValue;
};

void RunAllFive(CHistoryCleaner& engine, CRegBackupWriter& writer) {
    engine.RegistryCheckUnusedProgramKey(writer);
    engine.RegistryCheckStartProgram(writer);
    engine.RegistryCheckStartMenuOrder(writer);
    engine.RegistryCheckProgramCommand(writer);
    engine.RegistryCheckSoundSetting(writer);
}

}  // namespace

TEST_F(RegistryChecksProgramsTest, UnusedProgramKeyRemovesOnlyKeysWithoutSubkeysOrValues) {
    SeededKey empty(HKEY_CURRENT_USER, "Software\\VantrelUnusedEmpty");
    SeededKey emptyDefault(HKEY_CURRENT_USER, "Software\\VantrelUnusedDefault");
    SetText(HKEY_CURRENT_USER, emptyDefault, "", "");
    SeededKey parent(HKEY_CURRENT_USER, "Software\\VantrelUnusedParent");
    SeededKey child(HKEY_CURRENT_USER, parent / "Child");
    SeededKey machine(HKEY_LOCAL_MACHINE, "Software\\VantrelUnusedMachine");
    // Made empty where the sandbox lacks them, so only the name keeps them.
    const char* const excluded[] = {"Software\\SECURE",         "Software\\intel",    "Software\\Licenses",
                                    "Software\\program groups", "Software\\Services", "Software\\CLASSES",
                                    "Software\\policies"};
    EnsuredKey excludedKeys[] = {{HKEY_CURRENT_USER, excluded[0]}, {HKEY_CURRENT_USER, excluded[1]},
                                 {HKEY_CURRENT_USER, excluded[2]}, {HKEY_CURRENT_USER, excluded[3]},
                                 {HKEY_CURRENT_USER, excluded[4]}, {HKEY_CURRENT_USER, excluded[5]},
                                 {HKEY_CURRENT_USER, excluded[6]}};

    engine.RegistryCheckUnusedProgramKey(writer);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, empty));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, machine));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, emptyDefault)) << "an empty default value is a value";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, child));
    for (const char* key : excluded)
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key)) << key;
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft"));

    EXPECT_TRUE(HasFinding(Finding("사용하지 않는 키", "-", "HKCU\\Software\\VantrelUnusedEmpty")));
    EXPECT_TRUE(HasFinding(Finding("사용하지 않는 키", "-", "HKLM\\Software\\VantrelUnusedMachine")));
    EXPECT_TRUE(BackupHolds("[HKEY_CURRENT_USER\\Software\\VantrelUnusedEmpty]"));
    EXPECT_TRUE(BackupHolds("[HKEY_LOCAL_MACHINE\\Software\\VantrelUnusedMachine]"));
}

TEST_F(RegistryChecksProgramsTest, UnusedProgramKeyKeepsAKeyWhoseOnlyValueHasAVeryLongName) {
    SeededKey key(HKEY_CURRENT_USER, "Software\\VantrelUnusedLongName");
    SetText(HKEY_CURRENT_USER, key, CString('n', 300), "data");

    engine.RegistryCheckUnusedProgramKey(writer);

    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key));
}

TEST_F(RegistryChecksProgramsTest, StartProgramKeepsRunnableCommandsAndRemovesTheOthers) {
    CString blankPath = folder.MakeFile("My Tool\\tool.exe");
    EnsuredKey userRun(HKEY_CURRENT_USER, kRunKey);
    EnsuredKey machineRun(HKEY_LOCAL_MACHINE, kRunKey);
    SeededValue unquoted(HKEY_CURRENT_USER, kRunKey, "VantrelRunBlanks", blankPath + " /tray");
    SeededValue rundll(HKEY_CURRENT_USER, kRunKey, "VantrelRunDll", "rundll32.exe shell32.dll,Control_RunDLL");
    SeededValue missing(HKEY_CURRENT_USER, kRunKey, "VantrelRunGone", CString("\"") + kMissingProgram + "\" /s");
    SeededValue empty(HKEY_CURRENT_USER, kRunKey, "VantrelRunEmpty", "");
    SeededValue machineMissing(HKEY_LOCAL_MACHINE, kRunKey, "VantrelRunMachineGone", kMissingProgram);
    SeededValue tooLong(HKEY_CURRENT_USER, kRunKey, "VantrelRunTooLong", CString('x', 12000));

    engine.RegistryCheckStartProgram(writer);

    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelRunBlanks"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelRunDll"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelRunTooLong")) << "an unreadable command is unknown";
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelRunGone"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelRunEmpty"));
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kRunKey, "VantrelRunMachineGone"));

    const char prefix[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
    EXPECT_TRUE(HasFinding(Finding("시작 프로그램", kMissingProgram, CString("HKCU") + prefix + "VantrelRunGone")));
    EXPECT_TRUE(HasFinding(Finding("시작 프로그램", "", CString("HKCU") + prefix + "VantrelRunEmpty")));
    EXPECT_TRUE(
        HasFinding(Finding("시작 프로그램", kMissingProgram, CString("HKLM") + prefix + "VantrelRunMachineGone")));
    EXPECT_TRUE(
        BackupHolds("\"VantrelRunGone\"=\"\\\"C:\\\\vantrel-"
                    "missing\\\\nothing.exe\\\" /s\""));
}

TEST_F(RegistryChecksProgramsTest, StartMenuOrderKeepsKeysOfExistingProgramFolders) {
    EnsuredFolder userFolder(TraceFolders::Special(CSIDL_PROGRAMS) + "\\VantrelMenuUser");
    EnsuredFolder commonFolder(TraceFolders::Special(CSIDL_COMMON_PROGRAMS) + "\\VantrelMenuCommon");
    EnsuredKey menuOrder(HKEY_CURRENT_USER, kMenuOrderKey);
    SeededKey user(HKEY_CURRENT_USER, CString(kMenuOrderKey) + "\\VantrelMenuUser");
    SeededKey common(HKEY_CURRENT_USER, CString(kMenuOrderKey) + "\\VantrelMenuCommon");
    SeededKey gone(HKEY_CURRENT_USER, CString(kMenuOrderKey) + "\\VantrelMenuGone");
    SetText(HKEY_CURRENT_USER, gone, "Order", "x");
    ASSERT_TRUE(FileProbe::Exists(userFolder));
    ASSERT_TRUE(FileProbe::Exists(commonFolder));

    engine.RegistryCheckStartMenuOrder(writer);

    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, user));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, common));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, gone));
    EXPECT_TRUE(HasFinding(Finding("프로그램 메뉴", "VantrelMenuGone",
                                   "HKCU\\Software\\Microsoft\\Windows\\CurrentVe"
                                   "rsion\\Explorer\\MenuOrder\\"
                                   "Start Menu2\\Programs\\VantrelMenuGone")));
    EXPECT_TRUE(BackupHolds("\"Order\"=\"x\""));
}

TEST_F(RegistryChecksProgramsTest, ProgramCommandRemovesInvalidCommandKeysButKeepsTheVerbs) {
    CString program = folder.MakeFile("app.exe");
    SeededKey application(HKEY_CLASSES_ROOT, "Applications\\vantreltest.exe");
    CString goneCommand = application / "shell\\open\\Command";
    CString validCommand = application / "shell\\edit\\Command";
    SetText(HKEY_CLASSES_ROOT, goneCommand, "", CString("\"") + kMissingProgram + "\" \"%1\"");
    SetText(HKEY_CLASSES_ROOT, validCommand, "", CString("\"") + program + "\" \"%1\"");

    engine.RegistryCheckProgramCommand(writer);

    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, goneCommand));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, application / "shell\\open"));
    EXPECT_TRUE(ValueExists(HKEY_CLASSES_ROOT, validCommand, ""));
    EXPECT_TRUE(HasFinding(Finding("프로그램 커맨드", kMissingProgram, "HKCR\\" + goneCommand)));
    EXPECT_TRUE(
        BackupHolds("[HKEY_CLASSES_ROOT\\Applications\\vantreltest."
                    "exe\\shell\\open\\Command]"));
}

TEST_F(RegistryChecksProgramsTest, SoundSettingRemovesDefaultValuesOfMissingSoundFiles) {
    CString sound = folder.MakeFile("ding.wav");
    EnsuredKey schemeApps(HKEY_USERS, kSchemeAppsKey);
    SeededKey app(HKEY_USERS, CString(kSchemeAppsKey) + "\\VantrelSoundApp");
    CString kept = app / "Open\\.Default";
    CString goneCurrent = app / "Open\\.Current";
    CString goneDefault = app / "Close\\.Default";
    SetText(HKEY_USERS, kept, "", sound);
    SetText(HKEY_USERS, goneCurrent, "", "C:\\vantrel-missing\\open.wav");
    SetText(HKEY_USERS, goneDefault, "", "\"C:\\vantrel-missing\\close.wav\"");

    engine.RegistryCheckSoundSetting(writer);

    EXPECT_TRUE(ValueExists(HKEY_USERS, kept, ""));
    EXPECT_FALSE(ValueExists(HKEY_USERS, goneCurrent, ""));
    EXPECT_FALSE(ValueExists(HKEY_USERS, goneDefault, ""));
    EXPECT_TRUE(KeyExists(HKEY_USERS, goneCurrent));
    EXPECT_TRUE(KeyExists(HKEY_USERS, goneDefault));
    EXPECT_TRUE(HasFinding(Finding("사운드 셋팅", "C:\\vantrel-missing\\open.wav", "HKU\\" + goneCurrent)));
    EXPECT_TRUE(HasFinding(Finding("사운드 셋팅", "C:\\vantrel-missing\\close.wav", "HKU\\" + goneDefault)));
    EXPECT_TRUE(BackupHolds("@=\"C:\\\\vantrel-missing\\\\open.wav\""));
}

TEST_F(RegistryChecksProgramsTest, DispatchRunsEachCheckWithTheWriter) {
    InvalidEntryOfEachCheck seeded;
    ASSERT_TRUE(seeded.AllPresent());

    for (int id = 32; id <= 36; ++id)
        DispatchItem(id, engine, writer, nullptr);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, seeded.emptyProgramKey));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kRunKey, "VantrelRunGone"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, seeded.menuKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, seeded.command));
    EXPECT_FALSE(ValueExists(HKEY_USERS, seeded.soundKey, ""));
}

TEST_F(RegistryChecksProgramsTest, WriterWithoutFileNameRemovesAndRecordsNothing) {
    InvalidEntryOfEachCheck seeded;
    CRegBackupWriter unnamed;

    RunAllFive(engine, unnamed);

    EXPECT_TRUE(seeded.AllPresent());
    EXPECT_EQ(0, engine.Findings().GetSize());
}

TEST(RegistryChecksProgramsStop, AStopBeforehandRemovesNothing) {
    TempFolder folder;
    InvalidEntryOfEachCheck seeded;
    CRegBackupWriter writer;
    writer.SetFileName(folder / "backup.reg");
    CHandle stop(CreateEventA(nullptr, TRUE, TRUE, nullptr));
    CHistoryCleaner engine(nullptr, stop);

    RunAllFive(engine, writer);

    EXPECT_TRUE(seeded.AllPresent());
    EXPECT_EQ(0, engine.Findings().GetSize());
}
