// The main menu's keys and click zones.
#include "ablauf_hilfe_test.h"
#include "screens/screens.h"

namespace {

std::string Klick(int ms, int x, int y) {
    std::string t = std::to_string(ms);
    return t + " move " + std::to_string(x) + " " + std::to_string(y) + "\n" + t + " lclick\n";
}

TEST(EingabeMenue, ClickZonesCountTheirBordersAndNothingElse) {
    Testordner_anlegen();
    // The title does not track the mouse, and in the menu's first pass the
    // zones are still empty: only (0, 0) hits, and it hits entry 0.
    Ablauf a = Ablauf_laufen("50 move 0 0\n100 key RETURN\n100 lclick\n" + Klick(100, 1, 0) + Klick(100, 0, 0) +
                             "200 close\n");
    EXPECT_EQ(Zustaende(a.log), (std::vector<std::string>{"GS_TITLE", "GS_MENU", "GS_ROUND_INTRO", "GS_EXIT"}));
    EXPECT_EQ(Log_finden(a.log, "sound 15 0").size(), 1u);

    // Half lengths are truncated: "Show Highscores" gets 14 widths, not 15,
    // and "Exit Game" is drawn at 492 but its zone is centred on 512.
    const int W = rcGlyphen[99].left, H = rcGlyphen[99].top;
    const RECT z1{512 - 7 * W, 200, 512 + 7 * W, 200 + H};
    a = Ablauf_laufen("100 key RETURN\n" + Klick(200, z1.right + 1, z1.top) + Klick(250, z1.left - 1, z1.bottom) +
                      Klick(300, z1.left, z1.top - 1) + Klick(400, z1.right, z1.bottom) + "600 key ESCAPE\n" +
                      Klick(700, 512 + 4 * W, 400 + H) + "800 char n\n900 close\n");
    EXPECT_EQ(Zustaende(a.log), (std::vector<std::string>{"GS_TITLE", "GS_MENU", "GS_HIGHSCORES", "GS_MENU",
                                                          "GS_QUIT_PROMPT", "GS_MENU", "GS_EXIT"}));
    EXPECT_GE(Zeit_von(a.log, "sound 15 0"), 400);
    EXPECT_EQ(Zeit_von(a.log, "sound 15 0"), Zeit_von(a.log, "state GS_HIGHSCORES"));
}

// Pixels of the highlight colour in the band of each entry.
std::vector<int> Markierte_Pixel(const Bild& b) {
    std::vector<int> n(4, 0);
    for (int i = 0; i < 4; ++i)
        for (int y = 100 + 100 * i; y < 100 + 100 * i + rcGlyphen[99].top; ++y)
            for (int x = 0; x < BILDSCHIRM_BREITE; ++x) n[i] += b[y * BILDSCHIRM_BREITE + x] == 161;
    return n;
}

TEST(EingabeMenue, ArrowsWrapAndTheHighlightSurvivesAVisit) {
    Testordner_anlegen();
    std::vector<int> eintrag;
    Ablauf a = Ablauf_laufen(
        "100 key RETURN\n200 shot erst\n300 key UP\n400 globals\n500 key DOWN\n600 key DOWN\n"
        "700 key RETURN\n800 key ESCAPE\n900 shot zurueck\n1000 close\n",
        [&] { eintrag.push_back(iMenuItem); });
    EXPECT_EQ(eintrag, std::vector<int>{3});
    EXPECT_EQ(Zustaende(a.log),
              (std::vector<std::string>{"GS_TITLE", "GS_MENU", "GS_HIGHSCORES", "GS_MENU", "GS_EXIT"}));
    std::vector<int> erst = Markierte_Pixel(a.bilder["erst"]), zurueck = Markierte_Pixel(a.bilder["zurueck"]);
    EXPECT_GT(erst[0], zurueck[0]);
    EXPECT_LT(erst[1], zurueck[1]);
    EXPECT_EQ(erst[2], zurueck[2]);
}

}   // namespace
