// The one game window on SDL: the message queue fed from SDL's events,
// message boxes, the clock; full screen or a window, switched with
// Alt+Return. The window's record and classes are the shared fenster.h.
//
// Where the pointer may go is a rule of the platform, not of the game's
// states: in full screen it is kept on the game's screen while the game
// has the focus (as the exclusive screen of old kept it), in a window it
// is free. Without the focus the game hears no clicks, and the last
// pointer position is moved to the picture's middle so that no edge
// keeps scrolling the view.
#include <cstdio>
#include <thread>

#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/sdl/sdl_intern.h"
#include "platform/zeichensatz.h"

SDL_Window* g_sdl_fenster = nullptr;

namespace {

enum { SCHLANGE = 256 };

// Pending messages, oldest first. Fixed size: a flood of input waits in
// SDL's own queue instead of growing ours.
MSG g_schlange[SCHLANGE];
int g_schlange_anfang = 0;
int g_schlange_anzahl = 0;
bool g_schliessen_wartet = false;   // a WM_CLOSE from the window system is queued

// The pointer as the game last heard it, in picture pixels.
int g_maus_x = 1024, g_maus_y = 384;
bool g_maus_gemeldet = false;

// The focus as the events tell it, in their order; clicks that come
// without it, or with the click that brings it, do not reach the game.
bool g_fokus = true;
bool g_fokus_zurueck = false;   // it came back (at g_fokus_zeit) after it was lost
Uint32 g_fokus_zeit = 0;
const Uint32 FOKUS_KLICK_MS = 150;

// A size the user dragged the window to is brought to 4:3 once the
// dragging has rested this long; a size the window manager insists on
// is left alone (the picture keeps its bars then).
const Uint32 GROESSE_RUHE_MS = 300;
bool g_groesse_pruefen = false;
Uint32 g_groesse_zeit = 0;
int g_groesse_alt_b = 0, g_groesse_alt_h = 0;         // the last 4:3 size
int g_groesse_fremd_b = -1, g_groesse_fremd_h = -1;   // the last size corrected

MSG* schlange_letzte(void) {
    if (g_schlange_anzahl == 0) return nullptr;
    return &g_schlange[(g_schlange_anfang + g_schlange_anzahl - 1) % SCHLANGE];
}

intptr_t maus_lparam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x));
}

// Queues a message for plat_peek_message; false when the queue is full.
bool nachricht_einreihen(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (g_schlange_anzahl >= SCHLANGE) return false;
    g_schlange[(g_schlange_anfang + g_schlange_anzahl) % SCHLANGE] = MSG{hwnd, uMsg, wParam, lParam};
    ++g_schlange_anzahl;
    return true;
}

// A pointer position in picture pixels; moves pile up.
void maus_melden(int bx, int by) {
    MSG* letzte = schlange_letzte();
    if (g_maus_gemeldet && bx == g_maus_x && by == g_maus_y) return;
    g_maus_x = bx;
    g_maus_y = by;
    g_maus_gemeldet = true;
    if (letzte != nullptr && letzte->message == WM_MOUSEMOVE) {
        letzte->lParam = maus_lparam(bx, by);   // moves pile up while the game draws: only the last counts
    } else {
        nachricht_einreihen(plat_common_fenster(), WM_MOUSEMOVE, 0, maus_lparam(bx, by));
    }
}

void fenster_maus_melden(int fx, int fy) {
    int x = 0, y = 0;
    sdl_maus_abbilden(fx, fy, sdl_anzeige_abbildung(), &x, &y);
    maus_melden(x, y);
}

bool vollbild(void) {
    return g_sdl_fenster != nullptr && (SDL_GetWindowFlags(g_sdl_fenster) & SDL_WINDOW_FULLSCREEN) != 0;
}

