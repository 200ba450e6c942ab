// The full-screen backgrounds: title, menu, the two high score pages and
// the credits. The game writes its texts over them in the bitmap font, so
// where texts go the pictures stay calm: dark panels, open sky.
#include "inhalt.h"

namespace {

const int W = 1024, H = 768;

void Himmel_malen(Bild& b, int y0, int y1, int rampe, float oben, float unten) {
    Verlauf_malen(b, 0, y0, W - 1, y1, rampe, oben, unten);
}

void Sterne_streuen(Bild& b, int anzahl, int y_max, int saat, int x0 = 0, int x1 = W - 1) {
    Zufall_setzen((uint32_t)saat);
    for (int i = 0; i < anzahl; i++) {
        int x = x0 + Zufall_bis(x1 - x0 + 1), y = Zufall_bis(y_max);
        int hell = Zufall_bis(5);
        Punkt_setzen(b, x, y, (uint8_t)Rampe(R_GRAU, 10 + hell));
        if (hell == 4) {
            Punkt_setzen(b, x - 1, y, (uint8_t)Rampe(R_GRAU, 9));
            Punkt_setzen(b, x + 1, y, (uint8_t)Rampe(R_GRAU, 9));
            Punkt_setzen(b, x, y - 1, (uint8_t)Rampe(R_GRAU, 9));
            Punkt_setzen(b, x, y + 1, (uint8_t)Rampe(R_GRAU, 9));
        }
    }
}

void Wolke_malen(Bild& b, float cx, float cy, float breite, int rampe, float lo, float hi, int saat) {
    Zufall_setzen((uint32_t)saat);
    int n = 5 + (int)(breite / 40);
    for (int i = 0; i < n; i++) {
        float t = (float)i / (n - 1) - 0.5f;
        float r = breite * (0.16f + 0.08f * Zufall_eins()) * (1.0f - t * t * 1.6f);
        Kugel_malen(b, cx + t * breite * 0.8f, cy - r * 0.35f + 4 * Zufall_eins(), r, r * 0.72f, rampe, lo, hi);
    }
}

// Land below a wavy line, lit at its crest.
void Huegel_malen(Bild& b, float basis, float a1, float l1, float a2, float l2, float phase, int rampe, float lo,
                  float hi, int y_bis = H - 1) {
    for (int x = 0; x < W; x++) {
        int top = (int)(basis + a1 * (float)Sinus(x / l1 + phase) + a2 * (float)Sinus(x / l2 + 2 * phase));
        for (int y = top < 0 ? 0 : top; y <= y_bis; y++) {
            float t = (float)(y - top);
            float r = Rauschen((float)x, (float)y, 5, (int)(phase * 100));
            float stufe = t < 2 ? hi : lo + (hi - lo) * 0.75f * r + (hi - lo) * 0.2f - t * 0.01f;
            Punkt_setzen(b, x, y, (uint8_t)Rampe_gemischt(rampe, stufe, x, y));
        }
    }
}

// A dark panel with a gilt frame and rounded corners, for the texts.
void Tafel_malen(Bild& b, int x0, int y0, int x1, int y1) {
    auto innen = [&](float x, float y, float rand) {
        float r = 22 - rand;
        float ax = x0 + rand, ay = y0 + rand, bx = x1 - rand, by = y1 - rand;
        if (x < ax || x > bx || y < ay || y > by) return false;
        float dx = x < ax + r ? ax + r - x : x > bx - r ? x - (bx - r) : 0;
        float dy = y < ay + r ? ay + r - y : y > by - r ? y - (by - r) : 0;
        return dx * dx + dy * dy <= r * r;
    };
    Malen(
        b, x0 - 3, y0 - 3, x1 + 3, y1 + 3, [&](float x, float y) { return innen(x, y, -3); },
        [](int, int) { return F_UMRISS; });
    Malen(
        b, x0, y0, x1, y1, [&](float x, float y) { return innen(x, y, 0); },
        [&](int x, int y) { return Rampe_gemischt(R_GOLD, 6.0f - 5.0f * (y - y0) / (y1 - y0), x, y); });
    Malen(
        b, x0, y0, x1, y1, [&](float x, float y) { return innen(x, y, 6); }, [](int, int) { return F_UMRISS; });
    Malen(
        b, x0, y0, x1, y1, [&](float x, float y) { return innen(x, y, 8); },
        [&](int x, int y) { return Rampe_gemischt(R_NACHT, 3.0f + 5.0f * (y - y0) / (y1 - y0), x, y); });
}

void Mond_malen(Bild& b, float cx, float cy, float r) {
    for (int i = 3; i >= 1; i--) Ellipse_fuellen(b, cx, cy, r + 6.0f * i, r + 6.0f * i, Rampe(R_NACHT, 6 + i));
    Kugel_malen(b, cx, cy, r, r, R_GELB, 11, 16);
    Ellipse_fuellen(b, cx - r * 0.3f, cy + r * 0.2f, r * 0.18f, r * 0.14f, Rampe(R_GELB, 11));
    Ellipse_fuellen(b, cx + r * 0.35f, cy - r * 0.3f, r * 0.12f, r * 0.1f, Rampe(R_GELB, 11));
}

void Feuerwerk_malen(Bild& b, float cx, float cy, float r, int rampe, int saat) {
    Zufall_setzen((uint32_t)saat);
    for (int i = 0; i < 28; i++) {
        double w = 2 * PI * i / 28 + 0.05 * Zufall_eins();
        float l = r * (0.75f + 0.25f * Zufall_eins());
        float ex = cx + l * (float)Sinus(w), ey = cy - l * (float)Cosinus(w);
        Linie_malen(b, cx + l * 0.35f * (float)Sinus(w), cy - l * 0.35f * (float)Cosinus(w), ex, ey, 2,
                    Rampe(rampe, 9));
        Ellipse_fuellen(b, ex, ey, 2.5f, 2.5f, Rampe(rampe, 14));
    }
    Ellipse_fuellen(b, cx, cy, 4, 4, F_WEISS);
}

void Konfetti_streuen(Bild& b, int anzahl, int saat, int x0, int x1, int y0, int y1) {
    static const int rampen[5] = {R_ROT, R_GELB, R_MINZE, R_BLAU, R_MAGENTA};
    Zufall_setzen((uint32_t)saat);
    for (int i = 0; i < anzahl; i++) {
        float x = (float)(x0 + Zufall_bis(x1 - x0)), y = (float)(y0 + Zufall_bis(y1 - y0));
        float w = Zufall_eins() * 3.0f;
        Linie_malen(b, x, y, x + 5 * (float)Cosinus(w), y + 5 * (float)Sinus(w), 2.5f, Rampe(rampen[i % 5], 11));
    }
}

void Pokal_malen(Bild& b, float cx, float fuss) {
    Zylinder_malen(b, (int)cx - 34, (int)fuss - 16, (int)cx + 34, (int)fuss, R_ERDE, 2, 8);
    Zylinder_malen(b, (int)cx - 8, (int)fuss - 56, (int)cx + 8, (int)fuss - 16, R_GOLD, 0, 7);
    for (int seite = -1; seite <= 1; seite += 2) {   // handles: rings, the background showing through
        float hx = cx + 44.0f * seite, hy = fuss - 104;
        Malen(
            b, (int)hx - 17, (int)hy - 23, (int)hx + 17, (int)hy + 23,
            [&](float x, float y) {
                float ax = (x - hx) / 16, ay = (y - hy) / 22, ix = (x - hx) / 10, iy = (y - hy) / 16;
                return ax * ax + ay * ay <= 1.0f && ix * ix + iy * iy > 1.0f;
            },
            [&](int x, int y) { return Rampe_gemischt(R_GOLD, 3.0f + 3.0f * (hy - y) / 22, x, y); });
    }
    Malen(
        b, (int)cx - 40, (int)fuss - 140, (int)cx + 40, (int)fuss - 54,
        [&](float x, float y) {
            float t = (y - (fuss - 140)) / 86.0f;
            float halb = 40 * (1 - t * t);
            return x >= cx - halb && x <= cx + halb;
        },
        [&](int x, int y) {
            float t = (y - (fuss - 140)) / 86.0f;
            float halb = 40 * (1 - t * t) + 1;
            float nx = (x + 0.5f - cx) / halb;
            return Rampe_gemischt(R_GOLD, 4.0f + 4.0f * (1 - (nx + 0.4f) * (nx + 0.4f)), x, y);
        });
    Stern_malen(b, cx, fuss - 104, 14, 6, 5, 0, F_WEISS);
}

void Regen_malen(Bild& b, int saat, int y_bis) {
    Zufall_setzen((uint32_t)saat);
    for (int i = 0; i < 500; i++) {
        float x = (float)Zufall_bis(W + 100) - 50, y = (float)Zufall_bis(y_bis);
        Linie_malen(b, x, y, x - 4, y + 14, 1, Rampe(R_BLAU, 10));
    }
}

// Our creatures as decoration; `links` mirrors them to face left.
void Figur_setzen(Bild& b, const Bild& f, int x, int y, bool links, int faktor = 1) {
    Bild_einsetzen_skaliert(b, links ? Bild_gespiegelt(f) : f, x, y, faktor);
}

void Bodenleiste_malen(Bild& b) {
    // Light strip under the two small system-font lines of the title.
    Verlauf_malen(b, 0, 738, W - 1, H - 1, R_ERDE, 13.5f, 14.5f);
    Rechteck_fuellen(b, 0, 737, W - 1, 737, Rampe(R_ERDE, 8));
}

}   // namespace

