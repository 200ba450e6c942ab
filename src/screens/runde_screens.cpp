// The screens around a round: intro countdown, record entry, continue prompt.
#include <cstdio>

#include "audio/effekte.h"
#include "graphics/bitmaptext.h"
#include "graphics/ddraw.h"
#include "screens/screens.h"
#include "shell/spiel.h"

int32_t iRundenBild = 0;

// Centred text in the plain font, formatted beforehand into szText.
static void Zeile(int x, int y) { BitmapText_ausgeben(lpDDSFont, szText, x, y, TEXT_ZENTRIERT, lpDDSBack); }

// All three screens stand in front of the bare playfield under the sky.
static void Spielfeld_Hintergrund(void) {
    DDraw_Puffer_leeren(lpDDSBack, (DWORD)iHimmelFarbe & 0xFF);
    DDraw_Bild_zeichnen(iScrollX, SPIELFELD_Y, SPIELFELD_BREITE, SPIELFELD_HOEHE, lpDDSSpielfeld, lpDDSBack);
}

// The steps of the countdown, by picture; a step without a second sound has -1.
struct CountdownSchritt {
    const char* szText;
    int iSound1;
    int iSound2;
};

static const CountdownSchritt Countdown[4] = {
    {"-3-", SND_COUNTDOWN, -1},
    {"-2-", SND_COUNTDOWN, -1},
    {"-1-", SND_COUNTDOWN, SND_COUNTDOWN_EINS},
    {"Shot!", SND_LOS_1, SND_LOS_2},
};

void Rundenstart_zeigen(void) {
    Spielfeld_Hintergrund();

    int32_t r = Countdown_pruefen(1200, 0, 0);
    if (r == 0) {
        // The next pass draws the first playing frame instead of this one.
        iGameState = GS_PLAYING;
        iRundenBild = 0;
        return;
    }
    if (r >= 1 && r <= 4) {
        const CountdownSchritt& s = Countdown[4 - r];
        snprintf(szText, sizeof szText, "%s", s.szText);
        Sound_spielen(s.iSound1);
        if (s.iSound2 >= 0) {
            Sound_spielen(s.iSound2);
        }
        iRundenBild = 4 - r;
    }

    if (iRundenBild >= 0 && iRundenBild < 4) {
        DDraw_Bild_zeichnen(356, 75, 312, 352, lpDDSCountdown[iRundenBild], lpDDSBack);
    }
    snprintf(szText2, sizeof szText2, "Round %i", iRound);
    BitmapText_ausgeben(lpDDSFont, szText2, 512, 290, TEXT_ZENTRIERT, lpDDSBack);
    Zeile(512, 355);
    DDraw_Puffer_zeigen();
}

void Rekord_zeigen(void) {
    Spielfeld_Hintergrund();

    snprintf(szText, sizeof szText, "Gratulation!");
    Zeile(512, 50);
    snprintf(szText, sizeof szText, "Sie haben mit %04i Punkten", iPoints);
    Zeile(512, 200);
    snprintf(szText, sizeof szText, "einen neuen Record erreicht!");
    Zeile(512, 250);
    snprintf(szText, sizeof szText, "Name:");
    Zeile(512, 400);
    Texteingabe_bearbeiten(TE_HOLEN, 0, szSpielerName);
    szSpielerName[sizeof szSpielerName - 1] = 0;
    snprintf(szText, sizeof szText, "(%s)", szSpielerName);
    Zeile(512, 500);

    DDraw_Puffer_zeigen();
}

void Weiterspielen_zeigen(void) {
    Spielfeld_Hintergrund();

    if (bGewonnen == 0) {
        snprintf(szText, sizeof szText, "Sie haben nur %04i Punkte erreicht!", iPoints);
        Zeile(512, 142);
    }
    snprintf(szText, sizeof szText, "Moechten Sie weiterspielen?");
    Zeile(512, 242);
    if (Taktgeber_pruefen(500, 0) == 1) {
        snprintf(szText, sizeof szText, "(j/n)");
        Zeile(502, 394);
    }

    DDraw_Puffer_zeigen();
}
