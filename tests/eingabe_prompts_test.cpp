// The continue prompt and the record entry.
#include "ablauf_hilfe_test.h"

namespace {

// Rows 142.. hold the points line; without it there is only sky.
bool Punktezeile_sichtbar(const Bild& b) {
    for (int i = 142 * BILDSCHIRM_BREITE; i < (142 + rcGlyphen[99].top) * BILDSCHIRM_BREITE; ++i)
        if (b[i] != b[0]) return true;
    return false;
}

TEST(EingabePrompts, ContinuePromptShowsPointsOnlyAfterALostRoundAndBlinks) {
    Testordner_anlegen();
    // Round 1 ends at about 5300 without a record; round 2 at 12500 with one.
    int runde = 0;
    Ablauf a = Ablauf_laufen(
        "100 key RETURN\n200 key RETURN\n5300 globals\n5900 shot aus\n6900 shot an\n"
        "7100 char j\n12500 globals\n13400 key RETURN\n13500 shot rekord\n13600 close\n",
        [&runde] { Runde_beenden_mit(++runde == 1 ? 35 : 99999)(); });
    EXPECT_EQ(Log_finden(a.log, "state GS_CONTINUE_PROMPT").size(), 2u);
    EXPECT_TRUE(Punktezeile_sichtbar(a.bilder["aus"]));
    EXPECT_FALSE(Punktezeile_sichtbar(a.bilder["rekord"]));
    // "(j/n)" appears a second after the round's end.
    EXPECT_TRUE(Nur_Textzeile_verschieden(a.bilder["aus"], a.bilder["an"], 394));
}

TEST(EingabeRekord, TypedNameLandsInTheScoreFileInItsPlace) {
    Testordner_anlegen();
    std::vector<std::pair<std::string, int32_t>> liste;
    for (int i = 0; i < 10; ++i) liste.push_back({"Platz" + std::to_string(i), 1000 - 100 * i});
    Bestenliste_schreiben(liste);
    HeadlessConfig cfg;
    cfg.account = "Zed";
    // Round 1: "Zed" erased, "Abx" typed, x erased, "c" in the same pass as Return.
    // Round 2: "Abc" erased to nothing, which is stored as "Monkey".
    int runde = 0;
    Ablauf a = Ablauf_laufen(
        "100 key RETURN\n200 key RETURN\n5300 globals\n6000 key BACK\n6000 key BACK\n"
        "6000 key BACK\n6100 char A\n6100 char b\n6100 key x\n6200 key BACK\n6300 char c\n"
        "6300 key RETURN\n6400 char j\n11500 globals\n12000 key BACK\n12000 key BACK\n"
        "12000 key BACK\n12000 key BACK\n12100 key RETURN\n12300 close\n",
        [&runde] { Runde_beenden_mit(++runde == 1 ? 450 : 460)(); }, nullptr, cfg);
    EXPECT_EQ(Log_finden(a.log, "state GS_RECORD_ENTRY").size(), 2u);
    // Every typed character beeps and clicks; Return does neither.
    EXPECT_EQ(Log_finden(a.log, "beep").size(), 12u);
    EXPECT_EQ(Log_finden(a.log, "sound 18 0").size(), 12u);
    std::string d = Datei_lesen("Score.dat");
    ASSERT_EQ(d.size(), 288u);
    const char* namen[10] = {"Platz0", "Platz1", "Platz2", "Platz3", "Platz4",
                             "Platz5", "Monkey", "Abc",    "Platz6", "Platz7"};
    const int32_t punkte[10] = {1000, 900, 800, 700, 600, 500, 460, 450, 400, 300};
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(d.c_str() + 52 + 24 * i, namen[i]) << i;
        EXPECT_EQ(std::memcmp(d.c_str() + 48 + 24 * i, &punkte[i], 4), 0) << i;
    }
    EXPECT_EQ(iEingabeLaenge, 0);
}

}   // namespace
