// Shared by the benchmarks: the headless game brought into the state a
// benchmark needs, the pixels of its surfaces, and the figures that the
// verdict at the end is drawn from.
#ifndef GLUBBERSHOOT_BENCH_HILFE_H
#define GLUBBERSHOOT_BENCH_HILFE_H

#include <string>

#include "platform/platform.h"

struct Flaeche {
    uint8_t* p = nullptr;
    int32_t pitch = 0, w = 0, h = 0;
};

// A scratch folder with links to the generated data files; the game runs
// there, so nothing it writes lands in the build's data folder.
bool Bench_Ordner_anlegen(void);
void Bench_Ordner_entfernen(void);

// The headless game after Spiel_starten, started once and again after a
// benchmark that ran the whole program.
bool Bench_Spiel_bereit(void);
void Bench_Spiel_vergessen(void);

// A round in GS_PLAYING: eleven active targets on screen, six shells, a
// shot picture and the points pop-up due.
bool Bench_Runde_aufbauen(void);
bool Bench_Menue_aufbauen(void);

Flaeche Bench_Flaeche(PlatSurface* s);
// 0xFFRRGGBB per index, as the SDL backend's texture takes it.

#endif
