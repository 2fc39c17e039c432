#include <gtest/gtest.h>

#include "ArrayAllocations.h"
#include "Handle.h"
#include "HistoryCleaner.h"
#include "ProgressRecorder.h"

namespace {

HANDLE NewStopEvent() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

}  // namespace

TEST(HistoryCleaner, StopCheckFollowsTheStopEvent) {
    EXPECT_FALSE(CHistoryCleaner().IsStopRequested());

    CHandle stop(NewStopEvent());
    CHistoryCleaner engine(nullptr, stop);
    EXPECT_FALSE(engine.IsStopRequested());
    SetEvent(stop);
    EXPECT_TRUE(engine.IsStopRequested());
    EXPECT_TRUE(engine.IsStopRequested()) << "a manual-reset event stays set for every later check";
    ResetEvent(stop);
    EXPECT_FALSE(engine.IsStopRequested());
}

TEST(HistoryCleanerFinding, JoinsThePartsWithTabsAndPostsEachFindingInOrder) {
    ProgressRecorder recorder;
    CHistoryCleaner engine(recorder.Window());
    engine.AddFinding("프로그램 경로", "C:\\없는\\app.exe", "HKCU\\Software\\App Paths\\app.exe");
    engine.AddFinding("도움말 파일", "-", "HKLM\\Software\\Help");
    recorder.Pump();

    ASSERT_EQ(2, engine.Findings().GetSize());
    EXPECT_STREQ("프로그램 경로\tC:\\없는\\app.exe\tHKCU\\Software\\App Paths\\app.exe", engine.Findings()[0]);
    EXPECT_STREQ("도움말 파일\t-\tHKLM\\Software\\Help", engine.Findings()[1]);
    std::vector<CString> posted = recorder.FindingTexts();
    ASSERT_EQ(2u, posted.size());
    EXPECT_STREQ(engine.Findings()[0], posted[0]);
    EXPECT_STREQ(engine.Findings()[1], posted[1]);
}

TEST(HistoryCleanerFinding, CutsAt1023CharactersHoweverLongThePartsAre) {
    ProgressRecorder recorder;
    CHistoryCleaner engine(recorder.Window());
    CString huge('a', 200000);
    engine.AddFinding(huge, huge, huge);
    engine.AddFinding(CString('c', 1000), CString('e', 100), "HKCU\\Key");
    recorder.Pump();

    ASSERT_EQ(2, engine.Findings().GetSize());
    EXPECT_STREQ(CString('a', 1023), engine.Findings()[0]);
    EXPECT_STREQ(CString('c', 1000) + "\t" + CString('e', 22), engine.Findings()[1])
        << "the cut falls inside a later part";
    std::vector<CString> posted = recorder.FindingTexts();
    ASSERT_EQ(2u, posted.size());
    EXPECT_STREQ(engine.Findings()[0], posted[0]);
    EXPECT_STREQ(engine.Findings()[1], posted[1]);
}

TEST(HistoryCleanerFinding, CutNeverLeavesHalfADoubleByteCharacter) {
    CHistoryCleaner engine;
    engine.AddFinding(CString('a', 1022) + "가나", "-", "HKCU\\Key");  // "가" straddles the limit
    ASSERT_EQ(1, engine.Findings().GetSize());
    EXPECT_STREQ(CString('a', 1022), engine.Findings()[0]);
}

TEST(HistoryCleanerFinding, IsRecordedButNotPostedOnceStopped) {
    ProgressRecorder recorder;
    CHandle stop(NewStopEvent());
    CHistoryCleaner engine(recorder.Window(), stop);
    engine.AddFinding("before", "-", "HKCU\\A");
    SetEvent(stop);
    engine.AddFinding("after", "-", "HKCU\\B");
    recorder.Pump();

    ASSERT_EQ(2, engine.Findings().GetSize());
    EXPECT_STREQ("after\t-\tHKCU\\B", engine.Findings()[1]);
    std::vector<CString> posted = recorder.FindingTexts();
    ASSERT_EQ(1u, posted.size());
    EXPECT_STREQ("before\t-\tHKCU\\A", posted[0]);
}

TEST(HistoryCleanerFinding, PostedTextBelongsToTheReceiver) {
    ProgressRecorder recorder;
    long before = LiveArrayAllocations();
    {
        CHistoryCleaner engine(recorder.Window());
        engine.AddFinding("cat", "-", "HKCU\\Key");
    }
    EXPECT_EQ(before + 1, LiveArrayAllocations()) << "the queued text must outlive the engine";
    recorder.Pump();
    EXPECT_EQ(before, LiveArrayAllocations());
}

TEST(HistoryCleanerFinding, TextThatCannotBePostedIsFreed) {
    HWND destroyed = nullptr;
    {
        ProgressRecorder gone;
        destroyed = gone.Window();
    }
    ASSERT_FALSE(IsWindow(destroyed));
    CHandle stop(NewStopEvent());
    SetEvent(stop);
    ProgressRecorder recorder;

    struct Case {
        const char* name;
        HWND window;
        HANDLE stopEvent;
    } cases[] = {
        {"destroyed window", destroyed, nullptr},
        {"handle that was never a window", reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234)), nullptr},
        {"no window", nullptr, nullptr},
        {"stopped", recorder.Window(), stop},
    };
    for (const Case& c : cases) {
        long before = LiveArrayAllocations();
        {
            CHistoryCleaner engine(c.window, c.stopEvent);
            engine.AddFinding("cat", "C:\\gone.exe", "HKCU\\Key");
            EXPECT_EQ(1, engine.Findings().GetSize()) << c.name;
        }
        EXPECT_EQ(before, LiveArrayAllocations()) << c.name;
    }
    recorder.Pump();
    EXPECT_TRUE(recorder.Reports().empty());
}
