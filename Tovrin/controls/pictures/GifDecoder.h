#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "TovrinApi.h"

// One frame of a GIF as it shows on screen: the whole logical screen after the frame was drawn
// over what the earlier frames left (their disposal applied). Pixels are premultiplied
// 0xAARRGGBB, alpha 0 or 255, rows top to bottom.
struct GifFrame {
    std::vector<DWORD> pixels;
    UINT delay = 0;  // milliseconds, as the file says (0 when it says nothing)
};

struct GifAnimation {
    int width = 0;
    int height = 0;
    std::vector<GifFrame> frames;
};

// Decodes GIF87a/89a data. Every length and code is checked against the data present: the
// result is false for data that holds no complete frame; frames that follow a damaged one are
// dropped, and so are those after the first maxFrames. On failure animation holds no frames.
TOVRIN_API bool DecodeGif(const BYTE* data, size_t size, GifAnimation& animation, size_t maxFrames = SIZE_MAX);
