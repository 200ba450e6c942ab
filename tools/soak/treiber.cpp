// The soak's player: wakes every few virtual milliseconds inside the
// message drain, looks at the screen the game is on and answers it with
// random messages, as a restless player would. Between rounds it checks
// the score file and takes the memory figures.
#include <cstdio>
#include <cstring>

#include "assets/highscore.h"
#include "runner/runner.h"
#include "screens/screens.h"
#include "shell/spiel.h"
#include "soak.h"
#include "world/welt.h"

namespace {

const char* const WECKER = "soak";   // the driver's own action verb
const size_t LETZTE_EINGABEN = 40;

struct Treiber {
    SoakEinstellung e;
    SoakStand stand;
    uint64_t zufall = 0;
    int32_t zustand = -1;               // the game's state at the last wake
    intptr_t maus = 1024 | 384 << 16;   // lParam of the last mouse move sent
    bool fertig = false;                // all rounds played: off to the quit prompt
    bool abbrechen = false;             // a check failed: the game is being closed
    bool musik_offen = false;
    // The round under way.
    int treffsicher = 0;   // percent of steps that aim at a target
    DWORD runde_seit = 0;
    DWORD verlassen_nach = 0;   // leave the round after this many ms; 0: never
    bool verlassen_mit_leertaste = false;
    // The menu: the entry to reach (4: Escape), by mouse or by keys.
    int menue_ziel = 0;
    bool menue_maus = false;
    // Name entry: what the edit buffer must hold, and what Return stores.
    std::string puffer;
    int noch_tippen = 0;
    std::string erwarteter_name;
    int32_t erwartete_punkte = 0;
    char letzte[LETZTE_EINGABEN][80] = {};   // the last input, as script lines
    size_t naechste_eingabe = 0;
};

Treiber g;

uint32_t zufall(uint32_t n) {
    // splitmix64: any seed, the same numbers on every machine.
    uint64_t z = (g.zufall += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return n ? static_cast<uint32_t>(z % n) : 0;
}

bool wurf(uint32_t prozent) { return zufall(100) < prozent; }

DWORD zwischen(DWORD a, DWORD b) { return a + zufall(b - a + 1); }

void fehler(const std::string& text) {
    if (g.abbrechen) return;
    g.stand.fehler.push_back("after " + std::to_string(g.stand.runden) + " rounds, at " +
                             std::to_string(headless_ms()) + " ms in " + Runner_Zustandsname(iGameState) + ": " + text);
    g.abbrechen = true;
    plat_post_message(nullptr, WM_CLOSE, 0, 0);
}

// A ring of fixed lines: keeping them must not show in the heap figures.
void merken(const std::string& zeile) {
    std::snprintf(g.letzte[g.naechste_eingabe % LETZTE_EINGABEN], sizeof g.letzte[0], "%s", zeile.c_str());
    ++g.naechste_eingabe;
}

// The name entry's rules, applied to what the player types.
void puffer_tippen(BYTE z) {
    if (z == 8) {
        if (!g.puffer.empty()) g.puffer.pop_back();
    } else if (z != 9 && z != 10 && z != 13 && g.puffer.size() < 16) {
        g.puffer += static_cast<char>(z);
    }
}

// One runner script line without its time ("key RETURN", "move 3 4",
// "char #200"), posted as the messages the runner would make of it.
void senden(const std::string& befehl) {
    std::vector<HeadlessEreignis> ev;
    if (!headless_script_parse("0 " + befehl, &ev, nullptr)) {
        fehler("the soak made a bad script line: " + befehl);
        return;
    }
    merken(std::to_string(headless_ms()) + " " + befehl);
    for (const HeadlessEreignis& x : ev) {
        const MSG& m = x.msg;
        intptr_t lparam = m.lParam;
        if (m.message == WM_MOUSEMOVE) g.maus = m.lParam;
        if (m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN) lparam = g.maus;
        if (iGameState == GS_RECORD_ENTRY && m.message == WM_CHAR) {
            const BYTE z = static_cast<BYTE>(m.wParam);
            if (z == 13) {
                g.erwarteter_name = g.puffer.empty() ? "Monkey" : g.puffer;
                g.erwartete_punkte = iPoints;
            } else {
                puffer_tippen(z);
            }
        }
        plat_post_message(nullptr, m.message, m.wParam, lparam);
        ++g.stand.eingaben;
    }
}

void bewegen(int x, int y) { senden("move " + std::to_string(x) + " " + std::to_string(y)); }

void taste(const char* name) { senden(std::string("key ") + name); }

// Letters, digits and punctuation as keys, or any byte as a bare character.
void irgendein_zeichen(bool auch_ziffern) {
    static const char tasten[] = "abcdefghiklmopqrstuvwxABCDEFGHIKLMOPQRSTUVWX.,-+#!?;:";
    if (auch_ziffern && wurf(20))
        senden("key " + std::string(1, static_cast<char>('0' + zufall(10))));
    else if (wurf(15))
        senden("char #" + std::to_string(zwischen(128, 255)));
    else
        senden("key " + std::string(1, tasten[zufall(sizeof tasten - 1)]));
}

// Input a screen does not answer: the game must pass it by.
DWORD rauschen() {
    switch (zufall(6)) {
        case 0:
            bewegen(zufall(1024), zufall(768));
            break;
        case 1:
            irgendein_zeichen(false);
            break;
        case 2:
            taste(wurf(50) ? "F4" : "TAB");
            break;
        case 3:
            taste(wurf(50) ? "LEFT" : "RIGHT");
            break;
        case 4:
            senden(wurf(50) ? "rclick" : "move 65535 65535");
            break;
        default:
            break;
    }
    return zwischen(50, 400);
}

// ------------------------------------------------------------ screens

DWORD titel() {
    if (wurf(30)) return rauschen();
    taste(wurf(50) ? "RETURN" : "SPACE");
    return zwischen(100, 1500);
}

void menue_planen() {
    g.menue_maus = wurf(50);
    const uint32_t r = zufall(100);
    if (g.fertig)
        g.menue_ziel = wurf(50) ? 3 : 4;
    else
        g.menue_ziel = r < 78 ? 0 : r < 85 ? 1 : r < 91 ? 2 : r < 95 ? 3 : 4;
}

DWORD menue() {
    if (wurf(20)) {
        // Up and Down, or a click somewhere, or a stray key.
        if (wurf(40)) {
            taste(wurf(50) ? "UP" : "DOWN");
        } else if (!g.fertig && wurf(10)) {
            bewegen(zufall(1024), zufall(768));
            senden("lclick");
        } else {
            rauschen();
        }
        return zwischen(50, 400);
    }
    if (g.menue_ziel == 4) {
        taste("ESCAPE");
    } else if (g.menue_maus) {
        const RECT& z = rcMenueZone[g.menue_ziel];
        const int x = static_cast<int>(g.maus & 0xFFFF), y = static_cast<int>(g.maus >> 16 & 0xFFFF);
        // The game must have taken the move: outside the menu it does not.
        if (x >= z.left && x <= z.right && y >= z.top && y <= z.bottom && iMouseX == x && iMouseY == y) {
            senden("lclick");
        } else {
            bewegen(z.left + static_cast<int>(zufall(static_cast<uint32_t>(z.right - z.left + 1))),
                    z.top + static_cast<int>(zufall(static_cast<uint32_t>(z.bottom - z.top + 1))));
        }
    } else if (iMenuItem != g.menue_ziel) {
        taste((g.menue_ziel - iMenuItem + 4) % 4 <= 2 ? "DOWN" : "UP");
    } else {
        taste(wurf(50) ? "RETURN" : "SPACE");
    }
    return zwischen(60, 600);
}

void runde_planen() {
    // Some rounds aimed well enough for the top ten, others hardly at all;
    // the first always, so that even a short run enters a name.
    const uint32_t stufe = zufall(4);
    g.treffsicher = g.stand.runden == 0 ? 90 : stufe == 0 ? 5 : stufe == 1 ? 35 : stufe == 2 ? 65 : 90;
    g.runde_seit = headless_ms();
    g.verlassen_nach = 0;
    if (!g.fertig && g.stand.runden > 0 && wurf(8)) {
        g.verlassen_nach = zwischen(500, 180000);
        g.verlassen_mit_leertaste = wurf(40);
    }
}

// Moves the pointer onto a target in view and fires; false when none is.
bool zielen() {
    const int anfang = static_cast<int>(zufall(MAX_OBJEKTE));
    for (int n = 0; n < MAX_OBJEKTE; n++) {
        const Objekt& o = Objekte[(anfang + n) % MAX_OBJEKTE];
        const int x = (o.iWeltLinks + o.iWeltRechts) / 2 + iScrollX;
        const int y = (o.iWeltOben + o.iWeltUnten) / 2;
        // Behind the scenery only above the skyline's lowest point.
        if (o.iZustand != ZUS_AKTIV || x < 0 || x >= BILDSCHIRM_BREITE || y < 0 || y >= BILDSCHIRM_HOEHE ||
            (o.bHinten == 1 && y >= SPIELFELD_Y))
            continue;
        bewegen(x, y);
        senden(iShells > 0 ? "lclick" : "rclick");
        return true;
    }
    return false;
}

DWORD spielen() {
    if (g.verlassen_nach && headless_ms() - g.runde_seit >= g.verlassen_nach) {
        g.verlassen_nach = 0;
        ++g.stand.abgebrochen;
        taste(g.verlassen_mit_leertaste ? "SPACE" : "ESCAPE");
        return zwischen(100, 500);
    }
    if (wurf(g.treffsicher) && zielen()) return zwischen(40, 200);
    const uint32_t r = zufall(100);
    if (r < 22) {
        // Now and then far beyond the screen: the position is any 16-bit pair.
        bewegen(wurf(3) ? zwischen(1024, 65535) : zufall(1024), zufall(768));
    } else if (r < 37) {
        senden("lclick");
    } else if (r < 43 || iShells == 0) {
        senden("rclick");
    } else if (r < 53) {
        // The pointer rests at an edge and the view runs.
        static const int rand_x[] = {0, 8, 9, 40, 64, 960, 1000, 1015, 1016, 1023};
        bewegen(rand_x[zufall(10)], zufall(768));
        return zwischen(100, 1200);
    } else if (r < 65) {
        // Held down: the key repeats.
        const char* pfeil = wurf(50) ? "LEFT" : "RIGHT";
        for (uint32_t n = zwischen(1, 6); n > 0; n--) taste(pfeil);
    } else if (r < 75) {
        static const char* const musik[] = {"UP", "DOWN", "F2", "F3"};
        if (wurf(50))
            senden("key " + std::string(1, static_cast<char>('0' + zufall(10))));
        else
            taste(musik[zufall(4)]);
    } else if (r < 78) {
        taste("F1");
    } else if (r < 84) {
        irgendein_zeichen(false);
    }
    return zwischen(20, 250);
}

DWORD name_eingeben() {
    if (g.noch_tippen <= 0) {
        taste("RETURN");
        return zwischen(100, 800);
    }
    --g.noch_tippen;
    const uint32_t r = zufall(100);
    if (r < 20)
        taste("BACK");
    else if (r < 25)
        taste("SPACE");
    else if (r < 29)
        taste("TAB");
    else if (r < 32)
        taste("ESCAPE");   // arrives as character 27 and is kept
    else if (r < 34)
        senden("char #10");
    else
        irgendein_zeichen(true);
    return zwischen(60, 400);
}

DWORD weiterspielen() {
    if (wurf(12)) {
        static const char* const daneben[] = {"J", "N", "x", "1", "SPACE", "ESCAPE"};
        taste(daneben[zufall(6)]);
    } else {
        taste(!g.fertig && wurf(88) ? "j" : "n");
    }
    return zwischen(100, 1200);
}

DWORD liste_oder_abspann() {
    if (wurf(70)) return rauschen();
    static const char* const zurueck[] = {"RETURN", "ESCAPE", "SPACE"};
    taste(zurueck[zufall(3)]);
    return zwischen(100, 800);
}

DWORD beenden_fragen() {
    if (g.fertig) {
        static const char* const ja[] = {"j", "y", "z"};
        taste(ja[zufall(3)]);
    } else if (wurf(25)) {
        static const char* const daneben[] = {"J", "N", "Y", "Z", "x"};
        taste(daneben[zufall(5)]);
    } else {
        taste(wurf(50) ? "n" : "ESCAPE");
    }
    return zwischen(100, 1000);
}

// ------------------------------------------------------------ checks

void speicher_nehmen() {
    const SoakSpeicher s = Speicher_messen();
    const int r = g.stand.runden;
    if (r == g.e.messen_ab) g.stand.anfang = s;
    if (r >= g.e.messen_ab && s.heap > g.stand.heap_hoechst) g.stand.heap_hoechst = s.heap;
    if (r == g.e.runden) g.stand.ende = s;
    if (r % 10 == 0 || r == g.e.runden) {
        std::printf("soak: round %d/%d  heap %zu B  rss %ld KiB  records %d  left early %d  virtual %u s\n", r,
                    g.e.runden, s.heap, s.rss_kb, g.stand.rekorde, g.stand.abgebrochen, headless_ms() / 1000);
        std::fflush(stdout);
    }
}

void pruefung(const std::string& ergebnis) {
    if (!ergebnis.empty()) fehler(ergebnis);
}

void runde_zu_ende(int32_t neu) {
    ++g.stand.runden;
    if (iPoints > g.stand.bestes) g.stand.bestes = iPoints;
    // Only a score above the tenth reaches the name entry.
    const int32_t zehnter = HighscoreListe[MAX_HIGHSCORES - 1].iPunktzahl;
    if ((neu == GS_RECORD_ENTRY) != (iPoints > zehnter))
        fehler(std::to_string(iPoints) + " points against a tenth best of " + std::to_string(zehnter));
    if (neu == GS_RECORD_ENTRY) g.noch_tippen = static_cast<int>(zufall(26));
    pruefung(Bestenliste_pruefen(nullptr, 0));
    if (g.stand.runden >= g.e.runden) g.fertig = true;
    speicher_nehmen();
}

void zustand_verfolgen() {
    const int32_t alt = g.zustand, neu = iGameState;
    if (alt == neu) return;
    g.zustand = neu;
    if (alt == GS_PLAYING && (neu == GS_RECORD_ENTRY || neu == GS_CONTINUE_PROMPT)) runde_zu_ende(neu);
    if (alt == GS_RECORD_ENTRY && neu == GS_CONTINUE_PROMPT) {
        ++g.stand.rekorde;
        pruefung(Bestenliste_pruefen(&g.erwarteter_name, g.erwartete_punkte));
    }
    if (neu == GS_ROUND_INTRO) runde_planen();
    if (neu == GS_MENU) menue_planen();
}

void wecken(DWORD in_ms) {
    HeadlessEreignis e;
    e.ms = headless_ms() + in_ms;
    e.is_action = true;
    e.verb = WECKER;
    headless_script_add(e);
}

}   // namespace

void Soak_starten(const SoakEinstellung& e) {
    g = Treiber();
    g.e = e;
    g.zufall = e.saat;
    g.puffer = e.konto.substr(0, 16);
}

void Soak_log_pruefen(const std::vector<std::string>& zeilen) {
    for (const std::string& zeile : zeilen) {
        if (zeile.find(" msgbox ") != std::string::npos) fehler("message box: " + zeile);
        const size_t mci = zeile.find(" mci ");
        if (mci != std::string::npos) pruefung(Musik_befehl_pruefen(zeile.substr(mci + 5), &g.musik_offen));
    }
}

void Soak_aktion(const std::string& verb, const std::string&) {
    if (verb != WECKER && verb != "globals") return;
    // What happened since the last wake; the log would grow without end.
    Soak_log_pruefen(headless_log_lines());
    headless_log_clear();
    zustand_verfolgen();
    if (g.abbrechen || iGameState == GS_EXIT) return;
    DWORD pause = 100;
    switch (iGameState) {
        case GS_TITLE:
            pause = titel();
            break;
        case GS_MENU:
            pause = menue();
            break;
        case GS_ROUND_INTRO:
            pause = wurf(30) ? rauschen() : zwischen(100, 800);
            break;
        case GS_PLAYING:
            pause = spielen();
            break;
        case GS_RECORD_ENTRY:
            pause = name_eingeben();
            break;
        case GS_CONTINUE_PROMPT:
            pause = weiterspielen();
            break;
        case GS_HIGHSCORES:
        case GS_CREDITS:
            pause = liste_oder_abspann();
            break;
        case GS_QUIT_PROMPT:
            pause = beenden_fragen();
            break;
        default:
            break;
    }
    wecken(pause);
}

const SoakStand& Soak_stand(void) {
    static SoakStand kopie;
    kopie = g.stand;
    kopie.letzte_eingaben.clear();
    const size_t n = g.naechste_eingabe;
    for (size_t i = n > LETZTE_EINGABEN ? n - LETZTE_EINGABEN : 0; i < n; i++)
        kopie.letzte_eingaben.push_back(g.letzte[i % LETZTE_EINGABEN]);
    return kopie;
}
