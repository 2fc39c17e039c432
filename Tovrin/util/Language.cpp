#include "Language.h"

#include <new>

#include "Mbcs.h"
#include "UtilityLib.h"
#include "WholeTextLimit.h"

namespace {

struct LanguageState {
    CMapStringToString texts;
    CString messageFile;
    CString errorFile;
};

LanguageState& State() {
    static LanguageState state;
    return state;
}

// Length of the character at p. A lead byte takes the next byte as its trail (as the system's
// CharNext does) unless that byte is a control character, space or quote: a broken character
// must not swallow a line end. So a trail byte 0x5C is never read as a backslash.
int CharStep(const char* p) {
    if (!*p)
        return 0;
    return (Mbcs::IsLeadByte(static_cast<unsigned char>(p[0])) && static_cast<unsigned char>(p[1]) >= 0x40) ? 2 : 1;
}

bool StartsWithNoCase(const CString& line, const CString& prefix) {
    int length = prefix.GetLength();
    return line.GetLength() >= length && Mbcs::CompareNoCase(line.Left(length), prefix) == 0;
}

CString Unescaped(CString text) {
    text.Replace("\\n", "\n");
    text.Replace("\\r", "\r");
    text.Replace("\\t", "\t");
    text.Replace("\\\"", "\"");
    return text;
}

// Cuts the text into lines. A line ends at a LF that does not directly follow a backslash
// character; a CR before that LF is dropped. Backslash-LF stays inside the line.
class CMsgLines {
public:
    explicit CMsgLines(const char* text) : m_next(text) {}

    bool Next(CString& line) {
        if (!*m_next)
            return false;
        const char* start = m_next;
        const char* p = start;
        bool afterBackslash = false;
        while (*p && (*p != '\n' || afterBackslash)) {
            int step = CharStep(p);
            afterBackslash = step == 1 && *p == '\\';
            p += step;
        }
        const char* end = p;
        if (*p == '\n') {
            if (end > start && end[-1] == '\r')
                --end;
            ++p;
        }
        m_next = p;
        line = CString(start, static_cast<int>(end - start));
        return true;
    }

private:
    const char* m_next;
};

// Fills the table from the text of a message file, one entry (a msgid line and its first
// translation line for the language) at a time. Problems are gathered and go to the error
// file in one write at the end, duplicates to one message box: a hostile file with thousands
// of them must not cost a box and a rewrite of the file each.
class CMsgFileReader {
public:
    CMsgFileReader(CMapStringToString& texts, const CString& messageFile, const CString& errorFile,
                   const CString& tag)
        : m_texts(texts), m_messageFile(messageFile), m_errorFile(errorFile), m_tag(tag) {}

    void Read(const char* text) {
        CMsgLines lines(text);
        CString line;
        while (lines.Next(line)) {
            ++m_lineNumber;
            if (StartsWithNoCase(line, "msgid"))
                OpenEntry(line);
            else if (m_entryOpen && IsTranslation(line))
                TakeTranslation(line);
        }
        if (!m_errors.IsEmpty())
            CUtilityLib::SaveFileData("[Error]\r\n" + m_errors, m_errorFile);
        ShowDuplicates();
    }

private:
    void OpenEntry(const CString& line) {
        m_entryOpen = true;
        // Without quotes the previous key stays.
        if (!QuotedText(line, m_key))
            return;
        CString known;
        if (!m_texts.Lookup(Unescaped(m_key), known))
            return;
        CString message;
        message.Format("msgid [%s] were duplicated (Line: %d, File: %s)", (const char*)m_key, m_lineNumber,
                       (const char*)CUtilityLib::GetFileName(m_messageFile));
        ReportError(message);
        if (m_duplicates++ == 0)
            m_firstDuplicate = message;
    }

