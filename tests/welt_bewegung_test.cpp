// Movement: the direction table, the flyers' bounds and turns, the pop-up
// cycle of the riser and the hider, positioned sounds and scrolling.
#include <functional>

#include "shell/spiel.h"
#include "welt_umgebung_test.h"

namespace {

// The game's generator, run on a copy to find seeds for given draws.
int Ziehen(DWORD* s) {
    *s = *s * 214013u + 2531011u;
    return (int)((*s >> 16) & 32767u);
}

DWORD Saat_finden(const std::function<bool(DWORD)>& passt) {
    for (DWORD s = 1; s < 50000000u; s++) {
        if (passt(s)) return s;
    }
    ADD_FAILURE() << "no seed found";
    return 0;
}

// A seed whose first draws start a flyer from the top at x.
DWORD Saat_von_oben(int x, int muenze = -1) {
    return Saat_finden([=](DWORD s) {
        const int seite = Ziehen(&s) % 4;
        if (seite != 0 && seite != 3) return false;
        if (Ziehen(&s) % 2048 != x) return false;
        return muenze < 0 || Ziehen(&s) % 2 == muenze;
    });
}

}  // namespace

using WeltBewegung = WeltTest;

TEST_F(WeltBewegung, SchritttabelleMitEigenemTempo) {
    // dx, dy of the sixteen directions with extra speeds 10 (x) and 100 (y).
    const int erwartet[16][2] = {
        {0, -101}, {11, -103}, {14, -103}, {13, -101}, {12, 0}, {13, 101}, {14, 103}, {11, 103},
        {0, 101}, {-11, 103}, {-14, 103}, {-13, 101}, {-12, 0}, {-13, -101}, {-14, -103}, {-11, -103},
    };
    Objekt& o = Objekte[3];
    for (int r = -1; r <= 16; r++) {
        o.iPosX = 1000;
        o.iPosY = 300;
        o.iTempoX = 10;
        o.iTempoY = 100;
        o.iRichtung = r;
        Objekt_bewegen(3);
        const bool gueltig = r >= 0 && r < 16;
        EXPECT_EQ(o.iPosX - 1000, gueltig ? erwartet[r][0] : 0) << "direction " << r;
        EXPECT_EQ(o.iPosY - 300, gueltig ? erwartet[r][1] : 0) << "direction " << r;
    }
}

TEST_F(WeltBewegung, FliegerVonAussenZaehltNichtAlsEntkommen) {
    Alle_parken();
    // One flyer per side, each at its start point, flying inwards.
    struct Start {
        int i, x, y, r;
    } starts[] = {
        {0, -58, 200, 3}, {1, -58, -20, 4}, {3, 96 + 2058, 300, 11}, {4, 96 + 2058, 100, 13},
        {6, 900, -112, 7}, {7, 1500, -112, 9},
    };
    for (const Start& s : starts) {
        Platzieren(s.i, s.x, s.y);
        Objekte[s.i].iRichtung = s.r;
        Objekte[s.i].bBewegt = 1;
    }
    Bewegen(30);
    EXPECT_EQ(iLose, 0);
    for (const Start& s : starts) EXPECT_EQ(Objekte[s.i].iZustand, ZUS_AKTIV) << "object " << s.i;
}

TEST_F(WeltBewegung, HinteneFliegerWendenBei450AndereBei550) {
    struct Fall {
        int i, y, r;
        bool wendet;
    } faelle[] = {
        {0, 450, 6, false}, {0, 451, 6, true}, {3, 550, 10, false}, {3, 551, 10, true}, {6, 451, 5, false},
    };
    for (const Fall& f : faelle) {
        Platzieren(f.i, 500, f.y);
        Objekte[f.i].iRichtung = f.r;
        Flieger_Grenzen_pruefen(f.i);
        const int r = Objekte[f.i].iRichtung;
        if (!f.wendet) {
            EXPECT_EQ(r, f.r) << "object " << f.i << " y " << f.y;
        } else if (f.r <= 7) {
            EXPECT_TRUE(r >= 1 && r <= 3) << r;
        } else {
            EXPECT_TRUE(r >= 13 && r <= 15) << r;
        }
        EXPECT_EQ(Objekte[f.i].iZustand, ZUS_AKTIV);
    }
    // Straight down at the floor is not a bounce: the flyer is gone, uncounted.
    Platzieren(3, 500, 551);
    Objekte[3].iRichtung = 8;
    Flieger_Grenzen_pruefen(3);
    EXPECT_EQ(Objekte[3].iZustand, ZUS_ABGESTUERZT);
    EXPECT_EQ(iLose, 0);
}

