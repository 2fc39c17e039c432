#pragma once
#include <windows.h>

// The start of Vantrel.exe up to the choice of its way: sockets first (a failure is shown with
// string 103 of resources and ends the start), then the command line. A line whose arguments
// begin with "/" runs direct mode. Returns the exit code of the process.
int StartVantrel(HINSTANCE resources, const char* commandLine);
