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

SDL_Renderer* pRenderer = nullptr;
SDL_Texture* pTextur = nullptr;
int iBildB = 1024;
int iBildH = 768;

bool bAnzeigeOffen = false;
bool bVerloren = false;
// The window's picture may be stale (first frame, exposed, resized, back
// from being lost): the next flip draws and presents even if no pixel of
// the frame changed.
bool bNeuZeigen = true;
int iGezeigt = 0;   // presents so far, for the tests
bool bGeraetNeu = false;         // the renderer itself must be made anew

uint32_t aTabelle[256];

// The picture as the texture last got it: only what the game changed
// since is converted, and only the rows it lies in are uploaded.
std::vector<uint32_t> aAusgabe;
BlitAbgleich tAbgleich;

Uint64 qwLetzterFlip = 0;        // performance counter after the last flip

// An OpenGL that rasterises on the processor (a virtual X server, a
// machine without a graphics driver) spends several milliseconds a frame;
// SDL's own software renderer on a plain window surface needs a fraction.
bool Software_GL(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    typedef const GLubyte*(APIENTRY * GlGetString)(GLenum);
    GlGetString glGetString = reinterpret_cast<GlGetString>(SDL_GL_GetProcAddress("glGetString"));
    const char* name = glGetString != nullptr ? reinterpret_cast<const char*>(glGetString(GL_RENDERER)) : nullptr;
    return name != nullptr && (std::strstr(name, "llvmpipe") != nullptr || std::strstr(name, "softpipe") != nullptr ||
                               std::strstr(name, "Software Rasterizer") != nullptr);
}

bool Renderer_anlegen(void) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    pRenderer = SDL_CreateRenderer(sdlFenster, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    const char* wahl = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (pRenderer != nullptr && (wahl == nullptr || *wahl == 0) && Software_GL(pRenderer)) {
        SDL_DestroyRenderer(pRenderer);
        // The window surface straight to the X server, not through GL again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        pRenderer = SDL_CreateRenderer(sdlFenster, -1, SDL_RENDERER_SOFTWARE);
    }
    if (pRenderer == nullptr) pRenderer = SDL_CreateRenderer(sdlFenster, -1, 0);
    if (pRenderer == nullptr) pRenderer = SDL_CreateRenderer(sdlFenster, -1, SDL_RENDERER_SOFTWARE);
    if (pRenderer == nullptr) return false;
    pTextur = SDL_CreateTexture(pRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, iBildB, iBildH);
    Blit_Abgleich_vergessen(&tAbgleich);   // a new texture holds nothing
    if (pTextur == nullptr) {
        SDL_DestroyRenderer(pRenderer);
        pRenderer = nullptr;
        return false;
    }
    SDL_SetRenderDrawColor(pRenderer, 0, 0, 0, 255);
    return true;
}

void Renderer_freigeben(void) {
    if (pTextur != nullptr) SDL_DestroyTexture(pTextur);
    if (pRenderer != nullptr) SDL_DestroyRenderer(pRenderer);
    pTextur = nullptr;
    pRenderer = nullptr;
}

// Keeps flips at least one 60 Hz period apart. A driver that waits for
// the display already spaces them so, and then nothing is slept here.
void Flip_takten(void) {
    const Uint64 frequenz = SDL_GetPerformanceFrequency();
    const Uint64 periode = frequenz / 60;
    Uint64 jetzt = SDL_GetPerformanceCounter();
    if (qwLetzterFlip != 0) {
        const Uint64 frist = qwLetzterFlip + periode;
        // A tenth of a period of slack, so a real 60 Hz wait is never doubled.
        while (jetzt + periode / 10 < frist) {
            const Uint32 ms = static_cast<Uint32>((frist - jetzt) * 1000 / frequenz);
            SDL_Delay(ms > 0 ? ms : 1);
            jetzt = SDL_GetPerformanceCounter();
        }
    }
    qwLetzterFlip = jetzt;
}

} // namespace

void Bildrechteck_berechnen(int ausgabeB, int ausgabeH, int bildB, int bildH, Bildrechteck* r) {
    if (ausgabeB <= 0 || ausgabeH <= 0 || bildB <= 0 || bildH <= 0) {
        *r = Bildrechteck{0, 0, ausgabeB > 0 ? ausgabeB : 0, ausgabeH > 0 ? ausgabeH : 0};
        return;
    }
    // Compare ausgabeB / bildB with ausgabeH / bildH without rounding.
    const int64_t breitQuer = static_cast<int64_t>(ausgabeB) * bildH;
    const int64_t hochQuer = static_cast<int64_t>(ausgabeH) * bildB;
    if (breitQuer > hochQuer) {   // bars left and right
        r->h = ausgabeH;
        r->w = static_cast<int>(hochQuer / bildH);
    } else {                      // bars above and below
        r->w = ausgabeB;
        r->h = static_cast<int>(breitQuer / bildB);
    }
    r->x = (ausgabeB - r->w) / 2;
    r->y = (ausgabeH - r->h) / 2;
}

void Maus_abbilden(int fx, int fy, int fensterB, int fensterH, int bildB, int bildH, int* bx, int* by) {
    Bildrechteck r;
    Bildrechteck_berechnen(fensterB, fensterH, bildB, bildH, &r);
    int x = 0, y = 0;
    if (r.w > 0 && r.h > 0) {
        const int64_t dx = static_cast<int64_t>(fx) - r.x;
        const int64_t dy = static_cast<int64_t>(fy) - r.y;
        // Floor division, so a point just left of the picture is not rounded into it.
        x = static_cast<int>(dx >= 0 ? dx * bildB / r.w : -((-dx * bildB + r.w - 1) / r.w));
        y = static_cast<int>(dy >= 0 ? dy * bildH / r.h : -((-dy * bildH + r.h - 1) / r.h));
    }
    *bx = x < 0 ? 0 : (x >= bildB ? bildB - 1 : x);
    *by = y < 0 ? 0 : (y >= bildH ? bildH - 1 : y);
}

