// Whole games through the headless runner: the state machine driven by
// keys, the round counter across games, and what WinMain returns.
#include <gtest/gtest.h>

#include "testhilfe.h"

namespace {

// Index of the first log line from `ab` on that contains the text.
size_t Stelle(const std::vector<std::string>& log, const std::string& teil, size_t ab = 0) {
    for (size_t i = ab; i < log.size(); ++i)
        if (log[i].find(teil) != std::string::npos) return i;
    return log.size();
}

TEST(SpielAblauf, MenuRoundsAndQuit) {
    Testordner_anlegen();
    HeadlessConfig cfg;
    cfg.until_ms = 90000;
    RunnerErgebnis r = Spiel_laufen_lassen(
        "500 key RETURN\n"   // title -> menu
        "1000 key DOWN\n"
        "1100 key RETURN\n"   // high scores before any round
        "1500 globals\n"
        "2000 key ESCAPE\n"
        "2500 key UP\n"
        "2600 key RETURN\n"   // round 1
        "10000 key SPACE\n"   // round 2 at once
        "17000 globals\n"
        "18000 key ESCAPE\n"
        "19000 key RETURN\n"   // a new game: round 3
        "27000 globals\n"
        "28000 key ESCAPE\n"
        "29000 key ESCAPE\n"   // quit prompt
        "30000 char j\n",
        cfg);
    const std::vector<std::string>& log = r.log;
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.winmain, 0);   // an ordinary end, whatever key ended it
    EXPECT_FALSE(Log_enthaelt(log, "msgbox"));

    size_t menue = Stelle(log, "state GS_MENU");
    EXPECT_LT(Stelle(log, "wave start.wav"), menue);
    EXPECT_LT(Stelle(log, "sound 5 0", menue), log.size());
    // Entering the title set bGewonnen: the list plays the winner's wave.
    EXPECT_LE(Stelle(log, "wave win.wav", menue), Stelle(log, "state GS_HIGHSCORES") + 1);
    EXPECT_FALSE(Log_enthaelt(log, "wave lose.wav"));

    std::vector<std::string> werte = Log_finden(log, "globals ");
    ASSERT_EQ(werte.size(), 3u);
    EXPECT_NE(werte[0].find("state=GS_HIGHSCORES"), std::string::npos) << werte[0];
    EXPECT_NE(werte[0].find("round=0"), std::string::npos) << werte[0];
    EXPECT_NE(werte[1].find("round=2"), std::string::npos) << werte[1];
    EXPECT_NE(werte[2].find("round=3"), std::string::npos) << werte[2];
    EXPECT_LT(Stelle(log, "state GS_QUIT_PROMPT"), Stelle(log, "state GS_EXIT"));
}

TEST(SpielAblauf, FailedStartUpSkipsTheLoop) {
    Testordner_anlegen(false);
    RunnerErgebnis r = Spiel_laufen_lassen("", HeadlessConfig());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.winmain, 1);   // a failed start-up is reported as a failure
    EXPECT_TRUE(Log_enthaelt(r.log, "msgbox"));
    EXPECT_FALSE(Log_enthaelt(r.log, "wave start.wav"));
}

}   // namespace
