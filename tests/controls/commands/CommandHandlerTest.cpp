#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <memory>
#include <thread>
#include <vector>

#include "ImportPatch.h"
#include "MessageBoxRecorder.h"
#include "MessagePump.h"
#include "NGTPCommandHandler.h"

namespace {

const char kWindowText[] = "RERUCommandHandler Embeded Window";
const DWORD kGenerousLimit = 5000;

struct Received {
    CString from;
    CString to;
    CString command;
    CString caller;
    CString timerName;
    DWORD thread = 0;
};

// Keeps a copy of every packet it is given.
class RecordingHandler : public CNGTPCommandHandler {
public:
    explicit RecordingHandler(std::vector<Received>& log) : m_log(log) {}

    int OnExecute(CNGTPParser* packet) override {
        m_log.push_back({packet->GetFrom(), packet->GetTo(), packet->GetCommand(), packet->GetString("caller"),
                         packet->GetString("#TIMERNAME#"), ::GetCurrentThreadId()});
        return 1;
    }

private:
    std::vector<Received>& m_log;
};

int CountHiddenWindows() {
    int count = 0;
    for (HWND window = nullptr; (window = ::FindWindowExA(HWND_MESSAGE, window, nullptr, kWindowText));)
        ++count;
    return count;
}

bool Delivered(const std::vector<Received>& log, const char* command) {
    for (const Received& r : log)
        if (r.command == command)
            return true;
    return false;
}

bool NoDelayedCommandQueued() {
    MSG msg;
    return !::PeekMessageA(&msg, nullptr, 0x810C, 0x810C, PM_NOREMOVE);
}

HWND WINAPI RefuseWindow(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

}  // namespace

TEST(NGTPCommandHandler, ADelayedCommandArrivesOnlyAfterMessagesArePumped) {
    std::vector<Received> log;
    RecordingHandler receiver(log);
    receiver.SetHandlerName("MainDlg");
    CNGTPCommandHandler sender;

    ASSERT_TRUE(sender.TimerExecute("MAINDLG", "Sender", "CloseWindow", "caller", "QueryEndSession", 50, nullptr));
    EXPECT_TRUE(log.empty()) << "nothing may arrive before the queue is pumped";

    ASSERT_TRUE(PumpUntil([&] { return !log.empty(); }, kGenerousLimit));
    PumpUntil(NoDelayedCommandQueued, kGenerousLimit);
    ASSERT_EQ(1u, log.size());
    EXPECT_STREQ("Sender", log[0].from);
    EXPECT_STREQ("MAINDLG", log[0].to);
    EXPECT_STREQ("CloseWindow", log[0].command);
    EXPECT_STREQ("QueryEndSession", log[0].caller);
    EXPECT_STREQ("", log[0].timerName);
}

TEST(NGTPCommandHandler, ACommandSentFromAnotherThreadArrivesOnTheReceiversThread) {
    std::vector<Received> log;
    RecordingHandler receiver(log);
    receiver.SetHandlerName("threaded");
    BOOL posted = FALSE;
    std::thread([&] {
        CNGTPCommandHandler sender;
        posted = sender.TimerExecute("threaded", "worker", "Ping", nullptr, nullptr, 10, nullptr);
    }).join();

    ASSERT_TRUE(posted);
    ASSERT_TRUE(PumpUntil([&] { return !log.empty(); }, kGenerousLimit));
    EXPECT_EQ(::GetCurrentThreadId(), log[0].thread);
    EXPECT_STREQ("Ping", log[0].command);
}

TEST(NGTPCommandHandler, NamesAreStoredInLowerCase) {
    CNGTPCommandHandler handler;
    handler.SetHandlerName("MainDlg");
    handler.SetHandlerName("트레이Icon");
    EXPECT_STREQ("maindlg", handler.GetHandlerName(0));
    EXPECT_STREQ("트레이icon", handler.GetHandlerName(1));
}

TEST(NGTPCommandHandler, AnUnnamedHandlerGetsALowerCaseGeneratedNameThatCanBeAddressed) {
    std::vector<Received> log;
    RecordingHandler handler(log);

    const CString name = handler.GetHandlerName(0);
    ASSERT_GT(name.GetLength(), 8 + 1 + 8);
    EXPECT_EQ(0, strncmp("handler_", name, 8)) << (const char*)name;
    const CString tail = name.Mid(name.GetLength() - 9);
    EXPECT_EQ('_', tail[0]) << (const char*)name;
    for (int i = 0; i < name.GetLength(); ++i)
        EXPECT_FALSE(isupper(static_cast<unsigned char>(name[i]))) << (const char*)name;
    EXPECT_STREQ(name, handler.GetHandlerName(0)) << "asked again, the same name";

    ASSERT_TRUE(handler.TimerExecute(name, name, "CloseWindow", nullptr, nullptr, 10, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return !log.empty(); }, kGenerousLimit));
    EXPECT_STREQ("CloseWindow", log[0].command);
}

TEST(NGTPCommandHandler, AnIndexOutOfRangeRegistersAGeneratedNameAndGivesTheFirstName) {
    CNGTPCommandHandler handler;
    handler.SetHandlerName("main");

    EXPECT_STREQ("main", handler.GetHandlerName(3));
    const CString generated = handler.GetHandlerName(1);
    EXPECT_EQ(0, strncmp("handler_", generated, 8)) << (const char*)generated;
    EXPECT_STREQ("main", handler.GetHandlerName(-1));
}

