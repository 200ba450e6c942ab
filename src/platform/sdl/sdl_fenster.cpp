// The one game window on SDL: window class, message queue fed from SDL's
// events, message boxes, the clock.
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/backend.h"
#include "platform/sdl/sdl_intern.h"
#include "platform/zeichensatz.h"

struct PlatWindow {
    WNDPROC proc;
    bool zerstoert;   // WM_DESTROY has been sent
};

SDL_Window* g_sdl_fenster = nullptr;

namespace {

enum { MAX_KLASSEN = 4, KLASSEN_NAME = 64, SCHLANGE = 256 };

struct Fensterklasse {
    char name[KLASSEN_NAME];
    WNDPROC proc;
};

Fensterklasse g_klassen[MAX_KLASSEN];
int g_klassen_anzahl = 0;

PlatWindow g_fenster = {nullptr, false};
bool g_fenster_da = false;

// Pending messages, oldest first. Fixed size: a flood of input waits in
// SDL's own queue instead of growing ours.
MSG g_schlange[SCHLANGE];
int g_schlange_anfang = 0;
int g_schlange_anzahl = 0;
bool g_schliessen_wartet = false;   // a WM_CLOSE from the window system is queued
bool g_quit_wartet = false;
int g_quit_code = 0;

MSG* schlange_letzte(void) {
    if (g_schlange_anzahl == 0) return nullptr;
    return &g_schlange[(g_schlange_anfang + g_schlange_anzahl - 1) % SCHLANGE];
}

intptr_t maus_lparam(int fx, int fy) {
    int fenster_b = 0, fenster_h = 0, bild_b = 0, bild_h = 0;
    if (g_sdl_fenster != nullptr) SDL_GetWindowSize(g_sdl_fenster, &fenster_b, &fenster_h);
    sdl_anzeige_bildgroesse(&bild_b, &bild_h);
    int x = 0, y = 0;
    sdl_maus_abbilden(fx, fy, fenster_b, fenster_h, bild_b, bild_h, &x, &y);
    return static_cast<intptr_t>((static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x));
}

void schliessen_einreihen(void) {
    if (g_schliessen_wartet) return;   // closing the window gives both a window event and a quit
    g_schliessen_wartet = sdl_nachricht_einreihen(&g_fenster, WM_CLOSE, 0, 0);
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
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            sdl_anzeige_auffrischen();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (g_sdl_fenster != nullptr && (SDL_GetWindowFlags(g_sdl_fenster) & SDL_WINDOW_FULLSCREEN) != 0)
                sdl_anzeige_verloren(false);
            break;
        default:
            break;
    }
}

void ereignis_uebersetzen(const SDL_Event& e) {
    HWND hwnd = &g_fenster;
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
            const int vk = sdl_taste_in_vk(e.key.keysym.sym);
            if (vk != 0) {
                // Repeat count 1; bit 30 says the key was already down (auto-repeat).
                const intptr_t lparam = 1 | (e.key.repeat ? (1 << 30) : 0);
                sdl_nachricht_einreihen(hwnd, WM_KEYDOWN, static_cast<uintptr_t>(vk), lparam);
            }
            const int zeichen = sdl_taste_zeichen(e.key.keysym.sym);
            if (zeichen >= 0) sdl_nachricht_einreihen(hwnd, WM_CHAR, static_cast<uintptr_t>(zeichen), 1);
            break;
        }
        case SDL_TEXTINPUT: {
            uint8_t text_1252[SDL_TEXTINPUTEVENT_TEXT_SIZE];
            const int n = sdl_text_in_1252(e.text.text, text_1252, SDL_TEXTINPUTEVENT_TEXT_SIZE);
            for (int i = 0; i < n; ++i) sdl_nachricht_einreihen(hwnd, WM_CHAR, text_1252[i], 1);
            break;
        }
        case SDL_MOUSEMOTION: {
            const intptr_t lparam = maus_lparam(e.motion.x, e.motion.y);
            MSG* letzte = schlange_letzte();
            if (letzte != nullptr && letzte->message == WM_MOUSEMOVE) {
                letzte->lParam = lparam;   // moves pile up while the game draws: only the last counts
            } else {
                sdl_nachricht_einreihen(hwnd, WM_MOUSEMOVE, 0, lparam);
            }
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT)
                sdl_nachricht_einreihen(hwnd, WM_LBUTTONDOWN, 1, maus_lparam(e.button.x, e.button.y));
            else if (e.button.button == SDL_BUTTON_RIGHT)
                sdl_nachricht_einreihen(hwnd, WM_RBUTTONDOWN, 2, maus_lparam(e.button.x, e.button.y));
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
        ereignis_uebersetzen(e);
    }
}