void Anzeige_Bildgroesse(int* b, int* h) {
    *b = iBildB;
    *h = iBildH;
}

void Anzeige_auffrischen(void) { bNeuZeigen = true; }

int Anzeige_gezeigt(void) { return iGezeigt; }

void Anzeige_verloren(bool geraetNeu) {
    if (!bAnzeigeOffen) return;   // nothing shown yet, nothing to lose
    bNeuZeigen = true;
    bVerloren = true;
    Blit_Abgleich_vergessen(&tAbgleich);
    bGeraetNeu = bGeraetNeu || geraetNeu;
}

bool backend_display_open([[maybe_unused]] HWND hwnd, int w, int h) {
    if (sdlFenster == nullptr || w <= 0 || h <= 0 || w > BILD_MAX || h > BILD_MAX) return false;
    Renderer_freigeben();
    iBildB = w;
    iBildH = h;
    bVerloren = bGeraetNeu = false;
    if (!Renderer_anlegen()) {
        iBildB = 1024;
        iBildH = 768;
        return false;
    }
    bAnzeigeOffen = true;
    bNeuZeigen = true;
    SDL_RenderClear(pRenderer);
    SDL_RenderPresent(pRenderer);
    return true;
}

void backend_display_close(void) {
    Renderer_freigeben();
    bAnzeigeOffen = bVerloren = bGeraetNeu = false;
    qwLetzterFlip = 0;
    Blit_Abgleich_vergessen(&tAbgleich);
    std::vector<uint32_t>().swap(aAusgabe);
}

bool backend_present(const uint8_t* pixels, int32_t pitch, int w, int h, const PALETTEENTRY palette[256]) {
    if (!bAnzeigeOffen) return false;
    if (bVerloren || pRenderer == nullptr || pTextur == nullptr || pixels == nullptr || palette == nullptr ||
        w != iBildB || h != iBildH || pitch < w) {
        Flip_takten();   // a flip that shows nothing must not turn the game loop into a spin
        return false;
    }
    // A new palette changes the table, which makes the conversion below
    // do the whole picture.
    Blit_Tabelle_bauen(palette, aTabelle);

    // A locked streaming texture comes back with undefined pixels, so the
    // changed rows go up with SDL_UpdateTexture from the kept picture.
    const size_t pixel = static_cast<size_t>(w) * static_cast<size_t>(h);
    if (aAusgabe.size() != pixel) {
        aAusgabe.assign(pixel, 0);
        Blit_Abgleich_vergessen(&tAbgleich);
    }
    int32_t von = 0, bis = 0;
    Blit_Palette_nachfuehren(&tAbgleich, pixels, pitch, w, h, aTabelle, reinterpret_cast<uint8_t*>(aAusgabe.data()),
                             4 * w, &von, &bis);
    if (bis > von) {
        const SDL_Rect zeilen = {0, von, w, bis - von};
        if (SDL_UpdateTexture(pTextur, &zeilen, aAusgabe.data() + static_cast<size_t>(von) * w, 4 * w) != 0) {
            Anzeige_verloren(false);
            Flip_takten();
            return false;
        }
    }

    // A frame like the last one is not shown again: the screen still holds
    // it, and scaling and presenting a whole picture is most of a flip's
    // cost on a renderer without a graphics card (a still menu costs next
    // to nothing then). The flip keeps its pace all the same.
    if (bis <= von && !bNeuZeigen) {
        Flip_takten();
        return true;
    }
    bNeuZeigen = false;
    int ausgabeB = 0, ausgabeH = 0;
    SDL_GetRendererOutputSize(pRenderer, &ausgabeB, &ausgabeH);
    Bildrechteck r;
    Bildrechteck_berechnen(ausgabeB, ausgabeH, w, h, &r);
    const SDL_Rect zielRect = {r.x, r.y, r.w, r.h};
    // Unscaled, filtering only costs time (a lot on a software GL).
    SDL_SetTextureScaleMode(pTextur, r.w == w && r.h == h ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_RenderClear(pRenderer);
    SDL_RenderCopy(pRenderer, pTextur, nullptr, &zielRect);
    SDL_RenderPresent(pRenderer);
    ++iGezeigt;
    Flip_takten();
    return true;
}

bool backend_restore(void) {
    if (!bAnzeigeOffen || sdlFenster == nullptr) return false;
    // While the screen is away the flips stop reaching backend_present,
    // so a failed restore is what keeps the game loop from spinning.
    if ((SDL_GetWindowFlags(sdlFenster) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0) {
        Flip_takten();
        return false;
    }
    if (bGeraetNeu || pRenderer == nullptr) {
        Renderer_freigeben();
        if (!Renderer_anlegen()) {
            Flip_takten();
            return false;
        }
        bGeraetNeu = false;
    } else {
        // The texture's content may be gone with the targets; the next flip fills it whole.
        if (pTextur != nullptr) SDL_DestroyTexture(pTextur);
        pTextur = SDL_CreateTexture(pRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, iBildB, iBildH);
        Blit_Abgleich_vergessen(&tAbgleich);
        if (pTextur == nullptr) {
            bGeraetNeu = true;   // try the whole renderer next time
            Flip_takten();
            return false;
        }
    }
    bVerloren = false;
    bNeuZeigen = true;
    return true;
}
