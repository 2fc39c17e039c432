#include "UtilityLib.h"

namespace {

bool EndsWithSeparator(const CString& path) {
    int last = path.GetLength() - 1;
    return last >= 0 && (path.ReverseFind('\\') == last || path.ReverseFind('/') == last);
}

// Position of the last "\", or of the last "/" when there is no "\".
int LastSeparator(const CString& path) {
    int at = path.ReverseFind('\\');
    return at >= 0 ? at : path.ReverseFind('/');
}

}  // namespace

CString CUtilityLib::AddPath(const char* first, const char* second) {
    CString path(first);
    path += '\\';
    path += second;
    // Pairs collapse before slashes turn into backslashes, so "C:\a/" + "b" keeps a doubled one.
    path.Replace("\\\\", "\\");
    path.Replace('/', '\\');
    return path;
}

CString CUtilityLib::GetFileName(CString path) {
    int at = LastSeparator(path);
    return at >= 0 ? path.Mid(at + 1) : CString();
}

CString CUtilityLib::GetFileExt(CString path) {
    int dot = path.ReverseFind('.');
    return dot >= 0 ? path.Mid(dot + 1) : CString();
}

CString CUtilityLib::GetParentFolder(const char* path) {
    CString folder(path);
    if (EndsWithSeparator(folder))
        folder = folder.Left(folder.GetLength() - 1);
    int at = LastSeparator(folder);
    return at >= 0 ? folder.Left(at) : CString();
}
