// The generated font picture through the game's glyph scan, and the texts
// the screens write over the backgrounds landing on calm ground.
#include <cstring>
#include <filesystem>

#include "content_hilfe_test.h"
#include "graphics/bitmaptext.h"

namespace {

const char* const ZEICHEN = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,-:!\"$%&/()?\\`\xB4@+";

// Scans the font picture of the archive in the current folder.
void Schrift_pruefen(ContentTest& t) {
    PlatSurface* font = t.Flaeche(33, 920, 152);
    memset(rcGlyphen, 0, sizeof(rcGlyphen));
    ASSERT_EQ(BitmapText_einlesen(font, rcGlyphen), 0);
    std::vector<uint8_t> px = Flaeche_lesen(font);
    auto p = [&](int x, int y) { return px[(size_t)y * 920 + x]; };

    int zellen = 0;
    for (int g = 0; g < 99; g++) zellen += rcGlyphen[g].right > rcGlyphen[g].left;
    EXPECT_GE(zellen, 80);
    EXPECT_GE(rcGlyphen[99].left, 4);
    // Readable at 1024 x 768.
    EXPECT_GE(rcGlyphen[99].top, 26);
    EXPECT_LE(rcGlyphen[99].top, 40);

    for (int g = 0; g < 80; g++) {
        const RECT& r = rcGlyphen[g];
        int tinte = 0;
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++) tinte += p(x, y) == 251;
        EXPECT_GT(tinte, 0) << "glyph " << g << " '" << ZEICHEN[g] << "' has no letter pixels";
        // What never reaches the screen holds no letter, and the last drawn
        // column is spacing, since glyphs are placed without gaps.
        for (int y = r.top; y <= r.bottom; y++) {
            EXPECT_NE(p(r.right, y), 251) << "glyph " << g;
            EXPECT_NE(p(r.right - 1, y), 251) << "glyph " << g;
        }
        for (int x = r.left; x <= r.right; x++) {
            EXPECT_NE(p(x, r.bottom), 251) << "glyph " << g;
            EXPECT_NE(p(x, r.top), 251) << "glyph " << g;
        }
    }
    // The cells follow the character table: narrow letters in narrow cells.
    auto breite = [](char c) {
        const char* s = strchr(ZEICHEN, c);
        const RECT& r = rcGlyphen[s - ZEICHEN];
        return r.right - r.left;
    };
    EXPECT_LT(breite('i'), breite('m'));
    EXPECT_LT(breite('l'), breite('w'));
    EXPECT_LT(breite('I'), breite('W'));
    EXPECT_LT(breite('.'), breite('0'));
    EXPECT_LT(breite('!'), breite('@'));
}

// Where BitmapText_ausgeben puts a text: from its start to the right edge
// of its last glyph, one average glyph height tall.
RECT Textfeld(const char* text, int x, int y, int ausrichtung) {
    int n = (int)strlen(text), w = rcGlyphen[99].left;
    if (ausrichtung == TEXT_ZENTRIERT) x -= (n / 2) * w;
    if (ausrichtung == TEXT_RECHTS) x -= n * w;
    RECT r{x, y, x, y + rcGlyphen[99].top};
    int vorschub = 0;
    for (const char* c = text; *c; c++) {
        int g = BitmapText_Zeichenindex((BYTE)*c);
        x += vorschub;
        if (g == KEIN_GLYPH) continue;
        vorschub = rcGlyphen[g].right - rcGlyphen[g].left;
        r.right = x + vorschub;
    }
    return r;
}

// Share of the box whose pixels lie in lo..hi: the dark text panels are
// the night ramp 241..250.
double Anteil_in(const std::vector<uint8_t>& bild, int breite, const RECT& r, int lo, int hi) {
    int auf = 0, alle = 0;
    int hoehe = (int)(bild.size() / breite);
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++) {
            if (x < 0 || x >= breite || y < 0 || y >= hoehe) continue;
            uint8_t p = bild[(size_t)y * breite + x];
            auf += p >= lo && p <= hi;
            alle++;
        }
    return alle ? (double)auf / alle : 0.0;
}

double Auf_Tafel(const std::vector<uint8_t>& bild, const RECT& r) { return Anteil_in(bild, 1024, r, 241, 250); }

}   // namespace

using ContentSchrift = ContentTest;

TEST_F(ContentSchrift, FontScansToEightyReadableGlyphs) { Schrift_pruefen(*this); }

