#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ControlHost.h"
#include "MessagePump.h"
#include "PictureEx.h"
#include "PixelCanvas.h"
#include "TestFixtures.h"
#include "TestImages.h"

namespace {

using namespace TestImages;

const CRect kControl(10, 10, 50, 40);

// GDI objects of this process, counted from an unknown constant. Wine's GetGuiResources answers
// 0; there the count is told by how many more brushes the process can still make.
long GdiObjectsInUse() {
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported)
        return static_cast<long>(reported);
    std::vector<HBRUSH> brushes;
    while (HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3))) {
        brushes.push_back(brush);
        if (brushes.size() > 1000000)
            break;
    }
    for (HBRUSH brush : brushes)
        ::DeleteObject(brush);
    return -static_cast<long>(brushes.size());
}

// A duplicate of the control's animation thread handle: still valid after the control closed
// its own.
class ThreadWatch {
public:
    explicit ThreadWatch(HANDLE thread) {
        if (thread)
            ::DuplicateHandle(::GetCurrentProcess(), thread, ::GetCurrentProcess(), &m_thread, SYNCHRONIZE, FALSE, 0);
    }
    ~ThreadWatch() {
        if (m_thread)
            ::CloseHandle(m_thread);
    }
    ThreadWatch(const ThreadWatch&) = delete;
    ThreadWatch& operator=(const ThreadWatch&) = delete;

    bool IsWatching() const { return m_thread != nullptr; }
    bool HasEnded() const { return ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0; }

private:
    HANDLE m_thread = nullptr;
};

class PictureExTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(host.m_hWnd);
        ASSERT_TRUE(WriteBytes(gif, ResourceBytes(IDI_THREE_FRAMES_GIF)));
        ASSERT_TRUE(WriteBytes(bitmap, ResourceBytes(IDI_PROBE_BMP)));
    }
    void TearDown() override { ::CoUninitialize(); }

    void Create(CPictureEx& control, const char* text = "") {
        ASSERT_TRUE(control.Create(text, WS_CHILD | WS_VISIBLE, kControl, &host));
    }

    // What the control paints, read back from a canvas of its size.
    static COLORREF Painted(CPictureEx& control, int x, int y) {
        PixelCanvas canvas(kControl.Width(), kControl.Height(), RGB(1, 2, 3));
        control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        return canvas.At(x, y);
    }

    ControlHost host;
    TempFolder folder;
    const CString gif = folder / "three-frames.gif";
    const CString bitmap = folder / "probe.bmp";
};

TEST_F(PictureExTest, FirstLineIsTheTextAndTheSecondThePicture) {
    CPictureEx control;
    Create(control);
    control.SetWindowTextA("광고\n" + bitmap);
    CString text;
    control.GetWindowText(text);
    EXPECT_EQ(text, "광고");
    EXPECT_TRUE(control.HasPicture());
    EXPECT_EQ(control.GetFrameCount(), 0) << "a bitmap is no animation";
    EXPECT_EQ(control.GetAnimationThread(), nullptr);
    EXPECT_EQ(Painted(control, 0, 0), kProbeTopLeft);
    EXPECT_EQ(Painted(control, 6, 4), kProbeBottomRight);
}

TEST_F(PictureExTest, PictureSizeIsTheFilesOwnSize) {
    struct Case {
        CString file;
        CSize size;
    };
    const Case cases[] = {{gif, CSize(8, 6)}, {bitmap, CSize(7, 5)}, {folder / "missing.gif", CSize(0, 0)}};
    for (const Case& c : cases) {
        CPictureEx control;
        Create(control);
        control.SetWindowTextA("x\n" + c.file);
        const CSize size = control.GetPictureSize();
        EXPECT_EQ(size.cx, c.size.cx) << (const char*)c.file;
        EXPECT_EQ(size.cy, c.size.cy) << (const char*)c.file;
    }
}

TEST_F(PictureExTest, AnimatedGifPlaysItsFramesOneAfterAnother) {
    CPictureEx control;
    Create(control);
    control.SetWindowTextA("anim\n" + gif);
    ASSERT_EQ(control.GetFrameCount(), 3);
    ASSERT_NE(control.GetAnimationThread(), nullptr);

    // Frame 0 and 1 have red at the top-left corner, frame 2 yellow; only frame 1 has blue at (3, 2).
    bool sawRed = false, sawBlue = false, sawYellow = false;
    bool sawEveryFrame = PumpUntil([&] {
        sawRed = sawRed || Painted(control, 0, 0) == kRed;
        sawYellow = sawYellow || Painted(control, 0, 0) == kYellow;
        sawBlue = sawBlue || Painted(control, 3, 2) == kBlue;
        return sawRed && sawBlue && sawYellow;
    }, 10000);
    EXPECT_TRUE(sawEveryFrame) << "red " << sawRed << " blue " << sawBlue << " yellow " << sawYellow;
}

TEST_F(PictureExTest, TransparentPixelsShowTheParentsBackground) {
    // The same GIF with its first frame cleared away before frame 1, whose last row is transparent.
    std::vector<BYTE> bytes = ResourceBytes(IDI_THREE_FRAMES_GIF);
    const BYTE control[] = {0x21, 0xF9, 0x04};
    auto found = std::search(bytes.begin(), bytes.end(), std::begin(control), std::end(control));
    ASSERT_NE(found, bytes.end());
    found[3] = static_cast<BYTE>((found[3] & ~0x1C) | (2 << 2));
    const CString cleared = folder / "cleared.gif";
    ASSERT_TRUE(WriteBytes(cleared, bytes));

    CPictureEx picture;
    Create(picture);
    picture.SetWindowTextA("x\n" + cleared);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(PumpUntil([&] { return Painted(picture, 3, 2) == kBlue && Painted(picture, 3, 5) == face; }, 10000));
    EXPECT_EQ(Painted(picture, 30, 20), face) << "beyond the picture";
}

