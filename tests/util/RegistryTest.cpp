#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestFixtures.h"
#include "UtilityLib.h"

namespace {

struct RawValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

// Reads straight through the registry API, independent of the code under test.
RawValue ReadRaw(const CString& path, const char* name) {
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char data[16384];
    DWORD size = sizeof(data);
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        value.found = true;
        value.bytes.assign(data, size);
    }
    RegCloseKey(key);
    return value;
}

void WriteRaw(const CString& path, const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void MakeKey(const CString& path) { WriteRaw(path, "v", REG_DWORD, std::string(4, '\0')); }

bool KeyExists(const CString& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::vector<std::string> Sorted(const CStringArray& names, int from) {
    std::vector<std::string> result;
    for (int i = from; i < names.GetSize(); ++i)
        result.push_back(names[i].GetString());
    std::sort(result.begin(), result.end());
    return result;
}

std::string Terminated(const char* text) { return std::string(text, strlen(text) + 1); }

}  // namespace

TEST(RegistryText, RoundTripsKoreanKeyValueNameAndTextUnderCodePage949) {
    ASSERT_EQ(GetACP(), 949u);
    TempRegKey temp;
    CString path = temp / "설정\\하위";
    EXPECT_EQ(CUtilityLib::WriteRegistry(temp.Root(), path, "이름", "휴지통 비우기"), 1);

    EXPECT_EQ(ReadRaw(path, "이름").type, static_cast<DWORD>(REG_SZ));
    // Key, value name and text are stored as the right Unicode, so other programs see real Hangul.
    std::wstring widePath(temp.Path().GetString(), temp.Path().GetString() + temp.Path().GetLength());
    wchar_t wide[32] = {};
    DWORD size = sizeof(wide);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (widePath + L"\\설정\\하위").c_str(), L"이름", RRF_RT_REG_SZ, nullptr,
                           wide, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(wide), L"휴지통 비우기");

    EXPECT_STREQ(CUtilityLib::ReadRegistry(temp.Root(), path, "이름"), "휴지통 비우기");
    char buffer[64];
    EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), path, "이름", buffer, sizeof(buffer)), 14);
}

TEST(RegistryText, DefaultValueIsWrittenAndReadWithNullValueName) {
    TempRegKey temp;
    CString path = temp / "없는\\경로";
    EXPECT_EQ(CUtilityLib::WriteRegistry(temp.Root(), path, nullptr, "기본값"), 1);
    EXPECT_EQ(ReadRaw(path, nullptr).bytes, Terminated("기본값"));
    EXPECT_STREQ(CUtilityLib::ReadRegistry(temp.Root(), path, nullptr), "기본값");
    char buffer[32];
    EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), path, nullptr, buffer, sizeof(buffer)), 1);
    EXPECT_STREQ(buffer, "기본값");
}

TEST(RegistryText, ReadsAnyTypeUpToFirstNulAndFailsWholeWhenOver10239Bytes) {
    TempRegKey temp;
    WriteRaw(temp.Path(), "one", REG_DWORD, std::string("\x01\0\0\0", 4));
    WriteRaw(temp.Path(), "fits", REG_SZ, Terminated(std::string(10239, 'a').c_str()));
    WriteRaw(temp.Path(), "long", REG_SZ, Terminated(std::string(10240, 'a').c_str()));
    WriteRaw(temp.Path(), "exact", REG_BINARY, std::string(10240, 'b'));

    CString one = CUtilityLib::ReadRegistry(temp.Root(), temp.Path(), "one");
    ASSERT_EQ(one.GetLength(), 1);
    EXPECT_EQ(one[0], '\x01');
    EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), temp.Path(), "fits").GetLength(), 10239);
    EXPECT_STREQ(CUtilityLib::ReadRegistry(temp.Root(), temp.Path(), "long"), "");
    EXPECT_STREQ(CUtilityLib::ReadRegistry(temp.Root(), temp.Path(), "exact"), "");
    EXPECT_STREQ(CUtilityLib::ReadRegistry(temp.Root(), temp.Path(), "missing"), "");
}