// Kept on the game's screen in full screen; SDL lets go while the focus is elsewhere.
void zeiger_halten(void) {
    if (g_sdl_fenster != nullptr) SDL_SetWindowMouseGrab(g_sdl_fenster, vollbild() ? SDL_TRUE : SDL_FALSE);
}

// Full screen on or off (Alt+Return), remembered in the settings file.
void vollbild_setzen(bool an) {
    if (g_sdl_fenster == nullptr || an == vollbild()) return;
    SDL_SetWindowFullscreen(g_sdl_fenster, an ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    zeiger_halten();
    sdl_anzeige_auffrischen();
    g_sdl_einstellungen.fenster = !vollbild();
    sdl_einstellungen_merken();
}

void nutzbare_flaeche(int* b, int* h) {
    SDL_Rect r = {0, 0, 1024, 768};
    const int anzeige = g_sdl_fenster != nullptr ? SDL_GetWindowDisplayIndex(g_sdl_fenster) : 0;
    if (SDL_GetDisplayUsableBounds(anzeige < 0 ? 0 : anzeige, &r) != 0) r = SDL_Rect{0, 0, 1024, 768};
    *b = r.w;
    *h = r.h;
}

void groesse_pruefen(void) {
    if (!g_groesse_pruefen || g_sdl_fenster == nullptr) return;
    if (SDL_GetTicks() - g_groesse_zeit < GROESSE_RUHE_MS) return;
    g_groesse_pruefen = false;
    if ((SDL_GetWindowFlags(g_sdl_fenster) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)) != 0) return;
    int b = 0, h = 0, max_b = 0, max_h = 0, neu_b = 0, neu_h = 0;
    SDL_GetWindowSize(g_sdl_fenster, &b, &h);
    nutzbare_flaeche(&max_b, &max_h);
    // The side the user pulled leads; the width when it is not clear.
    const bool nach_hoehe = b == g_groesse_alt_b && h != g_groesse_alt_h;
    sdl_vier_zu_drei(b, h, nach_hoehe, max_b, max_h, &neu_b, &neu_h);
    if (neu_b == b && neu_h == h) {
        g_groesse_alt_b = b;
        g_groesse_alt_h = h;
        return;
    }
    if (b == g_groesse_fremd_b && h == g_groesse_fremd_h) return;   // corrected once and put back
    g_groesse_fremd_b = b;
    g_groesse_fremd_h = h;
    g_groesse_alt_b = neu_b;
    g_groesse_alt_h = neu_h;
    SDL_SetWindowSize(g_sdl_fenster, neu_b, neu_h);
}

// A gamepad's pointer is shown by moving the system's; the motion event
// that comes back is the same move and is not heard twice.
bool g_warp_wartet = false;
int g_warp_x = 0, g_warp_y = 0;

void schliessen_einreihen(void) {
    if (g_schliessen_wartet) return;   // closing the window gives both a window event and a quit
    g_schliessen_wartet = nachricht_einreihen(plat_common_fenster(), WM_CLOSE, 0, 0);
}

void fensterereignis(const SDL_WindowEvent& w) {
    switch (w.event) {
        case SDL_WINDOWEVENT_CLOSE:
            schliessen_einreihen();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            sdl_anzeige_verloren(false);
            break;
        case SDL_WINDOWEVENT_RESIZED:
            g_groesse_pruefen = true;
            g_groesse_zeit = SDL_GetTicks();
            sdl_anzeige_auffrischen();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (!g_fokus) {
                g_fokus_zurueck = true;
                g_fokus_zeit = w.timestamp;
            }
            g_fokus = true;
            sdl_anzeige_auffrischen();
            break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            sdl_anzeige_auffrischen();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST: {
            g_fokus = false;
            if (vollbild()) sdl_anzeige_verloren(false);
            sdl_pad_loslassen();
            const SdlAbbildung a = sdl_anzeige_abbildung();
            maus_melden(a.bild_b / 2, a.bild_h / 2);
            break;
        }
        default:
            break;
    }
}