TEST_F(WeltBewegung, FallenderFliegerVerschwindetErstUnter768) {
    Alle_parken();
    Platzieren(0, 500, 700);
    Objekt& o = Objekte[0];
    o.iZustand = ZUS_GETROFFEN;
    o.iRichtung = 8;
    o.iTempoY = 2;
    o.bBewegt = 1;
    int32_t letztesY = o.iPosY;
    while (o.iZustand == ZUS_GETROFFEN && letztesY < 1000) {
        letztesY = o.iPosY;
        Bewegen();
    }
    EXPECT_EQ(o.iZustand, ZUS_ABGESTUERZT);
    EXPECT_GT(letztesY, 768);
    EXPECT_LE(letztesY - 3, 768);
    EXPECT_EQ(iLose, 0);
    // It comes back once its waiting time is over.
    DWORD warten = o.dwZeitDauer;
    EXPECT_GE(warten, 1000u);
    EXPECT_LT(warten, 4000u);
    headless_advance(warten);
    Welt_bewegen();
    EXPECT_EQ(o.iZustand, ZUS_AKTIV);
}

TEST_F(WeltBewegung, ObenHinausEntkommtNurSenkrecht) {
    Platzieren(3, 500, -1);
    Objekte[3].iRichtung = 0;
    Flieger_Grenzen_pruefen(3);
    EXPECT_EQ(Objekte[3].iZustand, ZUS_WARTEND);
    EXPECT_EQ(iLose, 1);

    Platzieren(4, 500, -1);
    Objekte[4].iRichtung = 2;
    Flieger_Grenzen_pruefen(4);
    EXPECT_TRUE(Objekte[4].iRichtung >= 5 && Objekte[4].iRichtung <= 7);
    Platzieren(5, 500, -1);
    Objekte[5].iRichtung = 15;
    Flieger_Grenzen_pruefen(5);
    EXPECT_TRUE(Objekte[5].iRichtung >= 9 && Objekte[5].iRichtung <= 11);
    EXPECT_EQ(iLose, 1);
}

TEST_F(WeltBewegung, SeitlicheFluchtlinien) {
    // Small flyer, 48 wide: the left line is -48, the right one 2048 + 48.
    struct Fall {
        int x, r;
        bool weg;
    } faelle[] = {{-48, 12, false}, {-49, 12, true}, {-49, 4, false}, {2096, 4, false}, {2097, 4, true}, {2097, 12, false}};
    int erwartet = 0;
    for (const Fall& f : faelle) {
        Platzieren(0, f.x, 200);
        Objekte[0].iRichtung = f.r;
        Flieger_Grenzen_pruefen(0);
        erwartet += f.weg ? 1 : 0;
        EXPECT_EQ(Objekte[0].iZustand, f.weg ? ZUS_WARTEND : ZUS_AKTIV) << "x " << f.x << " r " << f.r;
        EXPECT_EQ(iLose, erwartet);
    }
}

TEST_F(WeltBewegung, FliegerStartVonObenBlicktZurMitte) {
    struct Fall {
        int x, muenze;
        BYTE links;
    } faelle[] = {{682, -1, 0}, {1365, -1, 1}, {683, 1, 0}, {1364, 0, 1}};
    for (const Fall& f : faelle) {
        Zufall_saeen(Saat_von_oben(f.x, f.muenze));
        Flieger_starten(0);
        const Objekt& o = Objekte[0];
        EXPECT_EQ(o.iPosX, f.x);
        EXPECT_EQ(o.iPosY, -32);
        EXPECT_EQ(o.Figur.bGespiegelt, f.links) << "x " << f.x;
        if (f.links) {
            EXPECT_TRUE(o.iRichtung >= 9 && o.iRichtung <= 11) << o.iRichtung;
        } else {
            EXPECT_TRUE(o.iRichtung >= 5 && o.iRichtung <= 7) << o.iRichtung;
        }
        EXPECT_EQ(o.iZustand, ZUS_AKTIV);
        EXPECT_TRUE(o.iTempoX >= 0 && o.iTempoX < 3 && o.iTempoY >= 0 && o.iTempoY < 2);
    }
}

TEST_F(WeltBewegung, FliegerStartVonDenSeiten) {
    // From the left with the second draw 1: direction 3; from the right with 2: 11.
    Zufall_saeen(Saat_finden([](DWORD s) { return Ziehen(&s) % 4 == 1 && Ziehen(&s) % 6 == 1; }));
    Flieger_starten(6);
    EXPECT_EQ(Objekte[6].iPosX, -210);
    EXPECT_EQ(Objekte[6].iRichtung, 3);
    EXPECT_EQ(Objekte[6].Figur.bGespiegelt, 0);
    EXPECT_TRUE(Objekte[6].iPosY >= -112 && Objekte[6].iPosY < 540 - 112);

    Zufall_saeen(Saat_finden([](DWORD s) { return Ziehen(&s) % 4 == 2 && Ziehen(&s) % 6 == 2; }));
    Flieger_starten(6);
    EXPECT_EQ(Objekte[6].iPosX, 200 + 2058);
    EXPECT_EQ(Objekte[6].iRichtung, 11);
    EXPECT_EQ(Objekte[6].Figur.bGespiegelt, 1);
}

