// Movement: the flyers' bounds, turns and start, the pop-up cycle,
// positioned sounds and scrolling.
#include <algorithm>
#include <cstring>
#include <set>

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
        {0, 500, 450, 6, false, 0, 6, 6},    {0, 500, 451, 6, false, 0, 1, 3},      // behind: floor at 450
        {3, 500, 550, 10, false, 0, 10, 10}, {3, 500, 551, 10, false, 0, 13, 15},   // in front: 550
        {3, 500, 551, 8, false, -1, 8, 8},   {3, 500, 768, 8, true, 0, 8, 8},     {3, 500, 769, 8, true, -1, 8, 8},
        {0, -48, 200, 12, false, 0, 12, 12}, {0, -49, 200, 12, false, 1, 12, 12}, {0, -58, 200, 3, false, 0, 3, 3},
        {0, 2096, 200, 4, false, 0, 4, 4},   {0, 2097, 200, 4, false, 1, 4, 4},   {0, 2106, 200, 11, false, 0, 11, 11},
        {3, 500, -1, 0, false, 1, 0, 0},     {3, 500, -1, 2, false, 0, 5, 7},     {3, 500, -1, 15, false, 0, 9, 11},
        {6, 900, -112, 7, false, 0, 7, 7},   {3, 500, -1, 8, true, 0, 8, 8},
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

}   // namespace

