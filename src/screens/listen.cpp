// The top-ten list, the scrolling credits and the quit prompt.
#include <cstdio>
#include <cstring>

#include "assets/highscore.h"
#include "graphics/bitmaptext.h"
#include "graphics/ddraw.h"
#include "screens/screens.h"
#include "shell/spiel.h"

int32_t iAbspannY = BILDSCHIRM_HOEHE;
int32_t iAbspannX = 512;

// Line step and scroll length, fixed by the font at the first credits frame.
static int32_t iZeilenAbstand = 0;
static int32_t iAbspannLaenge = 0;
static bool bAbspannVermessen = false;

enum { ABSPANN_MITTE = 0, ABSPANN_LINKS = 1 };

struct AbspannZeile {
    const char* szText;
    int iZeilen;   // offset in line steps
    int iExtra;    // and in pixels
    int iArt;
};

static const AbspannZeile Abspann[] = {
    {"Design", 0, 0, ABSPANN_MITTE},
    {"The Glubbershoot Team", 1, 0, ABSPANN_MITTE},
    {"With Help From Our Friends", 2, 0, ABSPANN_MITTE},
    {"Programmierung", 3, 40, ABSPANN_MITTE},
    {"The Glubbershoot Team", 4, 40, ABSPANN_MITTE},
    {"Grafik", 5, 80, ABSPANN_MITTE},
    {"The Glubbershoot Team", 6, 80, ABSPANN_MITTE},
    {"Sound", 7, 120, ABSPANN_MITTE},
    {"The Glubbershoot Team", 8, 120, ABSPANN_MITTE},
    {"Produced by", 9, 320, ABSPANN_MITTE},
    {"The Glubbershoot Team", 10, 320, ABSPANN_MITTE},
    {"Made with SDL2 on Debian", 11, 420, ABSPANN_LINKS},
    {"Thanks for playing!", 12, 420, ABSPANN_MITTE},
};

static void Hintergrund_zeichnen(void) {
    DDraw_Bild_zeichnen(0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE, lpDDSHintergrund, lpDDSBack);
}

void Highscore_zeigen(void) {
    Hintergrund_zeichnen();

    snprintf(szText, sizeof szText, "Top 10");
    BitmapText_ausgeben(lpDDSFont, szText, 512, 75, TEXT_ZENTRIERT, lpDDSBack);

    int iHoehe = rcGlyphen[99].top;
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        const HighscoreEintrag& e = HighscoreListe[i];
        int y = 170 + i * iHoehe;
        int iVersatz = 3 * i;

        snprintf(szText, sizeof szText, "%02i.", i + 1);
        BitmapText_ausgeben(lpDDSFont, szText, 200 + iVersatz, y, TEXT_RECHTS, lpDDSBack);
        // A hand-made file may leave the name without its terminator.
        char szName[sizeof e.szName + 1];
        memcpy(szName, e.szName, sizeof e.szName);
        szName[sizeof e.szName] = 0;
        snprintf(szText, sizeof szText, "%12s", szName);
        BitmapText_ausgeben(lpDDSFont, szText, 240 + iVersatz, y, TEXT_LINKS, lpDDSBack);
        snprintf(szText, sizeof szText, "%04i", e.iPunktzahl);
        BitmapText_ausgeben(lpDDSFont, szText, 720 + iVersatz, y, TEXT_LINKS, lpDDSBack);
    }

    if (Taktgeber_pruefen(500, 0) == 1) {
        snprintf(szText, sizeof szText, "Press Space to Exit");
        BitmapText_ausgeben(lpDDSFont, szText, 512, 678, TEXT_ZENTRIERT, lpDDSBack);
    }

    DDraw_Puffer_zeigen();
}

void Abspann_zeigen(void) {
    if (!bAbspannVermessen) {
        iZeilenAbstand = rcGlyphen[99].top + 10;
        iAbspannLaenge = 10 * iZeilenAbstand + 800;
        bAbspannVermessen = true;
    }
    if (bAbspannNeustart == 1) {
        iAbspannY = BILDSCHIRM_HOEHE;
    }
    if (Taktgeber_pruefen(12, 0) == 1) {
        iAbspannY -= 1;
        if (iAbspannY < -iAbspannLaenge) {
            iAbspannY = BILDSCHIRM_HOEHE;
            Taktgeber_pruefen(2000, 1);
        }
    }

    Hintergrund_zeichnen();
    for (const AbspannZeile& z : Abspann) {
        int y = iAbspannY + z.iZeilen * iZeilenAbstand + z.iExtra;
        snprintf(szText, sizeof szText, "%s", z.szText);
        if (z.iArt == ABSPANN_LINKS) {
            BitmapText_ausgeben(lpDDSFont, szText, 130, y, TEXT_LINKS, lpDDSBack);
        } else {
            BitmapText_ausgeben(lpDDSFont, szText, iAbspannX, y, TEXT_ZENTRIERT, lpDDSBack);
        }
    }
    DDraw_Puffer_zeigen();

    bAbspannNeustart = 0;
}

void Bildschirme_zuruecksetzen(void) {
    memset(rcMenueZone, 0, sizeof rcMenueZone);
    iRundenBild = 0;
    iAbspannY = BILDSCHIRM_HOEHE;
    iAbspannX = 512;
    iZeilenAbstand = 0;
    iAbspannLaenge = 0;
    bAbspannVermessen = false;
}

void Beenden_zeigen(void) {
    Hintergrund_zeichnen();

    snprintf(szText, sizeof szText, "Are you sure you want to quite?");
    BitmapText_ausgeben(lpDDSFont, szText, 512, 200, TEXT_ZENTRIERT, lpDDSBack);
    if (Taktgeber_pruefen(500, 0) == 1) {
        snprintf(szText2, sizeof szText2, "(Y/N)");
        BitmapText_ausgeben(lpDDSFont, szText2, 502, 394, TEXT_ZENTRIERT, lpDDSBack);
    }

    DDraw_Puffer_zeigen();
}