TEST(RegistryBuffer, AlwaysTerminatesAndNeverWritesPastTheBuffer) {
    TempRegKey temp;
    WriteRaw(temp.Path(), "full", REG_SZ, Terminated("abc"));
    WriteRaw(temp.Path(), "raw", REG_BINARY, "abcd");
    WriteRaw(temp.Path(), "short", REG_BINARY, "xyz");
    WriteRaw(temp.Path(), "big", REG_SZ, Terminated("abcdefgh"));
    WriteRaw(temp / "d4", nullptr, REG_SZ, Terminated("abc"));
    WriteRaw(temp / "d5", nullptr, REG_SZ, "abcd");

    struct Case {
        CString key;
        const char* name;
        int result;
        const char* text;
    } cases[] = {
        {temp.Path(), "full", 4, "abc"},  // text with its terminator fills the buffer exactly
        {temp.Path(), "raw", 0, ""},      // four bytes, no room for a terminator
        {temp.Path(), "short", 3, "xyz"},
        {temp.Path(), "big", 0, ""},
        {temp / "d4", nullptr, 1, "abc"},
        {temp / "d5", nullptr, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(default)");
        char storage[5];
        memset(storage, '#', sizeof(storage));
        EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), c.key, c.name, storage, 4), c.result);
        EXPECT_STREQ(storage, c.text);
        EXPECT_EQ(storage[4], '#');
    }
}

TEST(RegistryNumberText, RoundTripsAndFitsOnly31Characters) {
    TempRegKey temp;
    EXPECT_EQ(CUtilityLib::WriteRegistry(temp.Root(), temp / "a\\b", "n", -12345), 1);
    EXPECT_EQ(ReadRaw(temp / "a\\b", "n").bytes, Terminated("-12345"));
    int out = 0;
    EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), temp / "a\\b", "n", out, 7), 1);
    EXPECT_EQ(out, -12345);

    WriteRaw(temp.Path(), "31", REG_SZ, Terminated(("42" + std::string(29, 'x')).c_str()));
    WriteRaw(temp.Path(), "32", REG_SZ, Terminated(("42" + std::string(30, 'x')).c_str()));
    EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), temp.Path(), "31", out, 7), 1);
    EXPECT_EQ(out, 42);
    EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), temp.Path(), "32", out, 7), 0);
    EXPECT_EQ(out, 7);
}

TEST(RegistryDWORD, RoundTripsAndFallsBackAsDocumented) {
    TempRegKey temp;
    EXPECT_EQ(CUtilityLib::WriteRegistryDWORD(temp.Root(), temp / "a\\b", "n", 0xDEADBEEF), 1);
    RawValue raw = ReadRaw(temp / "a\\b", "n");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(raw.bytes, std::string("\xEF\xBE\xAD\xDE", 4));
    EXPECT_EQ(CUtilityLib::ReadRegistryDWORD(temp.Root(), temp / "a\\b", "n", 5), 0xDEADBEEFu);

    const DWORD minusOne = static_cast<DWORD>(-1);
    EXPECT_EQ(CUtilityLib::ReadRegistryDWORD(temp.Root(), temp / "missing", "Flags", minusOne), 0u);
    EXPECT_EQ(CUtilityLib::ReadRegistryDWORD(temp.Root(), temp.Path(), "Flags", minusOne), minusOne);
    EXPECT_EQ(CUtilityLib::ReadRegistryDWORD(temp.Root(), temp / "a\\b", nullptr, 9), 9u);
    WriteRaw(temp.Path(), "two", REG_BINARY, "\x34\x12");
    EXPECT_EQ(CUtilityLib::ReadRegistryDWORD(temp.Root(), temp.Path(), "two", minusOne), 0xFFFF1234u);
}

