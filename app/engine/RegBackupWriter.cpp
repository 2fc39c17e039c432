#include "RegBackupWriter.h"

#include <vector>

#include "RegExportText.h"
#include "WideRegistry.h"

namespace {

// Keys whose loss would break Windows or many programs: never backed up, so never deleted.
const wchar_t* const kRefusedKeys[] = {
    L"CLSID",
    L"Software",
    L"Software\\Classes",
    L"Software\\Microsoft",
    L"Software\\Microsoft\\Windows",
    L"Software\\Microsoft\\Windows\\CurrentVersion",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes",
    L"Software\\Microsoft\\Windows NT\\CurrentVersion",
    L"System",
    L"System\\CurrentControlSet",
    L"System\\CurrentControlSet\\Control",
    L"System\\CurrentControlSet\\Enum",
    L"System\\CurrentControlSet\\Services",
    L"Hardware",
    L"Security",
    L"Control Panel",
    L"Printers",
};

bool SameKeyName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool IsRefusedKey(const std::wstring& subkey) {
    for (const wchar_t* refused : kRefusedKeys)
        if (SameKeyName(subkey, refused))
            return true;
    return false;
}

std::wstring FullKeyName(HKEY root, const std::wstring& subkey) {
    const wchar_t* rootName = RegExportText::RootName(root);
    return std::wstring(rootName ? rootName : L"") + L"\\" + subkey;
}

// The file brings a key back only under a named root and with its path on one header line.
bool CanRestore(HKEY root, const std::wstring& subkey) {
    return RegExportText::RootName(root) && RegExportText::IsSingleLine(subkey);
}

void ShowRefusal(const std::wstring& fullName) {
    CString text;
    text.Format("잘못된 접근으로 판단 : 차단함 : [%s]", (const char*)WideRegistry::ToAnsi(fullName));
    MessageBoxA(nullptr, text, "알림", MB_OK);
}

}  // namespace

CRegBackupWriter::~CRegBackupWriter() { Close(); }

CString CRegBackupWriter::RunFileName(const char* localAppDataFolder, const SYSTEMTIME& localTime) {
    CString name;
    // Without the folder the name would point at "\RegHistory" at the root of the current drive.
    if (!localAppDataFolder || !*localAppDataFolder)
        return name;
    name.Format("%s\\RegHistory\\%04d년%02d월%02d일 %02d시%02d분%02d초 실행.REG", localAppDataFolder,
                localTime.wYear, localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute,
                localTime.wSecond);
    return name;
}

void CRegBackupWriter::SetFileName(const char* path) {
    Close();
    m_fileName = path;
    m_created = false;
    m_lastKeyHeader.clear();
}

int CRegBackupWriter::Open() {
    if (m_file.IsOpen())
        return 1;
    if (m_fileName.IsEmpty())
        return 0;
    unsigned flags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite;
    if (m_created)
        flags |= CFile::modeNoTruncate;
    if (!m_file.Open(m_fileName, flags))
        return 0;
    ULONGLONG end = m_file.SeekToEnd();
    if (end == CFile::invalidPosition) {
        m_file.Close();
        return 0;
    }
    if (end == 0) {
        // U+FEFF is written as FF FE: the byte-order mark the registry editor needs.
        if (!WriteText(std::wstring(1, L'\xFEFF') + RegExportText::kHeader)) {
            m_file.Close();
            return 0;
        }
        m_lastKeyHeader.clear();
    }
    m_created = true;
    return 1;
}

int CRegBackupWriter::BackupKey(HKEY root, const char* subkey) {
    if (!subkey)
        return 0;
    return BackupTree(root, WideRegistry::FromAnsi(subkey));
}

