// The screens around a round: intro countdown, record entry, continue prompt.
#include <cstdio>

#include "graphics/bitmaptext.h"
#include "graphics/ddraw.h"
#include "screens/screens.h"
#include "shell/spiel.h"

int32_t iRundenBild = 0;

// Centred text in the plain font, formatted beforehand into szText.
static void Zeile(int x, int y)
{
    BitmapText_ausgeben(lpDDSFont, szText, x, y, TEXT_ZENTRIERT, lpDDSBack);
}

// All three screens stand in front of the bare playfield under the sky.
static void Spielfeld_Hintergrund(void)
{
    DDraw_Puffer_leeren(lpDDSBack, (DWORD)iHimmelFarbe & 0xFF);
    DDraw_Bild_zeichnen(iScrollX, SPIELFELD_Y, SPIELFELD_BREITE, SPIELFELD_HOEHE, lpDDSSpielfeld, lpDDSBack);
}

void Rundenstart_zeigen(void)
{
    Spielfeld_Hintergrund();

    switch (Countdown_pruefen(1200, 0, 0)) {
    case 4:
        snprintf(szText, sizeof szText, "-3-");
        Sound_spielen(SND_COUNTDOWN);
        iRundenBild = 0;
        break;
    case 3:
        snprintf(szText, sizeof szText, "-2-");
        Sound_spielen(SND_COUNTDOWN);
        iRundenBild = 1;
        break;
    case 2:
        snprintf(szText, sizeof szText, "-1-");
        Sound_spielen(SND_COUNTDOWN);
        Sound_spielen(SND_COUNTDOWN_EINS);
        iRundenBild = 2;
        break;
    case 1:
        snprintf(szText, sizeof szText, "Shot!");
        Sound_spielen(SND_LOS_1);
        Sound_spielen(SND_LOS_2);
        iRundenBild = 3;
        break;
    case 0:
        // The next pass draws the first playing frame instead of this one.
        iGameState = GS_PLAYING;
        iRundenBild = 0;
        return;
    default:
        break;
    }

    if (iRundenBild >= 0 && iRundenBild < 4) {
        DDraw_Bild_zeichnen(356, 75, 312, 352, lpDDSCountdown[iRundenBild], lpDDSBack);
    }
    snprintf(szText2, sizeof szText2, "Round %i", iRound);
    BitmapText_ausgeben(lpDDSFont, szText2, 512, 290, TEXT_ZENTRIERT, lpDDSBack);
    Zeile(512, 355);
    DDraw_Puffer_zeigen();
}

void Rekord_zeigen(void)
{
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

void Weiterspielen_zeigen(void)
{
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
