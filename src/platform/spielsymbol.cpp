// Icon drawing. Everything is described in unit coordinates (0..1 across
// the icon), so one description serves 16 px and 256 px alike; edges are
// smoothed by sampling each pixel on a 4 x 4 grid.
#include "platform/spielsymbol.h"

#include <cmath>

namespace {

struct Farbe {
    float r, g, b, a;
};

const Farbe TRANSPARENT_F = {0, 0, 0, 0};

float abstand(float u, float v, float cx, float cy) { return std::sqrt((u - cx) * (u - cx) + (v - cy) * (v - cy)); }

Farbe mischen(Farbe a, Farbe b, float t) {
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, 1};
}

// Colour of the figure at one point, front layer first.
Farbe symbol_punkt(float u, float v) {
    const float KOERPER_X = 0.5f, KOERPER_Y = 0.54f, KOERPER_R = 0.42f;
    const float AUGE_X = 0.5f, AUGE_Y = 0.45f, AUGE_R = 0.2f;

    const float auge = abstand(u, v, AUGE_X, AUGE_Y);
    if (abstand(u, v, 0.565f, 0.425f) <= 0.035f) return {255, 255, 255, 1};   // glint
    if (abstand(u, v, 0.53f, 0.47f) <= 0.095f) return {22, 24, 48, 1};        // pupil
    if (auge <= AUGE_R - 0.032f) return {250, 250, 242, 1};
    if (auge <= AUGE_R) return {18, 72, 28, 1};   // eye rim

    const float koerper = abstand(u, v, KOERPER_X, KOERPER_Y);
    if (koerper > KOERPER_R) return TRANSPARENT_F;
    if (koerper > KOERPER_R - 0.035f) return {18, 88, 30, 1};   // outline

    // Smile: the lower part of a thin ring below the eye.
    const float mund = abstand(u, v, 0.5f, 0.62f);
    if (v > 0.71f && std::fabs(mund - 0.16f) <= 0.022f) return {26, 70, 30, 1};

    // Lit from the upper left.
    const float licht = abstand(u, v, 0.36f, 0.34f) / (KOERPER_R * 1.6f);
    return mischen({150, 236, 110, 1}, {38, 138, 42, 1}, licht);
}

}   // namespace

void plat_common_spielsymbol_malen(int groesse, uint32_t* argb) {
    if (argb == nullptr || groesse < SYMBOL_MIN || groesse > SYMBOL_MAX) return;
    const int RASTER = 4;
    const float schritt = 1.0f / (static_cast<float>(groesse) * RASTER);
    for (int y = 0; y < groesse; ++y) {
        for (int x = 0; x < groesse; ++x) {
            // Sum premultiplied, so that transparent samples do not darken edges.
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < RASTER; ++sy) {
                for (int sx = 0; sx < RASTER; ++sx) {
                    const float u = (static_cast<float>(x * RASTER + sx) + 0.5f) * schritt;
                    const float v = (static_cast<float>(y * RASTER + sy) + 0.5f) * schritt;
                    const Farbe f = symbol_punkt(u, v);
                    r += f.r * f.a;
                    g += f.g * f.a;
                    b += f.b * f.a;
                    a += f.a;
                }
            }
            uint32_t pixel = 0;
            if (a > 0) {
                const float n = static_cast<float>(RASTER * RASTER);
                const auto kanal = [](float wert) {
                    const long k = std::lround(wert);
                    return static_cast<uint32_t>(k < 0 ? 0 : (k > 255 ? 255 : k));
                };
                pixel = kanal(a / n * 255.0f) << 24 | kanal(r / a) << 16 | kanal(g / a) << 8 | kanal(b / a);
            }
            argb[y * groesse + x] = pixel;
        }
    }
}
