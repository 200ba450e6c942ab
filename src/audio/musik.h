// MP3 music through the media commands.
#ifndef GLUBBERSHOOT_MUSIK_H
#define GLUBBERSHOOT_MUSIK_H

#include "platform/platform.h"

#define MAX_MUSIK 10
#define MUSIK_NAME_LAENGE 1024

enum { MUSIK_KEINE = 0, MUSIK_LAEUFT = 1, MUSIK_ZU = 4 };
enum { MUSIK_SPIELEN = 1, MUSIK_WIEDERHOLEN = 2, MUSIK_SCHLIESSEN = 4 };
enum { TITEL_ZUFALL = -3000, TITEL_ZURUECK = -2000, TITEL_VOR = -1000 };

extern char szMusikDatei[MAX_MUSIK][MUSIK_NAME_LAENGE];
extern int32_t iMusikAnzahl;
extern int32_t iMusikTitel;
extern int32_t iMusikZustand;
extern BYTE bMusikAn;
extern DWORD dwMusikTitelZeit;

void Musik_steuern(int operation, const char* datei);
void Musik_Titel_waehlen(int index, int modus);

#endif
