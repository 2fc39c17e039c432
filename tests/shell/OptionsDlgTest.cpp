#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "../engine/RedirectedAppData.h"
#include "FileProbe.h"
#include "ImportPatch.h"
#include "MessageBoxRecorder.h"
#include "ModalProbe.h"
#include "ProgramRun.h"
#include "ScopedEnvironment.h"
#include "ShellExecuteRecorder.h"
#include "ShellState.h"
#include "WindowShot.h"
#include "options/OptionsDlg.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value "Vantrel" of the sandbox user, as the test sets it; put back afterwards.
class RunValue {
public:
    RunValue() : m_old(Read()) {}
    ~RunValue() {
        if (m_old)
            Set(m_old->c_str());
        else
            Remove();
    }
    RunValue(const RunValue&) = delete;
    RunValue& operator=(const RunValue&) = delete;

    // Empty optional when the value is absent.
    static std::optional<std::string> Read() {
        char data[512] = {0};
        DWORD size = sizeof data - 1;
        if (RegGetValueA(HKEY_CURRENT_USER, kRunKey, "Vantrel", RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(data);
    }
    static void Set(const char* text) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Vantrel", REG_SZ, text, lstrlenA(text) + 1));
    }
    static void Remove() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Vantrel"); }

private:
    std::optional<std::string> m_old;
};

BOOL g_isAdmin = FALSE;
BOOL WINAPI PatchedIsUserAnAdmin() { return g_isAdmin; }

const int kBoxes[] = {1033, 1031, 1035, 1034, 1032, 1046, 1047, 1050, 1054};

// The check of every box, in the order of kBoxes, as "101...".
std::string Checks(HWND dialog) {
    std::string checks;
    for (int id : kBoxes)
        checks += IsDlgButtonChecked(dialog, id) == BST_CHECKED ? '1' : '0';
    return checks;
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Runs the dialog modally and acts on it from inside its loop; act must close it.
void WithDialog(const std::function<void(HWND)>& act) {
    ModalProbe probe(act);
    probe.Run([] { COptionsDlg().DoModal(); });
    EXPECT_TRUE(probe.inspected);
}

class OptionsDlg : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_config.IsEmpty());
        RunValue::Remove();
    }
    void WriteConfig(const char* text) {
        CUtilityLib::CreateMultiFolder(m_config, 0);
        ASSERT_TRUE(FileProbe::WriteBytes(m_config, text));
    }
    int Option(const char* key) { return GetPrivateProfileIntA("Option", key, 7, m_config); }

    RedirectedAppData m_appData;
    const CString m_config = m_appData.ConfigIni();
    RunValue m_runValue;
};

}  // namespace

TEST_F(OptionsDlg, OpensWithTheDefaultsWithoutSettingsFileOrRunValue) {
    ShellState::SetAppIcon(LoadIcon(nullptr, IDI_WARNING));
    CString title;
    std::string checks;
    HICON icon = nullptr;
    WithDialog([&](HWND dialog) {
        char text[64] = {0};
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        checks = Checks(dialog);
        icon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
        WindowShot::Save(dialog, "OptionsDlg");
        Click(dialog, IDCANCEL);
    });
    ShellState::SetAppIcon(nullptr);

    EXPECT_EQ(CString("옵션"), title);
    EXPECT_EQ("100111010", checks);
    EXPECT_EQ(LoadIcon(nullptr, IDI_WARNING), icon);
}

