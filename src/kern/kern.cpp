// The shared game globals, the random generator and the error report.
#include "kern/kern.h"

// Messages that arrive while the window is being made are handled as in
// the title, so iGameState must be GS_TITLE before Spiel_initialisieren.
HWND hWnd = nullptr;
int32_t iGameState = GS_TITLE;
int32_t iPoints = 0;
int32_t iKills = 0;
int32_t iLose = 0;
int32_t iTime = 0;
int32_t iShells = 0;
int32_t iScrollX = -512;
int32_t iRound = 0;
int32_t iMouseX = 1024;
int32_t iMouseY = 384;
int32_t iMenuItem = 0;
int32_t iHimmelFarbe = 120;
BYTE bHintergrundLaden = 0;
BYTE bGewonnen = 0;
BYTE bAbspannNeustart = 0;
BYTE bDebugAnzeige = 0;
DWORD dwTick = 0;
DWORD dwMenueZeit = 0;
char szText[80] = "";
char szText2[80] = "";
char szSpielerName[17] = "";

static DWORD dwZufallSaat = 1;

// ------------------------------------------------- random generator

void Zufall_saeen(DWORD seed) { dwZufallSaat = seed; }

int Zufall(void) {
    dwZufallSaat = dwZufallSaat * 214013u + 2531011u;
    return static_cast<int>((dwZufallSaat >> 16) & 32767u);
}

// ------------------------------------------------------ error report

void Fehler_melden(const char* text) { plat_message_box(hWnd, text, "Error...", MB_ICONERROR); }
