// The 21 effects of "Sound.dat" by name, and how the game plays them:
// at the centre, or from a column of the screen.
#ifndef GLUBBERSHOOT_EFFEKTE_H
#define GLUBBERSHOOT_EFFEKTE_H

#include "platform/platform.h"

// Entries of "Sound.dat" by role.
enum {
    SND_BONUS_3 = 0,
    SND_TREFFER_VERSTECK = 1,
    SND_UMGEBUNG_2 = 2,
    SND_LEER = 3,
    SND_LOS_1 = 4,
    SND_TICK = 5,
    SND_LOS_2 = 6,
    SND_TREFFER_STEIGER = 7,
    SND_VERSTECK_KOMMT = 8,
    SND_TREFFER_FLIEGER = 9,
    SND_BONUS_4 = 10,
    SND_STEIGER_KOMMT = 11,
    SND_BONUS_2 = 12,
    SND_COUNTDOWN_EINS = 13,
    SND_LADEN = 14,
    SND_SCHUSS = 15,
    SND_COUNTDOWN = 16,
    SND_REKORD = 17,
    SND_TASTE = 18,
    SND_KEIN_REKORD = 19,
    SND_UMGEBUNG_1 = 20,
};

// Plays one entry at the centre. Entries outside 0..20 are ignored.
void Sound_spielen(int sektor);

// Plays one entry from screen column x: left of the screen's centre it
// leans left, right of it right, 10 pan units a pixel.
void Sound_Ort_spielen(int sektor, int32_t x);
int32_t Sound_Pan_berechnen(int32_t x);

#endif
