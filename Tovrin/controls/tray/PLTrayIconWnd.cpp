#include "PLTrayIconWnd.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "Mbcs.h"
#include "PostedText.h"
#include "TovrinModule.h"
#include "UtilityLib.h"

namespace {

const char kWindowClass[] = "TovrinTrayIconWindow";

// The Windows XP layout: a 128-byte tip, balloon fields and the GUID, without Vista's
// balloon icon.
const DWORD kNotifyIconDataSize = NOTIFYICONDATAA_V3_SIZE;
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V3_SIZE == 504, "the XP structure is 504 bytes on 32-bit Windows");
#endif

bool IsForwardedClick(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return true;
    }
    return false;
}

// Whole characters only: a lead byte cut from its trail byte would show as garbage.
void CopyTip(const CString& tip, char (&field)[128]) {
    const size_t length = std::min<size_t>(tip.GetLength(), sizeof(field) - 1);
    memcpy(field, tip.GetString(), length);
    field[length] = '\0';
    field[Mbcs::LengthWithoutBrokenTail(field)] = '\0';
}

}  // namespace

CPLTrayIconWnd::CPLTrayIconWnd()
    : m_imageFolder(CUtilityLib::GetAppPath() + "\\Image"),
      m_interval(0),
      m_currentFrame(0),
      m_iconId(0),
      m_visible(false),
      m_animated(false),
      m_currentIcon(-1) {}

CPLTrayIconWnd::~CPLTrayIconWnd() {
    // While the derived object still exists, so that OnDestroy runs.
    if (m_hWnd)
        DestroyWindow();
}

BOOL CPLTrayIconWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd || !RegisterTovrinWindowClass(kWindowClass))
        return FALSE;
    // The class is Tovrin's, so CWnd::CreateEx (the program's instance) would not find it.
    HookWindowCreate();
    HWND window = ::CreateWindowExA(0, kWindowClass, "", style, rect.left, rect.top, rect.right - rect.left,
                                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), TovrinModule(), nullptr);
    UnhookWindowCreate();
    return window && m_hWnd == window;
}

int CPLTrayIconWnd::LoadIconA(const char* name) {
    const CString path = m_imageFolder + "\\" + name;
    HANDLE icon = ::LoadImageA(nullptr, path, IMAGE_ICON, 16, 16, LR_LOADFROMFILE);
    m_icons.push_back(std::make_unique<CIconHandle>(static_cast<HICON>(icon)));
    return GetIconCount() - 1;
}

HICON CPLTrayIconWnd::GetIcon(int index) const {
    return index >= 0 && index < GetIconCount() ? static_cast<HICON>(*m_icons[index]) : nullptr;
}

BOOL CPLTrayIconWnd::ShowIcon(int index, const char* tip) {
    StopAnimate();
    if (tip)
        m_tip = tip;
    return ShowLoadedIcon(index);
}

void CPLTrayIconWnd::HideIcon() {
    StopAnimate();
    if (!m_visible)
        return;
    Notify(NIM_DELETE, 0);
    m_visible = false;
}

void CPLTrayIconWnd::SetAnimate(CArray<int, int>& frames, int interval) {
    m_frames.Copy(frames);
    m_interval = interval;
}

void CPLTrayIconWnd::StartAnimate() {
    m_currentFrame = 0;
    m_animated = true;
    ShowLoadedIcon(m_frames.IsEmpty() ? -1 : m_frames[0]);
    SetTimer(kAnimationTimer, m_interval);
}

void CPLTrayIconWnd::SetTrayText(const char* tip) {
    m_tip = tip;
    if (m_visible)
        Notify(NIM_MODIFY, NIF_TIP);
}

LRESULT CPLTrayIconWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_TIMER:
        if (wParam == kAnimationTimer) {
            OnTimer();
            return 0;
        }
        break;
    case kNotifyMessage:
        OnTrayNotify(static_cast<UINT>(lParam));
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CPLTrayIconWnd::OnCreate() {
    m_iconId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(m_hWnd));
    m_visible = false;
    m_animated = false;
}

void CPLTrayIconWnd::OnDestroy() {
    if (m_visible)
        Notify(NIM_DELETE, 0);
    m_visible = false;
    StopAnimate();
    m_icons.clear();
}

void CPLTrayIconWnd::OnTimer() {
    if (m_frames.IsEmpty())
        return;
    m_currentFrame = (m_currentFrame + 1) % m_frames.GetSize();
    ShowLoadedIcon(m_frames[m_currentFrame]);
}

void CPLTrayIconWnd::OnTrayNotify(UINT mouseMessage) {
    if (!IsForwardedClick(mouseMessage))
        return;
    CWnd* mainWnd = AfxGetMainWnd();
    PostTextCopy(mainWnd ? mainWnd->GetSafeHwnd() : nullptr, kCommandLinkMessage, mouseMessage, m_trayMessage);
    ::PostMessageA(::GetParent(m_hWnd), kNotifyMessage, mouseMessage, reinterpret_cast<LPARAM>(m_hWnd));
}

void CPLTrayIconWnd::StopAnimate() {
    if (m_hWnd)
        KillTimer(kAnimationTimer);
    m_animated = false;
}

BOOL CPLTrayIconWnd::ShowLoadedIcon(int index) {
    m_currentIcon = index;
    const UINT flags = NIF_MESSAGE | NIF_ICON | (m_tip.IsEmpty() ? 0 : NIF_TIP);
    if (m_visible)
        return Notify(NIM_MODIFY, flags);
    m_visible = Notify(NIM_ADD, flags) != FALSE;
    return m_visible;
}

BOOL CPLTrayIconWnd::Notify(DWORD action, UINT flags) {
    NOTIFYICONDATAA data = {};
    data.cbSize = kNotifyIconDataSize;
    data.hWnd = m_hWnd;
    data.uID = m_iconId;
    data.uFlags = flags;
    data.uCallbackMessage = kNotifyMessage;
    data.hIcon = GetIcon(m_currentIcon);
    CopyTip(m_tip, data.szTip);
    return ::Shell_NotifyIconA(action, &data);
}
