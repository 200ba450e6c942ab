// Entry of the real game.
#include "platform/platform.h"
#include "platform/sdl/sdl_intern.h"

int main(int, char**) {
    const int ergebnis = WinMain(nullptr, nullptr, nullptr, 1);
    sdl_beenden();
    return ergebnis;
}
