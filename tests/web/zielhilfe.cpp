// For the browser test: where a shot can hit at one moment of a scripted
// run, so that the test can aim in the page at what the game shows there.
//
//   glubbershoot-zielhilfe DIR SCRIPT MS TICK0
//
// Plays SCRIPT in DIR on the headless backend (clock start TICK0, the
// account name empty, as in the page) up to the first message drain at or
// after MS, and prints "ziel <index> <x> <y>" for every target that a
// click at screen point (x, y) there would hit, away from the screen's
// scrolling edges.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "kern/kern.h"
#include "runner/runner.h"
#include "world/welt.h"

namespace {

bool g_gedruckt = false;

void ziele_drucken(const std::string& verb, const std::string&) {
    if (verb != "globals" || g_gedruckt) return;
    g_gedruckt = true;
    for (int i = 0; i < MAX_OBJEKTE; ++i) {
        const Objekt& o = Objekte[i];
        if (o.iZustand != ZUS_AKTIV || o.bSichtbar != 1) continue;
        const int32_t wx = (o.iWeltLinks + o.iWeltRechts) / 2;
        const int32_t wy = (o.iWeltOben + o.iWeltUnten) / 2;
        const int32_t x = wx + iScrollX;
        if (x < 80 || x > 940 || wy < 20 || wy > 740) continue;
        if (Objekt_getroffen(i, wx, wy) != 1) continue;
        if (o.bHinten == 1 && Kulisse_verdeckt(wx, wy) == 1) continue;
        std::printf("ziel %d %d %d\n", i, x, wy);
    }
}

}   // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: glubbershoot-zielhilfe DIR SCRIPT MS TICK0\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const unsigned long ms = std::strtoul(argv[3], nullptr, 10);
    RunnerOptionen opt;
    opt.dir = argv[1];
    opt.script = text.str() + "\n" + std::to_string(ms) + " globals\n";
    opt.cfg.tick0 = static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10));
    opt.cfg.account_set = true;
    opt.cfg.until_ms = static_cast<DWORD>(ms + 1);
    opt.aktion = ziele_drucken;
    const RunnerErgebnis erg = Runner_ausfuehren(opt);
    if (erg.status == 2) {
        std::fprintf(stderr, "glubbershoot-zielhilfe: bad script line %d\n", erg.bad_line);
        return 2;
    }
    return g_gedruckt ? 0 : 1;
}
