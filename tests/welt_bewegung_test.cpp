// Movement: the flyers' bounds, turns and start, the pop-up cycle,
// positioned sounds and scrolling.
#include <algorithm>

#include "welt_umgebung_test.h"

using WeltBewegung = WeltTest;

TEST_F(WeltBewegung, GrenzenWendenUndFlucht) {
    // object, x, y, direction, falling; then: gone (-1 crashed, 1 escaped, 0 still active),
    // and the range the direction must land in.
    struct {
        int i, x, y, r;
        bool faellt;
        int weg, rmin, rmax;
    } faelle[] = {
        {0, 500, 450, 6, false, 0, 6, 6}, {0, 500, 451, 6, false, 0, 1, 3},    // behind: floor at 450
        {3, 500, 550, 10, false, 0, 10, 10}, {3, 500, 551, 10, false, 0, 13, 15}, // in front: 550
        {3, 500, 551, 8, false, -1, 8, 8}, {3, 500, 768, 8, true, 0, 8, 8}, {3, 500, 769, 8, true, -1, 8, 8},
        {0, -48, 200, 12, false, 0, 12, 12}, {0, -49, 200, 12, false, 1, 12, 12}, {0, -58, 200, 3, false, 0, 3, 3},
        {0, 2096, 200, 4, false, 0, 4, 4}, {0, 2097, 200, 4, false, 1, 4, 4}, {0, 2106, 200, 11, false, 0, 11, 11},
        {3, 500, -1, 0, false, 1, 0, 0}, {3, 500, -1, 2, false, 0, 5, 7}, {3, 500, -1, 15, false, 0, 9, 11},
        {6, 900, -112, 7, false, 0, 7, 7}, {3, 500, -1, 8, true, 0, 8, 8},
    };
    for (const auto& f : faelle) {
        iLose = 0;
        Platzieren(f.i, f.x, f.y, f.r);
        Objekte[f.i].iZustand = f.faellt ? ZUS_GETROFFEN : ZUS_AKTIV;
        Flieger_Grenzen_pruefen(f.i);
        const Objekt& o = Objekte[f.i];
        const int z = f.weg < 0 ? ZUS_ABGESTUERZT : f.weg > 0 ? ZUS_WARTEND : f.faellt ? ZUS_GETROFFEN : ZUS_AKTIV;
        EXPECT_EQ(o.iZustand, z) << f.i << " at " << f.x << "," << f.y << " r " << f.r;
        EXPECT_EQ(iLose, f.weg > 0 ? 1 : 0) << f.i << " at " << f.x << "," << f.y;
        EXPECT_TRUE(o.iRichtung >= f.rmin && o.iRichtung <= f.rmax) << o.iRichtung;
        if (f.weg != 0) {
            EXPECT_TRUE(o.dwZeitDauer >= 1000 && o.dwZeitDauer < 4000);
        }
    }
}

namespace {

// The first seed of the game's generator whose draws start a flyer from
// the top at x (and with the given coin toss, if any).
DWORD Saat_von_oben(int x, int muenze) {
    for (DWORD s = 1;; s++) {
        Zufall_saeen(s);
        const int seite = Zufall() % 4;
        if ((seite == 0 || seite == 3) && Zufall() % 2048 == x && (muenze < 0 || Zufall() % 2 == muenze)) return s;
    }
}

}  // namespace

TEST_F(WeltBewegung, StartVonObenBlicktZurMitte) {
    const struct {
        int x, muenze, links;
    } faelle[] = {{682, -1, 0}, {1365, -1, 1}, {683, 1, 0}, {1364, 0, 1}};
    for (const auto& f : faelle) {
        Zufall_saeen(Saat_von_oben(f.x, f.muenze));
        Flieger_starten(0);
        const Objekt& o = Objekte[0];
        EXPECT_EQ(o.iPosX, f.x);
        EXPECT_EQ(o.iPosY, -32);
        EXPECT_EQ(o.Figur.bGespiegelt, f.links) << f.x;
        EXPECT_EQ(o.iRichtung >= 9, f.links == 1) << f.x;
        EXPECT_TRUE((o.iRichtung >= 5 && o.iRichtung <= 7) || (o.iRichtung >= 9 && o.iRichtung <= 11));
    }
}

