#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// The service file the maker's server publishes for a program, kept as "service.ini".
class SELKOR_API CServiceFile {
public:
    // "/appservice/<id>/kor/" or "/eng/" + preview infix + "service.ini.htm" + the query.
    static CString Address();
    // Downloads the file to service.tmp and stores it, with its line ends mended, as
    // service.ini. False leaves service.ini as it was. sessionOut: as CUtilityLib::DownloadURL's,
    // for a caller on another thread that must abort the download.
    static bool Download(void** sessionOut = nullptr);
    // An old service.ini counts when it names an advert version.
    static bool OldCopyAvailable();
    // The line ends of a downloaded file, mended in this order: CR -> CR LF, CR CR -> CR,
    // LF -> CR LF, LF LF -> LF.
    static CString MendLineEnds(CString text);

    // An empty or missing value gives the default.
    static CString Read(const char* section, const char* key, const char* defaultValue = "");
    static int ReadInt(const char* section, const char* key, int defaultValue);
};
