#include "PictureEx.h"

#include <cstring>

#include "DCSelection.h"
#include "GifDecoder.h"
#include "PictureFile.h"
#include "UtilityLib.h"
#include "WindowFacts.h"

namespace {

// Browsers show frames with a shorter delay (often written as 0) for 100 ms.
const UINT kShortestDelay = 20;
const UINT kShortDelayReplacement = 100;
// Every frame is a bitmap: thousands of tiny frames would use up the process's GDI objects.
const size_t kMostFrames = 256;

bool IsGif(const std::vector<BYTE>& bytes) { return bytes.size() >= 4 && std::memcmp(bytes.data(), "GIF8", 4) == 0; }

bool IsPath(const CString& file) { return file.Find('\\') >= 0 || file.Find('/') >= 0 || file.Find(':') >= 0; }

// "text\npicture": the window text and the picture file name. A line feed is never a CP949
// trail byte, so the text splits bytewise.
struct PictureText {
    CString text;
    CString file;
};

PictureText SplitPictureText(const CString& whole) {
    PictureText parts;
    const int firstEnd = whole.Find('\n');
    parts.text = firstEnd < 0 ? whole : whole.Left(firstEnd);
    if (firstEnd >= 0) {
        const int secondEnd = whole.Find('\n', firstEnd + 1);
        parts.file = secondEnd < 0 ? whole.Mid(firstEnd + 1) : whole.Mid(firstEnd + 1, secondEnd - firstEnd - 1);
        parts.file.Trim();
    }
    return parts;
}

HBITMAP CreateFrameBitmap(const GifAnimation& animation, const GifFrame& frame) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = animation.width;
    info.bmiHeader.biHeight = -animation.height;  // rows top to bottom, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap)
        std::memcpy(bits, frame.pixels.data(), frame.pixels.size() * sizeof(DWORD));
    return bitmap;
}

}  // namespace

CPictureEx::CPictureEx() : m_imageFolder(CUtilityLib::GetAppPath() + "\\Image"), m_currentFrame(0) {}

CPictureEx::~CPictureEx() { StopAnimation(); }

CSize CPictureEx::GetPictureSize() const { return m_frames.empty() ? m_picture.GetSize(static_cast<HDC>(nullptr)) : m_frameSize; }

void CPictureEx::PreSubclassWindow() {
    // A control made by CreateEx has no text yet here; WM_CREATE applies it.
    const CString whole = GetWindowTextOf(m_hWnd);
    if (whole.Find('\n') < 0)
        return;
    // Not subclassed yet: this WM_SETTEXT goes straight to the static.
    const PictureText parts = SplitPictureText(whole);
    ::SetWindowTextA(m_hWnd, parts.text);
    LoadPicture(parts.file);
}

void CPictureEx::SetWindowTextA(const char* text) {
    if (m_hWnd)
        ::SetWindowTextA(m_hWnd, text);  // applied in WM_SETTEXT, like any other text
    else
        LoadPicture(SplitPictureText(text).file);
}

LRESULT CPictureEx::OnSetText(WPARAM wParam, LPARAM lParam) {
    const PictureText parts = SplitPictureText(lParam ? reinterpret_cast<const char*>(lParam) : "");
    const LRESULT result = CStatic::WindowProc(WM_SETTEXT, wParam, reinterpret_cast<LPARAM>(parts.text.GetString()));
    LoadPicture(parts.file);
    return result;
}

