#include <gtest/gtest.h>

#include <exdispid.h>

#include <string>
#include <vector>

#include "browser/BrowserSite.h"

namespace {

class RecordingOwner : public CBrowserSiteOwner {
public:
    HWND SiteWindow() const override { return nullptr; }
    bool CancelNavigation(IDispatch* frame, const CString& address) override {
        navigations.push_back(std::string(address));
        navigationFrame = frame;
        return cancelNavigation;
    }
    void DocumentComplete(IDispatch* frame) override { completedFrames.push_back(frame); }
    void CloseRequested() override { ++closeRequests; }
    bool CancelNewWindow(const CString& address) override {
        newWindows.push_back(std::string(address));
        return true;
    }

    bool cancelNavigation = false;
    std::vector<std::string> navigations;
    IDispatch* navigationFrame = nullptr;
    std::vector<IDispatch*> completedFrames;
    int closeRequests = 0;
    std::vector<std::string> newWindows;
};

// The arguments of one event, stored last first as IDispatch::Invoke receives them.
class EventArguments {
public:
    explicit EventArguments(size_t count) : m_values(count) {
        for (VARIANT& value : m_values)
            VariantInit(&value);
    }
    ~EventArguments() {
        for (BSTR text : m_texts)
            SysFreeString(text);
    }
    void Dispatch(size_t fromLast, IDispatch* frame) {
        V_VT(&m_values[fromLast]) = VT_DISPATCH;
        V_DISPATCH(&m_values[fromLast]) = frame;
    }
    void Text(size_t fromLast, const wchar_t* text) {
        m_texts.push_back(SysAllocString(text));
        V_VT(&m_values[fromLast]) = VT_BSTR;
        V_BSTR(&m_values[fromLast]) = m_texts.back();
    }
    // As BeforeNavigate2 passes its URL: a reference to a VARIANT holding the text.
    void TextByReference(size_t fromLast, const wchar_t* text) {
        m_referenced.resize(1);
        VariantInit(&m_referenced[0]);
        m_texts.push_back(SysAllocString(text));
        V_VT(&m_referenced[0]) = VT_BSTR;
        V_BSTR(&m_referenced[0]) = m_texts.back();
        V_VT(&m_values[fromLast]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&m_values[fromLast]) = &m_referenced[0];
    }
    void Cancel(size_t fromLast) {
        V_VT(&m_values[fromLast]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&m_values[fromLast]) = &cancel;
    }
    DISPPARAMS* Parameters() {
        m_parameters.rgvarg = m_values.data();
        m_parameters.cArgs = static_cast<UINT>(m_values.size());
        return &m_parameters;
    }

    VARIANT_BOOL cancel = VARIANT_FALSE;

private:
    std::vector<VARIANT> m_values;
    std::vector<VARIANT> m_referenced;
    std::vector<BSTR> m_texts;
    DISPPARAMS m_parameters = {};
};

HRESULT Fire(CBrowserSite* site, DISPID id, EventArguments& arguments) {
    return site->EventSink()->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, arguments.Parameters(), nullptr, nullptr,
                                     nullptr);
}

class BrowserSiteTest : public ::testing::Test {
protected:
    void TearDown() override {
        site->Detach();
        site->Release();
    }

    RecordingOwner owner;
    CBrowserSite* site = new CBrowserSite(&owner);
    IDispatch* const frame = reinterpret_cast<IDispatch*>(0x1234);
};

}  // namespace

TEST_F(BrowserSiteTest, BeforeNavigateHandsOverFrameAndAddressAndCancelsWhenTheOwnerSays) {
    for (bool cancel : {false, true}) {
        owner.cancelNavigation = cancel;
        EventArguments arguments(7);
        arguments.Dispatch(6, frame);
        arguments.TextByReference(5, L"http://maker.invalid/next.htm?a=1");
        arguments.Cancel(0);

        EXPECT_EQ(S_OK, Fire(site, DISPID_BEFORENAVIGATE2, arguments));

        EXPECT_EQ(cancel ? VARIANT_TRUE : VARIANT_FALSE, arguments.cancel);
    }
    ASSERT_EQ(2u, owner.navigations.size());
    EXPECT_EQ("http://maker.invalid/next.htm?a=1", owner.navigations[1]);
    EXPECT_EQ(frame, owner.navigationFrame);
}

TEST_F(BrowserSiteTest, DocumentCompleteNamesItsFrame) {
    EventArguments arguments(2);
    arguments.Dispatch(1, frame);
    arguments.TextByReference(0, L"http://maker.invalid/");

    Fire(site, DISPID_DOCUMENTCOMPLETE, arguments);

    ASSERT_EQ(1u, owner.completedFrames.size());
    EXPECT_EQ(frame, owner.completedFrames[0]);
}

TEST_F(BrowserSiteTest, PagesCloseRequestIsCancelledAndReported) {
    EventArguments arguments(2);
    V_VT(&arguments.Parameters()->rgvarg[1]) = VT_BOOL;
    arguments.Cancel(0);

    Fire(site, DISPID_WINDOWCLOSING, arguments);

    EXPECT_EQ(VARIANT_TRUE, arguments.cancel);
    EXPECT_EQ(1, owner.closeRequests);
}

TEST_F(BrowserSiteTest, NewWindowWithItsAddressIsCancelledAndHandedOver) {
    EventArguments arguments(5);
    arguments.Cancel(3);
    arguments.Text(1, L"http://maker.invalid/notice.htm");
    arguments.Text(0, L"http://maker.invalid/popup.htm");

    Fire(site, DISPID_NEWWINDOW3, arguments);

    EXPECT_EQ(VARIANT_TRUE, arguments.cancel);
    ASSERT_EQ(1u, owner.newWindows.size());
    EXPECT_EQ("http://maker.invalid/popup.htm", owner.newWindows[0]);
}

TEST_F(BrowserSiteTest, DetachedSiteReportsNothing) {
    site->Detach();
    EventArguments arguments(2);
    arguments.Cancel(0);

    Fire(site, DISPID_WINDOWCLOSING, arguments);

    EXPECT_EQ(VARIANT_FALSE, arguments.cancel);
    EXPECT_EQ(0, owner.closeRequests);
}

TEST_F(BrowserSiteTest, ContextMenuIsSwallowedAndOnlyTheBrowsersOwnKeysAreTaken) {
    IDocHostUIHandler* handler = nullptr;
    ASSERT_EQ(S_OK, site->EventSink()->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)));
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    BYTE state[256];
    memcpy(state, saved, sizeof state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    MSG controlP = {};
    controlP.message = WM_KEYDOWN;
    controlP.wParam = 'P';
    MSG controlC = controlP;
    controlC.wParam = 'C';

    const HRESULT printKey = handler->TranslateAccelerator(&controlP, nullptr, 0);
    const HRESULT copyKey = handler->TranslateAccelerator(&controlC, nullptr, 0);
    SetKeyboardState(saved);
    POINT at = {10, 10};
    const HRESULT menu = handler->ShowContextMenu(0, &at, nullptr, nullptr);
    handler->Release();

    EXPECT_EQ(S_OK, printKey);
    EXPECT_EQ(S_FALSE, copyKey);
    EXPECT_EQ(S_OK, menu);
}
