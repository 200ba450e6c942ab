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
    bool bZerstoert;   // WM_DESTROY has been sent
};

SDL_Window* sdlFenster = nullptr;

namespace {

enum { MAX_KLASSEN = 4, KLASSEN_NAME = 64, SCHLANGE = 256 };

struct Fensterklasse {
    char szName[KLASSEN_NAME];
    WNDPROC proc;
};

Fensterklasse aKlassen[MAX_KLASSEN];
int iKlassen = 0;

PlatWindow gFenster = {nullptr, false};
bool bFensterDa = false;

// Pending messages, oldest first. Fixed size: a flood of input waits in
// SDL's own queue instead of growing ours.
MSG aSchlange[SCHLANGE];
int iSchlangeAnfang = 0;
int iSchlangeAnzahl = 0;
bool bSchliessenWartet = false;   // a WM_CLOSE from the window system is queued
bool bQuitWartet = false;
int iQuitCode = 0;

MSG* Schlange_letzte(void) {
    if (iSchlangeAnzahl == 0) return nullptr;
    return &aSchlange[(iSchlangeAnfang + iSchlangeAnzahl - 1) % SCHLANGE];
}

intptr_t Maus_lParam(int fx, int fy) {
    int fensterB = 0, fensterH = 0, bildB = 0, bildH = 0;
    if (sdlFenster != nullptr) SDL_GetWindowSize(sdlFenster, &fensterB, &fensterH);
    Anzeige_Bildgroesse(&bildB, &bildH);
    int x = 0, y = 0;
    Maus_abbilden(fx, fy, fensterB, fensterH, bildB, bildH, &x, &y);
    return static_cast<intptr_t>((static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x));
}

void Schliessen_einreihen(void) {
    if (bSchliessenWartet) return;   // closing the window gives both a window event and a quit
    bSchliessenWartet = Nachricht_einreihen(&gFenster, WM_CLOSE, 0, 0);
}

void Fensterereignis(const SDL_WindowEvent& w) {
    switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Schliessen_einreihen();
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        Anzeige_verloren(false);
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        Anzeige_auffrischen();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (sdlFenster != nullptr && (SDL_GetWindowFlags(sdlFenster) & SDL_WINDOW_FULLSCREEN) != 0)
            Anzeige_verloren(false);
        break;
    default:
        break;
    }
}

void Ereignis_uebersetzen(const SDL_Event& e) {
    HWND hwnd = &gFenster;
    switch (e.type) {
    case SDL_QUIT:
        Schliessen_einreihen();
        break;
    case SDL_WINDOWEVENT:
        Fensterereignis(e.window);
        break;
    case SDL_RENDER_TARGETS_RESET:
        Anzeige_verloren(false);
        break;
    case SDL_RENDER_DEVICE_RESET:
        Anzeige_verloren(true);
        break;
    case SDL_KEYDOWN: {
        const int vk = Taste_in_VK(e.key.keysym.sym);
        if (vk != 0) {
            // Repeat count 1; bit 30 says the key was already down (auto-repeat).
            const intptr_t lParam = 1 | (e.key.repeat ? (1 << 30) : 0);
            Nachricht_einreihen(hwnd, WM_KEYDOWN, static_cast<uintptr_t>(vk), lParam);
        }
        const int zeichen = Taste_Zeichen(e.key.keysym.sym);
        if (zeichen >= 0) Nachricht_einreihen(hwnd, WM_CHAR, static_cast<uintptr_t>(zeichen), 1);
        break;
    }
    case SDL_TEXTINPUT: {
        uint8_t aZeichen[SDL_TEXTINPUTEVENT_TEXT_SIZE];
        const int n = Text_in_1252(e.text.text, aZeichen, SDL_TEXTINPUTEVENT_TEXT_SIZE);
        for (int i = 0; i < n; ++i) Nachricht_einreihen(hwnd, WM_CHAR, aZeichen[i], 1);
        break;
    }
    case SDL_MOUSEMOTION: {
        const intptr_t lParam = Maus_lParam(e.motion.x, e.motion.y);
        MSG* letzte = Schlange_letzte();
        if (letzte != nullptr && letzte->message == WM_MOUSEMOVE) {
            letzte->lParam = lParam;   // moves pile up while the game draws: only the last counts
        } else {
            Nachricht_einreihen(hwnd, WM_MOUSEMOVE, 0, lParam);
        }
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT)
            Nachricht_einreihen(hwnd, WM_LBUTTONDOWN, 1, Maus_lParam(e.button.x, e.button.y));
        else if (e.button.button == SDL_BUTTON_RIGHT)
            Nachricht_einreihen(hwnd, WM_RBUTTONDOWN, 2, Maus_lParam(e.button.x, e.button.y));
        break;
    default:
        break;
    }
}

void Ereignisse_holen(void) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    // Leave room for the longest text event, one WM_CHAR per byte.
    SDL_Event e;
    while (SCHLANGE - iSchlangeAnzahl > SDL_TEXTINPUTEVENT_TEXT_SIZE + 2 && SDL_PollEvent(&e)) {
        Ereignis_uebersetzen(e);
    }
}

bool Videotreiber_ohne_Bildschirm(void) {
    const char* treiber = SDL_GetCurrentVideoDriver();
    if (treiber == nullptr) treiber = SDL_getenv("SDL_VIDEODRIVER");
    return treiber != nullptr && (SDL_strcasecmp(treiber, "dummy") == 0 || SDL_strcasecmp(treiber, "offscreen") == 0);
}

} // namespace

bool Nachricht_einreihen(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (iSchlangeAnzahl >= SCHLANGE) return false;
    aSchlange[(iSchlangeAnfang + iSchlangeAnzahl) % SCHLANGE] = MSG{hwnd, uMsg, wParam, lParam};
    ++iSchlangeAnzahl;
    return true;
}

