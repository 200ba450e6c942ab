// The playfield picture against the skyline table the hit rule uses, and
// the hider at its eight spots, composed as the game draws it: behind the
// playfield picture.
#include <cstdio>
#include <string>

#include "content_hilfe_test.h"
#include "world/welt.h"

namespace {

bool Ist_Eckpunkt(int x) {
    for (const POINT& p : ptKulisse)
        if (p.x == x) return true;
    return false;
}

// The column whose hit rule a picture column must follow. On a vertex's x
// the hit rule covers nothing at any height; a slit of sky there would
// show, so such a column follows its left neighbour (column 0 its right).
int Regelspalte(int x) {
    if (!Ist_Eckpunkt(x)) return x;
    return x == 0 ? 1 : x - 1;
}

// Pixels of the playfield picture that disagree with the hit rule: opaque
// where a shot reaches a target behind the scenery, or transparent where
// the scenery takes the shot. Picture row y lies at screen (= world) row
// y + 320, picture column x at world column x.
struct Verstoesse {
    int iDarueber = 0;   // opaque, yet a target there is hit
    int iLoecher = 0;    // transparent, yet a target there is safe
    std::string sBeispiele;
    int Anzahl() const { return iDarueber + iLoecher; }
};

Verstoesse Kulisse_pruefen(const std::vector<uint8_t>& px) {
    Verstoesse v;
    for (int x = 0; x < 2048; x++) {
        int spalte = Regelspalte(x);
        for (int y = 0; y < 448; y++) {
            bool deckend = px[(size_t)y * 2048 + x] != TRANSPARENZ;
            bool kulisse = Kulisse_verdeckt(spalte, y + SPIELFELD_Y) == 1;
            if (deckend == kulisse) continue;
            if (v.Anzahl() < 5)
                v.sBeispiele += "x " + std::to_string(x) + " screen y " + std::to_string(y + SPIELFELD_Y) +
                                (deckend ? " opaque above the skyline\n" : " transparent below it\n");
            (deckend ? v.iDarueber : v.iLoecher)++;
        }
    }
    return v;
}

struct Sicht {
    int iSichtbar = 0, iAlle = 0;
    double Anteil() const { return iAlle ? (double)iSichtbar / iAlle : 1.0; }
};

}   // namespace

using ContentSpielfeld = ContentTest;

// Every pixel the hit rule calls scenery is opaque, every other one is sky:
// a target behind the scenery is seen exactly where a shot can hit it.
TEST_F(ContentSpielfeld, OpaqueExactlyBelowTheSkyline) {
    std::vector<uint8_t> px = Bild(1, 2048, 448);
    Verstoesse v = Kulisse_pruefen(px);
    EXPECT_EQ(v.Anzahl(), 0) << v.iDarueber << " above, " << v.iLoecher << " holes, e.g.\n" << v.sBeispiele;
    // The haystack at the first spot reaches right up to the skyline.
    const POINT& heu = ptVersteckeAnfang[0];
    int mitte = heu.x + 78;
    EXPECT_NE(px[(size_t)(465 + 1 - SPIELFELD_Y) * 2048 + mitte], TRANSPARENZ);
    EXPECT_EQ(px[(size_t)(465 - SPIELFELD_Y) * 2048 + mitte], TRANSPARENZ);
    // The bottom rows are ground all the way: risers climb out of it.
    for (int x = 0; x < 2048; x++) EXPECT_NE(px[447 * 2048 + x], TRANSPARENZ);
}

