// Lettering: the font picture the game scans for its glyph cells, and text
// masks for the lettering on the backgrounds. Glyph shapes come from a
// TrueType font when one is installed, else from our own pixel font; both
// ways give the same bytes on every run.
#include <cstring>

#include "inhalt.h"

#ifdef GLUBBER_HAVE_FREETYPE
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

namespace {

struct Glyph {
    Bild maske;       // 1 = ink, 255 = none
    int iLinks = 0;   // ink left of the pen position
    int iOben = 0;    // ink top above the baseline
    int iVorschub = 0;
};

std::string szSchriftDatei = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
bool bSchriftGeprueft = false;

#ifdef GLUBBER_HAVE_FREETYPE
FT_Library ftBibliothek = nullptr;
FT_Face ftSchrift = nullptr;
#endif

bool TrueType_laden(void) {
#ifdef GLUBBER_HAVE_FREETYPE
    if (bSchriftGeprueft) return ftSchrift != nullptr;
    bSchriftGeprueft = true;
    if (szSchriftDatei.empty()) return false;
    if (FT_Init_FreeType(&ftBibliothek) != 0) return false;
    if (FT_New_Face(ftBibliothek, szSchriftDatei.c_str(), 0, &ftSchrift) != 0) {
        ftSchrift = nullptr;
        return false;
    }
    return true;
#else
    return false;
#endif
}

bool Pixelglyph_holen(unsigned char c, int skala, Glyph* g) {
    const char* zeilen = Pixelzeichen(c);
    if (!zeilen) return false;
    // Rows into a 5 x 9 grid, then trim blank columns on both sides.
    char raster[9][6];
    memset(raster, '.', sizeof(raster));
    int zeile = 0, spalte = 0;
    for (const char* p = zeilen; *p && zeile < 9; p++) {
        if (*p == '/') {
            zeile++;
            spalte = 0;
        } else if (spalte < 5) {
            raster[zeile][spalte++] = *p;
        }
    }
    int links = 5, rechts = -1;
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 5; x++)
            if (raster[y][x] == '#') {
                links = x < links ? x : links;
                rechts = x > rechts ? x : rechts;
            }
    int breite = rechts >= links ? rechts - links + 1 : 3;
    if (rechts < links) links = 0;
    g->maske = Bild_neu(breite * skala, 9 * skala, F_TRANSPARENT);
    for (int y = 0; y < 9 * skala; y++)
        for (int x = 0; x < breite * skala; x++)
            if (links + x / skala < 5 && raster[y / skala][links + x / skala] == '#')
                g->maske.px[(size_t)y * g->maske.iBreite + x] = 1;
    g->iLinks = 0;
    g->iOben = 7 * skala;
    g->iVorschub = (breite + 1) * skala;
    return true;
}

