// The sound system: 21 one-shot buffers from "Sound.dat", and the loose
// wave files that play in the background.
#include "audio/dsound.h"

#include "assets/packfile.h"
#include "kern/kern.h"

PlatSound* lpDS = nullptr;
PlatSoundBuffer* lpDSB[MAX_SOUNDS] = {};

int DSound_starten(void) {
    PlatSound* lpNeu = nullptr;
    if (plat_sound_create(&lpNeu) != PLAT_OK || !lpNeu) {
        Fehler_melden("DSound_starten: DirectSoundCreate()");
        DSound_beenden();
        return 1;
    }
    lpDS = lpNeu;

    if (plat_sound_set_cooperative_level(lpDS, hWnd) != PLAT_OK) {
        Fehler_melden("DSound_starten: SetCooperativeLevel()");
        DSound_beenden();
        return 2;
    }

    // The loader has shown its own message; later sectors are not tried.
    for (int i = 0; i < MAX_SOUNDS; i++) {
        if (PackFile_Sound_laden("Sound.dat", &pfvSound, i, &lpDSB[i]) != 0) {
            DSound_beenden();
            return 3;
        }
    }
    return 0;
}

// Safe to call twice: every released reference is nulled.
void DSound_beenden(void) {
    for (int i = 0; i < MAX_SOUNDS; i++) {
        if (lpDSB[i]) {
            plat_sound_buffer_release(lpDSB[i]);
            lpDSB[i] = nullptr;
        }
    }
    if (lpDS) {
        plat_sound_release(lpDS);
        lpDS = nullptr;
    }
}

// One buffer per effect: playing it again cuts the running instance.
void DSound_abspielen(PlatSoundBuffer* puffer, int32_t pan) {
    if (!puffer) return;
    if (DSound_spielt(puffer)) plat_sound_buffer_stop(puffer);
    plat_sound_buffer_set_pan(puffer, pan);
    plat_sound_buffer_play(puffer);
}

bool DSound_spielt(PlatSoundBuffer* puffer) {
    if (!puffer) return false;
    DWORD dwStatus = 0;
    plat_sound_buffer_get_status(puffer, &dwStatus);
    return dwStatus == DSBSTATUS_PLAYING;
}

void Wave_abspielen(const char* datei) { plat_play_sound(datei); }
