// The crosshair cursor and the window icon, both drawn in code. The
// crosshair grows with the picture: its 32 pixels are the game's pixels.
#include <cmath>

#include "platform/sdl/sdl_intern.h"
#include "platform/spielsymbol.h"

namespace {

const uint32_t ZEIGER_SCHWARZ = 0xFF000000u;
const uint32_t ZEIGER_WEISS = 0xFFFFFFFFu;

SDL_Cursor* g_zeiger = nullptr;
int g_zeiger_groesse = 0;

// The pictures of the cursor and the icon, kept off the stack.
uint32_t g_zeiger_bild[ZEIGER_GROESSE * ZEIGER_GROESSE];
uint32_t g_zeiger_skaliert[ZEIGER_MAX * ZEIGER_MAX];
const int SYMBOL_GROESSE = 64;
uint32_t g_symbol_bild[SYMBOL_GROESSE * SYMBOL_GROESSE];

void zeiger_punkt(uint32_t* argb, int x, int y) {
    if (x >= 0 && x < ZEIGER_GROESSE && y >= 0 && y < ZEIGER_GROESSE) argb[y * ZEIGER_GROESSE + x] = ZEIGER_SCHWARZ;
}

}   // namespace

void sdl_fadenkreuz_malen(uint32_t argb[ZEIGER_GROESSE * ZEIGER_GROESSE]) {
    const int cx = ZEIGER_HOT_X, cy = ZEIGER_HOT_Y;
    for (int i = 0; i < ZEIGER_GROESSE * ZEIGER_GROESSE; ++i) argb[i] = 0;

    // The black figure: ring, both hairs through the hot spot, four diagonal strokes.
    for (int y = 0; y < ZEIGER_GROESSE; ++y) {
        for (int x = 0; x < ZEIGER_GROESSE; ++x) {
            const double r = std::hypot(x - cx, y - cy);
            if (std::fabs(r - 9.0) < 0.6) zeiger_punkt(argb, x, y);
        }
    }
    for (int y = cy - 15; y <= cy + 14; ++y) zeiger_punkt(argb, cx, y);
    for (int x = cx - 14; x <= cx + 14; ++x) zeiger_punkt(argb, x, cy);
    for (int d = 8; d <= 10; ++d) {
        zeiger_punkt(argb, cx - d, cy - d);
        zeiger_punkt(argb, cx + d, cy - d);
        zeiger_punkt(argb, cx - d, cy + d);
        zeiger_punkt(argb, cx + d, cy + d);
    }

    // A white rim around every black pixel keeps it visible on dark ground.
    uint32_t mit_rand[ZEIGER_GROESSE * ZEIGER_GROESSE];
    for (int y = 0; y < ZEIGER_GROESSE; ++y) {
        for (int x = 0; x < ZEIGER_GROESSE; ++x) {
            bool nachbar = false;
            for (int dy = -1; dy <= 1 && !nachbar; ++dy) {
                for (int dx = -1; dx <= 1 && !nachbar; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    nachbar = nx >= 0 && nx < ZEIGER_GROESSE && ny >= 0 && ny < ZEIGER_GROESSE &&
                              argb[ny * ZEIGER_GROESSE + nx] == ZEIGER_SCHWARZ;
                }
            }
            const uint32_t p = argb[y * ZEIGER_GROESSE + x];
            mit_rand[y * ZEIGER_GROESSE + x] = (p == 0 && nachbar) ? ZEIGER_WEISS : p;
        }
    }
    for (int i = 0; i < ZEIGER_GROESSE * ZEIGER_GROESSE; ++i) argb[i] = mit_rand[i];
}

void sdl_fadenkreuz_skalieren(int n, uint32_t* argb, int* hot_x, int* hot_y) {
    if (n < 1) n = 1;
    if (n > ZEIGER_MAX) n = ZEIGER_MAX;
    sdl_fadenkreuz_malen(g_zeiger_bild);
    // Each pixel shows the crosshair's pixel under its middle.
    for (int y = 0; y < n; ++y) {
        const int qy = (2 * y + 1) * ZEIGER_GROESSE / (2 * n);
        for (int x = 0; x < n; ++x) {
            const int qx = (2 * x + 1) * ZEIGER_GROESSE / (2 * n);
            argb[y * n + x] = g_zeiger_bild[qy * ZEIGER_GROESSE + qx];
        }
    }
    // The pixel whose middle lies nearest the middle of the hot spot's pixel.
    *hot_x = (2 * ZEIGER_HOT_X + 1) * n / (2 * ZEIGER_GROESSE);
    *hot_y = (2 * ZEIGER_HOT_Y + 1) * n / (2 * ZEIGER_GROESSE);
}

int sdl_zeiger_groesse(const SdlAbbildung& a) {
    if (a.fenster_b <= 0 || a.ausgabe_b <= 0 || a.bild_b <= 0) return ZEIGER_GROESSE;
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(a.ausgabe_b, a.ausgabe_h, a.bild_b, a.bild_h, a.skalierung, &r);
    // 32 picture pixels in window points, rounded.
    const int64_t nenner = static_cast<int64_t>(a.bild_b) * a.ausgabe_b;
    const int64_t n = (2 * static_cast<int64_t>(ZEIGER_GROESSE) * r.w * a.fenster_b + nenner) / (2 * nenner);
    const int64_t kleinste = ZEIGER_GROESSE, groesste = ZEIGER_MAX;
    return static_cast<int>(n < kleinste ? kleinste : (n > groesste ? groesste : n));
}

void sdl_zeiger_anpassen(int n) {
    if (n == g_zeiger_groesse || g_sdl_fenster == nullptr) return;
    int hot_x = 0, hot_y = 0;
    sdl_fadenkreuz_skalieren(n, g_zeiger_skaliert, &hot_x, &hot_y);
    SDL_Surface* bild =
        SDL_CreateRGBSurfaceWithFormatFrom(g_zeiger_skaliert, n, n, 32, n * 4, SDL_PIXELFORMAT_ARGB8888);
    if (bild == nullptr) return;
    SDL_Cursor* neu = SDL_CreateColorCursor(bild, hot_x, hot_y);
    SDL_FreeSurface(bild);
    if (neu == nullptr) return;
    SDL_SetCursor(neu);
    if (g_zeiger != nullptr) SDL_FreeCursor(g_zeiger);
    g_zeiger = neu;
    g_zeiger_groesse = n;
}

int sdl_zeiger_aktuell(void) { return g_zeiger_groesse; }

void sdl_zeiger_und_symbol_setzen(void) {
    if (g_sdl_fenster == nullptr) return;

    sdl_zeiger_anpassen(sdl_zeiger_groesse(sdl_anzeige_abbildung()));
    SDL_ShowCursor(SDL_ENABLE);

    plat_common_spielsymbol_malen(SYMBOL_GROESSE, g_symbol_bild);
    SDL_Surface* symbol = SDL_CreateRGBSurfaceWithFormatFrom(g_symbol_bild, SYMBOL_GROESSE, SYMBOL_GROESSE, 32,
                                                             SYMBOL_GROESSE * 4, SDL_PIXELFORMAT_ARGB8888);
    if (symbol != nullptr) {
        SDL_SetWindowIcon(g_sdl_fenster, symbol);
        SDL_FreeSurface(symbol);
    }
}

void sdl_zeiger_freigeben(void) {
    if (g_zeiger != nullptr) {
        SDL_SetCursor(SDL_GetDefaultCursor());
        SDL_FreeCursor(g_zeiger);
        g_zeiger = nullptr;
    }
    g_zeiger_groesse = 0;
}
