#pragma once
#include <initializer_list>

#include "CString.h"

// Test-only bridge to the host: Wine starts Linux programs, so tests can make real symbolic
// links (Wine's CreateSymbolicLinkA makes none) and remove trees without Windows calls, which
// under Wine may follow a link into its target.
namespace HostTools {
// Linux path of a Windows path, or "" when Wine cannot map it.
CString UnixPath(const char* windowsPath);
// Starts a program of the host with the given arguments. Wine hands back no process handle for
// it, so callers wait for its visible effect instead.
bool Start(const char* unixProgram, std::initializer_list<const char*> args);
bool MakeSymlink(const char* windowsLink, const char* windowsTarget);
// A second drive letter for a folder, as "subst" makes one: a link in the prefix's dosdevices.
bool MapDrive(char letter, const char* windowsTarget);
bool UnmapDrive(char letter);
// A share "\\server\share" that names a folder of the prefix, as Wine finds shares in dosdevices\unc.
bool MapShare(const char* server, const char* share, const char* windowsTarget);
bool UnmapShare(const char* server);
// A named pipe of the host (mkfifo): opened through Wine it is a handle on a Unix descriptor,
// which Wine hands down to child processes as it does a shell's pipe.
bool MakeFifo(const char* windowsPath);
// Removes a tree inside the sandbox prefix without following links (rm -rf); refuses any
// path outside the prefix's drive C.
bool RemoveTree(const char* windowsPath);
}
