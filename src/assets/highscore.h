// The top ten and "Score.dat".
#ifndef GLUBBERSHOOT_HIGHSCORE_H
#define GLUBBERSHOOT_HIGHSCORE_H

#include "platform/platform.h"

#define HIGHSCORE_VERSION "Glubbershoot 1009"
#define HIGHSCORE_DATEI "Score.dat"
#define HIGHSCORE_DATEI_GROESSE 288
#define MAX_HIGHSCORES 10

// Where the parts of the file lie.
enum {
    HS_VERSION_BLOCK = 32,
    HS_ZEIT = 32,
    HS_EINTRAEGE = 48,
    HS_EINTRAG_GROESSE = 24,
};

struct HighscoreEintrag {
    int32_t iPunktzahl;
    char szName[20];
};
static_assert(sizeof(HighscoreEintrag) == 24, "a score entry is 24 bytes");

extern HighscoreEintrag HighscoreListe[MAX_HIGHSCORES];

// What the reader makes of a file's bytes: 0 a list it takes, 2 the wrong
// size, 3 another version, 4 changed by hand (the codes Highscore_lesen
// returns).
int Highscore_pruefen(const BYTE* abDatei, DWORD dwGroesse);
int Highscore_lesen(const char* datei);
int Highscore_schreiben(const char* datei);
int Highscore_anlegen(void);
int Highscore_eintragen(const char* name, int32_t punkte);
void Highscore_sortieren(HighscoreEintrag* liste);

#endif
