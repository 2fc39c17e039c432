#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <functional>
#include <string>
#include <vector>

#include "../engine/RedirectedAppData.h"
#include "../engine/WideRegTree.h"
#include "FileProbe.h"
#include "MessageBoxRecorder.h"
#include "MessagePump.h"
#include "ModalProbe.h"
#include "RegBackupWriter.h"
#include "RemoteList.h"
#include "ShellExecuteRecorder.h"
#include "TestFixtures.h"
#include "UtilityLib.h"
#include "WindowShot.h"
#include "history/RegHistoryDlg.h"

namespace {

const int kFiles = 1001;
const int kEntries = 1002;

// The program's RegHistory folder, empty for the test: one that exists is set aside and put back.
// The application-data sub-path is set as start-up sets it.
class HistoryFolder {
public:
    HistoryFolder() : m_path(CUtilityLib::GetAppDataLocalPath(true) + "\\RegHistory"), m_aside(m_path + ".aside") {
        m_setAside = MoveFileA(m_path, m_aside) != FALSE;
        CUtilityLib::CreateMultiFolder(m_path, 1);
    }
    ~HistoryFolder() {
        SHFILEOPSTRUCTA remove = {};
        std::string from = std::string((const char*)m_path) + '\0';
        remove.wFunc = FO_DELETE;
        remove.pFrom = from.c_str();
        remove.fFlags = FOF_NO_UI;
        SHFileOperationA(&remove);
        if (m_setAside)
            MoveFileA(m_aside, m_path);
    }
    HistoryFolder(const HistoryFolder&) = delete;
    HistoryFolder& operator=(const HistoryFolder&) = delete;

