// The headless runner: the whole game on the headless backend, fed by a
// script, with a log of states and side effects. Used by
// glubbershoot-headless and by the tests.
#ifndef GLUBBERSHOOT_RUNNER_H
#define GLUBBERSHOOT_RUNNER_H

#include <string>
#include <vector>

#include "platform/headless/headless.h"

struct RunnerOptionen {
    std::string dir;      // working directory; empty: the current one
    std::string script;   // script text (not a file name)
    HeadlessConfig cfg;   // clock start, limit, account, ...
    bool echo = false;    // print the log to standard output as it grows
    // Called for every due action event after the runner's own handling,
    // inside the message drain: a driver that answers what the game shows.
    // Messages it posts (plat_post_message) reach the game in the same
    // drain; it can wake itself again with headless_script_add.
    HeadlessAktion aktion = nullptr;
};

struct RunnerErgebnis {
    int status = 0;                 // 0 reached GS_EXIT, 3 time ran out, 2 bad script line
    int bad_line = 0;               // with status 2
    int winmain = 0;                // WinMain's result
    std::vector<std::string> log;   // "<ms> <what>" lines, as printed
};

RunnerErgebnis Runner_ausfuehren(const RunnerOptionen& opt);

// "GS_TITLE" .. "GS_EXIT", or the number for values outside 0..9.
std::string Runner_Zustandsname(int state);

// A command-line number: decimal digits only (at most 20), no more than max.
bool Runner_Zahl_lesen(const char* s, uint64_t max, uint64_t* wert);

#endif
