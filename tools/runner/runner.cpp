// The headless runner: the real game on the headless backend, fed by a
// script, logging every change of state and every side effect.
#include "runner.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/spiel.h"

namespace {

const char* const g_zustandsnamen[] = {
    "GS_TITLE",           "GS_MENU",       "GS_ROUND_INTRO", "GS_PLAYING",     "GS_RECORD_ENTRY",
    "GS_CONTINUE_PROMPT", "GS_HIGHSCORES", "GS_CREDITS",     "GS_QUIT_PROMPT", "GS_EXIT",
};
static_assert(sizeof g_zustandsnamen / sizeof g_zustandsnamen[0] == GS_EXIT + 1, "one name per state");

int32_t g_letzter_zustand = -1;
HeadlessAktion g_weitere_aktion = nullptr;

void zustand_beobachten() {
    if (iGameState == g_letzter_zustand) return;
    g_letzter_zustand = iGameState;
    headless_log("state " + Runner_Zustandsname(iGameState));
}

void aktion_ausfuehren(const std::string& verb, const std::string& args) {
    if (verb == "shot") {
        if (!headless_write_bmp(args.c_str()))
            std::fprintf(stderr, "glubbershoot-headless: cannot write %s\n", args.c_str());
        return;
    }
    if (verb == "globals") {
        headless_log("globals state=" + Runner_Zustandsname(iGameState) + " points=" + std::to_string(iPoints) +
                     " kills=" + std::to_string(iKills) + " lose=" + std::to_string(iLose) +
                     " time=" + std::to_string(iTime) + " shells=" + std::to_string(iShells) +
                     " scroll=" + std::to_string(iScrollX) + " round=" + std::to_string(iRound) +
                     " menu=" + std::to_string(iMenuItem));
    }
    if (g_weitere_aktion) g_weitere_aktion(verb, args);
}

// Goes back to the caller's working directory however the run ends.
struct Verzeichniswechsel {
    std::string alt;
    bool gewechselt = false;
    bool wechseln(const std::string& dir) {
        char puffer[4096];
        if (!getcwd(puffer, sizeof puffer)) return false;
        alt = puffer;
        if (chdir(dir.c_str()) != 0) return false;
        gewechselt = true;
        return true;
    }
    ~Verzeichniswechsel() {
        if (gewechselt && chdir(alt.c_str()) != 0) std::perror("glubbershoot-headless: chdir back");
    }
};

}   // namespace

std::string Runner_Zustandsname(int state) {
    if (state >= GS_TITLE && state <= GS_EXIT) return g_zustandsnamen[state];
    return std::to_string(state);
}

bool Runner_Zahl_lesen(const char* s, uint64_t max, uint64_t* wert) {
    if (!s || !*s || std::strlen(s) > 20) return false;
    uint64_t v = 0;
    for (const char* p = s; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        const unsigned d = static_cast<unsigned>(*p - '0');
        if (v > (max - d) / 10) return false;
        v = v * 10 + d;
    }
    *wert = v;
    return true;
}

RunnerErgebnis Runner_ausfuehren(const RunnerOptionen& opt) {
    RunnerErgebnis erg;
    HeadlessConfig cfg = opt.cfg;
    cfg.echo = cfg.echo || opt.echo;
    headless_reset(cfg);

    std::vector<HeadlessEreignis> ereignisse;
    int zeile = 0;
    if (!headless_script_parse(opt.script, &ereignisse, &zeile)) {
        erg.status = 2;
        erg.bad_line = zeile;
        return erg;
    }
    Verzeichniswechsel wechsel;
    if (!opt.dir.empty() && !wechsel.wechseln(opt.dir)) {
        std::fprintf(stderr, "glubbershoot-headless: cannot enter %s\n", opt.dir.c_str());
        erg.status = 2;
        return erg;
    }
    headless_script_set(ereignisse);
    g_weitere_aktion = opt.aktion;
    headless_set_action_handler(aktion_ausfuehren);
    headless_set_observer(zustand_beobachten);

    // As at a fresh program start; an earlier run in this process may
    // have left the game at GS_EXIT.
    iGameState = GS_TITLE;
    g_letzter_zustand = -1;
    erg.winmain = WinMain(nullptr, nullptr, nullptr, 1);
    zustand_beobachten();
    headless_log("exit " + std::to_string(erg.winmain));
    headless_set_observer(nullptr);
    headless_set_action_handler(nullptr);
    g_weitere_aktion = nullptr;

    if (headless_timed_out())
        erg.status = 3;
    else
        erg.status = iGameState == GS_EXIT ? 0 : 1;
    erg.log = headless_log_lines();
    return erg;
}