void CPictureEx::LoadPicture(const CString& file) {
    ClearPicture();
    std::vector<BYTE> bytes;
    if (!file.IsEmpty() && ReadPictureFile(IsPath(file) ? file : m_imageFolder + "\\" + file, bytes)) {
        if (IsGif(bytes))
            LoadFrames(bytes);
        else
            m_picture.LoadFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    if (!m_hWnd)
        return;
    // The thread invalidates the window: without one it would invalidate every window.
    if (m_frames.size() > 1)
        StartAnimation();
    Invalidate();
}

bool CPictureEx::LoadFrames(const std::vector<BYTE>& bytes) {
    GifAnimation animation;
    if (!DecodeGif(bytes.data(), bytes.size(), animation, kMostFrames))
        return false;
    for (const GifFrame& frame : animation.frames) {
        auto bitmap = std::make_unique<CBitmap>();
        if (!bitmap->Attach(CreateFrameBitmap(animation, frame))) {
            m_frames.clear();
            m_delays.clear();
            return false;
        }
        m_frames.push_back(std::move(bitmap));
        m_delays.push_back(frame.delay < kShortestDelay ? kShortDelayReplacement : frame.delay);
    }
    m_frameSize = CSize(animation.width, animation.height);
    return true;
}

void CPictureEx::ClearPicture() {
    StopAnimation();
    m_picture.UnLoad();
    m_frames.clear();
    m_delays.clear();
    m_frameSize = CSize();
    m_currentFrame = 0;
}

void CPictureEx::StartAnimation() {
    m_stopEvent.Attach(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (m_stopEvent.IsValid())
        m_thread.Attach(::CreateThread(nullptr, 0, &CPictureEx::AnimationThread, this, 0, nullptr));
}

void CPictureEx::StopAnimation() {
    if (m_thread.IsValid()) {
        ::SetEvent(m_stopEvent);
        ::WaitForSingleObject(m_thread, INFINITE);
    }
    m_thread.Close();
    m_stopEvent.Close();
}

DWORD WINAPI CPictureEx::AnimationThread(LPVOID control) {
    try {
        static_cast<CPictureEx*>(control)->Animate();
    } catch (...) {
        // The picture stops moving; nothing may unwind into the system's thread start.
    }
    return 0;
}

void CPictureEx::Animate() {
    // Frames and delays stay unchanged while this runs: every change stops the thread first.
    const int count = static_cast<int>(m_delays.size());
    int frame = m_currentFrame;
    while (::WaitForSingleObject(m_stopEvent, m_delays[frame]) == WAIT_TIMEOUT) {
        frame = (frame + 1) % count;
        m_currentFrame = frame;
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

LRESULT CPictureEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = CStatic::WindowProc(message, wParam, lParam);
        const CString whole = GetWindowTextOf(m_hWnd);
        if (whole.Find('\n') >= 0)
            OnSetText(0, reinterpret_cast<LPARAM>(whole.GetString()));
        return result;
    }
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_DESTROY:
        StopAnimation();
        break;
    case WM_ERASEBKGND:
        if (HasPicture())
            return TRUE;  // Paint fills the background itself, without flicker
        break;
    case WM_PAINT:
        if (HasPicture()) {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(m_hWnd, &paint);
            Paint(dc);
            ::EndPaint(m_hWnd, &paint);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (HasPicture()) {
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

// Background (the parent's static colour) and picture are put together off screen first.
void CPictureEx::Paint(HDC dc) {
    CRect client;
    GetClientRect(client);
    CDC buffer;
    CBitmap canvas;
    if (client.IsRectEmpty() || !buffer.CreateCompatibleDC(dc) ||
        !canvas.CreateCompatibleBitmap(dc, client.Width(), client.Height()))
        return;
    CDCSelection canvasSelection(buffer, canvas);

    HBRUSH background = reinterpret_cast<HBRUSH>(::SendMessageA(::GetParent(m_hWnd), WM_CTLCOLORSTATIC,
                                                                reinterpret_cast<WPARAM>(buffer.GetSafeHdc()),
                                                                reinterpret_cast<LPARAM>(m_hWnd)));
    buffer.FillRect(client, background ? background : ::GetSysColorBrush(COLOR_BTNFACE));

    if (!m_frames.empty()) {
        CDC frameDc;
        if (frameDc.CreateCompatibleDC(dc)) {
            CDCSelection frameSelection(frameDc, *m_frames[m_currentFrame]);
            const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            ::GdiAlphaBlend(buffer, 0, 0, m_frameSize.cx, m_frameSize.cy, frameDc, 0, 0, m_frameSize.cx,
                            m_frameSize.cy, blend);
        }
    } else {
        m_picture.Draw(buffer.GetSafeHdc(), 0, 0);
    }
    ::BitBlt(dc, 0, 0, client.Width(), client.Height(), buffer, 0, 0, SRCCOPY);
}
