// The screen in a page: the 8-bit picture goes through the palette into
// 32-bit pixels in the canvas's byte order, and only the rows that changed
// since the last frame go up to the canvas. Flips are paced to about 60 a
// second, and each gives the page back to the browser.
#include <emscripten.h>

#include <cstring>
#include <vector>

#include "platform/backend.h"
#include "platform/blit_simd.h"
#include "platform/web/web_intern.h"

namespace {

EM_JS(void, js_anzeige_schliessen, (), { glubber.anzeigeSchliessen(); });
EM_JS(int, js_zeilen_zeigen, (const uint8_t* pixel, int b, int h, int von, int bis),
      { return glubber.zeilenZeigen(HEAPU8, pixel, b, h, von, bis) ? 1 : 0; });
EM_JS(int, js_eilig, (), { return glubber.einstellung("fast", 0) == 1 ? 1 : 0; });
EM_JS(int, js_messen, (), { return glubber.misst() ? 1 : 0; });
EM_JS(void, js_messwert, (double arbeit_ms, int zeilen), { glubber.messwert(arbeit_ms, zeilen); });

const double BILDABSTAND_MS = 1000.0 / 60.0;

bool g_offen = false;
int g_b = 1024, g_h = 768;
bool g_eilig = false;   // test clock without real-time pacing

uint32_t g_tabelle[256];
std::vector<uint32_t> g_ausgabe;
PlatBlitAbgleich g_abgleich;
double g_letzter_flip = 0;
double g_letztes_hochladen = -1e9;

// A frame the fast test clock has not uploaded yet: the flipped pixels
// stay untouched until the next flip.
const uint8_t* g_wartend = nullptr;
int32_t g_wartend_pitch = 0;
PALETTEENTRY g_wartend_palette[256];

// The palette as 32-bit values whose bytes in memory are R, G, B, A.
void tabelle_bauen(const PALETTEENTRY palette[256]) {
    plat_common_blit_tabelle_bauen(palette, g_tabelle);
    for (uint32_t& wert : g_tabelle) {
        wert = (wert & 0xFF00FF00u) | ((wert >> 16) & 0xFFu) | ((wert & 0xFFu) << 16);
    }
}

int hochladen(const uint8_t* pixels, int32_t pitch, const PALETTEENTRY palette[256]) {
    tabelle_bauen(palette);
    int32_t von = 0, bis = 0;
    plat_common_blit_palette_nachfuehren(&g_abgleich, pixels, pitch, g_b, g_h, g_tabelle,
                                         reinterpret_cast<uint8_t*>(g_ausgabe.data()), 4 * g_b, &von, &bis);
    if (bis > von && js_zeilen_zeigen(reinterpret_cast<const uint8_t*>(g_ausgabe.data()), g_b, g_h, von, bis) == 0) {
        plat_common_blit_abgleich_vergessen(&g_abgleich);   // nothing reached the canvas
    }
    g_letztes_hochladen = emscripten_get_now();
    return bis - von;
}

// At most one flip per display period; the rest of the period, and at
// least a moment, belongs to the browser.
void flip_takten(void) {
    if (g_eilig) {
        web_abgeben(0);
        g_letzter_flip = emscripten_get_now();
        return;
    }
    const double rest = g_letzter_flip + BILDABSTAND_MS - emscripten_get_now();
    web_abgeben(rest > 1 ? static_cast<DWORD>(rest) : 0);
    g_letzter_flip = emscripten_get_now();
}

}   // namespace

void web_anzeige_nachholen(void) {
    if (g_wartend == nullptr || !g_offen) return;
    hochladen(g_wartend, g_wartend_pitch, g_wartend_palette);
    g_wartend = nullptr;
}

bool backend_display_open(HWND, int w, int h) {
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096) return false;
    g_b = w;
    g_h = h;
    g_ausgabe.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    plat_common_blit_abgleich_vergessen(&g_abgleich);
    g_wartend = nullptr;
    g_eilig = web_prueflauf() && js_eilig() != 0;
    g_offen = true;
    return true;
}

void backend_display_close(void) {
    if (!g_offen) return;
    g_offen = false;
    g_wartend = nullptr;
    plat_common_blit_abgleich_vergessen(&g_abgleich);
    std::vector<uint32_t>().swap(g_ausgabe);
    js_anzeige_schliessen();
}

bool backend_present(const uint8_t* pixels, int32_t pitch, int w, int h, const PALETTEENTRY palette[256]) {
    if (!g_offen || pixels == nullptr || palette == nullptr || w != g_b || h != g_h || pitch < w) {
        flip_takten();   // a flip that shows nothing must not turn the game loop into a spin
        return false;
    }
    int zeilen = 0;
    if (g_eilig && emscripten_get_now() - g_letztes_hochladen < BILDABSTAND_MS) {
        // Faster than the display: only the last frame before a stop is shown.
        g_wartend = pixels;
        g_wartend_pitch = pitch;
        std::memcpy(g_wartend_palette, palette, sizeof g_wartend_palette);
    } else {
        g_wartend = nullptr;
        zeilen = hochladen(pixels, pitch, palette);
    }
    if (js_messen() != 0) js_messwert(web_arbeit_abholen(), zeilen);
    web_uhr_bild();
    flip_takten();
    return true;
}

// The canvas is never taken away.
bool backend_restore(void) { return g_offen; }