    CString File(const char* name) const { return m_path + "\\" + name; }
    void Add(const char* name, const std::string& list = std::string()) const {
        std::string text = "Windows Registry Editor Version 5.00\r\n";
        if (!list.empty())
            text += "\r\n\r\n[List]" + list;
        ASSERT_TRUE(FileProbe::WriteBytes(File(name), text));
    }

private:
    RedirectedAppData m_appData;
    CString m_path;
    CString m_aside;
    bool m_setAside = false;
};

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
void Click(HWND dialog, int id) { SendMessageA(Item(dialog, id), BM_CLICK, 0, 0); }
int LineCount(HWND dialog, int id) { return static_cast<int>(SendMessageA(Item(dialog, id), LVM_GETITEMCOUNT, 0, 0)); }
int SelectedLine(HWND dialog) {
    return static_cast<int>(SendMessageA(Item(dialog, kFiles), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// Every line of a list as its cells joined by "|".
std::vector<std::string> Lines(HWND dialog, int id, int columns) {
    RemoteList list(Item(dialog, id));
    std::vector<std::string> lines;
    for (int line = 0; line < list.Count(); ++line) {
        std::string text;
        for (int column = 0; column < columns; ++column)
            text += (column ? "|" : "") + std::string((const char*)list.Text(line, column));
        lines.push_back(text);
    }
    return lines;
}

// Runs the window and acts on it once its entries are loaded; act runs inside the modal loop,
// and the window is closed afterwards.
void WithWindow(const std::function<void(HWND)>& act) {
    ModalProbe probe([&](HWND dialog) {
        PumpUntil([&] { return LineCount(dialog, kFiles) == 0 || LineCount(dialog, kEntries) > 0; });
        PumpFor(50);
        act(dialog);
        Click(dialog, IDCANCEL);
    });
    probe.Run([] { RunRegistryHistory(nullptr); });
    EXPECT_TRUE(probe.inspected);
}

}  // namespace

TEST(RegHistoryDlg, ListsEveryBackupNewestFirstWithTheEntriesOfTheFirst) {
    HistoryFolder folder;
    folder.Add("2023년05월01일 10시00분00초 실행.REG", "\r\n0=old\tx\ty");
    folder.Add("2024년01월02일 09시30분00초 실행.REG", "\r\n0=시작 프로그램\tC:\\none.exe\tHKCU\\Software\\A\r\n1=only");
    folder.Add("manual.REG");
    folder.Add("note.txt");
    std::vector<std::string> files, entries;
    WithWindow([&](HWND dialog) {
        files = Lines(dialog, kFiles, 1);
        entries = Lines(dialog, kEntries, 4);
    });
    // The file-name sort reads letters as 0 against numbers: a name without the date comes last.
    EXPECT_EQ((std::vector<std::string>{"2024년01월02일 09시30분00초 실행.REG", "2023년05월01일 10시00분00초 실행.REG",
                                        "manual.REG"}),
              files);
    EXPECT_EQ((std::vector<std::string>{"시작 프로그램|C:\\none.exe|HKCU\\Software\\A|", "only|||"}), entries);
}

TEST(RegHistoryDlg, ListValueWithoutTabsFillsTheFirstColumnOnly) {
    HistoryFolder folder;
    folder.Add("2024년01월02일 09시30분00초 실행.REG", "\r\n0=시작 프로그램\tC:\\none.exe\tHKCU\\Software\\A\r\n1=only");
    std::vector<std::string> entries;
    WithWindow([&](HWND dialog) { entries = Lines(dialog, kEntries, 4); });
    EXPECT_EQ((std::vector<std::string>{"시작 프로그램|C:\\none.exe|HKCU\\Software\\A|", "only|||"}), entries);
}

TEST(RegHistoryDlg, DeletingTheOnlyFileAfterItsQuestionEmptiesBothLists) {
    HistoryFolder folder;
    folder.Add("2024년01월02일 09시30분00초 실행.REG", "\r\n0=a\tb\tc");
    MessageBoxRecorder boxes(GetModuleHandleA(nullptr));
    ASSERT_TRUE(boxes.IsReady());
    boxes.answer = IDYES;
    int files = -1, entries = -1;
    WithWindow([&](HWND dialog) {
        Click(dialog, 4);
        PumpFor(50);
        files = LineCount(dialog, kFiles);
        entries = LineCount(dialog, kEntries);
    });
    EXPECT_EQ(0, files);
    EXPECT_EQ(0, entries);
    EXPECT_FALSE(FileProbe::Exists(folder.File("2024년01월02일 09시30분00초 실행.REG")));
    EXPECT_EQ(CString("삭제"), boxes.caption);
    EXPECT_EQ(CString("[2024년01월02일 09시30분00초 실행.REG]를 삭제하겠습니까 ?\n\n삭제 후에는 다시 복구 할 수 없게 됩니다."),
              boxes.text);
}

TEST(RegHistoryDlg, AnsweringNoOrHavingNoSelectionDeletesNothing) {
    HistoryFolder folder;
    folder.Add("a.REG");
    MessageBoxRecorder boxes(GetModuleHandleA(nullptr));
    ASSERT_TRUE(boxes.IsReady());
    boxes.answer = IDNO;
    int files = -1;
    WithWindow([&](HWND dialog) {
        Click(dialog, 4);
        LVITEMA none = {};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(Item(dialog, kFiles), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        Click(dialog, 4);
        files = LineCount(dialog, kFiles);
    });
    EXPECT_EQ(1, files);
    EXPECT_TRUE(FileProbe::Exists(folder.File("a.REG")));
    ASSERT_EQ(2, boxes.Count());
    EXPECT_EQ(CString("왼쪽의 REG파일을 선택하세요"), boxes.texts[1]);
}

TEST(RegHistoryDlg, DeletingTheLastOfSeveralSelectsTheNewLastLineAndLoadsItsEntries) {
    HistoryFolder folder;
    folder.Add("a.REG", "\r\n0=from a");
    folder.Add("b.REG", "\r\n0=from b");
    folder.Add("c.REG", "\r\n0=from c");
    MessageBoxRecorder boxes(GetModuleHandleA(nullptr));
    ASSERT_TRUE(boxes.IsReady());
    boxes.answer = IDYES;
    std::vector<std::string> files, entries;
    int selected = -1;
    WithWindow([&](HWND dialog) {
        ListView_SetItemState(Item(dialog, kFiles), 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PumpUntil([&] { return Lines(dialog, kEntries, 1) == std::vector<std::string>{"from a"}; });
        Click(dialog, 4);
        PumpFor(50);
        files = Lines(dialog, kFiles, 1);
        entries = Lines(dialog, kEntries, 1);
        selected = SelectedLine(dialog);
    });
    EXPECT_EQ((std::vector<std::string>{"c.REG", "b.REG"}), files);
    EXPECT_EQ(1, selected);
    EXPECT_EQ((std::vector<std::string>{"from b"}), entries);
    EXPECT_FALSE(FileProbe::Exists(folder.File("a.REG")));
    EXPECT_TRUE(FileProbe::Exists(folder.File("b.REG")));
}

TEST(RegHistoryDlg, ViewOpensNotepadWithTheFileAndRestoreOpensTheFile) {
    HistoryFolder folder;
    folder.Add("a.REG");
    folder.Add("b.REG");
    ShellExecuteRecorder shell(nullptr);
    ASSERT_TRUE(shell.IsActive());
    CString viewVerb, viewFile, viewParameters;
    HWND window = nullptr;
    WithWindow([&](HWND dialog) {
        window = dialog;
        Click(dialog, 3);
        viewVerb = shell.verb;
        viewFile = shell.file;
        viewParameters = shell.parameters;
        Click(dialog, 1);
    });
    EXPECT_EQ(CString("open"), viewVerb);
    EXPECT_EQ(CString("notepad.exe"), viewFile);
    EXPECT_EQ("\"" + folder.File("b.REG") + "\"", viewParameters);
    ASSERT_EQ(2, shell.calls);
    EXPECT_EQ(CString("open ") + folder.File("b.REG"), shell.opened[1]);
    EXPECT_EQ(window, shell.window);
    EXPECT_EQ(SW_SHOW, shell.show);
}

namespace {

using namespace WideRegTree;

BOOL CALLBACK FindForeignBox(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != GetCurrentProcessId() && lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Answers the registry editor's boxes (its question with Yes, then any report with OK) until
// done() holds; false when it never does.
bool AnswerRegistryEditorUntil(const std::function<bool()>& done) {
    return PumpUntil(
        [&] {
            HWND box = nullptr;
            EnumWindows(&FindForeignBox, reinterpret_cast<LPARAM>(&box));
            if (box)
                PostMessageA(box, WM_COMMAND, GetDlgItem(box, IDYES) ? IDYES : IDOK, 0);
            return !box && done();
        },
        60000);
}

std::vector<std::string> Statuses(HWND dialog) {
    RemoteList list(Item(dialog, kEntries));
    std::vector<std::string> statuses;
    for (int line = 0; line < list.Count(); ++line)
        statuses.push_back((const char*)list.Text(line, 3));
    return statuses;
}

}  // namespace

TEST(RegHistoryDlg, RestoreThroughTheRegistryEditorIsMarkedLineByLineAndATamperedValueIsNot) {
    HistoryFolder folder;
    // The sandbox, like Windows, opens a .REG file with the registry editor.
    char opener[MAX_PATH] = {0};
    LONG size = sizeof opener;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, "regfile\\shell\\open\\command", opener, &size));
    TempRegKey key;
    const std::wstring values = Widen(key / "Values");
    const std::wstring gone = Widen(key / "Gone");
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, values, L"first", REG_SZ, Text(L"C:\\없는 파일.exe")));
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, values, L"second", REG_DWORD, {7, 0, 0, 0}));
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, gone + L"\\child", L"", REG_EXPAND_SZ, Text(L"%TEMP%\\x")));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const CString file = CRegBackupWriter::RunFileName(CUtilityLib::GetAppDataLocalPath(true), now);
    {
        CRegBackupWriter writer;
        writer.SetFileName(file);
        ASSERT_EQ(1, writer.BackupValue(HKEY_CURRENT_USER, key / "Values", "first"));
        ASSERT_EQ(1, writer.BackupValue(HKEY_CURRENT_USER, key / "Values", "second"));
        ASSERT_EQ(1, writer.BackupKey(HKEY_CURRENT_USER, key / "Gone"));
        CString list = "\r\n\r\n[List]\r\n0=시작 프로그램\tC:\\없는 파일.exe\tHKCU\\" + (key / "Values\\first") +
                       "\r\n1=시작 프로그램\t-\tHKCU\\" + (key / "Values\\second") + "\r\n2=사용하지 않는 키\t-\tHKCU\\" +
                       (key / "Gone");
        ASSERT_EQ(1, writer.Append(list));
    }
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyA(HKEY_CURRENT_USER, key / "Values"));
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyA(HKEY_CURRENT_USER, key / "Gone"));

    std::vector<std::string> before, activated, checked, tampered;
    bool imported = false;
    WithWindow([&](HWND dialog) {
        // Before any restore, activation marks nothing.
        SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
        before = Statuses(dialog);
        WindowShot::Save(dialog, "RegHistoryBeforeRestore");
        Click(dialog, 1);
        imported = AnswerRegistryEditorUntil([&] { return Exists(HKEY_CURRENT_USER, gone + L"\\child"); });
        SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
        activated = Statuses(dialog);
        WindowShot::Save(dialog, "RegHistoryAfterRestore");
        Click(dialog, 5);
        checked = Statuses(dialog);
        Set(HKEY_CURRENT_USER, values, L"second", REG_DWORD, {8, 0, 0, 0});
        Click(dialog, 5);
        tampered = Statuses(dialog);
        WindowShot::Save(dialog, "RegHistoryTampered");
    });
    ASSERT_TRUE(imported) << "the registry editor did not bring the key back";
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), before);
    EXPECT_EQ((std::vector<std::string>{"복원됨", "복원됨", "복원됨"}), activated);
    EXPECT_EQ((std::vector<std::string>{"복원됨", "복원됨", "복원됨"}), checked);
    EXPECT_EQ((std::vector<std::string>{"복원됨", "복원 안 됨", "복원됨"}), tampered);
    Tree restored;
    Read(HKEY_CURRENT_USER, values, restored);
    EXPECT_TRUE((Value{REG_SZ, Text(L"C:\\없는 파일.exe")}) == restored[values][L"first"]);
}
