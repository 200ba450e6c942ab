// The window procedure: every key, character and mouse message, by state.
#include <cstring>

#include "assets/highscore.h"
#include "audio/dsound.h"
#include "audio/effekte.h"
#include "audio/musik.h"
#include "screens/screens.h"
#include "shell/spiel.h"
#include "world/welt.h"

// What a WM_CHAR carries: the low byte, taken as a signed character.
static char Zeichen(uintptr_t wParam) { return (char)(BYTE)(wParam & 0xFF); }

static void Maus_merken(intptr_t lParam) {
    uintptr_t u = (uintptr_t)lParam;
    iMouseX = (int32_t)(u & 0xFFFF);
    iMouseY = (int32_t)((u >> 16) & 0xFFFF);
}

static bool Titel_Eingabe(HWND hwnd, uint32_t uMsg, uintptr_t wParam) {
    if (uMsg != WM_KEYDOWN) {
        return false;
    }
    if (wParam == VK_RETURN || wParam == VK_SPACE) {
        Zustand_setzen(GS_MENU, 1);
        Wave_abspielen("main.wav");
        return true;
    }
    if (wParam == VK_ESCAPE) {
        plat_post_message(hwnd, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

static bool Menue_Eingabe(uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    switch (uMsg) {
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_SPACE) {
                Menue_waehlen(0, 0, iMenuItem);
            } else if (wParam == VK_ESCAPE) {
                Beenden_fragen();
            } else if (wParam == VK_UP) {
                iMenuItem -= 1;
                if (iMenuItem < 0) {
                    iMenuItem = MAX_MENUE - 1;
                }
                Sound_spielen(SND_TASTE);
            } else if (wParam == VK_DOWN) {
                iMenuItem += 1;
                if (iMenuItem >= MAX_MENUE) {
                    iMenuItem = 0;
                }
                Sound_spielen(SND_TASTE);
            } else {
                return false;
            }
            return true;
        case WM_MOUSEMOVE:
            Maus_merken(lParam);
            return true;
        case WM_LBUTTONDOWN:
            Menue_waehlen(iMouseX, iMouseY, -1);
            return true;
        default:
            return false;
    }
}

static void Musik_umschalten(void) {
    if (iMusikZustand == MUSIK_LAEUFT) {
        Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
        bMusikAn = 0;
        return;
    }
    bMusikAn = 1;
    if (iMusikTitel >= 0 && iMusikTitel < MAX_MUSIK) {
        Musik_steuern(MUSIK_WIEDERHOLEN, szMusikDatei[iMusikTitel]);
    }
}

// Keys and characters are all taken while playing, meaningful or not.
static bool Spiel_Eingabe(uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    switch (uMsg) {
        case WM_KEYDOWN:
            switch (wParam) {
                case VK_ESCAPE:
                    Zustand_setzen(GS_MENU, 1);
                    break;
                case VK_SPACE:
                    Zustand_setzen(GS_ROUND_INTRO, 0);
                    break;
                case VK_LEFT:
                    Ansicht_scrollen(SCROLL_LINKS, 40);
                    break;
                case VK_RIGHT:
                    Ansicht_scrollen(SCROLL_RECHTS, 40);
                    break;
                case VK_UP:
                    Musik_Titel_waehlen(0, TITEL_VOR);
                    break;
                case VK_DOWN:
                    Musik_Titel_waehlen(0, TITEL_ZURUECK);
                    break;
                case VK_F1:
                    bDebugAnzeige = (bDebugAnzeige == 0) ? 1 : 0;
                    break;
                case VK_F2:
                    Musik_umschalten();
                    break;
                case VK_F3:
                    Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
                    Musik_Titel_waehlen(0, TITEL_ZUFALL);
                    break;
                default:
                    break;
            }
            return true;
        case WM_CHAR: {
            char c = Zeichen(wParam);
            if (c >= '0' && c <= '9') {
                Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
                Musik_Titel_waehlen(Ziffer_wandeln((BYTE)c), 0);
            }
            return true;
        }
        case WM_MOUSEMOVE:
            Maus_merken(lParam);
            return true;
        case WM_LBUTTONDOWN:
            Schuss_abgeben(iMouseX, iMouseY);
            return true;
        case WM_RBUTTONDOWN:
            Gewehr_laden();
            return true;
        default:
            return false;
    }
}

static bool Rekord_Eingabe(uint32_t uMsg, uintptr_t wParam) {
    if (uMsg != WM_CHAR) {
        return false;
    }
    char c = Zeichen(wParam);
    if (c == '\r') {
        // The buffer, not the last frame's copy: characters typed in the
        // same pass as Return belong to the name too.
        Texteingabe_bearbeiten(TE_HOLEN, 0, szSpielerName);
        szSpielerName[sizeof szSpielerName - 1] = 0;
        if (szSpielerName[0] == 0) {
            strcpy(szSpielerName, "Monkey");
        }
        Highscore_eintragen(szSpielerName, iPoints);
        iGameState = GS_CONTINUE_PROMPT;
        Sound_spielen(SND_SCHUSS);
    } else {
        Texteingabe_bearbeiten(TE_ZEICHEN, (BYTE)c, szSpielerName);
        Sound_spielen(SND_TASTE);
    }
    return true;
}

static bool Weiterspielen_Eingabe(uint32_t uMsg, uintptr_t wParam) {
    if (uMsg != WM_CHAR) {
        return false;
    }
    char c = Zeichen(wParam);
    if (c == 'j') {
        Zustand_setzen(GS_ROUND_INTRO, 0);
        return true;
    }
    if (c == 'n') {
        Zustand_setzen(GS_MENU, 1);
        return true;
    }
    return false;
}

// High score list and credits.
static bool Liste_Eingabe(uint32_t uMsg, uintptr_t wParam) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE)) {
        Zustand_setzen(GS_MENU, 1);
        Wave_abspielen(nullptr);
        return true;
    }
    return false;
}

