#include <gtest/gtest.h>

#include <windows.h>

#include "LoadLibrary.h"
#include "MessageBoxRecorder.h"

namespace {

// Binds two functions of User32 and, when asked, one more by name.
class CUser32Functions : public CLoadLibrary {
public:
    explicit CUser32Functions(const char* extraName = nullptr) : m_extraName(extraName) {}
    using CLoadLibrary::GetModule;

    LPSTR(WINAPI* charUpper)(LPSTR text) = nullptr;
    BOOL(WINAPI* isWindow)(HWND window) = nullptr;
    FARPROC extra = nullptr;

protected:
    void BindFunctions() override {
        Bind(charUpper, "CharUpperA");
        Bind(isWindow, "IsWindow");
        if (m_extraName)
            Bind(extra, m_extraName);
    }

private:
    const char* m_extraName;
};

// Binds nothing: for libraries whose loading alone is under test.
class CPlainLibrary : public CLoadLibrary {
public:
    using CLoadLibrary::GetModule;

protected:
    void BindFunctions() override {}
};

}  // namespace

TEST(CLoadLibrary, LoadsAndBindsFunctionsOfUser32) {
    CUser32Functions user32;

    ASSERT_EQ(1, user32.Load("User32.dll", 0));

    EXPECT_EQ(1, user32.IsLoaded());
    EXPECT_EQ(GetModuleHandleA("user32.dll"), user32.GetModule());
    ASSERT_NE(nullptr, user32.charUpper);
    char text[] = "abc";
    user32.charUpper(text);
    EXPECT_STREQ("ABC", text);
}

TEST(CLoadLibrary, MissingFunctionFailsQuietlyWithoutExitOnFailure) {
    MessageBoxRecorder alerts(GetModuleHandleA("Tovrin.dll"));
    ASSERT_TRUE(alerts.IsReady());
    CUser32Functions user32("VantrelNoSuchExport");

    EXPECT_EQ(0, user32.Load("User32.dll", 0));

    EXPECT_EQ(0, user32.IsLoaded());
    EXPECT_EQ(nullptr, user32.GetModule());
    EXPECT_EQ(0, alerts.Count());
}

TEST(CLoadLibrary, MissingLibraryFailsQuietlyAndLeavesTheObjectFreeForAnother) {
    MessageBoxRecorder alerts(GetModuleHandleA("Tovrin.dll"));
    ASSERT_TRUE(alerts.IsReady());
    CUser32Functions library;

    EXPECT_EQ(0, library.Load("vantrel-no-such-library.dll", 0));
    EXPECT_EQ(0, library.IsLoaded());

    EXPECT_EQ(1, library.Load("User32.dll", 0));
    EXPECT_EQ(0, alerts.Count());
}

TEST(CLoadLibrary, AnotherNameWhileOneIsHeldIsRefusedWithTheAlert) {
    MessageBoxRecorder alerts(GetModuleHandleA("Tovrin.dll"));
    ASSERT_TRUE(alerts.IsReady());
    CUser32Functions user32;
    ASSERT_EQ(1, user32.Load("User32.dll", 0));
    HMODULE held = user32.GetModule();

    EXPECT_EQ(0, user32.Load("Kernel32.dll", 0));

    EXPECT_EQ(1, alerts.Count());
    EXPECT_EQ("ALERT", alerts.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR | MB_TOPMOST), alerts.style);
    EXPECT_EQ("CLoadLirary::Load(Kernel32.dll) Request Different File Name\n\n\nPrev : User32.dll", alerts.text);
    EXPECT_EQ(held, user32.GetModule());
}

TEST(CLoadLibrary, SameNameAgainSucceedsWithoutAnAlert) {
    MessageBoxRecorder alerts(GetModuleHandleA("Tovrin.dll"));
    ASSERT_TRUE(alerts.IsReady());
    CUser32Functions user32;
    ASSERT_EQ(1, user32.Load("User32.dll", 0));

    EXPECT_EQ(1, user32.Load("USER32.DLL", 0));
    EXPECT_EQ(0, alerts.Count());
}

TEST(CLoadLibrary, FreeUnloadsALibraryNobodyElseHoldsAndForgetsItsName) {
    const char* name = "cabinet.dll";
    if (GetModuleHandleA(name))
        GTEST_SKIP() << name << " is held by the test program already";
    MessageBoxRecorder alerts(GetModuleHandleA("Tovrin.dll"));
    ASSERT_TRUE(alerts.IsReady());
    CPlainLibrary library;
    ASSERT_EQ(1, library.Load(name, 0));
    ASSERT_NE(nullptr, GetModuleHandleA(name));

    library.Free();

    EXPECT_EQ(nullptr, GetModuleHandleA(name));
    EXPECT_EQ(0, library.IsLoaded());
    EXPECT_EQ(1, library.Load("User32.dll", 0));
    EXPECT_EQ(0, alerts.Count());
}

TEST(CLoadLibrary, DestructionUnloadsTheLibrary) {
    const char* name = "cabinet.dll";
    if (GetModuleHandleA(name))
        GTEST_SKIP() << name << " is held by the test program already";
    {
        CPlainLibrary library;
        ASSERT_EQ(1, library.Load(name, 0));
        ASSERT_NE(nullptr, GetModuleHandleA(name));
    }
    EXPECT_EQ(nullptr, GetModuleHandleA(name));
}

TEST(CLoadLibrary, FreeOfALibraryHeldElsewhereDropsOnlyItsOwnReferenceAndKeepsTheName) {
    const char* name = "cabinet.dll";
    if (GetModuleHandleA(name))
        GTEST_SKIP() << name << " is held by the test program already";
    MessageBoxRecorder alerts(GetModuleHandleA("Tovrin.dll"));
    ASSERT_TRUE(alerts.IsReady());
    HMODULE ownReference = LoadLibraryA(name);
    ASSERT_NE(nullptr, ownReference);
    CPlainLibrary library;
    ASSERT_EQ(1, library.Load(name, 0));

    library.Free();
    library.Free();

    EXPECT_NE(nullptr, GetModuleHandleA(name));
    EXPECT_EQ(1, library.IsLoaded());
    EXPECT_EQ(0, library.Load("User32.dll", 0));
    EXPECT_EQ(1, alerts.Count());
    FreeLibrary(ownReference);
    EXPECT_EQ(nullptr, GetModuleHandleA(name));
}
