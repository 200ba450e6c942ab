// The page's keyboard and mouse as the game's window messages: a key
// gives WM_KEYDOWN and, when it types, WM_CHAR; the pointer gives
// WM_MOUSEMOVE in picture pixels wherever it is on the page, clamped to
// the picture's edges, so that the pointer beside the picture scrolls.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/web/web_intern.h"
#include "platform/web/web_uebersetzen.h"

namespace {

const char* const BILD = "#spiel";

// Where the picture is on the page, in CSS pixels: left, top, width, height.
EM_JS(void, js_bild_rechteck, (double* r), {
    var k = glubber.bildRechteck();
    HEAPF64[r >> 3] = k.left;
    HEAPF64[(r >> 3) + 1] = k.top;
    HEAPF64[(r >> 3) + 2] = k.width;
    HEAPF64[(r >> 3) + 3] = k.height;
});

intptr_t maus_lparam(long x, long y) {
    double r[4] = {0, 0, 0, 0};
    js_bild_rechteck(r);
    int bx = 0, by = 0;
    web_maus_abbilden(static_cast<double>(x), static_cast<double>(y), r[0], r[1], r[2], r[3], 1024, 768, &bx, &by);
    return static_cast<intptr_t>((static_cast<uint32_t>(by) << 16) | static_cast<uint32_t>(bx));
}

EM_BOOL taste_gedrueckt(int, const EmscriptenKeyboardEvent* e, void*) {
    WebTasteZusatz zusatz;
    zusatz.shift = e->shiftKey != 0;
    zusatz.strg = e->ctrlKey != 0;
    zusatz.alt = e->altKey != 0;
    zusatz.meta = e->metaKey != 0;
    const bool abfangen = web_taste_abfangen(e->key, zusatz);
    if (!abfangen) return EM_FALSE;   // the browser's own shortcut
    const int vk = web_taste_in_vk(e->key, e->code, zusatz);
    if (vk != 0) {
        // Repeat count 1; bit 30 says the key was already down (auto-repeat).
        const intptr_t lparam = 1 | (e->repeat ? (1 << 30) : 0);
        web_eingabe_einreihen(WM_KEYDOWN, static_cast<uintptr_t>(vk), lparam);
    }
    const int zeichen = web_taste_zeichen(e->key, zusatz);
    if (zeichen >= 0) web_eingabe_einreihen(WM_CHAR, static_cast<uintptr_t>(zeichen), 1);
    return EM_TRUE;   // no scrolling, no help page, no going back
}

EM_BOOL maus_bewegt(int, const EmscriptenMouseEvent* e, void*) {
    web_eingabe_einreihen(WM_MOUSEMOVE, 0, maus_lparam(e->clientX, e->clientY));
    return EM_FALSE;
}

EM_BOOL maus_gedrueckt(int, const EmscriptenMouseEvent* e, void*) {
    if (e->button == 0) {
        web_eingabe_einreihen(WM_LBUTTONDOWN, 1, maus_lparam(e->clientX, e->clientY));
        return EM_TRUE;
    }
    if (e->button == 2) {
        web_eingabe_einreihen(WM_RBUTTONDOWN, 2, maus_lparam(e->clientX, e->clientY));
        return EM_TRUE;
    }
    return EM_FALSE;
}

}   // namespace

void web_eingabe_anmelden(void) {
    emscripten_set_keydown_callback(BILD, nullptr, EM_TRUE, taste_gedrueckt);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, maus_bewegt);
    // Leaving the window fast: the point where it left still counts.
    emscripten_set_mouseout_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, maus_bewegt);
    emscripten_set_mousedown_callback(BILD, nullptr, EM_TRUE, maus_gedrueckt);
}
