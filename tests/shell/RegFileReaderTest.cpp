#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "../engine/WideRegTree.h"
#include "FileProbe.h"
#include "RegBackupWriter.h"
#include "TestFixtures.h"
#include "history/RegFileReader.h"
#include "history/RestoreCheck.h"

using namespace WideRegTree;

namespace {

struct TypedValue {
    const wchar_t* name;
    DWORD type;
    Bytes data;
};

// Of every type the writer has a line for; the multi-string is long enough for continuations.
const TypedValue kValues[] = {
    {L"", REG_SZ, {'d', 0, 0, 0}},
    {L"quote\"and\\slash", REG_SZ, {'C', 0, ':', 0, '\\', 0, 0xC0, 0xD5, 0, 0}},
    {L"number", REG_DWORD, {0xFF, 0x00, 0x00, 0x00}},
    {L"binary", REG_BINARY, {0x00, 0x01, 0xFE}},
    {L"expand", REG_EXPAND_SZ, {'%', 0, 'A', 0, '%', 0, 0, 0}},
    {L"multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0, 'f', 0, 'g', 0, 'h', 0, 0, 0,
                              'i', 0, 'j', 0, 'k', 0, 'l', 0, 'm', 0, 'n', 0, 'o', 0, 0, 0, 0, 0}},
    {L"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
    {L"none", REG_NONE, {}},
};

const RegFileReader::Value* FindValue(const RegFileReader::Key& key, const std::wstring& name) {
    for (const RegFileReader::Value& value : key.values)
        if (value.name == name)
            return &value;
    return nullptr;
}

class BackedUpKey : public ::testing::Test {
protected:
    void SetUp() override {
        m_file = m_folder.Path() + "\\backup.REG";
        m_path = Widen(m_key.Path());
        for (const TypedValue& value : kValues)
            ASSERT_TRUE(Set(HKEY_CURRENT_USER, m_path, value.name, value.type, value.data));
        ASSERT_TRUE(MakeKey(HKEY_CURRENT_USER, m_path + L"\\empty child"));
        CRegBackupWriter writer;
        writer.SetFileName(m_file);
        ASSERT_EQ(1, writer.BackupKey(HKEY_CURRENT_USER, m_key.Path()));
        ASSERT_EQ(1, writer.Append("\r\n\r\n[List]\r\n0=a\tb\tHKCU\\x"));
    }
    std::wstring FullName() const { return L"HKEY_CURRENT_USER\\" + m_path; }

    TempFolder m_folder;
    TempRegKey m_key;
    CString m_file;
    std::wstring m_path;
};

}  // namespace

TEST_F(BackedUpKey, ReaderGivesEveryValueWithTheTypeAndBytesOfTheRegistry) {
    std::vector<RegFileReader::Key> keys;
    ASSERT_TRUE(RegFileReader::ReadFile(m_file, keys));
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(FullName(), keys[0].fullName);
    EXPECT_EQ(FullName() + L"\\empty child", keys[1].fullName);
    EXPECT_TRUE(keys[1].values.empty());
    ASSERT_EQ(8u, keys[0].values.size());
    for (const TypedValue& expected : kValues) {
        const RegFileReader::Value* value = FindValue(keys[0], expected.name);
        ASSERT_NE(nullptr, value) << Printable(expected.name);
        EXPECT_EQ(expected.type, value->type) << Printable(expected.name);
        EXPECT_TRUE(expected.data == value->data) << Printable(expected.name);
    }
}

