// Entries the registry checks must remove (they name files and folders that do not exist) and
// entries beside them that are valid and must stay.
#include <windows.h>

#include "SeedItems.h"
#include "TraceSeeder.h"

namespace {

const char kGone[] = "C:\\VantrelSeedGone";

CString Gone(const char* rest) { return CString(kGone) + rest; }

}  // namespace

void CTraceSeeder::SeedRegistryCheckTraces() {
    const HKEY user = HKEY_CURRENT_USER;
    const HKEY machine = HKEY_LOCAL_MACHINE;

    const char muiCache[] = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
    TraceString(kRegistryMuiCache, user, muiCache, Gone("\\mui.exe"), "Gone");
    KeepString("MUICache resource reference", user, muiCache, "@%SystemRoot%\\system32\\shell32.dll,-123", "Shell");

    const CString appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
    const CString appGone = appPaths + "\\vantrelseed-gone.exe";
    TraceKey(kRegistryAppPaths, machine, appGone);
    TraceString(kRegistryAppPaths, machine, appGone, "", "\"" + Gone("\\app.exe") + "\"");
    TraceString(kRegistryAppPaths, machine, appGone, "Path", kGone);
    KeepString("App Paths key of an existing program", machine, appPaths + "\\vantrelseed-notepad.exe", "",
               ExpandedPath("%SystemRoot%\\system32\\notepad.exe"));

    TraceString(kRegistryHelpFile, machine, "Software\\Microsoft\\Windows\\Help", "vantrelseed-gone.hlp", kGone);
    TraceString(kRegistryHelpFile, machine, "Software\\Microsoft\\Windows\\Html Help", "vantrelseed-gone.chm",
                Gone("\\"));
    TraceString(kRegistryFontFile, machine, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                "Vantrel Seed Gone (TrueType)", "vantrelseed-gone.ttf");
    TraceString(kRegistrySetupPath, machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
                Gone("\\Folder\\"), "");

    TraceKey(kRegistryUnusedProgramKey, user, "Software\\VantrelSeedEmpty");
    KeepString("program key holding only an empty default value", user, "Software\\VantrelSeedEmptyDefault", "",
               "");

    const char run[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    TraceString(kRegistryStartProgram, user, run, "VantrelSeedRunGone", "\"" + Gone("\\run.exe") + "\" -s");
    KeepString("start program run through rundll32", user, run, "VantrelSeedRunDll",
               "rundll32.exe shell32.dll,Control_RunDLL");

    const char menuGone[] =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs\\VantrelSeedMenuGone";
    TraceKey(kRegistryStartMenuOrder, user, menuGone);
    TraceBinary(kRegistryStartMenuOrder, user, menuGone, "Order", Bytes({8, 0, 0, 0, 2, 0, 0, 0}));

    // HKCR\Applications lives below HKLM\Software\Classes.
    const char command[] = "Software\\Classes\\Applications\\vantrelseed.exe\\shell\\open\\command";
    TraceKey(kRegistryProgramCommand, machine, command);
    TraceString(kRegistryProgramCommand, machine, command, "", "\"" + Gone("\\app.exe") + "\" \"%1\"");

    TraceString(kRegistrySoundSetting, HKEY_USERS,
                ".DEFAULT\\AppEvents\\Schemes\\Apps\\VantrelSeedApp\\VantrelSeedEvent\\.Default", "",
                Gone("\\ding.wav"));
}
