#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "CleanupCatalogue.h"
#include "RedirectedAppData.h"

using Catalogue::Tab;

namespace {

const char kAdminMark[] = "<C=FF0000><S=10>[\xB0\xFC]";  // "[관]" in CP949

std::vector<int> Ids(const Catalogue::IdList& list) { return std::vector<int>(list.begin(), list.end()); }

bool EndsWith(const CString& text, const char* tail) {
    int length = lstrlenA(tail);
    return text.GetLength() >= length && text.Right(length) == tail;
}

struct ExpectedItem {
    int id;
    const char* key;
    Tab tab;
    int defaultCheck;
    unsigned flags;
};

constexpr unsigned A = Catalogue::kAdministrator, H = Catalogue::kHandPicked, S = Catalogue::kSlow;

const ExpectedItem kExpected[] = {
    {1, "RemoveIETempFiles", Tab::Internet, 1, 0},
    {2, "RemoveIECookies", Tab::Internet, 1, 0},
    {3, "RemoveIEAddressBarHistory", Tab::Internet, 1, 0},
    {4, "RemoveIEAutomaticPassword", Tab::Internet, 1, 0},
    {5, "RemoveIEVisitWebSiteHistory", Tab::Internet, 1, 0},
    {6, "RemoveWindowsTempFiles", Tab::Windows, 1, 0},
    {7, "EmptyWindowsRecycleBin", Tab::Windows, 1, 0},
    {8, "RemoveWindowsRecentDocumentHistory", Tab::Windows, 1, 0},
    {9, "RemoveWindowsRunHistory", Tab::Windows, 1, 0},
    {10, "RemoveWindowsFindFilesHistory", Tab::Windows, 1, 0},
    {11, "RemoveWindowsFindComputerHistory", Tab::Windows, 1, 0},
    {12, "RemoveWindowsNetworkConnectionHistory", Tab::Windows, 1, 0},
    {13, nullptr, Tab::None, 0, 0},
    {14, "RemoveMediaPlayerHistory", Tab::Program, 1, 0},
    {15, "RemoveIECacheIndexDat", Tab::Internet, 1, 0},
    {16, "RemoveIECookieIndexDat", Tab::Internet, 1, 0},
    {17, "RemoveComDlgOpenHistory", Tab::Program, 1, 0},
    {18, "RemoveGOMPlayerHistory", Tab::Program, 1, 0},
    {19, "RemoveALSEEHistory", Tab::Program, 1, 0},
    {20, "RemoveOfficeRecentHistory", Tab::Program, 1, 0},
    {21, "RemoveHWPRecentHistory", Tab::Program, 1, 0},
    {22, "RemovePrefetch", Tab::None, 1, A},
    {23, "RemoveMSNMessengerHistory", Tab::Program, 0, H},
    {24, "RemoveNateOnMessengerHistory", Tab::Program, 0, H},
    {25, "RemoveBuddyBuddyHistory", Tab::Program, 0, H},
    {26, nullptr, Tab::None, 0, 0},
    {27, "RegistryCheckMUICache", Tab::Registry, 0, S},
    {28, "RegistryCheckAppPaths", Tab::Registry, 1, A},
    {29, "RegistryCheckHelpFile", Tab::Registry, 1, A},
    {30, "RegistryCheckFontFile", Tab::Registry, 1, A},
    {31, "RegistryCheckSetupPath", Tab::Registry, 0, A | S},
    {32, "RegistryCheckUnusedProgramKey", Tab::Registry, 1, A},
    {33, "RegistryCheckStartProgram", Tab::Registry, 1, A},
    {34, "RegistryCheckStartMenuOrder", Tab::Registry, 1, 0},
    {35, "RegistryCheckProgramCommand", Tab::Registry, 1, A},
    {36, "RegistryCheckSoundSetting", Tab::Registry, 1, 0},
    {37, "RemoveTerminalServiceHistory", Tab::Program, 0, H},
    {38, "RemoveFlashTempFolder", Tab::Internet, 1, 0},
    {39, "RemoveWindowsUpdateLogFile", Tab::Windows, 1, A},
    {40, "RemoveALZIPExtractHistory", Tab::Program, 1, 0},
    {41, "UpdatePrefetchLayoutINI", Tab::None, 1, A},
    {42, "RemoveNTUninstall", Tab::Windows, 1, A},
    {43, "RemoveUSBHistory", Tab::Windows, 0, A | H},
    {44, "RemoveTrayHistory", Tab::Windows, 1, 0},
    {45, "RemoveOperaTempFiles", Tab::Internet, 1, 0},
    {46, "RemoveOperaHistory", Tab::Internet, 1, 0},
    {47, "RemoveOperaCookies", Tab::Internet, 1, 0},
    {48, "DisableBHOs", Tab::None, 0, 0},
    {49, "RemoveMSDevStudioRecentHistory", Tab::None, 0, 0},
    {50, "RemoveAdobeHistory", Tab::Program, 1, 0},
};

}  // namespace