int CRegBackupWriter::BackupTree(HKEY root, const std::wstring& subkey) {
    std::wstring fullName = FullKeyName(root, subkey);
    if (IsRefusedKey(subkey)) {
        ShowRefusal(fullName);
        return 0;
    }
    if (!CanRestore(root, subkey))
        return 0;

    CRegKey key;
    std::vector<std::wstring> valueNames;
    std::vector<std::wstring> childNames;
    if (WideRegistry::Open(key, root, subkey, KEY_READ) != ERROR_SUCCESS ||
        WideRegistry::ListValueNames(key, valueNames) != ERROR_SUCCESS ||
        WideRegistry::ListSubkeyNames(key, childNames) != ERROR_SUCCESS)
        return 0;
    std::wstring entry = HeaderFor(fullName);
    for (const std::wstring& name : valueNames) {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
        LONG result = WideRegistry::ReadValue(key, name, type, data);
        if (result == ERROR_FILE_NOT_FOUND)
            continue;  // deleted since it was listed
        // The whole key is deleted after a success, so every value must be in the file.
        if (result != ERROR_SUCCESS || !RegExportText::AppendValueLine(entry, name, type, data))
            return 0;
    }
    key.Close();
    if (!Open())
        return 0;
    Stage(entry, fullName);

    for (const std::wstring& child : childNames) {
        if (!BackupTree(root, subkey.empty() ? child : subkey + L"\\" + child))
            return 0;
    }
    return 1;
}

int CRegBackupWriter::BackupValue(HKEY root, const char* subkey, const char* valueName) {
    std::wstring path = WideRegistry::FromAnsi(subkey);
    std::wstring name = WideRegistry::FromAnsi(valueName);
    if (!CanRestore(root, path))
        return 0;
    CRegKey key;
    if (WideRegistry::Open(key, root, path, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return 0;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (WideRegistry::ReadValue(key, name, type, data) != ERROR_SUCCESS)
        return 0;
    key.Close();
    if (!Open())
        return 0;

    std::wstring fullName = FullKeyName(root, path);
    std::wstring entry = HeaderFor(fullName);
    if (!RegExportText::AppendValueLine(entry, name, type, data))
        return 0;
    Stage(entry, fullName);
    return 1;
}

int CRegBackupWriter::Commit() {
    if (m_staged.empty())
        return 1;
    std::wstring staged;
    staged.swap(m_staged);
    ULONGLONG start = m_file.GetPosition();
    if (start != CFile::invalidPosition && WriteText(staged) && Flush())
        return 1;
    // A half-written entry would bring a value back cut short on import.
    if (start != CFile::invalidPosition)
        m_file.SetLength(start);
    m_lastKeyHeader.clear();
    return 0;
}

int CRegBackupWriter::Append(const char* text, int length) {
    if (!m_file.IsOpen() || !text)
        return 0;
    if (!Commit() || !WriteText(WideRegistry::FromAnsi(text, length)))
        return 0;
    m_appendedSinceFlush = true;
    return 1;
}

void CRegBackupWriter::Close() {
    if (!m_file.IsOpen())
        return;
    Commit();
    if (m_appendedSinceFlush)
        Flush();
    m_appendedSinceFlush = false;
    m_file.Close();
}

std::wstring CRegBackupWriter::HeaderFor(const std::wstring& fullName) const {
    if (!m_lastKeyHeader.empty() && SameKeyName(fullName, m_lastKeyHeader))
        return std::wstring();
    return RegExportText::KeyHeader(fullName);
}

void CRegBackupWriter::Stage(const std::wstring& entry, const std::wstring& fullName) {
    m_staged += entry;
    m_lastKeyHeader = fullName;
}

bool CRegBackupWriter::WriteText(const std::wstring& text) {
    if (text.size() > MAXDWORD / sizeof(wchar_t))
        return false;
    return text.empty() || m_file.Write(text.data(), static_cast<UINT>(text.size() * sizeof(wchar_t)));
}

bool CRegBackupWriter::Flush() {
    ++m_flushes;
    if (!m_file.Flush())
        return false;
    m_appendedSinceFlush = false;
    return true;
}
