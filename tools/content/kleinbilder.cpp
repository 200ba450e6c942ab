// Small pictures: the shell of the head-up display, the mark of a hitting
// shot and the four round-intro panels.
#include "inhalt.h"

Bild Patrone_malen(void) {
    Bild b = Bild_neu(32, 128, F_TRANSPARENT);
    Zylinder_malen(b, 5, 12, 26, 100, R_ROT, 2, 13);
    Kugel_malen(b, 16, 12, 11, 6, R_ROT, 4, 13);   // crimped top
    for (int i = -1; i <= 1; i++) Linie_malen(b, 16, 11, 16.0f + 7 * i, 7.5f + (i ? 2.0f : 0.0f), 1, Rampe(R_ROT, 3));
    Zylinder_malen(b, 5, 44, 26, 62, R_GRAU, 6, 15);   // label band
    Rechteck_fuellen(b, 9, 51, 22, 54, Rampe(R_ROT, 6));
    Zylinder_malen(b, 4, 96, 27, 119, R_GOLD, 0, 7);    // brass head
    Zylinder_malen(b, 2, 119, 29, 125, R_GOLD, 0, 6);   // rim
    Rechteck_fuellen(b, 4, 104, 27, 104, Rampe(R_GOLD, 1));
    Umriss_ziehen(b, F_UMRISS);
    return b;
}

Bild Einschuss_malen(void) {
    Bild b = Bild_neu(96, 96, F_TRANSPARENT);
    Zufall_setzen(4711);
    // A ragged burst: spikes of uneven length.
    std::vector<float> aussen;
    const int zacken = 13;
    for (int i = 0; i < 2 * zacken; i++) {
        double w = PI * i / zacken;
        float r = (i & 1) ? 18.0f + 6 * Zufall_eins() : 34.0f + 10 * Zufall_eins();
        aussen.push_back(48 + r * (float)Sinus(w));
        aussen.push_back(48 - r * (float)Cosinus(w));
    }
    Polygon_fuellen(b, aussen, Rampe(R_GELB, 7));
    Stern_malen(b, 48, 48, 26, 14, 9, 0.2f, Rampe(R_GELB, 12));
    Kugel_malen(b, 48, 48, 11, 11, R_GELB, 13, 16);
    Ellipse_fuellen(b, 48, 48, 5, 5, F_WEISS);
    for (int i = 0; i < 7; i++) {   // flying drops
        double w = 0.5 + 2 * PI * i / 7 + 0.3 * Zufall_eins();
        float r = 40 + 4 * Zufall_eins();
        Ellipse_fuellen(b, 48 + r * (float)Sinus(w), 48 - r * (float)Cosinus(w), 2.5f, 2.5f, Rampe(R_GELB, 10));
    }
    Umriss_ziehen(b, F_UMRISS);
    return b;
}

// A round wooden sign with a target; the numeral or "Shot!" in the middle,
// a calm dark strip below where the game writes the round and the count.
Bild Rundenbild_malen(int nummer) {
    Bild b = Bild_neu(312, 352, F_TRANSPARENT);
    const float cx = 156;
    // Post and sign board.
    Zylinder_malen(b, 140, 200, 171, 351, R_ERDE, 2, 10);
    Malen(
        b, 8, 196, 303, 330,
        [](float x, float y) {
            float dx = x < 24 ? 24 - x : x > 288 ? x - 288 : 0, dy = y < 212 ? 212 - y : y > 314 ? y - 314 : 0;
            return dx * dx + dy * dy <= 16 * 16;
        },
        [](int x, int y) {
            int maserung = ((x * 7 + (y / 6) * 13) % 29 < 3) ? -2 : 0;
            return Rampe_gemischt(R_ERDE, 4.5f + maserung + (y % 34 < 2 ? -2.0f : 0.0f), x, y);
        });
    // Dark inner panel for the texts.
    Malen(
        b, 22, 208, 289, 318, [](float x, float y) { return x > 22 && x < 290 && y > 208 && y < 318; },
        [](int x, int y) { return Rampe_gemischt(R_NACHT, 3.5f + 2.0f * (y - 208) / 110.0f, x, y); });
    for (int i = 0; i < 4; i++) {   // nails
        float nx = i & 1 ? 280.0f : 32.0f, ny = i & 2 ? 310.0f : 216.0f;
        Kugel_malen(b, nx, ny, 3, 3, R_STEIN, 5, 15);
    }
    // The target: rings red and white.
    static const float ringe[5] = {96, 80, 62, 44, 24};
    for (int i = 0; i < 5; i++) {
        Ellipse_fuellen(b, cx, 100, ringe[i] + 2, ringe[i] + 2, F_UMRISS);
        Kugel_malen(b, cx, 100, ringe[i], ringe[i], i % 2 ? R_GRAU : R_ROT, i % 2 ? 9 : 4, i % 2 ? 15 : 12);
    }
    if (nummer < 3) {
        Bild ziffer = Text_maske(std::string(1, (char)('3' - nummer)), 150);
        Maske_einsetzen_verlauf(b, ziffer, (int)cx - ziffer.iBreite / 2, 100 - ziffer.iHoehe / 2, R_GELB, 15, 8,
                                F_UMRISS, 4);
    } else {
        // Crosshair over the bull's eye and a burst of stars.
        Linie_malen(b, cx - 110, 100, cx + 110, 100, 5, F_UMRISS);
        Linie_malen(b, cx, -10, cx, 194, 5, F_UMRISS);
        Ellipse_fuellen(b, cx, 100, 58, 58, F_TRANSPARENT);
        Ellipse_fuellen(b, cx, 100, 58, 58, F_UMRISS);
        Ellipse_fuellen(b, cx, 100, 53, 53, F_TRANSPARENT);
        Kugel_malen(b, cx, 100, 44, 44, R_ROT, 4, 12);
        Stern_malen(b, cx, 100, 40, 18, 8, 0.2f, F_KNALL);
        Bild wort = Text_maske("Shot!", 54);
        Maske_einsetzen_verlauf(b, wort, (int)cx - wort.iBreite / 2, 100 - wort.iHoehe / 2, R_GELB, 15, 9, F_UMRISS, 3);
    }
    Umriss_ziehen(b, F_UMRISS);
    return b;
}
