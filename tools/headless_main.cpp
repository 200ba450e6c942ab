// glubbershoot-headless: runs the whole game without a screen, fed by a
// script, and prints what happens.
//
//   glubbershoot-headless [--dir DIR] [--script FILE] [--until MS]
//                         [--tick0 N] [--account NAME]
//
// Exit status: 0 the game reached GS_EXIT, 3 the time ran out, 2 a bad
// script line or bad arguments, 1 the game ended some other way.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "runner/runner.h"

namespace {

int falsch(const char* was) {
    std::fprintf(stderr,
                 "glubbershoot-headless: %s\n"
                 "usage: glubbershoot-headless [--dir DIR] [--script FILE] [--until MS] [--tick0 N] [--account NAME]\n",
                 was);
    return 2;
}

bool dword_lesen(const char* s, DWORD* wert) {
    uint64_t v = 0;
    if (!Runner_Zahl_lesen(s, 0xFFFFFFFFu, &v)) return false;
    *wert = static_cast<DWORD>(v);
    return true;
}

}   // namespace

int main(int argc, char** argv) {
    RunnerOptionen opt;
    opt.echo = true;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        const char* wert = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a != "--dir" && a != "--script" && a != "--until" && a != "--tick0" && a != "--account")
            return falsch(("unknown argument " + a).c_str());
        if (!wert) return falsch((a + " needs a value").c_str());
        ++i;
        if (a == "--dir") {
            opt.dir = wert;
        } else if (a == "--script") {
            std::ifstream in(wert, std::ios::binary);
            if (!in) return falsch((std::string("cannot read ") + wert).c_str());
            std::ostringstream text;
            text << in.rdbuf();
            opt.script = text.str();
        } else if (a == "--until") {
            if (!dword_lesen(wert, &opt.cfg.until_ms)) return falsch("--until wants milliseconds");
        } else if (a == "--tick0") {
            if (!dword_lesen(wert, &opt.cfg.tick0)) return falsch("--tick0 wants a 32-bit number");
        } else {
            opt.cfg.account = wert;
            opt.cfg.account_set = true;
        }
    }
    RunnerErgebnis erg = Runner_ausfuehren(opt);
    if (erg.status == 2 && erg.bad_line > 0)
        std::fprintf(stderr, "glubbershoot-headless: bad script line %d\n", erg.bad_line);
    return erg.status;
}
