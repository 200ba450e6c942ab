// The crosshair: ring, both hairs through the hot spot, four diagonal strokes.
#include "platform/fadenkreuz.h"

#include <cmath>

namespace {

const uint32_t SCHWARZ = 0xFF000000u;
const uint32_t WEISS = 0xFFFFFFFFu;
const int G = FADENKREUZ_GROESSE;

void punkt(uint32_t* argb, int x, int y) {
    if (x >= 0 && x < G && y >= 0 && y < G) argb[y * G + x] = SCHWARZ;
}

bool schwarzer_nachbar(const uint32_t* argb, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && nx < G && ny >= 0 && ny < G && argb[ny * G + nx] == SCHWARZ) return true;
        }
    }
    return false;
}

}   // namespace

void plat_common_fadenkreuz_malen(uint32_t argb[FADENKREUZ_GROESSE * FADENKREUZ_GROESSE]) {
    const int cx = FADENKREUZ_HOT_X, cy = FADENKREUZ_HOT_Y;
    for (int i = 0; i < G * G; ++i) argb[i] = 0;

    for (int y = 0; y < G; ++y) {
        for (int x = 0; x < G; ++x) {
            if (std::fabs(std::hypot(x - cx, y - cy) - 9.0) < 0.6) punkt(argb, x, y);
        }
    }
    for (int y = cy - 15; y <= cy + 14; ++y) punkt(argb, cx, y);
    for (int x = cx - 14; x <= cx + 14; ++x) punkt(argb, x, cy);
    for (int d = 8; d <= 10; ++d) {
        punkt(argb, cx - d, cy - d);
        punkt(argb, cx + d, cy - d);
        punkt(argb, cx - d, cy + d);
        punkt(argb, cx + d, cy + d);
    }

    // A white rim around every black pixel keeps it visible on dark ground.
    uint32_t mit_rand[G * G];
    for (int y = 0; y < G; ++y) {
        for (int x = 0; x < G; ++x) {
            const uint32_t p = argb[y * G + x];
            mit_rand[y * G + x] = (p == 0 && schwarzer_nachbar(argb, x, y)) ? WEISS : p;
        }
    }
    for (int i = 0; i < G * G; ++i) argb[i] = mit_rand[i];
}
