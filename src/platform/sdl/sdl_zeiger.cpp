// The crosshair cursor and the window icon, both drawn in code.
#include <cmath>

#include "platform/sdl/sdl_intern.h"
#include "platform/spielsymbol.h"

namespace {

const uint32_t ZEIGER_SCHWARZ = 0xFF000000u;
const uint32_t ZEIGER_WEISS = 0xFFFFFFFFu;

SDL_Cursor* pZeiger = nullptr;

void Zeiger_Punkt(uint32_t* argb, int x, int y) {
    if (x >= 0 && x < ZEIGER_GROESSE && y >= 0 && y < ZEIGER_GROESSE) argb[y * ZEIGER_GROESSE + x] = ZEIGER_SCHWARZ;
}

} // namespace

void Fadenkreuz_malen(uint32_t argb[ZEIGER_GROESSE * ZEIGER_GROESSE]) {
    const int cx = ZEIGER_HOT_X, cy = ZEIGER_HOT_Y;
    for (int i = 0; i < ZEIGER_GROESSE * ZEIGER_GROESSE; ++i) argb[i] = 0;

    // The black figure: ring, both hairs through the hot spot, four diagonal strokes.
    for (int y = 0; y < ZEIGER_GROESSE; ++y) {
        for (int x = 0; x < ZEIGER_GROESSE; ++x) {
            const double r = std::hypot(x - cx, y - cy);
            if (std::fabs(r - 9.0) < 0.6) Zeiger_Punkt(argb, x, y);
        }
    }
    for (int y = cy - 15; y <= cy + 14; ++y) Zeiger_Punkt(argb, cx, y);
    for (int x = cx - 14; x <= cx + 14; ++x) Zeiger_Punkt(argb, x, cy);
    for (int d = 8; d <= 10; ++d) {
        Zeiger_Punkt(argb, cx - d, cy - d);
        Zeiger_Punkt(argb, cx + d, cy - d);
        Zeiger_Punkt(argb, cx - d, cy + d);
        Zeiger_Punkt(argb, cx + d, cy + d);
    }

    // A white rim around every black pixel keeps it visible on dark ground.
    uint32_t aRand[ZEIGER_GROESSE * ZEIGER_GROESSE];
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
            aRand[y * ZEIGER_GROESSE + x] = (p == 0 && nachbar) ? ZEIGER_WEISS : p;
        }
    }
    for (int i = 0; i < ZEIGER_GROESSE * ZEIGER_GROESSE; ++i) argb[i] = aRand[i];
}

void Zeiger_und_Symbol_setzen(void) {
    if (sdlFenster == nullptr) return;

    static uint32_t aZeiger[ZEIGER_GROESSE * ZEIGER_GROESSE];
    Fadenkreuz_malen(aZeiger);
    SDL_Surface* bild = SDL_CreateRGBSurfaceWithFormatFrom(aZeiger, ZEIGER_GROESSE, ZEIGER_GROESSE, 32,
                                                           ZEIGER_GROESSE * 4, SDL_PIXELFORMAT_ARGB8888);
    if (bild != nullptr) {
        SDL_Cursor* neu = SDL_CreateColorCursor(bild, ZEIGER_HOT_X, ZEIGER_HOT_Y);
        SDL_FreeSurface(bild);
        if (neu != nullptr) {
            SDL_SetCursor(neu);
            if (pZeiger != nullptr) SDL_FreeCursor(pZeiger);
            pZeiger = neu;
        }
    }
    SDL_ShowCursor(SDL_ENABLE);

    const int SYMBOL = 64;
    static uint32_t aSymbol[SYMBOL * SYMBOL];
    Spielsymbol_malen(SYMBOL, aSymbol);
    SDL_Surface* symbol = SDL_CreateRGBSurfaceWithFormatFrom(aSymbol, SYMBOL, SYMBOL, 32, SYMBOL * 4,
                                                             SDL_PIXELFORMAT_ARGB8888);
    if (symbol != nullptr) {
        SDL_SetWindowIcon(sdlFenster, symbol);
        SDL_FreeSurface(symbol);
    }
}

void Zeiger_freigeben(void) {
    if (pZeiger != nullptr) {
        SDL_SetCursor(SDL_GetDefaultCursor());
        SDL_FreeCursor(pZeiger);
        pZeiger = nullptr;
    }
}