TEST(RegistryBinary, RoundTripsBytesWithNulsIntoNewPath) {
    TempRegKey temp;
    const std::string bytes("\x00\xFF\x10\x00\x80", 5);
    EXPECT_EQ(CUtilityLib::WriteRegistryBinary(temp.Root(), temp / "x\\y\\z", "b", bytes.data(), 5), 1);
    RawValue raw = ReadRaw(temp / "x\\y\\z", "b");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(raw.bytes, bytes);
    char buffer[8];
    EXPECT_EQ(CUtilityLib::ReadRegistry(temp.Root(), temp / "x\\y\\z", "b", buffer, sizeof(buffer)), 5);
    EXPECT_EQ(std::string(buffer, 6), bytes + '\0');
}

TEST(RegistryWriters, NullValueNameWritesNothingForDWORDAndBinary) {
    TempRegKey temp;
    EXPECT_EQ(CUtilityLib::WriteRegistryDWORD(temp.Root(), temp / "d", nullptr, 1), 0);
    EXPECT_EQ(CUtilityLib::WriteRegistryBinary(temp.Root(), temp / "b", nullptr, "ab", 2), 0);
    EXPECT_EQ(CUtilityLib::WriteRegistryBinary(temp.Root(), temp.Path(), nullptr, "ab", 2), 0);
    EXPECT_FALSE(KeyExists(temp / "d"));
    EXPECT_FALSE(KeyExists(temp / "b"));
    EXPECT_FALSE(ReadRaw(temp.Path(), nullptr).found);
}

TEST(RegistryDelete, RemovesValuesAndOnlyKeysWithoutSubkeys) {
    TempRegKey temp;
    MakeKey(temp / "leaf");
    MakeKey(temp / "tree\\child");
    EXPECT_EQ(CUtilityLib::IsRegistryKey(temp.Root(), temp / "leaf"), 1);
    EXPECT_EQ(CUtilityLib::IsRegistryKey(temp.Root(), temp / "none"), 0);

    EXPECT_EQ(CUtilityLib::DeleteRegistryValue(temp.Root(), temp / "leaf", "v"), 1);
    EXPECT_FALSE(ReadRaw(temp / "leaf", "v").found);
    EXPECT_EQ(CUtilityLib::DeleteRegistryValue(temp.Root(), temp / "leaf", "v"), 0);

    EXPECT_EQ(CUtilityLib::DeleteRegistryKey(temp.Root(), temp.Path(), "leaf"), 1);
    EXPECT_FALSE(KeyExists(temp / "leaf"));
    EXPECT_EQ(CUtilityLib::DeleteRegistryKey(temp.Root(), temp.Path(), "tree"), 0);
    EXPECT_TRUE(KeyExists(temp / "tree\\child"));
    // An empty child name must not delete the parent.
    EXPECT_EQ(CUtilityLib::DeleteRegistryKey(temp.Root(), temp / "tree\\child", ""), 0);
    EXPECT_TRUE(KeyExists(temp / "tree\\child"));
}

TEST(RegistryLists, AppendSubkeysAndValueNamesToCallersArray) {
    TempRegKey temp;
    MakeKey(temp / "하나");
    MakeKey(temp / "two");
    WriteRaw(temp.Path(), nullptr, REG_SZ, Terminated("default"));
    WriteRaw(temp.Path(), "값", REG_SZ, Terminated("x"));

    CStringArray keys;
    keys.Add("kept");
    EXPECT_EQ(CUtilityLib::GetSubRegKeyList(temp.Root(), temp.Path(), keys), 3);
    EXPECT_STREQ(keys[0], "kept");
    EXPECT_EQ(Sorted(keys, 1), (std::vector<std::string>{"two", "하나"}));
    EXPECT_EQ(CUtilityLib::GetSubRegKeyList(temp.Root(), temp / "none", keys), 3);

    CStringArray values;
    values.Add("kept");
    EXPECT_EQ(CUtilityLib::GetSubValueList(temp.Root(), temp.Path(), values), 3);
    EXPECT_STREQ(values[0], "kept");
    EXPECT_EQ(Sorted(values, 1), (std::vector<std::string>{"", "값"}));
}

