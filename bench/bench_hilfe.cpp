#include "bench_hilfe.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/dateien.h"
#include "graphics/ddraw.h"
#include "platform/headless/headless.h"
#include "shell/spiel.h"
#include "world/welt.h"

namespace {

std::string g_ordner;
bool g_bereit = false;

bool spiel_starten() {
    HeadlessConfig cfg;
    cfg.frame_ms = 0;   // the clock stands still: pop-ups and shot stay due
    cfg.account = "Bench";
    cfg.account_set = true;
    // The real display converts the back buffer itself at the flip; the
    // headless copy of each frame is no part of the game's cost.
    cfg.frame_copy = false;
    headless_reset(cfg);
    iGameState = GS_TITLE;
    if (!plat_register_class("Glubbers", Nachricht_verarbeiten)) return false;
    hWnd = plat_create_window("Glubbers", "Glubbershoot");
    if (!hWnd) return false;
    plat_show_window(hWnd);
    Spiel_initialisieren();
    Spiel_starten();
    headless_log_clear();
    return iGameState != GS_EXIT;
}

}   // namespace

bool Bench_Ordner_anlegen(void) {
    char muster[] = "/tmp/glubber-bench.XXXXXX";
    if (!mkdtemp(muster)) return false;
    g_ordner = muster;
    for (const char* name : szPflichtDateien) {
        std::string von = std::string(GLUBBER_DATA_DIR) + "/" + name;
        std::string nach = g_ordner + "/" + name;
        if (symlink(von.c_str(), nach.c_str()) != 0) {
            std::fprintf(stderr, "bench: cannot link %s\n", von.c_str());
            return false;
        }
    }
    return chdir(g_ordner.c_str()) == 0;
}

void Bench_Ordner_entfernen(void) {
    if (g_ordner.empty()) return;
    for (const char* name : szPflichtDateien) unlink((g_ordner + "/" + name).c_str());
    unlink((g_ordner + "/Score.dat").c_str());
    if (chdir("/") != 0 || rmdir(g_ordner.c_str()) != 0)
        std::fprintf(stderr, "bench: %s left behind\n", g_ordner.c_str());
    g_ordner.clear();
}

bool Bench_Spiel_bereit(void) {
    if (!g_bereit) g_bereit = spiel_starten();
    return g_bereit;
}

void Bench_Spiel_vergessen(void) { g_bereit = false; }

bool Bench_Runde_aufbauen(void) {
    if (!Bench_Spiel_bereit()) return false;
    Zustand_setzen(GS_ROUND_INTRO, 1);
    Hintergrund_laden();
    iGameState = GS_PLAYING;
    iPoints = 1230;
    iShells = 6;
    for (int i = 0; i < MAX_OBJEKTE; ++i) {
        Objekt& o = Objekte[i];
        if (o.Figur.iArt == ART_STEIGER) {
            Steiger_starten(i, ZUS_AKTIV);
            o.iPosX = 1400;
            o.iPosY = 590;
        } else if (o.Figur.iArt == ART_VERSTECK) {
            Versteck_starten(i, ZUS_AKTIV);
            o.iPosY -= o.Figur.iHoehe / 2;
        } else {
            // Spread over the visible half of the playfield, -iScrollX = 512.
            o.iPosX = 540 + 85 * i;
            o.iPosY = 40 + 45 * i;
            o.iZustand = ZUS_AKTIV;
            o.bSichtbar = 1;
        }
        Objekt_Position_abgleichen(i);
    }
    iLetztePunkte = 150;
    dwPunkteZeit = plat_get_tick_count();
    Einschuss_zeigen(600, 300, 1);
    headless_log_clear();
    return true;
}

bool Bench_Menue_aufbauen(void) {
    if (!Bench_Spiel_bereit()) return false;
    Zustand_setzen(GS_MENU, 1);
    Hintergrund_laden();
    iMenuItem = 1;
    headless_log_clear();
    return true;
}

Flaeche Bench_Flaeche(PlatSurface* s) {
    Flaeche f;
    PlatLock l{};
    if (!s || plat_surface_lock(s, &l) != PLAT_OK) return f;
    plat_surface_unlock(s);
    f.p = l.lpSurface;
    f.pitch = l.lPitch;
    f.w = static_cast<int32_t>(l.dwWidth);
    f.h = static_cast<int32_t>(l.dwHeight);
    return f;
}
