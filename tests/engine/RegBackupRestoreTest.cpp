#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "RegBackupWriter.h"
#include "TestFixtures.h"
#include "UtilityLib.h"
#include "WideRegTree.h"
#include "BackupFileProbe.h"

using namespace WideRegTree;

using namespace BackupFileProbe;

namespace {

void ExpectSameTree(const Tree& expected, const Tree& actual) {
    for (const auto& key : expected) {
        auto found = actual.find(key.first);
        if (found == actual.end()) {
            ADD_FAILURE() << "key not restored: " << Printable(key.first);
            continue;
        }
        for (const auto& value : key.second) {
            auto restored = found->second.find(value.first);
            if (restored == found->second.end()) {
                ADD_FAILURE() << "value not restored: " << Printable(key.first) << " : " << Printable(value.first);
                continue;
            }
            EXPECT_EQ(value.second.first, restored->second.first) << "type of " << Printable(value.first);
            EXPECT_TRUE(value.second.second == restored->second.second)
                << "bytes of " << Printable(value.first) << ": " << value.second.second.size() << " written, "
                << restored->second.second.size() << " restored";
        }
        EXPECT_EQ(key.second.size(), found->second.size()) << "values of " << Printable(key.first);
    }
    EXPECT_EQ(expected.size(), actual.size());
}

bool IsOutsideAnsiCodePage(const wchar_t* text) {
    BOOL usedDefault = FALSE;
    char ansi[64];
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, &usedDefault);
    return usedDefault != FALSE;
}

Bytes Raw(const char* bytes, size_t count) { return Bytes(bytes, bytes + count); }

// A run's file name with its Korean words, in a temp folder.
CString RunFile(const TempFolder& folder) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString name = CRegBackupWriter::RunFileName(folder.Path(), now);
    CUtilityLib::CreateMultiFolder(name, 0);
    return name;
}

// Backs up the whole test key into a run file with a [List] section after the entries,
// deletes the key and imports the file with the registry editor.
void BackupDeleteAndImport(const TempRegKey& temp, const TempFolder& folder) {
    CString file = RunFile(folder);
    {
        CRegBackupWriter writer;
        writer.SetFileName(file);
        ASSERT_EQ(1, writer.BackupKey(HKEY_CURRENT_USER, temp.Path()));
        ASSERT_EQ(1, writer.Append("\r\n\r\n[List]\r\n0=레지스트리\t-\tHKCU\\x\r\n1=b\tc\td"));
    }
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyA(HKEY_CURRENT_USER, temp.Path()));
    ASSERT_FALSE(Exists(HKEY_CURRENT_USER, Widen(temp.Path())));
    ASSERT_TRUE(ImportWithRegistryEditor(file));
}

const wchar_t kOutside[] = L"\u011F";  // g with breve: not in code page 949

}  // namespace