TEST(Catalogue, TabsListTheirLinesInOrder) {
    int count = 0;
    const Catalogue::TabInfo* tabs = Catalogue::Tabs(count);
    ASSERT_EQ(4, count);

    EXPECT_EQ(Tab::Internet, tabs[0].tab);
    EXPECT_STREQ("인터넷 기록", tabs[0].caption);
    EXPECT_EQ((std::vector<int>{1, 15, 2, 16, 38, 3, 4, 5, 45, 46, 47}), Ids(tabs[0].lines));
    EXPECT_EQ(Tab::Program, tabs[1].tab);
    EXPECT_STREQ("프로그램 기록", tabs[1].caption);
    EXPECT_EQ((std::vector<int>{20, 21, 14, 18, 19, 40, 50, 17, 23, 24, 25, 37}), Ids(tabs[1].lines));
    EXPECT_EQ(Tab::Windows, tabs[2].tab);
    EXPECT_STREQ("윈도우 기록", tabs[2].caption);
    EXPECT_EQ((std::vector<int>{6, 7, 42, 8, 9, 10, 11, 12, 39, 43, 44}), Ids(tabs[2].lines));
    EXPECT_EQ(Tab::Registry, tabs[3].tab);
    EXPECT_STREQ("레지스트리 정리", tabs[3].caption);
    EXPECT_EQ((std::vector<int>{27, 28, 29, 30, 31, 32, 33, 34, 35, 36}), Ids(tabs[3].lines));

    EXPECT_EQ(&tabs[2], Catalogue::FindTab(Tab::Windows));
    EXPECT_EQ(nullptr, Catalogue::FindTab(Tab::None));
}

TEST(Catalogue, EveryItemHasItsKeyTabDefaultAndFlags) {
    int count = 0;
    Catalogue::Items(count);
    ASSERT_EQ(50, count);
    for (const ExpectedItem& expected : kExpected) {
        SCOPED_TRACE(expected.id);
        const Catalogue::Item* item = Catalogue::FindItem(expected.id);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(expected.id, item->id);
        if (expected.key)
            EXPECT_STREQ(expected.key, item->optionKey);
        else
            EXPECT_EQ(nullptr, item->optionKey);
        EXPECT_EQ(expected.tab, item->tab);
        EXPECT_EQ(expected.defaultCheck, item->defaultCheck);
        EXPECT_EQ(expected.flags, item->flags);
    }
}

TEST(Catalogue, EachItemWithATabHasExactlyOneLineThere) {
    std::multiset<int> listed;
    int tabCount = 0;
    const Catalogue::TabInfo* tabs = Catalogue::Tabs(tabCount);
    for (int t = 0; t < tabCount; ++t) {
        for (int id : tabs[t].lines) {
            listed.insert(id);
            const Catalogue::Item* item = Catalogue::FindItem(id);
            ASSERT_NE(nullptr, item) << id;
            EXPECT_EQ(tabs[t].tab, item->tab) << id;
        }
    }
    int itemCount = 0;
    const Catalogue::Item* items = Catalogue::Items(itemCount);
    for (int i = 0; i < itemCount; ++i)
        EXPECT_EQ(items[i].tab == Tab::None ? 0u : 1u, listed.count(items[i].id)) << items[i].id;
}

TEST(Catalogue, UnknownIdsHaveNoItem) {
    for (int id : {0, -1, 51, INT_MIN, INT_MAX})
        EXPECT_EQ(nullptr, Catalogue::FindItem(id)) << id;
}

TEST(Catalogue, AdministratorTestNamesExactlyTheAdministratorItems) {
    const std::set<int> administrator = {22, 28, 29, 30, 31, 32, 33, 35, 39, 41, 42, 43};
    for (int id = 1; id <= 50; ++id)
        EXPECT_EQ(administrator.count(id) ? 1 : 0, Catalogue::IsAdministratorItem(id)) << id;
    for (int id : {0, 13, 26, -1, -22, 51, 72, INT_MIN, INT_MAX})
        EXPECT_EQ(0, Catalogue::IsAdministratorItem(id)) << id;
}

