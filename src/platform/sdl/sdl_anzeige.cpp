// The screen on SDL: the 8-bit picture goes through a 256-entry colour
// table, is scaled to the window with square pixels and black bars, and
// is shown once per flip, paced to about 60 frames a second.
//
// With a graphics card the renderer scales: nearest neighbour into a
// texture enlarged by an integer factor, then linearly to the window.
// Where only the processor draws (a virtual X server, software OpenGL)
// the frame goes straight into the window's surface, scaled by
// sdl_skalieren, and only the places that changed are scaled and sent.
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
SDL_Texture* g_vorskaliert = nullptr;   // the picture enlarged by an integer factor
int g_vorskaliert_faktor = 0;
bool g_vorskaliert_alt = true;   // it no longer holds the texture's picture
bool g_flaeche = false;          // frames go into the window's surface, not through g_renderer
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

// The picture as the texture or the scaler last got it: only what the
// game changed since is converted, and only the rows it lies in go on.
std::vector<uint32_t> g_ausgabe;
PlatBlitAbgleich g_abgleich;

// The window surface's scaling as last set up, and what it sent.
SdlSkalierer g_skalierer;
SdlBildrechteck g_flaeche_rect = {0, 0, 0, 0};
std::vector<SdlBildrechteck> g_baender;
std::vector<SDL_Rect> g_gesendet;

Uint64 g_letzter_flip = 0;   // performance counter after the last flip

int g_messen_linear = -1;   // read once from the environment

// The scaling in use: the player's, or linear when the measurements ask
// for the old look (GLUBBERSHOOT_SCALE=linear).
int skalierung(void) {
    if (g_messen_linear < 0) {
        const char* messen = SDL_getenv("GLUBBERSHOOT_SCALE");
        g_messen_linear = messen != nullptr && std::strcmp(messen, "linear") == 0 ? 1 : 0;
    }
    return g_messen_linear == 1 ? SKALIERUNG_LINEAR : g_sdl_einstellungen.skalierung;
}

// An OpenGL that rasterises on the processor (a virtual X server, a
// machine without a graphics driver) spends several milliseconds a frame;
// writing the window's surface ourselves needs a fraction.
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

// The window's surface holds 32-bit pixels red, green, blue from the top byte down.
bool flaeche_passt(SDL_Surface* s) {
    return s != nullptr && s->format != nullptr && s->format->BytesPerPixel == 4 && s->format->Rmask == 0xFF0000u &&
           s->format->Gmask == 0xFF00u && s->format->Bmask == 0xFFu;
}

bool renderer_anlegen(void) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    const char* wahl = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool gewaehlt = wahl != nullptr && *wahl != 0;
    g_renderer = SDL_CreateRenderer(g_sdl_fenster, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!gewaehlt && (g_renderer == nullptr || software_gl(g_renderer))) {
        if (g_renderer != nullptr) SDL_DestroyRenderer(g_renderer);
        g_renderer = nullptr;
        // The window surface straight to the X server, not through GL again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (skalierung() != SKALIERUNG_LINEAR && flaeche_passt(SDL_GetWindowSurface(g_sdl_fenster))) {
            g_flaeche = true;
            g_flaeche_rect = SdlBildrechteck{0, 0, 0, 0};
            plat_common_blit_abgleich_vergessen(&g_abgleich);
            return true;
        }
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

void vorskaliert_freigeben(void) {
    if (g_vorskaliert != nullptr) SDL_DestroyTexture(g_vorskaliert);
    g_vorskaliert = nullptr;
    g_vorskaliert_faktor = 0;
}

