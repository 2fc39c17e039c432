#include <gtest/gtest.h>

#include <vector>

#include "CleanupCatalogue.h"
#include "ProgramRun.h"
#include "RestartedShells.h"
#include "SeedItems.h"
#include "SeedManifest.h"

namespace {

const DWORD kSeedPatienceMs = 180000;
const DWORD kRunPatienceMs = 300000;

// Every direct-mode key, in mixed case and backwards, as a user might type them.
CString EveryKeyLine() {
    Catalogue::IdList order = Catalogue::DirectModeOrder();
    CString line = "/";
    for (int i = order.count - 1; i >= 0; --i) {
        CString key = Catalogue::FindItem(order.first[i])->optionKey;
        line += (i % 3 == 0 ? key.MakeLower() : key);
        line += i > 0 ? "," : "";
    }
    return line;
}

CString Describe(const SeedEntry& entry) {
    CString text;
    if (entry.role == SeedRole::Trace)
        text.Format("item %d %s, ", entry.item, Catalogue::FindItem(entry.item)->optionKey);
    else
        text = entry.label + ", ";
    text += static_cast<char>(entry.kind);
    text += " " + entry.path + (entry.name.IsEmpty() ? CString() : " : " + entry.name);
    return text;
}

bool RunBuilt(const char* program, const CString& arguments, DWORD patienceMs, DWORD& exitCode) {
    return ProgramRun::RunToEnd("\"" + ProgramRun::BuildFolder() + "\\" + program + "\" " + arguments, patienceMs,
                                exitCode);
}

}  // namespace

// One seeded profile, one full direct-mode run of Vantrel.exe over it, then a cleaning run of the
// registry checks (which direct mode never does); the tests look at what the runs left. The seed
// is removed afterwards.
class FullDirectMode : public ::testing::Test {
protected:
    struct Run {
        bool seeded = false;
        CSeedManifest manifest;
        std::vector<int> presentBefore;
        bool ended = false;
        DWORD exitCode = 99;
        std::vector<int> presentAfterDirectMode;
        bool registryRunEnded = false;
        DWORD registryRunExitCode = 99;
    };

    static void SetUpTestSuite() {
        s_run = new Run;
        DWORD seedExit = 99;
        s_run->seeded = RunBuilt("TraceProfile.exe", "seed", kSeedPatienceMs, seedExit) && seedExit == 0 &&
                        s_run->manifest.Load();
        for (const SeedEntry& entry : s_run->manifest.Entries())
            s_run->presentBefore.push_back(PresentUnits(entry));
        if (!s_run->seeded)
            return;
        CRestartedShells shells;
        s_run->ended = RunBuilt("Vantrel.exe", EveryKeyLine(), kRunPatienceMs, s_run->exitCode);
        shells.EndNewOnes();
        for (const SeedEntry& entry : s_run->manifest.Entries())
            s_run->presentAfterDirectMode.push_back(PresentUnits(entry));
        s_run->registryRunEnded =
            RunBuilt("TraceProfile.exe", "registry-run", kRunPatienceMs, s_run->registryRunExitCode);
    }

    static void TearDownTestSuite() {
        DWORD removeExit = 0;
        RunBuilt("TraceProfile.exe", "remove", kSeedPatienceMs, removeExit);
        delete s_run;
        s_run = nullptr;
    }

    static Run* s_run;
};

FullDirectMode::Run* FullDirectMode::s_run = nullptr;

TEST_F(FullDirectMode, SeedMadeEveryTraceAndEverySurvivor) {
    ASSERT_TRUE(s_run->seeded);
    const std::vector<SeedEntry>& entries = s_run->manifest.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].role != SeedRole::Cleanup) {
            EXPECT_EQ(entries[i].count, s_run->presentBefore[i]) << (const char*)Describe(entries[i]);
        }
    }
}

TEST_F(FullDirectMode, VantrelEndsOnItsOwnWithExitCodeZero) {
    ASSERT_TRUE(s_run->seeded);
    EXPECT_TRUE(s_run->ended);
    EXPECT_EQ(0u, s_run->exitCode);
}

TEST_F(FullDirectMode, EveryDirectModeItemsTracesAreGone) {
    ASSERT_TRUE(s_run->seeded);
    for (const SeedEntry& entry : s_run->manifest.Entries()) {
        if (entry.role == SeedRole::Trace && !IsRegistryCheck(entry.item)) {
            EXPECT_EQ(0, PresentUnits(entry)) << (const char*)Describe(entry);
        }
    }
}

TEST_F(FullDirectMode, DirectModeLeavesTheRegistryCheckTracesAndTheCleaningRunRemovesThem) {
    ASSERT_TRUE(s_run->seeded);
    EXPECT_TRUE(s_run->registryRunEnded);
    EXPECT_EQ(0u, s_run->registryRunExitCode);
    const std::vector<SeedEntry>& entries = s_run->manifest.Entries();
    int registryTraces = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].role == SeedRole::Trace && IsRegistryCheck(entries[i].item)) {
            ++registryTraces;
            EXPECT_EQ(entries[i].count, s_run->presentAfterDirectMode[i]) << "direct mode: "
                                                                           << (const char*)Describe(entries[i]);
            EXPECT_EQ(0, PresentUnits(entries[i])) << "cleaning run: " << (const char*)Describe(entries[i]);
        }
    }
    EXPECT_GT(registryTraces, 0);
}

// Looked at before the registry checks: they rightly take an uninstall entry whose uninstaller
// an item removed.
TEST_F(FullDirectMode, EverySurvivorIsIntactAfterDirectMode) {
    ASSERT_TRUE(s_run->seeded);
    const std::vector<SeedEntry>& entries = s_run->manifest.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].role == SeedRole::Survivor) {
            EXPECT_EQ(entries[i].count, s_run->presentAfterDirectMode[i]) << (const char*)Describe(entries[i]);
        }
    }
}
