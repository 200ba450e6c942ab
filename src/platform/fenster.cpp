// The window classes, the one window and the quit, for every backend.
#include "platform/fenster.h"

#include <cstring>

struct PlatWindow {
    WNDPROC proc;
    bool zerstoert;   // WM_DESTROY has been sent
};

namespace {

enum { MAX_KLASSEN = 4, KLASSEN_NAME = 64 };

struct Fensterklasse {
    char name[KLASSEN_NAME];
    WNDPROC proc;
};

Fensterklasse g_klassen[MAX_KLASSEN];
int g_klassen_anzahl = 0;

PlatWindow g_fenster = {nullptr, false};
bool g_fenster_da = false;

bool g_quit_wartet = false;
int g_quit_code = 0;

}   // namespace

bool plat_register_class(const char* class_name, WNDPROC proc) {
    if (plat_fault("RegisterClass")) return false;
    if (class_name == nullptr || proc == nullptr || std::strlen(class_name) >= KLASSEN_NAME) return false;
    if (plat_common_fenster_klasse(class_name) != nullptr) return false;   // already registered
    if (g_klassen_anzahl >= MAX_KLASSEN) return false;
    std::strcpy(g_klassen[g_klassen_anzahl].name, class_name);
    g_klassen[g_klassen_anzahl++].proc = proc;
    return true;
}

void plat_post_quit_message(int code) {
    g_quit_wartet = true;
    g_quit_code = code;
}

WNDPROC plat_common_fenster_klasse(const char* class_name) {
    if (class_name == nullptr) return nullptr;
    for (int i = 0; i < g_klassen_anzahl; ++i)
        if (std::strcmp(g_klassen[i].name, class_name) == 0) return g_klassen[i].proc;
    return nullptr;
}

HWND plat_common_fenster_anlegen(WNDPROC proc) {
    g_fenster = PlatWindow{proc, false};
    g_fenster_da = true;
    if (proc(&g_fenster, WM_CREATE, 0, 0) == -1) {
        g_fenster_da = false;
        return nullptr;
    }
    return &g_fenster;
}

HWND plat_common_fenster(void) { return g_fenster_da ? &g_fenster : nullptr; }

intptr_t plat_common_fenster_senden(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr || msg->hwnd != plat_common_fenster() || g_fenster.zerstoert) return 0;
    return g_fenster.proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

intptr_t plat_common_fenster_standard(HWND hwnd, uint32_t uMsg) {
    if (uMsg == WM_CLOSE && hwnd != nullptr && hwnd == plat_common_fenster() && !g_fenster.zerstoert) {
        g_fenster.zerstoert = true;
        g_fenster.proc(hwnd, WM_DESTROY, 0, 0);
    }
    return 0;
}

bool plat_common_fenster_quit(MSG* msg) {
    if (!g_quit_wartet) return false;
    g_quit_wartet = false;
    *msg = MSG{nullptr, WM_QUIT, static_cast<uintptr_t>(g_quit_code), 0};
    return true;
}

void plat_common_fenster_vergessen(void) {
    g_klassen_anzahl = 0;
    g_fenster = PlatWindow{nullptr, false};
    g_fenster_da = false;
    g_quit_wartet = false;
    g_quit_code = 0;
}
