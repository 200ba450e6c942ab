// The game shell: entry, main loop, state machine, shared globals,
// timers, name entry, input, start-up and shutdown.
#ifndef GLUBBERSHOOT_SPIEL_H
#define GLUBBERSHOOT_SPIEL_H

#include "platform/platform.h"

// ------------------------------------------------------------ states

enum GameState {
    GS_TITLE = 0,
    GS_MENU = 1,
    GS_ROUND_INTRO = 2,
    GS_PLAYING = 3,
    GS_RECORD_ENTRY = 4,
    GS_CONTINUE_PROMPT = 5,
    GS_HIGHSCORES = 6,
    GS_CREDITS = 7,
    GS_QUIT_PROMPT = 8,
    GS_EXIT = 9,
};

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

// Operations of Texteingabe_bearbeiten.
enum { TE_ZEICHEN = 2, TE_SETZEN = 3, TE_HOLEN = 4 };

#define BILDSCHIRM_BREITE 1024
#define BILDSCHIRM_HOEHE 768
#define SPIELFELD_BREITE 2048
#define SPIELFELD_HOEHE 448
#define SPIELFELD_Y 320

// ---------------------------------------------------- shared globals

extern HWND hWnd;
extern int32_t iGameState;
extern int32_t iPoints;
extern int32_t iKills;
extern int32_t iLose;
extern int32_t iTime;
extern int32_t iShells;
extern int32_t iScrollX;
extern int32_t iRound;
extern int32_t iMouseX;
extern int32_t iMouseY;
extern int32_t iMenuItem;
extern int32_t iHimmelFarbe;
extern BYTE bHintergrundLaden;
extern BYTE bGewonnen;
extern BYTE bAbspannNeustart;
extern BYTE bDebugAnzeige;
extern DWORD dwTick;
extern DWORD dwMenueZeit;
extern char szText[80];
extern char szText2[80];
extern char szSpielerName[17];

// ------------------------------------------------- random generator

void Zufall_saeen(DWORD seed);
int Zufall(void);   // 0..32767, the game's rand()

// ------------------------------------------------- loop and states

intptr_t Nachricht_verarbeiten(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);
void Spiel_initialisieren(void);
void Spiel_Durchlauf(void);   // one pass of the main loop
void Zustand_setzen(DWORD type, BYTE reload);
void Hintergrund_laden(void);
void Spiel_starten(void);
void Spiel_beenden(void);

// Plays one "Sound.dat" entry at the centre (shell, menus, prompts).
void Sound_spielen(int sektor);

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

// Message box with the caption "Error..." and the error icon, owned by hWnd.
void Fehler_melden(const char* text);

#endif
