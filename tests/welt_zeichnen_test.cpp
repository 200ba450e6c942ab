// The playing frame: layers, scroll ends, shells, texts, debug overlay,
// the frame animation and mirrored frames.
#include <cstring>

#include "audio/musik.h"
#include "welt_umgebung_test.h"

class WeltZeichnen : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        Alle_parken();
        iScrollX = 0;
    }
    int Zaehlen(int x0, int y0, int x1, int y1, BYTE farbe, bool gleich = true) {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) n += (Pixel(x, y) == farbe) == gleich;
        return n;
    }
};

TEST_F(WeltZeichnen, EbenenRaenderUndPatronen) {
    Platzieren(0, 100, 430);   // small flyer, behind, rows 430..461
    Platzieren(3, 300, 430);   // medium flyer, in front
    Platzieren(4, 340, 440);   // drawn after object 3
    Objekte[4].Figur.iBild = 1;
    Platzieren(5, 700, 430);
    Objekte[5].iZustand = ZUS_ABGESTUERZT;
    Spiel_zeichnen();
    EXPECT_EQ(Pixel(110, 440), Bildfarbe(ART_KLEIN, 0));
    EXPECT_EQ(Pixel(110, 455), FELD);
    EXPECT_EQ(Pixel(310, 455), Bildfarbe(ART_MITTEL, 0));
    EXPECT_EQ(Pixel(350, 455), Bildfarbe(ART_MITTEL, 1));
    EXPECT_EQ(Pixel(710, 440), HIMMEL);
    EXPECT_EQ(Pixel(0, 700), FELD_LINKS);
    // Six shells from x 872 to 1013, rows 620..747.
    EXPECT_EQ(Zaehlen(860, 600, 1024, 768, PATRONE), 142 * 128);
    EXPECT_EQ(Pixel(872, 620), PATRONE);
    EXPECT_EQ(Pixel(1013, 747), PATRONE);
    iScrollX = -1024;
    iShells = 0;
    Spiel_zeichnen();
    EXPECT_EQ(Pixel(1023, 700), FELD_RECHTS);
    EXPECT_EQ(Zaehlen(860, 600, 1024, 768, PATRONE), 0);
}

TEST_F(WeltZeichnen, TexteUndDebugAnzeige) {
    iPoints = 115;
    Spiel_zeichnen();
    // "Points:0115", 11 glyphs from x 10; "Time:180", 8 glyphs from 794.
    EXPECT_EQ(Zaehlen(0, 0, 1024, 320, FONT), (11 + 8) * 120);
    EXPECT_EQ(Zaehlen(10, 10, 120, 22, FONT), 110 * 12);
    EXPECT_EQ(Zaehlen(794, 10, 874, 22, FONT), 80 * 12);
    bDebugAnzeige = 1;
    Spiel_zeichnen();
    EXPECT_EQ(Zaehlen(0, 0, 1024, 320, FONT), 0);
    EXPECT_GT(Zaehlen(714, 20, 1024, 40, HIMMEL, false), 0);
    for (int i = 0; i < MAX_OBJEKTE; i++)
        EXPECT_GT(Zaehlen(20, 20 * (i + 1), 400, 20 * (i + 1) + 8, HIMMEL, false), 0) << i;
    EXPECT_EQ(Zaehlen(0, 0, 1024, 18, HIMMEL, false), 0);
    headless_fault_arm("GetDC", 0, -1);   // no device context: the overlay is left out
    Spiel_zeichnen();
    EXPECT_EQ(Zaehlen(0, 0, 1024, 320, HIMMEL, false), 0);
}

TEST_F(WeltZeichnen, MusiktitelGekuerztUndBefristet) {
    // A track name far longer than the text buffer is cut, never written past it.
    memset(szMusikDatei[2], 'a', MUSIK_NAME_LAENGE - 1);
    szMusikDatei[2][MUSIK_NAME_LAENGE - 1] = 0;
    iMusikTitel = 2;
    dwMusikTitelZeit = plat_get_tick_count();
    headless_advance(2499);
    Spiel_zeichnen();
    EXPECT_EQ(Zaehlen(0, 718, 860, 730, FONT), 79 * 120);
    headless_advance(1);
    Spiel_zeichnen();
    EXPECT_EQ(Zaehlen(0, 718, 860, 730, FONT), 0);
    EXPECT_EQ(dwMusikTitelZeit, 0u);
}

