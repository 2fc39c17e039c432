#include <gtest/gtest.h>

#include "HTMLPicture.h"
#include "PixelCanvas.h"
#include "TestBitmapFile.h"
#include "TestFixtures.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kPaper = RGB(255, 255, 255);

}  // namespace

TEST(HTMLPicture, LoadsABitmapFileAndKnowsItsPixelSize) {
    TempFolder folder;
    const CString path = folder / "red.bmp";
    ASSERT_TRUE(WriteBitmapFile(path, 8, 6, kRed, kRed));

    CHTMLPicture picture;
    ASSERT_TRUE(picture.Load(path));
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_EQ(CSize(8, 6), picture.GetSize());
}

TEST(HTMLPicture, RendersStretchedIntoTheTarget) {
    TempFolder folder;
    const CString path = folder / "red.bmp";
    ASSERT_TRUE(WriteBitmapFile(path, 8, 6, kRed, kRed));
    CHTMLPicture picture;
    ASSERT_TRUE(picture.Load(path));
    PixelCanvas canvas(50, 50, kPaper);

    picture.Render(canvas.Dc(), CRect(10, 10, 26, 22));

    EXPECT_EQ(16 * 12, canvas.Count(CRect(10, 10, 26, 22), kRed, 0));
    EXPECT_EQ(50 * 50 - 16 * 12, canvas.Count(kPaper, 0));
}

TEST(HTMLPicture, FilesThatAreNoPictureAreRefused) {
    TempFolder folder;
    CHTMLPicture picture;
    EXPECT_FALSE(picture.Load(folder / "missing.bmp"));
    EXPECT_FALSE(picture.Load(folder.MakeFile("text.bmp", "not a picture")));
    EXPECT_FALSE(picture.Load(folder.MakeFile("empty.bmp", "")));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(CSize(), picture.GetSize());
    PixelCanvas canvas(10, 10, kPaper);
    picture.Render(canvas.Dc(), CRect(0, 0, 10, 10));
    EXPECT_EQ(100, canvas.Count(kPaper, 0));
}

TEST(HTMLPicture, RelativeSourceNamesAFileInTheImageFolderBesideTheProgram) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    CString folder(program);
    folder = folder.Left(folder.ReverseFind('\\'));

    EXPECT_STREQ(folder + "\\Image\\logo.bmp", CHTMLPicture::ResolvePath("logo.bmp"));
    EXPECT_STREQ(folder + "\\Image\\sub\\a.gif", CHTMLPicture::ResolvePath("sub\\a.gif"));
    EXPECT_STREQ("C:\\pictures\\a.bmp", CHTMLPicture::ResolvePath("C:\\pictures\\a.bmp"));
}
