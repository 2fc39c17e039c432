#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Framework.h"
#include "TovrinApi.h"

// The base of the program's dialogs: child controls that follow resizing, track limits,
// placement against the parent or the screen, a solid background with frame-and-fill decorations
// declared in the template, template controls subclassed into the library's own controls,
// per-control default buttons, icons, and modeless use with self-deletion.
//
// OnInitDialog first calls BindControls, where a derived dialog subclasses its own control members
// (SubclassDlgItem), and then subclasses the template controls that no object holds yet, so a
// dialog may call CResizeDlg::OnInitDialog first and do its own work after it.
class TOVRIN_API CResizeDlg : public CDialog {
public:
    // Placement flags (SetDialogAlign, AlignDialog). 0 centres over the application's main window.
    enum : DWORD {
        kAlignCentreOverParent = 0x01,
        kAlignOutsideX = 0x02,  // with kAlignLeft/kAlignRight: just beside the reference
        kAlignOutsideY = 0x04,  // with kAlignTop/kAlignBottom: just above/below the reference
        kAlignTop = 0x08,
        kAlignBottom = 0x10,
        kAlignLeft = 0x20,
        kAlignRight = 0x40,
    };

    explicit CResizeDlg(UINT templateId, CWnd* parent = nullptr);
    ~CResizeDlg() override;

    INT_PTR DoModal() override;
    using CDialog::Create;
    // Both template forms end here.
    BOOL Create(const char* templateName, CWnd* parent = nullptr) override;
    bool IsModal() const { return m_modal; }
    // Only a modeless dialog deletes itself; the object must then come from new.
    void SetAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }

    // The small icon of every dialog that was given none of its own.
    static void SetGlobalIcon(HICON icon);
    void SetIcon(HICON icon, bool big);

    // Records the initial client and window sizes once (the first call with a window); both
    // minimums other than -1 become the minimum track size.
    void InitResize(int minWidth = -1, int minHeight = -1);
    void SetMinSize(int width, int height);
    // -1: no limit; below 1: fixed at the window's current size.
    void SetMaxWidth(int width) { m_maxWidth = width; }
    void SetMaxHeight(int height) { m_maxHeight = height; }
    // Rates in percent of the growth of the client area: 100 follows the right/bottom edge,
    // 50 stays centred. A control may be registered to move and to size.
    void MoveXYRate(int id, int xRate, int yRate);
    void MoveXYRate(HWND control, int xRate, int yRate);
    void SizeXYRate(int id, int widthRate, int heightRate);
    void SizeXYRate(HWND control, int widthRate, int heightRate);

    void SetBackgroundColor(COLORREF colour);
    void SetDialogAlign(DWORD flags) { m_dialogAlign = flags; }
    // While controlId has the focus (EN_SETFOCUS to EN_KILLFOCUS), buttonId is the default button.
    void SetDefaultButton(UINT controlId, UINT buttonId) { m_focusDefaultButtons[controlId] = buttonId; }
    void EnableDlgItem(UINT id, BOOL enable);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    // Runs inside OnInitDialog before the template controls are subclassed; controls bound here
    // keep the derived dialog's objects.
    virtual void BindControls() {}
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    virtual void OnSize(UINT type, int cx, int cy);
    void AlignDialog(DWORD flags);

private:
    struct LayoutEntry {
        HWND window = nullptr;
        bool moves = false;
        bool sizes = false;
        CPoint base;
        CSize moveRate;
        CSize baseSize;
        CSize sizeRate;
    };
    struct Decoration {
        HWND window = nullptr;
        bool hasFrame = false;
        COLORREF frameColour = 0;
        int frameWidth = 1;
        bool hasFill = false;
        COLORREF fillColour = 0;
        CRect inflation;
    };

    void ApplyIcons();
    void SubclassTemplateControls();
    void AdoptControl(std::unique_ptr<CWnd> control, HWND window);
    void ChooseDefaultButton();
    void CloseModeless();
    void ForgetWindowState();

    void Register(HWND control, const std::function<void(LayoutEntry&, const CRect&, CSize)>& fill);
    LayoutEntry TakeLayoutEntry(HWND control);
    CRect ChildRect(HWND control) const;
    CSize ClientGrowth() const;
    void ApplyLayout(CSize growth);
    void OnGetMinMaxInfo(MINMAXINFO* info);

    void AddDecoration(HWND staticWindow, const CString& text);
    BOOL OnEraseBkgnd(HDC dc);
    LRESULT OnCtlColor(HDC dc);

    void CentreOver(HWND reference);
    void MoveWindowTo(int x, int y);

    static HICON s_globalIcon;

    bool m_autoDelete;
    bool m_modal;
    HICON m_bigIcon;
    HICON m_smallIcon;
    DWORD m_dialogAlign;
    CSize m_minSize;
    CSize m_initialClientSize;
    CSize m_initialWindowSize;
    int m_maxWidth;
    int m_maxHeight;
    // OnSize can be re-entered on this thread when moving a control resizes the dialog.
    bool m_layingOut;
    bool m_layoutPending;
    std::vector<LayoutEntry> m_layout;
    COLORREF m_backgroundColour;
    CBrush m_backgroundBrush;
    std::vector<std::unique_ptr<CWnd>> m_ownedControls;
    std::vector<Decoration> m_decorations;
    UINT m_defaultButton;
    std::map<UINT, UINT> m_focusDefaultButtons;
};
