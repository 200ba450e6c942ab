// Playing the effects of "Sound.dat": one buffer each, centred or panned.
#include "audio/effekte.h"

#include "audio/dsound.h"
#include "kern/kern.h"

static_assert(SND_UMGEBUNG_1 + 1 == MAX_SOUNDS, "one name for every entry of Sound.dat");

void Sound_spielen(int sektor) {
    if (sektor < 0 || sektor >= MAX_SOUNDS) return;
    DSound_abspielen(lpDSB[sektor], 0);
}

void Sound_Ort_spielen(int sektor, int32_t x) {
    if (sektor < 0 || sektor >= MAX_SOUNDS) return;
    DSound_abspielen(lpDSB[sektor], Sound_Pan_berechnen(x));
}

// Wide arithmetic: a column far off the screen is heard at the edge, not
// wrapped round to the other side.
int32_t Sound_Pan_berechnen(int32_t x) {
    const int64_t mitte = BILDSCHIRM_BREITE / 2;
    int64_t pan;
    if (x < mitte) {
        pan = -10 * (mitte - x);
        if (pan < -10000) pan = -10000;
    } else {
        pan = 10 * (x - mitte);
        if (pan > 10000) pan = 10000;
    }
    return static_cast<int32_t>(pan);
}
