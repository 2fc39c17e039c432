#pragma once
#include <windows.h>
#include <imm.h>

// Switches a window's input method to Hangul. A window without an input context is given one of
// its own, destroyed with this object.
class HangulInput {
public:
    HangulInput() = default;
    ~HangulInput();
    HangulInput(const HangulInput&) = delete;
    HangulInput& operator=(const HangulInput&) = delete;

    void Apply(HWND window);

private:
    void Release();

    HWND m_window = nullptr;
    HIMC m_ownContext = nullptr;
};
