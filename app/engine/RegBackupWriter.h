#pragma once
#include <windows.h>

#include "Framework.h"

// Writes registry keys and values to a registry editor import file before the engine deletes
// them; only what was written may be deleted. The file is created on the first entry.
class CRegBackupWriter {
public:
    CRegBackupWriter() = default;
    ~CRegBackupWriter();
    CRegBackupWriter(const CRegBackupWriter&) = delete;
    CRegBackupWriter& operator=(const CRegBackupWriter&) = delete;

    // "<folder>\RegHistory\YYYY년MM월DD일 HH시MM분SS초 실행.REG" for the given local time.
    static CString RunFileName(const char* localAppDataFolder, const SYSTEMTIME& localTime);

    // Without a name every backup fails, so nothing is deleted without one.
    void SetFileName(const char* path);
    const CString& FileName() const { return m_fileName; }

    int Open();
    int BackupKey(HKEY root, const char* subkey);
    int BackupValue(HKEY root, const char* subkey, const char* valueName);
    int Append(const char* text, int length = -1);
    void Close();

private:
    CString m_fileName;
    CString m_lastKeyHeader;
    CFile m_file;
};