Bild Titel_malen(void) {
    Bild b = Bild_neu(W, H, 0);
    Himmel_malen(b, 0, H - 1, R_BLAU, 4, 13.5f);
    Kugel_malen(b, 96, 214, 46, 46, R_GELB, 11, 16);   // sun
    Wolke_malen(b, 170, 270, 220, R_GRAU, 10, 15, 5);
    Wolke_malen(b, 780, 330, 260, R_GRAU, 10, 15, 6);
    Wolke_malen(b, 480, 420, 160, R_GRAU, 11, 15, 7);
    Huegel_malen(b, 540, 26, 160, 14, 57, 0.7f, R_FERNE, 6, 11);
    Huegel_malen(b, 600, 30, 210, 12, 80, 2.1f, R_GRUEN, 6, 11);
    Huegel_malen(b, 660, 14, 300, 6, 90, 4.0f, R_GRUEN, 9, 13);
    Baum_malen(b, 90, 640, 110, 3);
    Baum_malen(b, 960, 650, 90, 4);
    Figur_setzen(b, Flieger_malen(2, 0), 610, 200, true);
    Figur_setzen(b, Flieger_malen(1, 1), 110, 330, false);
    Figur_setzen(b, Flieger_malen(0, 0), 340, 300, false);
    Figur_setzen(b, Flieger_malen(0, 2), 900, 420, true);
    Figur_setzen(b, Flieger_malen(0, 3), 300, 480, true);
    Figur_setzen(b, Versteck_malen(3), 706, 486, false);
    Busch_malen(b, 780, 640, 220, 90, 9);
    Figur_setzen(b, Steiger_malen(1), 130, 560, false);
    Busch_malen(b, 210, 740, 260, 70, 10);
    Bodenleiste_malen(b);
    Bild logo = Text_maske("Glubbershoot", 112);
    int lx = (W - logo.iBreite) / 2, ly = 50;
    Maske_einsetzen_verlauf(b, logo, lx, ly, R_GELB, 15, 7, F_UMRISS, 6);
    return b;
}

