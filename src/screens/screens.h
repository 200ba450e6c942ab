// The frames of every state other than play.
#ifndef GLUBBERSHOOT_SCREENS_H
#define GLUBBERSHOOT_SCREENS_H

#include "platform/platform.h"

#define MAX_MENUE 4

extern RECT rcMenueZone[MAX_MENUE];
extern int32_t iRundenBild;
extern int32_t iAbspannY;
extern int32_t iAbspannX;

void Titel_zeigen(void);
void Menue_zeigen(void);
void Menue_Zone_setzen(int x, int y, int ausrichtung, int laenge, int index);
void Menue_waehlen(int x, int y, int item);
void Beenden_fragen(void);

void Rundenstart_zeigen(void);
void Rekord_zeigen(void);
void Weiterspielen_zeigen(void);

void Highscore_zeigen(void);
void Abspann_zeigen(void);
void Beenden_zeigen(void);

// Back to the program-start values (menu zones, intro picture, credits).
void Bildschirme_zuruecksetzen(void);

#endif
