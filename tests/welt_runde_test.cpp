// Rounds: re-arming, the round clock and its end, the ambient sounds, and
// replaying a round from the same seed and clock.
#include "assets/highscore.h"
#include "welt_umgebung_test.h"

using WeltRunde = WeltTest;

TEST_F(WeltRunde, RundenstartBewaffnetAlleElf) {
    for (Objekt& o : Objekte) o.iWeltRechts = o.iWeltUnten = 4000;   // boxes of an earlier round
    Runde_starten();
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        const Objekt& o = Objekte[i];
        EXPECT_EQ(o.iZustand, i < 9 ? ZUS_AKTIV : ZUS_WARTEND) << i;
        EXPECT_EQ(o.dwZeitStart, plat_get_tick_count());
        EXPECT_EQ(o.Figur.iAnimBilder, 4);
        EXPECT_EQ(Objekt_getroffen(i, 100, 100), 0) << i;
        // Flyers start outside the playfield or above the screen.
        if (i < 9) {
            EXPECT_TRUE(o.iPosX < 0 || o.iPosX >= 2048 || o.iPosY == -o.Figur.iHoehe) << i;
        }
    }
    EXPECT_EQ(Objekte[9].iPosY, 769);
    EXPECT_TRUE(Objekte[9].dwZeitDauer >= 20000 && Objekte[9].dwZeitDauer < 80000);
    EXPECT_TRUE(Objekte[10].dwZeitDauer >= 10000 && Objekte[10].dwZeitDauer < 30000);
    EXPECT_EQ(Objekte[10].iPosY, ptVerstecke[iVersteckPlatz].y + 88);
}

TEST_F(WeltRunde, RundenuhrUndRundenende) {
    Alle_parken();
    int frames = 0;
    for (; iTime == 180 && frames < 100; frames++) Frame();
    EXPECT_EQ(frames, 41);
    EXPECT_GE(plat_get_tick_count() - dwTick, 25u);
    // Equal to the tenth score is not a record; one point more is.
    HighscoreListe[MAX_HIGHSCORES - 1].iPunktzahl = 500;
    for (int punkte : {500, 501}) {
        headless_log_clear();
        iPoints = punkte;
        iTime = 12;
        for (int n = 0; n < 12; n++) {
            iSekundenTakt = 1000;
            Runde_Zeit_zaehlen();
        }
        EXPECT_EQ(Anzahl("sound 5 0"), 10);
        EXPECT_EQ(iGameState, punkte > 500 ? GS_RECORD_ENTRY : GS_CONTINUE_PROMPT);
        EXPECT_EQ(bGewonnen, punkte > 500 ? 1 : 0);
        EXPECT_EQ(Anzahl(punkte > 500 ? "sound 17 0" : "sound 19 0"), 1);
        EXPECT_EQ(iPoints, punkte);
    }
}

TEST_F(WeltRunde, GleicheSaatGleicherVerlauf) {
    auto spielen = [this] {
        std::vector<int32_t> verlauf;
        Zufall_saeen(plat_get_tick_count());
        Runde_starten();
        for (int f = 0; f < 240; f++) {
            iMouseX = 300 + (f * 7) % 500;
            Frame();
            for (int i = 0; f % 40 == 20 && i < MAX_OBJEKTE; i++) {
                const Objekt& o = Objekte[i];
                const int x = (o.iWeltLinks + o.iWeltRechts) / 2 + iScrollX;
                if (o.iZustand == ZUS_AKTIV && x >= 0 && x < 1024 && o.iWeltOben >= 0) {
                    headless_advance(400);
                    Schuss_abgeben(x, (o.iWeltOben + o.iWeltUnten) / 2);
                    break;
                }
            }
            for (const Objekt& o : Objekte) verlauf.insert(verlauf.end(), {o.iPosX, o.iPosY, o.iZustand});
        }
        verlauf.insert(verlauf.end(), {iPoints, iKills});
        return verlauf;
    };
    const std::vector<int32_t> erster = spielen();
    const std::vector<std::string> klaenge = Sounds();
    TearDown();
    SetUp();
    EXPECT_EQ(spielen(), erster);
    EXPECT_EQ(Sounds(), klaenge);
    EXPECT_GT(erster.back(), 0);   // something was hit
}
