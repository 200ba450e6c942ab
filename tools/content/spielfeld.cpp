// The playfield picture, 2048 x 448, drawn at screen row 320. Its sky is
// transparent; below the skyline of the shared table everything is opaque,
// so what hides a target is exactly what the hit rule calls scenery.
#include "inhalt.h"
#include "world/kulisse.h"

namespace {

const int BREITE = 2048, HOEHE = 448, OBEN = 320;

// First opaque row of each column: one below the step of the segment the
// column lies in (columns on a vertex take the segment to their left).
int iOben[BREITE];

void Kulisse_rechnen(void) {
    for (int x = 0; x < BREITE; x++) {
        int y = ptKulisse[0].y;
        for (int k = 0; k + 1 < MAX_KULISSE; k++)
            if (ptKulisse[k].x < x) y = ptKulisse[k].y;
        iOben[x] = y + 1 - OBEN;
    }
}

float Welle(float x, float a1, float l1, float a2, float l2, float phase) {
    return a1 * (float)Sinus(x / l1 + phase) + a2 * (float)Sinus(x / l2 + 2 * phase + 1.0f);
}

// Far woods: the silhouette itself, a wall of dark crowns lit along the
// top edge, with the odd trunk showing through.
void Ferne_malen(Bild& b) {
    for (int x = 0; x < BREITE; x++)
        for (int y = iOben[x]; y < HOEHE; y++) {
            int t = y - iOben[x];
            float laub = Rauschen((float)x, (float)y, 6, 11) * 0.65f + Rauschen((float)x, (float)y, 2.5f, 12) * 0.35f;
            float stufe = 2.0f + 5.0f * laub - t * 0.02f;
            if (t < 3) stufe += 3.5f - t;
            int farbe = Rampe_gemischt(R_GRUEN, stufe, x, y);
            if (laub < 0.22f && t > 6) farbe = Rampe(R_ERDE, 2);
            b.px[(size_t)y * BREITE + x] = (uint8_t)farbe;
        }
}

int Mitte_oben(int x) {
    int h = (int)(172 + Welle((float)x, 20, 170, 11, 61, 0.3f));
    return h > iOben[x] + 16 ? h : iOben[x] + 16;
}

int Vorne_oben(int x) { return (int)(318 + Welle((float)x, 13, 230, 7, 83, 1.7f)); }

// Rolling farmland in the middle distance: a patchwork of fields divided
// by hedges.
void Felder_malen(Bild& b) {
    Zufall_setzen(2024);
    int x0 = 0;
    std::vector<int> grenzen;
    while (x0 < BREITE) {
        grenzen.push_back(x0);
        x0 += 110 + Zufall_bis(170);
    }
    grenzen.push_back(BREITE);
    for (size_t f = 0; f + 1 < grenzen.size(); f++) {
        int art = (int)((f * 7 + 3) % 4);
        for (int x = grenzen[f]; x < grenzen[f + 1]; x++) {
            int top = Mitte_oben(x);
            for (int y = top; y < HOEHE; y++) {
                int t = y - top;
                float r = Rauschen((float)x, (float)y, 4, 21);
                int farbe;
                if (art == 0)
                    farbe = Rampe_gemischt(R_GRUEN, 8.5f + 2 * r + (t < 2 ? 2 : 0), x, y);
                else if (art == 1)
                    farbe = Rampe_gemischt(R_GELB, 9.0f + 2 * r + ((y + x / 9) % 7 < 2 ? -2 : 0), x, y);
                else if (art == 2)
                    farbe = Rampe_gemischt(R_ERDE, 6.0f + 1.5f * r + ((y / 3 + x / 40) % 3 == 0 ? -2 : 0), x, y);
                else
                    farbe = Rampe_gemischt(R_GRUEN, 6.0f + 2 * r + ((x / 6 + y / 4) % 4 == 0 ? -1.5f : 0), x, y);
                b.px[(size_t)y * BREITE + x] = (uint8_t)farbe;
            }
        }
        // Hedge along the field's left border, slanting towards the viewer.
        int hx = grenzen[f], h0 = Mitte_oben(hx);
        Linie_malen(b, (float)hx, (float)h0, hx + (HOEHE - h0) * 0.3f, (float)HOEHE, 7, F_UMRISS);
        Linie_malen(b, (float)hx, (float)h0, hx + (HOEHE - h0) * 0.3f, (float)HOEHE, 5, Rampe(R_GRUEN, 4));
        Linie_malen(b, hx - 1.0f, (float)h0, hx - 1 + (HOEHE - h0) * 0.3f, (float)HOEHE, 1.5f, Rampe(R_GRUEN, 8));
    }
    // A lit rim where the farmland meets the tree line.
    for (int x = 0; x < BREITE; x++) Punkt_setzen(b, x, Mitte_oben(x), (uint8_t)Rampe(R_GRUEN, 12));
}

void Haus_malen(Bild& b, int x, int y, int breite, int hoehe, bool scheune) {
    int dach = hoehe * 3 / 4;
    int wand = scheune ? R_ROT : R_GRAU;
    Rechteck_fuellen(b, x - 1, y - hoehe - 1, x + breite, y, F_UMRISS);
    Malen(
        b, x, y - hoehe, x + breite - 1, y - 1, [](float, float) { return true; },
        [&](int px, int py) {
            float planke = scheune && (px - x) % 8 == 0 ? -2.0f : 0.0f;
            return Rampe_gemischt(wand, (scheune ? 8.0f : 12.5f) + planke - (px - x) * 2.0f / breite, px, py);
        });
    float mx = x + breite / 2.0f;
    std::vector<float> giebel = {
        (float)x - 8, (float)(y - hoehe), mx, (float)(y - hoehe - dach), (float)(x + breite + 8), (float)(y - hoehe)};
    Polygon_fuellen(b, {giebel[0] - 2, giebel[1] + 2, giebel[2], giebel[3] - 3, giebel[4] + 2, giebel[5] + 2},
                    F_UMRISS);
    Malen(
        b, x - 8, y - hoehe - dach, x + breite + 8, y - hoehe,
        [&](float px, float py) {
            float rel = (py - (y - hoehe - dach)) / dach;
            return rel >= 0 && px >= mx - (breite / 2.0f + 8) * rel && px <= mx + (breite / 2.0f + 8) * rel;
        },
        [&](int px, int py) {
            float ziegel = ((py / 4) % 2 == 0 && (px / 6) % 2 == 0) ? -1.0f : 0.0f;
            return Rampe_gemischt(scheune ? R_ERDE : R_ROT, (scheune ? 4.0f : 6.0f) + ziegel + (px < mx ? 1.5f : 0), px,
                                  py);
        });
    // Windows and door.
    int fenster = breite / 34;
    for (int i = 0; i < fenster; i++) {
        int fx = x + 10 + i * (breite - 20) / (fenster > 1 ? fenster : 1) + 2;
        if (scheune) continue;
        Rechteck_fuellen(b, fx - 1, y - hoehe + 9, fx + 14, y - hoehe + 26, F_UMRISS);
        Verlauf_malen(b, fx, y - hoehe + 10, fx + 13, y - hoehe + 25, R_BLAU, 11, 5);
        Rechteck_fuellen(b, fx + 6, y - hoehe + 10, fx + 7, y - hoehe + 25, F_WEISS);
        Rechteck_fuellen(b, fx, y - hoehe + 17, fx + 13, y - hoehe + 18, F_WEISS);
    }
    int tx = scheune ? x + breite / 2 - 16 : x + breite - 30;
    int tb = scheune ? 32 : 16;
    Rechteck_fuellen(b, tx - 1, y - (scheune ? hoehe * 3 / 4 : 30) - 1, tx + tb, y - 1, F_UMRISS);
    Verlauf_malen(b, tx, y - (scheune ? hoehe * 3 / 4 : 30), tx + tb - 1, y - 1, R_ERDE, 6, 3);
    if (scheune) {
        Linie_malen(b, (float)tx, (float)(y - hoehe * 3 / 4), (float)(tx + tb), (float)y, 2, Rampe(R_GRAU, 13));
        Linie_malen(b, (float)(tx + tb), (float)(y - hoehe * 3 / 4), (float)tx, (float)y, 2, Rampe(R_GRAU, 13));
    } else {
        int kx = x + breite / 4;   // chimney
        Rechteck_fuellen(b, kx - 1, y - hoehe - dach + 4, kx + 10, y - hoehe - dach / 2, F_UMRISS);
        Zylinder_malen(b, kx, y - hoehe - dach + 5, kx + 9, y - hoehe - dach / 2, R_ROT, 2, 8);
    }
}

// Places a thing only where its top stays under the skyline.
bool Unter_Kulisse(int x0, int x1, int oben) {
    for (int x = x0 < 0 ? 0 : x0; x <= x1 && x < BREITE; x++)
        if (oben < iOben[x] + 2) return false;
    return true;
}

void Mittelgrund_malen(Bild& b) {
    static const int baeume[][2] = {{120, 46},  {410, 40},  {560, 52},  {860, 44},  {1180, 40},
                                    {1380, 56}, {1480, 44}, {1620, 50}, {1690, 38}, {1990, 48}};
    int saat = 100;
    for (const auto& t : baeume) {
        int fuss = Mitte_oben(t[0]) + 18;
        int h = t[1];
        while (h > 16 && !Unter_Kulisse(t[0] - h / 2, t[0] + h / 2, fuss - h)) h -= 2;
        if (h > 16) Baum_malen(b, (float)t[0], (float)fuss, (float)h, saat++);
    }
    // Houses sink until their roofs clear the skyline.
    static const int haeuser[][5] = {{980, 112, 46, 0, 40}, {1790, 96, 52, 1, 46}, {1895, 26, 40, 0, 40}};
    for (const auto& h : haeuser) {
        int fuss = Mitte_oben(h[0] + h[1] / 2) + h[4];
        while (!Unter_Kulisse(h[0] - 10, h[0] + h[1] + 10, fuss - h[2] - h[2] * 3 / 4 - 4)) fuss++;
        Haus_malen(b, h[0], fuss, h[1], h[2], h[3] != 0);
    }
}

// A pond in the low ground in front of the dip of the tree line.
void Teich_malen(Bild& b) {
    float cx = 752, cy = 252, rx = 88, ry = 16;
    Ellipse_fuellen(b, cx, cy, rx + 3, ry + 3, Rampe(R_ERDE, 6));
    Malen(
        b, (int)(cx - rx), (int)(cy - ry), (int)(cx + rx), (int)(cy + ry),
        [&](float x, float y) {
            float dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1.0f;
        },
        [&](int x, int y) {
            float glanz = ((y + x / 11) % 5 == 0) ? 2.5f : 0.0f;
            return Rampe_gemischt(R_BLAU, 9.0f + glanz - (y - (cy - ry)) * 0.12f, x, y);
        });
    for (int i = 0; i < 9; i++) {   // reeds
        float x = cx - rx + 6 + i * 9.0f + (i > 4 ? 100 : 0);
        Linie_malen(b, x, cy + 4, x - 2, cy - 16 - (i % 3) * 4, 1.5f, Rampe(R_GRUEN, 6));
        Ellipse_fuellen(b, x - 2, cy - 16 - (i % 3) * 4, 1.5f, 4, Rampe(R_ERDE, 4));
    }
}

void Vordergrund_malen(Bild& b) {
    for (int x = 0; x < BREITE; x++) {
        int top = Vorne_oben(x);
        for (int y = top; y < HOEHE; y++) {
            int t = y - top;
            float r = Rauschen((float)x, (float)y, 5, 31) * 0.7f + Rauschen((float)x, (float)y, 17, 32) * 0.3f;
            float halm = ((x * 5 + (y / 3) * 3) % 11 == 0) ? 2.0f : 0.0f;
            float stufe = 9.0f + 3.0f * r + halm - t * 0.012f;
            if (t < 2) stufe = 13.5f;
            b.px[(size_t)y * BREITE + x] = (uint8_t)Rampe_gemischt(R_GRUEN, stufe, x, y);
        }
    }
    // A dirt path winding down to the front.
    for (int y = 0; y < HOEHE; y++)
        for (int x = 1300; x < 1700; x++) {
            if (y < Vorne_oben(x) + 2) continue;
            float t = (float)(y - 300) / 148.0f;
            float mitte = 1420 + 90 * t * t + 14 * (float)Sinus(y / 21.0);
            float halb = 10 + 34 * t;
            if (x > mitte - halb && x < mitte + halb) {
                float rand_nah = (x < mitte - halb + 3 || x > mitte + halb - 3) ? -2.0f : 0.0f;
                b.px[(size_t)y * BREITE + x] =
                    (uint8_t)Rampe_gemischt(R_ERDE, 9.0f + rand_nah + 2 * Rauschen((float)x, (float)y, 3, 41), x, y);
            }
        }
    // Fence along the meadow's upper edge.
    for (int x = 30; x < BREITE - 20; x += 46) {
        if (x > 1330 && x < 1480) continue;   // gate for the path
        int fuss = Vorne_oben(x) + 20;
        Rechteck_fuellen(b, x - 4, fuss - 34, x + 4, fuss, F_UMRISS);
        Zylinder_malen(b, x - 3, fuss - 33, x + 3, fuss - 1, R_ERDE, 3, 10);
        if (x + 46 < BREITE - 20 && !(x + 46 > 1330 && x + 46 < 1480)) {
            int f2 = Vorne_oben(x + 46) + 20;
            for (int s = 0; s < 2; s++) {
                float y0 = (float)(fuss - 26 + s * 12), y1 = (float)(f2 - 26 + s * 12);
                Linie_malen(b, (float)x + 3, y0, (float)x + 43, y1, 5, F_UMRISS);
                Linie_malen(b, (float)x + 3, y0, (float)x + 43, y1, 3, Rampe(R_ERDE, 8));
            }
        }
    }
    // Flowers and stones.
    Zufall_setzen(77);
    for (int i = 0; i < 420; i++) {
        int x = Zufall_bis(BREITE), y = Vorne_oben(x) + 24 + Zufall_bis(HOEHE - Vorne_oben(x) - 24);
        if (b.px[(size_t)y * BREITE + x] >= 32 && b.px[(size_t)y * BREITE + x] < 48) continue;   // not on the path
        static const int farben[4] = {R_ROT, R_GELB, R_GRAU, R_MAGENTA};
        int rampe = farben[Zufall_bis(4)];
        float g = 1.2f + (y - 300) * 0.012f;
        Ellipse_fuellen(b, (float)x, (float)y, g + 0.8f, g + 0.8f, Rampe(R_GRUEN, 3));
        Ellipse_fuellen(b, (float)x, (float)y, g, g, Rampe(rampe, 12));
    }
    static const int steine[][3] = {{220, 400, 16}, {640, 372, 11}, {1010, 420, 20}, {1830, 390, 14}, {1240, 352, 9}};
    for (const auto& s : steine) {
        Ellipse_fuellen(b, (float)s[0], (float)s[1], s[2] + 1.5f, s[2] * 0.6f + 1.5f, F_UMRISS);
        Kugel_malen(b, (float)s[0], (float)s[1], (float)s[2], s[2] * 0.6f, R_STEIN, 3, 13);
    }
    static const int buesche[][3] = {{70, 330, 70}, {520, 322, 60}, {900, 330, 80}, {1560, 326, 64}, {1960, 328, 90}};
    for (const auto& s : buesche) Busch_malen(b, (float)s[0], (float)s[1], (float)s[2], s[2] * 0.55f, s[0]);
}

// The haystack at the first hiding spot: a dome whose top is cut off
// along the skyline, so the hider ducks behind straw the shot also counts
// as scenery.
void Heuhaufen_malen(Bild& b) {
    const POINT& p = ptVersteckeAnfang[0];
    // Standing on the fields in front of the tree line, wide enough that
    // its flat top hides the hider's shoulders.
    const float cx = p.x + 78.0f, fuss = 186, rx = 104, ry = 56;
    auto kuppel = [&](float x, float y, float zu) {
        float dx = (x - cx) / (rx + zu), dy = (y - fuss) / (ry + zu);
        return y <= fuss + zu && dx * dx + dy * dy <= 1.0f;
    };
    auto oben = [](float x) { return iOben[(int)x]; };   // x: a pixel centre inside the picture
    int x0 = (int)(cx - rx) - 3, x1 = (int)(cx + rx) + 3, y0 = (int)(fuss - ry) - 3;
    Malen(
        b, x0, y0, x1, (int)fuss + 2, [&](float x, float y) { return kuppel(x, y, 2) && y >= oben(x); },
        [](int, int) { return F_UMRISS; });
    Malen(
        b, x0, y0, x1, (int)fuss, [&](float x, float y) { return kuppel(x, y, 0) && y >= oben(x) + 2; },
        [&](int x, int y) {
            float nx = (x + 0.5f - cx) / rx;
            float stroh = ((x * 3 + y * 7) % 13 < 2 || (x * 5 - y * 3 + 1000) % 17 < 2) ? -2.0f : 0.0f;
            float kante = y < oben((float)x) + 4 ? 1.5f : 0.0f;   // sunlit cut along the top
            return Rampe_gemischt(R_GELB, 10.5f - 3.5f * nx + stroh + kante - (y - (fuss - ry)) * 0.03f, x, y);
        });
    Linie_malen(b, cx - rx + 12, fuss - 4, cx + rx - 12, fuss - 4, 3, Rampe(R_GELB, 5));
    Linie_malen(b, cx + 62, fuss - 2, cx + 84, fuss - 36, 2, Rampe(R_ERDE, 6));   // pitchfork leaning on it
}

}   // namespace

Bild Spielfeld_malen(void) {
    Kulisse_rechnen();
    Bild b = Bild_neu(BREITE, HOEHE, F_TRANSPARENT);
    Ferne_malen(b);
    Felder_malen(b);
    Teich_malen(b);
    Mittelgrund_malen(b);
    Vordergrund_malen(b);
    Heuhaufen_malen(b);
    // Nothing above the skyline: a target there can be hit, so it must be
    // seen. Crowns, roofs and outlines that reach higher are cut off.
    for (int x = 0; x < BREITE; x++)
        for (int y = 0; y < iOben[x]; y++) b.px[(size_t)y * BREITE + x] = F_TRANSPARENT;
    return b;
}
