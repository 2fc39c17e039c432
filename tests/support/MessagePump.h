#pragma once
#include <windows.h>

#include <functional>

// Dispatches this thread's messages as the program's modal loop does (PreTranslateMessage
// first) until done() holds or limitMs pass; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 3000);
void PumpFor(DWORD ms);