TEST_F(BackedUpKey, KeyPathIsRestoredOnlyWhileEveryValueOfTheFileIsBackUnchanged) {
    std::vector<RegFileReader::Key> keys;
    ASSERT_TRUE(RegFileReader::ReadFile(m_file, keys));
    const std::wstring shortPath = L"HKCU\\" + m_path;
    EXPECT_TRUE(RestoreCheck::IsRestored(keys, shortPath));
    EXPECT_TRUE(RestoreCheck::IsRestored(keys, shortPath + L"\\number"));

    ASSERT_TRUE(Set(HKEY_CURRENT_USER, m_path, L"multi", REG_MULTI_SZ, {'x', 0, 0, 0, 0, 0}));
    EXPECT_FALSE(RestoreCheck::IsRestored(keys, shortPath));
    EXPECT_FALSE(RestoreCheck::IsRestored(keys, shortPath + L"\\multi"));
    EXPECT_TRUE(RestoreCheck::IsRestored(keys, shortPath + L"\\number"));

    ASSERT_TRUE(Set(HKEY_CURRENT_USER, m_path, L"number", REG_BINARY, {0xFF, 0x00, 0x00, 0x00}));
    EXPECT_FALSE(RestoreCheck::IsRestored(keys, shortPath + L"\\number"));
}

TEST_F(BackedUpKey, KeyPathIsNotRestoredWhileAKeyBelowItIsMissing) {
    std::vector<RegFileReader::Key> keys;
    ASSERT_TRUE(RegFileReader::ReadFile(m_file, keys));
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyW(HKEY_CURRENT_USER, (m_path + L"\\empty child").c_str()));
    EXPECT_FALSE(RestoreCheck::IsRestored(keys, L"HKCU\\" + m_path));
    EXPECT_TRUE(RestoreCheck::IsRestored(keys, L"HKCU\\" + m_path + L"\\binary"));
}

TEST_F(BackedUpKey, PathThatStandsForNothingInTheFileIsNotRestored) {
    std::vector<RegFileReader::Key> keys;
    ASSERT_TRUE(RegFileReader::ReadFile(m_file, keys));
    EXPECT_FALSE(RestoreCheck::IsRestored(keys, L"HKCU\\" + m_path + L"\\no such value"));
    // A sibling whose name merely begins with the key's name is another key.
    EXPECT_FALSE(RestoreCheck::IsRestored(keys, L"HKCU\\" + m_path.substr(0, m_path.size() - 1)));
    EXPECT_FALSE(RestoreCheck::IsRestored(keys, L""));
}

TEST(RegFileReader, ReadsTheAnsiFormWithIndentedContinuationsAndSkipsDeletionsAndTheList) {
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
        "@=\"\xC7\xD1\"\r\n"
        "\"bin\"=hex:01,02,\\\r\n  03,0a\r\n"
        "\"gone\"=-\r\n"
        "\r\n[-HKEY_CURRENT_USER\\Software\\B]\r\n"
        "\"skipped\"=dword:00000001\r\n"
        "\r\n\r\n[List]\r\n0=x\ty\tz";
    TempFolder folder;
    const CString file = folder.Path() + "\\ansi.reg";
    ASSERT_TRUE(FileProbe::WriteBytes(file, text));
    std::vector<RegFileReader::Key> keys;
    ASSERT_TRUE(RegFileReader::ReadFile(file, keys));
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ(L"HKEY_LOCAL_MACHINE\\Software\\A", keys[0].fullName);
    ASSERT_EQ(2u, keys[0].values.size());
    EXPECT_EQ(L"", keys[0].values[0].name);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), keys[0].values[0].type);
    EXPECT_TRUE((Bytes{0x5C, 0xD5, 0, 0}) == keys[0].values[0].data);  // U+D55C
    EXPECT_EQ(L"bin", keys[0].values[1].name);
    EXPECT_TRUE((Bytes{1, 2, 3, 10}) == keys[0].values[1].data);
}

TEST(RegFileReader, RefusesFilesItCannotUnderstand) {
    const char* const texts[] = {
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n",
        "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"v\"=hex:1,zz\r\n",
        "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"v\"=dword:123456789\r\n",
        "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"v\"=\"open\r\n",
    };
    for (const char* text : texts) {
        std::vector<RegFileReader::Key> keys;
        EXPECT_FALSE(RegFileReader::ParseText(Widen(text), keys)) << text;
    }
}
