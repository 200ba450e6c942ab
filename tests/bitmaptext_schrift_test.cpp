// The bitmap font: glyph scan of pictures painted here, the highlighted
// copy and the placement of text on the back buffer.
#include <cstring>

#include "ddraw_hilfe_test.h"
#include "graphics/bitmaptext.h"

namespace {

const int FONT_B = 920;
const int FONT_H = 152;
const int HINTERGRUND = 3;

// A font picture: separator lines at the given rows, and in the first row
// of band b the column separators spalten[b]. Everything else gets the
// colour of the cell it lies in (20 + cell number), so glyphs can be told
// apart on screen.
struct Schriftbild {
    std::vector<int> linien;
    std::vector<std::vector<int>> spalten;
};

int Zellfarbe(const Schriftbild& b, int x, int y)
{
    int zelle = 0;
    for (size_t band = 0; band + 1 < b.linien.size(); ++band) {
        const std::vector<int>& sp = b.spalten[band];
        if (y > b.linien[band] && y < b.linien[band + 1]) {
            for (size_t i = 0; i + 1 < sp.size(); ++i)
                if (x > sp[i] && x < sp[i + 1])
                    return 20 + (zelle + static_cast<int>(i)) % 200;
            return 1;
        }
        zelle += sp.empty() ? 0 : static_cast<int>(sp.size()) - 1;
    }
    return 1;
}

void Schrift_malen(PlatSurface* s, const Schriftbild& b)
{
    Flaeche_malen(s, [&](int x, int y) {
        for (int l : b.linien)
            if (y == l)
                return 0;
        for (size_t band = 0; band + 1 < b.linien.size(); ++band)
            if (y == b.linien[band] + 1)
                for (int sp : b.spalten[band])
                    if (x == sp)
                        return 0;
        return Zellfarbe(b, x, y);
    });
}

// Cells of the given widths side by side. The first separator stands at
// column 6, so that no separator falls on the marker column 5.
std::vector<int> Spalten(const std::vector<int>& breiten)
{
    std::vector<int> sp{6};
    for (int w : breiten)
        sp.push_back(sp.back() + w + 2);
    return sp;
}

// Two bands of 41 cells, every glyph 20 x 20 (cells of 22 pixels).
Schriftbild Gleichmaessige_Schrift()
{
    Schriftbild b;
    b.linien = {0, 22, 44};
    b.spalten = {Spalten(std::vector<int>(41, 20)), Spalten(std::vector<int>(41, 20))};
    return b;
}

struct BitmapTextTest : AnzeigeTest {
    PlatSurface* font = nullptr;
    void SetUp() override
    {
        AnzeigeTest::SetUp();
        std::memset(rcGlyphen, 0, sizeof rcGlyphen);
        font = Flaeche_anlegen(FONT_B, FONT_H);
        ASSERT_NE(font, nullptr);
    }
};

// ----------------------------------------------------------- glyph scan

using BitmapTextEinlesen = BitmapTextTest;

TEST_F(BitmapTextEinlesen, CellsAreReadBandByBand)
{
    Schriftbild b;
    b.linien = {2, 30, 60};
    b.spalten = {Spalten({10, 12}), Spalten({8})};
    Schrift_malen(font, b);

    EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), 0);

    // right and bottom are one short of the next separator.
    EXPECT_EQ(rcGlyphen[0].left, 7);
    EXPECT_EQ(rcGlyphen[0].top, 3);
    EXPECT_EQ(rcGlyphen[0].right, 17);
    EXPECT_EQ(rcGlyphen[0].bottom, 29);
    EXPECT_EQ(rcGlyphen[1].left, 19);
    EXPECT_EQ(rcGlyphen[1].right, 31);
    EXPECT_EQ(rcGlyphen[2].left, 7);
    EXPECT_EQ(rcGlyphen[2].top, 31);
    EXPECT_EQ(rcGlyphen[2].right, 15);
    EXPECT_EQ(rcGlyphen[2].bottom, 59);
    EXPECT_EQ(rcGlyphen[3].right, 0);   // untouched
    EXPECT_EQ(rcGlyphen[99].left, (10 + 12 + 8) / 3);
    EXPECT_EQ(rcGlyphen[99].top, (26 + 26 + 28) / 3);
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);
}

