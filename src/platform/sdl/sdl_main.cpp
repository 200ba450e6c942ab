// Entry of the real game: the player's options, then the game.
#include <cstdio>

#include "platform/platform.h"
#include "platform/sdl/sdl_intern.h"

int main(int argc, char** argv) {
    SdlBefehlszeile befehlszeile;
    if (!sdl_befehlszeile_lesen(argc, argv, &befehlszeile)) {
        std::fprintf(stderr, "glubbershoot: unknown option '%s' (try --help)\n", befehlszeile.falsch);
        return 2;
    }
    if (befehlszeile.hilfe) {
        std::fputs(sdl_hilfetext(), stdout);
        return 0;
    }
    sdl_einstellungen_festlegen(befehlszeile);
    const int ergebnis = WinMain(nullptr, nullptr, nullptr, 1);
    sdl_beenden();
    return ergebnis;
}