void renderer_freigeben(void) {
    vorskaliert_freigeben();
    if (g_textur != nullptr) SDL_DestroyTexture(g_textur);
    if (g_renderer != nullptr) SDL_DestroyRenderer(g_renderer);
    g_textur = nullptr;
    g_renderer = nullptr;
    g_flaeche = false;
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

bool gleich(const SdlBildrechteck& a, const SdlBildrechteck& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// Rounds a / b down, also for negative a (b > 0).
int64_t abgerundet(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void zeiger_anpassen(void) { sdl_zeiger_anpassen(sdl_zeiger_groesse(sdl_anzeige_abbildung())); }

// The frame into the window's surface: everything when the window is new,
// else the places of the rows that changed; then those places are sent.
bool flaeche_zeigen(int w, int h, int32_t von, int32_t bis) {
    SDL_Surface* s = SDL_GetWindowSurface(g_sdl_fenster);
    if (!flaeche_passt(s)) return false;
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(s->w, s->h, w, h, skalierung(), &r);
    const bool alles = g_neu_zeigen || !gleich(r, g_flaeche_rect);
    if (!alles && bis <= von) return true;   // the screen still holds this frame
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return false;
    if (!gleich(r, g_flaeche_rect)) {
        sdl_skalierer_einrichten(&g_skalierer, w, h, r.w, r.h, sdl_vorfaktor(r, w, h));
        g_flaeche_rect = r;
    }
    g_baender.clear();
    uint32_t* ziel =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + static_cast<intptr_t>(r.y) * s->pitch) + r.x;
    sdl_skalieren(&g_skalierer, g_ausgabe.data(), w, alles ? nullptr : g_abgleich.spannen.data(), ziel, s->pitch / 4,
                  alles ? nullptr : &g_baender);
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (alles) {
        const SDL_Rect balken[4] = {{0, 0, s->w, r.y},
                                    {0, r.y + r.h, s->w, s->h - r.y - r.h},
                                    {0, r.y, r.x, r.h},
                                    {r.x + r.w, r.y, s->w - r.x - r.w, r.h}};
        for (const SDL_Rect& b : balken) {
            if (b.w > 0 && b.h > 0) SDL_FillRect(s, &b, SDL_MapRGB(s->format, 0, 0, 0));
        }
        g_neu_zeigen = false;
        zeiger_anpassen();
        return SDL_UpdateWindowSurface(g_sdl_fenster) == 0;
    }
    g_gesendet.clear();
    for (const SdlBildrechteck& b : g_baender) g_gesendet.push_back(SDL_Rect{r.x + b.x, r.y + b.y, b.w, b.h});
    if (g_gesendet.empty()) return true;
    return SDL_UpdateWindowSurfaceRects(g_sdl_fenster, g_gesendet.data(), static_cast<int>(g_gesendet.size())) == 0;
}

// The picture through the renderer as the scaling wants it.
bool renderer_zeichnen(int w, int h, bool geaendert) {
    int ausgabe_b = 0, ausgabe_h = 0;
    SDL_GetRendererOutputSize(g_renderer, &ausgabe_b, &ausgabe_h);
    const int art = skalierung();
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(ausgabe_b, ausgabe_h, w, h, art, &r);
    const SDL_Rect ziel_rect = {r.x, r.y, r.w, r.h};
    const int faktor = sdl_vorfaktor(r, w, h);
    const bool ganz = r.w == faktor * w && r.h == faktor * h;
    SDL_Texture* quelle = g_textur;
    // Unscaled or by a whole number, filtering only costs time.
    SDL_SetTextureScaleMode(g_textur, ganz ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    if (art == SKALIERUNG_SCHARF && !ganz && r.w > w) {
        if (g_vorskaliert_faktor != faktor) {
            vorskaliert_freigeben();
            SDL_RendererInfo info;
            const bool passt = SDL_GetRendererInfo(g_renderer, &info) == 0 &&
                               (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0 &&
                               (info.max_texture_width == 0 || faktor * w <= info.max_texture_width) &&
                               (info.max_texture_height == 0 || faktor * h <= info.max_texture_height);
            // Without render targets the picture is scaled linearly all the way.
            if (passt)
                g_vorskaliert = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                                  faktor * w, faktor * h);
            if (g_vorskaliert != nullptr) SDL_SetTextureScaleMode(g_vorskaliert, SDL_ScaleModeLinear);
            g_vorskaliert_faktor = faktor;
            g_vorskaliert_alt = true;
        }
        if (g_vorskaliert != nullptr) {
            if (geaendert || g_vorskaliert_alt) {
                SDL_SetTextureScaleMode(g_textur, SDL_ScaleModeNearest);
                if (SDL_SetRenderTarget(g_renderer, g_vorskaliert) != 0 ||
                    SDL_RenderCopy(g_renderer, g_textur, nullptr, nullptr) != 0 ||
                    SDL_SetRenderTarget(g_renderer, nullptr) != 0)
                    return false;
                g_vorskaliert_alt = false;
            }
            quelle = g_vorskaliert;
        }
    }
    SDL_RenderClear(g_renderer);
    SDL_RenderCopy(g_renderer, quelle, nullptr, &ziel_rect);
    SDL_RenderPresent(g_renderer);
    g_neu_zeigen = false;
    zeiger_anpassen();
    return true;
}

}   // namespace

void sdl_bildrechteck_berechnen(int ausgabe_b, int ausgabe_h, int bild_b, int bild_h, int art, SdlBildrechteck* r) {
    if (ausgabe_b <= 0 || ausgabe_h <= 0 || bild_b <= 0 || bild_h <= 0) {
        *r = SdlBildrechteck{0, 0, ausgabe_b > 0 ? ausgabe_b : 0, ausgabe_h > 0 ? ausgabe_h : 0};
        return;
    }
    const int faktor = ausgabe_b / bild_b < ausgabe_h / bild_h ? ausgabe_b / bild_b : ausgabe_h / bild_h;
    if (art == SKALIERUNG_GANZZAHLIG && faktor >= 1) {
        r->w = faktor * bild_b;
        r->h = faktor * bild_h;
    } else {
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
    }
    r->x = (ausgabe_b - r->w) / 2;
    r->y = (ausgabe_h - r->h) / 2;
}

int sdl_vorfaktor(const SdlBildrechteck& r, int bild_b, int bild_h) {
    if (bild_b <= 0 || bild_h <= 0) return 1;
    const int fx = (r.w + bild_b - 1) / bild_b;
    const int fy = (r.h + bild_h - 1) / bild_h;
    const int f = fx > fy ? fx : fy;
    return f < 1 ? 1 : f;
}

void sdl_maus_abbilden(int fx, int fy, const SdlAbbildung& a, int* bx, int* by) {
    *bx = *by = 0;
    if (a.fenster_b <= 0 || a.fenster_h <= 0 || a.ausgabe_b <= 0 || a.ausgabe_h <= 0 || a.bild_b <= 0 || a.bild_h <= 0)
        return;
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(a.ausgabe_b, a.ausgabe_h, a.bild_b, a.bild_h, a.skalierung, &r);
    if (r.w <= 0 || r.h <= 0) return;
    // The middle of the window's pixel in device pixels, then in the picture:
    // ((f + 1/2) * ausgabe / fenster - r) * bild / r.w, rounded down.
    const int64_t x = abgerundet(
        ((2 * static_cast<int64_t>(fx) + 1) * a.ausgabe_b - 2 * static_cast<int64_t>(r.x) * a.fenster_b) * a.bild_b,
        2 * static_cast<int64_t>(a.fenster_b) * r.w);
    const int64_t y = abgerundet(
        ((2 * static_cast<int64_t>(fy) + 1) * a.ausgabe_h - 2 * static_cast<int64_t>(r.y) * a.fenster_h) * a.bild_h,
        2 * static_cast<int64_t>(a.fenster_h) * r.h);
    *bx = static_cast<int>(x < 0 ? 0 : (x >= a.bild_b ? a.bild_b - 1 : x));
    *by = static_cast<int>(y < 0 ? 0 : (y >= a.bild_h ? a.bild_h - 1 : y));
}

void sdl_bildpunkt_im_fenster(int bx, int by, const SdlAbbildung& a, int* fx, int* fy) {
    *fx = *fy = 0;
    if (a.fenster_b <= 0 || a.fenster_h <= 0 || a.ausgabe_b <= 0 || a.ausgabe_h <= 0 || a.bild_b <= 0 || a.bild_h <= 0)
        return;
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(a.ausgabe_b, a.ausgabe_h, a.bild_b, a.bild_h, a.skalierung, &r);
    // (r + (b + 1/2) * r.w / bild) * fenster / ausgabe, rounded down.
    *fx = static_cast<int>(abgerundet(
        ((2 * static_cast<int64_t>(r.x) * a.bild_b + (2 * static_cast<int64_t>(bx) + 1) * r.w) * a.fenster_b),
        2 * static_cast<int64_t>(a.bild_b) * a.ausgabe_b));
    *fy = static_cast<int>(abgerundet(
        ((2 * static_cast<int64_t>(r.y) * a.bild_h + (2 * static_cast<int64_t>(by) + 1) * r.h) * a.fenster_h),
        2 * static_cast<int64_t>(a.bild_h) * a.ausgabe_h));
}

SdlAbbildung sdl_anzeige_abbildung(void) {
    SdlAbbildung a = {0, 0, 0, 0, g_bild_b, g_bild_h, skalierung()};
    if (g_sdl_fenster == nullptr) return a;
    SDL_GetWindowSize(g_sdl_fenster, &a.fenster_b, &a.fenster_h);
    a.ausgabe_b = a.fenster_b;
    a.ausgabe_h = a.fenster_h;
    // The renderer may draw more pixels than the window has points.
    if (g_renderer != nullptr && !g_flaeche) SDL_GetRendererOutputSize(g_renderer, &a.ausgabe_b, &a.ausgabe_h);
    return a;
}

bool sdl_anzeige_mit_renderer(void) { return g_renderer != nullptr && !g_flaeche; }

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
    if (g_flaeche) {
        SDL_Surface* s = SDL_GetWindowSurface(g_sdl_fenster);
        SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
        SDL_UpdateWindowSurface(g_sdl_fenster);
    } else {
        SDL_RenderClear(g_renderer);
        SDL_RenderPresent(g_renderer);
    }
    return true;
}

void backend_display_close(void) {
    renderer_freigeben();
    g_anzeige_offen = g_verloren = g_geraet_neu = false;
    g_letzter_flip = 0;
    plat_common_blit_abgleich_vergessen(&g_abgleich);
    std::vector<uint32_t>().swap(g_ausgabe);
    g_skalierer = SdlSkalierer{};
    g_flaeche_rect = SdlBildrechteck{0, 0, 0, 0};
}

bool backend_present(const uint8_t* pixels, int32_t pitch, int w, int h, const PALETTEENTRY palette[256]) {
    if (!g_anzeige_offen) return false;
    if (g_verloren || (g_renderer == nullptr && !g_flaeche) || (!g_flaeche && g_textur == nullptr) ||
        pixels == nullptr || palette == nullptr || w != g_bild_b || h != g_bild_h || pitch < w) {
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
    if (g_flaeche) {
        const bool neu = g_neu_zeigen || bis > von;
        if (!flaeche_zeigen(w, h, von, bis)) {
            sdl_anzeige_verloren(true);   // the surface is gone: take the way anew
            flip_takten();
            return false;
        }
        if (neu) ++g_gezeigt;
        flip_takten();
        return true;
    }
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
    if (!renderer_zeichnen(w, h, bis > von)) {
        sdl_anzeige_verloren(false);
        flip_takten();
        return false;
    }
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
    if (g_geraet_neu || (g_renderer == nullptr && !g_flaeche)) {
        renderer_freigeben();
        if (!renderer_anlegen()) {
            flip_takten();
            return false;
        }
        g_geraet_neu = false;
    } else if (!g_flaeche) {
        // The textures' content may be gone with the targets; the next flip fills them whole.
        vorskaliert_freigeben();
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