bool plat_register_class(const char* szClass, WNDPROC proc) {
    if (plat_fault("RegisterClass")) return false;
    if (szClass == nullptr || proc == nullptr || std::strlen(szClass) >= KLASSEN_NAME) return false;
    for (int i = 0; i < iKlassen; ++i) {
        if (std::strcmp(aKlassen[i].szName, szClass) == 0) return false;   // already registered
    }
    if (iKlassen >= MAX_KLASSEN) return false;
    std::strcpy(aKlassen[iKlassen].szName, szClass);
    aKlassen[iKlassen].proc = proc;
    ++iKlassen;
    return true;
}

HWND plat_create_window(const char* szClass, const char* szCaption) {
    if (plat_fault("CreateWindow")) return nullptr;
    if (szClass == nullptr || bFensterDa) return nullptr;   // the game has one window
    WNDPROC proc = nullptr;
    for (int i = 0; i < iKlassen; ++i) {
        if (std::strcmp(aKlassen[i].szName, szClass) == 0) proc = aKlassen[i].proc;
    }
    if (proc == nullptr) return nullptr;

    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return nullptr;
    }
    // Without a display SDL falls back to drawing off-screen by itself, and
    // the game would run unseen; only take that when it was asked for.
    const char* gewuenscht = SDL_getenv("SDL_VIDEODRIVER");
    if (Videotreiber_ohne_Bildschirm() && (gewuenscht == nullptr || *gewuenscht == 0)) {
        std::fprintf(stderr, "No display found: set DISPLAY, or SDL_VIDEODRIVER to run without one.\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    sdlFenster = SDL_CreateWindow(Text_1252_als_utf8(szCaption != nullptr ? szCaption : "").c_str(), SDL_WINDOWPOS_CENTERED,
                                  SDL_WINDOWPOS_CENTERED, 1024, 768, SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (sdlFenster == nullptr) {
        std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
        return nullptr;
    }
    Zeiger_und_Symbol_setzen();
    SDL_StartTextInput();

    gFenster.proc = proc;
    gFenster.bZerstoert = false;
    bFensterDa = true;
    if (proc(&gFenster, WM_CREATE, 0, 0) == -1) {   // the window refused to be made
        SDL_DestroyWindow(sdlFenster);
        sdlFenster = nullptr;
        bFensterDa = false;
        return nullptr;
    }
    return &gFenster;
}

void plat_show_window(HWND hwnd) {
    if (hwnd != &gFenster || sdlFenster == nullptr) return;
    SDL_ShowWindow(sdlFenster);
    SDL_RaiseWindow(sdlFenster);
}

bool plat_peek_message(MSG* msg) {
    if (msg == nullptr) return false;
    Ereignisse_holen();
    if (iSchlangeAnzahl > 0) {
        *msg = aSchlange[iSchlangeAnfang];
        iSchlangeAnfang = (iSchlangeAnfang + 1) % SCHLANGE;
        --iSchlangeAnzahl;
        if (msg->message == WM_CLOSE) bSchliessenWartet = false;
        return true;
    }
    if (bQuitWartet) {   // like Windows: the quit comes once everything else is out
        bQuitWartet = false;
        *msg = MSG{nullptr, WM_QUIT, static_cast<uintptr_t>(iQuitCode), 0};
        return true;
    }
    return false;
}

intptr_t plat_dispatch_message(const MSG* msg) {
    if (msg == nullptr || msg->hwnd != &gFenster || !bFensterDa || gFenster.bZerstoert) return 0;
    return gFenster.proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

bool plat_post_message(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (hwnd != nullptr && hwnd != &gFenster) return false;
    return Nachricht_einreihen(hwnd, uMsg, wParam, lParam);
}

void plat_post_quit_message(int code) {
    bQuitWartet = true;
    iQuitCode = code;
}

intptr_t plat_def_window_proc(HWND hwnd, uint32_t uMsg, [[maybe_unused]] uintptr_t wParam,
                              [[maybe_unused]] intptr_t lParam) {
    // An unhandled close destroys the window, which the window hears once.
    if (uMsg == WM_CLOSE && hwnd == &gFenster && bFensterDa && !gFenster.bZerstoert) {
        gFenster.bZerstoert = true;
        gFenster.proc(hwnd, WM_DESTROY, 0, 0);
    }
    return 0;
}

int plat_message_box([[maybe_unused]] HWND owner, const char* text, const char* caption, uint32_t type) {
    // The game writes its messages in Windows-1252 ("geöffnet", "mußte").
    const std::string titel = Text_1252_als_utf8(caption != nullptr ? caption : "");
    const std::string inhalt = Text_1252_als_utf8(text != nullptr ? text : "");
    std::fprintf(stderr, "%s: %s\n", titel.c_str(), inhalt.c_str());
    std::fflush(stderr);
    if (Videotreiber_ohne_Bildschirm()) return 1;   // nobody could press the button
    const Uint32 flags = (type & MB_ICONERROR) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, titel.c_str(), inhalt.c_str(), sdlFenster);
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

bool plat_fault([[maybe_unused]] const char* step) {
    return false;
}

void sdl_beenden(void) {
    Audio_schliessen();
    backend_display_close();
    Zeiger_freigeben();
    if (sdlFenster != nullptr) {
        SDL_StopTextInput();
        SDL_DestroyWindow(sdlFenster);
        sdlFenster = nullptr;
    }
    bFensterDa = false;
    gFenster = PlatWindow{nullptr, false};
    iKlassen = 0;
    iSchlangeAnfang = iSchlangeAnzahl = 0;
    bSchliessenWartet = bQuitWartet = false;
    SDL_Quit();
}
