// The playfield picture against the skyline table the hit rule uses, and
// the hider at its eight spots, composed as the game draws it: behind the
// playfield picture.
#include <cstdio>

#include "content_hilfe_test.h"
#include "world/welt.h"

namespace {

bool Ist_Eckpunkt(int x)
{
    for (const POINT& p : ptKulisse)
        if (p.x == x) return true;
    return false;
}

// Columns of the haystack that hides the hider at the first spot: the only
// scenery above the skyline.
bool Am_Heuhaufen(int x) { return x >= ptVersteckeAnfang[0].x - 30 && x <= ptVersteckeAnfang[0].x + 190; }

struct Sicht {
    int iSichtbar = 0, iAlle = 0;
    double Anteil() const { return iAlle ? (double)iSichtbar / iAlle : 1.0; }
};

}  // namespace

using ContentSpielfeld = ContentTest;

// Every pixel the hit rule calls scenery is opaque, every other one is sky.
TEST_F(ContentSpielfeld, OpaqueExactlyBelowTheSkyline)
{
    std::vector<uint8_t> px = Bild(1, 2048, 448);
    int falsch = 0;
    for (int x = 0; x < 2048; x++) {
        if (Ist_Eckpunkt(x) || Am_Heuhaufen(x)) continue;
        for (int y = 0; y < 448; y++) {
            bool deckend = px[(size_t)y * 2048 + x] != TRANSPARENZ;
            bool kulisse = Kulisse_verdeckt(x, y + SPIELFELD_Y) == 1;
            if (deckend != kulisse && falsch++ < 5)
                ADD_FAILURE() << "x " << x << " screen y " << y + SPIELFELD_Y << (deckend ? " opaque" : " transparent");
        }
    }
    EXPECT_EQ(falsch, 0);
    // And at the haystack: open sky well above the skyline beside it.
    for (int k = 0; k + 1 < MAX_KULISSE; k++) {
        int x = (ptKulisse[k].x + ptKulisse[k + 1].x) / 2;
        if (x == ptKulisse[k].x || Ist_Eckpunkt(x)) continue;
        EXPECT_NE(px[(size_t)(ptKulisse[k].y + 1 - SPIELFELD_Y) * 2048 + x], TRANSPARENZ) << "segment " << k;
        if (!Am_Heuhaufen(x)) {
            EXPECT_EQ(px[(size_t)(ptKulisse[k].y - 12 - SPIELFELD_Y) * 2048 + x], TRANSPARENZ) << "segment " << k;
        }
    }
    // The bottom rows are ground all the way: risers climb out of it.
    for (int x = 0; x < 2048; x++) EXPECT_NE(px[447 * 2048 + x], TRANSPARENZ);
}

TEST_F(ContentSpielfeld, HiderHidesWhenDownAndPeeksOutWhenUp)
{
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
