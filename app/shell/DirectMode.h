#pragma once
#include "Framework.h"

// Direct mode: a command line "/key,key,..." runs the named cleanup items on the calling
// thread, without a window, a mutex or a settings write.

// The item ids the line names, in the order direct mode runs them (not the order on the line),
// each once. The line starts with the slash; keys compare without case; unknown keys and empty
// pieces are ignored. Appends to ids.
void SelectDirectModeItems(const char* line, CDWordArray& ids);

// Runs every item the line names with one engine that has no window, no stop event and no
// logout flag. Sets the application-data sub-path first, so that routines using the program's
// own folder (Empty.dat, Config.ini) find it as in a normal start.
void RunDirectMode(const char* line);
