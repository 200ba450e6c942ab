// The one game window in a page: the message queue fed by
// the page's input, message boxes as dialogs over the picture, the clock,
// and every wait, which hands the page back to the browser (Asyncify).
//
// On the test clock (?clock=virtual) time is virtual and runs exactly as
// on the headless backend (tick0, frame time per flip, sleeps, one
// millisecond per idle pass), so the same input at the same virtual times
// gives the same frames; the page then keeps a log of side effects and of
// the input, and the game stands still at a stop point the test sets.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <deque>

#include "platform/backend.h"
#include "platform/fadenkreuz.h"
#include "platform/fenster.h"
#include "platform/spielsymbol.h"
#include "platform/web/web_intern.h"
#include "platform/zeichensatz.h"

namespace {

EM_JS(int, js_einstellung, (const char* name, int vorgabe),
      { return glubber.einstellung(UTF8ToString(name), vorgabe); });
EM_ASYNC_JS(void, js_warten, (int ms), { await glubber.warten(ms); });
EM_JS(void, js_fenster,
      (const char* titel, const uint32_t* zeiger, int zeiger_groesse, int hot_x, int hot_y, const uint32_t* symbol,
       int symbol_groesse),
      {
          glubber.fensterZeigen(
              UTF8ToString(titel), HEAPU32.subarray(zeiger >> 2, (zeiger >> 2) + zeiger_groesse * zeiger_groesse),
              zeiger_groesse, hot_x, hot_y,
              HEAPU32.subarray(symbol >> 2, (symbol >> 2) + symbol_groesse * symbol_groesse), symbol_groesse);
      });
EM_JS(void, js_dialog, (const char* titel, const char* text),
      { glubber.dialogOeffnen(UTF8ToString(titel), UTF8ToString(text)); });
EM_JS(int, js_dialog_offen, (), { return glubber.dialogOffen() ? 1 : 0; });
EM_JS(void, js_piep, (), { glubber.ton.piep(); });
EM_JS(void, js_protokoll, (const char* zeile), { glubber.protokollieren(UTF8ToString(zeile)); });
EM_JS(void, js_eingabe_merken, (int ms, int message, int wparam, int lparam),
      { glubber.eingabeMerken(ms >>> 0, message, wparam >>> 0, lparam >>> 0); });
EM_JS(int, js_halten, (int ms), { return glubber.haltenBei(ms >>> 0) ? 1 : 0; });
EM_JS(void, js_ende, (int ergebnis), { glubber.spielEnde(ergebnis); });

enum { SCHLANGE = 256, SYMBOL_GROESSE = 32 };

// A pass that neither flips nor sleeps for this long still lets the page
// breathe, so a game that never yields cannot freeze the tab.
const double LAENGSTE_ARBEIT_MS = 50.0;

struct Eintrag {
    MSG msg;
    bool eingabe;   // from the page's input, not posted by the game
};

struct Uhr {
    bool virtuell = false;
    DWORD tick0 = 0;
    DWORD tick = 0;
    DWORD leerlauf = 0;   // tick at the end of the last message drain
    DWORD bild_ms = 16;
    // The real clock: milliseconds of the date at the start, then the page's monotonic clock.
    DWORD basis = 0;
    double echt0 = 0;
};

std::deque<Eintrag> g_schlange;

Uhr g_uhr;
double g_zurueck = 0;   // when the page last gave control back to the game
double g_arbeit = 0;    // ms in the game since the last web_arbeit_abholen

uint32_t g_zeiger_bild[FADENKREUZ_GROESSE * FADENKREUZ_GROESSE];
uint32_t g_symbol_bild[SYMBOL_GROESSE * SYMBOL_GROESSE];

DWORD virtuelle_ms(void) { return g_uhr.tick - g_uhr.tick0; }

bool einreihen(const MSG& msg, bool eingabe) {
    if (g_schlange.size() >= SCHLANGE) return false;
    g_schlange.push_back({msg, eingabe});
    return true;
}

// The test's stop point: the game stands still at the first message drain
// at or after it, and input that arrives meanwhile is handed out there.
void halten_wenn_faellig(void) {
    while (js_halten(static_cast<int>(virtuelle_ms())) != 0) {
        web_anzeige_nachholen();
        web_abgeben(10);
    }
}

// The page's settings (clock, test hooks), then the clock starts.
void uhr_starten(void) {
    g_uhr = Uhr();
    g_uhr.virtuell = js_einstellung("clock", 0) == 1;
    if (g_uhr.virtuell) {
        g_uhr.tick0 = static_cast<DWORD>(js_einstellung("tick0", 0));
        g_uhr.bild_ms = static_cast<DWORD>(js_einstellung("frame", 16));
        g_uhr.tick = g_uhr.tick0;
        g_uhr.leerlauf = g_uhr.tick0 - 1;
    }
    // The seed is taken from the tick: a run must not repeat the last one.
    g_uhr.basis = static_cast<DWORD>(static_cast<uint64_t>(emscripten_date_now()));
    g_uhr.echt0 = emscripten_get_now();
    g_zurueck = g_uhr.echt0;
}

}   // namespace

// ------------------------------------------------------------ web_intern.h

bool web_prueflauf(void) { return g_uhr.virtuell; }

void web_abgeben(DWORD ms) {
    const double vorher = emscripten_get_now();
    g_arbeit += vorher - g_zurueck;
    js_warten(static_cast<int>(ms));
    g_zurueck = emscripten_get_now();
}

