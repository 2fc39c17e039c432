#pragma once
#include <windows.h>

#include <string>

// A picture of a window as it draws itself (caption and frame included), saved for a person to
// look at: V:\screenshots\<name>.bmp, that is the build's bin\screenshots, which the test
// command turns into build/screenshots/<name>.png. Returns the path, or "" on failure.
namespace WindowShot {
std::string Save(HWND window, const char* name);
// The pixels the display shows for the window, for dialogs whose controls do not answer
// WM_PRINT (owner-drawn buttons, HTML statics): Wine's PrintWindow leaves those black. Needs
// the window visible and uncovered on a display.
std::string SaveAsShown(HWND window, const char* name);
}
