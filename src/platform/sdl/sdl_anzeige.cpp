// The screen on SDL: the 8-bit picture goes through a 256-entry colour
// table into a streaming texture, which is drawn scaled to the window with
// black bars, once per flip, paced to about 60 frames a second.
#include <cstring>
#include <vector>

#include "platform/backend.h"
#include "platform/blit_simd.h"
#include "platform/sdl/sdl_intern.h"

#include <SDL_opengl.h>

namespace {

enum { BILD_MAX = 4096 };

SDL_Renderer* g_renderer = nullptr;
SDL_Texture* g_textur = nullptr;
int g_bild_b = 1024;
int g_bild_h = 768;

bool g_anzeige_offen = false;
bool g_verloren = false;
// The window's picture may be stale (first frame, exposed, resized, back
// from being lost): the next flip draws and presents even if no pixel of
// the frame changed.
bool g_neu_zeigen = true;
int g_gezeigt = 0;           // presents so far, for the tests
bool g_geraet_neu = false;   // the renderer itself must be made anew

uint32_t g_tabelle[256];

// The picture as the texture last got it: only what the game changed
// since is converted, and only the rows it lies in are uploaded.
std::vector<uint32_t> g_ausgabe;
PlatBlitAbgleich g_abgleich;

Uint64 g_letzter_flip = 0;   // performance counter after the last flip

// An OpenGL that rasterises on the processor (a virtual X server, a
// machine without a graphics driver) spends several milliseconds a frame;
// SDL's own software renderer on a plain window surface needs a fraction.
bool software_gl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    typedef const GLubyte*(APIENTRY * GlGetString)(GLenum);
    GlGetString gl_get_string = reinterpret_cast<GlGetString>(SDL_GL_GetProcAddress("glGetString"));
    const char* name = gl_get_string != nullptr ? reinterpret_cast<const char*>(gl_get_string(GL_RENDERER)) : nullptr;
    return name != nullptr && (std::strstr(name, "llvmpipe") != nullptr || std::strstr(name, "softpipe") != nullptr ||
                               std::strstr(name, "Software Rasterizer") != nullptr);
}

bool renderer_anlegen(void) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    g_renderer = SDL_CreateRenderer(g_sdl_fenster, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    const char* wahl = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (g_renderer != nullptr && (wahl == nullptr || *wahl == 0) && software_gl(g_renderer)) {
        SDL_DestroyRenderer(g_renderer);
        // The window surface straight to the X server, not through GL again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        g_renderer = SDL_CreateRenderer(g_sdl_fenster, -1, SDL_RENDERER_SOFTWARE);
    }
    if (g_renderer == nullptr) g_renderer = SDL_CreateRenderer(g_sdl_fenster, -1, 0);
    if (g_renderer == nullptr) g_renderer = SDL_CreateRenderer(g_sdl_fenster, -1, SDL_RENDERER_SOFTWARE);
    if (g_renderer == nullptr) return false;
    g_textur = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, g_bild_b, g_bild_h);
    plat_common_blit_abgleich_vergessen(&g_abgleich);   // a new texture holds nothing
    if (g_textur == nullptr) {
        SDL_DestroyRenderer(g_renderer);
        g_renderer = nullptr;
        return false;
    }
    SDL_SetRenderDrawColor(g_renderer, 0, 0, 0, 255);
    return true;
}

void renderer_freigeben(void) {
    if (g_textur != nullptr) SDL_DestroyTexture(g_textur);
    if (g_renderer != nullptr) SDL_DestroyRenderer(g_renderer);
    g_textur = nullptr;
    g_renderer = nullptr;
}