// The check itself: one pixel on the wrong side of the line, at the edges
// of the rule (on the skyline, just under it, on vertices, at both ends),
// is found and told apart.
TEST_F(ContentSpielfeld, TheSkylineCheckFindsEveryStrayPixel) {
    std::vector<uint8_t> px = Bild(1, 2048, 448);
    ASSERT_EQ(Kulisse_pruefen(px).Anzahl(), 0);
    struct Fall {
        int x, bildschirm_y;
        bool deckend;
    };
    const Fall faelle[] = {
        {300, 465, true},                     // on the flat step at the haystack: a target there is hit
        {300, 466, false},                    // the first row the scenery covers
        {100, 455, true},                     // segment 1 keeps its left vertex's height ...
        {254, 456, false},                    // ... up to its right end, though that vertex lies at 465
        {255, 455, true},                     // a vertex column follows its left neighbour
        {255, 456, false},  {0, 475, true},   // column 0 follows segment 0
        {2047, 484, true},                    // the last column follows segment 80
        {2047, 767, false},                   // the bottom row
        {1230, 550, true},                    // the lowest step
        {1000, 320, true},                    // the picture's top row
    };
    for (const Fall& f : faelle) {
        std::vector<uint8_t> falsch = px;
        falsch[(size_t)(f.bildschirm_y - SPIELFELD_Y) * 2048 + f.x] = f.deckend ? 7 : TRANSPARENZ;
        Verstoesse v = Kulisse_pruefen(falsch);
        EXPECT_EQ(v.iDarueber, f.deckend ? 1 : 0) << "x " << f.x << " y " << f.bildschirm_y;
        EXPECT_EQ(v.iLoecher, f.deckend ? 0 : 1) << "x " << f.x << " y " << f.bildschirm_y;
    }
}

TEST_F(ContentSpielfeld, HiderHidesWhenDownAndPeeksOutWhenUp) {
    PlatSurface* spielfeld = Flaeche(1, 2048, 448);
    PlatSurface* bilder[5];
    const int sektoren[5] = {36, 37, 38, 39, 0};
    for (int i = 0; i < 5; i++) bilder[i] = Flaeche(sektoren[i], 152, 88);
    const int himmel = 111;

    // Screen pixels of the frame at (sx, y) that are not the background.
    auto zusammensetzen = [&](PlatSurface* figur, int scroll, int sx, int y) {
        DDraw_Puffer_leeren(lpDDSBack, himmel);
        if (figur) DDraw_Bild_zeichnen(sx, y, 152, 88, figur, lpDDSBack);
        DDraw_Bild_zeichnen(scroll, SPIELFELD_Y, 2048, 448, spielfeld, lpDDSBack);
        return Flaeche_lesen(lpDDSBack);
    };

    double summe_treffer = 0;
    for (int platz = 0; platz < MAX_VERSTECKE; platz++) {
        const POINT& p = ptVersteckeAnfang[platz];
        int scroll = 400 - p.x;
        scroll = scroll > 0 ? 0 : scroll < -1024 ? -1024 : scroll;
        int sx = p.x + scroll;
        for (int b = 0; b < 5; b++) {
            std::vector<uint8_t> figur = Flaeche_lesen(bilder[b]);
            for (int y : {p.y + 88, p.y - 3}) {
                std::vector<uint8_t> mit = zusammensetzen(bilder[b], scroll, sx, y);
                std::vector<uint8_t> ohne = zusammensetzen(nullptr, scroll, sx, y);
                Sicht ganz, kopf, treffer;
                for (int fy = 0; fy < 88; fy++)
                    for (int fx = 0; fx < 152; fx++) {
                        if (figur[(size_t)fy * 152 + fx] == TRANSPARENZ || y + fy >= 768) continue;
                        size_t i = (size_t)(y + fy) * 1024 + (sx + fx);
                        bool sichtbar = mit[i] != ohne[i];
                        ganz.iAlle++;
                        ganz.iSichtbar += sichtbar;
                        if (fy < 30) {
                            kopf.iAlle++;
                            kopf.iSichtbar += sichtbar;
                        }
                        if (fx >= 75 && fx <= 100 && fy >= 14 && fy <= 60) {
                            treffer.iAlle++;
                            treffer.iSichtbar += sichtbar;
                        }
                    }
                if (y > p.y) {
                    EXPECT_EQ(ganz.iSichtbar, 0) << "spot " << platz << " frame " << b << " shows while down";
                } else if (b < 4) {
                    EXPECT_GT(kopf.Anteil(), 0.75) << "spot " << platz << " frame " << b;
                    // The skyline in front of spot 2 covers the lower half of
                    // the face at every picture: the table puts it there.
                    EXPECT_GT(treffer.Anteil(), 0.4) << "spot " << platz << " frame " << b;
                    if (b == 0) summe_treffer += treffer.Anteil();
                }
            }
        }
    }
    EXPECT_GT(summe_treffer / MAX_VERSTECKE, 0.8) << "most of the face shows on average";
}
