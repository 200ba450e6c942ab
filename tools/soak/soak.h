// The soak: round after round of the real game on the headless backend,
// fed with random input that answers whatever screen is up, and watched
// for damaged score files, music commands out of turn, error boxes and
// memory that keeps growing.
#ifndef GLUBBERSHOOT_SOAK_H
#define GLUBBERSHOOT_SOAK_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif

struct SoakEinstellung {
    uint64_t saat = 1009;
    int runden = 200;     // rounds to play to the end of their clock
    int messen_ab = 10;   // the round after which memory is first taken
    std::string konto;    // account name the game starts with
};

struct SoakSpeicher {
    size_t heap = 0;   // bytes the allocator holds for the program
    long rss_kb = 0;   // resident set
};

struct SoakStand {
    int runden = 0;              // rounds played until their clock ran out
    int abgebrochen = 0;         // rounds left early by Escape or Space
    int rekorde = 0;             // names entered into the list
    int bestes = 0;              // best points of a round
    long eingaben = 0;           // messages sent
    SoakSpeicher anfang, ende;   // after round messen_ab and after the last
    size_t heap_hoechst = 0;     // the most seen at a round's end from messen_ab on
    std::vector<std::string> fehler;
    std::vector<std::string> letzte_eingaben;   // "<ms> <script line>", oldest first
};

// The driver: Soak_starten before the run, Soak_aktion as the runner's
// action handler (the run's script wakes it with "0 globals").
void Soak_starten(const SoakEinstellung& e);
void Soak_aktion(const std::string& verb, const std::string& args);
// Error boxes and media commands in these log lines (the run's last ones).
void Soak_log_pruefen(const std::vector<std::string>& zeilen);
const SoakStand& Soak_stand(void);

// Checks, each returning what is wrong or "" (pruefen.cpp).
// "Score.dat" in the current folder as the game must leave it; with a
// name, that entry with these points must be in it.
std::string Bestenliste_pruefen(const std::string* name, int32_t punkte);
// Media commands in log order: open only when closed, play and close only when open.
std::string Musik_befehl_pruefen(const std::string& befehl, bool* offen);

SoakSpeicher Speicher_messen(void);

#endif
