// Start-up failures, the account name, and the shutdown's wait.
#include "ablauf_hilfe_test.h"

namespace {

struct Startfehler {
    int nummer;
    const char* schritt;   // step made to fail, or a file replaced by rubbish
    int auslassen;         // successful calls of the step before it fails
};

TEST(StartFehler, EveryNumberedStepShowsItsOwnMessageThenItsNumber) {
    // Surfaces in start-up order: primary, background, playfield, font,
    // highlighted font, four countdowns, shell, shot. Locks: font picture,
    // glyph scan, clone source and target, four countdowns, shell, shot.
    const Startfehler faelle[] = {
        {8, "Grafik.dat", 0},
        {9, "Sound.dat", 0},
        {10, "DirectDrawCreateEx", 0},
        {11, "CreateClipper", 0},
        {12, "CreateSurface", 1},
        {13, "CreateSurface", 2},
        {14, "CreateSurface", 3},
        {15, "Lock", 0},
        {16, "Lock", 1},
        {17, "CreateSurface", 4},
        {18, "Lock", 2},
        {19, "CreateSurface", 9},
        {20, "Lock", 8},
        {21, "CreateSurface", 10},
        {22, "Lock", 9},
        {23, "DirectSoundCreate", 0},
    };
    for (const Startfehler& f : faelle) {
        Testordner_anlegen();
        if (std::strchr(f.schritt, '.')) Datei_schreiben(f.schritt, std::string(700, 'x'));
        Ablauf a = Ablauf_laufen("", nullptr, [f] { headless_fault_arm(f.schritt, f.auslassen, -1); });
        std::vector<std::string> boxen = Log_finden(a.log, "msgbox ");
        ASSERT_EQ(boxen.size(), 2u) << f.nummer;
        EXPECT_NE(boxen[0].find(" msgbox Error... | "), std::string::npos) << boxen[0];
        EXPECT_NE(boxen[1].find(" msgbox Error Nr.:" + std::to_string(f.nummer) +
                                " | Dieses Spiel kann leider nicht gestartet werden!"),
                  std::string::npos)
            << boxen[1];
        EXPECT_FALSE(Log_enthaelt(a.log, "wave start.wav"));
        // Ends cleanly, 4000 ms after the start, with everything released.
        EXPECT_EQ(Zustaende(a.log).back(), "GS_EXIT");
        EXPECT_GE(a.ende_ms, 4000u);
        EXPECT_LT(a.ende_ms, 4100u);
        EXPECT_EQ(headless_live_objects(), 0) << f.nummer;
    }
}

TEST(StartFehler, MissingFileShowsOnlyItsMessage) {
    Testordner_anlegen();
    std::remove("lose.wav");
    Ablauf a = Ablauf_laufen("");
    EXPECT_EQ(Log_finden(a.log, "msgbox "),
              (std::vector<std::string>{"0 msgbox Error... | Es fehlt mindestens eine Datei!\\n"
                                        "Das Spiel kann leider nicht gestartet werden!"}));
    EXPECT_EQ(headless_live_objects(), 0);
}

TEST(StartAblauf, AccountNameFillsTheNameEntryOnlyWhenItFits) {
    Testordner_anlegen();
    HeadlessConfig cfg;
    cfg.account = "Sechzehn_Zeichen";
    Ablauf_laufen("100 close\n", nullptr, nullptr, cfg);
    EXPECT_STREQ(szEingabe, "Sechzehn_Zeichen");
    cfg.account = "Siebzehn_Zeichen!";
    Ablauf_laufen("100 close\n", nullptr, nullptr, cfg);
    EXPECT_STREQ(szSpielerName, "");
    EXPECT_EQ(iEingabeLaenge, 0);
}

TEST(StartAblauf, ShutdownWaitsFourSecondsAfterTheLastMenuEntry) {
    Testordner_anlegen();
    // Closed from the title: counted from the start.
    EXPECT_GE(Ablauf_laufen("1000 key ESCAPE\n").ende_ms, 4000u);
    // Quit soon after the menu: held until 4000 ms after its entry.
    Ablauf a = Ablauf_laufen("3000 key RETURN\n3100 key ESCAPE\n3200 char j\n");
    long menue = Zeit_von(a.log, "state GS_MENU");
    EXPECT_GE(a.ende_ms, menue + 4000);
    EXPECT_LT(a.ende_ms, menue + 4100);
    // Quit later: at once.
    a = Ablauf_laufen("100 key RETURN\n6000 key ESCAPE\n6100 char j\n");
    EXPECT_LT(a.ende_ms, Zeit_von(a.log, "state GS_EXIT") + 50);
}

}   // namespace
