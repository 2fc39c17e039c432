#pragma once
#include <windows.h>

#include "TovrinApi.h"

// The skin faces of Tovrin's owner-drawn buttons: "BMPFILE" resources 181-192 of Tovrin.dll,
// loaded once per process on first use and shared by every thread.
namespace SkinFace {
// Draws face id stretched over rect in nine slices: its corner x corner corners stay as drawn
// (smaller when rect or the face is too small for them), the edges stretch along their
// length and the middle both ways. False, drawing nothing, for an id that is not a skin.
TOVRIN_API bool Draw(HDC dc, const RECT& rect, int id, int corner = 6);
}  // namespace SkinFace