TEST(NGTPCommandHandler, ANameTakenByAnotherHandlerMovesToIt) {
    std::vector<Received> firstLog;
    std::vector<Received> secondLog;
    RecordingHandler first(firstLog);
    RecordingHandler second(secondLog);
    first.SetHandlerName("shared");
    first.SetHandlerName("first-only");
    second.SetHandlerName("Shared");

    EXPECT_STREQ("first-only", first.GetHandlerName(0));
    ASSERT_TRUE(first.TimerExecute("shared", "test", "ToShared", nullptr, nullptr, 10, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return !secondLog.empty(); }, kGenerousLimit));
    PumpUntil(NoDelayedCommandQueued, kGenerousLimit);
    EXPECT_TRUE(firstLog.empty());
}

TEST(NGTPCommandHandler, AReceiverNotRegisteredReceivesNothing) {
    std::vector<Received> log;
    RecordingHandler handler(log);
    handler.SetHandlerName("present");
    handler.SetHandlerName("removed");
    handler.DelHandlerName("REMOVED");

    EXPECT_FALSE(handler.TimerExecute("nobody", "present", "Lost", nullptr, nullptr, 0, nullptr));
    EXPECT_FALSE(handler.TimerExecute("removed", "present", "Removed", nullptr, nullptr, 0, nullptr));
    ASSERT_TRUE(handler.TimerExecute("present", "present", "Marker", nullptr, nullptr, 100, nullptr));

    ASSERT_TRUE(PumpUntil([&] { return Delivered(log, "Marker"); }, kGenerousLimit));
    ASSERT_EQ(1u, log.size());
    EXPECT_STREQ("present", handler.GetHandlerName(0));
    EXPECT_STREQ("present", handler.GetHandlerName(1)) << "\"removed\" is no longer one of its names";
}

TEST(NGTPCommandHandler, KillTimerExecuteCancelsANamedDelivery) {
    const struct {
        const char* when;
        bool pumpFirst;
    } cases[] = {{"still in the queue", false}, {"with its timer running", true}};
    for (const auto& c : cases) {
        std::vector<Received> log;
        RecordingHandler handler(log);
        handler.SetHandlerName("self");
        ASSERT_TRUE(handler.TimerExecute("self", "self", "Cancelled", nullptr, nullptr, 20, "close"));
        ASSERT_TRUE(handler.TimerExecute("self", "self", "Kept", nullptr, nullptr, 300, "keep"));
        if (c.pumpFirst) {
            ASSERT_TRUE(PumpUntil(NoDelayedCommandQueued, kGenerousLimit));
        }

        EXPECT_TRUE(handler.KillTimerExecute("close")) << c.when;
        EXPECT_FALSE(handler.KillTimerExecute("close")) << c.when << ": nothing left of that name";

        ASSERT_TRUE(PumpUntil([&] { return Delivered(log, "Kept"); }, kGenerousLimit)) << c.when;
        ASSERT_EQ(1u, log.size()) << c.when;
        EXPECT_STREQ("keep", log[0].timerName) << c.when;
    }
}

TEST(NGTPCommandHandler, EachHandlerHasOneHiddenWindowThatGoesWithIt) {
    const int before = CountHiddenWindows();
    auto handler = std::make_unique<CNGTPCommandHandler>();
    EXPECT_EQ(before + 1, CountHiddenWindows());
    handler.reset();
    EXPECT_EQ(before, CountHiddenWindows());
}

TEST(NGTPCommandHandler, ADestroyedHandlersPendingPacketsNeverArriveAndItsNamesAreFree) {
    const struct {
        const char* when;
        bool pumpFirst;
    } cases[] = {{"still in the queue", false}, {"with its timer running", true}};
    for (const auto& c : cases) {
        std::vector<Received> goneLog;
        std::vector<Received> markerLog;
        auto gone = std::make_unique<RecordingHandler>(goneLog);
        gone->SetHandlerName("gone");
        RecordingHandler marker(markerLog);
        marker.SetHandlerName("marker");
        ASSERT_TRUE(marker.TimerExecute("gone", "marker", "Late", nullptr, nullptr, 10, nullptr));
        if (c.pumpFirst) {
            ASSERT_TRUE(PumpUntil(NoDelayedCommandQueued, kGenerousLimit));
        }
        gone.reset();

        EXPECT_FALSE(marker.TimerExecute("gone", "marker", "AfterDeath", nullptr, nullptr, 0, nullptr)) << c.when;
        ASSERT_TRUE(marker.TimerExecute("marker", "marker", "Marker", nullptr, nullptr, 200, nullptr));
        ASSERT_TRUE(PumpUntil([&] { return !markerLog.empty(); }, kGenerousLimit)) << c.when;
        EXPECT_TRUE(goneLog.empty()) << c.when;
    }
}

TEST(NGTPCommandHandler, AHiddenWindowThatCannotBeCreatedIsReportedWithAMessageBox) {
    HMODULE tovrin = ::GetModuleHandleA("Tovrin.dll");
    MessageBoxRecorder boxes(tovrin);
    ASSERT_TRUE(boxes.IsReady());
    const int before = CountHiddenWindows();
    {
        ImportPatch refuse(tovrin, "user32.dll", "CreateWindowExA", reinterpret_cast<void*>(&RefuseWindow));
        ASSERT_TRUE(refuse.IsActive());
        CNGTPCommandHandler handler;
        handler.SetHandlerName("windowless");
        EXPECT_EQ(1, boxes.Count());
        EXPECT_FALSE(handler.TimerExecute("windowless", "windowless", "Nowhere", nullptr, nullptr, 0, nullptr));
    }
    EXPECT_EQ(before, CountHiddenWindows());
    CNGTPCommandHandler working;
    EXPECT_EQ(1, boxes.Count()) << "a handler with its window says nothing";
}
