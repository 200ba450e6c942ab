// Voices on the game's clock.
#include "platform/stimmenuhr.h"

PlatStimmenuhr plat_common_stimmenuhr(const WAVEFORMATEX* fmt, DWORD bytes) {
    PlatStimmenuhr uhr;
    uhr.dauer = static_cast<DWORD>(static_cast<uint64_t>(bytes) * 1000u / fmt->nAvgBytesPerSec);
    return uhr;
}

void plat_common_stimmenuhr_starten(PlatStimmenuhr* uhr) {
    uhr->spielt = true;
    uhr->start = plat_get_tick_count();
}

bool plat_common_stimmenuhr_spielt(PlatStimmenuhr* uhr) {
    if (uhr->spielt && plat_get_tick_count() - uhr->start >= uhr->dauer) uhr->spielt = false;
    return uhr->spielt;
}