TEST_F(OptionsDlg, OpensWithTheKeysOfTheFileAndAnyRunValueChecked) {
    WriteConfig("[Option]\r\nCleanupAtLogout=0\r\nCleanupAtAutoStart=1\r\nRemoveOldRegistryInfo=0\r\n"
                "AlertRegistryCleanupInfo=0\r\nAlwaysAdmin=0\r\nKillIE=0\r\nSilentCleanAtShutdown=1\r\n"
                "[Update]\r\nNoVersionNotify=1\r\n");
    RunValue::Set("written by hand");
    std::string checks;
    WithDialog([&](HWND dialog) {
        checks = Checks(dialog);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ("011000101", checks);
}

TEST_F(OptionsDlg, OkWritesEveryKeyAndTheRunValueWithThisProgramsPath) {
    WithDialog([&](HWND dialog) {
        for (int id : kBoxes)
            Click(dialog, id);
        Click(dialog, IDOK);
    });

    EXPECT_EQ(0, Option("CleanupAtLogout"));
    EXPECT_EQ(1, Option("CleanupAtAutoStart"));
    EXPECT_EQ(0, Option("RemoveOldRegistryInfo"));
    EXPECT_EQ(0, Option("AlertRegistryCleanupInfo"));
    EXPECT_EQ(0, Option("AlwaysAdmin"));
    EXPECT_EQ(0, Option("KillIE"));
    EXPECT_EQ(1, Option("SilentCleanAtShutdown"));
    EXPECT_EQ(1, GetPrivateProfileIntA("Update", "NoVersionNotify", 7, m_config));
    EXPECT_EQ("\"" + std::string(ProgramRun::BuildFolder()) + "\\ShellTests.exe\" startup",
              RunValue::Read().value_or("(absent)"));
}

TEST_F(OptionsDlg, UncheckingAutoStartRemovesTheRunValueAndCheckingWritesTheCurrentPath) {
    RunValue::Set("\"C:\\Old\\Vantrel.exe\" startup");
    WithDialog([&](HWND dialog) {
        Click(dialog, 1035);
        Click(dialog, IDOK);
    });
    EXPECT_FALSE(RunValue::Read().has_value());
    EXPECT_EQ(1, Option("CleanupAtLogout"));
    EXPECT_EQ(0, Option("CleanupAtAutoStart"));

    WithDialog([&](HWND dialog) {
        Click(dialog, 1035);
        Click(dialog, IDOK);
    });
    EXPECT_EQ("\"" + std::string(ProgramRun::BuildFolder()) + "\\ShellTests.exe\" startup",
              RunValue::Read().value_or("(absent)"));
}

TEST_F(OptionsDlg, CloseWritesNothing) {
    RunValue::Set("\"C:\\Old\\Vantrel.exe\" startup");
    WithDialog([&](HWND dialog) {
        for (int id : kBoxes)
            Click(dialog, id);
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(FileProbe::Exists(m_config));
    EXPECT_EQ("\"C:\\Old\\Vantrel.exe\" startup", RunValue::Read().value_or("(absent)"));
}

TEST_F(OptionsDlg, HomePageOpensTheMakersServerAddress) {
    ScopedEnvironment server("VANTREL_SERVER", "http://maker.invalid:8080/");
    ShellExecuteRecorder starts(nullptr);
    ASSERT_TRUE(starts.IsActive());
    WithDialog([&](HWND dialog) {
        Click(dialog, 1049);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(1, starts.calls);
    EXPECT_EQ(CString("open"), starts.verb);
    EXPECT_EQ(CString("http://maker.invalid:8080"), starts.file);
}

TEST_F(OptionsDlg, AfterwardsAsksForRightsOnlyWhenWantedAndMissing) {
    struct Case {
        const char* configIni;  // null: no file
        int closeWith;
        bool uncheckAlwaysAdmin;
        std::initializer_list<DWORD> checkedLines;
        BOOL isAdmin;
        int questions;
    };
    const Case cases[] = {
        {nullptr, IDCANCEL, false, {}, FALSE, 1},
        {nullptr, IDOK, false, {}, FALSE, 1},
        {nullptr, IDCANCEL, false, {}, TRUE, 0},
        {nullptr, IDOK, true, {}, FALSE, 0},
        {nullptr, IDOK, true, {1, 28}, FALSE, 1},
        {"[Option]\r\nAlwaysAdmin=0\r\n", IDCANCEL, false, {1, 3}, FALSE, 0},
        {"[Option]\r\nAlwaysAdmin=0\r\n", IDCANCEL, false, {35}, FALSE, 1},
        {"[Option]\r\nAlwaysAdmin=0\r\n", IDCANCEL, false, {35}, TRUE, 0},
    };
    ImportPatch patch(GetModuleHandleA(nullptr), "shell32.dll", "IsUserAnAdmin",
                      reinterpret_cast<void*>(&PatchedIsUserAnAdmin));
    MessageBoxRecorder boxes(GetModuleHandleA(nullptr));
    ShellExecuteRecorder starts(nullptr);
    ASSERT_TRUE(patch.IsActive());
    ASSERT_TRUE(boxes.IsReady());
    boxes.answer = IDNO;
    int caseNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(caseNumber++);
        RedirectedAppData appData;
        const CString config = appData.ConfigIni();
        if (c.configIni) {
            CUtilityLib::CreateMultiFolder(config, 0);
            ASSERT_TRUE(FileProbe::WriteBytes(config, c.configIni));
        }
        g_isAdmin = c.isAdmin;
        boxes.texts.RemoveAll();
        boxes.text.Empty();
        CDWordArray lines;
        for (DWORD id : c.checkedLines)
            lines.Add(id);

        ModalProbe probe([&](HWND dialog) {
            if (c.uncheckAlwaysAdmin)
                Click(dialog, 1046);
            Click(dialog, c.closeWith);
        });
        probe.Run([&] { RunOptionsDialog(nullptr, lines); });

        EXPECT_TRUE(probe.inspected);
        EXPECT_EQ(c.questions, boxes.Count());
        if (c.questions) {
            EXPECT_EQ(CString("지금 관리자 권한으로 전환하겠습니까 ?"), boxes.text);
            EXPECT_EQ(CString("알림"), boxes.caption);
            EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), boxes.style);
        }
    }
    EXPECT_EQ(0, starts.calls);
}
