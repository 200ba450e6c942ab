// The three flying Glubbers, facing right: four wing beats and a fifth
// frame for the moment they are hit.
#include "inhalt.h"

// A membrane wing from a root (two points) to its tip: the leading edge
// bulges out, the trailing edge has two scallops, ribs fan out from the
// shoulder.
static void Fluegel_malen(Bild& b, float ax, float ay, float bx, float by, float tx, float ty, int rampe, int stufe,
                          float woelbung) {
    float nx = -(ty - ay), ny = tx - ax;
    float l = (float)Wurzel(nx * nx + ny * ny);
    if (l <= 0) return;
    nx /= l;
    ny /= l;
    if ((bx - ax) * nx + (by - ay) * ny > 0) {
        nx = -nx;
        ny = -ny;
    }
    float mx = -(by - ty), my = bx - tx;
    float lt = (float)Wurzel(mx * mx + my * my);
    if (lt <= 0) return;
    mx /= lt;
    my /= lt;
    if ((ax - tx) * mx + (ay - ty) * my < 0) {
        mx = -mx;
        my = -my;
    }
    float sc = lt * 0.08f;
    auto auf = [&](float t, float tief, float* px, float* py) {
        *px = tx + (bx - tx) * t + mx * tief;
        *py = ty + (by - ty) * t + my * tief;
    };
    float p1x, p1y, p2x, p2y, p3x, p3y;
    auf(0.3f, sc, &p1x, &p1y);
    auf(0.5f, 0, &p2x, &p2y);
    auf(0.72f, sc, &p3x, &p3y);
    std::vector<float> xy = {
        ax, ay, (ax + tx) / 2 + nx * woelbung, (ay + ty) / 2 + ny * woelbung, tx, ty, p1x, p1y, p2x, p2y, p3x, p3y,
        bx, by};
    Polygon_fuellen(b, xy, Rampe(rampe, stufe));
    for (size_t i = 0; i + 2 < xy.size(); i += 2)
        Linie_malen(b, xy[i], xy[i + 1], xy[i + 2], xy[i + 3], 1.0f, F_UMRISS);
    float rippe = woelbung > 6 ? 1.8f : 1.0f;
    Linie_malen(b, ax, ay, tx, ty, rippe + 0.6f, Rampe(rampe, stufe - 5));
    Linie_malen(b, ax, ay, p2x, p2y, rippe, Rampe(rampe, stufe - 3));
}

static Bild Klein_malen(int bild) {
    Bild b = Bild_neu(48, 32, F_TRANSPARENT);
    bool treffer = bild == 4;
    static const float spitze[5][2] = {{9, 1}, {1, 11}, {7, 30}, {2, 3}, {8, 1}};
    const float* t = spitze[bild];
    Fluegel_malen(b, 12, 14, 22, 12, t[0] + 4, t[1], R_LILA, 6, 2.0f);
    Linie_malen(b, 25, 10, 28, 3, 1.2f, Rampe(R_MAGENTA, 4));   // antenna
    Ellipse_fuellen(b, 28.5f, 3, 1.8f, 1.8f, F_KNALL);
    Polygon_fuellen(b, {15, 17, 5, 13, 8, 18, 5, 23}, Rampe(R_MAGENTA, 6));   // tail tuft
    Linie_malen(b, 20, 25, 18 - (treffer ? 2 : 0), 30, 1.6f, Rampe(R_GELB, 7));
    Linie_malen(b, 25, 25, 27 + (treffer ? 2 : 0), 30, 1.6f, Rampe(R_GELB, 7));
    Kugel_malen(b, 23, 18, 10.5f, 9, R_MAGENTA, 3, 14);
    Kugel_malen(b, 26, 22, 6, 3.5f, R_HAUT, 9, 14);                      // belly
    Polygon_fuellen(b, {32, 17, 39, 19.5f, 32, 22}, Rampe(R_GELB, 9));   // beak
    if (treffer) {
        Kreuzauge_malen(b, 28, 14, 3.8f);
        Polygon_fuellen(b, {32, 20, 38, 24, 33, 24}, Rampe(R_ROT, 9));
    } else {
        Auge_malen(b, 28, 14, 4.2f, 1.0f, 0.1f);
    }
    Fluegel_malen(b, 12, 16, 22, 14, t[0], t[1], R_LILA, 12, 2.0f);
    Umriss_ziehen(b, F_UMRISS);
    if (treffer) {
        Stern_malen(b, 41, 6, 3.5f, 1.5f, 5, 0.3f, F_KNALL);
        Stern_malen(b, 36, 2.5f, 2.5f, 1.1f, 5, 0.9f, Rampe(R_GELB, 12));
    }
    return b;
}

