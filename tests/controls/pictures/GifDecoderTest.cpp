#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GifDecoder.h"
#include "TestImages.h"

namespace {

using namespace TestImages;

// Premultiplied 0xAARRGGBB of an opaque colour, as the decoder writes it.
DWORD Opaque(COLORREF colour) {
    return 0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}
const DWORD kTransparent = 0;

DWORD At(const GifAnimation& animation, int frame, int x, int y) {
    return animation.frames[frame].pixels[y * animation.width + x];
}

class GifDecoderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(gif.empty()); }

    // The three-frame fixture with the disposal of its first frame replaced.
    std::vector<BYTE> WithFirstDisposal(int disposal) const {
        std::vector<BYTE> bytes = gif;
        const BYTE control[] = {0x21, 0xF9, 0x04};
        auto found = std::search(bytes.begin(), bytes.end(), std::begin(control), std::end(control));
        if (found != bytes.end())
            found[3] = static_cast<BYTE>((found[3] & ~0x1C) | (disposal << 2));
        return bytes;
    }

    const std::vector<BYTE> gif = ResourceBytes(IDI_THREE_FRAMES_GIF);
};

TEST_F(GifDecoderTest, ReadsEveryFrameWithItsDelay) {
    GifAnimation animation;
    ASSERT_TRUE(DecodeGif(gif.data(), gif.size(), animation));
    EXPECT_EQ(animation.width, kGifSize.cx);
    EXPECT_EQ(animation.height, kGifSize.cy);
    ASSERT_EQ(animation.frames.size(), 3u);
    EXPECT_EQ(animation.frames[0].delay, 100u);
    EXPECT_EQ(animation.frames[1].delay, 200u);
    EXPECT_EQ(animation.frames[2].delay, 300u);
    for (const GifFrame& frame : animation.frames)
        EXPECT_EQ(frame.pixels.size(), 48u);
}

TEST_F(GifDecoderTest, ComposesFramesOverWhatTheEarlierOnesLeft) {
    GifAnimation animation;
    ASSERT_TRUE(DecodeGif(gif.data(), gif.size(), animation));
    ASSERT_EQ(animation.frames.size(), 3u);

    EXPECT_EQ(std::count(animation.frames[0].pixels.begin(), animation.frames[0].pixels.end(), Opaque(kRed)), 48);

    // Interlaced rows land where they belong; the transparent last row shows frame 0.
    const DWORD rows[] = {Opaque(kGreen), Opaque(kBlue), Opaque(kGreen), Opaque(kBlue), Opaque(kRed)};
    for (int row = 0; row < 5; ++row)
        for (int x = 2; x < 6; ++x)
            EXPECT_EQ(At(animation, 1, x, 1 + row), rows[row]) << x << "," << 1 + row;
    EXPECT_EQ(At(animation, 1, 1, 1), Opaque(kRed));
    EXPECT_EQ(At(animation, 1, 6, 2), Opaque(kRed));

    // Frame 1 asked to be undone; frame 2 has its own colours.
    EXPECT_EQ(At(animation, 2, 0, 0), Opaque(kYellow));
    EXPECT_EQ(At(animation, 2, 1, 0), Opaque(kBlack));
    EXPECT_EQ(At(animation, 2, 0, 1), Opaque(kBlack));
    EXPECT_EQ(At(animation, 2, 1, 1), Opaque(kYellow));
    EXPECT_EQ(At(animation, 2, 3, 2), Opaque(kRed));
    EXPECT_EQ(At(animation, 2, 4, 4), Opaque(kRed));
}

TEST_F(GifDecoderTest, BackgroundDisposalClearsTheFrameToTransparent) {
    const std::vector<BYTE> bytes = WithFirstDisposal(2);
    GifAnimation animation;
    ASSERT_TRUE(DecodeGif(bytes.data(), bytes.size(), animation));
    ASSERT_EQ(animation.frames.size(), 3u);
    EXPECT_EQ(At(animation, 1, 0, 0), kTransparent);
    EXPECT_EQ(At(animation, 1, 3, 5), kTransparent) << "the transparent row shows the cleared screen";
    EXPECT_EQ(At(animation, 1, 3, 1), Opaque(kGreen));
}

TEST_F(GifDecoderTest, DataWithoutACompleteFrameIsRefused) {
    GifAnimation animation;
    EXPECT_FALSE(DecodeGif(gif.data(), 13, animation));
    EXPECT_TRUE(animation.frames.empty());
    const BYTE png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(DecodeGif(png, sizeof png, animation));
    EXPECT_FALSE(DecodeGif(nullptr, 0, animation));

    std::vector<BYTE> huge = gif;
    huge[6] = 0xFF;  // width 65535: beyond what a control shows
    huge[7] = 0xFF;
    EXPECT_FALSE(DecodeGif(huge.data(), huge.size(), animation));
}

TEST_F(GifDecoderTest, CutDataKeepsTheFramesThatAreComplete) {
    GifAnimation animation;
    ASSERT_TRUE(DecodeGif(gif.data(), gif.size() - 1, animation)) << "no trailer";
    EXPECT_EQ(animation.frames.size(), 3u);

    size_t previousFrames = 0;
    for (size_t length = 0; length < gif.size(); ++length) {
        const bool decoded = DecodeGif(gif.data(), length, animation);
        EXPECT_EQ(decoded, !animation.frames.empty());
        EXPECT_GE(animation.frames.size(), previousFrames) << "a longer prefix never loses frames";
        previousFrames = animation.frames.size();
        for (const GifFrame& frame : animation.frames)
            EXPECT_EQ(frame.pixels.size(), 48u);
    }
}

TEST_F(GifDecoderTest, DamagedBytesAnywhereNeverYieldMisshapenFrames) {
    for (size_t position = 0; position < gif.size(); ++position) {
        for (BYTE flip : {0xFF, 0x80, 0x01}) {
            std::vector<BYTE> bytes = gif;
            bytes[position] ^= flip;
            GifAnimation animation;
            if (!DecodeGif(bytes.data(), bytes.size(), animation))
                continue;
            for (const GifFrame& frame : animation.frames)
                ASSERT_EQ(frame.pixels.size(), static_cast<size_t>(animation.width) * animation.height) << position;
        }
    }
}


TEST_F(GifDecoderTest, DecodingStopsAfterTheFramesAskedFor) {
    const std::vector<BYTE> bytes = TinyFramesGif(4400);
    ASSERT_GT(bytes.size(), 100000u);
    GifAnimation animation;
    ASSERT_TRUE(DecodeGif(bytes.data(), bytes.size(), animation, 256));
    ASSERT_EQ(animation.frames.size(), 256u);
    EXPECT_EQ(At(animation, 0, 0, 0), Opaque(kRed));
    EXPECT_EQ(At(animation, 255, 0, 0), Opaque(kBlue));

    ASSERT_TRUE(DecodeGif(bytes.data(), bytes.size(), animation));
    EXPECT_EQ(animation.frames.size(), 4400u) << "without a limit every frame";
}

}  // namespace
