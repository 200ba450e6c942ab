// The three hot kernels beside their anchors, on the same pixels in the
// same process: the playfield's keyed blit, the fill and the palette
// conversion at the flip, against memcpy of the same bytes and SDL's own
// blits.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "bench_hilfe.h"
#include "graphics/ddraw.h"
#include "platform/blit_simd.h"
#include "platform/headless/headless.h"
#include "shell/spiel.h"
#include "world/welt.h"

#ifdef GLUBBER_BENCH_SDL
#include <SDL.h>
#endif

namespace {

const int B = 1024, H = 768;
const int FELD_X = 512;   // iScrollX = -512 shows source columns 512..1535

// ------------------------------------------------------------ keyed blit

void Keyed_Spielfeld_unser(benchmark::State& state) {
    if (!Bench_Runde_aufbauen()) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        DDraw_Bild_zeichnen(-FELD_X, SPIELFELD_Y, SPIELFELD_BREITE, SPIELFELD_HOEHE, lpDDSSpielfeld, lpDDSBack);
        benchmark::ClobberMemory();
    }
}

// The kernel alone on a lower path, to show what the vectors bring.
void Keyed_Spielfeld_Pfad(benchmark::State& state, int gewuenscht) {
    if (!Bench_Runde_aufbauen()) return state.SkipWithError("the game did not start");
    Flaeche q = Bench_Flaeche(lpDDSSpielfeld), z = Bench_Flaeche(lpDDSBack);
    const int vorher = plat_common_blit_pfad();
    if (plat_common_blit_pfad_setzen(gewuenscht) != gewuenscht) {
        plat_common_blit_pfad_setzen(vorher);
        return state.SkipWithError("this processor lacks the path");
    }
    for (auto _ : state) {
        plat_common_blit_keyed(z.p + SPIELFELD_Y * z.pitch, z.pitch, q.p + FELD_X, q.pitch, B, SPIELFELD_HOEHE,
                               TRANSPARENZ, TRANSPARENZ);
        benchmark::ClobberMemory();
    }
    plat_common_blit_pfad_setzen(vorher);
}

void Keyed_Spielfeld_einfach(benchmark::State& state) { Keyed_Spielfeld_Pfad(state, BLIT_EINFACH); }
void Keyed_Spielfeld_sse2(benchmark::State& state) { Keyed_Spielfeld_Pfad(state, BLIT_SSE2); }

void Keyed_Spielfeld_memcpy(benchmark::State& state) {
    if (!Bench_Runde_aufbauen()) return state.SkipWithError("the game did not start");
    Flaeche q = Bench_Flaeche(lpDDSSpielfeld), z = Bench_Flaeche(lpDDSBack);
    for (auto _ : state) {
        for (int y = 0; y < SPIELFELD_HOEHE; ++y)
            std::memcpy(z.p + (SPIELFELD_Y + y) * z.pitch, q.p + y * q.pitch + FELD_X, B);
        benchmark::ClobberMemory();
    }
}

// The same pixels with every fourth one transparent at random: the case
// that costs a per-pixel branch the most.
struct Streubild {
    std::vector<uint8_t> quelle, ziel;
    Streubild() : quelle(static_cast<size_t>(B) * SPIELFELD_HOEHE), ziel(static_cast<size_t>(B) * H, 7) {
        std::mt19937 zufall(1009);
        for (auto& p : quelle) p = zufall() % 4 == 0 ? 255 : static_cast<uint8_t>(zufall() % 255);
    }
};

Streubild& streubild() {
    static Streubild s;
    return s;
}

void Keyed_Streu_unser(benchmark::State& state) {
    Streubild& s = streubild();
    for (auto _ : state) {
        plat_common_blit_keyed(s.ziel.data() + SPIELFELD_Y * B, B, s.quelle.data(), B, B, SPIELFELD_HOEHE, 255, 255);
        benchmark::ClobberMemory();
    }
}

// ------------------------------------------------------------------ fill

void Fuellen_unser(benchmark::State& state) {
    if (!Bench_Runde_aufbauen()) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        DDraw_Puffer_leeren(lpDDSBack, 120);
        benchmark::ClobberMemory();
    }
}

