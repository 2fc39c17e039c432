#pragma once
#include <windows.h>

// Selkor's own module, whose resources hold its dialog templates (the host's are elsewhere).
extern "C" IMAGE_DOS_HEADER __ImageBase;
inline HINSTANCE SelkorModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
