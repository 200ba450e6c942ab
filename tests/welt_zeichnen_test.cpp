// The playing frame: layers, scroll ends, shells, head-up display, debug
// overlay, frame animation and the timed messages.
#include <cstring>

#include "audio/musik.h"
#include "shell/spiel.h"
#include "welt_umgebung_test.h"

class WeltZeichnen : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        Alle_parken();
        iScrollX = 0;
    }
    // Pixels of the colour in the rectangle [x0, x1) x [y0, y1).
    int Zaehlen(int x0, int y0, int x1, int y1, BYTE farbe) {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) n += Pixel(x, y) == farbe ? 1 : 0;
        return n;
    }
    int Nicht_Himmel(int x0, int y0, int x1, int y1) {
        return (x1 - x0) * (y1 - y0) - Zaehlen(x0, y0, x1, y1, FARBE_HIMMEL);
    }
};

TEST_F(WeltZeichnen, HintereZieleNurWoDasSpielfeldDurchsichtigIst) {
    Platzieren(0, 100, 430);    // small flyer, behind, rows 430..461
    Platzieren(10, 500, 420);   // hider, behind
    Platzieren(3, 300, 430);    // medium flyer, in front
    Platzieren(4, 340, 440);    // drawn after object 3, so on top of it
    Objekte[4].Figur.iBild = 1;
    Platzieren(5, 700, 430);    // waiting: not drawn
    Objekte[5].iZustand = ZUS_WARTEND;
    Platzieren(7, 800, 430);    // crashed: not drawn
    Objekte[7].iZustand = ZUS_ABGESTUERZT;
    Platzieren(8, 600, 100);    // never started: not drawn
    Objekte[8].bSichtbar = 0;
    Zeichnen();
    EXPECT_EQ(Pixel(110, 440), Bildfarbe(ART_KLEIN, 0));
    EXPECT_EQ(Pixel(110, 455), FARBE_SPIELFELD);
    EXPECT_EQ(Pixel(520, 440), Bildfarbe(ART_VERSTECK, 0));
    EXPECT_EQ(Pixel(520, 460), FARBE_SPIELFELD);
    EXPECT_EQ(Pixel(310, 455), Bildfarbe(ART_MITTEL, 0));
    EXPECT_EQ(Pixel(350, 455), Bildfarbe(ART_MITTEL, 1));
    EXPECT_EQ(Pixel(710, 440), FARBE_HIMMEL);
    EXPECT_EQ(Pixel(810, 460), FARBE_SPIELFELD);
    EXPECT_EQ(Pixel(650, 150), FARBE_HIMMEL);
}

TEST_F(WeltZeichnen, SpielfeldendenBeiDenGrenzen) {
    Zeichnen();
    EXPECT_EQ(Pixel(0, 700), FARBE_FELD_LINKS);
    EXPECT_EQ(Pixel(1023, 600), FARBE_SPIELFELD);
    EXPECT_EQ(Pixel(500, 447), FARBE_HIMMEL);
    iScrollX = -1024;
    Zeichnen();
    EXPECT_EQ(Pixel(1023, 700), FARBE_FELD_RECHTS);
    EXPECT_EQ(Pixel(0, 600), FARBE_SPIELFELD);
}

TEST_F(WeltZeichnen, PatronenVon872Bis1013) {
    iShells = 6;
    Zeichnen();
    EXPECT_EQ(Pixel(872, 700), FARBE_PATRONE);
    EXPECT_EQ(Pixel(871, 700), FARBE_SPIELFELD);
    EXPECT_EQ(Pixel(1013, 700), FARBE_PATRONE);
    EXPECT_EQ(Pixel(1014, 700), FARBE_SPIELFELD);
    EXPECT_EQ(Pixel(900, 620), FARBE_PATRONE);
    EXPECT_EQ(Pixel(900, 747), FARBE_PATRONE);
    EXPECT_EQ(Pixel(900, 748), FARBE_SPIELFELD);
    iShells = 1;
    Zeichnen();
    EXPECT_EQ(Pixel(982, 700), FARBE_PATRONE);
    EXPECT_EQ(Pixel(981, 700), FARBE_SPIELFELD);
    iShells = 0;
    Zeichnen();
    EXPECT_EQ(Zaehlen(860, 600, 1024, 768, FARBE_PATRONE), 0);
}

TEST_F(WeltZeichnen, PunkteUndZeitOben) {
    iPoints = 115;
    iTime = 180;
    Zeichnen();
    // "Points:0115": 11 glyphs from x 10; "Time:180": 8 glyphs from 794.
    EXPECT_EQ(Zaehlen(10, 10, 120, 22, FARBE_FONT), 110 * 12);
    EXPECT_EQ(Pixel(120, 10), FARBE_HIMMEL);
    EXPECT_EQ(Zaehlen(794, 10, 874, 22, FARBE_FONT), 80 * 12);
    EXPECT_EQ(Pixel(874, 10), FARBE_HIMMEL);
    iPoints = 12345;
    Zeichnen();
    EXPECT_EQ(Pixel(129, 10), FARBE_FONT);
}

