// What the screens draw, read back from the flipped frames.
#include "ablauf_hilfe_test.h"
#include "screens/screens.h"

namespace {

// Leftmost column and top row where the frames differ within rows y0..y1-1.
std::pair<int, int> Erste_Abweichung(const Bild& a, const Bild& b, int y0, int y1) {
    std::pair<int, int> p{BILDSCHIRM_BREITE, -1};
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < BILDSCHIRM_BREITE; ++x)
            if (a[y * BILDSCHIRM_BREITE + x] != b[y * BILDSCHIRM_BREITE + x])
                p = {std::min(p.first, x), p.second < 0 ? y : p.second};
    return p;
}

TEST(ScreensBild, HighScoreRowsSlantThreePixelsEach) {
    // The same list with and without names: the difference is the names
    // alone, each row 3 px right of the one above, the spaces of "%12s"
    // taking no room.
    Bild bild[2];
    for (int i = 0; i < 2; ++i) {
        Testordner_anlegen();
        Bestenliste_schreiben(std::vector<std::pair<std::string, int32_t>>(10, {i == 0 ? "Ab" : "", 35}));
        bild[i] = Ablauf_laufen("100 key RETURN\n200 key DOWN\n300 key RETURN\n400 shot l\n500 close\n").bilder["l"];
    }
    const int H = rcGlyphen[99].top;
    std::pair<int, int> erste = Erste_Abweichung(bild[0], bild[1], 170, 170 + H);
    EXPECT_GE(erste.first, 240);
    EXPECT_LT(erste.first, 240 + rcGlyphen[99].left);
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(Erste_Abweichung(bild[0], bild[1], 170 + i * H, 170 + (i + 1) * H),
                  std::make_pair(erste.first + 3 * i, erste.second + i * H))
            << i;
}

TEST(ScreensBild, TitleBlinksAndSurvivesAMissingDeviceContext) {
    Testordner_anlegen();
    const char* script = "500 shot aus\n1500 shot an\n2250 shot aus2\n2800 close\n";
    Ablauf a = Ablauf_laufen(script);
    EXPECT_TRUE(Nur_Textzeile_verschieden(a.bilder["aus"], a.bilder["an"], 683));
    EXPECT_TRUE(Zeilen_verschieden(a.bilder["aus"], a.bilder["aus2"]).empty());
    // Without a device context only the two small lines at the bottom go.
    Ablauf ohne = Ablauf_laufen(script, nullptr, [] { headless_fault_arm("GetDC", 0, -1); });
    std::vector<int> z = Zeilen_verschieden(a.bilder["aus"], ohne.bilder["aus"]);
    ASSERT_FALSE(z.empty());
    EXPECT_GE(z.front(), 740);
}

TEST(ScreensBild, RoundIntroCountsDownOnItsTimeline) {
    Testordner_anlegen();
    Ablauf a = Ablauf_laufen("100 key RETURN\n200 key RETURN\n300 shot leer\n1000 shot drei\n6000 close\n");
    const long start = Zeit_von(a.log, "state GS_ROUND_INTRO");
    std::vector<std::string> schritte = Log_finden(a.log, " sound 16 0");
    schritte.push_back(Log_finden(a.log, " sound 4 0").at(0));
    ASSERT_EQ(schritte.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_GE(std::stol(schritte[k]), start + 200 + 1200 * k) << k;
        EXPECT_LE(std::stol(schritte[k]), start + 200 + 1200 * k + 20 * (k + 1)) << k;
    }
    EXPECT_EQ(Zeit_von(a.log, "sound 13 0"), std::stol(schritte[2]));
    EXPECT_EQ(Zeit_von(a.log, "sound 6 0"), std::stol(schritte[3]));
    EXPECT_GE(Zeit_von(a.log, "state GS_PLAYING"), start + 5000);
    EXPECT_LE(Zeit_von(a.log, "state GS_PLAYING"), start + 5100);
    // The first step only adds the text under "Round 1".
    EXPECT_TRUE(Nur_Textzeile_verschieden(a.bilder["leer"], a.bilder["drei"], 355));
}

TEST(ScreensBild, CreditsScrollRestartAndWrap) {
    Testordner_anlegen();
    const std::string hin = "100 key RETURN\n200 key DOWN\n300 key DOWN\n400 key RETURN\n";
    std::vector<int32_t> y;
    // Enter, scroll, leave, enter again: the block starts at the bottom again.
    Ablauf_laufen(hin + "500 globals\n3400 globals\n3500 key ESCAPE\n3600 key RETURN\n3700 globals\n4000 close\n",
                  [&y] { y.push_back(iAbspannY); });
    ASSERT_EQ(y.size(), 3u);
    EXPECT_GE(y[0], 768 - 10);
    EXPECT_LT(y[1], 768 - 100);
    EXPECT_GE(y[2], 768 - 10);

    // One step past the end: back at the bottom, still for 2 s, then moving.
    const int T = 10 * (rcGlyphen[99].top + 10) + 800;
    y.clear();
    Ablauf_laufen(hin + "1000 globals\n2000 globals\n2900 globals\n3600 globals\n3700 close\n", [&y, T] {
        if (y.empty()) iAbspannY = -T;
        y.push_back(iAbspannY);
    });
    EXPECT_EQ(y, (std::vector<int32_t>{-T, 768, 768, y.back()}));
    EXPECT_LT(y.back(), 768);
}

}   // namespace
