// The two Glubbers that come up from below: the riser climbs in front of
// the scenery from under the screen's edge (its eyestalks, the top 50 rows,
// cannot be hit), the hider peeks out from behind cover at its spots (only
// the middle of its face can be hit).
#include "inhalt.h"

static void Hand_malen(Bild& b, float x, float y, float r, int rampe, float drehung) {
    for (int f = -1; f <= 1; f++) {
        double w = drehung + 0.55 * f;
        Linie_malen(b, x, y, x + r * 1.3f * (float)Sinus(w), y - r * 1.3f * (float)Cosinus(w), r * 0.55f,
                    Rampe(rampe, 9));
    }
    Kugel_malen(b, x, y, r, r * 0.85f, rampe, 4, 13);
}

Bild Steiger_malen(int bild) {
    if (bild < 0 || bild > 4) bild = 0;
    Bild b = Bild_neu(160, 192, F_TRANSPARENT);
    bool treffer = bild == 4;
    static const float hand_l[5][2] = {{12, 70}, {10, 104}, {10, 136}, {14, 88}, {14, 64}};
    static const float hand_r[5][2] = {{148, 136}, {150, 100}, {148, 70}, {146, 112}, {146, 64}};
    static const float stiel[5] = {0, -4, 2, 5, 0};
    static const float blick[5][2] = {{-0.8f, 0.3f}, {0, 0.6f}, {0.8f, 0.3f}, {0.3f, -0.5f}, {0, 0}};
    float s = stiel[bild];

    // Arms behind the body, hands in front of everything.
    Linie_malen(b, 40, 124, hand_l[bild][0], hand_l[bild][1], 10, Rampe(R_GELB, 7));
    Linie_malen(b, 120, 124, hand_r[bild][0], hand_r[bild][1], 10, Rampe(R_GELB, 7));
    // Eyestalks.
    float lx = treffer ? 26 : 48 + s, ly = treffer ? 34 : 20;
    float rx = treffer ? 134 : 112 + s, ry = treffer ? 34 : 17;
    Linie_malen(b, 64, 62, lx, ly, 7, Rampe(R_GELB, 8));
    Linie_malen(b, 96, 62, rx, ry, 7, Rampe(R_GELB, 8));

    Kugel_malen(b, 80, 152, 58, 100, R_GELB, 3, 14);
    Kugel_malen(b, 84, 170, 34, 44, R_GELB, 10, 15);   // belly
    for (int i = 0; i < 3; i++) Linie_malen(b, 58, 150.0f + 14 * i, 110, 150.0f + 14 * i, 1.5f, Rampe(R_GELB, 9));
    Ellipse_fuellen(b, 40, 96, 6, 5, Rampe(R_GELB, 6));
    Ellipse_fuellen(b, 120, 150, 5, 7, Rampe(R_GELB, 6));
    Ellipse_fuellen(b, 36, 160, 4, 6, Rampe(R_GELB, 6));
    Ellipse_fuellen(b, 50, 110, 7, 4, Rampe(R_ROT, 12));   // cheeks
    Ellipse_fuellen(b, 112, 110, 7, 4, Rampe(R_ROT, 12));
    if (treffer) {
        Kreuzauge_malen(b, lx, ly, 13);
        Kreuzauge_malen(b, rx, ry, 13);
        Ellipse_fuellen(b, 80, 112, 14, 18, F_UMRISS);
        Ellipse_fuellen(b, 80, 120, 8, 8, Rampe(R_ROT, 9));
    } else {
        Auge_malen(b, lx, ly, 13, blick[bild][0], blick[bild][1]);
        Auge_malen(b, rx, ry, 13, blick[bild][0], blick[bild][1]);
        float offen = bild == 1 ? 26 : bild == 3 ? 14 : 20;
        Mund_malen(b, 80, 98, 32, offen);
        Rechteck_fuellen(b, 66, 98, 73, 106, Rampe(R_GRAU, 15));   // teeth
        Rechteck_fuellen(b, 87, 98, 94, 106, Rampe(R_GRAU, 15));
    }
    Hand_malen(b, hand_l[bild][0], hand_l[bild][1], 9, R_GELB, -0.6f);
    Hand_malen(b, hand_r[bild][0], hand_r[bild][1], 9, R_GELB, 0.6f);
    Umriss_ziehen(b, F_UMRISS);
    if (treffer) Benommen_malen(b, 80, 40, 44, 10, 5, 7);
    return b;
}

Bild Versteck_malen(int bild) {
    if (bild < 0 || bild > 4) bild = 0;
    Bild b = Bild_neu(152, 88, F_TRANSPARENT);
    bool treffer = bild == 4;
    static const float ohr[5] = {0, 3, 0, -3, 8};
    float o = ohr[bild];

    Linie_malen(b, 66, 76, 40, 66, 9, Rampe(R_LILA, 6));   // arms
    Linie_malen(b, 108, 76, 134, 66, 9, Rampe(R_LILA, 6));
    Kugel_malen(b, 87, 84, 32, 22, R_LILA, 2, 11);       // shoulders
    Kugel_malen(b, 60, 18 + o, 10, 13, R_LILA, 3, 12);   // ears
    Kugel_malen(b, 114, 16 - o, 10, 13, R_LILA, 3, 12);
    Ellipse_fuellen(b, 60, 19 + o, 5, 8, Rampe(R_HAUT, 9));
    Ellipse_fuellen(b, 114, 17 - o, 5, 8, Rampe(R_HAUT, 9));
    for (int i = -1; i <= 1; i++)   // tuft of hair
        Linie_malen(b, 87, 14, 87.0f + 7 * i + o * 0.5f, 3, 2.5f, Rampe(R_LILA, 4));
    Kugel_malen(b, 87, 36, 25, 24, R_LILA, 3, 13);
    Ellipse_fuellen(b, 70, 46, 5, 3, Rampe(R_HAUT, 8));   // cheeks
    Ellipse_fuellen(b, 105, 46, 5, 3, Rampe(R_HAUT, 8));
    if (treffer) {
        Kreuzauge_malen(b, 79, 31, 7);
        Kreuzauge_malen(b, 96, 31, 7);
        Ellipse_fuellen(b, 88, 52, 5, 6, F_UMRISS);
    } else if (bild == 2) {
        Lid_malen(b, 79, 31, 7, R_LILA);
        Lid_malen(b, 96, 31, 7, R_LILA);
        Mund_malen(b, 88, 49, 7, 4);
    } else {
        static const float blick[4] = {-1.0f, 0.0f, 0, 1.0f};
        Auge_malen(b, 79, 31, 7, blick[bild], 0.2f);
        Auge_malen(b, 96, 31, 7, blick[bild], 0.2f);
        Mund_malen(b, 88, 48, bild == 3 ? 10.0f : 7.0f, bild == 3 ? 7.0f : 4.0f);
    }
    Kugel_malen(b, 88, 42, 4.5f, 3.5f, R_HAUT, 6, 13);   // nose
    Hand_malen(b, 38, 64, 10, R_LILA, -0.5f);
    Hand_malen(b, 136, 64, 10, R_LILA, 0.5f);
    Umriss_ziehen(b, F_UMRISS);
    if (treffer) Benommen_malen(b, 87, 10, 30, 5, 4, 5);
    return b;
}