TEST_F(WeltZeichnen, DebugAnzeigeErsetztDieTexte) {
    bDebugAnzeige = 1;
    iPoints = 115;
    Zeichnen();
    EXPECT_EQ(Zaehlen(0, 0, 1024, 768, FARBE_FONT), 0);
    EXPECT_GT(Nicht_Himmel(714, 20, 1024, 40), 0);
    // Eleven object lines at x 20, one every 20 rows from 20 to 220.
    for (int i = 0; i < MAX_OBJEKTE; i++) EXPECT_GT(Nicht_Himmel(20, 20 * (i + 1), 400, 20 * (i + 1) + 8), 0) << i;
    EXPECT_EQ(Nicht_Himmel(0, 0, 1024, 18), 0);
    EXPECT_EQ(Nicht_Himmel(0, 240, 1024, 320), 0);
    // Without a device context the overlay is left out, nothing else breaks.
    headless_fault_arm("GetDC", 0, -1);
    Zeichnen();
    headless_fault_clear();
    EXPECT_EQ(Nicht_Himmel(0, 0, 1024, 320), 0);
    bDebugAnzeige = 0;
    Zeichnen();
    EXPECT_GT(Zaehlen(10, 10, 120, 22, FARBE_FONT), 0);
}

TEST_F(WeltZeichnen, AnimationSchaltetAlleGemeinsam) {
    Platzieren(3, 100, 100);
    Platzieren(4, 300, 100);
    Objekte[4].bAnimiert = 0;
    Objekte[4].Figur.iBild = 4;
    Platzieren(5, 500, 100);
    Objekte[5].bSichtbar = 0;
    dwAnimTakt = 0;   // as at program start: the first call steps at once
    Objekte_animieren();
    EXPECT_EQ(Objekte[3].Figur.iBild, 1);
    const DWORD jetzt = plat_get_tick_count();
    EXPECT_LE(jetzt - dwAnimTakt, 99u);
    const int folge[] = {2, 3, 0, 1};
    for (int erwartet : folge) {
        headless_advance(100);
        Objekte_animieren();
        EXPECT_NE(Objekte[3].Figur.iBild, erwartet);   // 100 + at most 99 is not enough
        headless_advance(101);
        Objekte_animieren();
        EXPECT_EQ(Objekte[3].Figur.iBild, erwartet);
    }
    EXPECT_EQ(Objekte[4].Figur.iBild, 4);
    EXPECT_EQ(Objekte[5].Figur.iBild, 0);
}

TEST_F(WeltZeichnen, PunkteEinblendungEineSekunde) {
    dwPunkteZeit = plat_get_tick_count();
    iLetztePunkte = 35;
    headless_advance(999);
    Zeichnen();
    // "+35": 3 glyphs from 512 - 1 x 10.
    EXPECT_EQ(Pixel(502, 10), FARBE_FONT_MARKIERT);
    EXPECT_EQ(Pixel(531, 21), FARBE_FONT_MARKIERT);
    EXPECT_EQ(Pixel(501, 10), FARBE_HIMMEL);
    headless_advance(1);
    Zeichnen();
    EXPECT_EQ(Zaehlen(400, 0, 600, 30, FARBE_FONT_MARKIERT), 0);
    EXPECT_EQ(dwPunkteZeit, 0u);
}

TEST_F(WeltZeichnen, MusiktitelGekuerztUndBefristet) {
    // A name far longer than the text buffer is cut, never written past it.
    memset(szMusikDatei[2], 'a', MUSIK_NAME_LAENGE - 1);
    szMusikDatei[2][MUSIK_NAME_LAENGE - 1] = 0;
    iMusikTitel = 2;
    dwMusikTitelZeit = plat_get_tick_count();
    headless_advance(2499);
    Zeichnen();
    EXPECT_EQ(strlen(szText), sizeof szText - 1);
    EXPECT_EQ(Pixel(20, 718), FARBE_FONT);
    EXPECT_EQ(Pixel(20 + 79 * GLYPH_B - 1, 729), FARBE_FONT);
    EXPECT_EQ(Pixel(20 + 79 * GLYPH_B, 718), FARBE_SPIELFELD);
    headless_advance(1);
    Zeichnen();
    EXPECT_EQ(Pixel(20, 718), FARBE_SPIELFELD);
    EXPECT_EQ(dwMusikTitelZeit, 0u);
    // A track number outside the table shows nothing.
    iMusikTitel = MAX_MUSIK;
    dwMusikTitelZeit = plat_get_tick_count();
    Zeichnen();
    EXPECT_EQ(Pixel(20, 718), FARBE_SPIELFELD);
}
