// Vantrel.exe for end-to-end tests of the paths that must never really happen: the real start-up,
// with the administrator test answering VANTREL_STANDIN_ADMIN (0/1, default 1) and the forced
// power-off recorded as "ComputerOff(<force>)" in ComputerOff.txt beside the program.
// "--restart-as-admin <rest>" first restarts through AdminMode::RestartAsAdmin(<rest>), and, when
// that returns, starts as if <rest> were the whole argument line.
#include <windows.h>

#include <cstring>
#include <string>

#include "ImportPatch.h"
#include "StandInRecord.h"
#include "Startup.h"
#include "admin/AdminMode.h"

namespace {

const char kTovrinComputerOff[] = "_ZN11CUtilityLib11ComputerOffEi";
const char kRestartSwitch[] = "--restart-as-admin";
const int kUnpatchedExit = 3;

BOOL WINAPI StandInIsUserAnAdmin() {
    char answer[8] = {0};
    DWORD length = GetEnvironmentVariableA("VANTREL_STANDIN_ADMIN", answer, sizeof answer);
    return !(length == 1 && answer[0] == '0');
}

void StandInComputerOff(int force) {
    StandInRecord::Write(StandInRecord::OwnFolder() + "\\ComputerOff.txt", "ComputerOff(" + std::to_string(force) + ")\n");
}

const char* SkipBlanks(const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

const char* AfterProgramPath(const char* line) {
    if (*line == '"') {
        const char* closing = strchr(line + 1, '"');
        line = closing ? closing + 1 : line + strlen(line);
    } else {
        while (*line && *line != ' ' && *line != '\t')
            ++line;
    }
    return SkipBlanks(line);
}

// The rest of the line after the switch, or null without the switch.
const char* RestartParameters(const char* arguments) {
    const size_t length = strlen(kRestartSwitch);
    if (strncmp(arguments, kRestartSwitch, length) != 0 || (arguments[length] && arguments[length] != ' '))
        return nullptr;
    return SkipBlanks(arguments + length);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ImportPatch admin(GetModuleHandleA(nullptr), "shell32.dll", "IsUserAnAdmin",
                      reinterpret_cast<void*>(&StandInIsUserAnAdmin));
    ImportPatch powerOff(GetModuleHandleA(nullptr), "Tovrin.dll", kTovrinComputerOff,
                         reinterpret_cast<void*>(&StandInComputerOff));
    // A program that never calls ComputerOff has no import of it to patch; a renamed export, though,
    // would let the real one run once it is called: start nothing then.
    const bool powerOffExported = GetProcAddress(GetModuleHandleA("Tovrin.dll"), kTovrinComputerOff) != nullptr;
    if (!admin.IsActive() || !powerOffExported)
        return kUnpatchedExit;

    const char* commandLine = GetCommandLineA();
    const char* restart = RestartParameters(AfterProgramPath(commandLine));
    if (!restart)
        return StartVantrel(instance, commandLine);

    AdminMode::RestartAsAdmin(restart);
    const std::string programPath(commandLine, AfterProgramPath(commandLine) - commandLine);
    return StartVantrel(instance, (programPath + restart).c_str());
}
