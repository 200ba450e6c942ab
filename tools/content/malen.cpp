// Drawing on 8-bit pictures: filled shapes, lit balls, lines, outlines and
// dithered ramps. All shapes are tested at pixel centres.
#include "inhalt.h"

Bild Bild_neu(int breite, int hoehe, uint8_t farbe) {
    Bild b;
    b.iBreite = breite;
    b.iHoehe = hoehe;
    b.px.assign((size_t)breite * hoehe, farbe);
    return b;
}

void Punkt_setzen(Bild& b, int x, int y, uint8_t farbe) {
    if (x < 0 || y < 0 || x >= b.iBreite || y >= b.iHoehe) return;
    b.px[(size_t)y * b.iBreite + x] = farbe;
}

uint8_t Punkt_lesen(const Bild& b, int x, int y) {
    if (x < 0 || y < 0 || x >= b.iBreite || y >= b.iHoehe) return F_TRANSPARENT;
    return b.px[(size_t)y * b.iBreite + x];
}

void Bild_einsetzen(Bild& dst, const Bild& src, int x, int y) { Bild_einsetzen_skaliert(dst, src, x, y, 1); }

void Bild_einsetzen_skaliert(Bild& dst, const Bild& src, int x, int y, int faktor) {
    for (int sy = 0; sy < src.iHoehe * faktor; sy++)
        for (int sx = 0; sx < src.iBreite * faktor; sx++) {
            uint8_t f = src.px[(size_t)(sy / faktor) * src.iBreite + sx / faktor];
            if (f != F_TRANSPARENT) Punkt_setzen(dst, x + sx, y + sy, f);
        }
}

Bild Bild_gespiegelt(const Bild& b) {
    Bild m = b;
    for (int y = 0; y < b.iHoehe; y++)
        for (int x = 0; x < b.iBreite; x++)
            m.px[(size_t)y * b.iBreite + x] = b.px[(size_t)y * b.iBreite + (b.iBreite - 1 - x)];
    return m;
}

float Bayer(int x, int y) {
    static const int matrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (matrix[y & 3][x & 3] + 0.5f) / 16.0f;
}

int Rampe_gemischt(int rampe, float stufe, int x, int y) {
    float f = stufe + Bayer(x, y) - 0.5f;
    return Rampe(rampe, (int)(f + 1000.0f) - 1000);   // floor for any sane level
}

void Rechteck_fuellen(Bild& b, int x0, int y0, int x1, int y1, int farbe) {
    Malen(
        b, x0, y0, x1, y1, [](float, float) { return true; }, [&](int, int) { return farbe; });
}

void Ellipse_fuellen(Bild& b, float cx, float cy, float rx, float ry, int farbe) {
    if (rx <= 0 || ry <= 0) return;
    Malen(
        b, (int)(cx - rx) - 1, (int)(cy - ry) - 1, (int)(cx + rx) + 1, (int)(cy + ry) + 1,
        [&](float x, float y) {
            float dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1.0f;
        },
        [&](int, int) { return farbe; });
}

void Kugel_malen(Bild& b, float cx, float cy, float rx, float ry, int rampe, float lo, float hi) {
    if (rx <= 0 || ry <= 0) return;
    const float lx = -0.48f, ly = -0.60f, lz = 0.64f;
    Malen(
        b, (int)(cx - rx) - 1, (int)(cy - ry) - 1, (int)(cx + rx) + 1, (int)(cy + ry) + 1,
        [&](float x, float y) {
            float dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1.0f;
        },
        [&](int x, int y) {
            float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
            float nz2 = 1.0f - nx * nx - ny * ny;
            float nz = (float)Wurzel(nz2 > 0 ? nz2 : 0);
            float d = nx * lx + ny * ly + nz * lz;
            float hell = d > 0 ? 0.18f + 0.82f * d : 0.18f + 0.12f * d;
            return Rampe_gemischt(rampe, lo + (hi - lo) * hell, x, y);
        });
}

