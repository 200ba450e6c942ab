// The waits of the game give the processor away: a playing frame's 25 ms
// and the shutdown's 4 s are slept, not spun, and still end on time.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "shell/spiel.h"

namespace {

// On the headless clock each sleep moves time on by what it asked for
// (a yield by 1 ms) and calls the observer: the ticks it records are the
// ends of the sleeps.
std::vector<DWORD> g_schlafenden;

void Schlaf_merken(void) { g_schlafenden.push_back(plat_get_tick_count()); }

std::vector<DWORD> Warten_beobachten(DWORD vorlauf, DWORD ms) {
    g_schlafenden.clear();
    const DWORD start = plat_get_tick_count() - vorlauf;
    headless_set_observer(Schlaf_merken);
    Warten_bis(start, ms);
    headless_set_observer(nullptr);
    for (DWORD& t : g_schlafenden) t -= start;
    return g_schlafenden;
}

class PerfWarten : public ::testing::TestWithParam<DWORD> {
protected:
    void SetUp() override {
        HeadlessConfig cfg;
        cfg.tick0 = GetParam();
        headless_reset(cfg);
    }
    void TearDown() override { headless_set_observer(nullptr); }
};

TEST_P(PerfWarten, FrameWaitSleepsAllButTheLastTwoMilliseconds) {
    for (DWORD vorlauf : {0u, 3u, 20u}) {
        SCOPED_TRACE(vorlauf);
        std::vector<DWORD> enden = Warten_beobachten(vorlauf, 25);
        ASSERT_FALSE(enden.empty());
        // One long sleep to about 2 ms before the deadline, then short polls.
        EXPECT_EQ(enden.front(), 23u);
        EXPECT_LE(enden.size(), 3u);
        EXPECT_EQ(enden.back(), 25u) << "returns on the deadline, not later";
    }
}

TEST_P(PerfWarten, ShutdownWaitSleepsToo) {
    std::vector<DWORD> enden = Warten_beobachten(1000, 4000);
    ASSERT_FALSE(enden.empty());
    EXPECT_EQ(enden.front(), 3998u);
    EXPECT_LE(enden.size(), 3u);
    EXPECT_EQ(enden.back(), 4000u);
}

TEST_P(PerfWarten, NothingIsSleptWhenTheTimeHasPassed) {
    EXPECT_TRUE(Warten_beobachten(25, 25).empty());
    EXPECT_TRUE(Warten_beobachten(70000, 4000).empty());
}

// Across the wrap of the 32-bit tick counter as well.
INSTANTIATE_TEST_SUITE_P(Tickstart, PerfWarten, ::testing::Values(0u, 100000u, 0xFFFFFFFFu - 10u));

}   // namespace