TEST_F(WeltBewegung, RichtungswechselNurZwischen1Und549) {
    for (int y : {0, 1, 549, 550}) {
        Platzieren(3, 500, y, 7);
        Objekte[3].dwZeitStart -= 500;
        Objekte[3].dwZeitDauer = 500;
        Flieger_Richtung_wechseln(3);
        const bool wechselt = y >= 1 && y <= 549;
        EXPECT_EQ(Objekte[3].iRichtung >= 3 && Objekte[3].iRichtung <= 5, wechselt) << y;
        EXPECT_EQ(Objekte[3].dwZeitStart == plat_get_tick_count(), wechselt) << y;
    }
}

TEST_F(WeltBewegung, SteigerUndVersteckSteigenRuhenSinken) {
    const struct {
        int i, frames;
        DWORD ruhe;
    } faelle[] = {{9, 27, 800}, {10, 13, 1400}};
    for (const auto& f : faelle) {
        Alle_parken();
        iLose = 0;
        (f.i == 9 ? Steiger_starten : Versteck_starten)(f.i, ZUS_AKTIV);
        Objekt& o = Objekte[f.i];
        const int oben = f.i == 9 ? 580 : ptVerstecke[iVersteckPlatz].y - 3;
        int n = 0;
        for (; o.bBewegt == 1 && n < 100; n++) Bewegen();
        EXPECT_EQ(n, f.frames + 1);   // the frame after the last step notices the top
        EXPECT_EQ(o.iPosY, oben);
        headless_advance(f.ruhe);   // exactly the rest: still resting
        Welt_bewegen();
        EXPECT_EQ(o.iPosY, oben);
        Bewegen();
        EXPECT_EQ(o.iPosY, oben + 7);
        while (o.iZustand == ZUS_AKTIV && n++ < 300) Bewegen();
        EXPECT_EQ(o.iZustand, ZUS_WARTEND);
        EXPECT_EQ(iLose, 1);
    }
}

TEST_F(WeltBewegung, TrefferInDerRuheFaelltSofortUndKehrtMitSoundZurueck) {
    Alle_parken();
    iScrollX = 0;
    Steiger_starten(9, ZUS_AKTIV);
    Objekt& o = Objekte[9];
    o.iPosX = 400;
    while (o.bBewegt == 1) Bewegen();
    Bewegen();
    Schuss_abgeben(480, 700);
    EXPECT_EQ(iPoints, 75);
    EXPECT_EQ(Anzahl("sound 7 -320"), 1);   // centre 480 against the view's 512
    Bewegen();
    EXPECT_EQ(o.iPosY, 587);
    while (o.iZustand == ZUS_GETROFFEN) Bewegen();
    EXPECT_EQ(o.iZustand, ZUS_ABGESTUERZT);
    EXPECT_EQ(iLose, 0);
    headless_advance(o.dwZeitDauer);
    Welt_bewegen();
    EXPECT_EQ(o.iZustand, ZUS_AKTIV);
    EXPECT_EQ(Anzahl("sound 11 " + std::to_string(std::min(10000, 10 * (o.iPosX + 80 - 512)))), 1);
    // Back in play, but not hittable where it fell until its box is placed anew.
    EXPECT_EQ(Objekt_getroffen(9, 480, 700), 0);
}

TEST_F(WeltBewegung, PanoramaUndRandscrollen) {
    // Small flyer, centre x + 24; view centre at world 1024.
    for (const auto& f : std::vector<std::pair<int, int>>{{1000, 0}, {1001, 10}, {999, -10}, {0, -10000}, {-1, -10000}, {2000, 10000}, {2001, 10000}}) {
        Objekte[0].iPosX = f.first;
        headless_log_clear();
        Objekt_Sound_spielen(0, SND_TREFFER_FLIEGER);
        EXPECT_EQ(Sounds(), std::vector<std::string>{"sound 9 " + std::to_string(f.second)}) << f.first;
    }
    for (const auto& f : std::vector<std::pair<int, int>>{{0, 50}, {8, 50}, {9, 20}, {64, 20}, {65, 0}, {959, 0}, {960, -20}, {1015, -20}, {1016, -50}, {65535, -50}}) {
        iScrollX = -512;
        Ansicht_Randscrollen(f.first);
        EXPECT_EQ(iScrollX, -512 + f.second) << f.first;
    }
    iScrollX = -30;
    Ansicht_Randscrollen(0);
    EXPECT_EQ(iScrollX, 0);
    iScrollX = -1000;
    Ansicht_scrollen(SCROLL_RECHTS, 40);
    EXPECT_EQ(iScrollX, -1024);
    Ansicht_scrollen(SCROLL_LINKS, -2147483647 - 1);
    EXPECT_EQ(iScrollX, -1024);
}
