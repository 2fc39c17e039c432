#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "Arrays.h"
#include "CString.h"
#include "Handle.h"
#include "TovrinApi.h"
#include "Wnd.h"

// Owns one icon in the notification area: loads icon files of the image folder beside the
// program, shows one of them or an animation, and keeps the tool tip. A left or right press or
// double click on the icon posts kCommandLinkMessage (wParam the mouse message, lParam a
// LocalAlloc copy of the tray message text that the receiver frees) to the application's main
// window and kNotifyMessage (wParam the mouse message, lParam this window) to the parent.
// The icon's id is the window's handle value. Re-adding the icon after Explorer restarts is
// the host's business.
class TOVRIN_API CPLTrayIconWnd : public CWnd {
public:
    static const UINT kNotifyMessage = 0x8114;
    static const UINT kCommandLinkMessage = 0x7F0E;
    static const UINT_PTR kAnimationTimer = 100;

    CPLTrayIconWnd();
    ~CPLTrayIconWnd() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Appends the 16 x 16 icon of image folder\name, or a null icon when it cannot be loaded;
    // returns its index.
    int LoadIconA(const char* name);
    // Null for an index that was never loaded.
    HICON GetIcon(int index) const;
    int GetIconCount() const { return static_cast<int>(m_icons.size()); }

    // Stops the animation and shows the icon of that index (added, or changed when visible); a
    // tip that is not null becomes the tool tip. Returns Shell_NotifyIconA's result.
    BOOL ShowIcon(int index, const char* tip);
    // Stops the animation; removes the icon when visible.
    void HideIcon();
    // Frames are indexes of loaded icons; nothing starts until StartAnimate.
    void SetAnimate(CArray<int, int>& frames, int interval);
    // Shows frame 0 and then the next frame every interval. Needs at least one frame.
    void StartAnimate();
    void SetTrayText(const char* tip);
    void SetTrayMessageRERU(const char* text) { m_trayMessage = text; }

    bool IsVisible() const { return m_visible; }
    bool IsAnimated() const { return m_animated; }
    int GetCurrentIcon() const { return m_currentIcon; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnDestroy();
    void OnTimer();
    void OnTrayNotify(UINT mouseMessage);
    void StopAnimate();
    // Adds the icon when it is not visible, else changes it to that icon.
    BOOL ShowLoadedIcon(int index);
    BOOL Notify(DWORD action, UINT flags);

    CString m_imageFolder;
    std::vector<std::unique_ptr<CIconHandle>> m_icons;
    CString m_trayMessage;
    CArray<int, int> m_frames;
    int m_interval;
    int m_currentFrame;
    CString m_tip;
    UINT m_iconId;
    bool m_visible;
    bool m_animated;
    int m_currentIcon;
};