TEST_F(WeltBewegung, RichtungswechselNurZwischen1Und549) {
    for (int y : {0, 1, 549, 550}) {
        Platzieren(3, 500, y);
        Objekt& o = Objekte[3];
        o.iRichtung = 7;
        o.dwZeitStart = plat_get_tick_count() - 500;
        o.dwZeitDauer = 500;
        Flieger_Richtung_wechseln(3);
        const bool wechselt = y >= 1 && y <= 549;
        if (wechselt) {
            EXPECT_TRUE(o.iRichtung >= 3 && o.iRichtung <= 5) << o.iRichtung;
            EXPECT_EQ(o.dwZeitStart, plat_get_tick_count());
            EXPECT_TRUE(o.dwZeitDauer >= 100 && o.dwZeitDauer < 2100);
        } else {
            EXPECT_EQ(o.iRichtung, 7) << "y " << y;
            EXPECT_EQ(o.dwZeitDauer, 500u);
        }
    }
    // Not before the timer has run out.
    Platzieren(3, 500, 300);
    Objekte[3].iRichtung = 12;
    Objekte[3].dwZeitStart = plat_get_tick_count() - 499;
    Objekte[3].dwZeitDauer = 500;
    Flieger_Richtung_wechseln(3);
    EXPECT_EQ(Objekte[3].iRichtung, 12);
}

TEST_F(WeltBewegung, SteigerSteigtRuhtUndSinkt) {
    Alle_parken();
    Steiger_starten(9, ZUS_AKTIV);
    Objekt& o = Objekte[9];
    EXPECT_EQ(o.iPosY, 769);
    int frames = 0;
    while (o.bBewegt == 1 && frames < 100) {
        Bewegen();
        frames++;
    }
    EXPECT_EQ(frames, 28);   // 27 steps up, then the frame that notices the top
    EXPECT_EQ(o.iPosY, 580);
    EXPECT_EQ(o.iPhase, PHASE_OBEN);
    // Rests 800 ms, and sinks only once more than that has passed.
    headless_advance(800);
    Welt_bewegen();
    EXPECT_EQ(o.iPosY, 580);
    headless_advance(1);
    Welt_bewegen();
    EXPECT_EQ(o.iPhase, PHASE_SINKEN);
    EXPECT_EQ(o.iPosY, 587);
    while (o.iZustand == ZUS_AKTIV && frames < 200) {
        Bewegen();
        frames++;
    }
    EXPECT_EQ(o.iZustand, ZUS_WARTEND);
    EXPECT_GT(o.iPosY, 778);
    EXPECT_EQ(iLose, 1);
    EXPECT_TRUE(o.dwZeitDauer >= 20000 && o.dwZeitDauer < 80000);
}

TEST_F(WeltBewegung, VersteckTauchtAufUndSinktHinterDieKulisse) {
    Alle_parken();
    Versteck_starten(10, ZUS_AKTIV);
    Objekt& o = Objekte[10];
    const int spotY = ptVerstecke[iVersteckPlatz].y;
    EXPECT_EQ(o.iPosX, ptVerstecke[iVersteckPlatz].x);
    EXPECT_EQ(o.iPosY, spotY + 88);
    int frames = 0;
    while (o.bBewegt == 1 && frames < 100) {
        Bewegen();
        frames++;
    }
    EXPECT_EQ(frames, 14);   // 13 steps up
    EXPECT_EQ(o.iPosY, spotY - 3);
    headless_advance(1400);
    Welt_bewegen();
    EXPECT_EQ(o.iPhase, PHASE_OBEN);
    headless_advance(1);
    Welt_bewegen();
    EXPECT_EQ(o.iPhase, PHASE_SINKEN);
    while (o.iZustand == ZUS_AKTIV && frames < 300) {
        Bewegen();
        frames++;
    }
    EXPECT_EQ(o.iZustand, ZUS_WARTEND);
    EXPECT_EQ(iLose, 1);
    EXPECT_TRUE(o.dwZeitDauer >= 10000 && o.dwZeitDauer < 30000);
}

