#pragma once
#include <windows.h>

#include <vector>

// The whole of a picture file. False (bytes empty) when it cannot be read completely, is empty
// or is larger than any picture a control would show (32 MB).
bool ReadPictureFile(const char* path, std::vector<BYTE>& bytes);
