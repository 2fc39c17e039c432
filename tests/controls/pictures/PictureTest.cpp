#include <gtest/gtest.h>

#include <objbase.h>

#include "Picture.h"
#include "PixelCanvas.h"
#include "TestFixtures.h"
#include "TestImages.h"

namespace {

using namespace TestImages;

const COLORREF kPaper = RGB(1, 2, 3);

// The GIF loader of the OLE picture needs COM on the thread.
class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { ::CoUninitialize(); }

    static HINSTANCE Program() { return ::GetModuleHandleA(nullptr); }
};

TEST_F(PictureTest, ResourceBitmapIsDrawnAtItsNaturalSize) {
    CPicture picture;
    ASSERT_TRUE(picture.Load("IMAGE", MAKEINTRESOURCEA(IDI_PROBE_BMP), Program()));
    EXPECT_TRUE(picture.IsLoaded());

    PixelCanvas canvas(20, 12, kPaper);
    CDC dc;
    dc.Attach(canvas.Dc());
    const CSize size = picture.GetSize(&dc);
    EXPECT_EQ(size, CSize(kProbeSize));
    EXPECT_TRUE(picture.Draw(&dc, 3, 2));
    dc.Detach();

    EXPECT_EQ(canvas.At(3, 2), kProbeTopLeft);
    EXPECT_EQ(canvas.At(4, 3), kProbeBody);
    EXPECT_EQ(canvas.At(3 + 6, 2 + 4), kProbeBottomRight);
    EXPECT_EQ(canvas.At(2, 2), kPaper);
    EXPECT_EQ(canvas.At(3 + 7, 2 + 4), kPaper);
    EXPECT_EQ(canvas.At(3 + 6, 2 + 5), kPaper);
}

TEST_F(PictureTest, GifResourceNamedByTextShowsItsFirstFrame) {
    CPicture picture;
    ASSERT_TRUE(picture.Load("IMAGE", "ThreeFramesByName", Program()));
    PixelCanvas canvas(10, 8, kPaper);
    EXPECT_EQ(picture.GetSize(canvas.Dc()), CSize(kGifSize));
    ASSERT_TRUE(picture.Draw(canvas.Dc(), 0, 0));
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(7, 5), kRed);
    EXPECT_EQ(canvas.At(8, 6), kPaper);
}

TEST_F(PictureTest, FailedLoadLeavesNothingLoadedAndNothingToDraw) {
    CPicture picture;
    ASSERT_TRUE(picture.Load("IMAGE", MAKEINTRESOURCEA(IDI_PROBE_BMP), Program()));
    EXPECT_FALSE(picture.Load("IMAGE", MAKEINTRESOURCEA(4799), Program()));
    EXPECT_FALSE(picture.IsLoaded()) << "the earlier picture is unloaded first";

    PixelCanvas canvas(10, 10, kPaper);
    EXPECT_FALSE(picture.Draw(canvas.Dc(), 0, 0));
    EXPECT_EQ(picture.GetSize(canvas.Dc()), CSize());
    EXPECT_EQ(canvas.Count(kPaper, 0), 100);
}

TEST_F(PictureTest, UnLoadForgetsThePicture) {
    CPicture picture;
    ASSERT_TRUE(picture.Load("IMAGE", MAKEINTRESOURCEA(IDI_PROBE_BMP), Program()));
    picture.UnLoad();
    EXPECT_FALSE(picture.IsLoaded());
    PixelCanvas canvas(10, 10, kPaper);
    EXPECT_FALSE(picture.Draw(canvas.Dc(), 0, 0));
}

TEST_F(PictureTest, FileLoadsWhenItHoldsAPictureAndFailsOtherwise) {
    TempFolder folder;
    const CString bitmap = folder / "probe.bmp";
    ASSERT_TRUE(WriteBytes(bitmap, ResourceBytes(IDI_PROBE_BMP)));
    const CString text = folder.MakeFile("notes.bmp", "not a picture at all");

    CPicture picture;
    ASSERT_TRUE(picture.LoadFromFile(bitmap));
    PixelCanvas canvas(10, 10, kPaper);
    EXPECT_EQ(picture.GetSize(canvas.Dc()), CSize(kProbeSize));
    ASSERT_TRUE(picture.Draw(canvas.Dc(), 1, 1));
    EXPECT_EQ(canvas.At(1, 1), kProbeTopLeft);

    EXPECT_FALSE(picture.LoadFromFile(text));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_FALSE(picture.LoadFromFile(folder / "missing.bmp"));
    EXPECT_FALSE(picture.LoadFromFile(folder.MakeFile("empty.gif", "")));
}

}  // namespace
