#pragma once

// The arguments of a command line: what follows the program path, without the white space in
// front. The program path ends at its closing quote when it starts with one, else at the first
// blank. The CRT's WinMain line is not used: it ends an unquoted program path at the first byte
// above 0x7F, so a Hangul folder name would leave part of the path in front of the arguments.
const char* ArgumentsAfterProgramPath(const char* commandLine);