// Keeps flips at least one 60 Hz period apart. A driver that waits for
// the display already spaces them so, and then nothing is slept here.
void flip_takten(void) {
    const Uint64 frequenz = SDL_GetPerformanceFrequency();
    const Uint64 periode = frequenz / 60;
    Uint64 jetzt = SDL_GetPerformanceCounter();
    if (g_letzter_flip != 0) {
        const Uint64 frist = g_letzter_flip + periode;
        // A tenth of a period of slack, so a real 60 Hz wait is never doubled.
        while (jetzt + periode / 10 < frist) {
            const Uint32 ms = static_cast<Uint32>((frist - jetzt) * 1000 / frequenz);
            SDL_Delay(ms > 0 ? ms : 1);
            jetzt = SDL_GetPerformanceCounter();
        }
    }
    g_letzter_flip = jetzt;
}

}   // namespace

void sdl_bildrechteck_berechnen(int ausgabe_b, int ausgabe_h, int bild_b, int bild_h, SdlBildrechteck* r) {
    if (ausgabe_b <= 0 || ausgabe_h <= 0 || bild_b <= 0 || bild_h <= 0) {
        *r = SdlBildrechteck{0, 0, ausgabe_b > 0 ? ausgabe_b : 0, ausgabe_h > 0 ? ausgabe_h : 0};
        return;
    }
    // Compare ausgabe_b / bild_b with ausgabe_h / bild_h without rounding.
    const int64_t breit_quer = static_cast<int64_t>(ausgabe_b) * bild_h;
    const int64_t hoch_quer = static_cast<int64_t>(ausgabe_h) * bild_b;
    if (breit_quer > hoch_quer) {   // bars left and right
        r->h = ausgabe_h;
        r->w = static_cast<int>(hoch_quer / bild_h);
    } else {   // bars above and below
        r->w = ausgabe_b;
        r->h = static_cast<int>(breit_quer / bild_b);
    }
    r->x = (ausgabe_b - r->w) / 2;
    r->y = (ausgabe_h - r->h) / 2;
}

void sdl_maus_abbilden(int fx, int fy, int fenster_b, int fenster_h, int bild_b, int bild_h, int* bx, int* by) {
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(fenster_b, fenster_h, bild_b, bild_h, &r);
    int x = 0, y = 0;
    if (r.w > 0 && r.h > 0) {
        const int64_t dx = static_cast<int64_t>(fx) - r.x;
        const int64_t dy = static_cast<int64_t>(fy) - r.y;
        // Floor division, so a point just left of the picture is not rounded into it.
        x = static_cast<int>(dx >= 0 ? dx * bild_b / r.w : -((-dx * bild_b + r.w - 1) / r.w));
        y = static_cast<int>(dy >= 0 ? dy * bild_h / r.h : -((-dy * bild_h + r.h - 1) / r.h));
    }
    *bx = x < 0 ? 0 : (x >= bild_b ? bild_b - 1 : x);
    *by = y < 0 ? 0 : (y >= bild_h ? bild_h - 1 : y);
}

void sdl_anzeige_bildgroesse(int* b, int* h) {
    *b = g_bild_b;
    *h = g_bild_h;
}

void sdl_anzeige_auffrischen(void) { g_neu_zeigen = true; }

int sdl_anzeige_gezeigt(void) { return g_gezeigt; }

void sdl_anzeige_verloren(bool geraet_neu) {
    if (!g_anzeige_offen) return;   // nothing shown yet, nothing to lose
    g_neu_zeigen = true;
    g_verloren = true;
    plat_common_blit_abgleich_vergessen(&g_abgleich);
    g_geraet_neu = g_geraet_neu || geraet_neu;
}

bool backend_display_open([[maybe_unused]] HWND hwnd, int w, int h) {
    if (g_sdl_fenster == nullptr || w <= 0 || h <= 0 || w > BILD_MAX || h > BILD_MAX) return false;
    renderer_freigeben();
    g_bild_b = w;
    g_bild_h = h;
    g_verloren = g_geraet_neu = false;
    if (!renderer_anlegen()) {
        g_bild_b = 1024;
        g_bild_h = 768;
        return false;
    }
    g_anzeige_offen = true;
    g_neu_zeigen = true;
    SDL_RenderClear(g_renderer);
    SDL_RenderPresent(g_renderer);
    return true;
}