bool Glyph_holen(unsigned char c, int groesse, Glyph* g) {
#ifdef GLUBBER_HAVE_FREETYPE
    if (TrueType_laden()) {
        if (FT_Set_Pixel_Sizes(ftSchrift, 0, (FT_UInt)groesse) != 0) return false;
        if (FT_Load_Char(ftSchrift, c, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return false;
        FT_GlyphSlot s = ftSchrift->glyph;
        const FT_Bitmap& bm = s->bitmap;
        g->maske = Bild_neu((int)bm.width, (int)bm.rows, F_TRANSPARENT);
        for (int y = 0; y < (int)bm.rows; y++)
            for (int x = 0; x < (int)bm.width; x++)
                if (bm.buffer[y * bm.pitch + x] >= 100) g->maske.px[(size_t)y * bm.width + x] = 1;
        g->iLinks = s->bitmap_left;
        g->iOben = s->bitmap_top;
        g->iVorschub = (int)(s->advance.x >> 6);
        return true;
    }
#endif
    return Pixelglyph_holen(c, groesse, g);
}

// The 80 characters in the order of the game's character table.
const char* const REIHENFOLGE = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,-:!\"$%&/()?\\`\xB4@+";

enum {
    SCHRIFT_BREITE = 920,
    SCHRIFT_HOEHE = 152,
    BAND = 37,          // separator line to separator line
    SICHTBAR = 35,      // glyph rows that reach the screen
    TINTE_OBEN = 2,     // first ink row (row 0 holds the column separators, row 1 the outline)
    TINTE_HOEHE = 31,   // ink rows, leaving room for outline and shadow below
    MAX_BAENDER = 4,
};

struct Zelle {
    Glyph glyph;
    int iBreite;   // drawn width: ink, outline, shadow and spacing
    int iTinteX;
};

Zelle Zelle_planen(const Glyph& g) {
    Zelle z;
    z.glyph = g;
    z.iTinteX = 1 + (g.iLinks > 0 ? g.iLinks : 0);
    int nach_tinte = z.iTinteX + g.maske.iBreite + 3;
    int nach_vorschub = g.iVorschub + 2;
    z.iBreite = nach_tinte > nach_vorschub ? nach_tinte : nach_vorschub;
    return z;
}

// Cells go left to right, a band at a time; false when they need more bands.
bool Zellen_packen(const std::vector<Zelle>& zellen, std::vector<int>* band, std::vector<int>* spalte) {
    int b = 0, x = 0;
    band->clear();
    spalte->clear();
    for (const Zelle& z : zellen) {
        if (x + z.iBreite + 2 > SCHRIFT_BREITE - 1) {
            b++;
            x = 0;
        }
        if (b >= MAX_BAENDER) return false;
        band->push_back(b);
        spalte->push_back(x);
        x += z.iBreite + 2;
    }
    return true;
}

void Ring_malen(Bild& b, const Bild& maske, int x, int y, int farbe, int versatz) {
    for (int my = -1; my <= maske.iHoehe; my++)
        for (int mx = -1; mx <= maske.iBreite; mx++) {
            bool nah = false;
            for (int dy = -1; dy <= 1 && !nah; dy++)
                for (int dx = -1; dx <= 1 && !nah; dx++) nah = Punkt_lesen(maske, mx + dx, my + dy) == 1;
            if (nah) Punkt_setzen(b, x + mx + versatz, y + my + versatz, (uint8_t)farbe);
        }
}

}   // namespace

// A new font file is looked at afresh; the face of the old one is let go,
// or the next check would still find it loaded.
void Schrift_datei_setzen(const std::string& datei) {
#ifdef GLUBBER_HAVE_FREETYPE
    if (ftSchrift) FT_Done_Face(ftSchrift);
    if (ftBibliothek) FT_Done_FreeType(ftBibliothek);
    ftSchrift = nullptr;
    ftBibliothek = nullptr;
#endif
    szSchriftDatei = datei;
    bSchriftGeprueft = false;
}

Bild Schrift_erzeugen(void) {
    std::vector<Zelle> zellen;
    std::vector<int> band, spalte;
    int oben_max = 0, unten_max = 0;
    bool truetype = TrueType_laden();
    // The largest size whose glyphs fit the band height and the 4 bands.
    for (int groesse = truetype ? 36 : 3; groesse >= (truetype ? 12 : 2); groesse--) {
        zellen.clear();
        oben_max = unten_max = 0;
        bool ok = true;
        for (const char* p = REIHENFOLGE; *p && ok; p++) {
            Glyph g;
            ok = Glyph_holen((unsigned char)*p, groesse, &g);
            if (!ok) break;
            oben_max = g.iOben > oben_max ? g.iOben : oben_max;
            int unten = g.maske.iHoehe - g.iOben;
            unten_max = unten > unten_max ? unten : unten_max;
            zellen.push_back(Zelle_planen(g));
        }
        if (ok && oben_max + unten_max <= TINTE_HOEHE && Zellen_packen(zellen, &band, &spalte)) break;
        zellen.clear();
    }

    if (zellen.empty() && truetype) {
        // A font file without our characters: our own pixel font instead.
        Schrift_datei_setzen("");
        return Schrift_erzeugen();
    }
    Bild b = Bild_neu(SCHRIFT_BREITE, SCHRIFT_HOEHE, F_TRANSPARENT);
    if (zellen.empty()) return b;
    int baender = band.back() + 1;
    for (int k = 0; k <= baender; k++) Rechteck_fuellen(b, 0, k * BAND, SCHRIFT_BREITE - 1, k * BAND, F_SCHWARZ);

    int grundlinie = TINTE_OBEN + oben_max + (TINTE_HOEHE - oben_max - unten_max) / 2;
    for (size_t i = 0; i < zellen.size(); i++) {
        const Zelle& z = zellen[i];
        int y0 = band[i] * BAND + 1;   // first row inside the band
        int a = spalte[i], c = spalte[i] + z.iBreite + 2;
        // Column separators as whole lines: only the band's first row is
        // read, and they never touch column 5.
        Rechteck_fuellen(b, a, y0, a, y0 + BAND - 2, F_SCHWARZ);
        Rechteck_fuellen(b, c, y0, c, y0 + BAND - 2, F_SCHWARZ);
        Bild zelle = Bild_neu(z.iBreite, SICHTBAR, F_TRANSPARENT);
        int tx = z.iTinteX, ty = grundlinie - z.glyph.iOben;
        Maske_einsetzen(zelle, z.glyph.maske, tx, ty, F_SCHRIFT, F_UMRISS, 1);
        // Row 0 of the cell is the separator row: nothing of the glyph there.
        for (int x = 0; x < zelle.iBreite; x++) zelle.px[x] = F_TRANSPARENT;
        Bild_einsetzen(b, zelle, a + 1, y0);
    }
    return b;
}

Bild Text_maske(const std::string& text, int hoehe) {
    bool truetype = TrueType_laden();
    int groesse = truetype ? hoehe : (hoehe * 73 / 700 > 1 ? hoehe * 73 / 700 : 1);
    std::vector<Glyph> glyphen;
    std::vector<int> stift;
    int x = 0, oben = 0, unten = 0, links = 0, rechts = 0;
    for (unsigned char c : text) {
        Glyph g;
        if (!Glyph_holen(c, groesse, &g)) {
            if (!Glyph_holen(' ', groesse, &g)) continue;
        }
        stift.push_back(x);
        oben = g.iOben > oben ? g.iOben : oben;
        unten = g.maske.iHoehe - g.iOben > unten ? g.maske.iHoehe - g.iOben : unten;
        links = x + g.iLinks < links ? x + g.iLinks : links;
        rechts = x + g.iLinks + g.maske.iBreite > rechts ? x + g.iLinks + g.maske.iBreite : rechts;
        x += g.iVorschub;
        glyphen.push_back(g);
    }
    Bild m = Bild_neu(rechts - links > 0 ? rechts - links : 1, oben + unten > 0 ? oben + unten : 1, F_TRANSPARENT);
    for (size_t i = 0; i < glyphen.size(); i++) {
        const Glyph& g = glyphen[i];
        for (int my = 0; my < g.maske.iHoehe; my++)
            for (int mx = 0; mx < g.maske.iBreite; mx++)
                if (g.maske.px[(size_t)my * g.maske.iBreite + mx] == 1)
                    Punkt_setzen(m, stift[i] + g.iLinks + mx - links, oben - g.iOben + my, 1);
    }
    return m;
}

static void Maske_setzen(Bild& dst, const Bild& maske, int x, int y, int farbe, int rampe, float oben, float unten,
                         int umriss, int schatten) {
    for (int s = schatten; s >= 1; s--) Ring_malen(dst, maske, x, y, umriss, s);
    Ring_malen(dst, maske, x, y, umriss, 0);
    float h = (float)(maske.iHoehe > 1 ? maske.iHoehe - 1 : 1);
    for (int my = 0; my < maske.iHoehe; my++)
        for (int mx = 0; mx < maske.iBreite; mx++)
            if (maske.px[(size_t)my * maske.iBreite + mx] == 1) {
                int f = rampe < 0 ? farbe : Rampe_gemischt(rampe, oben + (unten - oben) * my / h, x + mx, y + my);
                Punkt_setzen(dst, x + mx, y + my, (uint8_t)f);
            }
}

void Maske_einsetzen(Bild& dst, const Bild& maske, int x, int y, int farbe, int umriss, int schatten) {
    Maske_setzen(dst, maske, x, y, farbe, -1, 0, 0, umriss, schatten);
}

void Maske_einsetzen_verlauf(Bild& dst, const Bild& maske, int x, int y, int rampe, float oben, float unten, int umriss,
                             int schatten) {
    Maske_setzen(dst, maske, x, y, 0, rampe, oben, unten, umriss, schatten);
}