TEST(Catalogue, FindsItemsByKeyWithoutCase) {
    const Catalogue::Item* item = Catalogue::FindItemByKey("removeietempfiles");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(1, item->id);
    item = Catalogue::FindItemByKey("REMOVEIECOOKIES");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(2, item->id);
    item = Catalogue::FindItemByKey("DisableBHOs");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(48, item->id);

    for (const char* key : {"", "RemoveIE", "RemoveIECookies ", " RemoveIECookies", "RemoveIECookiesX", "unknown"})
        EXPECT_EQ(nullptr, Catalogue::FindItemByKey(key)) << '"' << key << '"';
    EXPECT_EQ(nullptr, Catalogue::FindItemByKey(nullptr));
}

TEST(Catalogue, DirectModeRunsItsItemsInItsOwnOrder) {
    EXPECT_EQ((std::vector<int>{48, 1,  15, 2,  16, 3,  4,  5,  38, 45, 46, 47, 14, 18, 19, 50, 40, 20, 21,
                                49, 17, 23, 24, 25, 37, 22, 41, 6,  7,  42, 8,  9,  10, 11, 12, 39, 43, 44}),
              Ids(Catalogue::DirectModeOrder()));
}

TEST(Catalogue, DirectModeLeavesOutTheRegistryChecksAndKeylessIds) {
    std::set<int> direct;
    for (int id : Catalogue::DirectModeOrder())
        EXPECT_TRUE(direct.insert(id).second) << id << " twice";
    for (int id = 1; id <= 50; ++id) {
        bool runnable = Catalogue::FindItem(id)->optionKey && (id < 27 || id > 36);
        EXPECT_EQ(runnable ? 1u : 0u, direct.count(id)) << id;
    }
}

TEST(Catalogue, FullModeLeavesTheHandPickedLinesUnchecked) {
    std::set<int> unchecked;
    int count = 0;
    const Catalogue::TabInfo* tabs = Catalogue::Tabs(count);
    for (int t = 0; t < count; ++t) {
        for (int id : tabs[t].lines) {
            if (!Catalogue::SelectionCheck(id, Catalogue::SelectionMode::Full))
                unchecked.insert(id);
        }
    }
    EXPECT_EQ((std::set<int>{23, 24, 25, 37, 43}), unchecked);
}

TEST(Catalogue, QuickModeAlsoLeavesTheSlowLinesUnchecked) {
    std::set<int> unchecked;
    int count = 0;
    const Catalogue::TabInfo* tabs = Catalogue::Tabs(count);
    for (int t = 0; t < count; ++t) {
        for (int id : tabs[t].lines) {
            if (!Catalogue::SelectionCheck(id, Catalogue::SelectionMode::Quick))
                unchecked.insert(id);
        }
    }
    EXPECT_EQ((std::set<int>{23, 24, 25, 37, 43, 27, 31}), unchecked);
}

TEST(CatalogueCaption, IdsWithoutCaptionGiveEmptyText) {
    for (int id : {13, 0, -1, 51, INT_MIN, INT_MAX})
        EXPECT_TRUE(Catalogue::Caption(id).IsEmpty()) << id;
}

