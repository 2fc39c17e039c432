#include "CleanupCatalogue.h"

#include "Mbcs.h"
#include "Settings.h"
#include "UtilityLib.h"

namespace Catalogue {
namespace {

constexpr Tab kNone = Tab::None, kNet = Tab::Internet, kProg = Tab::Program, kWin = Tab::Windows,
              kReg = Tab::Registry;
constexpr unsigned A = kAdministrator, H = kHandPicked, S = kSlow;

constexpr Item kItems[] = {
    {1, "RemoveIETempFiles", kNet, 1, 0, "인터넷 <C=0000FF><B>캐시</B></C>(임시 파일) 삭제 <C=888888>"},
    {2, "RemoveIECookies", kNet, 1, 0, "인터넷 <C=0000FF><B>쿠키</B></C> 삭제"},
    {3, "RemoveIEAddressBarHistory", kNet, 1, 0, "브라우저 <C=0000FF><B>주소 입력바</B></C> 기록 삭제"},
    {4, "RemoveIEAutomaticPassword", kNet, 1, 0, "브라우저 <C=0000FF><B>자동 완성 폼 및 암호</B></C> 삭제"},
    {5, "RemoveIEVisitWebSiteHistory", kNet, 1, 0, "브라우저 <C=0000FF><B>방문 기록</B></C> 삭제"},
    {6, "RemoveWindowsTempFiles", kWin, 1, 0, "윈도우 <C=0000FF><B>임시폴더</B></C> 삭제"},
    {7, "EmptyWindowsRecycleBin", kWin, 1, 0, "윈도우 <C=0000FF><B>휴지통</B></C> 비우기"},
    {8, "RemoveWindowsRecentDocumentHistory", kWin, 1, 0, "윈도우 <C=0000FF><B>최근 문서</B></C> 기록 삭제"},
    {9, "RemoveWindowsRunHistory", kWin, 1, 0,
     "윈도우 <C=0000FF><B>실행</B></C>(시작->실행) 기록 삭제 <C=FF0000>(바탕화면을 재 실행함.)</C>"},
    {10, "RemoveWindowsFindFilesHistory", kWin, 1, 0, "윈도우 <C=0000FF><B>파일 찾기</B></C> 기록 삭제"},
    {11, "RemoveWindowsFindComputerHistory", kWin, 1, 0, "윈도우 <C=0000FF><B>컴퓨터 찾기</B></C> 기록 삭제"},
    {12, "RemoveWindowsNetworkConnectionHistory", kWin, 1, 0, "윈도우 <C=0000FF><B>네트웍 연결</B></C> 기록 삭제"},
    {13, nullptr, kNone, 0, 0, ""},
    {14, "RemoveMediaPlayerHistory", kProg, 1, 0, "<C=0000FF><B>미디어 플레이어</B></C> 동영상 재생 기록 삭제"},
    {15, "RemoveIECacheIndexDat", kNet, 1, 0,
     "인터넷 <C=0000FF><B>캐시 정보</B></C>(Index.dat) 초기화 <C=888888>(PC 꺼질 때 수행)"},
    {16, "RemoveIECookieIndexDat", kNet, 1, 0,
     "인터넷 <C=0000FF><B>쿠키 정보</B></C>(Index.dat) 초기화 <C=888888>(PC 꺼질 때 수행)"},
    {17, "RemoveComDlgOpenHistory", kProg, 1, 0,
     "<C=0000FF><B>공통 파일 열기창</B></C>(알집/알씨/GOM등) 기록 삭제"},
    {18, "RemoveGOMPlayerHistory", kProg, 1, 0, "<C=0000FF><B>곰플레이어</B></C> 최근 재생 기록 삭제"},
    {19, "RemoveALSEEHistory", kProg, 1, 0, "<C=0000FF><B>알씨</B></C> 모든 임시파일 및 기록 삭제"},
    {20, "RemoveOfficeRecentHistory", kProg, 1, 0,
     "<C=0000FF><B>MS 오피스</B></C> (Word,Excel,PPT,Front,Access)기록 삭제"},
    {21, "RemoveHWPRecentHistory", kProg, 1, 0, "<C=0000FF><B>한컴 오피스</B></C> (HWP, Nexcel) 기록 삭제"},
    {22, "RemovePrefetch", kNone, 1, A, "윈도우 <C=0000FF><B>Prefetch</B></C> 오래된 파일 삭제<C=FF0000><S=10>[관]</C>"},
    {23, "RemoveMSNMessengerHistory", kProg, 0, H, "<C=0000FF><B>MSN 메신저</B></C> 사용 기록 (로그인기록) 삭제"},
    {24, "RemoveNateOnMessengerHistory", kProg, 0, H,
     "<C=0000FF><B>NateOn 메신저</B></C> 사용 기록 (로그인기록,메시지등) 삭제"},
    {25, "RemoveBuddyBuddyHistory", kProg, 0, H,
     "<C=0000FF><B>BuddyBuddy 메신저</B></C> 사용 기록 (로그인기록,메시지등) 삭제"},
    // Never listed or run, yet it keeps its caption and mark.
    {26, nullptr, kNone, 0, 0, "유효하지 않은 <C=0000FF><B>공유 DLL</B></C> 정보<C=FF0000><S=10>[관]</C>"},
    {27, "RegistryCheckMUICache", kReg, 0, S, "유효하지 않은 <C=0000FF><B>MUI 참조</B></C> 정보"},
    {28, "RegistryCheckAppPaths", kReg, 1, A, "유효하지 않은 <C=0000FF><B>프로그램 경로</B></C> 정보<C=FF0000><S=10>[관]</C>"},
    {29, "RegistryCheckHelpFile", kReg, 1, A, "유효하지 않은 <C=0000FF><B>도움말 파일</B></C> 정보<C=FF0000><S=10>[관]</C>"},
    {30, "RegistryCheckFontFile", kReg, 1, A, "유효하지 않은 <C=0000FF><B>폰트</B></C> 정보<C=FF0000><S=10>[관]</C>"},
    {31, "RegistryCheckSetupPath", kReg, 0, A | S,
     "유효하지 않은 <C=0000FF><B>설치 프로그램</B></C> 정보<C=FF0000><S=10>[관]</C>"},
    {32, "RegistryCheckUnusedProgramKey", kReg, 1, A,
     "사용하지 않는 <C=0000FF><B>프로그램 키</B></C> 정보<C=FF0000><S=10>[관]</C>"},
    {33, "RegistryCheckStartProgram", kReg, 1, A, "유효하지 않은 <C=0000FF><B>시작 프로그램</B></C><C=FF0000><S=10>[관]</C>"},
    {34, "RegistryCheckStartMenuOrder", kReg, 1, 0, "유효하지 않은 <C=0000FF><B>프로그램 메뉴</B></C> 정보"},
    {35, "RegistryCheckProgramCommand", kReg, 1, A,
     "유효하지 않은 <C=0000FF><B>프로그램 커맨드</B></C> 정보<C=FF0000><S=10>[관]</C>"},
    {36, "RegistryCheckSoundSetting", kReg, 1, 0, "유효하지 않은 <C=0000FF><B>사운드 설정</B></C> 정보"},
    {37, "RemoveTerminalServiceHistory", kProg, 0, H, "<C=0000FF><B>원격 데스크탑</B></C> 연결 기록 삭제"},
    {38, "RemoveFlashTempFolder", kNet, 1, 0, "인터넷 <C=0000FF><B>플래시 플레이어</B></C> 임시 파일 삭제"},
    {39, "RemoveWindowsUpdateLogFile", kWin, 1, A,
     "윈도우 <C=0000FF><B>업데이트 로그(KB*.log)파일</B></C> 삭제<C=FF0000><S=10>[관]</C>"},
    {40, "RemoveALZIPExtractHistory", kProg, 1, 0, "<C=0000FF><B>알집</B></C> 압축 해제한 기록 삭제"},
    {41, "UpdatePrefetchLayoutINI", kNone, 1, A,
     "윈도우 Prefetch안에 <C=0000FF><B>Layout.ini</B></C>의 삭제된 파일/폴더 정보 제거<C=FF0000><S=10>[관]</C>"},
    {42, "RemoveNTUninstall", kWin, 1, A,
     "윈도우 <C=0000FF><B>$NtUninstall,$NtServicePack,IEUpdate</B></C> 및 설치정보 삭제<C=FF0000><S=10>[관]</C>"},
    // The only mark closed with </S>, followed by a grey note.
    {43, "RemoveUSBHistory", kWin, 0, A | H,
     "윈도우 <C=0000FF><B>USB 사용 흔적</B></C> 삭제<C=FF0000><S=10>[관]</S></C> "
     "<S=12><C=888888>(꼭 필요한 경우에만 사용하세요)"},
    {44, "RemoveTrayHistory", kWin, 1, 0,
     "윈도우 <C=0000FF><B>트레이 영역의 과거 항목</B></C> 삭제 <C=FF0000>(바탕화면을 재 실행함.)</C>"},
    {45, "RemoveOperaTempFiles", kNet, 1, 0, "오페라(Opera) 브라우저 <C=0000FF><B>캐시</B></C>(임시 파일) 삭제"},
    {46, "RemoveOperaHistory", kNet, 1, 0, "오페라(Opera) 브라우저 <C=0000FF><B>방문 기록</B></C> 삭제"},
    {47, "RemoveOperaCookies", kNet, 1, 0, "오페라(Opera) 브라우저 <C=0000FF><B>쿠키</B></C> 삭제"},
    {48, "DisableBHOs", kNone, 0, 0,
     "<C=FF0000><S=10>new<S=12></C>브라우저 <C=0000FF><B>추가 기능</B></C>(툴바 및 광고 확장 등) 사용 설정 "
     "<C=0000FF>[브라우저 속도 개선]"},
    {49, "RemoveMSDevStudioRecentHistory", kNone, 0, 0,
     "<C=0000FF><B>MS 비쥬얼 스튜디오</B></C> 파일 및 프로젝트 기록 삭제"},
    {50, "RemoveAdobeHistory", kProg, 1, 0, "<C=0000FF><B>Adobe</B></C>(Photoshop/illustrator등) 기록 삭제"},
};

const char kCookieCaptionWithExceptions[] =
    "인터넷 <C=0000FF><B>쿠키</B></C> 삭제 <C=0000FF>[일부예외]</C>";

const int kInternetLines[] = {1, 15, 2, 16, 38, 3, 4, 5, 45, 46, 47};
const int kProgramLines[] = {20, 21, 14, 18, 19, 40, 50, 17, 23, 24, 25, 37};
const int kWindowsLines[] = {6, 7, 42, 8, 9, 10, 11, 12, 39, 43, 44};
const int kRegistryLines[] = {27, 28, 29, 30, 31, 32, 33, 34, 35, 36};

template <int N>
constexpr IdList MakeList(const int (&ids)[N]) {
    return IdList{ids, N};
}

const TabInfo kTabs[] = {
    {Tab::Internet, "인터넷 기록", MakeList(kInternetLines)},
    {Tab::Program, "프로그램 기록", MakeList(kProgramLines)},
    {Tab::Windows, "윈도우 기록", MakeList(kWindowsLines)},
    {Tab::Registry, "레지스트리 정리", MakeList(kRegistryLines)},
};

const int kDirectModeOrder[] = {48, 1,  15, 2,  16, 3,  4,  5,  38, 45, 46, 47, 14, 18, 19, 50, 40, 20, 21,
                                49, 17, 23, 24, 25, 37, 22, 41, 6,  7,  42, 8,  9,  10, 11, 12, 39, 43, 44};

constexpr int kItemCount = sizeof(kItems) / sizeof(kItems[0]);

constexpr bool RowsFollowIds() {
    for (int i = 0; i < kItemCount; ++i) {
        if (kItems[i].id != i + 1)
            return false;
    }
    return true;
}
static_assert(RowsFollowIds(), "FindItem indexes the rows by id");

}  // namespace

const Item* Items(int& count) {
    count = kItemCount;
    return kItems;
}

const Item* FindItem(int id) {
    if (id < 1 || id > kItemCount)
        return nullptr;
    return &kItems[id - 1];
}

const Item* FindItemByKey(const char* optionKey) {
    if (!optionKey)
        return nullptr;
    for (const Item& item : kItems) {
        if (item.optionKey && Mbcs::CompareNoCase(item.optionKey, optionKey) == 0)
            return &item;
    }
    return nullptr;
}

const TabInfo* Tabs(int& count) {
    count = sizeof(kTabs) / sizeof(kTabs[0]);
    return kTabs;
}

const TabInfo* FindTab(Tab tab) {
    for (const TabInfo& info : kTabs) {
        if (info.tab == tab)
            return &info;
    }
    return nullptr;
}

IdList DirectModeOrder() { return MakeList(kDirectModeOrder); }

CString Caption(int id) {
    const Item* item = FindItem(id);
    if (!item)
        return CString();
    if (id == 2) {
        // Only key "0" decides: the exception list stops at its first empty key.
        CString config = Settings::ConfigPath();
        if (!config.IsEmpty() && !CUtilityLib::GetPrivateProfileStringA("CookieException", "0", config).IsEmpty())
            return CString(kCookieCaptionWithExceptions);
    }
    return CString(item->caption);
}

int IsAdministratorItem(int id) {
    const Item* item = FindItem(id);
    return item && (item->flags & kAdministrator) ? 1 : 0;
}

int SelectionCheck(int id, SelectionMode mode) {
    const Item* item = FindItem(id);
    if (!item)
        return 0;
    unsigned leftUnchecked = mode == SelectionMode::Quick ? (kHandPicked | kSlow) : kHandPicked;
    return item->flags & leftUnchecked ? 0 : 1;
}

}  // namespace Catalogue
