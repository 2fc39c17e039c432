#pragma once
#include "Framework.h"
#include "Handle.h"
#include "SelkorApi.h"

// Where a setup program is downloaded: the temporary setup folder (temp path + "\" + service id)
// and the file name of its address. The file is always a new one of our own, never reached
// through a link that someone else put in its place.
class SELKOR_API CSetupTarget {
public:
    // "" until the service id is known: the temp folder itself is never the target.
    static CString Folder();
    // "" when the address ends in no file name.
    static CString PathFor(const char* setupUrl);
    // Removes the folder and what it holds; a link in its place is left alone.
    static void RemoveFolder();
    // Creates path with CREATE_NEW after removing a plain file of that name. Refused (invalid
    // handle) when the folder or the file is a link, or the name cannot be made free.
    static HANDLE CreateFresh(const char* path);
};
