// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "audio/dsound.h"

PlatSound* lpDS{};
PlatSoundBuffer* lpDSB[MAX_SOUNDS]{};
int DSound_starten(void) { return 0; }
void DSound_beenden(void) {}
void DSound_abspielen([[maybe_unused]] PlatSoundBuffer* puffer, [[maybe_unused]] int32_t pan) {}
bool DSound_spielt([[maybe_unused]] PlatSoundBuffer* puffer) { return 0; }
void Wave_abspielen([[maybe_unused]] const char* datei) {}
