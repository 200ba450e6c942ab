// What the fuzzers found, kept found: each case is the smallest input
// that showed the fault.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/highscore.h"
#include "platform/headless/headless.h"
#include "testhilfe.h"

namespace {

TEST(ZuverlaessigFunde, EqualScoresBelowANewEntryKeepTheirOrder) {
    Testordner_anlegen(false);
    headless_reset(HeadlessConfig());
    const int32_t punkte[MAX_HIGHSCORES] = {900, 800, 700, 700, 700, 500, 100, 100, 100, 100};
    const char* const namen[MAX_HIGHSCORES] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        HighscoreListe[i].iPunktzahl = punkte[i];
        std::memset(HighscoreListe[i].szName, 0, sizeof(HighscoreListe[i].szName));
        std::strcpy(HighscoreListe[i].szName, namen[i]);
    }
    // Every entry from the new one down moves one place; none overtakes
    // an equal one that stood above it.
    Highscore_eintragen("Neu", 750);
    const char* const erwartet[MAX_HIGHSCORES] = {"A", "B", "Neu", "C", "D", "E", "F", "G", "H", "I"};
    for (int i = 0; i < MAX_HIGHSCORES; i++) EXPECT_STREQ(HighscoreListe[i].szName, erwartet[i]) << i;

    // Below the equal ones, the same.
    Highscore_eintragen("Gleich", 100);
    Highscore_eintragen("Mitte", 600);
    const char* const danach[MAX_HIGHSCORES] = {"A", "B", "Neu", "C", "D", "E", "Mitte", "F", "G", "H"};
    for (int i = 0; i < MAX_HIGHSCORES; i++) EXPECT_STREQ(HighscoreListe[i].szName, danach[i]) << i;
}

}   // namespace
