#include <gtest/gtest.h>

#include <objbase.h>

#include <vector>

#include "PixelCanvas.h"
#include "Picture.h"

namespace {

const COLORREF kDialog = RGB(236, 233, 216);
const COLORREF kPaper = RGB(255, 0, 255);

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The images of an icon group of this program (the resource script the program builds from).
std::vector<IconDirectoryEntry> IconGroup(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    const BYTE* data = resource ? static_cast<const BYTE*>(LockResource(LoadResource(module, resource))) : nullptr;
    if (!data)
        return {};
    const WORD count = reinterpret_cast<const WORD*>(data)[2];
    const auto* entries = reinterpret_cast<const IconDirectoryEntry*>(data + 6);
    return std::vector<IconDirectoryEntry>(entries, entries + count);
}

// The shield's body: clearly green.
bool IsShieldGreen(COLORREF colour) {
    return GetGValue(colour) > GetRValue(colour) + 50 && GetGValue(colour) > GetBValue(colour) + 10;
}

bool IsBandBlue(COLORREF colour) { return GetBValue(colour) > GetRValue(colour) + 40; }

class HeaderPicture : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

}  // namespace

TEST(ApplicationIcon, Holds16And32PixelImagesWithAlpha) {
    const std::vector<IconDirectoryEntry> images = IconGroup(128);
    ASSERT_EQ(2u, images.size());
    EXPECT_EQ(16, images[0].width);
    EXPECT_EQ(32, images[1].width);
    for (const IconDirectoryEntry& image : images)
        EXPECT_EQ(32, image.bitCount);
}

TEST(ApplicationIcon, DrawsAShieldWithTransparentCorners) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128), IMAGE_ICON, size,
                                                   size, LR_DEFAULTCOLOR));
        ASSERT_TRUE(icon != nullptr);
        PixelCanvas canvas(size, size, kPaper);
        ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        DestroyIcon(icon);
        EXPECT_EQ(kPaper, canvas.At(0, 0));
        EXPECT_EQ(kPaper, canvas.At(size - 1, size - 1));
        EXPECT_TRUE(IsShieldGreen(canvas.At(size / 2, size / 4))) << std::hex << canvas.At(size / 2, size / 4);
    }
}

TEST_F(HeaderPicture, MainHeaderIsABandOverTheDialogColour) {
    CPicture picture;
    ASSERT_TRUE(picture.Load("IMAGE", MAKEINTRESOURCEA(134), GetModuleHandleA(nullptr)));
    PixelCanvas canvas(700, 500, kPaper);
    EXPECT_EQ(CSize(700, 500), picture.GetSize(canvas.Dc()));
    ASSERT_TRUE(picture.Draw(canvas.Dc(), 0, 0));

    for (int x : {0, 200, 699}) {
        EXPECT_TRUE(IsBandBlue(canvas.At(x, 30))) << x;
        EXPECT_NE(kDialog, canvas.At(x, 57)) << x;
        EXPECT_EQ(kDialog, canvas.At(x, 58)) << x;
        EXPECT_EQ(kDialog, canvas.At(x, 499)) << x;
    }
    // Below the band nothing but the dialog colour.
    EXPECT_EQ(700 * 442, canvas.Count(CRect(0, 58, 700, 500), kDialog, 0));
    EXPECT_GT(canvas.Count(CRect(0, 0, 100, 58), RGB(30, 140, 115), 40), 50);
}

TEST_F(HeaderPicture, ProgressHeaderIsABandAcrossItsWholeWidth) {
    CPicture picture;
    ASSERT_TRUE(picture.Load("IMAGE", MAKEINTRESOURCEA(135), GetModuleHandleA(nullptr)));
    PixelCanvas canvas(2048, 111, kPaper);
    EXPECT_EQ(CSize(2048, 111), picture.GetSize(canvas.Dc()));
    ASSERT_TRUE(picture.Draw(canvas.Dc(), 0, 0));

    for (int x : {0, 1000, 2047})
        EXPECT_TRUE(IsBandBlue(canvas.At(x, 50))) << x;
    EXPECT_EQ(0, canvas.Count(kPaper, 0));
    EXPECT_GT(canvas.Count(CRect(0, 0, 120, 111), RGB(30, 140, 115), 40), 100);
}
