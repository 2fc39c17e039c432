#include <gtest/gtest.h>

#include "RedirectedAppData.h"
#include "Settings.h"

TEST(Settings, ConfigIniLivesInTheProgramsOwnAppDataFolder) {
    RedirectedAppData appData;
    CString path = appData.ConfigIni();
    ASSERT_FALSE(path.IsEmpty());

    EXPECT_EQ(0, path.CompareNoCase(appData.Home() + "\\AppData\\LocalLow\\vantrel\\Config.ini"))
        << (const char*)path;
    // The folder is there for the first write, the file is not made by asking for its path.
    DWORD folder = GetFileAttributesA(path.Left(path.ReverseFind('\\')));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, folder);
    EXPECT_TRUE(folder & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
}