TEST_F(WeltBewegung, TrefferWaehrendDerRuheLaesstSofortFallen) {
    Alle_parken();
    iScrollX = 0;
    Steiger_starten(9, ZUS_AKTIV);
    Objekt& o = Objekte[9];
    o.iPosX = 400;
    while (o.bBewegt == 1) Bewegen();
    Bewegen(2);   // resting: the box follows the resting frame
    ASSERT_EQ(o.iPosY, 580);
    Schuss_abgeben(480, 700);
    EXPECT_EQ(o.iZustand, ZUS_GETROFFEN);
    EXPECT_EQ(iPoints, 75);
    EXPECT_EQ(Anzahl_Sounds("sound 7 -320"), 1);   // centre 480 vs view centre 512
    Bewegen();
    EXPECT_EQ(o.iPosY, 587);
    while (o.iZustand == ZUS_GETROFFEN) Bewegen();
    EXPECT_EQ(o.iZustand, ZUS_ABGESTUERZT);
    EXPECT_EQ(iLose, 0);
}

TEST_F(WeltBewegung, RueckkehrMitPositioniertemSound) {
    Alle_parken();
    iScrollX = -1024;
    Objekte[9].iZustand = ZUS_WARTEND;
    Objekte[9].dwZeitStart = plat_get_tick_count();
    Objekte[9].dwZeitDauer = 20000;
    headless_advance(19999);
    Welt_bewegen();
    EXPECT_EQ(Objekte[9].iZustand, ZUS_WARTEND);
    headless_advance(1);
    Welt_bewegen();
    EXPECT_EQ(Objekte[9].iZustand, ZUS_AKTIV);
    EXPECT_EQ(Objekte[9].iPosY, 769);
    // The view shows 1024..2047; its centre is world x 1536.
    const int c = Objekte[9].iPosX + 80;
    int pan = c < 1536 ? -10 * (1536 - c) : 10 * (c - 1536);
    pan = pan < -10000 ? -10000 : pan > 10000 ? 10000 : pan;
    EXPECT_EQ(Anzahl_Sounds("sound 11 " + std::to_string(pan)), 1);
    // A freshly started target cannot be hit where it was before.
    EXPECT_EQ(Objekt_getroffen(9, Objekte[9].iWeltLinks, Objekte[9].iWeltOben), 0);
}

TEST_F(WeltBewegung, PanoramaNachPositionImBild) {
    iScrollX = -512;   // centre column = world 1024; the small flyer's centre is x + 24
    const int faelle2[][2] = {{1000, 0}, {1001, 10}, {999, -10}, {-1, -10000}, {0, -10000},
                              {1, -9990}, {1999, 9990}, {2000, 10000}, {2100, 10000}};
    for (const auto& f : faelle2) {
        Objekte[0].iPosX = f[0];
        Log_leeren();
        Objekt_Sound_spielen(0, SND_TREFFER_FLIEGER);
        ASSERT_EQ(Sounds().size(), 1u);
        EXPECT_EQ(Sounds()[0], "sound 9 " + std::to_string(f[1])) << "x " << f[0];
    }
}

TEST_F(WeltBewegung, RandscrollenZonenUndGrenzen) {
    const int faelle[][2] = {
        {0, 50}, {8, 50}, {9, 20}, {64, 20}, {65, 0}, {959, 0}, {960, -20}, {1015, -20}, {1016, -50}, {1024, -50}, {65535, -50},
    };
    for (const auto& f : faelle) {
        iScrollX = -512;
        Ansicht_Randscrollen(f[0]);
        EXPECT_EQ(iScrollX, -512 + f[1]) << "x " << f[0];
    }
    iScrollX = -30;
    Ansicht_Randscrollen(0);
    EXPECT_EQ(iScrollX, 0);
    iScrollX = -1000;
    Ansicht_Randscrollen(1020);
    EXPECT_EQ(iScrollX, -1024);
    // Keys: 40 a press, same limits; unknown directions do nothing.
    iScrollX = -20;
    Ansicht_scrollen(SCROLL_LINKS, 40);
    EXPECT_EQ(iScrollX, 0);
    iScrollX = -1000;
    Ansicht_scrollen(SCROLL_RECHTS, 40);
    EXPECT_EQ(iScrollX, -1024);
    Ansicht_scrollen(3, 40);
    EXPECT_EQ(iScrollX, -1024);
    Ansicht_scrollen(SCROLL_LINKS, 2147483647);
    EXPECT_EQ(iScrollX, 0);
    Ansicht_scrollen(SCROLL_LINKS, -2147483647 - 1);
    EXPECT_EQ(iScrollX, -1024);
}

TEST_F(WeltBewegung, ObjekteFolgenDemBildausschnitt) {
    Alle_parken();
    Platzieren(3, 1100, 300);
    iMouseX = 0;
    dwTick = plat_get_tick_count();
    Spiel_bewegen();
    EXPECT_EQ(iScrollX, -462);
    EXPECT_EQ(Objekte[3].Figur.iX, 1100 - 462);
    EXPECT_EQ(Objekte[3].Figur.iY, 300);
}