static Bild Mittel_malen(int bild) {
    Bild b = Bild_neu(96, 64, F_TRANSPARENT);
    bool treffer = bild == 4;
    static const float schwung[5] = {-4, 0, 4, 0, 6};
    float s = schwung[bild];
    // Legs kick in turn while it flies.
    for (int k = 0; k < 2; k++) {
        float x0 = k ? 52.0f : 40.0f, dx = k ? -s : s;
        Linie_malen(b, x0, 54, x0 + dx, 60, 3, Rampe(R_GELB, 6));
        Ellipse_fuellen(b, x0 + dx + 2, 60.5f, 4, 2.2f, Rampe(R_GELB, 9));
    }
    Polygon_fuellen(b, {24, 38, 5, 27 + s, 10, 38, 5, 50 - s}, Rampe(R_MINZE, 5));   // tail fin
    Kugel_malen(b, 46, 38, 26, 20.5f, R_MINZE, 2, 14);
    Ellipse_fuellen(b, 30, 30, 4, 3, Rampe(R_MINZE, 5));
    Ellipse_fuellen(b, 37, 22, 3, 2, Rampe(R_MINZE, 5));
    Ellipse_fuellen(b, 27, 43, 3, 3, Rampe(R_MINZE, 5));
    Ellipse_fuellen(b, 73, 41, 3.5f, 2.2f, Rampe(R_HAUT, 9));   // cheek
    if (treffer) {
        Kreuzauge_malen(b, 56, 29, 6.5f);
        Kreuzauge_malen(b, 69, 30, 5.5f);
        Ellipse_fuellen(b, 63, 46, 4, 5, F_UMRISS);
        Ellipse_fuellen(b, 63, 48, 2.5f, 2.5f, Rampe(R_ROT, 9));
    } else {
        Auge_malen(b, 56, 29, 7, 0.8f, 0.3f);
        Auge_malen(b, 69, 30, 6, 0.8f, 0.3f);
        Mund_malen(b, 62, 43, 10, 7);
    }
    // Propeller on a mast: the blade's width makes the spin.
    static const float blatt[5] = {24, 13, 3, 15, 0};
    Linie_malen(b, 44, 18, 44, 7, 3, Rampe(R_GRAU, 7));
    if (treffer) {
        Linie_malen(b, 44, 7, 62, 2, 4, Rampe(R_ROT, 8));
        Linie_malen(b, 44, 7, 30, 12, 4, Rampe(R_ROT, 7));
    } else {
        Kugel_malen(b, 44, 6, blatt[bild], 3.2f, R_ROT, 5, 12);
    }
    Ellipse_fuellen(b, 44, 7, 2.6f, 2.6f, Rampe(R_GRAU, 12));
    Umriss_ziehen(b, F_UMRISS);
    if (treffer) Benommen_malen(b, 46, 12, 28, 6, 4, 4.5f);
    return b;
}

static Bild Gross_malen(int bild) {
    Bild b = Bild_neu(200, 112, F_TRANSPARENT);
    bool treffer = bild == 4;
    static const float spitze[5][2] = {{52, 1}, {4, 18}, {40, 110}, {18, 4}, {60, 2}};
    static const float flosse[5] = {0, 7, 14, 7, -6};
    const float* t = spitze[bild];
    float f = flosse[bild];
    Fluegel_malen(b, 66, 40, 128, 34, t[0] + 14, t[1] + 2, R_LILA, 6, 8);           // far wing
    Polygon_fuellen(b, {30, 58, 4, 36 + f, 14, 60, 4, 86 - f}, Rampe(R_BLAU, 6));   // tail flukes
    Linie_malen(b, 116, 28, 124, 8, 2.5f, Rampe(R_BLAU, 5));                        // antenna
    Kugel_malen(b, 124, 7, 5, 5, R_GELB, 9, 15);
    Kugel_malen(b, 100, 62, 80, 38, R_BLAU, 3, 14);
    Kugel_malen(b, 108, 82, 58, 15, R_BLAU, 10, 15);   // belly
    for (int i = 0; i < 5; i++)                        // belly folds
        Linie_malen(b, 72.0f + 14 * i, 76, 70.0f + 14 * i, 92, 1.2f, Rampe(R_BLAU, 9));
    Ellipse_fuellen(b, 60, 44, 7, 5, Rampe(R_BLAU, 6));
    Ellipse_fuellen(b, 80, 36, 5, 3.5f, Rampe(R_BLAU, 6));
    Ellipse_fuellen(b, 44, 58, 4, 4, Rampe(R_BLAU, 6));
    Polygon_fuellen(b, {118, 92, 104, 109 - f * 0.5f, 128, 96}, Rampe(R_BLAU, 7));   // side fin
    if (treffer) {
        Kreuzauge_malen(b, 150, 46, 11);
        Ellipse_fuellen(b, 168, 74, 9, 11, F_UMRISS);
        Ellipse_fuellen(b, 168, 78, 5, 5, Rampe(R_ROT, 9));
    } else {
        Auge_malen(b, 150, 46, 11, 0.9f, 0.2f);
        Linie_malen(b, 138, 31, 160, 30, 3, F_UMRISS);   // brow
        Mund_malen(b, 160, 68, 20, 10);
    }
    Ellipse_fuellen(b, 176, 58, 4, 3, Rampe(R_HAUT, 10));
    Fluegel_malen(b, 70, 46, 132, 40, t[0], t[1], R_LILA, 11, 8);   // near wing
    Umriss_ziehen(b, F_UMRISS);
    if (treffer) Benommen_malen(b, 150, 20, 30, 8, 5, 6);
    return b;
}

Bild Flieger_malen(int art, int bild) {
    if (bild < 0 || bild > 4) bild = 0;
    if (art == 0) return Klein_malen(bild);
    if (art == 1) return Mittel_malen(bild);
    return Gross_malen(bild);
}
