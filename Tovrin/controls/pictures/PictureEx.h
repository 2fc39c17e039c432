#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include "CString.h"
#include "Controls.h"
#include "GdiObjects.h"
#include "Handle.h"
#include "Picture.h"
#include "TovrinApi.h"

// A static control that shows a picture file at its top-left corner; an animated GIF plays on
// a thread of its own with the frame delays of the file, its first 256 frames at most. The thread only advances the frame
// number and invalidates the window; frames are painted by the window's thread. It is stopped
// (and waited for) before the window is destroyed or another picture is loaded.
class TOVRIN_API CPictureEx : public CStatic {
public:
    CPictureEx();
    ~CPictureEx() override;

    // "text\npicture": the first line becomes the window text, the second names the picture file
    // (a path, or a file of the image folder beside the program). Without a second line, or when
    // the file cannot be shown, the control has no picture and draws as a plain static. A text set
    // any other way (SetDlgItemText, WM_SETTEXT) is read the same way.
    void SetWindowTextA(const char* text);

    bool HasPicture() const { return m_picture.IsLoaded() || !m_frames.empty(); }
    int GetFrameCount() const { return static_cast<int>(m_frames.size()); }
    int GetCurrentFrame() const { return m_currentFrame; }
    // The picture's own size in screen pixels; 0 x 0 without a picture.
    CSize GetPictureSize() const;
    // The animation thread while one runs, else null; the control keeps it.
    HANDLE GetAnimationThread() const { return m_thread; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;

private:
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void LoadPicture(const CString& file);
    bool LoadFrames(const std::vector<BYTE>& bytes);
    void ClearPicture();
    void StartAnimation();
    void StopAnimation();
    static DWORD WINAPI AnimationThread(LPVOID control);
    void Animate();
    void Paint(HDC dc);

    CString m_imageFolder;
    CPicture m_picture;
    std::vector<std::unique_ptr<CBitmap>> m_frames;
    std::vector<UINT> m_delays;
    CSize m_frameSize;
    std::atomic<int> m_currentFrame;
    CHandle m_stopEvent;
    CHandle m_thread;
};