// ------------------------------------------------------ palette at the flip

// A real playing frame and its palette, and a 32-bit picture to fill.
struct Flipbild {
    std::vector<uint8_t> bild;
    std::vector<uint8_t> rauschen;
    PALETTEENTRY palette[256];
    uint32_t tabelle[256];
    std::vector<uint32_t> ziel;
    std::vector<uint32_t> kopie_von;
    bool gut = false;
};

Flipbild& flipbild() {
    static Flipbild f;
    if (!f.gut && Bench_Runde_aufbauen()) {
        Spiel_zeichnen();
        f.bild.resize(static_cast<size_t>(B) * H);
        for (int y = 0; y < H; ++y)
            std::memcpy(&f.bild[static_cast<size_t>(y) * B], headless_frame() + y * headless_frame_pitch(), B);
        std::memcpy(f.palette, headless_palette(), sizeof f.palette);
        plat_common_blit_tabelle_bauen(f.palette, f.tabelle);
        f.rauschen.resize(f.bild.size());
        std::mt19937 zufall(1009);
        for (auto& p : f.rauschen) p = static_cast<uint8_t>(zufall());
        f.ziel.assign(static_cast<size_t>(B) * H, 0);
        f.kopie_von.assign(static_cast<size_t>(B) * H, 0x12345678u);
        f.gut = true;
    }
    return f;
}

void Palette_Bild(benchmark::State& state, bool rauschen, bool einfach) {
    Flipbild& f = flipbild();
    if (!f.gut) return state.SkipWithError("the game did not start");
    const uint8_t* q = rauschen ? f.rauschen.data() : f.bild.data();
    uint8_t* z = reinterpret_cast<uint8_t*>(f.ziel.data());
    const int vorher = plat_common_blit_pfad();
    if (einfach) plat_common_blit_pfad_setzen(BLIT_EINFACH);
    for (auto _ : state) {
        plat_common_blit_palette_umsetzen(q, B, B, H, f.tabelle, z, 4 * B);
        benchmark::ClobberMemory();
    }
    plat_common_blit_pfad_setzen(vorher);
}

void Palette_unser(benchmark::State& state) { Palette_Bild(state, false, false); }
void Palette_einfach(benchmark::State& state) { Palette_Bild(state, false, true); }
void Palette_Rauschen_unser(benchmark::State& state) { Palette_Bild(state, true, false); }

