// Inside the headless backend: the state its files share.
#ifndef GLUBBERSHOOT_HL_INTERN_H
#define GLUBBERSHOOT_HL_INTERN_H

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

struct HeadlessFehler {
    int skip = 0;
    int times = 0;   // -1: for ever
};

struct HeadlessZustand {
    HeadlessConfig cfg;
    DWORD tick = 0;
    DWORD leerlauf_tick = 0;                // tick at the end of the last message drain
    std::vector<HeadlessEreignis> skript;   // sorted by time
    size_t skript_pos = 0;
    std::deque<HeadlessEreignis> warteschlange;
    bool zeit_um = false;       // WM_CLOSE for until_ms has been posted
    intptr_t maus_lparam = 0;   // position of the last mouse move handed out
    std::vector<std::string> log;
    std::vector<uint8_t> bild;          // last flipped frame, 1024 x 768
    const uint8_t* gezeigt = nullptr;   // without frame_copy: the flipped back buffer
    int32_t gezeigt_pitch = 0;
    PALETTEENTRY palette[256] = {};
    int flips = 0;
    // Looked up by the step's name without building a string: every blit asks.
    std::map<std::string, HeadlessFehler, std::less<>> fehler;
    std::map<std::string, int, std::less<>> aufrufe;
    HeadlessAktion aktion = nullptr;
    HeadlessBeobachter beobachter = nullptr;
};

extern HeadlessZustand g_hl;

const int HEADLESS_BILD_B = 1024;
const int HEADLESS_BILD_H = 768;

// Lets the observer look at the game; safe to call from anywhere.
void headless_beobachten(void);

// Sound objects (klang.cpp).
void headless_klang_vergessen(void);
int headless_klang_objekte(void);

// Log text is UTF-8: bytes that are not valid UTF-8 are read as Windows-1252.
std::string headless_utf8(const std::string& s, bool immer_1252);

#endif
