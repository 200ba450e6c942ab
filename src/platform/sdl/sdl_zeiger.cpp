// The crosshair cursor and the window icon, both drawn in code.
#include "platform/fadenkreuz.h"
#include "platform/sdl/sdl_intern.h"
#include "platform/spielsymbol.h"

static_assert(static_cast<int>(ZEIGER_GROESSE) == FADENKREUZ_GROESSE &&
                  static_cast<int>(ZEIGER_HOT_X) == FADENKREUZ_HOT_X &&
                  static_cast<int>(ZEIGER_HOT_Y) == FADENKREUZ_HOT_Y,
              "one crosshair for every backend");

namespace {

SDL_Cursor* g_zeiger = nullptr;

// The pictures of the cursor and the icon, kept off the stack.
uint32_t g_zeiger_bild[ZEIGER_GROESSE * ZEIGER_GROESSE];
const int SYMBOL_GROESSE = 64;
uint32_t g_symbol_bild[SYMBOL_GROESSE * SYMBOL_GROESSE];

}   // namespace

void sdl_fadenkreuz_malen(uint32_t argb[ZEIGER_GROESSE * ZEIGER_GROESSE]) { plat_common_fadenkreuz_malen(argb); }

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
