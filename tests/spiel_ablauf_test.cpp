// Whole games through the headless runner: the state machine driven by
// keys, the round counter across games, and what WinMain returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testhilfe.h"

namespace {

// Position of the first log line at or after `ab` that contains the text.
size_t Stelle(const std::vector<std::string>& log, const std::string& teil, size_t ab = 0)
{
    for (size_t i = ab; i < log.size(); ++i)
        if (log[i].find(teil) != std::string::npos)
            return i;
    return std::string::npos;
}

TEST(SpielAblauf, MenuRoundsAndQuit)
{
    Testordner_anlegen();
    HeadlessConfig cfg;
    cfg.until_ms = 90000;
    const std::string skript =
        "500 key RETURN\n"     // title -> menu
        "1000 key DOWN\n"
        "1100 key RETURN\n"    // "Show Highscores" before any round
        "1500 globals\n"
        "2000 key ESCAPE\n"    // back to the menu
        "2500 key UP\n"
        "2600 key RETURN\n"    // "Start Game"
        "10000 key SPACE\n"    // next round at once
        "17000 globals\n"
        "18000 key ESCAPE\n"   // playing -> menu
        "19000 key RETURN\n"   // a new game
        "27000 globals\n"
        "28000 key ESCAPE\n"
        "29000 key ESCAPE\n"   // quit prompt
        "30000 char j\n";
    RunnerErgebnis r = Spiel_laufen_lassen(skript, cfg);
    const std::vector<std::string>& log = r.log;

    EXPECT_EQ(r.status, 0);
    // The last message retrieved was the 'j' that ended the game.
    EXPECT_EQ(r.winmain, 'j');

    size_t titel = Stelle(log, "state GS_TITLE");
    size_t start = Stelle(log, "wave start.wav");
    size_t menue = Stelle(log, "state GS_MENU", titel);
    ASSERT_NE(titel, std::string::npos);
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(menue, std::string::npos);
    EXPECT_LT(start, menue);
    EXPECT_NE(Stelle(log, "sound 5 0", menue), std::string::npos);

    // Entering the title set bGewonnen, so the list plays the winner's wave.
    size_t liste = Stelle(log, "state GS_HIGHSCORES", menue);
    ASSERT_NE(liste, std::string::npos);
    size_t sieg = Stelle(log, "wave win.wav", menue);
    ASSERT_NE(sieg, std::string::npos);
    EXPECT_LE(sieg, liste + 1);
    EXPECT_EQ(Stelle(log, "wave lose.wav"), std::string::npos);

    std::vector<std::string> werte = Log_finden(log, "globals ");
    ASSERT_EQ(werte.size(), 3u);
    EXPECT_NE(werte[0].find("state=GS_HIGHSCORES"), std::string::npos) << werte[0];
    EXPECT_NE(werte[0].find("round=0"), std::string::npos) << werte[0];
    EXPECT_NE(werte[1].find("round=2"), std::string::npos) << werte[1];
    EXPECT_NE(werte[1].find("shells=6"), std::string::npos) << werte[1];
    EXPECT_NE(werte[2].find("round=3"), std::string::npos) << werte[2];

    EXPECT_NE(Stelle(log, "state GS_QUIT_PROMPT"), std::string::npos);
    EXPECT_NE(Stelle(log, "state GS_EXIT"), std::string::npos);
    EXPECT_FALSE(Log_enthaelt(log, "msgbox"));
}

TEST(SpielAblauf, FailedStartUpSkipsTheLoop)
{
    Testordner_anlegen(false);
    HeadlessConfig cfg;
    cfg.until_ms = 20000;
    RunnerErgebnis r = Spiel_laufen_lassen("", cfg);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.winmain, 0);
    EXPECT_TRUE(Log_enthaelt(r.log, "msgbox"));
    EXPECT_FALSE(Log_enthaelt(r.log, "wave start.wav"));
    EXPECT_FALSE(Log_enthaelt(r.log, "state GS_MENU"));
}

}  // namespace