Bild Menue_malen(void) {
    Bild b = Bild_neu(W, H, 0);
    Himmel_malen(b, 0, H - 1, R_HIMMEL, 2, 26);
    Sterne_streuen(b, 160, 260, 31);
    Wolke_malen(b, 140, 380, 200, R_HIMMEL, 14, 26, 3);
    Wolke_malen(b, 900, 300, 200, R_HIMMEL, 12, 25, 4);
    Huegel_malen(b, 560, 30, 150, 12, 47, 1.1f, R_FERNE, 2, 7);
    Huegel_malen(b, 620, 22, 190, 10, 70, 2.6f, R_GRUEN, 3, 9);
    Tafel_malen(b, 150, 66, 874, 462);   // wide enough for the quit question too
    Figur_setzen(b, Flieger_malen(2, 1), 600, 476, true);
    Figur_setzen(b, Flieger_malen(1, 0), 900, 110, true);
    Figur_setzen(b, Flieger_malen(0, 1), 70, 230, false);
    Figur_setzen(b, Flieger_malen(0, 3), 920, 330, true);
    Figur_setzen(b, Steiger_malen(0), 60, 576, false);
    Figur_setzen(b, Versteck_malen(1), 800, 600, false);
    Huegel_malen(b, 690, 14, 260, 6, 90, 3.3f, R_GRUEN, 7, 12);
    Baum_malen(b, 520, 700, 120, 8);
    return b;
}

