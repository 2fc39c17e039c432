#include <gtest/gtest.h>

#include <winsock2.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "LoopbackHttpServer.h"
#include "PLCallback.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

namespace {

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string ReadAll(const char* path) {
    std::string bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char block[4096];
    DWORD read = 0;
    while (ReadFile(file, block, sizeof(block), &read, nullptr) && read > 0)
        bytes.append(block, read);
    CloseHandle(file);
    return bytes;
}

struct Report {
    int percent;
    std::string text;
    bool sessionPublished;
};

// Records every report, and whether the caller's session slot held a handle at that moment.
class RecordingProgress : public CPLCallback {
public:
    explicit RecordingProgress(void** slot = nullptr) : m_slot(slot) {}
    void OnProgress(int percent, const char* text) override {
        reports.push_back({percent, text, m_slot && *m_slot});
    }
    std::vector<Report> reports;

private:
    void** m_slot;
};

// Aborts the way another thread would: takes the session out of the slot and closes it.
class AbortingProgress : public CPLCallback {
public:
    explicit AbortingProgress(void** slot) : m_slot(slot) {}
    void OnProgress(int percent, const char* text) override {
        void* session = InterlockedExchangePointer(m_slot, nullptr);
        if (session && percent > 0 && percent < 100)
            aborted = InternetCloseHandle(session) != FALSE;
        else if (session)
            InterlockedExchangePointer(m_slot, session);
    }
    bool aborted = false;

private:
    void** m_slot;
};

}  // namespace

TEST(DownloadURL, WritesTheWholeBodyWhenTheAnnouncedLengthArrives) {
    std::string body = PatternBytes(5000);
    LoopbackHttpServer server(HttpResponse("200 OK", ContentLength(body.size()), body));
    ASSERT_TRUE(server.IsListening());
    TempFolder folder;
    CString target = folder / "whole.bin";

    EXPECT_TRUE(CUtilityLib::DownloadURL(server.Url(), target, nullptr, nullptr));
    EXPECT_EQ(body, ReadAll(target));
}

TEST(DownloadURL, BodyShorterThanAnnouncedFailsAndLeavesNoFile) {
    LoopbackHttpServer server(HttpResponse("200 OK", ContentLength(1000), PatternBytes(600)));
    ASSERT_TRUE(server.IsListening());
    TempFolder folder;
    CString target = folder / "short.bin";

    EXPECT_FALSE(CUtilityLib::DownloadURL(server.Url(), target, nullptr, nullptr));
    EXPECT_FALSE(Exists(target));
}

TEST(DownloadURL, BodyWithoutLengthIsKeptAsItArrived) {
    std::string body = PatternBytes(3000);
    LoopbackHttpServer server(HttpResponse("200 OK", "", body));
    ASSERT_TRUE(server.IsListening());
    TempFolder folder;
    CString target = folder / "unsized.bin";

    EXPECT_TRUE(CUtilityLib::DownloadURL(server.Url(), target, nullptr, nullptr));
    EXPECT_EQ(body, ReadAll(target));
}

TEST(DownloadURL, ErrorStatusFailsAndLeavesNoFile) {
    std::string page = "<html>not here</html>";
    LoopbackHttpServer server(HttpResponse("404 Not Found", ContentLength(page.size()), page));
    ASSERT_TRUE(server.IsListening());
    TempFolder folder;
    CString target = folder / "missing.bin";

    EXPECT_FALSE(CUtilityLib::DownloadURL(server.Url(), target, nullptr, nullptr));
    EXPECT_FALSE(Exists(target));
}

TEST(DownloadURL, RefusedConnectionFailsWithoutCreatingTheFile) {
    unsigned short port = RefusedLoopbackPort();
    ASSERT_NE(0, port);
    TempFolder folder;
    CString target = folder / "refused.bin";
    CString url;
    url.Format("http://127.0.0.1:%u/file.bin", static_cast<unsigned>(port));
    void* session = nullptr;
    RecordingProgress progress;

    EXPECT_FALSE(CUtilityLib::DownloadURL(url, target, &session, &progress));
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(nullptr, session);
    ASSERT_FALSE(progress.reports.empty());
    EXPECT_EQ(100, progress.reports.back().percent);
}

TEST(DownloadURL, RefusedConnectionKeepsAnExistingFile) {
    unsigned short port = RefusedLoopbackPort();
    ASSERT_NE(0, port);
    TempFolder folder;
    CString target = folder.MakeFile("kept.bin", "previous copy");
    CString url;
    url.Format("http://127.0.0.1:%u/file.bin", static_cast<unsigned>(port));

    EXPECT_FALSE(CUtilityLib::DownloadURL(url, target, nullptr, nullptr));
    EXPECT_EQ("previous copy", ReadAll(target));
}

TEST(DownloadURL, NullOrEmptyUrlFailsAtOnceAndLeavesTheFileAlone) {
    TempFolder folder;
    CString target = folder.MakeFile("untouched.bin", "old bytes");
    RecordingProgress progress;

    EXPECT_FALSE(CUtilityLib::DownloadURL(nullptr, target, nullptr, &progress));
    EXPECT_FALSE(CUtilityLib::DownloadURL("", target, nullptr, &progress));
    EXPECT_EQ("old bytes", ReadAll(target));
    EXPECT_TRUE(progress.reports.empty());
}

TEST(DownloadURL, CreatesTheMissingFoldersOfTheTarget) {
    std::string body = PatternBytes(100);
    LoopbackHttpServer server(HttpResponse("200 OK", ContentLength(body.size()), body));
    ASSERT_TRUE(server.IsListening());
    TempFolder folder;
    CString target = folder / "one\\two\\deep.bin";

    EXPECT_TRUE(CUtilityLib::DownloadURL(server.Url(), target, nullptr, nullptr));
    EXPECT_EQ(body, ReadAll(target));
}

TEST(DownloadURL, ReportsConnectingFirstThenRisingPercentagesAndHundredLast) {
    std::string body = PatternBytes(5000);
    LoopbackHttpServer server(HttpResponse("200 OK", ContentLength(body.size()), body));
    ASSERT_TRUE(server.IsListening());
    TempFolder folder;
    void* session = nullptr;
    RecordingProgress progress(&session);

    ASSERT_TRUE(CUtilityLib::DownloadURL(server.Url(), folder / "progress.bin", &session, &progress));

    const std::vector<Report>& reports = progress.reports;
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(0, reports.front().percent);
    EXPECT_EQ("서버에 연결하는 중...", reports.front().text);
    EXPECT_EQ(100, reports.back().percent);
    EXPECT_EQ("", reports.back().text);
    int previous = 0;
    for (size_t i = 1; i + 1 < reports.size(); ++i) {
        EXPECT_EQ("다운로드 중...", reports[i].text);
        EXPECT_GE(reports[i].percent, previous);
        EXPECT_TRUE(reports[i].sessionPublished);
        previous = reports[i].percent;
    }
    EXPECT_EQ(100, reports[reports.size() - 2].percent);
    EXPECT_EQ(nullptr, session);
}

TEST(DownloadURL, SessionClosedByAnotherPartyFailsAndLeavesNoFile) {
    LoopbackHttpServer server(HttpResponse("200 OK", ContentLength(100000), PatternBytes(4096)), true);
    ASSERT_TRUE(server.IsListening());
    TempFolder folder;
    CString target = folder / "aborted.bin";
    void* session = nullptr;
    AbortingProgress abort(&session);

    EXPECT_FALSE(CUtilityLib::DownloadURL(server.Url(), target, &session, &abort));
    EXPECT_TRUE(abort.aborted);
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(nullptr, session);
}
