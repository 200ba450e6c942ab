// The bitmap font: glyph scan of pictures painted here, the highlighted
// copy and the placement of text on the back buffer.
#include "ddraw_hilfe_test.h"
#include "graphics/bitmaptext.h"

namespace {

const int HINTERGRUND = 3;

// A font picture: separator lines at the given rows; in the first row of
// band b the column separators spalten[b]. Cell n is filled with 20 + n.
struct Schriftbild {
    std::vector<int> linien;
    std::vector<std::vector<int>> spalten;
};

int Schriftpixel(const Schriftbild& b, int x, int y) {
    int zelle = 0;
    for (int l : b.linien)
        if (y == l) return 0;
    for (size_t band = 0; band + 1 < b.linien.size(); ++band) {
        const std::vector<int>& sp = b.spalten[band];
        if (y > b.linien[band] && y < b.linien[band + 1]) {
            for (size_t i = 0; i < sp.size(); ++i) {
                if (x == sp[i] && y == b.linien[band] + 1) return 0;
                if (i + 1 < sp.size() && x > sp[i] && x < sp[i + 1]) return 20 + zelle + static_cast<int>(i);
            }
            return 1;
        }
        zelle += sp.empty() ? 0 : static_cast<int>(sp.size()) - 1;
    }
    return 1;
}

// Cells of the given widths side by side; the first separator stands at
// column 6, clear of the marker column 5.
std::vector<int> Spalten(std::vector<int> breiten) {
    std::vector<int> sp{6};
    for (int w : breiten) sp.push_back(sp.back() + w + 2);
    return sp;
}

struct BitmapText : AnzeigeTest {
    PlatSurface* font = nullptr;
    BitmapText() { cfg.extra_pitch = 5; }   // rows wider than the picture
    void SetUp() override {
        AnzeigeTest::SetUp();
        for (RECT& r : rcGlyphen) r = RECT{};
        font = Flaeche_anlegen(920, 152);
    }
    int Einlesen(const Schriftbild& b) {
        Flaeche_malen(font, [&](int x, int y) { return Schriftpixel(b, x, y); });
        headless_log_clear();
        return BitmapText_einlesen(font, rcGlyphen);
    }
};

// ----------------------------------------------------------- glyph scan

TEST_F(BitmapText, CellsAreReadBandByBand) {
    EXPECT_EQ(Einlesen({{2, 30, 60}, {Spalten({10, 12}), Spalten({8})}}), 0);
    auto ecken = [](const RECT& r) { return std::vector<int>{r.left, r.top, r.right, r.bottom}; };
    EXPECT_EQ(ecken(rcGlyphen[0]), (std::vector<int>{7, 3, 17, 29}));
    EXPECT_EQ(ecken(rcGlyphen[1]), (std::vector<int>{19, 3, 31, 29}));
    EXPECT_EQ(ecken(rcGlyphen[2]), (std::vector<int>{7, 31, 15, 59}));
    EXPECT_EQ(ecken(rcGlyphen[3]), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(rcGlyphen[99].left, (10 + 12 + 8) / 3);
    EXPECT_EQ(rcGlyphen[99].top, (26 + 26 + 28) / 3);
}

TEST_F(BitmapText, WithoutTwoLinesAndTwoColumnSeparatorsThereIsNoFont) {
    EXPECT_EQ(Einlesen({{10}, {}}), 2);
    EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Keine Trennlinien gefunden!"), 1);
    EXPECT_EQ(Einlesen({{0, 20, 40}, {{30}, {}}}), 2);
    EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Keine Trennlinien gefunden!"), 1);
    headless_fault_arm("Lock", 0, 1);
    EXPECT_EQ(BitmapText_einlesen(font, rcGlyphen), 1);
    EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Lock(lpDDSFont)"), 1);
}

TEST_F(BitmapText, AverageOfThreeIsInvalidFourPasses) {
    EXPECT_EQ(Einlesen({{0, 12}, {Spalten({3, 3, 4})}}), 3);
    EXPECT_EQ(Fehlermeldungen("BitmapText_einlesen: Zeichensatz ungueltig!"), 1);
    EXPECT_EQ(rcGlyphen[99].left, 3);   // stored all the same
    EXPECT_EQ(Einlesen({{0, 5}, {Spalten({9, 9})}}), 3);
    EXPECT_EQ(Einlesen({{0, 6}, {Spalten({4, 4, 5})}}), 0);
    EXPECT_EQ(rcGlyphen[99].left, 4);
    EXPECT_EQ(rcGlyphen[99].top, 4);
}

TEST_F(BitmapText, At99CellsFurtherCellsAreDropped) {
    // 120 cells: 99 of width 6, then 21 of width 12 that must not count.
    std::vector<int> rest(19, 6);
    rest.insert(rest.end(), 21, 12);
    EXPECT_EQ(Einlesen({{0, 20, 40, 60},
                        {Spalten(std::vector<int>(40, 6)), Spalten(std::vector<int>(40, 6)), Spalten(rest)}}),
              0);
    EXPECT_EQ(rcGlyphen[98].left, 6 + 18 * 8 + 1);
    EXPECT_EQ(rcGlyphen[98].top, 41);
    EXPECT_EQ(rcGlyphen[99].left, 6);
    EXPECT_EQ(rcGlyphen[99].top, 18);
    EXPECT_EQ(rcGlyphen[99].right, 0);   // never a cell
}

// ------------------------------------------------------- highlighted copy

TEST_F(BitmapText, CloneRecoloursOnlyTheChosenIndex) {
    PlatSurface* ziel = Flaeche_anlegen(920, 152);
    Flaeche_malen(font, [](int x, int y) { return (x + y) % 3 == 0 ? 251 : (x * 7 + y) % 256; });
    std::vector<uint8_t> quelle = Flaeche_lesen(font);
    EXPECT_EQ(BitmapText_klonen(font, ziel, 1, 251, 161), 0);
    std::vector<uint8_t> erwartet = quelle;
    for (uint8_t& p : erwartet) p = p == 251 ? 161 : p;
    EXPECT_EQ(Flaeche_lesen(ziel), erwartet);
    EXPECT_EQ(Flaeche_lesen(font), quelle);
    EXPECT_EQ(BitmapText_klonen(font, ziel, 2, 251, 161), 0);   // only flag 1 recolours
    EXPECT_EQ(Flaeche_lesen(ziel), quelle);
}

TEST_F(BitmapText, CloneFailuresLeaveTheTargetAlone) {
    PlatSurface* klein = Flaeche_anlegen(920, 150);
    Flaeche_malen(klein, [](int x, int y) { return (x ^ y) & 0x7F; });
    std::vector<uint8_t> vorher = Flaeche_lesen(klein);
    EXPECT_EQ(BitmapText_klonen(font, klein, 1, 251, 161), 5);
    EXPECT_EQ(Fehlermeldungen("BitmapText_klonen: Falsche Surface-Groesse!"), 1);
    EXPECT_EQ(Flaeche_lesen(klein), vorher);

    EXPECT_EQ(BitmapText_klonen(nullptr, klein, 1, 251, 161), 1);
    EXPECT_EQ(Fehlermeldungen("BitmapText_klonen: Surface nicht vorhanden!"), 1);
    const struct {
        const char* schritt;
        int skip, code;
        const char* meldung;
    } faelle[] = {{"Lock", 0, 2, "BitmapText_klonen: Lock(lpDDSQuelle)"},
                  {"malloc", 0, 3, "BitmapText_klonen: Buffer konnte nicht angelegt werden!"},
                  {"Lock", 1, 4, "BitmapText_klonen: Lock(lpDDSZiel)"}};
    for (const auto& f : faelle) {
        headless_fault_arm(f.schritt, f.skip, 1);
        EXPECT_EQ(BitmapText_klonen(font, klein, 1, 251, 161), f.code);
        EXPECT_EQ(Fehlermeldungen(f.meldung), 1);
    }
    // Every failure released its locks.
    headless_fault_clear();
    EXPECT_EQ(BitmapText_klonen(font, font, 1, 251, 161), 0);
}

TEST(BitmapTextZeichen, EveryGlyphHasExactlyOneCharacter) {
    const int proben[][2] = {{'a', 0},  {'Z', 51},  {'0', 52}, {'9', 61}, {'.', 62},  {'"', 67},  {'\\', 75},
                             {'`', 76}, {0xB4, 77}, {'+', 79}, {' ', 80}, {'\'', 80}, {0xE4, 80}, {0xDF, 80}};
    for (const auto& p : proben) EXPECT_EQ(BitmapText_Zeichenindex(static_cast<BYTE>(p[0])), p[1]) << p[0];
    int treffer[KEIN_GLYPH + 1] = {};
    for (int c = 0; c < 256; ++c) ++treffer[BitmapText_Zeichenindex(static_cast<BYTE>(c))];
    for (int g = 0; g < KEIN_GLYPH; ++g) EXPECT_EQ(treffer[g], 1) << "glyph " << g;
}

// --------------------------------------------------------------- text output

// Every glyph 20 x 20: two bands of 41 cells of 22 pixels.
struct BitmapTextAusgeben : BitmapText {
    void SetUp() override {
        BitmapText::SetUp();
        std::vector<int> sp = Spalten(std::vector<int>(41, 20));
        ASSERT_EQ(Einlesen({{0, 22, 44}, {sp, sp}}), 0);
        ASSERT_EQ(rcGlyphen[99].left, 20);
        ASSERT_EQ(rcGlyphen[99].top, 20);
        DDraw_Puffer_leeren(lpDDSBack, HINTERGRUND);
    }
    void Text(const char* t, int x, int y, int ausrichtung = TEXT_LINKS) {
        BitmapText_ausgeben(font, t, x, y, ausrichtung, lpDDSBack);
    }
    // The glyph of c spans x .. x + 19 in row y + 10.
    void Glyph_bei(int x, int y, char c) {
        int farbe = 20 + BitmapText_Zeichenindex(static_cast<BYTE>(c));
        EXPECT_EQ(Pixel(lpDDSBack, x, y + 10), farbe) << "'" << c << "' at " << x;
        EXPECT_EQ(Pixel(lpDDSBack, x + 19, y + 10), farbe) << "'" << c << "' at " << x;
    }
};

TEST_F(BitmapTextAusgeben, SpacesAndUmlautsAdvanceByTheLastGlyph) {
    Text("A B", 100, 50);
    Glyph_bei(100, 50, 'A');
    EXPECT_EQ(Pixel(lpDDSBack, 120, 60), HINTERGRUND);
    EXPECT_EQ(Pixel(lpDDSBack, 139, 60), HINTERGRUND);
    Glyph_bei(140, 50, 'B');
    EXPECT_EQ(Pixel(lpDDSBack, 100, 70), HINTERGRUND);   // a cell's last row never shows
    Text("  Ab", 200, 100);
    Glyph_bei(200, 100, 'A');
    Glyph_bei(220, 100, 'b');
    Text("x\xE4y", 200, 300, 7);
    Glyph_bei(240, 300, 'y');
}

TEST_F(BitmapTextAusgeben, AlignmentUsesTheAverageWidth) {
    Text("ABC", 512, 100, TEXT_ZENTRIERT);
    Glyph_bei(492, 100, 'A');
    Text("ABCD", 512, 200, TEXT_ZENTRIERT);
    Glyph_bei(472, 200, 'A');
    Text("ABC", 512, 300, TEXT_RECHTS);
    Glyph_bei(452, 300, 'A');
    Glyph_bei(492, 300, 'C');
}

TEST_F(BitmapTextAusgeben, ScreenBounds) {
    std::vector<uint8_t> leer = Flaeche_lesen(lpDDSBack);
    Text(std::string(60, 'W').c_str(), 100, 100, TEXT_ZENTRIERT);   // starts left of 0
    Text("A", 10, 768);
    int blits = headless_fault_calls("Blt");
    Text("A", 10, -21);
    EXPECT_EQ(headless_fault_calls("Blt"), blits);
    Text("A", 10, -20);   // still drawn, all of it above the screen
    EXPECT_EQ(headless_fault_calls("Blt"), blits + 1);
    EXPECT_EQ(Flaeche_lesen(lpDDSBack), leer);

    Text("ABCD", 990, 100);
    EXPECT_EQ(headless_fault_calls("Blt"), blits + 3);   // C would start at 1030
    Glyph_bei(990, 100, 'A');
    EXPECT_EQ(Pixel(lpDDSBack, 1023, 110), 20 + BitmapText_Zeichenindex('B'));
}

}   // namespace
