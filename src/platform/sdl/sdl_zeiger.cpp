// The crosshair cursor and the window icon, both drawn in code.
#include <cmath>

#include "platform/sdl/sdl_intern.h"
#include "platform/spielsymbol.h"

namespace {

const uint32_t ZEIGER_SCHWARZ = 0xFF000000u;
const uint32_t ZEIGER_WEISS = 0xFFFFFFFFu;

SDL_Cursor* g_zeiger = nullptr;

// The pictures of the cursor and the icon, kept off the stack.
uint32_t g_zeiger_bild[ZEIGER_GROESSE * ZEIGER_GROESSE];
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

void sdl_zeiger_und_symbol_setzen(void) {
    if (g_sdl_fenster == nullptr) return;

    sdl_fadenkreuz_malen(g_zeiger_bild);
    SDL_Surface* bild = SDL_CreateRGBSurfaceWithFormatFrom(g_zeiger_bild, ZEIGER_GROESSE, ZEIGER_GROESSE, 32,
                                                           ZEIGER_GROESSE * 4, SDL_PIXELFORMAT_ARGB8888);
    if (bild != nullptr) {
        SDL_Cursor* neu = SDL_CreateColorCursor(bild, ZEIGER_HOT_X, ZEIGER_HOT_Y);
        SDL_FreeSurface(bild);
        if (neu != nullptr) {
            SDL_SetCursor(neu);
            if (g_zeiger != nullptr) SDL_FreeCursor(g_zeiger);
            g_zeiger = neu;
        }
    }
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
}