TEST_F(PictureExTest, DestroyingTheWindowStopsTheAnimationThread) {
    CPictureEx control;
    Create(control);
    control.SetWindowTextA("anim\n" + gif);
    ThreadWatch thread(control.GetAnimationThread());
    ASSERT_TRUE(thread.IsWatching());
    PumpFor(150);
    EXPECT_FALSE(thread.HasEnded());

    control.DestroyWindow();
    EXPECT_TRUE(thread.HasEnded()) << "ended before the window went away";
    EXPECT_EQ(control.GetAnimationThread(), nullptr);
}

TEST_F(PictureExTest, DeletingTheControlStopsTheAnimationThread) {
    auto control = std::make_unique<CPictureEx>();
    Create(*control);
    control->SetWindowTextA("anim\n" + gif);
    ThreadWatch thread(control->GetAnimationThread());
    ASSERT_TRUE(thread.IsWatching());
    control.reset();
    EXPECT_TRUE(thread.HasEnded());
}

TEST_F(PictureExTest, AnotherPictureStopsTheOldAnimation) {
    CPictureEx control;
    Create(control);
    control.SetWindowTextA("anim\n" + gif);
    ThreadWatch thread(control.GetAnimationThread());
    ASSERT_TRUE(thread.IsWatching());

    control.SetWindowTextA("still\n" + bitmap);
    EXPECT_TRUE(thread.HasEnded());
    EXPECT_EQ(control.GetFrameCount(), 0);
    EXPECT_EQ(Painted(control, 0, 0), kProbeTopLeft);
}

TEST_F(PictureExTest, NameWithoutAFolderIsLookedUpInTheImageFolder) {
    ImageFolderFile image("PictureExTest-probe.bmp", ResourceBytes(IDI_PROBE_BMP));
    ASSERT_TRUE(image.IsWritten());
    CPictureEx control;
    Create(control);
    control.SetWindowTextA("\nPictureExTest-probe.bmp");
    EXPECT_TRUE(control.HasPicture());
    EXPECT_EQ(Painted(control, 0, 0), kProbeTopLeft);
}

TEST_F(PictureExTest, TextWithoutAPictureLineOrWithAMissingFileShowsNoPicture) {
    CPictureEx control;
    Create(control);
    control.SetWindowTextA("anim\n" + gif);
    control.SetWindowTextA("only text");
    EXPECT_FALSE(control.HasPicture());
    EXPECT_EQ(control.GetAnimationThread(), nullptr);
    CString text;
    control.GetWindowText(text);
    EXPECT_EQ(text, "only text");

    control.SetWindowTextA("x\n" + (folder / "missing.gif"));
    EXPECT_FALSE(control.HasPicture());
}

TEST_F(PictureExTest, TextOfTheWindowItWasMadeWithIsAppliedToo) {
    CPictureEx created;
    Create(created, "made\n" + bitmap);
    EXPECT_TRUE(created.HasPicture());

    HWND plain = ::CreateWindowExA(0, "STATIC", "subclassed\n" + gif, WS_CHILD | WS_VISIBLE, 60, 10, 40, 30, host.m_hWnd,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(plain);
    CPictureEx subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(plain));
    EXPECT_EQ(subclassed.GetFrameCount(), 3);
    CString text;
    subclassed.GetWindowText(text);
    EXPECT_EQ(text, "subclassed");
}

TEST_F(PictureExTest, TextSetThroughTheWindowIsReadLikeSetWindowText) {
    const UINT id = 601;
    struct Route {
        const char* name;
        std::function<void(CPictureEx&, const char*)> set;
    };
    const Route routes[] = {
        {"SetDlgItemText", [&](CPictureEx&, const char* text) { ::SetDlgItemTextA(host, id, text); }},
        {"CWnd::SetWindowText", [](CPictureEx& control, const char* text) { static_cast<CWnd&>(control).SetWindowText(text); }},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        CPictureEx control;
        ASSERT_TRUE(control.Create("", WS_CHILD | WS_VISIBLE, kControl, &host, id));

        route.set(control, "광고\n" + gif);
        EXPECT_EQ(control.GetFrameCount(), 3);
        EXPECT_NE(control.GetAnimationThread(), nullptr);
        CString text;
        control.GetWindowText(text);
        EXPECT_EQ(text, "광고");

        route.set(control, "글자만");
        EXPECT_FALSE(control.HasPicture());
        EXPECT_EQ(control.GetAnimationThread(), nullptr);
        control.GetWindowText(text);
        EXPECT_EQ(text, "글자만");
    }
}


TEST_F(PictureExTest, AGifOfThousandsOfFramesKeepsItsFirst256AndStillPlays) {
    const std::vector<BYTE> bytes = TinyFramesGif(4400);
    ASSERT_GT(bytes.size(), 100000u);
    const CString many = folder / "many-frames.gif";
    ASSERT_TRUE(WriteBytes(many, bytes));
    CPictureEx control;
    Create(control);
    const long before = GdiObjectsInUse();

    control.SetWindowTextA("x\n" + many);

    EXPECT_EQ(control.GetFrameCount(), 256);
    EXPECT_LT(GdiObjectsInUse() - before, 300) << "one bitmap a frame, and no more frames";
    bool sawRed = false, sawBlue = false;
    EXPECT_TRUE(PumpUntil([&] {
        sawRed = sawRed || Painted(control, 0, 0) == kRed;
        sawBlue = sawBlue || Painted(control, 0, 0) == kBlue;
        return sawRed && sawBlue;
    }, 10000)) << "red " << sawRed << " blue " << sawBlue;
}

}  // namespace