// Every caption as the program shows it, compiled to code page 949 as the catalogue is; the
// cookie caption without exceptions (no Config.ini).
TEST(CatalogueCaption, EveryIdHasItsCaptionByteForByte) {
    RedirectedAppData appData;
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(appData.ConfigIni()));
    const struct {
        int id;
        const char* caption;
    } expected[] = {
        {1, "인터넷 <C=0000FF><B>캐시</B></C>(임시 파일) 삭제 <C=888888>"},
        {2, "인터넷 <C=0000FF><B>쿠키</B></C> 삭제"},
        {3, "브라우저 <C=0000FF><B>주소 입력바</B></C> 기록 삭제"},
        {4, "브라우저 <C=0000FF><B>자동 완성 폼 및 암호</B></C> 삭제"},
        {5, "브라우저 <C=0000FF><B>방문 기록</B></C> 삭제"},
        {6, "윈도우 <C=0000FF><B>임시폴더</B></C> 삭제"},
        {7, "윈도우 <C=0000FF><B>휴지통</B></C> 비우기"},
        {8, "윈도우 <C=0000FF><B>최근 문서</B></C> 기록 삭제"},
        {9, "윈도우 <C=0000FF><B>실행</B></C>(시작->실행) 기록 삭제 "
         "<C=FF0000>(바탕화면을 재 실행함.)</C>"},
        {10, "윈도우 <C=0000FF><B>파일 찾기</B></C> 기록 삭제"},
        {11, "윈도우 <C=0000FF><B>컴퓨터 찾기</B></C> 기록 삭제"},
        {12, "윈도우 <C=0000FF><B>네트웍 연결</B></C> 기록 삭제"},
        {13, ""},
        {14, "<C=0000FF><B>미디어 플레이어</B></C> 동영상 재생 기록 삭제"},
        {15, "인터넷 <C=0000FF><B>캐시 정보</B></C>(Index.dat) 초기화 <C=888888>(PC 꺼질 때 수행)"},
        {16, "인터넷 <C=0000FF><B>쿠키 정보</B></C>(Index.dat) 초기화 <C=888888>(PC 꺼질 때 수행)"},
        {17, "<C=0000FF><B>공통 파일 열기창</B></C>(알집/알씨/GOM등) 기록 삭제"},
        {18, "<C=0000FF><B>곰플레이어</B></C> 최근 재생 기록 삭제"},
        {19, "<C=0000FF><B>알씨</B></C> 모든 임시파일 및 기록 삭제"},
        {20, "<C=0000FF><B>MS 오피스</B></C> (Word,Excel,PPT,Front,Access)기록 삭제"},
        {21, "<C=0000FF><B>한컴 오피스</B></C> (HWP, Nexcel) 기록 삭제"},
        {22, "윈도우 <C=0000FF><B>Prefetch</B></C> 오래된 파일 삭제<C=FF0000><S=10>[관]</C>"},
        {23, "<C=0000FF><B>MSN 메신저</B></C> 사용 기록 (로그인기록) 삭제"},
        {24, "<C=0000FF><B>NateOn 메신저</B></C> 사용 기록 (로그인기록,메시지등) 삭제"},
        {25, "<C=0000FF><B>BuddyBuddy 메신저</B></C> 사용 기록 (로그인기록,메시지등) 삭제"},
        {26, "유효하지 않은 <C=0000FF><B>공유 DLL</B></C> 정보<C=FF0000><S=10>[관]</C>"},
        {27, "유효하지 않은 <C=0000FF><B>MUI 참조</B></C> 정보"},
        {28, "유효하지 않은 <C=0000FF><B>프로그램 경로</B></C> 정보<C=FF0000><S=10>[관]</C>"},
        {29, "유효하지 않은 <C=0000FF><B>도움말 파일</B></C> 정보<C=FF0000><S=10>[관]</C>"},
        {30, "유효하지 않은 <C=0000FF><B>폰트</B></C> 정보<C=FF0000><S=10>[관]</C>"},
        {31, "유효하지 않은 <C=0000FF><B>설치 프로그램</B></C> 정보<C=FF0000><S=10>[관]</C>"},
        {32, "사용하지 않는 <C=0000FF><B>프로그램 키</B></C> 정보<C=FF0000><S=10>[관]</C>"},
        {33, "유효하지 않은 <C=0000FF><B>시작 프로그램</B></C><C=FF0000><S=10>[관]</C>"},
        {34, "유효하지 않은 <C=0000FF><B>프로그램 메뉴</B></C> 정보"},
        {35, "유효하지 않은 <C=0000FF><B>프로그램 커맨드</B></C> 정보<C=FF0000><S=10>[관]</C>"},
        {36, "유효하지 않은 <C=0000FF><B>사운드 설정</B></C> 정보"},
        {37, "<C=0000FF><B>원격 데스크탑</B></C> 연결 기록 삭제"},
        {38, "인터넷 <C=0000FF><B>플래시 플레이어</B></C> 임시 파일 삭제"},
        {39, "윈도우 <C=0000FF><B>업데이트 로그(KB*.log)파일</B></C> 삭제<C=FF0000><S=10>[관]</C>"},
        {40, "<C=0000FF><B>알집</B></C> 압축 해제한 기록 삭제"},
        {41, "윈도우 Prefetch안에 <C=0000FF><B>Layout.ini</B></C>의 삭제된 파일/폴더 정보 제거"
         "<C=FF0000><S=10>[관]</C>"},
        {42, "윈도우 <C=0000FF><B>$NtUninstall,$NtServicePack,IEUpdate</B></C> 및 설치정보 삭제"
         "<C=FF0000><S=10>[관]</C>"},
        {43, "윈도우 <C=0000FF><B>USB 사용 흔적</B></C> 삭제<C=FF0000><S=10>[관]</S></C> "
         "<S=12><C=888888>(꼭 필요한 경우에만 사용하세요)"},
        {44, "윈도우 <C=0000FF><B>트레이 영역의 과거 항목</B></C> 삭제 "
         "<C=FF0000>(바탕화면을 재 실행함.)</C>"},
        {45, "오페라(Opera) 브라우저 <C=0000FF><B>캐시</B></C>(임시 파일) 삭제"},
        {46, "오페라(Opera) 브라우저 <C=0000FF><B>방문 기록</B></C> 삭제"},
        {47, "오페라(Opera) 브라우저 <C=0000FF><B>쿠키</B></C> 삭제"},
        {48, "<C=FF0000><S=10>new<S=12></C>브라우저 <C=0000FF><B>추가 기능</B></C>(툴바 및 광고 확장 등) 사용 설정 "
         "<C=0000FF>[브라우저 속도 개선]"},
        {49, "<C=0000FF><B>MS 비쥬얼 스튜디오</B></C> 파일 및 프로젝트 기록 삭제"},
        {50, "<C=0000FF><B>Adobe</B></C>(Photoshop/illustrator등) 기록 삭제"},
    };
    for (const auto& item : expected)
        EXPECT_STREQ(item.caption, Catalogue::Caption(item.id)) << item.id;
}