void Palette_memcpy(benchmark::State& state) {
    Flipbild& f = flipbild();
    if (!f.gut) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        std::memcpy(f.ziel.data(), f.kopie_von.data(), f.ziel.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
}

#ifdef GLUBBER_BENCH_SDL

// SDL surfaces over the very pixels our own paths use; both 8-bit
// surfaces share one palette, so SDL copies indices without mapping them.
struct SdlFlaechen {
    SDL_Palette* palette = nullptr;
    SDL_Surface* quelle = nullptr;
    SDL_Surface* ziel = nullptr;
    ~SdlFlaechen() {
        SDL_FreeSurface(quelle);
        SDL_FreeSurface(ziel);
        if (palette) SDL_FreePalette(palette);
    }
    bool acht_bit(SDL_Surface** s, uint8_t* p, int w, int h, int pitch) {
        *s = SDL_CreateRGBSurfaceWithFormatFrom(p, w, h, 8, pitch, SDL_PIXELFORMAT_INDEX8);
        return *s && SDL_SetSurfacePalette(*s, palette) == 0;
    }
    bool palette_setzen(const PALETTEENTRY* pal) {
        palette = SDL_AllocPalette(256);
        if (!palette) return false;
        SDL_Color farben[256];
        for (int i = 0; i < 256; ++i) farben[i] = SDL_Color{pal[i].peRed, pal[i].peGreen, pal[i].peBlue, 255};
        return SDL_SetPaletteColors(palette, farben, 0, 256) == 0;
    }
};

void Keyed_Sdl(benchmark::State& state, uint8_t* q, int qw, int qpitch, int qx, uint8_t* z, int zpitch) {
    SdlFlaechen s;
    if (!s.palette_setzen(flipbild().palette) || !s.acht_bit(&s.quelle, q, qw, SPIELFELD_HOEHE, qpitch) ||
        !s.acht_bit(&s.ziel, z, B, H, zpitch) || SDL_SetColorKey(s.quelle, SDL_TRUE, 255) != 0)
        return state.SkipWithError(SDL_GetError());
    SDL_Rect von = {qx, 0, B, SPIELFELD_HOEHE};
    for (auto _ : state) {
        SDL_Rect nach = {0, SPIELFELD_Y, B, SPIELFELD_HOEHE};
        SDL_BlitSurface(s.quelle, &von, s.ziel, &nach);
        benchmark::ClobberMemory();
    }
}

void Keyed_Spielfeld_sdl(benchmark::State& state) {
    if (!flipbild().gut || !Bench_Runde_aufbauen()) return state.SkipWithError("the game did not start");
    Flaeche q = Bench_Flaeche(lpDDSSpielfeld), z = Bench_Flaeche(lpDDSBack);
    Keyed_Sdl(state, q.p, q.w, q.pitch, FELD_X, z.p, z.pitch);
}

void Keyed_Streu_sdl(benchmark::State& state) {
    if (!flipbild().gut) return state.SkipWithError("the game did not start");
    Streubild& s = streubild();
    Keyed_Sdl(state, s.quelle.data(), B, B, 0, s.ziel.data(), B);
}

void Palette_Sdl(benchmark::State& state, bool rauschen) {
    Flipbild& f = flipbild();
    if (!f.gut) return state.SkipWithError("the game did not start");
    SdlFlaechen s;
    uint8_t* q = rauschen ? f.rauschen.data() : f.bild.data();
    if (!s.palette_setzen(f.palette) || !s.acht_bit(&s.quelle, q, B, H, B)) return state.SkipWithError(SDL_GetError());
    s.ziel = SDL_CreateRGBSurfaceWithFormatFrom(f.ziel.data(), B, H, 32, 4 * B, SDL_PIXELFORMAT_ARGB8888);
    if (!s.ziel) return state.SkipWithError(SDL_GetError());
    for (auto _ : state) {
        SDL_BlitSurface(s.quelle, nullptr, s.ziel, nullptr);
        benchmark::ClobberMemory();
    }
}

void Palette_sdl(benchmark::State& state) { Palette_Sdl(state, false); }
void Palette_Rauschen_sdl(benchmark::State& state) { Palette_Sdl(state, true); }

#endif

}   // namespace

void Bench_Kerne_anmelden(int wiederholungen) {
    struct Eintrag {
        const char* name;
        void (*fn)(benchmark::State&);
    };
    const Eintrag eintraege[] = {
        {"keyed/playfield/ours", Keyed_Spielfeld_unser},
        {"keyed/playfield/plain-c", Keyed_Spielfeld_einfach},
        {"keyed/playfield/sse2", Keyed_Spielfeld_sse2},
        {"keyed/playfield/memcpy", Keyed_Spielfeld_memcpy},
        {"keyed/scattered/ours", Keyed_Streu_unser},
        {"fill/back-buffer/ours", Fuellen_unser},
        {"palette/frame/ours", Palette_unser},
        {"palette/frame/plain-c", Palette_einfach},
        {"palette/frame/memcpy-3mb", Palette_memcpy},
        {"palette/noise/ours", Palette_Rauschen_unser},
#ifdef GLUBBER_BENCH_SDL
        {"keyed/playfield/sdl", Keyed_Spielfeld_sdl},
        {"keyed/scattered/sdl", Keyed_Streu_sdl},
        {"palette/frame/sdl", Palette_sdl},
        {"palette/noise/sdl", Palette_Rauschen_sdl},
#endif
    };
    for (const Eintrag& e : eintraege)
        benchmark::RegisterBenchmark(e.name, e.fn)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.05)
            ->Repetitions(wiederholungen);
}
