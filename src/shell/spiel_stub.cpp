// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "shell/spiel.h"

HWND hWnd{};
int32_t iGameState{};
int32_t iPoints{};
int32_t iKills{};
int32_t iLose{};
int32_t iTime{};
int32_t iShells{};
int32_t iScrollX{};
int32_t iRound{};
int32_t iMouseX{};
int32_t iMouseY{};
int32_t iMenuItem{};
int32_t iHimmelFarbe{};
BYTE bHintergrundLaden{};
BYTE bGewonnen{};
BYTE bAbspannNeustart{};
BYTE bDebugAnzeige{};
DWORD dwTick{};
DWORD dwMenueZeit{};
char szText[80]{};
char szText2[80]{};
char szSpielerName[17]{};
DWORD dwTaktZiel{};
DWORD dwTaktDauer{};
DWORD dwCountdownZiel{};
int32_t iCountdown{};
char szEingabe[17]{};
int32_t iEingabeLaenge{};
void Zufall_saeen([[maybe_unused]] DWORD seed) {}
int Zufall(void) { return 0; }
void Spiel_initialisieren(void) {}
void Spiel_Durchlauf(void) {}
void Zustand_setzen([[maybe_unused]] DWORD type, [[maybe_unused]] BYTE reload) {}
void Hintergrund_laden(void) {}
void Sound_spielen([[maybe_unused]] int sektor) {}
BYTE Taktgeber_pruefen([[maybe_unused]] DWORD ms, [[maybe_unused]] BYTE start) { return 0; }
int32_t Countdown_pruefen([[maybe_unused]] DWORD ms, [[maybe_unused]] int32_t count, [[maybe_unused]] BYTE start) { return 0; }
void Texteingabe_bearbeiten([[maybe_unused]] DWORD operation, [[maybe_unused]] BYTE zeichen, [[maybe_unused]] char* string) {}
int32_t Ziffer_wandeln([[maybe_unused]] BYTE zeichen) { return 0; }
void Himmelsfarbe_setzen(void) {}
BYTE Punkt_im_Rechteck([[maybe_unused]] int32_t x, [[maybe_unused]] int32_t y, [[maybe_unused]] const RECT* rect) { return 0; }
RECT* Rechteck_setzen([[maybe_unused]] RECT* rect, [[maybe_unused]] int32_t left, [[maybe_unused]] int32_t top, [[maybe_unused]] int32_t bottom, [[maybe_unused]] int32_t right) { return nullptr; }
void Warten_bis([[maybe_unused]] DWORD start, [[maybe_unused]] DWORD ms) {}
void Fehler_melden([[maybe_unused]] const char* text) {}
int WinMain(void*, void*, char*, int) { return 0; }