TEST_F(WeltBewegung, StartVonObenBlicktZurMitte) {
    const struct { int x, muenze, links; } faelle[] = {{682, -1, 0}, {1365, -1, 1}, {683, 1, 0}, {1364, 0, 1}};
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

namespace {

// Where a direction heads, from its place on the compass (sixteenths of a
// turn clockwise from straight up): -1 left or up, 1 right or down.
int Waagrecht(int r) { return r >= 1 && r <= 7 ? 1 : r >= 9 && r <= 15 ? -1 : 0; }
int Senkrecht(int r) { return r >= 5 && r <= 11 ? 1 : r <= 3 || r >= 13 ? -1 : 0; }

std::set<int> Richtungen(int waagrecht, int senkrecht) {
    std::set<int> r;
    for (int i = 0; i < 16; i++)
        if (Waagrecht(i) == waagrecht && Senkrecht(i) == senkrecht) r.insert(i);
    return r;
}

// The base steps of the quarter from straight up to straight right; the
// other quarters mirror it across the vertical and the horizontal.
const int VIERTEL[5][2] = {{0, 1}, {1, 3}, {4, 3}, {3, 1}, {2, 0}};
int Im_Viertel(int r) { return r <= 4 ? r : r <= 8 ? 8 - r : r <= 12 ? r - 8 : 16 - r; }

// The first seed whose first two draws start a flyer from this side
// (1 left, 2 right) with this entry draw (1 climbs, 2 sinks, 0 level).
DWORD Saat_von_der_Seite(int seite, int eintritt) {
    for (DWORD s = 1;; s++) {
        Zufall_saeen(s);
        if (Zufall() % 4 != seite) continue;
        const int r = Zufall() % 6;
        if (r == eintritt || (eintritt == 0 && r != 1 && r != 2)) return s;
    }
}

}   // namespace

TEST_F(WeltBewegung, SechzehnRichtungenSchrittUndRaender) {
    // Distinct extra speeds, so that a speed added on the wrong axis shows.
    const int32_t tx = 10, ty = 100;
    struct Rand {
        const char* name;
        int i, x, y;
    };
    // Medium flyer 3 (96 wide) in front, small flyer 0 behind the scenery.
    const Rand raender[] = {{"bottom", 3, 1000, 551},
                            {"bottom behind", 0, 1000, 451},
                            {"left", 3, -97, 200},
                            {"right", 3, 96 + 2048 + 1, 200},
                            {"top", 3, 1000, -1}};
    for (int r = 0; r < 16; r++) {
        const int w = Waagrecht(r), s = Senkrecht(r);
        Alle_parken();
        Platzieren(3, 1000, 300, r);
        Objekt& o = Objekte[3];
        o.iTempoX = tx;
        o.iTempoY = ty;
        o.bBewegt = 1;
        Welt_bewegen();
        const int* basis = VIERTEL[Im_Viertel(r)];
        EXPECT_EQ(o.iPosX - 1000, w * (basis[0] + tx)) << "direction " << r;
        EXPECT_EQ(o.iPosY - 300, s * (basis[1] + ty)) << "direction " << r;

        for (const Rand& rand : raender) {
            // What the border does: turn back the same way across, leave it alone, or let the flyer go.
            int zustand = ZUS_AKTIV, weg = 0;
            std::set<int> neu{r};
            const std::string name = rand.name;
            if (name.rfind("bottom", 0) == 0) {
                if (s > 0 && w != 0)
                    neu = Richtungen(w, -1);
                else
                    zustand = ZUS_ABGESTUERZT;
            } else if ((name == "left" && w <= 0) || (name == "right" && w >= 0) || (name == "top" && w == 0)) {
                zustand = ZUS_WARTEND;
                weg = 1;
            } else if (name == "top" && s <= 0) {
                neu = Richtungen(w, 1);
            }
            // Each check draws anew from the tick: enough ticks show every outcome.
            std::set<int> gesehen;
            for (int n = 0; n < 48; n++) {
                headless_advance(1);
                iLose = 0;
                Platzieren(rand.i, rand.x, rand.y, r);
                Flieger_Grenzen_pruefen(rand.i);
                gesehen.insert(Objekte[rand.i].iRichtung);
                EXPECT_EQ(Objekte[rand.i].iZustand, zustand) << rand.name << ", direction " << r;
                EXPECT_EQ(iLose, weg) << rand.name << ", direction " << r;
            }
            EXPECT_EQ(gesehen, neu) << rand.name << ", direction " << r;
        }
    }
}

TEST_F(WeltBewegung, StartVonDerSeiteInDerReihenfolgeDerZiehungen) {
    // The stored frame of a medium flyer, its left half marked: which way it faces shows when drawn.
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(Vorlagen[ART_MITTEL].lpDDSBild[0], &l), PLAT_OK);
    for (uint32_t y = 0; y < l.dwHeight; y++) memset(l.lpSurface + (size_t)y * l.lPitch, 7, l.dwWidth / 2);
    plat_surface_unlock(Vorlagen[ART_MITTEL].lpDDSBild[0]);
    Sprite_spiegeln(&Vorlagen[ART_MITTEL]);

    // Per kind, the ranges of the two extra speeds.
    const struct { int i, tx, ty; } arten[] = {{0, 3, 2}, {3, 5, 4}, {6, 8, 6}};
    for (const auto& a : arten) {
        for (int seite : {1, 2}) {
            for (int eintritt : {1, 2, 0}) {
                const DWORD saat = Saat_von_der_Seite(seite, eintritt);
                // Side, entry, height, speed across, speed down, and the draw after them.
                int z[6];
                Zufall_saeen(saat);
                for (int& x : z) x = Zufall();
                Zufall_saeen(saat);
                Objekt& o = Objekte[a.i];
                o.dwZeitStart = plat_get_tick_count();
                Flieger_starten(a.i);
                EXPECT_EQ(Zufall(), z[5]) << "five draws, no more";

                const bool links = seite == 1;
                const std::string fall = std::to_string(a.i) +
                                         (links ? " from the left, entry " : " from the right, entry ") +
                                         std::to_string(eintritt);
                const int flach = links ? 4 : 12;   // straight across, inwards
                const int richtung = eintritt == 0                                      ? flach
                                     : Senkrecht(flach - 1) == (eintritt == 1 ? -1 : 1) ? flach - 1
                                                                                        : flach + 1;
                EXPECT_EQ(o.iRichtung, richtung) << fall;
                EXPECT_EQ(o.iPosX, links ? -(o.Figur.iBreite + 10) : o.Figur.iBreite + 2058) << fall;
                EXPECT_EQ(o.iPosY, z[2] % 540 - o.Figur.iHoehe) << fall;
                EXPECT_EQ(o.iTempoX, z[3] % a.tx) << fall;
                EXPECT_EQ(o.iTempoY, z[4] % a.ty) << fall;
                EXPECT_EQ(o.Figur.bGespiegelt, links ? 0 : 1) << fall;
                EXPECT_EQ(o.dwZeitStart, plat_get_tick_count() + 1000) << fall;
                EXPECT_TRUE(o.iZustand == ZUS_AKTIV && o.bBewegt == 1 && o.bSichtbar == 1 && o.bAnimiert == 1 &&
                            o.Figur.iBild == 0);

                // Outside the playfield and flying in: no escape, no turn.
                iLose = 0;
                Flieger_Grenzen_pruefen(a.i);
                EXPECT_EQ(o.iZustand, ZUS_AKTIV) << fall;
                EXPECT_EQ(o.iRichtung, richtung) << fall;
                EXPECT_EQ(iLose, 0) << fall;
                if (a.i != 3) continue;

                // Drawn in view, the flyer from the right shows the marked half on its right.
                iScrollX = 0;
                o.iPosX = 400;
                o.iPosY = 100;
                Objekt_Position_abgleichen(a.i);
                dwAnimTakt = plat_get_tick_count();
                Spiel_zeichnen();
                EXPECT_EQ(Pixel(405, 120), links ? 7 : Bildfarbe(ART_MITTEL, 0)) << fall;
                EXPECT_EQ(Pixel(490, 120), links ? Bildfarbe(ART_MITTEL, 0) : 7) << fall;
                o.iZustand = ZUS_WARTEND;
            }
        }
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
    for (const auto& f : std::vector<std::pair<int, int>>{
             {1000, 0}, {1001, 10}, {999, -10}, {0, -10000}, {-1, -10000}, {2000, 10000}, {2001, 10000}}) {
        Objekte[0].iPosX = f.first;
        headless_log_clear();
        Objekt_Sound_spielen(0, SND_TREFFER_FLIEGER);
        EXPECT_EQ(Sounds(), std::vector<std::string>{"sound 9 " + std::to_string(f.second)}) << f.first;
    }
    for (const auto& f : std::vector<std::pair<int, int>>{{0, 50},
                                                          {8, 50},
                                                          {9, 20},
                                                          {64, 20},
                                                          {65, 0},
                                                          {959, 0},
                                                          {960, -20},
                                                          {1015, -20},
                                                          {1016, -50},
                                                          {65535, -50}}) {
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
