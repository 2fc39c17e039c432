#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "PixelCanvas.h"
#include "SkinBitmap.h"
#include "SkinFace.h"

namespace {

const COLORREF kPaper = RGB(1, 2, 3);

// Counts the pixels of the skin's corner x corner block at each corner of rect that differ from
// the skin's own corners.
int CornerMismatches(const PixelCanvas& canvas, const CRect& rect, const SkinBitmap& skin, int corner) {
    int mismatches = 0;
    for (int y = 0; y < corner; ++y) {
        for (int x = 0; x < corner; ++x) {
            const int rightX = skin.Width() - corner + x;
            const int bottomY = skin.Height() - corner + y;
            mismatches += canvas.At(rect.left + x, rect.top + y) != skin.At(x, y);
            mismatches += canvas.At(rect.right - corner + x, rect.top + y) != skin.At(rightX, y);
            mismatches += canvas.At(rect.left + x, rect.bottom - corner + y) != skin.At(x, bottomY);
            mismatches += canvas.At(rect.right - corner + x, rect.bottom - corner + y) != skin.At(rightX, bottomY);
        }
    }
    return mismatches;
}

TEST(SkinFace, DrawsEachOfTheTwelveSkinsPixelForPixelAtItsOwnSize) {
    for (int id = 181; id <= 192; ++id) {
        const SkinBitmap skin(id);
        ASSERT_TRUE(skin.IsLoaded()) << "BMPFILE " << id;
        PixelCanvas canvas(skin.Width(), skin.Height(), kPaper);
        ASSERT_TRUE(SkinFace::Draw(canvas.Dc(), CRect(0, 0, skin.Width(), skin.Height()), id)) << id;
        int mismatches = 0;
        for (int y = 0; y < skin.Height(); ++y)
            for (int x = 0; x < skin.Width(); ++x)
                mismatches += canvas.At(x, y) != skin.At(x, y);
        EXPECT_EQ(mismatches, 0) << "BMPFILE " << id;
    }
}

TEST(SkinFace, KeepsTheCornersUnstretchedAndStretchesTheEdgesAlongTheirLength) {
    const int corner = 6;
    for (int id : {181, 189}) {
        const SkinBitmap skin(id);
        ASSERT_TRUE(skin.IsLoaded());
        for (const CRect rect : {CRect(5, 4, 85, 34), CRect(3, 2, 153, 59)}) {
            PixelCanvas canvas(160, 64, kPaper);
            ASSERT_TRUE(SkinFace::Draw(canvas.Dc(), rect, id, corner));
            EXPECT_EQ(CornerMismatches(canvas, rect, skin, corner), 0) << id << " at width " << rect.Width();

            // The top edge's rows keep their colours across the stretched middle.
            for (int y = 0; y < corner; ++y)
                EXPECT_EQ(canvas.At(rect.CenterPoint().x, rect.top + y), skin.At(skin.Width() / 2, y)) << y;
            EXPECT_EQ(canvas.At(rect.left - 1, rect.top), kPaper);
            EXPECT_EQ(canvas.At(rect.right, rect.bottom - 1), kPaper);
            EXPECT_EQ(canvas.At(rect.left, rect.bottom), kPaper);
        }
    }
}

TEST(SkinFace, ShrinksTheCornersToFitASmallRectangle) {
    const SkinBitmap skin(183);
    ASSERT_TRUE(skin.IsLoaded());
    PixelCanvas canvas(20, 20, kPaper);
    const CRect rect(2, 2, 10, 10);
    ASSERT_TRUE(SkinFace::Draw(canvas.Dc(), rect, 183, 6));
    EXPECT_EQ(CornerMismatches(canvas, rect, skin, 4), 0);
    EXPECT_EQ(canvas.At(10, 10), kPaper);
}

TEST(SkinFace, RefusesIdsThatAreNoSkinAndDrawsNothing) {
    PixelCanvas canvas(40, 30, kPaper);
    EXPECT_FALSE(SkinFace::Draw(canvas.Dc(), CRect(0, 0, 40, 30), 180));
    EXPECT_FALSE(SkinFace::Draw(canvas.Dc(), CRect(0, 0, 40, 30), 193));
    EXPECT_EQ(canvas.Count(kPaper, 0), 40 * 30);
}

TEST(SkinFace, ThreadsDrawingAtOnceAllGetTheWholeFace) {
    const SkinBitmap skin(182);
    ASSERT_TRUE(skin.IsLoaded());
    const CRect rect(0, 0, 70, 26);
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < failures.size(); ++t) {
        threads.emplace_back([&, t] {
            PixelCanvas canvas(rect.Width(), rect.Height(), kPaper);
            for (int round = 0; round < 40; ++round) {
                canvas.Fill(rect, kPaper);
                if (!SkinFace::Draw(canvas.Dc(), rect, 182) || CornerMismatches(canvas, rect, skin, 6) != 0)
                    ++failures[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int failed : failures)
        EXPECT_EQ(failed, 0);
}

}  // namespace
