#include "PictureFile.h"

#include "Handle.h"

namespace {

const LONGLONG kMaxPictureBytes = 32 * 1024 * 1024;

}  // namespace

bool ReadPictureFile(const char* path, std::vector<BYTE>& bytes) {
    bytes.clear();
    CFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size = {};
    if (!file.IsValid() || !::GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > kMaxPictureBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}