void backend_display_close(void) {
    renderer_freigeben();
    g_anzeige_offen = g_verloren = g_geraet_neu = false;
    g_letzter_flip = 0;
    plat_common_blit_abgleich_vergessen(&g_abgleich);
    std::vector<uint32_t>().swap(g_ausgabe);
}

bool backend_present(const uint8_t* pixels, int32_t pitch, int w, int h, const PALETTEENTRY palette[256]) {
    if (!g_anzeige_offen) return false;
    if (g_verloren || g_renderer == nullptr || g_textur == nullptr || pixels == nullptr || palette == nullptr ||
        w != g_bild_b || h != g_bild_h || pitch < w) {
        flip_takten();   // a flip that shows nothing must not turn the game loop into a spin
        return false;
    }
    // A new palette changes the table, which makes the conversion below
    // do the whole picture.
    plat_common_blit_tabelle_bauen(palette, g_tabelle);

    // A locked streaming texture comes back with undefined pixels, so the
    // changed rows go up with SDL_UpdateTexture from the kept picture.
    const size_t pixel = static_cast<size_t>(w) * static_cast<size_t>(h);
    if (g_ausgabe.size() != pixel) {
        g_ausgabe.assign(pixel, 0);
        plat_common_blit_abgleich_vergessen(&g_abgleich);
    }
    int32_t von = 0, bis = 0;
    plat_common_blit_palette_nachfuehren(&g_abgleich, pixels, pitch, w, h, g_tabelle,
                                         reinterpret_cast<uint8_t*>(g_ausgabe.data()), 4 * w, &von, &bis);
    if (bis > von) {
        const SDL_Rect zeilen = {0, von, w, bis - von};
        if (SDL_UpdateTexture(g_textur, &zeilen, g_ausgabe.data() + static_cast<size_t>(von) * w, 4 * w) != 0) {
            sdl_anzeige_verloren(false);
            flip_takten();
            return false;
        }
    }

    // A frame like the last one is not shown again: the screen still holds
    // it, and scaling and presenting a whole picture is most of a flip's
    // cost on a renderer without a graphics card (a still menu costs next
    // to nothing then). The flip keeps its pace all the same.
    if (bis <= von && !g_neu_zeigen) {
        flip_takten();
        return true;
    }
    g_neu_zeigen = false;
    int ausgabe_b = 0, ausgabe_h = 0;
    SDL_GetRendererOutputSize(g_renderer, &ausgabe_b, &ausgabe_h);
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(ausgabe_b, ausgabe_h, w, h, &r);
    const SDL_Rect ziel_rect = {r.x, r.y, r.w, r.h};
    // Unscaled, filtering only costs time (a lot on a software GL).
    SDL_SetTextureScaleMode(g_textur, r.w == w && r.h == h ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_RenderClear(g_renderer);
    SDL_RenderCopy(g_renderer, g_textur, nullptr, &ziel_rect);
    SDL_RenderPresent(g_renderer);
    ++g_gezeigt;
    flip_takten();
    return true;
}

bool backend_restore(void) {
    if (!g_anzeige_offen || g_sdl_fenster == nullptr) return false;
    // While the screen is away the flips stop reaching backend_present,
    // so a failed restore is what keeps the game loop from spinning.
    if ((SDL_GetWindowFlags(g_sdl_fenster) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0) {
        flip_takten();
        return false;
    }
    if (g_geraet_neu || g_renderer == nullptr) {
        renderer_freigeben();
        if (!renderer_anlegen()) {
            flip_takten();
            return false;
        }
        g_geraet_neu = false;
    } else {
        // The texture's content may be gone with the targets; the next flip fills it whole.
        if (g_textur != nullptr) SDL_DestroyTexture(g_textur);
        g_textur =
            SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, g_bild_b, g_bild_h);
        plat_common_blit_abgleich_vergessen(&g_abgleich);
        if (g_textur == nullptr) {
            g_geraet_neu = true;   // try the whole renderer next time
            flip_takten();
            return false;
        }
    }
    g_verloren = false;
    g_neu_zeigen = true;
    return true;
}
