// The game shell: entry, main loop, state machine, timers, name entry,
// input, start-up and shutdown. The shared globals are the kern's.
#ifndef GLUBBERSHOOT_SPIEL_H
#define GLUBBERSHOOT_SPIEL_H

#include "kern/kern.h"

// Operations of Texteingabe_bearbeiten.
enum { TE_ZEICHEN = 2, TE_SETZEN = 3, TE_HOLEN = 4 };

// ------------------------------------------------- loop and states

intptr_t Nachricht_verarbeiten(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);
void Spiel_initialisieren(void);
void Spiel_Durchlauf(void);   // one pass of the main loop
void Zustand_setzen(DWORD type, BYTE reload);
void Hintergrund_laden(void);
void Spiel_starten(void);
void Spiel_beenden(void);

// ------------------------------------------- timers and name entry

extern DWORD dwTaktZiel;
extern DWORD dwTaktDauer;
extern DWORD dwCountdownZiel;
extern int32_t iCountdown;
extern char szEingabe[17];
extern int32_t iEingabeLaenge;

BYTE Taktgeber_pruefen(DWORD ms, BYTE start);
int32_t Countdown_pruefen(DWORD ms, int32_t count, BYTE start);
void Texteingabe_bearbeiten(DWORD operation, BYTE zeichen, char* string);
int32_t Ziffer_wandeln(BYTE zeichen);
void Himmelsfarbe_setzen(void);
int32_t Himmelsfarbe_Stunde(int stunde);   // sky palette index for an hour 0..23
BYTE Punkt_im_Rechteck(int32_t x, int32_t y, const RECT* rect);
RECT* Rechteck_setzen(RECT* rect, int32_t left, int32_t top, int32_t bottom, int32_t right);

// Waits until at least ms have passed since start (unsigned tick
// difference), giving the processor away between polls.
void Warten_bis(DWORD start, DWORD ms);

#endif
