#pragma once
#include <windows.h>

// Selkor's own module: its dialogs' templates are linked into Selkor.dll, not the program.
HINSTANCE SelkorModule();