static bool Beenden_Eingabe(uint32_t uMsg, uintptr_t wParam) {
    if (uMsg == WM_KEYDOWN && wParam == VK_ESCAPE) {
        Zustand_setzen(GS_MENU, 0);
        return true;
    }
    if (uMsg != WM_CHAR) {
        return false;
    }
    char c = Zeichen(wParam);
    if (c == 'j' || c == 'y' || c == 'z') {
        iGameState = GS_EXIT;
        return true;
    }
    if (c == 'n') {
        Zustand_setzen(GS_MENU, 0);
        return true;
    }
    return false;
}

// A state no table knows: keep only the ways out.
static intptr_t Fremder_Zustand(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    switch (uMsg) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            iGameState = GS_EXIT;
            plat_post_quit_message(0);
            return 0;
        case WM_CLOSE:
            iGameState = GS_EXIT;
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                iGameState = GS_EXIT;
                plat_post_quit_message(0);
                return 0;
            }
            break;
        default:
            break;
    }
    return plat_def_window_proc(hwnd, uMsg, wParam, lParam);
}

intptr_t Nachricht_verarbeiten(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    int32_t iZustand = iGameState;
    if (iZustand == GS_EXIT) {
        return plat_def_window_proc(hwnd, uMsg, wParam, lParam);
    }
    if (iZustand < GS_TITLE || iZustand > GS_EXIT) {
        return Fremder_Zustand(hwnd, uMsg, wParam, lParam);
    }

    if (uMsg == WM_CLOSE) {
        iGameState = GS_EXIT;
        return 0;
    }
    if (uMsg == WM_DESTROY) {
        iGameState = GS_EXIT;
        plat_post_quit_message(0);
        return 0;
    }

    bool bErledigt = false;
    switch (iZustand) {
        case GS_TITLE:
            bErledigt = Titel_Eingabe(hwnd, uMsg, wParam);
            break;
        case GS_MENU:
            bErledigt = Menue_Eingabe(uMsg, wParam, lParam);
            break;
        case GS_PLAYING:
            bErledigt = Spiel_Eingabe(uMsg, wParam, lParam);
            break;
        case GS_RECORD_ENTRY:
            bErledigt = Rekord_Eingabe(uMsg, wParam);
            break;
        case GS_CONTINUE_PROMPT:
            bErledigt = Weiterspielen_Eingabe(uMsg, wParam);
            break;
        case GS_HIGHSCORES:
        case GS_CREDITS:
            bErledigt = Liste_Eingabe(uMsg, wParam);
            break;
        case GS_QUIT_PROMPT:
            bErledigt = Beenden_Eingabe(uMsg, wParam);
            break;
        default:   // the round intro takes no input
            break;
    }
    if (bErledigt) {
        return 0;
    }
    return plat_def_window_proc(hwnd, uMsg, wParam, lParam);
}
