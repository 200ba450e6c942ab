// Composite shapes shared by the creatures and the backgrounds.
#include "inhalt.h"

void Zylinder_malen(Bild& b, int x0, int y0, int x1, int y1, int rampe, float lo, float hi) {
    float cx = (x0 + x1 + 1) / 2.0f, r = (x1 - x0 + 1) / 2.0f;
    Malen(
        b, x0, y0, x1, y1, [](float, float) { return true; },
        [&](int x, int y) {
            float nx = (x + 0.5f - cx) / r;
            float nz = (float)Wurzel(1.0f - nx * nx);
            float d = -0.6f * nx + 0.8f * nz;
            float hell = d > 0 ? 0.15f + 0.85f * d : 0.15f;
            return Rampe_gemischt(rampe, lo + (hi - lo) * hell, x, y);
        });
}

void Mund_malen(Bild& b, float cx, float cy, float rx, float ry) {
    Malen(
        b, (int)(cx - rx) - 1, (int)cy - 1, (int)(cx + rx) + 1, (int)(cy + ry) + 1,
        [&](float x, float y) {
            float dx = (x - cx) / rx, dy = (y - cy) / ry;
            return y >= cy && dx * dx + dy * dy <= 1.0f;
        },
        [&](int, int) { return F_UMRISS; });
    if (ry >= 3.0f) {
        float tr = rx * 0.45f, ty = cy + ry * 0.7f;
        Malen(
            b, (int)(cx - tr) - 1, (int)(ty - tr) - 1, (int)(cx + tr) + 1, (int)(cy + ry),
            [&](float x, float y) {
                float dx = (x - cx) / rx, dy = (y - cy) / ry;
                float tx = (x - cx) / tr, tyy = (y - ty) / (tr * 0.8f);
                return dx * dx + dy * dy <= 0.8f && tx * tx + tyy * tyy <= 1.0f;
            },
            [&](int x, int y) { return Rampe_gemischt(R_ROT, 9.0f + 3.0f * (ty - y) / tr, x, y); });
    }
}

std::vector<float> Stern_form(float cx, float cy, float aussen, float innen, int zacken, float drehung) {
    std::vector<float> xy;
    for (int i = 0; i < 2 * zacken; i++) {
        double w = drehung + PI * i / zacken;
        float r = (i & 1) ? innen : aussen;
        xy.push_back(cx + r * (float)Sinus(w));
        xy.push_back(cy - r * (float)Cosinus(w));
    }
    return xy;
}

void Stern_malen(Bild& b, float cx, float cy, float aussen, float innen, int zacken, float drehung, int farbe) {
    Polygon_fuellen(b, Stern_form(cx, cy, aussen + 1.2f, innen + 1.0f, zacken, drehung), F_UMRISS);
    Polygon_fuellen(b, Stern_form(cx, cy, aussen, innen, zacken, drehung), farbe);
}

void Benommen_malen(Bild& b, float cx, float cy, float rx, float ry, int anzahl, float groesse) {
    for (int i = 0; i < anzahl; i++) {
        double w = 0.4 + 2.0 * PI * i / anzahl;
        float x = cx + rx * (float)Cosinus(w), y = cy + ry * (float)Sinus(w);
        Stern_malen(b, x, y, groesse, groesse * 0.45f, 5, (float)w, i % 2 ? F_KNALL : Rampe(R_GELB, 12));
    }
}

void Lid_malen(Bild& b, float cx, float cy, float r, int rampe) {
    Ellipse_fuellen(b, cx, cy, r + 1.0f, r * 1.1f + 1.0f, F_UMRISS);
    Kugel_malen(b, cx, cy, r, r * 1.1f, rampe, 5, 12);
    Linie_malen(b, cx - r * 0.8f, cy + r * 0.2f, cx + r * 0.8f, cy + r * 0.2f, r * 0.25f + 0.8f, F_UMRISS);
}

static float Hash(int x, int y, int saat) {
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + (uint32_t)saat * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return (float)((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Rauschen(float x, float y, float skala, int saat) {
    x /= skala;
    y /= skala;
    int ix = (int)(x + 100000.0f) - 100000, iy = (int)(y + 100000.0f) - 100000;
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = Hash(ix, iy, saat), b = Hash(ix + 1, iy, saat);
    float c = Hash(ix, iy + 1, saat), d = Hash(ix + 1, iy + 1, saat);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

void Busch_malen(Bild& b, float x, float y, float breite, float hoehe, int saat) {
    Zufall_setzen((uint32_t)saat);
    float rx = breite / 2, ry = hoehe * 0.55f, cy = y - ry;
    Ellipse_fuellen(b, x, cy, rx + 1.5f, ry + 1.5f, F_UMRISS);
    Kugel_malen(b, x, cy, rx, ry, R_GRUEN, 1.5f, 8.0f);
    // Lit clumps along the upper half.
    int n = 4 + (int)(breite / 20);
    for (int i = 0; i < n; i++) {
        double w = -1.25 + 2.5 * i / (n - 1) + 0.2 * Zufall_eins();
        float r = ry * (0.45f + 0.15f * Zufall_eins());
        float bx = x + rx * 0.7f * (float)Sinus(w), by = cy - ry * 0.55f * (float)Cosinus(w);
        Kugel_malen(b, bx, by, r, r * 0.9f, R_GRUEN, 3.0f, 12.0f);
    }
}

void Baum_malen(Bild& b, float x, float y, float hoehe, int saat) {
    float stamm = hoehe * 0.38f, breite = hoehe * 0.09f + 2;
    Zylinder_malen(b, (int)(x - breite / 2), (int)(y - stamm - hoehe * 0.1f), (int)(x + breite / 2), (int)y, R_ERDE, 1,
                   7);
    float kr = hoehe * 0.36f, ky = y - stamm - kr * 0.7f;
    Zufall_setzen((uint32_t)saat);
    Ellipse_fuellen(b, x, ky, kr + 1.5f, kr * 1.05f + 1.5f, F_UMRISS);
    Kugel_malen(b, x, ky, kr, kr * 1.05f, R_GRUEN, 1.5f, 10.0f);
    for (int i = 0; i < 5; i++) {
        double w = 2 * PI * i / 5 + Zufall_eins();
        float r = kr * (0.42f + 0.12f * Zufall_eins());
        float bx = x + kr * 0.55f * (float)Sinus(w), by = ky - kr * 0.45f * (float)Cosinus(w);
        Kugel_malen(b, bx, by, r, r, R_GRUEN, 3.0f, 12.0f);
    }
}