TEST(CatalogueCaption, IsStoredInCodePage949) {
    // "윈도우 <C=0000FF><B>휴지통</B></C> 비우기"
    EXPECT_STREQ("\xC0\xA9\xB5\xB5\xBF\xEC <C=0000FF><B>\xC8\xDE\xC1\xF6\xC5\xEB</B></C> \xBA\xF1\xBF\xEC\xB1\xE2",
                 Catalogue::Caption(7));
    // "윈도우 <C=0000FF><B>Prefetch</B></C> 오래된 파일 삭제<C=FF0000><S=10>[관]</C>"
    EXPECT_STREQ("\xC0\xA9\xB5\xB5\xBF\xEC <C=0000FF><B>Prefetch</B></C> \xBF\xC0\xB7\xA1\xB5\xC8 "
                 "\xC6\xC4\xC0\xCF \xBB\xE8\xC1\xA6<C=FF0000><S=10>[\xB0\xFC]</C>",
                 Catalogue::Caption(22));
    // "인터넷 기록"
    EXPECT_STREQ("\xC0\xCE\xC5\xCD\xB3\xDD \xB1\xE2\xB7\xCF", Catalogue::FindTab(Tab::Internet)->caption);
}

TEST(CatalogueCaption, OnlyAdministratorItemsCarryTheMark) {
    int count = 0;
    const Catalogue::Item* items = Catalogue::Items(count);
    for (int i = 0; i < count; ++i) {
        const Catalogue::Item& item = items[i];
        if (item.id == 26)
            continue;
        CString caption = Catalogue::Caption(item.id);
        SCOPED_TRACE(item.id);
        if (!(item.flags & Catalogue::kAdministrator)) {
            EXPECT_LT(caption.Find("[\xB0\xFC]"), 0);
        } else if (item.id == 43) {
            // The USB item closes the mark with </S> and adds a grey note after it.
            EXPECT_GE(caption.Find(CString(kAdminMark) + "</S></C> <S=12><C=888888>("), 0);
        } else {
            EXPECT_TRUE(EndsWith(caption, CString(kAdminMark) + "</C>")) << (const char*)caption;
        }
    }
}

class CookieCaption : public ::testing::Test {
protected:
    void SetUp() override {
        m_config = m_appData.ConfigIni();
        ASSERT_FALSE(m_config.IsEmpty());
        DeleteFileA(m_config);  // left by an earlier run in a reused folder
    }
    void WriteException(const char* key, const char* value) {
        ASSERT_TRUE(WritePrivateProfileStringA("CookieException", key, value, m_config));
    }

    RedirectedAppData m_appData;
    CString m_config;
};

const char kPlainCookieCaption[] = "인터넷 <C=0000FF><B>쿠키</B></C> 삭제";

TEST_F(CookieCaption, IsPlainWithoutConfigIni) {
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_config));
    EXPECT_STREQ(kPlainCookieCaption, Catalogue::Caption(2));
}

TEST_F(CookieCaption, MarksExceptionsWhenKeyZeroHasAWord) {
    WriteException("0", "naver");
    EXPECT_STREQ("인터넷 <C=0000FF><B>쿠키</B></C> 삭제 <C=0000FF>[일부예외]</C>", Catalogue::Caption(2));
}

TEST_F(CookieCaption, LooksOnlyAtKeyZero) {
    WriteException("0", "");
    WriteException("1", "naver");
    WriteException("2", "daum");
    EXPECT_STREQ(kPlainCookieCaption, Catalogue::Caption(2));
}