Bild Bestenliste_malen(bool rekord) {
    Bild b = Bild_neu(W, H, 0);
    if (rekord) {
        Himmel_malen(b, 0, H - 1, R_NACHT, 0, 9);
        Sterne_streuen(b, 200, 600, 41);
        Feuerwerk_malen(b, 60, 120, 56, R_ROT, 1);
        Feuerwerk_malen(b, 960, 90, 60, R_MINZE, 2);
        Feuerwerk_malen(b, 980, 420, 48, R_GELB, 3);
        Feuerwerk_malen(b, 50, 460, 44, R_MAGENTA, 4);
        Huegel_malen(b, 650, 16, 170, 8, 60, 0.4f, R_GRUEN, 3, 9);
        Konfetti_streuen(b, 160, 5, 0, W, 0, 640);
    } else {
        Himmel_malen(b, 0, H - 1, R_STEIN, 2, 8);
        Wolke_malen(b, 120, 60, 300, R_STEIN, 4, 9, 11);
        Wolke_malen(b, 900, 40, 320, R_STEIN, 4, 9, 12);
        Regen_malen(b, 13, 640);
        Huegel_malen(b, 650, 16, 170, 8, 60, 0.4f, R_FERNE, 2, 7);
    }
    Tafel_malen(b, 110, 46, 914, 590);
    Tafel_malen(b, 300, 660, 724, 728);   // under "Press Space to Exit"
    if (rekord) {
        Pokal_malen(b, 220, 740);
        Pokal_malen(b, 966, 740);
        Figur_setzen(b, Steiger_malen(3), -10, 604, false);
        Figur_setzen(b, Flieger_malen(1, 0), 850, 600, true);
    } else {
        Figur_setzen(b, Versteck_malen(2), 870, 680, false);
        Figur_setzen(b, Flieger_malen(0, 4), 40, 640, false);
    }
    return b;
}

Bild Abspann_malen(void) {
    Bild b = Bild_neu(W, H, 0);
    Himmel_malen(b, 0, H - 1, R_NACHT, 0, 9);
    Sterne_streuen(b, 260, 640, 51);
    Mond_malen(b, 930, 90, 40);
    Huegel_malen(b, 680, 22, 150, 10, 53, 1.9f, R_FERNE, 0, 4);
    Huegel_malen(b, 720, 12, 230, 6, 70, 0.8f, R_GRUEN, 1, 5);
    Baum_malen(b, 60, 740, 150, 21);
    Baum_malen(b, 980, 730, 120, 22);
    Figur_setzen(b, Flieger_malen(0, 1), 30, 200, false);
    Figur_setzen(b, Flieger_malen(0, 3), 950, 330, true);
    Figur_setzen(b, Versteck_malen(1), 870, 680, false);
    return b;
}
