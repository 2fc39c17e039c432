#pragma once
#include "Framework.h"
#include "TovrinApi.h"

// The process-wide table from text keys to display texts of one language. Keys compare with
// case. Filled on the window thread at start-up and only read afterwards, so it has no lock.
class TOVRIN_API CLanguage {
public:
    CLanguage() = delete;

    // Empties the table and loads the entries of language from the message file; a file name
    // without "\" is taken from the running program's folder (nothing is loaded when that is
    // unknown); only the file's first 4 MiB are read (kWholeTextLimit). Problems go to
    // "msg_error.ini" beside the file (deleted first, so it holds only this load's); duplicate
    // msgids are also shown in one message box that names the first and their number, and a
    // later translation wins.
    static void SetMsgPathName(const char* file, const char* language);

    // The key's text, or the key itself when the table has none.
    static CString TXT(const char* key);
    // TXT of prefix followed by the decimal number.
    static CString TXT(const char* prefix, int number);

    // Sets the key's text, replacing an existing one.
    static void AddMsgText(const char* key, const char* text);
    static void AddMsgText(const CMapStringToString& texts);
};
