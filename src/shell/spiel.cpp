// The entry, the main loop and the state machine.
#include "shell/spiel.h"

#include <cstring>

#include "assets/packfile.h"
#include "audio/dsound.h"
#include "audio/effekte.h"
#include "audio/musik.h"
#include "graphics/ddraw.h"
#include "screens/screens.h"
#include "world/welt.h"

static uintptr_t uLetzterWParam = 0;   // WinMain's result
static bool bLetzteWarQuit = false;    // the last message retrieved was WM_QUIT

// ------------------------------------------------------------- entry

int WinMain(void* hInstance, void* hPrevInstance, char* lpCmdLine, int nShowCmd) {
    (void)hInstance;
    (void)hPrevInstance;
    (void)lpCmdLine;
    (void)nShowCmd;

    // A second run in the same process starts like the first.
    iGameState = GS_TITLE;
    uLetzterWParam = 0;
    bLetzteWarQuit = false;
    hWnd = nullptr;

    if (!plat_register_class("Glubbers", Nachricht_verarbeiten)) {
        plat_message_box(nullptr, "Programm konnte nicht gestartet werden!", "Error - RegisterClass", MB_ICONERROR);
        return 1;
    }
    hWnd = plat_create_window("Glubbers", "Glubbershoot");
    if (!hWnd) {
        plat_message_box(nullptr, "Programm konnte nicht gestartet werden!", "Error - CreateWindow", MB_ICONERROR);
        return 1;
    }
    plat_show_window(hWnd);

    Spiel_initialisieren();
    Spiel_starten();
    // The process's exit status: a start-up that failed is a failure, and
    // an ordinary end is 0 whatever key ended it; only a quit message
    // carries a code of its own.
    const bool bStartFehler = (iGameState == GS_EXIT);
    while (iGameState != GS_EXIT) Spiel_Durchlauf();
    Spiel_beenden();
    if (bStartFehler) return 1;
    return bLetzteWarQuit ? static_cast<int>(uLetzterWParam) : 0;
}

void Spiel_initialisieren(void) {
    Zufall_saeen(plat_get_tick_count());

    iGameState = GS_TITLE;
    iPoints = 0;
    iKills = 0;
    iLose = 0;
    iTime = 0;
    iShells = 0;
    iScrollX = -512;
    iRound = 0;
    iMouseX = 1024;
    iMouseY = 384;
    iMenuItem = 0;
    iHimmelFarbe = 120;
    bHintergrundLaden = 0;
    bGewonnen = 0;
    bAbspannNeustart = 0;
    bDebugAnzeige = 0;
    bMusikAn = 1;
    iMusikZustand = MUSIK_ZU;
    dwTick = 0;
    dwMenueZeit = plat_get_tick_count();
    szText[0] = 0;
    szText2[0] = 0;
    std::memset(szSpielerName, 0, sizeof szSpielerName);

    // Timers and the edit buffer are 0 at program start; a second run
    // in the same process must not inherit them.
    dwTaktZiel = 0;
    dwTaktDauer = 0;
    dwCountdownZiel = 0;
    iCountdown = 0;
    std::memset(szEingabe, 0, sizeof szEingabe);
    iEingabeLaenge = 0;

    iLetztePunkte = 0;
    dwPunkteZeit = 0;
    iSekundenTakt = 0;
    dwMusikTitelZeit = 0;
    for (int i = 0; i < MAX_VERSTECKE; ++i) ptVerstecke[i] = ptVersteckeAnfang[i];
}

// ---------------------------------------------------------- the loop

void Spiel_Durchlauf(void) {
    MSG msg;
    while (plat_peek_message(&msg)) {
        uLetzterWParam = msg.wParam;
        bLetzteWarQuit = (msg.message == WM_QUIT);
        plat_dispatch_message(&msg);
    }

    dwTick = plat_get_tick_count();
    Hintergrund_laden();

    switch (iGameState) {
        case GS_TITLE:
            Titel_zeigen();
            break;
        case GS_MENU:
            Menue_zeigen();
            break;
        case GS_ROUND_INTRO:
            Rundenstart_zeigen();
            break;
        case GS_PLAYING:
            Spiel_bewegen();
            Spiel_zeichnen();
            Geraeusche_abspielen();
            Runde_Zeit_zaehlen();
            break;
        case GS_RECORD_ENTRY:
            Rekord_zeigen();
            break;
        case GS_CONTINUE_PROMPT:
            Weiterspielen_zeigen();
            break;
        case GS_HIGHSCORES:
            Highscore_zeigen();
            break;
        case GS_CREDITS:
            Abspann_zeigen();
            break;
        case GS_QUIT_PROMPT:
            Beenden_zeigen();
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------- states

void Hintergrund_laden(void) {
    if (bHintergrundLaden == 0) return;

    int bild = -1;
    PlatSurface* ziel = lpDDSHintergrund;
    switch (iGameState) {
        case GS_TITLE:
            bild = 34;
            break;
        case GS_MENU:
            bild = 26;
            break;
        case GS_ROUND_INTRO:
            bild = 1;
            ziel = lpDDSSpielfeld;
            break;
        case GS_HIGHSCORES:
            bild = bGewonnen == 1 ? 35 : 25;
            break;
        case GS_CREDITS:
            bild = 5;
            break;
        default:
            break;
    }
    if (bild >= 0) PackFile_Bild_laden("Grafik.dat", &pfvGrafik, bild, ziel, 1, 0);
    bHintergrundLaden = 0;
}

void Zustand_setzen(DWORD type, BYTE reload) {
    bHintergrundLaden = (reload & 0xFF) == 1 ? 1 : 0;

    switch (type) {
        case GS_TITLE:
            Taktgeber_pruefen(1000, 1);
            bGewonnen = 1;
            iRound = 0;
            iGameState = GS_TITLE;
            break;
        case GS_MENU:
            Himmelsfarbe_setzen();
            Sound_spielen(SND_TICK);
            Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
            dwMenueZeit = plat_get_tick_count();
            iGameState = GS_MENU;
            break;
        case GS_ROUND_INTRO:
            szText[0] = 0;
            Countdown_pruefen(200, 5, 1);
            Runde_starten();
            ++iRound;
            iGameState = GS_ROUND_INTRO;
            Musik_Titel_waehlen(0, TITEL_ZUFALL);
            break;
        case GS_HIGHSCORES:
            Taktgeber_pruefen(500, 1);
            Wave_abspielen(bGewonnen == 1 ? "win.wav" : "lose.wav");
            iGameState = GS_HIGHSCORES;
            break;
        case GS_CREDITS:
            bAbspannNeustart = 1;
            Wave_abspielen("credits.wav");
            iGameState = GS_CREDITS;
            break;
        default:
            break;
    }

    iKills = 0;
    iLose = 0;
    iPoints = 0;
    iTime = 180;
    iShells = 6;
    iScrollX = -512;
}