TEST_F(WeltZeichnen, PunkteAnzeigeNachEinerSekundeVorbei) {
    // Glyphs of "+20" or "+10" in the highlighted font.
    auto angezeigt = [this] {
        Spiel_zeichnen();
        return Zaehlen(0, 0, 1024, 320, MARKIERT) / 120;
    };
    // Anywhere, and across the wrap of the tick counter.
    for (DWORD vor_dem_ueberlauf : {600000u, 400u}) {
        headless_advance(0u - vor_dem_ueberlauf - plat_get_tick_count());
        iShells = 6;
        Platzieren(3, 400, 100);
        Platzieren(4, 600, 100);
        Platzieren(6, 800, 100);
        Schuss_abgeben(440, 120);
        ASSERT_EQ(iLetztePunkte, 20);
        headless_advance(999);
        EXPECT_EQ(angezeigt(), 3) << vor_dem_ueberlauf;
        headless_advance(1);
        EXPECT_EQ(angezeigt(), 0) << vor_dem_ueberlauf;
        EXPECT_EQ(dwPunkteZeit, 0u);

        // Each hit starts it afresh with its own points; a miss leaves it be.
        Schuss_abgeben(640, 120);
        headless_advance(500);
        Schuss_abgeben(820, 110);
        ASSERT_EQ(iLetztePunkte, 10) << vor_dem_ueberlauf;
        headless_advance(500);
        Schuss_abgeben(100, 100);
        EXPECT_EQ(iLetztePunkte, 10);
        headless_advance(499);
        EXPECT_EQ(angezeigt(), 3);
        headless_advance(1);
        EXPECT_EQ(angezeigt(), 0);
    }
}

TEST_F(WeltZeichnen, AnimationSchaltetAlleGemeinsam) {
    Platzieren(3, 100, 100);
    Platzieren(4, 300, 100);
    Objekte[4].bAnimiert = 0;   // hit: keeps its frame
    Objekte[4].Figur.iBild = 4;
    dwAnimTakt = 0;   // as at program start: steps at once
    Objekte_animieren();
    EXPECT_EQ(Objekte[3].Figur.iBild, 1);
    for (int erwartet : {2, 3, 0, 1}) {
        headless_advance(100);   // 100 + at most 99 of jitter is not enough
        Objekte_animieren();
        EXPECT_NE(Objekte[3].Figur.iBild, erwartet);
        headless_advance(101);
        Objekte_animieren();
        EXPECT_EQ(Objekte[3].Figur.iBild, erwartet);
    }
    EXPECT_EQ(Objekte[4].Figur.iBild, 4);
    dwAnimTakt = plat_get_tick_count() - 200;
    Objekte_animieren();
    EXPECT_EQ(Objekte[3].Figur.iBild, 1);
    dwAnimTakt -= 1;
    Objekte_animieren();
    EXPECT_EQ(Objekte[3].Figur.iBild, 2);
}

TEST_F(WeltZeichnen, SpiegelnMitBreiteremZeilenabstandUndFehlern) {
    TearDown();
    HeadlessConfig cfg;
    cfg.extra_pitch = 8;
    headless_reset(cfg);
    ASSERT_EQ(plat_display_create(&lpDD), PLAT_OK);
    Sprite s{};
    s.iBilder = 2;
    for (int f = 0; f < 2; f++) {
        ASSERT_EQ(plat_display_create_surface(lpDD, 40, 3, false, &s.lpDDSBild[f]), PLAT_OK);
        ASSERT_EQ(plat_display_create_surface(lpDD, 40, 3, false, &s.lpDDSSpiegel[f]), PLAT_OK);
    }
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(s.lpDDSBild[0], &l), PLAT_OK);
    ASSERT_GT(l.lPitch, 40);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < l.lPitch; x++) l.lpSurface[y * l.lPitch + x] = (BYTE)(x < 40 ? x + 50 * y : 255);
    plat_surface_unlock(s.lpDDSBild[0]);
    Fuellen(s.lpDDSBild[1], 7);
    headless_fault_arm("Lock", 2, 1);   // the source of frame 1: that frame stays blank
    Sprite_spiegeln(&s);
    ASSERT_EQ(plat_surface_lock(s.lpDDSSpiegel[0], &l), PLAT_OK);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 40; x++) EXPECT_EQ(l.lpSurface[y * l.lPitch + x], 39 - x + 50 * y) << x << "," << y;
    plat_surface_unlock(s.lpDDSSpiegel[0]);
    ASSERT_EQ(plat_surface_lock(s.lpDDSSpiegel[1], &l), PLAT_OK);
    EXPECT_EQ(l.lpSurface[0], 0);
    plat_surface_unlock(s.lpDDSSpiegel[1]);
    plat_display_release(lpDD);
    lpDD = nullptr;
}
