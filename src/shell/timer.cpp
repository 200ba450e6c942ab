// Tick timers, the name edit buffer, the sky colour and small helpers.
#include <cstring>

#include "shell/spiel.h"

DWORD dwTaktZiel = 0;
DWORD dwTaktDauer = 0;
DWORD dwCountdownZiel = 0;
int32_t iCountdown = 0;
char szEingabe[17] = "";
int32_t iEingabeLaenge = 0;

// Tick comparisons go through the signed difference so that they stay
// right when the counter wraps after 49.7 days.
static bool Tick_spaeter(DWORD a, DWORD b) { return static_cast<int32_t>(a - b) > 0; }

// ---------------------------------------------------------- blink timer

BYTE Taktgeber_pruefen(DWORD ms, BYTE start) {
    DWORD jetzt = plat_get_tick_count();
    if (start != 0) {
        dwTaktZiel = jetzt + ms;
        dwTaktDauer = ms;
        return 0;
    }
    if (!Tick_spaeter(jetzt, dwTaktZiel)) return 0;
    if (!Tick_spaeter(plat_get_tick_count(), dwTaktZiel + dwTaktDauer)) return 1;
    // One cycle per check, never more: a long pause is caught up slowly.
    dwTaktZiel += dwTaktDauer + ms;
    return 0;
}

// ------------------------------------------------------------ countdown

int32_t Countdown_pruefen(DWORD ms, int32_t count, BYTE start) {
    DWORD jetzt = plat_get_tick_count();
    if (start != 0) {
        dwCountdownZiel = jetzt + ms;
        iCountdown = count;
        return count;
    }
    if (iCountdown <= 0) return 0;
    if (Tick_spaeter(jetzt, dwCountdownZiel)) {
        dwCountdownZiel = jetzt + ms;
        --iCountdown;
        return iCountdown;
    }
    return -iCountdown;
}

// ------------------------------------------------------------ name entry

void Texteingabe_bearbeiten(DWORD operation, BYTE zeichen, char* string) {
    switch (operation) {
        case TE_ZEICHEN:
            plat_message_beep(0);
            if (zeichen == 8) {
                if (iEingabeLaenge >= 1) {
                    szEingabe[iEingabeLaenge] = 0;
                    --iEingabeLaenge;
                    szEingabe[iEingabeLaenge] = 0;
                }
            } else if (zeichen != 9 && zeichen != 10 && zeichen != 13) {
                if (iEingabeLaenge < 16) {
                    szEingabe[iEingabeLaenge] = static_cast<char>(zeichen);
                    ++iEingabeLaenge;
                    szEingabe[iEingabeLaenge] = 0;
                }
            }
            break;
        case TE_SETZEN:
            if (!string) break;
            std::memcpy(szEingabe, string, sizeof szEingabe);
            // An unterminated name must not run the length past the buffer.
            szEingabe[16] = 0;
            iEingabeLaenge = static_cast<int32_t>(std::strlen(szEingabe));
            break;
        case TE_HOLEN:
            if (string) std::memcpy(string, szEingabe, sizeof szEingabe);
            break;
        default:
            break;
    }
}

int32_t Ziffer_wandeln(BYTE zeichen) {
    if (zeichen >= '1' && zeichen <= '9') return zeichen - '0';
    return 0;
}

// ------------------------------------------------------------ sky colour

int32_t Himmelsfarbe_Stunde(int stunde) {
    static const BYTE kFarbe[24] = {
        255, 255, 240, 240, 240, 120, 120, 120, 111, 111, 111, 110,
        110, 110, 111, 111, 111, 120, 120, 120, 240, 240, 240, 255,
    };
    if (stunde < 0 || stunde >= 24) return 120;
    return kFarbe[stunde];
}

void Himmelsfarbe_setzen(void) {
    SYSTEMTIME st{};
    plat_get_local_time(&st);
    iHimmelFarbe = Himmelsfarbe_Stunde(st.wHour);
}

// ------------------------------------------------------------ rectangles

BYTE Punkt_im_Rechteck(int32_t x, int32_t y, const RECT* rect) {
    if (!rect) return 0;
    return (x >= rect->left && x <= rect->right && y >= rect->top && y <= rect->bottom) ? 1 : 0;
}

RECT* Rechteck_setzen(RECT* rect, int32_t left, int32_t top, int32_t bottom, int32_t right) {
    if (!rect) return nullptr;
    rect->left = left;
    rect->top = top;
    rect->right = right;
    rect->bottom = bottom;
    return rect;
}

// ------------------------------------------------------------------ waits

void Warten_bis(DWORD start, DWORD ms) {
    for (;;) {
        DWORD vergangen = plat_get_tick_count() - start;
        if (vergangen >= ms) return;
        DWORD rest = ms - vergangen;
        // Sleep most of the way, then yield in short steps so that the
        // deadline is still met within a millisecond.
        plat_sleep(rest > 2 ? rest - 2 : 0);
    }
}
