// Headless window and message queue: posted messages and the script's
// events, handed out in the message drain of the first pass at or after
// their time.
#include <algorithm>
#include <memory>

#include "platform/headless/headless_intern.h"

struct PlatWindow {
    WNDPROC proc = nullptr;
};

namespace {

struct Fensterklasse {
    std::string name;
    WNDPROC proc;
};

std::vector<Fensterklasse> g_klassen;
std::vector<std::unique_ptr<PlatWindow>> g_fenster;

WNDPROC proc_von(HWND hwnd) {
    for (auto& f : g_fenster)
        if (f.get() == hwnd) return f->proc;
    return nullptr;
}

void faellige_einreihen() {
    DWORD jetzt = headless_ms();
    while (g_hl.skript_pos < g_hl.skript.size() && g_hl.skript[g_hl.skript_pos].ms <= jetzt)
        g_hl.warteschlange.push_back(g_hl.skript[g_hl.skript_pos++]);
    if (g_hl.cfg.until_ms && !g_hl.zeit_um && jetzt >= g_hl.cfg.until_ms) {
        g_hl.zeit_um = true;
        HeadlessEreignis e;
        e.msg.hwnd = headless_hauptfenster();
        e.msg.message = WM_CLOSE;
        g_hl.warteschlange.push_back(e);
    }
}

}   // namespace

void headless_fenster_vergessen(void) {
    g_klassen.clear();
    g_fenster.clear();
}

HWND headless_hauptfenster(void) { return g_fenster.empty() ? nullptr : g_fenster.front().get(); }

// ------------------------------------------------------------- script

void headless_script_add(const HeadlessEreignis& e) {
    // Events already handed out are dropped, so that a long run which keeps
    // adding input holds only what is still to come.
    g_hl.skript.erase(g_hl.skript.begin(), g_hl.skript.begin() + static_cast<std::ptrdiff_t>(g_hl.skript_pos));
    g_hl.skript_pos = 0;
    // After every event of the same time, so that script order holds.
    auto pos = std::upper_bound(g_hl.skript.begin(), g_hl.skript.end(), e.ms,
                                [](DWORD ms, const HeadlessEreignis& x) { return ms < x.ms; });
    g_hl.skript.insert(pos, e);
}

void headless_script_set(const std::vector<HeadlessEreignis>& events) {
    g_hl.skript = events;
    g_hl.skript_pos = 0;
    std::stable_sort(g_hl.skript.begin(), g_hl.skript.end(),
                     [](const HeadlessEreignis& a, const HeadlessEreignis& b) { return a.ms < b.ms; });
}

// ------------------------------------------------------------ platform.h

bool plat_register_class(const char* class_name, WNDPROC proc) {
    if (plat_fault("RegisterClass")) return false;
    if (!class_name || !proc) return false;
    for (auto& k : g_klassen)
        if (k.name == class_name) return false;
    g_klassen.push_back({class_name, proc});
    return true;
}

HWND plat_create_window(const char* class_name, const char*) {
    if (plat_fault("CreateWindow")) return nullptr;
    if (!class_name) return nullptr;
    WNDPROC proc = nullptr;
    for (auto& k : g_klassen)
        if (k.name == class_name) proc = k.proc;
    if (!proc) return nullptr;
    g_fenster.push_back(std::make_unique<PlatWindow>());
    HWND hwnd = g_fenster.back().get();
    hwnd->proc = proc;
    // WM_CREATE arrives before the creation returns; -1 refuses the window.
    if (proc(hwnd, WM_CREATE, 0, 0) == -1) {
        g_fenster.pop_back();
        return nullptr;
    }
    return hwnd;
}

void plat_show_window(HWND) {}

bool plat_peek_message(MSG* msg) {
    headless_beobachten();
    if (!msg) return false;
    faellige_einreihen();
    while (!g_hl.warteschlange.empty()) {
        HeadlessEreignis e = g_hl.warteschlange.front();
        g_hl.warteschlange.pop_front();
        if (e.is_action) {
            if (g_hl.aktion) g_hl.aktion(e.verb, e.args);
            continue;
        }
        *msg = e.msg;
        if (!msg->hwnd) {
            // A script event: it goes to the game window, and a click
            // happens where the pointer last moved to.
            msg->hwnd = headless_hauptfenster();
            if (msg->message == WM_LBUTTONDOWN || msg->message == WM_RBUTTONDOWN) msg->lParam = g_hl.maus_lparam;
        }
        if (msg->message == WM_MOUSEMOVE) g_hl.maus_lparam = msg->lParam;
        return true;
    }
    if (g_hl.quit_wartet) {
        g_hl.quit_wartet = false;
        *msg = MSG{nullptr, WM_QUIT, static_cast<uintptr_t>(g_hl.quit_code), 0};
        return true;
    }
    // A pass that neither flips nor waits still takes a millisecond, so
    // that time runs on (and a time limit is reached) whatever fails.
    if (g_hl.tick == g_hl.leerlauf_tick) ++g_hl.tick;
    g_hl.leerlauf_tick = g_hl.tick;
    return false;
}

intptr_t plat_dispatch_message(const MSG* msg) {
    if (!msg) return 0;
    WNDPROC proc = proc_von(msg->hwnd);
    intptr_t r = proc ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
    headless_beobachten();
    return r;
}

bool plat_post_message(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (hwnd && !proc_von(hwnd)) return false;
    HeadlessEreignis e;
    e.ms = headless_ms();
    e.msg = MSG{hwnd ? hwnd : headless_hauptfenster(), uMsg, wParam, lParam};
    g_hl.warteschlange.push_back(e);
    return true;
}

void plat_post_quit_message(int code) {
    g_hl.quit_wartet = true;
    g_hl.quit_code = code;
}

intptr_t plat_def_window_proc(HWND, uint32_t, uintptr_t, intptr_t) { return 0; }
