#pragma once
#include <windows.h>

#include <string>

#include "Framework.h"

// Writes registry keys and values to a registry editor import file before the engine deletes
// them; only what a Commit put on the disk may be deleted. The file is created on the first
// entry, as UTF-16LE with a byte-order mark (the only form the registry editor reads without
// losing text outside the ANSI code page). Entries wait in memory until Commit writes them with
// one write and one flush: a process that ends before then leaves none of them in the file, so
// none of them may have been deleted.
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
    // 1 when the entry is read and waits for the next Commit; 0 for a refused key (after a
    // message box), a key or value that cannot be read, a root other than the five predefined
    // ones, or a file that cannot be opened.
    int BackupKey(HKEY root, const char* subkey);
    int BackupValue(HKEY root, const char* subkey, const char* valueName);
    // 1 when every waiting entry is written and flushed (or none waits). On failure the waiting
    // entries are dropped, the file is cut back to where they began and the next entry writes
    // its key header again.
    int Commit();
    // The flushes made so far, for the benchmark.
    int Flushes() const { return m_flushes; }
    // ANSI text, written as UTF-16 after a Commit; 0 when the file is not open (never opens it)
    // or a write fails. Flushed once, by Close.
    int Append(const char* text, int length = -1);
    // Commits, flushes what Append wrote and closes the file.
    void Close();

private:
    int BackupTree(HKEY root, const std::wstring& subkey);
    // The key header when fullName is not the key of the last header staged, else nothing.
    std::wstring HeaderFor(const std::wstring& fullName) const;
    void Stage(const std::wstring& entry, const std::wstring& fullName);
    bool WriteText(const std::wstring& text);
    bool Flush();

    CString m_fileName;
    std::wstring m_lastKeyHeader;
    std::wstring m_staged;
    CFile m_file;
    bool m_created = false;
    bool m_appendedSinceFlush = false;
    int m_flushes = 0;
};
