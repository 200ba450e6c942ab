// Sound effects: 21 buffers from "Sound.dat" and the loose wave files.
#ifndef GLUBBERSHOOT_DSOUND_H
#define GLUBBERSHOOT_DSOUND_H

#include "platform/platform.h"

#define MAX_SOUNDS 21

extern PlatSound* lpDS;
extern PlatSoundBuffer* lpDSB[MAX_SOUNDS];

int DSound_starten(void);
void DSound_beenden(void);
void DSound_abspielen(PlatSoundBuffer* puffer, int32_t pan);
bool DSound_spielt(PlatSoundBuffer* puffer);
// PlaySoundA with SND_FILENAME | SND_ASYNC; null stops the loose wave.
void Wave_abspielen(const char* datei);

#endif