TEST(RegistryLists, ValueNameOf255CharactersEndsTheValueList) {
    TempRegKey temp;
    WriteRaw(temp.Path(), "a", REG_SZ, Terminated("1"));
    WriteRaw(temp.Path(), std::string(254, 'b').c_str(), REG_SZ, Terminated("2"));
    WriteRaw(temp.Path(), std::string(255, 'c').c_str(), REG_SZ, Terminated("3"));
    WriteRaw(temp.Path(), "d", REG_SZ, Terminated("4"));
    CStringArray values;
    CUtilityLib::GetSubValueList(temp.Root(), temp.Path(), values);
    EXPECT_EQ(Sorted(values, 0), (std::vector<std::string>{"a", std::string(254, 'b')}));
}

TEST(RegistryDeleteMatching, WholeNameIgnoresCaseAndSubstringKeepsIt) {
    TempRegKey temp;
    MakeKey(temp / "Office\\12.0\\Word\\File MRU");
    MakeKey(temp / "Office\\12.0\\Excel\\file mru");
    MakeKey(temp / "Office\\Recent file list");
    MakeKey(temp / "Office\\최근 파일");
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp / "Office", "file MRU", 1, 1), 2);
    EXPECT_FALSE(KeyExists(temp / "Office\\12.0\\Word\\File MRU"));
    EXPECT_FALSE(KeyExists(temp / "Office\\12.0\\Excel\\file mru"));
    EXPECT_TRUE(KeyExists(temp / "Office\\12.0\\Word"));

    MakeKey(temp / "Office\\File MRU");
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp / "Office", "file", 0, 1), 1);
    EXPECT_FALSE(KeyExists(temp / "Office\\Recent file list"));
    EXPECT_TRUE(KeyExists(temp / "Office\\File MRU"));

    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp / "Office", "최근 파일", 1, 1), 1);
    EXPECT_FALSE(KeyExists(temp / "Office\\최근 파일"));
}

TEST(RegistryDeleteMatching, ComparesWholeDoubleByteCharacters) {
    TempRegKey temp;
    // "갂" is 81 41 and "갵" 81 61: trail bytes that look like 'A' and 'a'.
    MakeKey(temp / "갂");
    MakeKey(temp / "갵");
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp.Path(), "A", 0, 1), 0);
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp.Path(), "갂", 1, 1), 1);
    EXPECT_FALSE(KeyExists(temp / "갂"));
    EXPECT_TRUE(KeyExists(temp / "갵"));
}

TEST(RegistryDeleteMatching, CountsMatchedKeyWithSubkeysWithoutLookingInside) {
    TempRegKey temp;
    MakeKey(temp / "App\\File MRU\\File MRU");
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp.Path(), "File MRU", 1, 1), 1);
    EXPECT_TRUE(KeyExists(temp / "App\\File MRU\\File MRU"));
}

TEST(RegistryDeleteMatching, RecursesOnlyWhenAsked) {
    TempRegKey temp;
    MakeKey(temp / "VisitedDirs");
    MakeKey(temp / "Photoshop\\9.0\\VisitedDirs");
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp.Path(), "VisitedDirs", 1, 0), 1);
    EXPECT_FALSE(KeyExists(temp / "VisitedDirs"));
    EXPECT_TRUE(KeyExists(temp / "Photoshop\\9.0\\VisitedDirs"));
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp.Path(), "VisitedDirs", 1, 1), 1);
    EXPECT_FALSE(KeyExists(temp / "Photoshop\\9.0\\VisitedDirs"));
    EXPECT_TRUE(KeyExists(temp / "Photoshop\\9.0"));
}

TEST(RegistryDeleteMatching, EmptyPatternDeletesNothing) {
    TempRegKey temp;
    MakeKey(temp / "a");
    EXPECT_EQ(CUtilityLib::DeleteMatchingSubKeys(temp.Root(), temp.Path(), "", 0, 1), 0);
    EXPECT_TRUE(KeyExists(temp / "a"));
}