TEST(RegBackupRestore, KeyTreeOfEveryValueTypeComesBackExactlyAfterDeletion) {
    ASSERT_TRUE(IsOutsideAnsiCodePage(kOutside));
    TempRegKey temp;
    TempFolder folder;
    const std::wstring top = Widen(temp.Path());
    const std::wstring outside = kOutside;

    Bytes binary(64 * 1024);
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<BYTE>(i * 7 + 3);
    std::wstring multi = L"first item of a list long enough for several lines";
    multi += L'\0';
    multi += L'\0';  // an empty item
    multi += L"세 번째 " + outside + L'\0';

    struct Entry {
        std::wstring key;
        std::wstring name;
        DWORD type;
        Bytes data;
    };
    const std::wstring oddKey = top + L"\\a]b c";
    const Entry entries[] = {
        {top, L"", REG_SZ, Text(L"")},
        {top, L"back\\slash \"quoted\"", REG_SZ, Text(L"C:\\dir\\\"file\".txt")},
        {top, L"한글 이름", REG_SZ, Text(L"한국어 값")},
        {top, outside + L" name", REG_SZ, Text(L"data " + outside)},
        {top, L"nul inside", REG_SZ, Text(std::wstring(L"ab\0cd", 5))},
        {top, L"zero bytes", REG_SZ, Bytes()},
        {top, L"line break", REG_SZ, Text(L"one\r\ntwo")},
        {top, L"expand", REG_EXPAND_SZ, Text(L"%TEMP%\\폴더" + outside)},
        {top, L"multi", REG_MULTI_SZ, Text(multi)},
        {top, L"binary", REG_BINARY, binary},
        {top, L"empty binary", REG_BINARY, Bytes()},
        {top, L"dword", REG_DWORD, Raw("\xef\xbe\xad\xde", 4)},
        {top, L"short dword", REG_DWORD, Raw("\x01\x02\x03", 3)},
        {top, L"qword", REG_QWORD, Raw("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
        {top, L"none", REG_NONE, Raw("\x00\xff\x10", 3)},
        {top, L"unknown", 0x1234, Raw("\x42\x43", 2)},
        {oddKey, L"", REG_DWORD, Raw("\x07\x00\x00\x00", 4)},
        {oddKey, L"inner", REG_SZ, Text(L"x")},
        {oddKey + L"\\deeper " + outside, L"", REG_QWORD, Raw("\xff\xfe\xfd\xfc\xfb\xfa\xf9\xf8", 8)},
        {oddKey + L"\\deeper " + outside, L"deep", REG_SZ, Text(L"바닥")},
        {top + L"\\나열", L"", REG_SZ, Text(L"기본값 " + outside)},
    };
    for (const Entry& entry : entries)
        ASSERT_TRUE(Set(HKEY_CURRENT_USER, entry.key, entry.name, entry.type, entry.data)) << Printable(entry.name);
    ASSERT_TRUE(MakeKey(HKEY_CURRENT_USER, top + L"\\empty key"));

    Tree written;
    Read(HKEY_CURRENT_USER, top, written);
    ASSERT_EQ(sizeof entries / sizeof entries[0], ValueCount(written));
    ASSERT_EQ(5u, written.size());

    BackupDeleteAndImport(temp, folder);

    Tree restored;
    Read(HKEY_CURRENT_USER, top, restored);
    ExpectSameTree(written, restored);
}

TEST(RegBackupRestore, ValuesBackedUpOneByOneComeBackAfterTheirDeletion) {
    TempRegKey temp;
    TempFolder folder;
    const std::wstring first = Widen(temp.Path()) + L"\\First";
    const std::wstring second = Widen(temp.Path()) + L"\\second";
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, first, L"", REG_BINARY, Raw("\x01\x02", 2)));
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, first, L"경로", REG_EXPAND_SZ, Text(L"%WINDIR%\\한글")));
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, second, L"", REG_SZ, Text(L"기본 \"값\"")));
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, second, L"count", REG_DWORD, Raw("\xff\x00\x00\x00", 4)));
    Tree written;
    Read(HKEY_CURRENT_USER, Widen(temp.Path()), written);
    ASSERT_EQ(4u, ValueCount(written));

    CString file = folder / "values.reg";
    CString firstKey = temp / "First";
    CString secondKey = temp / "second";
    {
        CRegBackupWriter writer;
        writer.SetFileName(file);
        // Interleaved, so the first key's header has to come again.
        ASSERT_EQ(1, writer.BackupValue(HKEY_CURRENT_USER, firstKey, nullptr));
        ASSERT_EQ(1, writer.BackupValue(HKEY_CURRENT_USER, secondKey, ""));
        ASSERT_EQ(1, writer.BackupValue(HKEY_CURRENT_USER, firstKey, "경로"));
        ASSERT_EQ(1, writer.BackupValue(HKEY_CURRENT_USER, secondKey, "count"));
    }
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteValueA(HKEY_CURRENT_USER, firstKey, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteValueA(HKEY_CURRENT_USER, firstKey, "경로"));
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteValueA(HKEY_CURRENT_USER, secondKey, ""));
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteValueA(HKEY_CURRENT_USER, secondKey, "count"));
    Tree emptied;
    Read(HKEY_CURRENT_USER, Widen(temp.Path()), emptied);
    ASSERT_EQ(0u, ValueCount(emptied));

    ASSERT_TRUE(ImportWithRegistryEditor(file));

    Tree restored;
    Read(HKEY_CURRENT_USER, Widen(temp.Path()), restored);
    ExpectSameTree(written, restored);
}

// The registry editor stores string data through RegSetValueExW, which adds the terminator
// that unterminated data lacks (as Windows does); the text and the type still come back.
TEST(RegBackupRestore, UnterminatedStringComesBackWithItsTextAndType) {
    TempRegKey temp;
    TempFolder folder;
    const std::wstring top = Widen(temp.Path());
    ASSERT_TRUE(Set(HKEY_CURRENT_USER, top, L"no terminator", REG_SZ, Text(L"abc", false)));
    Tree written;
    Read(HKEY_CURRENT_USER, top, written);
    const Value& before = written[top][L"no terminator"];
    ASSERT_EQ(6u, before.second.size());

    BackupDeleteAndImport(temp, folder);

    Tree restored;
    Read(HKEY_CURRENT_USER, top, restored);
    ASSERT_EQ(1u, restored[top].count(L"no terminator"));
    const Value& after = restored[top][L"no terminator"];
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), after.first);
    ASSERT_GE(after.second.size(), before.second.size());
    EXPECT_TRUE(std::equal(before.second.begin(), before.second.end(), after.second.begin()));
}