TEST_F(BitmapTextEinlesen, OneSeparatorLineIsNotAFont)
{
    Schriftbild b;
    b.linien = {10};
    Schrift_malen(font, b);
    EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), 2);
    EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Keine Trennlinien gefunden!"), 1);
}

TEST_F(BitmapTextEinlesen, LinesWithoutASecondColumnSeparatorAreNotAFont)
{
    Schriftbild b;
    b.linien = {0, 20, 40};
    b.spalten = {{30}, {}};
    Schrift_malen(font, b);
    EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), 2);
    EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Keine Trennlinien gefunden!"), 1);
}

TEST_F(BitmapTextEinlesen, AverageOfThreeIsInvalidFourPasses)
{
    struct Fall {
        int breite, hoehe, ergebnis;
    };
    for (Fall f : {Fall{3, 10, 3}, Fall{10, 3, 3}, Fall{4, 4, 0}}) {
        Schriftbild b;
        b.linien = {0, f.hoehe + 2};
        b.spalten = {Spalten({f.breite, f.breite, f.breite})};
        Schrift_malen(font, b);
        headless_log_clear();
        EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), f.ergebnis) << f.breite << " x " << f.hoehe;
        EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Zeichensatz ungueltig!"), f.ergebnis == 3 ? 1 : 0);
        // The averages are stored even when they are too small.
        EXPECT_EQ(rcGlyphen[99].left, f.breite);
        EXPECT_EQ(rcGlyphen[99].top, f.hoehe);
    }
}

TEST_F(BitmapTextEinlesen, At99CellsFurtherCellsAreDropped)
{
    // 120 cells: 99 of width 6, then 21 of width 12 that must not count.
    std::vector<int> breit(40, 6);
    std::vector<int> rest(19, 6);
    rest.insert(rest.end(), 21, 12);
    Schriftbild b;
    b.linien = {0, 20, 40, 60};
    b.spalten = {Spalten(breit), Spalten(breit), Spalten(rest)};
    Schrift_malen(font, b);

    EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), 0);
    EXPECT_EQ(rcGlyphen[98].top, 41);
    EXPECT_EQ(rcGlyphen[98].left, 6 + 18 * 8 + 1);
    EXPECT_EQ(rcGlyphen[99].left, 6);
    EXPECT_EQ(rcGlyphen[99].top, 18);
    EXPECT_EQ(rcGlyphen[99].right, 0);   // never a cell
    EXPECT_EQ(rcGlyphen[99].bottom, 0);
}

TEST_F(BitmapTextEinlesen, LockFailureNamesTheFontSurface)
{
    headless_fault_arm("Lock", 0, 1);
    EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), 1);
    EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Lock(lpDDSFont)"), 1);
    EXPECT_EQ(BitmapText_einlesen(nullptr, rcGlyphen), 1);
}

TEST(BitmapTextPitch, ScanAndCopyHonourAWidePitch)
{
    HeadlessConfig cfg;
    cfg.extra_pitch = 7;
    Anzeige_aufbauen(cfg);
    PlatSurface* font = Flaeche_anlegen(FONT_B, FONT_H);
    PlatSurface* kopie = Flaeche_anlegen(FONT_B, FONT_H);
    Schrift_malen(font, Gleichmaessige_Schrift());
    EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), 0);
    EXPECT_EQ(rcGlyphen[81].left, 6 + 40 * 22 + 1);
    EXPECT_EQ(rcGlyphen[81].top, 23);
    EXPECT_EQ(BitmapText_klonen(font, kopie, 0, 0, 0), 0);
    EXPECT_EQ(Flaeche_lesen(kopie), Flaeche_lesen(font));
    Anzeige_abbauen();
}

