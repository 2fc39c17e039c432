#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlHost.h"
#include "FileProbe.h"
#include "MakerSite.h"
#include "MessagePump.h"
#include "ServiceFiles.h"
#include "ServiceState.h"
#include "TestFixtures.h"
#include "TestImages.h"
#include "UtilityLib.h"
#include "advert/APPMainAdCtrl.h"

// Advert controls in a hidden host window, with the application-data folder in a temp folder
// (USERPROFILE redirected, sub-path "vantrel") and the loopback server serving two pictures:
// /ad/big.gif (40 x 40) and /ad/small.gif (8 x 6).
class AdvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakerSite::IsRunning()) << "start scripts/maker-server.sh";
        ASSERT_TRUE(host.m_hWnd);
        CServiceState::Reset();
        CServiceState::SetServiceFileAvailable(true);
        ASSERT_TRUE(MakerSite::Put("ad/big.gif", Bytes(IDI_SPINNER_GIF)));
        ASSERT_TRUE(MakerSite::Put("ad/small.gif", Bytes(IDI_THREE_FRAMES_GIF)));
        MakerSite::ClearRequests();
    }
    void TearDown() override { CServiceState::Reset(); }

    static std::string Bytes(int resource) {
        const std::vector<BYTE> bytes = TestImages::ResourceBytes(resource);
        return std::string(bytes.begin(), bytes.end());
    }
    static std::string ImageUrl(const char* path) { return MakerSite::BaseUrl() + path; }

    CString AppData() const { return files.Home() + "\\AppData\\LocalLow\\vantrel"; }
    CString ConfigIni() const { return AppData() + "\\Config.ini"; }
    CString DefaultCache() const { return AppData() + "\\image\\mainad.gif"; }

    void WriteServiceFile(const std::string& text) { files.WriteServiceIni(text); }
    void WriteCache(const CString& path, int resource) {
        CUtilityLib::CreateMultiFolder(path, 0);
        ASSERT_TRUE(TestImages::WriteBytes(path, TestImages::ResourceBytes(resource)));
    }
    CString CachedVersion(const char* section) const {
        return CUtilityLib::GetPrivateProfileStringA(section, "VER", ConfigIni());
    }

    void Create(CAPPMainAdCtrl& ad, const CRect& rect = CRect(100, 10, 200, 50)) {
        ASSERT_TRUE(ad.Create("", WS_CHILD | WS_VISIBLE, rect, &host, 1008));
    }
    // A control the way a dialog template makes it: an existing static, subclassed.
    void Subclass(CAPPMainAdCtrl& ad, const CRect& rect = CRect(100, 10, 200, 50)) {
        HWND window = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.Width(),
                                        rect.Height(), host.m_hWnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(ad.SubclassWindow(window));
    }
    // Until the refresh under way has been applied.
    static bool WaitForRefresh(CAPPMainAdCtrl& ad) {
        return PumpUntil([&] { return ad.GetWorkerThread() == nullptr; }, 10000);
    }
    static void RefreshAndWait(CAPPMainAdCtrl& ad) {
        ad.SendMessage(CAPPMainAdCtrl::kRefreshNow);
        EXPECT_TRUE(WaitForRefresh(ad));
    }
    // The host is never shown, so IsWindowVisible would be false for every control in it.
    static bool IsShown(const CWnd& control) { return (control.GetStyle() & WS_VISIBLE) != 0; }
    CRect RectInHost(const CWnd& control) const {
        CRect rect;
        control.GetWindowRect(rect);
        host.ScreenToClient(rect);
        return rect;
    }

    ServiceFiles files;
    ControlHost host;
};
