#pragma once
#include <windows.h>

#include <vector>

#include "CString.h"
#include "ControlImages.h"

// The colours images/make-images.py draws; keep the two in step.
namespace TestImages {
const COLORREF kProbeTopLeft = RGB(200, 30, 40);
const COLORREF kProbeBottomRight = RGB(20, 40, 220);
const COLORREF kProbeBody = RGB(30, 160, 60);
const SIZE kProbeSize = {7, 5};

const COLORREF kRed = RGB(220, 40, 40);
const COLORREF kGreen = RGB(40, 180, 60);
const COLORREF kBlue = RGB(40, 70, 220);
const COLORREF kYellow = RGB(250, 220, 30);
const COLORREF kBlack = RGB(0, 0, 0);
const SIZE kGifSize = {8, 6};

// The bytes of one of this program's "IMAGE" resources (empty when it is missing).
inline std::vector<BYTE> ResourceBytes(int id) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), "IMAGE");
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    return bytes ? std::vector<BYTE>(bytes, bytes + ::SizeofResource(module, resource)) : std::vector<BYTE>();
}

// A 1x1 GIF of count frames of 20 ms, red and blue in turn (red first).
inline std::vector<BYTE> TinyFramesGif(int count) {
    std::vector<BYTE> bytes = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0};
    const BYTE palette[] = {GetRValue(kRed), GetGValue(kRed), GetBValue(kRed),
                            GetRValue(kBlue), GetGValue(kBlue), GetBValue(kBlue)};
    bytes.insert(bytes.end(), std::begin(palette), std::end(palette));
    for (int i = 0; i < count; ++i) {
        // LZW with 2-bit codes: clear (4), the pixel's index, end (5), in 3-bit codes.
        const BYTE pixel = static_cast<BYTE>(4 | ((i % 2) << 3) | (1 << 6));
        const BYTE frame[] = {0x21, 0xF9, 0x04, 0x00, 2, 0, 0, 0x00,   // graphic control: 20 ms
                              0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00,      // image 1x1 at 0,0
                              2, 2, pixel, 0x01, 0x00};
        bytes.insert(bytes.end(), std::begin(frame), std::end(frame));
    }
    bytes.push_back(0x3B);
    return bytes;
}

inline bool WriteBytes(const char* path, const std::vector<BYTE>& bytes) {
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool complete = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size();
    ::CloseHandle(file);
    return complete;
}
}  // namespace TestImages

// A file in the image folder beside the test program (the folder the controls look in),
// removed afterwards together with the folder when this made it.
class ImageFolderFile {
public:
    ImageFolderFile(const char* name, const std::vector<BYTE>& bytes) {
        char program[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, program, MAX_PATH);
        m_folder = program;
        m_folder = m_folder.Left(m_folder.ReverseFind('\\')) + "\\Image";
        m_madeFolder = ::CreateDirectoryA(m_folder, nullptr) != FALSE;
        m_path = m_folder + "\\" + name;
        m_written = TestImages::WriteBytes(m_path, bytes);
    }
    ~ImageFolderFile() {
        ::DeleteFileA(m_path);
        if (m_madeFolder)
            ::RemoveDirectoryA(m_folder);
    }
    ImageFolderFile(const ImageFolderFile&) = delete;
    ImageFolderFile& operator=(const ImageFolderFile&) = delete;

    bool IsWritten() const { return m_written; }

private:
    CString m_folder;
    CString m_path;
    bool m_madeFolder = false;
    bool m_written = false;
};