// --------------------------------------------------------- highlighted copy

using BitmapTextKlonen = BitmapTextTest;

TEST_F(BitmapTextKlonen, RecoloursOnlyTheChosenIndex)
{
    PlatSurface* ziel = Flaeche_anlegen(FONT_B, FONT_H);
    Flaeche_malen(font, [](int x, int y) { return (x + y) % 3 == 0 ? 251 : (x * 7 + y) % 256; });
    std::vector<uint8_t> quelle = Flaeche_lesen(font);

    EXPECT_EQ(BitmapText_klonen(font, ziel, 1, 251, 161), 0);

    std::vector<uint8_t> erwartet = quelle;
    for (uint8_t& p : erwartet)
        if (p == 251)
            p = 161;
    EXPECT_EQ(Flaeche_lesen(ziel), erwartet);
    EXPECT_EQ(Flaeche_lesen(font), quelle);
    EXPECT_EQ(BitmapText_klonen(font, ziel, 2, 251, 161), 0);   // only flag 1 recolours
    EXPECT_EQ(Flaeche_lesen(ziel), quelle);
}

TEST_F(BitmapTextKlonen, WrongTargetSizeLeavesTargetUnchanged)
{
    PlatSurface* ziel = Flaeche_anlegen(FONT_B, 150);
    Flaeche_malen(ziel, [](int x, int y) { return (x ^ y) & 0x7F; });
    std::vector<uint8_t> vorher = Flaeche_lesen(ziel);
    EXPECT_EQ(BitmapText_klonen(font, ziel, 1, 251, 161), 5);
    EXPECT_EQ(Fehlermeldungen("BitmapText_klonen: Falsche Surface-Groesse!"), 1);
    EXPECT_EQ(Flaeche_lesen(ziel), vorher);
}

TEST_F(BitmapTextKlonen, EachFailureHasItsCode)
{
    PlatSurface* ziel = Flaeche_anlegen(FONT_B, FONT_H);
    EXPECT_EQ(BitmapText_klonen(nullptr, ziel, 1, 251, 161), 1);
    EXPECT_EQ(BitmapText_klonen(font, nullptr, 1, 251, 161), 1);
    EXPECT_EQ(Fehlermeldungen("BitmapText_klonen: Surface nicht vorhanden!"), 2);

    headless_fault_arm("Lock", 0, 1);
    EXPECT_EQ(BitmapText_klonen(font, ziel, 1, 251, 161), 2);
    EXPECT_EQ(Fehlermeldungen("BitmapText_klonen: Lock(lpDDSQuelle)"), 1);

    headless_fault_arm("malloc", 0, 1);
    EXPECT_EQ(BitmapText_klonen(font, ziel, 1, 251, 161), 3);
    EXPECT_EQ(Fehlermeldungen("BitmapText_klonen: Buffer konnte nicht angelegt werden!"), 1);

    headless_fault_arm("Lock", 1, 1);
    EXPECT_EQ(BitmapText_klonen(font, ziel, 1, 251, 161), 4);
    EXPECT_EQ(Fehlermeldungen("BitmapText_klonen: Lock(lpDDSZiel)"), 1);

    // Every failure released its locks: both surfaces lock again.
    headless_fault_clear();
    EXPECT_EQ(BitmapText_klonen(font, ziel, 1, 251, 161), 0);
}

// ------------------------------------------------------------ character table

