#include "ServiceTexts.h"

#include "Language.h"
#include "MakerServer.h"
#include "ServiceState.h"

namespace {

struct CText {
    const char* key;
    const char* english;
    const char* korean;
};

const CText kTexts[] = {
    {"OK", "OK", "확인"},
    {"Cancel", "Cancel", "취소"},
    {"Yes", "Yes", "예"},
    {"No", "No", "아니오"},
    {"Close", "Close", "닫기"},
    {"Notice", "Notice", "알림"},
    {"ABOUT_PROGRAM", "About [%s]...", "[%s]에 대하여..."},
    {"ABOUT_SUBJECT", "<font size=5><b>%s</b></font>", "<font size=5><b>%s</b></font>"},
    {"ABOUT_VERSION", "Version :", "버젼 :"},
    {"Downloading Setup ...", "Downloading Setup ...", "프로그램을 다운로드하고 있습니다..."},
    {"MSG_UPDATECHECKFAIL", "Can't update version information from server.", "업데이트 정보를 얻어오지 못했습니다."},
    {"MSG_UPDATEINVALID", "There's No latest version registered to server",
     "자동 업데이트로 등록된 최신 버젼이 없습니다."},
    {"UPDATE Notice", "Update Notice", "업데이트 알림"},
    {"Don't show after 7 days", "Don't show after 7 days", "7일 동안 알리지 않음"},
};

// The home page is the server's own address, the one place that names the maker's host.
CString HomeLink(bool english) {
    CString home = CMakerServer::BaseUrl();
    CString shown = home;
    int scheme = shown.Find("://");
    if (scheme >= 0)
        shown = shown.Mid(scheme + 3);
    CString link;
    link.Format("<a href=\"%s\">%s%s</a>", (const char*)home, english ? "Home page: " : "홈페이지: ",
                (const char*)shown);
    return link;
}

}  // namespace

void CServiceTexts::Load() {
    CLanguage::SetMsgPathName(CServiceState::ProgramFolder() + "\\language.msg", CServiceState::Language());
    bool english = CServiceState::IsEnglish();
    for (const CText& text : kTexts)
        CLanguage::AddMsgText(text.key, english ? text.english : text.korean);
    CLanguage::AddMsgText("ABOUT_HOME", HomeLink(english));
}
