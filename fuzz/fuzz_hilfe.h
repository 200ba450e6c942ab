// What every fuzz target shares: a private folder on tmpfs to put the
// input in as a file (the readers take file names), a fresh headless
// platform per input, and a check that turns a broken promise into a
// finding.
#ifndef GLUBBERSHOOT_FUZZ_HILFE_H
#define GLUBBERSHOOT_FUZZ_HILFE_H

#include <cstddef>
#include <cstdint>

#include "platform/headless/headless.h"

// Makes a private folder (under /dev/shm when there is one) the working
// directory for the rest of the process and removes it at exit.
void Fuzz_Ordner_betreten(void);

// Writes the bytes as a file of that name in the working directory.
void Fuzz_Datei_schreiben(const char* name, const uint8_t* daten, size_t laenge);

// Starts afresh: every platform object and the log forgotten, no faults.
void Fuzz_Plattform_neu(int extra_pitch = 0);

// A display with primary, back buffer and palette support, as the game
// has it after DDraw_starten; released again by Fuzz_Anzeige_weg.
void Fuzz_Anzeige_auf(void);
void Fuzz_Anzeige_weg(void);

// Aborts with the text when the promise does not hold: libFuzzer then
// keeps the input as a crash.
void Fuzz_Pruefen(bool bedingung, const char* text);

// Message boxes shown since the last Fuzz_Plattform_neu.
size_t Fuzz_Meldungen(void);

// Reads a little-endian value at the front of the input, as far as it goes.
uint32_t Fuzz_Wert(const uint8_t* daten, size_t laenge, size_t bytes);

#endif