double web_arbeit_abholen(void) {
    const double jetzt = emscripten_get_now();
    const double arbeit = g_arbeit + (jetzt - g_zurueck);
    g_arbeit = 0;
    g_zurueck = jetzt;
    return arbeit;
}

void web_uhr_bild(void) {
    if (g_uhr.virtuell) g_uhr.tick += g_uhr.bild_ms;
}

bool web_eingabe_einreihen(uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    HWND hwnd = plat_common_fenster();
    if (hwnd == nullptr) return false;
    // Moves pile up while the game draws: only the last one counts.
    if (uMsg == WM_MOUSEMOVE && !g_schlange.empty() && g_schlange.back().eingabe &&
        g_schlange.back().msg.message == WM_MOUSEMOVE) {
        g_schlange.back().msg.lParam = lParam;
        return true;
    }
    return einreihen(MSG{hwnd, uMsg, wParam, lParam}, true);
}

void web_protokoll(const std::string& zeile) {
    if (!g_uhr.virtuell) return;
    js_protokoll((std::to_string(virtuelle_ms()) + " " + zeile).c_str());
}

void web_beenden(void) {
    web_ton_beenden();
    plat_common_fenster_vergessen();
    g_schlange.clear();
}

// ------------------------------------------------------------- platform.h

HWND plat_create_window(const char* class_name, const char* caption) {
    if (plat_common_fenster() != nullptr) return nullptr;   // the game has one window
    const WNDPROC proc = plat_common_fenster_klasse(class_name);
    if (proc == nullptr) return nullptr;

    plat_common_fadenkreuz_malen(g_zeiger_bild);
    plat_common_spielsymbol_malen(SYMBOL_GROESSE, g_symbol_bild);
    js_fenster(plat_common_text_1252_als_utf8(caption != nullptr ? caption : "").c_str(), g_zeiger_bild,
               FADENKREUZ_GROESSE, FADENKREUZ_HOT_X, FADENKREUZ_HOT_Y, g_symbol_bild, SYMBOL_GROESSE);
    // The page's input comes only while the game waits: none is lost before the window stands.
    web_eingabe_anmelden();
    return plat_common_fenster_anlegen(proc);
}

void plat_show_window(HWND) {}

bool plat_peek_message(MSG* msg) {
    if (msg == nullptr) return false;
    if (g_uhr.virtuell) halten_wenn_faellig();
    if (emscripten_get_now() - g_zurueck > LAENGSTE_ARBEIT_MS) web_abgeben(0);
    if (!g_schlange.empty()) {
        const Eintrag e = g_schlange.front();
        g_schlange.pop_front();
        *msg = e.msg;
        if (e.eingabe && g_uhr.virtuell)
            js_eingabe_merken(static_cast<int>(virtuelle_ms()), static_cast<int>(msg->message),
                              static_cast<int>(msg->wParam), static_cast<int>(msg->lParam));
        return true;
    }
    if (plat_common_fenster_quit(msg)) return true;
    // A pass that neither flips nor waits still takes a millisecond.
    if (g_uhr.virtuell) {
        if (g_uhr.tick == g_uhr.leerlauf) ++g_uhr.tick;
        g_uhr.leerlauf = g_uhr.tick;
    }
    return false;
}

intptr_t plat_dispatch_message(const MSG* msg) { return plat_common_fenster_senden(msg); }

bool plat_post_message(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    HWND fenster = plat_common_fenster();
    if (hwnd != nullptr && hwnd != fenster) return false;
    return einreihen(MSG{fenster, uMsg, wParam, lParam}, false);
}

intptr_t plat_def_window_proc(HWND hwnd, uint32_t uMsg, uintptr_t, intptr_t) {
    return plat_common_fenster_standard(hwnd, uMsg);
}

int plat_message_box(HWND, const char* text, const char* caption, uint32_t) {
    // The game writes its messages in Windows-1252 ("mußte").
    const std::string titel = plat_common_text_1252_als_utf8(caption != nullptr ? caption : "");
    const std::string inhalt = plat_common_text_1252_als_utf8(text != nullptr ? text : "");
    web_protokoll("msgbox " + titel + " | " + inhalt);
    js_dialog(titel.c_str(), inhalt.c_str());
    // Modal: the game waits here, the page goes on, until the player answers.
    while (js_dialog_offen() != 0) web_abgeben(50);
    return 1;   // IDOK: the only button
}

void plat_message_beep(uint32_t) {
    web_protokoll("beep");
    js_piep();
}

DWORD plat_get_tick_count(void) {
    if (g_uhr.virtuell) return g_uhr.tick;
    return g_uhr.basis + static_cast<DWORD>(static_cast<uint64_t>(emscripten_get_now() - g_uhr.echt0));
}

void plat_sleep(DWORD ms) {
    if (g_uhr.virtuell) {
        g_uhr.tick += ms != 0 ? ms : 1;
        return;
    }
    web_abgeben(ms);
}

bool plat_fault(const char*) { return false; }

int main(int, char**) {
    uhr_starten();
    plat_common_set_account("");   // a page has no account: the name field starts empty
    web_speicher_einrichten();
    const int ergebnis = WinMain(nullptr, nullptr, nullptr, 1);
    web_beenden();
    js_ende(ergebnis);
    return ergebnis;
}