    void ShowDuplicates() const {
        if (m_duplicates == 0)
            return;
        CString message = m_firstDuplicate;
        if (m_duplicates > 1) {
            CString count;
            count.Format("\n\n%d duplicated msgids in all", m_duplicates);
            message += count;
        }
        MessageBoxA(nullptr, message, "알림", MB_OK | MB_ICONWARNING);
    }

    bool IsTranslation(const CString& line) const {
        if (!StartsWithNoCase(line, m_tag))
            return false;
        char after = line[m_tag.GetLength()];
        return after == ' ' || after == '\t';
    }

    void TakeTranslation(const CString& line) {
        CString text;
        // Without quotes the entry stays open for a later translation line.
        if (!QuotedText(line, text))
            return;
        if (!m_key.IsEmpty())
            m_texts.SetAt(Unescaped(m_key), Unescaped(text));
        m_key.Empty();
        m_entryOpen = false;
    }

    // The text between the first and the last double quote of the line.
    bool QuotedText(const CString& line, CString& text) {
        int first = -1;
        int last = -1;
        const char* start = line;
        for (const char* p = start; *p; p += CharStep(p)) {
            if (*p != '"')
                continue;
            if (first < 0)
                first = static_cast<int>(p - start);
            last = static_cast<int>(p - start);
        }
        if (last <= first) {
            ReportError("Quotation Fault");
            return false;
        }
        text = line.Mid(first + 1, last - first - 1);
        return true;
    }

    // Each line gives at most one problem, so the line numbers are distinct keys.
    void ReportError(const char* message) {
        CString lineKey;
        lineKey.Format("%d=", m_lineNumber);
        m_errors += lineKey;
        m_errors += message;
        m_errors += "\r\n";
    }

    CMapStringToString& m_texts;
    const CString& m_messageFile;
    const CString& m_errorFile;
    const CString& m_tag;
    int m_lineNumber = 0;
    bool m_entryOpen = false;
    CString m_key;
    CString m_errors;
    CString m_firstDuplicate;
    int m_duplicates = 0;
};

void LoadMessageFile(LanguageState& state, const char* file, const char* language) {
    state.messageFile = file;
    state.errorFile.Empty();
    // An empty name would put the error file in the folder above the program's.
    if (state.messageFile.IsEmpty())
        return;
    if (state.messageFile.Find('\\') < 0) {
        CString programFolder = CUtilityLib::GetAppPath();
        // Without it the name would become "\language.msg", and the error file one at the drive root.
        if (programFolder.IsEmpty())
            return;
        state.messageFile = programFolder + "\\" + state.messageFile;
    }
    state.errorFile = CUtilityLib::GetParentFolder(state.messageFile) + "\\msg_error.ini";
    DeleteFileA(state.errorFile);

    CString tag = CString("msg.") + language;
    tag.MakeLower();
    CString text = CUtilityLib::LoadFileData(state.messageFile, kWholeTextLimit);
    if (!text.IsEmpty())
        CMsgFileReader(state.texts, state.messageFile, state.errorFile, tag).Read(text);
}

}  // namespace

void CLanguage::SetMsgPathName(const char* file, const char* language) {
    LanguageState& state = State();
    state.texts.RemoveAll();
    try {
        LoadMessageFile(state, file, language);
    } catch (const std::bad_alloc&) {
        state.texts.RemoveAll();
    }
}

CString CLanguage::TXT(const char* key) {
    CString text;
    return State().texts.Lookup(key, text) ? text : CString(key);
}

CString CLanguage::TXT(const char* prefix, int number) {
    CString key;
    key.Format("%s%d", prefix ? prefix : "", number);
    return TXT(key);
}

void CLanguage::AddMsgText(const char* key, const char* text) { State().texts.SetAt(key, text); }

void CLanguage::AddMsgText(const CMapStringToString& texts) {
    CString key;
    CString text;
    for (POSITION position = texts.GetStartPosition(); position;) {
        texts.GetNextAssoc(position, key, text);
        State().texts.SetAt(key, text);
    }
}
