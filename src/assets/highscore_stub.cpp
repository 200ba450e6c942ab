// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "assets/highscore.h"

HighscoreEintrag HighscoreListe[MAX_HIGHSCORES]{};
int Highscore_lesen([[maybe_unused]] const char* datei) { return 0; }
int Highscore_schreiben([[maybe_unused]] const char* datei) { return 0; }
int Highscore_anlegen(void) { return 0; }
int Highscore_eintragen([[maybe_unused]] const char* name, [[maybe_unused]] int32_t punkte) { return 0; }
void Highscore_sortieren([[maybe_unused]] HighscoreEintrag* liste) {}
