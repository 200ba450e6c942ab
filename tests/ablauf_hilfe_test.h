// Whole-game runs for the screen, input and start-up tests: like the
// runner, but faults can be armed before the start, a "globals" line calls
// a hook that may change the game between passes (to end a round at once),
// and "shot NAME" keeps the frame in memory.
#ifndef GLUBBERSHOOT_ABLAUF_HILFE_TEST_H
#define GLUBBERSHOOT_ABLAUF_HILFE_TEST_H

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

#include "bau/bau.h"
#include "graphics/bitmaptext.h"
#include "shell/spiel.h"
#include "testhilfe.h"
#include "world/welt.h"

typedef std::vector<uint8_t> Bild;
typedef std::function<void()> Haken;

struct Ablauf {
    std::vector<std::string> log;
    std::map<std::string, Bild> bilder;
    DWORD ende_ms = 0;
};

inline Ablauf g_ablauf;
inline Haken g_eingriff;
inline int32_t g_letzter_zustand = -1;

inline void Ablauf_aktion(const std::string& verb, const std::string& args) {
    if (verb == "shot")
        g_ablauf.bilder[args] = Bild(headless_frame(), headless_frame() + BILDSCHIRM_BREITE * BILDSCHIRM_HOEHE);
    else if (g_eingriff)
        g_eingriff();
}

inline void Ablauf_beobachten() {
    if (iGameState != g_letzter_zustand) headless_log("state " + Runner_Zustandsname(g_letzter_zustand = iGameState));
}

// Runs the game in the current folder (see Testordner_anlegen).
inline Ablauf Ablauf_laufen(const std::string& script, Haken eingriff = nullptr, Haken vorbereiten = nullptr,
                            HeadlessConfig cfg = HeadlessConfig()) {
    std::vector<HeadlessEreignis> ereignisse;
    EXPECT_TRUE(headless_script_parse(script, &ereignisse, nullptr));
    cfg.until_ms = 120000;
    headless_reset(cfg);
    g_ablauf = Ablauf();
    g_eingriff = eingriff;
    g_letzter_zustand = -1;
    if (vorbereiten) vorbereiten();
    headless_script_set(ereignisse);
    headless_set_action_handler(Ablauf_aktion);
    headless_set_observer(Ablauf_beobachten);
    iGameState = GS_TITLE;
    WinMain(nullptr, nullptr, nullptr, 1);
    headless_set_observer(nullptr);
    headless_set_action_handler(nullptr);
    EXPECT_FALSE(headless_timed_out()) << "the game did not end by itself";
    g_ablauf.log = headless_log_lines();
    g_ablauf.ende_ms = headless_ms();
    return g_ablauf;
}

inline std::vector<std::string> Zustaende(const std::vector<std::string>& log) { return Log_nach(log, " state "); }

// Time of the first line that contains the text; -1 when there is none.
inline long Zeit_von(const std::vector<std::string>& log, const std::string& teil) {
    std::vector<std::string> t = Log_finden(log, teil);
    return t.empty() ? -1 : std::stol(t.front());
}

inline std::vector<int> Zeilen_verschieden(const Bild& a, const Bild& b) {
    std::vector<int> z;
    for (int y = 0; y < BILDSCHIRM_HOEHE; ++y)
        if (std::memcmp(&a[y * BILDSCHIRM_BREITE], &b[y * BILDSCHIRM_BREITE], BILDSCHIRM_BREITE) != 0) z.push_back(y);
    return z;
}

// The frames differ, and only in the text line drawn at y.
inline bool Nur_Textzeile_verschieden(const Bild& a, const Bild& b, int y) {
    std::vector<int> z = Zeilen_verschieden(a, b);
    return !z.empty() && z.front() >= y && z.back() < y + rcGlyphen[99].top;
}

// A hook that ends the round being played at the next frame, with these points.
inline Haken Runde_beenden_mit(int32_t punkte) {
    return [punkte] {
        if (iGameState == GS_PLAYING) {
            iPoints = punkte;
            iTime = 1;
            iSekundenTakt = 1000;
        }
    };
}

// A valid "Score.dat" with these ten entries.
inline void Bestenliste_schreiben(const std::vector<std::pair<std::string, int32_t>>& eintraege) {
    BauPunkteliste p;
    for (const auto& e : eintraege) p.eintraege.push_back({e.second, e.first});
    const Bytes d = Bau_Punkteliste(p);
    Datei_schreiben("Score.dat", std::string(d.begin(), d.end()));
}

#endif