void ereignis_uebersetzen(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            schliessen_einreihen();
            break;
        case SDL_WINDOWEVENT:
            fensterereignis(e.window);
            break;
        case SDL_RENDER_TARGETS_RESET:
            sdl_anzeige_verloren(false);
            break;
        case SDL_RENDER_DEVICE_RESET:
            sdl_anzeige_verloren(true);
            break;
        case SDL_KEYDOWN: {
            const SDL_Keycode taste = e.key.keysym.sym;
            if ((taste == SDLK_RETURN || taste == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT) != 0) {
                if (!e.key.repeat) vollbild_setzen(!vollbild());
                break;   // the window's key, never the game's Return
            }
            sdl_pad_buchstabe_nehmen();
            // Every key with a character of its own has a virtual-key code.
            const int vk = sdl_taste_in_vk(taste);
            if (vk != 0) sdl_taste_melden(vk, sdl_taste_zeichen(taste), e.key.repeat != 0);
            break;
        }
        case SDL_TEXTINPUT: {
            sdl_pad_buchstabe_nehmen();
            uint8_t text_1252[SDL_TEXTINPUTEVENT_TEXT_SIZE];
            const int n = sdl_text_in_1252(e.text.text, text_1252, SDL_TEXTINPUTEVENT_TEXT_SIZE);
            for (int i = 0; i < n; ++i) sdl_zeichen_melden(text_1252[i]);
            break;
        }
        case SDL_MOUSEMOTION:
            if (g_warp_wartet && e.motion.x == g_warp_x && e.motion.y == g_warp_y) {
                g_warp_wartet = false;   // the echo of a gamepad's move, already heard
                break;
            }
            fenster_maus_melden(e.motion.x, e.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) break;
            if (!g_fokus || (g_fokus_zurueck && e.button.timestamp - g_fokus_zeit < FOKUS_KLICK_MS)) break;
            sdl_pad_buchstabe_nehmen();
            fenster_maus_melden(e.button.x, e.button.y);   // the click is where the pointer is
            sdl_knopf_melden(e.button.button == SDL_BUTTON_LEFT ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
            break;
        default:
            break;
    }
}

void ereignisse_holen(void) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    // Leave room for the longest text event, one WM_CHAR per byte.
    SDL_Event e;
    while (SCHLANGE - g_schlange_anzahl > SDL_TEXTINPUTEVENT_TEXT_SIZE + 2 && SDL_PollEvent(&e)) {
        if (!sdl_pad_ereignis(e)) ereignis_uebersetzen(e);
    }
    if (SCHLANGE - g_schlange_anzahl > SDL_TEXTINPUTEVENT_TEXT_SIZE + 2) sdl_pad_takt();
    groesse_pruefen();
}

bool videotreiber_ohne_bildschirm(void) {
    const char* treiber = SDL_GetCurrentVideoDriver();
    if (treiber == nullptr) treiber = SDL_getenv("SDL_VIDEODRIVER");
    return treiber != nullptr && (SDL_strcasecmp(treiber, "dummy") == 0 || SDL_strcasecmp(treiber, "offscreen") == 0);
}

}   // namespace

void sdl_taste_melden(int vk, int zeichen, bool wiederholt) {
    // Repeat count 1; bit 30 says the key was already down (auto-repeat).
    nachricht_einreihen(plat_common_fenster(), WM_KEYDOWN, static_cast<uintptr_t>(vk),
                        1 | (wiederholt ? (1 << 30) : 0));
    if (zeichen > 0) sdl_zeichen_melden(zeichen);
}

void sdl_zeichen_melden(int zeichen) {
    nachricht_einreihen(plat_common_fenster(), WM_CHAR, static_cast<uintptr_t>(zeichen & 0xFF), 1);
}

