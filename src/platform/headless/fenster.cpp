// Headless window and message queue: posted messages and the script's
// events, handed out in the message drain of the first pass at or after
// their time.
#include <algorithm>

#include "platform/fenster.h"
#include "platform/headless/headless_intern.h"

namespace {

void faellige_einreihen() {
    DWORD jetzt = headless_ms();
    while (g_hl.skript_pos < g_hl.skript.size() && g_hl.skript[g_hl.skript_pos].ms <= jetzt)
        g_hl.warteschlange.push_back(g_hl.skript[g_hl.skript_pos++]);
    if (g_hl.cfg.until_ms && !g_hl.zeit_um && jetzt >= g_hl.cfg.until_ms) {
        g_hl.zeit_um = true;
        HeadlessEreignis e;
        e.msg.hwnd = plat_common_fenster();
        e.msg.message = WM_CLOSE;
        g_hl.warteschlange.push_back(e);
    }
}

}   // namespace

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

HWND plat_create_window(const char* class_name, const char*) {
    if (plat_fault("CreateWindow")) return nullptr;
    if (plat_common_fenster() != nullptr) return nullptr;   // the game has one window
    const WNDPROC proc = plat_common_fenster_klasse(class_name);
    // WM_CREATE arrives before the creation returns; -1 refuses the window.
    return proc != nullptr ? plat_common_fenster_anlegen(proc) : nullptr;
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
            msg->hwnd = plat_common_fenster();
            if (msg->message == WM_LBUTTONDOWN || msg->message == WM_RBUTTONDOWN) msg->lParam = g_hl.maus_lparam;
        }
        if (msg->message == WM_MOUSEMOVE) g_hl.maus_lparam = msg->lParam;
        return true;
    }
    if (plat_common_fenster_quit(msg)) return true;
    // A pass that neither flips nor waits still takes a millisecond, so
    // that time runs on (and a time limit is reached) whatever fails.
    if (g_hl.tick == g_hl.leerlauf_tick) ++g_hl.tick;
    g_hl.leerlauf_tick = g_hl.tick;
    return false;
}

intptr_t plat_dispatch_message(const MSG* msg) {
    if (!msg) return 0;
    intptr_t r = plat_common_fenster_senden(msg);
    headless_beobachten();
    return r;
}

bool plat_post_message(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    if (hwnd && hwnd != plat_common_fenster()) return false;
    HeadlessEreignis e;
    e.ms = headless_ms();
    e.msg = MSG{hwnd ? hwnd : plat_common_fenster(), uMsg, wParam, lParam};
    g_hl.warteschlange.push_back(e);
    return true;
}

intptr_t plat_def_window_proc(HWND, uint32_t, uintptr_t, intptr_t) { return 0; }
