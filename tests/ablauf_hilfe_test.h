// Whole-game runs for the screen, input and start-up tests. Like the
// runner, but faults can be armed before the start, "globals" lines call
// a hook that may change the game between passes (to end a round at once),
// and "shot NAME" keeps the frame in memory instead of writing a file.
#ifndef GLUBBERSHOOT_ABLAUF_HILFE_TEST_H
#define GLUBBERSHOOT_ABLAUF_HILFE_TEST_H

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "graphics/bitmaptext.h"
#include "shell/spiel.h"
#include "testhilfe.h"
#include "world/welt.h"

typedef std::vector<uint8_t> Bild;

struct Ablauf {
    std::vector<std::string> log;
    std::map<std::string, Bild> bilder;
    DWORD ende_ms = 0;
};

struct AblaufHaken {
    std::function<void()> vorbereiten;   // after the reset, before WinMain
    std::function<void()> eingriff;      // at every "globals" line
};

inline Ablauf& Ablauf_aktuell()
{
    static Ablauf a;
    return a;
}

inline AblaufHaken& Ablauf_haken()
{
    static AblaufHaken h;
    return h;
}

inline void Ablauf_aktion(const std::string& verb, const std::string& args)
{
    if (verb == "shot") {
        const uint8_t* p = headless_frame();
        Ablauf_aktuell().bilder[args] = Bild(p, p + BILDSCHIRM_BREITE * BILDSCHIRM_HOEHE);
    } else if (verb == "globals" && Ablauf_haken().eingriff) {
        Ablauf_haken().eingriff();
    }
}

inline void Ablauf_beobachten()
{
    static int32_t letzter = -1;
    if (headless_log_lines().empty())
        letzter = -1;
    if (iGameState != letzter) {
        letzter = iGameState;
        headless_log("state " + Runner_Zustandsname(iGameState));
    }
}

// Runs the game in the current folder (see Testordner_anlegen).
inline Ablauf Ablauf_laufen(const std::string& script, AblaufHaken haken = AblaufHaken(),
                            HeadlessConfig cfg = HeadlessConfig())
{
    std::vector<HeadlessEreignis> ereignisse;
    int zeile = 0;
    EXPECT_TRUE(headless_script_parse(script, &ereignisse, &zeile)) << "script line " << zeile;
    cfg.until_ms = cfg.until_ms ? cfg.until_ms : 120000;
    headless_reset(cfg);
    Ablauf_aktuell() = Ablauf();
    Ablauf_haken() = haken;
    if (haken.vorbereiten)
        haken.vorbereiten();
    headless_script_set(ereignisse);
    headless_set_action_handler(Ablauf_aktion);
    headless_set_observer(Ablauf_beobachten);
    iGameState = GS_TITLE;
    WinMain(nullptr, nullptr, nullptr, 1);
    headless_set_observer(nullptr);
    headless_set_action_handler(nullptr);
    EXPECT_FALSE(headless_timed_out()) << "the game did not end by itself";
    Ablauf& a = Ablauf_aktuell();
    a.log = headless_log_lines();
    a.ende_ms = headless_ms();
    return a;
}

// The state names in the order the log shows them.
inline std::vector<std::string> Zustaende(const std::vector<std::string>& log)
{
    std::vector<std::string> z;
    for (const std::string& s : Log_finden(log, " state "))
        z.push_back(s.substr(s.find("state ") + 6));
    return z;
}

inline DWORD Zeit(const std::string& zeile) { return (DWORD)std::stoul(zeile); }

// Time of the first line that contains the text; -1 when there is none.
inline long Zeit_von(const std::vector<std::string>& log, const std::string& teil)
{
    std::vector<std::string> t = Log_finden(log, teil);
    return t.empty() ? -1 : (long)Zeit(t.front());
}

// The rows in which the two frames differ.
inline std::vector<int> Zeilen_verschieden(const Bild& a, const Bild& b)
{
    std::vector<int> z;
    for (int y = 0; y < BILDSCHIRM_HOEHE; ++y)
        if (std::memcmp(&a[y * BILDSCHIRM_BREITE], &b[y * BILDSCHIRM_BREITE], BILDSCHIRM_BREITE) != 0)
            z.push_back(y);
    return z;
}

// Hook that ends the round being played at the next frame, with these points.
inline std::function<void()> Runde_beenden_mit(int32_t punkte)
{
    return [punkte] {
        if (iGameState == GS_PLAYING) {
            iPoints = punkte;
            iTime = 1;
            iSekundenTakt = 1000;
        }
    };
}

// A valid "Score.dat": ten entries, best first, with the given names and scores.
inline void Bestenliste_schreiben(const std::vector<std::pair<std::string, int32_t>>& eintraege)
{
    std::string d(288, '\0');
    std::memcpy(&d[0], "Glubbershoot 1009", 17);
    for (size_t i = 0; i < 10 && i < eintraege.size(); ++i) {
        int32_t p = eintraege[i].second;
        std::memcpy(&d[48 + 24 * i], &p, 4);
        std::memcpy(&d[52 + 24 * i], eintraege[i].first.c_str(), eintraege[i].first.size() + 1);
    }
    Datei_schreiben("Score.dat", d);
}

inline std::pair<std::string, int32_t> Bestenliste_eintrag(int i)
{
    std::string d = Datei_lesen("Score.dat");
    if (d.size() != 288)
        return {"<no file>", 0};
    int32_t p;
    std::memcpy(&p, &d[48 + 24 * i], 4);
    return {std::string(d.c_str() + 52 + 24 * i), p};
}

#endif