void sdl_maus_zeigen(int bx, int by) {
    maus_melden(bx, by);
    if (g_sdl_fenster == nullptr || !g_fokus) return;
    sdl_bildpunkt_im_fenster(bx, by, sdl_anzeige_abbildung(), &g_warp_x, &g_warp_y);
    g_warp_wartet = true;
    SDL_WarpMouseInWindow(g_sdl_fenster, g_warp_x, g_warp_y);
}

void sdl_knopf_melden(uint32_t uMsg) {
    nachricht_einreihen(plat_common_fenster(), uMsg, uMsg == WM_LBUTTONDOWN ? 1 : 2, maus_lparam(g_maus_x, g_maus_y));
}

void sdl_maus_position(int* bx, int* by) {
    *bx = g_maus_x;
    *by = g_maus_y;
}

void sdl_fenstergroesse_waehlen(int b, int h, int* fenster_b, int* fenster_h) {
    int teiler = 1;
    while (teiler < 8 && (1024 / teiler > b || 768 / teiler > h)) ++teiler;
    *fenster_b = 1024 / teiler;
    *fenster_h = 768 / teiler;
}

void sdl_vier_zu_drei(int b, int h, bool nach_hoehe, int max_b, int max_h, int* neu_b, int* neu_h) {
    const int MIN_B = 256, MIN_H = 192;
    if (max_b < MIN_B) max_b = MIN_B;
    if (max_h < MIN_H) max_h = MIN_H;
    if (nach_hoehe) b = (h * 4 + 1) / 3;
    if (b < MIN_B) b = MIN_B;
    if (b > max_b) b = max_b;
    h = (b * 3 + 2) / 4;
    if (h > max_h) {
        h = max_h;
        b = (h * 4 + 1) / 3;
    }
    *neu_b = b;
    *neu_h = h;
}