bool videotreiber_ohne_bildschirm(void) {
    const char* treiber = SDL_GetCurrentVideoDriver();
    if (treiber == nullptr) treiber = SDL_getenv("SDL_VIDEODRIVER");
    return treiber != nullptr && (SDL_strcasecmp(treiber, "dummy") == 0 || SDL_strcasecmp(treiber, "offscreen") == 0);
}

}   // namespace

bool sdl_nachricht_einreihen(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (g_schlange_anzahl >= SCHLANGE) return false;
    g_schlange[(g_schlange_anfang + g_schlange_anzahl) % SCHLANGE] = MSG{hwnd, uMsg, wParam, lParam};
    ++g_schlange_anzahl;
    return true;
}

bool plat_register_class(const char* class_name, WNDPROC proc) {
    if (plat_fault("RegisterClass")) return false;
    if (class_name == nullptr || proc == nullptr || std::strlen(class_name) >= KLASSEN_NAME) return false;
    for (int i = 0; i < g_klassen_anzahl; ++i) {
        if (std::strcmp(g_klassen[i].name, class_name) == 0) return false;   // already registered
    }
    if (g_klassen_anzahl >= MAX_KLASSEN) return false;
    std::strcpy(g_klassen[g_klassen_anzahl].name, class_name);
    g_klassen[g_klassen_anzahl].proc = proc;
    ++g_klassen_anzahl;
    return true;
}

HWND plat_create_window(const char* class_name, const char* caption) {
    if (plat_fault("CreateWindow")) return nullptr;
    if (class_name == nullptr || g_fenster_da) return nullptr;   // the game has one window
    WNDPROC proc = nullptr;
    for (int i = 0; i < g_klassen_anzahl; ++i) {
        if (std::strcmp(g_klassen[i].name, class_name) == 0) proc = g_klassen[i].proc;
    }
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
    g_sdl_fenster =
        SDL_CreateWindow(plat_common_text_1252_als_utf8(caption != nullptr ? caption : "").c_str(),
                         SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1024, 768, SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (g_sdl_fenster == nullptr) {
        std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
        return nullptr;
    }
    sdl_zeiger_und_symbol_setzen();
    SDL_StartTextInput();

    g_fenster.proc = proc;
    g_fenster.zerstoert = false;
    g_fenster_da = true;
    if (proc(&g_fenster, WM_CREATE, 0, 0) == -1) {   // the window refused to be made
        SDL_DestroyWindow(g_sdl_fenster);
        g_sdl_fenster = nullptr;
        g_fenster_da = false;
        return nullptr;
    }
    return &g_fenster;
}

void plat_show_window(HWND hwnd) {
    if (hwnd != &g_fenster || g_sdl_fenster == nullptr) return;
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
    if (g_quit_wartet) {   // like Windows: the quit comes once everything else is out
        g_quit_wartet = false;
        *msg = MSG{nullptr, WM_QUIT, static_cast<uintptr_t>(g_quit_code), 0};
        return true;
    }
    return false;
}

intptr_t plat_dispatch_message(const MSG* msg) {
    if (msg == nullptr || msg->hwnd != &g_fenster || !g_fenster_da || g_fenster.zerstoert) return 0;
    return g_fenster.proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

bool plat_post_message(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (hwnd != nullptr && hwnd != &g_fenster) return false;
    return sdl_nachricht_einreihen(hwnd, uMsg, wParam, lParam);
}

void plat_post_quit_message(int code) {
    g_quit_wartet = true;
    g_quit_code = code;
}

intptr_t plat_def_window_proc(HWND hwnd, uint32_t uMsg, [[maybe_unused]] uintptr_t wParam,
                              [[maybe_unused]] intptr_t lParam) {
    // An unhandled close destroys the window, which the window hears once.
    if (uMsg == WM_CLOSE && hwnd == &g_fenster && g_fenster_da && !g_fenster.zerstoert) {
        g_fenster.zerstoert = true;
        g_fenster.proc(hwnd, WM_DESTROY, 0, 0);
    }
    return 0;
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
    sdl_audio_schliessen();
    backend_display_close();
    sdl_zeiger_freigeben();
    if (g_sdl_fenster != nullptr) {
        SDL_StopTextInput();
        SDL_DestroyWindow(g_sdl_fenster);
        g_sdl_fenster = nullptr;
    }
    g_fenster_da = false;
    g_fenster = PlatWindow{nullptr, false};
    g_klassen_anzahl = 0;
    g_schlange_anfang = g_schlange_anzahl = 0;
    g_schliessen_wartet = g_quit_wartet = false;
    SDL_Quit();
}
