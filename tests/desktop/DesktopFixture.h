#pragma once
#include <gtest/gtest.h>

#include "RemoteList.h"
#include "VantrelDesktop.h"
#include "WindowShot.h"

// Every test starts from no Config.ini, no records, no backups and no running Vantrel. The items
// that end the shell (9 and 44) stay unchecked in window runs: here the shell is the Wine
// virtual desktop the tests run in, which would end with it.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(VantrelDesktop::Install());
        VantrelDesktop::ClearSettings();
        VantrelDesktop::ClearRecords();
        VantrelDesktop::WriteSetting("Setting", "RemoveWindowsRunHistory", 0);
        VantrelDesktop::WriteSetting("Setting", "RemoveTrayHistory", 0);
    }

    // Starts the program and waits for its main window to be shown.
    HWND StartShown(const char* arguments = "", bool admin = true) {
        if (!program.Start(arguments, admin))
            return nullptr;
        HWND main = program.WaitForMainWindow();
        if (!main || !VantrelDesktop::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10000))
            return nullptr;
        return main;
    }

    // A press of "청소 실행"; the progress window it opens, or null.
    HWND PressRun(HWND main) {
        VantrelDesktop::Click(main, 1002);
        return program.WaitForDialog("청소 실행하기...");
    }

    // True when the program ended by itself within limitMs with exit code 0.
    bool EndsWithCodeZero(DWORD limitMs) {
        DWORD exitCode = 99;
        return program.WaitForExit(limitMs, &exitCode) && exitCode == 0;
    }

    // Shows a tab and gives the list time to paint, so clicks find its check boxes.
    static HWND ShowTab(HWND main, int tabButton, int listId) {
        VantrelDesktop::Click(main, tabButton);
        HWND list = GetDlgItem(main, listId);
        VantrelDesktop::WaitUntil([&] { return IsWindowVisible(list) != FALSE; }, 3000);
        Sleep(300);
        return list;
    }

    // A press of a line's "지금 실행" button (column 2) or of its check box.
    static void ClickRunButton(HWND list, int line) {
        RemoteList remote(list);
        CRect cell = remote.CellRect(line, 2);
        VantrelDesktop::ClickAt(list, POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
    }
    static void ClickCheckBox(HWND list, int line) {
        RemoteList remote(list);
        CRect cell = remote.CellRect(line, 0);
        VantrelDesktop::ClickAt(list, POINT{cell.left + 12, (cell.top + cell.bottom) / 2});
    }

    // The message box of the program with that caption, its text and the answer given.
    CString Answer(const char* caption, int button) {
        HWND box = program.WaitForDialog(caption, 10000);
        if (!box)
            return CString();
        const CString text = VantrelDesktop::MessageText(box);
        VantrelDesktop::Click(box, button);
        program.WaitForNoDialog(caption, 5000);
        return text;
    }

    VantrelDesktop::Program program;
};
