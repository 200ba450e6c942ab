// The crosshair cursor and the window icon, both drawn in code. The
// crosshair grows with the picture: its 32 pixels are the game's pixels.
#include "platform/fadenkreuz.h"
#include "platform/sdl/sdl_intern.h"
#include "platform/spielsymbol.h"

namespace {

SDL_Cursor* g_zeiger = nullptr;
int g_zeiger_groesse = 0;

// The pictures of the cursor and the icon, kept off the stack.
uint32_t g_zeiger_bild[FADENKREUZ_GROESSE * FADENKREUZ_GROESSE];
uint32_t g_zeiger_skaliert[ZEIGER_MAX * ZEIGER_MAX];
const int SYMBOL_GROESSE = 64;
uint32_t g_symbol_bild[SYMBOL_GROESSE * SYMBOL_GROESSE];

}   // namespace

void sdl_fadenkreuz_skalieren(int n, uint32_t* argb, int* hot_x, int* hot_y) {
    if (n < 1) n = 1;
    if (n > ZEIGER_MAX) n = ZEIGER_MAX;
    plat_common_fadenkreuz_malen(g_zeiger_bild);
    // Each pixel shows the crosshair's pixel under its middle.
    for (int y = 0; y < n; ++y) {
        const int qy = (2 * y + 1) * FADENKREUZ_GROESSE / (2 * n);
        for (int x = 0; x < n; ++x) {
            const int qx = (2 * x + 1) * FADENKREUZ_GROESSE / (2 * n);
            argb[y * n + x] = g_zeiger_bild[qy * FADENKREUZ_GROESSE + qx];
        }
    }
    // The pixel whose middle lies nearest the middle of the hot spot's pixel.
    *hot_x = (2 * FADENKREUZ_HOT_X + 1) * n / (2 * FADENKREUZ_GROESSE);
    *hot_y = (2 * FADENKREUZ_HOT_Y + 1) * n / (2 * FADENKREUZ_GROESSE);
}

int sdl_zeiger_groesse(const SdlAbbildung& a) {
    if (a.fenster_b <= 0 || a.ausgabe_b <= 0 || a.bild_b <= 0) return FADENKREUZ_GROESSE;
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(a.ausgabe_b, a.ausgabe_h, a.bild_b, a.bild_h, a.skalierung, &r);
    // 32 picture pixels in window points, rounded.
    const int64_t nenner = static_cast<int64_t>(a.bild_b) * a.ausgabe_b;
    const int64_t n = (2 * static_cast<int64_t>(FADENKREUZ_GROESSE) * r.w * a.fenster_b + nenner) / (2 * nenner);
    const int64_t kleinste = FADENKREUZ_GROESSE, groesste = ZEIGER_MAX;
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