HWND plat_create_window(const char* class_name, const char* caption) {
    if (plat_fault("CreateWindow")) return nullptr;
    if (plat_common_fenster() != nullptr) return nullptr;   // the game has one window
    const WNDPROC proc = plat_common_fenster_klasse(class_name);
    if (proc == nullptr) return nullptr;

    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return nullptr;
    }
    // Without a display SDL falls back to drawing off-screen by itself, and
    // the game would run unseen; only take that when it was asked for.
    const char* gewuenscht = SDL_getenv("SDL_VIDEODRIVER");
    if (videotreiber_ohne_bildschirm() && (gewuenscht == nullptr || *gewuenscht == 0)) {
        std::fprintf(stderr, "No display found: set DISPLAY, or SDL_VIDEODRIVER to run without one.\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    // Gamepads are welcome, not needed.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    int nutzbar_b = 0, nutzbar_h = 0, fenster_b = 0, fenster_h = 0;
    nutzbare_flaeche(&nutzbar_b, &nutzbar_h);
    sdl_fenstergroesse_waehlen(nutzbar_b, nutzbar_h, &fenster_b, &fenster_h);
    const Uint32 art = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                       (g_sdl_einstellungen.fenster ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    g_sdl_fenster = SDL_CreateWindow(plat_common_text_1252_als_utf8(caption != nullptr ? caption : "").c_str(),
                                     SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, fenster_b, fenster_h, art);
    if (g_sdl_fenster == nullptr) {
        std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
        return nullptr;
    }
    SDL_SetWindowMinimumSize(g_sdl_fenster, 256, 192);
    g_groesse_alt_b = fenster_b;
    g_groesse_alt_h = fenster_h;
    g_fokus = true;
    zeiger_halten();
    sdl_zeiger_und_symbol_setzen();
    SDL_StartTextInput();

    HWND hwnd = plat_common_fenster_anlegen(proc);
    if (hwnd == nullptr) {   // the window refused to be made
        SDL_DestroyWindow(g_sdl_fenster);
        g_sdl_fenster = nullptr;
    }
    return hwnd;
}

void plat_show_window(HWND hwnd) {
    if (hwnd == nullptr || hwnd != plat_common_fenster() || g_sdl_fenster == nullptr) return;
    SDL_ShowWindow(g_sdl_fenster);
    SDL_RaiseWindow(g_sdl_fenster);
}

bool plat_peek_message(MSG* msg) {
    if (msg == nullptr) return false;
    ereignisse_holen();
    if (g_schlange_anzahl > 0) {
        *msg = g_schlange[g_schlange_anfang];
        g_schlange_anfang = (g_schlange_anfang + 1) % SCHLANGE;
        --g_schlange_anzahl;
        if (msg->message == WM_CLOSE) g_schliessen_wartet = false;
        return true;
    }
    return plat_common_fenster_quit(msg);
}

intptr_t plat_dispatch_message(const MSG* msg) { return plat_common_fenster_senden(msg); }

bool plat_post_message(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (hwnd != nullptr && hwnd != plat_common_fenster()) return false;
    return nachricht_einreihen(hwnd, uMsg, wParam, lParam);
}

intptr_t plat_def_window_proc(HWND hwnd, uint32_t uMsg, uintptr_t, intptr_t) {
    return plat_common_fenster_standard(hwnd, uMsg);
}

int plat_message_box([[maybe_unused]] HWND owner, const char* text, const char* caption, uint32_t type) {
    // The game writes its messages in Windows-1252 ("geöffnet", "mußte").
    const std::string titel = plat_common_text_1252_als_utf8(caption != nullptr ? caption : "");
    const std::string inhalt = plat_common_text_1252_als_utf8(text != nullptr ? text : "");
    std::fprintf(stderr, "%s: %s\n", titel.c_str(), inhalt.c_str());
    std::fflush(stderr);
    if (videotreiber_ohne_bildschirm()) return 1;   // nobody could press the button
    const Uint32 flags = (type & MB_ICONERROR) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, titel.c_str(), inhalt.c_str(), g_sdl_fenster);
    return 1;   // IDOK: the only button
}

DWORD plat_get_tick_count(void) {
    // Milliseconds of the monotonic clock, which counts from the machine's
    // start like the system tick: the random seed taken from it differs
    // between runs, and it does not jump when SDL is shut down and started.
    const Uint64 frequenz = SDL_GetPerformanceFrequency();
    if (frequenz < 1000) return SDL_GetTicks();
    return static_cast<DWORD>(SDL_GetPerformanceCounter() / (frequenz / 1000));
}

void plat_sleep(DWORD ms) {
    if (ms == 0) {
        std::this_thread::yield();
    } else {
        SDL_Delay(ms);
    }
}

bool plat_fault([[maybe_unused]] const char* step) { return false; }

void sdl_beenden(void) {
    if (sdl_audio_fehlte() && !g_sdl_einstellungen.ohne_ton) {
        // The game's own message names the step; this says what to do.
        std::fprintf(stderr,
                     "glubbershoot: no sound device could be opened. To play without sound, start the game "
                     "with --no-sound (or with SDL_AUDIODRIVER=dummy); SDL_AUDIODRIVER=pulseaudio, pipewire "
                     "or alsa picks the sound system.\n");
    }
    sdl_pad_schliessen();
    sdl_audio_schliessen();
    backend_display_close();
    sdl_zeiger_freigeben();
    if (g_sdl_fenster != nullptr) {
        SDL_StopTextInput();
        SDL_DestroyWindow(g_sdl_fenster);
        g_sdl_fenster = nullptr;
    }
    plat_common_fenster_vergessen();
    g_schlange_anfang = g_schlange_anzahl = 0;
    g_schliessen_wartet = false;
    g_maus_x = 1024;
    g_maus_y = 384;
    g_maus_gemeldet = g_warp_wartet = g_groesse_pruefen = false;
    g_fokus = true;
    g_fokus_zurueck = false;
    g_groesse_fremd_b = g_groesse_fremd_h = -1;
    SDL_Quit();
}