TEST(BitmapTextZeichen, EveryGlyphHasExactlyOneCharacter)
{
    EXPECT_EQ(BitmapText_Zeichenindex('a'), 0);
    EXPECT_EQ(BitmapText_Zeichenindex('z'), 25);
    EXPECT_EQ(BitmapText_Zeichenindex('A'), 26);
    EXPECT_EQ(BitmapText_Zeichenindex('Z'), 51);
    EXPECT_EQ(BitmapText_Zeichenindex('0'), 52);
    EXPECT_EQ(BitmapText_Zeichenindex('9'), 61);
    EXPECT_EQ(BitmapText_Zeichenindex('.'), 62);
    EXPECT_EQ(BitmapText_Zeichenindex('"'), 67);
    EXPECT_EQ(BitmapText_Zeichenindex('\\'), 75);
    EXPECT_EQ(BitmapText_Zeichenindex('`'), 76);
    EXPECT_EQ(BitmapText_Zeichenindex(0xB4), 77);
    EXPECT_EQ(BitmapText_Zeichenindex('@'), 78);
    EXPECT_EQ(BitmapText_Zeichenindex('+'), 79);
    for (int c : {int(' '), int('\''), 0xE4, 0xF6, 0xFC, 0xDF, int('#'), int('*'), 0, 0xFF})
        EXPECT_EQ(BitmapText_Zeichenindex(static_cast<BYTE>(c)), KEIN_GLYPH) << c;

    int treffer[KEIN_GLYPH] = {};
    for (int c = 0; c < 256; ++c) {
        int g = BitmapText_Zeichenindex(static_cast<BYTE>(c));
        ASSERT_LE(g, KEIN_GLYPH);
        ASSERT_GE(g, 0);
        if (g < KEIN_GLYPH)
            ++treffer[g];
    }
    for (int g = 0; g < KEIN_GLYPH; ++g)
        EXPECT_EQ(treffer[g], 1) << "glyph " << g;
}

// --------------------------------------------------------------- text output

struct BitmapTextAusgeben : BitmapTextTest {
    void SetUp() override
    {
        BitmapTextTest::SetUp();
        Schrift_malen(font, Gleichmaessige_Schrift());
        ASSERT_EQ(BitmapText_einlesen(font, rcGlyphen), 0);
        ASSERT_EQ(rcGlyphen[99].left, 20);
        ASSERT_EQ(rcGlyphen[99].top, 20);
        DDraw_Puffer_leeren(lpDDSBack, HINTERGRUND);
    }
    static int Farbe(char c) { return 20 + BitmapText_Zeichenindex(static_cast<BYTE>(c)); }
    // Colour of the glyph whose left edge is at x in row y + 10, if any.
    void Glyph_bei(int x, int y, char c)
    {
        EXPECT_EQ(Pixel(lpDDSBack, x, y + 10), Farbe(c)) << "'" << c << "' at " << x;
        EXPECT_EQ(Pixel(lpDDSBack, x + 19, y + 10), Farbe(c)) << "'" << c << "' at " << x;
    }
};

TEST_F(BitmapTextAusgeben, SpaceAdvancesByTheLastGlyph)
{
    BitmapText_ausgeben(font, "A B", 100, 50, TEXT_LINKS, lpDDSBack);
    Glyph_bei(100, 50, 'A');
    EXPECT_EQ(Pixel(lpDDSBack, 120, 60), HINTERGRUND);
    EXPECT_EQ(Pixel(lpDDSBack, 139, 60), HINTERGRUND);
    Glyph_bei(140, 50, 'B');
    // The last row and column of a cell never appear.
    EXPECT_EQ(Pixel(lpDDSBack, 100, 70), HINTERGRUND);
}

TEST_F(BitmapTextAusgeben, LeadingSpacesAndUmlautsMoveByNothingFirst)
{
    BitmapText_ausgeben(font, "  Ab", 200, 100, TEXT_LINKS, lpDDSBack);
    Glyph_bei(200, 100, 'A');
    Glyph_bei(220, 100, 'b');
    BitmapText_ausgeben(font, "x\xE4y", 200, 300, 7, lpDDSBack);
    Glyph_bei(200, 300, 'x');
    Glyph_bei(240, 300, 'y');
}

