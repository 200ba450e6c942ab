// The state every floor of the game shares: the game window, the state,
// the round counters, the byte flags, the text buffers, the screen sizes,
// the error report and the random generator. Lowest game floor: includes
// the platform only.
#ifndef GLUBBERSHOOT_KERN_H
#define GLUBBERSHOOT_KERN_H

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

// ------------------------------------------------------ error report

// Message box with the caption "Error..." and the error icon, owned by hWnd.
void Fehler_melden(const char* text);

#endif