// Without a TrueType font the generator falls back on its own pixel font,
// which must scan just as well and come out the same on every run; a
// missing font file means the same fallback. One run also writes the
// contact sheet as a single file.
TEST_F(ContentSchrift, PixelFontFallbackScansAndRepeats) {
    std::string zweiter = ordner + "/zweiter";
    ASSERT_EQ(Generator_laufen("--font none --out \"" + ordner + "\" --contact-sheet \"" + ordner + "/bogen.bmp\""), 0);
    ASSERT_TRUE(std::filesystem::create_directory(zweiter));
    ASSERT_EQ(Generator_laufen("--font /no/such/font.ttf --out \"" + zweiter + "\""), 0);
    for (const char* datei : {"Grafik.dat", "Sound.dat", "credits.wav"})
        EXPECT_TRUE(Datei_lesen(datei) == Datei_lesen(zweiter + "/" + datei)) << datei;
    EXPECT_EQ(Datei_lesen("bogen.bmp").compare(0, 2, "BM"), 0);
    ASSERT_EQ(PackFile_oeffnen("Grafik.dat", &pfvGrafik), 0);
    Schrift_pruefen(*this);
}

TEST_F(ContentSchrift, MenuAndListTextsLieOnThePanels) {
    PlatSurface* font = Flaeche(33, 920, 152);
    ASSERT_EQ(BitmapText_einlesen(font, rcGlyphen), 0);

    std::vector<uint8_t> menue = Bild(26, 1024, 768);
    const struct {
        const char* text;
        int x, y;
    } eintraege[] = {{"Start Game", 512, 100},
                     {"Show Highscores", 512, 200},
                     {"Show Credits", 512, 300},
                     {"Exit Game", 492, 400},
                     {"Are you sure you want to quite?", 512, 200},
                     {"(Y/N)", 502, 394}};
    for (const auto& e : eintraege)
        EXPECT_GT(Auf_Tafel(menue, Textfeld(e.text, e.x, e.y, TEXT_ZENTRIERT)), 0.97) << e.text;

    for (int sektor : {25, 35}) {
        std::vector<uint8_t> liste = Bild(sektor, 1024, 768);
        EXPECT_GT(Auf_Tafel(liste, Textfeld("Top 10", 512, 75, TEXT_ZENTRIERT)), 0.97);
        EXPECT_GT(Auf_Tafel(liste, Textfeld("Press Space to Exit", 512, 678, TEXT_ZENTRIERT)), 0.97);
        int h = rcGlyphen[99].top;
        for (int i = 0; i < 10; i++) {
            int y = 170 + i * h;
            EXPECT_GT(Auf_Tafel(liste, Textfeld("10.", 200 + 3 * i, y, TEXT_RECHTS)), 0.97) << "row " << i;
            EXPECT_GT(Auf_Tafel(liste, Textfeld("WWWWWWWWWWWW", 240 + 3 * i, y, TEXT_LINKS)), 0.97) << "row " << i;
            EXPECT_GT(Auf_Tafel(liste, Textfeld("8888", 720 + 3 * i, y, TEXT_LINKS)), 0.97) << "row " << i;
        }
    }
}

// The round intro writes "Round %i" and the count over its picture at
// (356, 75); the title its prompt over the meadow.
TEST_F(ContentSchrift, IntroAndTitleTextsHaveCalmGround) {
    PlatSurface* font = Flaeche(33, 920, 152);
    ASSERT_EQ(BitmapText_einlesen(font, rcGlyphen), 0);
    for (int sektor = 21; sektor <= 24; sektor++) {
        std::vector<uint8_t> bild = Bild(sektor, 312, 352);
        for (const char* text : {"Round 100", "Shot!", "-3-"}) {
            for (int y : {290, 355}) {
                RECT r = Textfeld(text, 512, y, TEXT_ZENTRIERT);
                RECT im_bild{r.left - 356, r.top - 75, r.right - 356, r.bottom - 75};
                EXPECT_GT(Anteil_in(bild, 312, im_bild, 241, 250), 0.97) << "sector " << sektor << " " << text;
            }
        }
    }
    std::vector<uint8_t> titel = Bild(34, 1024, 768);
    RECT r = Textfeld("Press Space to start", 552, 683, TEXT_ZENTRIERT);
    EXPECT_GT(Anteil_in(titel, 1024, r, 16, 31), 0.9) << "only grass under the prompt";
}
