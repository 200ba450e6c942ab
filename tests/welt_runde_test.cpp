// Rounds: re-arming, the round clock and its end, the ambient sounds, and
// replaying a round from the same seed and clock.
#include "assets/highscore.h"
#include "shell/spiel.h"
#include "welt_umgebung_test.h"

using WeltRunde = WeltTest;

TEST_F(WeltRunde, RundenstartBewaffnetAlleElf) {
    Zufall_saeen(1234);
    Runde_starten();
    const DWORD jetzt = plat_get_tick_count();
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        const Objekt& o = Objekte[i];
        EXPECT_EQ(o.dwZeitStart, jetzt);
        EXPECT_EQ(o.Figur.iAnimBilder, 4);
        EXPECT_EQ(o.bSichtbar, 1);
        EXPECT_EQ(o.Figur.iX, o.iPosX + iScrollX);
        if (i < 9) {
            EXPECT_EQ(o.iZustand, ZUS_AKTIV);
            EXPECT_TRUE(o.dwZeitDauer >= 100 && o.dwZeitDauer < 2100);
            // Outside the playfield, or above the screen.
            EXPECT_TRUE(o.iPosX < 0 || o.iPosX >= 2048 || o.iPosY == -o.Figur.iHoehe) << i;
        } else {
            EXPECT_EQ(o.iZustand, ZUS_WARTEND);
            EXPECT_EQ(o.iPhase, PHASE_STEIGEN);
            EXPECT_EQ(o.iRichtung, 0);
        }
    }
    EXPECT_EQ(Objekte[9].iPosY, 769);
    EXPECT_TRUE(Objekte[9].dwZeitDauer >= 20000 && Objekte[9].dwZeitDauer < 80000);
    EXPECT_TRUE(Objekte[10].dwZeitDauer >= 10000 && Objekte[10].dwZeitDauer < 30000);
    EXPECT_EQ(Objekte[10].iPosY, ptVerstecke[iVersteckPlatz].y + 88);
}

TEST_F(WeltRunde, EineRundensekundeDauert41Frames) {
    Alle_parken();
    iTime = 180;
    const DWORD start = plat_get_tick_count();
    int frames = 0;
    while (iTime == 180 && frames < 100) {
        Frame();
        frames++;
    }
    EXPECT_EQ(frames, 41);
    EXPECT_EQ(iSekundenTakt, 0);
    // Every playing frame lasts at least 25 ms.
    EXPECT_GE(plat_get_tick_count() - start, 41u * 25u);
}

TEST_F(WeltRunde, LetzteZehnSekundenTickenDannRekord) {
    Alle_parken();
    HighscoreListe[MAX_HIGHSCORES - 1].iPunktzahl = 500;
    iPoints = 501;
    iTime = 12;
    iSekundenTakt = 1000;
    for (int n = 0; n < 12; n++) {
        Runde_Zeit_zaehlen();
        iSekundenTakt = 1000;
    }
    EXPECT_EQ(Anzahl_Sounds("sound 5 0"), 10);
    EXPECT_EQ(Anzahl_Sounds("sound 17 0"), 1);
    EXPECT_EQ(Anzahl_Sounds("sound 19 0"), 0);
    EXPECT_EQ(iGameState, GS_RECORD_ENTRY);
    EXPECT_EQ(bGewonnen, 1);
    EXPECT_EQ(iPoints, 501);
    EXPECT_EQ(iTime, 0);
}

TEST_F(WeltRunde, GleichstandMitPlatzZehnReichtNicht) {
    Alle_parken();
    HighscoreListe[MAX_HIGHSCORES - 1].iPunktzahl = 500;
    iPoints = 500;
    iKills = 7;
    iLose = 3;
    iTime = 1;
    iSekundenTakt = 1000;
    bGewonnen = 1;
    Runde_Zeit_zaehlen();
    EXPECT_EQ(iGameState, GS_CONTINUE_PROMPT);
    EXPECT_EQ(bGewonnen, 0);
    EXPECT_EQ(Anzahl_Sounds("sound 19 0"), 1);
    EXPECT_EQ(Anzahl_Sounds("sound 5 0"), 0);
    // The next screen still shows this round's numbers.
    EXPECT_EQ(iPoints, 500);
    EXPECT_EQ(iKills, 7);
    EXPECT_EQ(iLose, 3);
}

TEST_F(WeltRunde, UmgebungsgeraeuscheInIhrenAbstaenden) {
    dwGeraeusch1Start = dwGeraeusch1Dauer = dwGeraeusch2Start = dwGeraeusch2Dauer = 0;
    Geraeusche_abspielen();
    EXPECT_EQ(Anzahl_Sounds("sound 20 0"), 1);
    EXPECT_EQ(Anzahl_Sounds("sound 2 0"), 1);
    EXPECT_TRUE(dwGeraeusch1Dauer >= 3000 && dwGeraeusch1Dauer < 13000);
    EXPECT_TRUE(dwGeraeusch2Dauer >= 10000 && dwGeraeusch2Dauer < 30000);
    Log_leeren();
    headless_advance(dwGeraeusch1Dauer);
    Geraeusche_abspielen();
    EXPECT_EQ(Anzahl_Sounds("sound 20 0"), 0);   // only once more than the pause has passed
    headless_advance(1);
    Geraeusche_abspielen();
    EXPECT_EQ(Anzahl_Sounds("sound 20 0"), 1);
}

namespace {

struct Aufzeichnung {
    std::vector<int32_t> werte;
    int32_t punkte = 0;
    int32_t kills = 0;
};

}  // namespace

// Two runs from the same seed and clock, with the same shots, agree frame by frame.
TEST_F(WeltRunde, GleicheSaatGleicherVerlauf) {
    auto Runde_spielen = [this]() {
        Aufzeichnung a;
        iPoints = iKills = iLose = 0;
        iShells = 6;
        iTime = 180;
        iScrollX = -512;
        iSekundenTakt = 0;
        Zufall_saeen(plat_get_tick_count());
        Runde_starten();
        for (int f = 0; f < 300; f++) {
            iMouseX = 300 + (f * 7) % 500;
            Frame();
            if (f % 40 == 20) {
                // Aim at the first target in view, as a player would.
                for (int i = 0; i < MAX_OBJEKTE; i++) {
                    const Objekt& o = Objekte[i];
                    const int x = (o.iWeltLinks + o.iWeltRechts) / 2 + iScrollX;
                    const int y = (o.iWeltOben + o.iWeltUnten) / 2;
                    if (o.iZustand == ZUS_AKTIV && x >= 0 && x < 1024 && y >= 0 && y < 768) {
                        headless_advance(400);   // let the last shot's sound end
                        Schuss_abgeben(x, y);
                        break;
                    }
                }
            }
            if (iShells == 0) Gewehr_laden();
            for (const Objekt& o : Objekte) {
                a.werte.push_back(o.iPosX);
                a.werte.push_back(o.iPosY);
                a.werte.push_back(o.iZustand);
            }
        }
        a.punkte = iPoints;
        a.kills = iKills;
        return a;
    };
    const Aufzeichnung erste = Runde_spielen();
    const auto log1 = Sounds();

    TearDown();
    SetUp();
    const Aufzeichnung zweite = Runde_spielen();
    EXPECT_EQ(erste.werte, zweite.werte);
    EXPECT_EQ(erste.punkte, zweite.punkte);
    EXPECT_EQ(erste.kills, zweite.kills);
    EXPECT_EQ(log1, Sounds());
    EXPECT_GT(erste.kills, 0);
}