TEST_F(BitmapTextAusgeben, AlignmentUsesTheAverageWidth)
{
    BitmapText_ausgeben(font, "ABC", 512, 100, TEXT_ZENTRIERT, lpDDSBack);
    Glyph_bei(492, 100, 'A');
    Glyph_bei(532, 100, 'C');
    BitmapText_ausgeben(font, "ABCD", 512, 200, TEXT_ZENTRIERT, lpDDSBack);
    Glyph_bei(472, 200, 'A');
    BitmapText_ausgeben(font, "ABC", 512, 300, TEXT_RECHTS, lpDDSBack);
    Glyph_bei(452, 300, 'A');
    Glyph_bei(492, 300, 'C');
    EXPECT_EQ(Pixel(lpDDSBack, 512, 310), HINTERGRUND);
}

TEST_F(BitmapTextAusgeben, TextStartingLeftOfTheScreenDrawsNothing)
{
    std::vector<uint8_t> vorher = Flaeche_lesen(lpDDSBack);
    std::string lang(60, 'W');
    BitmapText_ausgeben(font, lang.c_str(), 100, 100, TEXT_ZENTRIERT, lpDDSBack);
    BitmapText_ausgeben(font, "A", -1, 100, TEXT_LINKS, lpDDSBack);
    EXPECT_EQ(Flaeche_lesen(lpDDSBack), vorher);
}

TEST_F(BitmapTextAusgeben, RightEdgeCutsTheLastGlyphAndStops)
{
    int blits = headless_fault_calls("Blt");
    BitmapText_ausgeben(font, "ABCD", 990, 100, TEXT_LINKS, lpDDSBack);
    EXPECT_EQ(headless_fault_calls("Blt") - blits, 2);
    Glyph_bei(990, 100, 'A');
    EXPECT_EQ(Pixel(lpDDSBack, 1010, 110), Farbe('B'));
    EXPECT_EQ(Pixel(lpDDSBack, 1023, 110), Farbe('B'));
}

TEST_F(BitmapTextAusgeben, TopBoundIsMinusTheAverageHeight)
{
    int blits = headless_fault_calls("Blt");
    BitmapText_ausgeben(font, "A", 10, -20, TEXT_LINKS, lpDDSBack);
    EXPECT_EQ(headless_fault_calls("Blt") - blits, 1);
    BitmapText_ausgeben(font, "A", 10, -21, TEXT_LINKS, lpDDSBack);
    BitmapText_ausgeben(font, "A", 10, 768, TEXT_LINKS, lpDDSBack);
    EXPECT_EQ(headless_fault_calls("Blt") - blits, 1);
    BitmapText_ausgeben(font, "A", 10, -10, TEXT_LINKS, lpDDSBack);
    EXPECT_EQ(Pixel(lpDDSBack, 10, 0), Farbe('A'));
    EXPECT_EQ(Pixel(lpDDSBack, 10, 10), HINTERGRUND);
}

TEST_F(BitmapTextAusgeben, FailedBlitEndsTheText)
{
    headless_fault_arm("Blt", 0, 1);
    BitmapText_ausgeben(font, "AB", 100, 100, TEXT_LINKS, lpDDSBack);
    EXPECT_EQ(headless_fault_calls("Blt"), 1);
    EXPECT_EQ(Pixel(lpDDSBack, 120, 110), HINTERGRUND);
}

TEST_F(BitmapTextAusgeben, LongRunsWithoutGlyphsStayBounded)
{
    std::string text(100000, ' ');
    text = "A" + text + "B";
    BitmapText_ausgeben(font, text.c_str(), 0, 100, TEXT_LINKS, lpDDSBack);
    BitmapText_ausgeben(font, text.c_str(), 500, 100, TEXT_RECHTS, lpDDSBack);
    Glyph_bei(0, 100, 'A');
    EXPECT_EQ(Pixel(lpDDSBack, 500, 110), HINTERGRUND);
    BitmapText_ausgeben(font, nullptr, 0, 0, TEXT_LINKS, lpDDSBack);
}

}  // namespace
