#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CMapStringToString.h"

TEST(CMapStringToString, LooksUpWhatWasSetWithCase) {
    CMapStringToString map;
    map.SetAt("Key", "one");
    CString value("unchanged");
    EXPECT_FALSE(map.Lookup("key", value));
    EXPECT_STREQ("unchanged", value);
    ASSERT_TRUE(map.Lookup("Key", value));
    EXPECT_STREQ("one", value);
    EXPECT_EQ(1, map.GetCount());
}

TEST(CMapStringToString, SetAtOverwritesAnExistingKey) {
    CMapStringToString map;
    map.SetAt("키", "first");
    map.SetAt("키", "second");
    CString value;
    ASSERT_TRUE(map.Lookup("키", value));
    EXPECT_STREQ("second", value);
    EXPECT_EQ(1, map.GetSize());
}

TEST(CMapStringToString, BracketsInsertAnEmptyValueForANewKey) {
    CMapStringToString map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_STREQ("", map["new"]);
    EXPECT_EQ(1, map.GetCount());
    map["new"] += "text";
    map["new"] += "+more";
    CString value;
    ASSERT_TRUE(map.Lookup("new", value));
    EXPECT_STREQ("text+more", value);
}

TEST(CMapStringToString, RemoveKeyDropsOnlyThatKey) {
    CMapStringToString map;
    map.SetAt("a", "1");
    map.SetAt("b", "2");
    EXPECT_FALSE(map.RemoveKey("A"));
    EXPECT_TRUE(map.RemoveKey("a"));
    EXPECT_FALSE(map.RemoveKey("a"));
    CString value;
    EXPECT_FALSE(map.Lookup("a", value));
    ASSERT_TRUE(map.Lookup("b", value));
    EXPECT_STREQ("2", value);
    EXPECT_EQ(1, map.GetCount());

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_FALSE(map.Lookup("b", value));
    map.SetAt("c", "3");
    EXPECT_TRUE(map.Lookup("c", value));
}

namespace {

std::map<std::string, std::string> ReadAll(const CMapStringToString& map) {
    std::map<std::string, std::string> seen;
    CString key, value;
    for (POSITION position = map.GetStartPosition(); position;) {
        map.GetNextAssoc(position, key, value);
        EXPECT_TRUE(seen.emplace(key.GetString(), value.GetString()).second) << "twice: " << key.GetString();
    }
    return seen;
}

void Fill(CMapStringToString& map, int count) {
    for (int i = 0; i < count; ++i) {
        CString key, value;
        key.Format("항목%d", i);
        value.Format("v%d", i);
        map.SetAt(key, value);
    }
}

}  // namespace

TEST(CMapStringToString, IterationVisitsEveryEntryOnce) {
    CMapStringToString map;
    EXPECT_EQ(nullptr, map.GetStartPosition());
    Fill(map, 300);  // enough to grow the table several times
    std::map<std::string, std::string> seen = ReadAll(map);
    ASSERT_EQ(300u, seen.size());
    for (int i = 0; i < 300; ++i) {
        CString key, value;
        key.Format("항목%d", i);
        value.Format("v%d", i);
        EXPECT_EQ(std::string(value), seen[std::string(key)]);
    }
}

TEST(CMapStringToString, RemovingTheEntryJustReturnedKeepsIterating) {
    CMapStringToString map;
    Fill(map, 100);
    int visited = 0;
    CString key, value;
    for (POSITION position = map.GetStartPosition(); position;) {
        map.GetNextAssoc(position, key, value);
        EXPECT_TRUE(map.RemoveKey(key));
        ++visited;
    }
    EXPECT_EQ(100, visited);
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
}