void Linie_malen(Bild& b, float x0, float y0, float x1, float y1, float dicke, int farbe) {
    float r = dicke / 2.0f;
    float vx = x1 - x0, vy = y1 - y0;
    float ll = vx * vx + vy * vy;
    int bx0 = (int)((x0 < x1 ? x0 : x1) - r) - 1, bx1 = (int)((x0 > x1 ? x0 : x1) + r) + 1;
    int by0 = (int)((y0 < y1 ? y0 : y1) - r) - 1, by1 = (int)((y0 > y1 ? y0 : y1) + r) + 1;
    Malen(
        b, bx0, by0, bx1, by1,
        [&](float x, float y) {
            float t = ll > 0 ? ((x - x0) * vx + (y - y0) * vy) / ll : 0.0f;
            if (t < 0) t = 0;
            if (t > 1) t = 1;
            float px = x0 + t * vx - x, py = y0 + t * vy - y;
            return px * px + py * py <= r * r;
        },
        [&](int, int) { return farbe; });
}

void Polygon_fuellen(Bild& b, const std::vector<float>& xy, int farbe) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    float minx = xy[0], maxx = xy[0], miny = xy[1], maxy = xy[1];
    for (size_t i = 1; i < n; i++) {
        minx = xy[2 * i] < minx ? xy[2 * i] : minx;
        maxx = xy[2 * i] > maxx ? xy[2 * i] : maxx;
        miny = xy[2 * i + 1] < miny ? xy[2 * i + 1] : miny;
        maxy = xy[2 * i + 1] > maxy ? xy[2 * i + 1] : maxy;
    }
    Malen(
        b, (int)minx - 1, (int)miny - 1, (int)maxx + 1, (int)maxy + 1,
        [&](float x, float y) {
            bool innen = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) innen = !innen;
            }
            return innen;
        },
        [&](int, int) { return farbe; });
}

void Umriss_ziehen(Bild& b, int farbe) {
    Bild alt = b;
    for (int y = 0; y < b.iHoehe; y++)
        for (int x = 0; x < b.iBreite; x++) {
            if (Punkt_lesen(alt, x, y) != F_TRANSPARENT) continue;
            if (Punkt_lesen(alt, x - 1, y) != F_TRANSPARENT || Punkt_lesen(alt, x + 1, y) != F_TRANSPARENT ||
                Punkt_lesen(alt, x, y - 1) != F_TRANSPARENT || Punkt_lesen(alt, x, y + 1) != F_TRANSPARENT)
                Punkt_setzen(b, x, y, (uint8_t)farbe);
        }
}

void Verlauf_malen(Bild& b, int x0, int y0, int x1, int y1, int rampe, float oben, float unten) {
    float h = (float)(y1 - y0 > 0 ? y1 - y0 : 1);
    Malen(
        b, x0, y0, x1, y1, [](float, float) { return true; },
        [&](int x, int y) { return Rampe_gemischt(rampe, oben + (unten - oben) * (y - y0) / h, x, y); });
}

void Auge_malen(Bild& b, float cx, float cy, float r, float blick_x, float blick_y) {
    Ellipse_fuellen(b, cx, cy, r + 1.0f, r * 1.1f + 1.0f, F_UMRISS);
    Kugel_malen(b, cx, cy, r, r * 1.1f, R_GRAU, 9, 15);
    float pr = r * 0.5f;
    float px = cx + blick_x * r * 0.38f, py = cy + blick_y * r * 0.38f;
    Ellipse_fuellen(b, px, py, pr, pr * 1.15f, F_UMRISS);
    if (r >= 3.0f) Ellipse_fuellen(b, px - pr * 0.35f, py - pr * 0.4f, pr * 0.32f + 0.3f, pr * 0.32f + 0.3f, F_WEISS);
}

void Kreuzauge_malen(Bild& b, float cx, float cy, float r) {
    Ellipse_fuellen(b, cx, cy, r + 1.0f, r * 1.1f + 1.0f, F_UMRISS);
    Kugel_malen(b, cx, cy, r, r * 1.1f, R_GRAU, 9, 15);
    float d = r * 0.6f, w = r * 0.32f + 0.8f;
    Linie_malen(b, cx - d, cy - d, cx + d, cy + d, w, F_UMRISS);
    Linie_malen(b, cx - d, cy + d, cx + d, cy - d, w, F_UMRISS);
}
