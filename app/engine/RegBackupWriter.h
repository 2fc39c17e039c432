#pragma once
#include <windows.h>

#include <string>

#include "Framework.h"

// Writes registry keys and values to a registry editor import file before the engine deletes
// them; only what was written may be deleted. The file is created on the first entry, as
// UTF-16LE with a byte-order mark (the only form the registry editor reads without losing
// text outside the ANSI code page), and every entry is on the disk before a backup succeeds.
class CRegBackupWriter {
public:
    CRegBackupWriter() = default;
    ~CRegBackupWriter();
    CRegBackupWriter(const CRegBackupWriter&) = delete;
    CRegBackupWriter& operator=(const CRegBackupWriter&) = delete;

    // "<folder>\RegHistory\YYYY년MM월DD일 HH시MM분SS초 실행.REG" for the given local time; "" without a
    // folder.
    static CString RunFileName(const char* localAppDataFolder, const SYSTEMTIME& localTime);

    // Without a name every backup fails, so nothing is deleted without one.
    void SetFileName(const char* path);
    const CString& FileName() const { return m_fileName; }

    // 1 when the file is open. The first open of a name truncates the file; a later one (after
    // Close) appends, so entries whose keys may already be deleted are never lost.
    int Open();
    // 0 for a refused key (after a message box), a key or value that cannot be read, a root
    // other than the five predefined ones, or a failed write.
    int BackupKey(HKEY root, const char* subkey);
    int BackupValue(HKEY root, const char* subkey, const char* valueName);
    // ANSI text, written as UTF-16; 0 when the file is not open (never opens it).
    int Append(const char* text, int length = -1);
    void Close();

private:
    int BackupTree(HKEY root, const std::wstring& subkey);
    // The key header when fullName is not the key of the last header written, else nothing.
    std::wstring HeaderFor(const std::wstring& fullName) const;
    bool WriteEntry(const std::wstring& entry, const std::wstring& fullName);
    bool WriteText(const std::wstring& text);

    CString m_fileName;
    std::wstring m_lastKeyHeader;
    CFile m_file;
    bool m_created = false;
};
