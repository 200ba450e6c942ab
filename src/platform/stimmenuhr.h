// A voice timed by the game's clock instead of a sound device: it plays
// from its start for exactly as long as its samples last. The headless
// backend's voices are only this; the page's are this too, audible or
// not, so that the status the game's rules read (no second shot while the
// first still sounds) is the same on both.
#ifndef GLUBBERSHOOT_STIMMENUHR_H
#define GLUBBERSHOOT_STIMMENUHR_H

#include "platform/platform.h"

struct PlatStimmenuhr {
    DWORD dauer = 0;   // ms
    DWORD start = 0;
    bool spielt = false;
};

// A silent voice of bytes of samples in fmt (a format that
// plat_common_wave_format_gueltig takes).
PlatStimmenuhr plat_common_stimmenuhr(const WAVEFORMATEX* fmt, DWORD bytes);
// Starts it from the beginning now.
void plat_common_stimmenuhr_starten(PlatStimmenuhr* uhr);
// Whether it still plays now; one past its end has stopped for good.
bool plat_common_stimmenuhr_spielt(PlatStimmenuhr* uhr);

#endif
