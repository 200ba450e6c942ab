// Title screen and main menu.
#include <cstdio>
#include <cstring>

#include "audio/effekte.h"
#include "graphics/bitmaptext.h"
#include "graphics/ddraw.h"
#include "screens/screens.h"
#include "shell/spiel.h"

RECT rcMenueZone[MAX_MENUE]{};
PlatDC* hdcBack = nullptr;

static const char* const szVersionZeile = "Glubbershoot 1009";
// Must fit from x 884 to the right edge in the system font.
static const char* const szMacherZeile = "(c) Glubber Team";

struct MenueEintrag {
    const char* szText;
    int iX;       // where the text is centred
    int iZoneX;   // centre of its click zone
    int iY;
};

// "Exit Game" sits a little left of the others, but its zone does not.
static const MenueEintrag Menue[MAX_MENUE] = {
    {"Start Game", 512, 512, 100},
    {"Show Highscores", 512, 512, 200},
    {"Show Credits", 512, 512, 300},
    {"Exit Game", 492, 512, 400},
};

static void Systemtext_ausgeben(const Systemtext* t, int x, int y, const char* text) {
    snprintf(szText, sizeof szText, "%s", text);
    DDraw_Systemtext_ausgeben(t, x, y, szText);
}

void Titel_zeigen(void) {
    DDraw_Bild_zeichnen(0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE, lpDDSHintergrund, lpDDSBack);
    if (Taktgeber_pruefen(500, 0) == 1) {
        BitmapText_ausgeben(lpDDSFont, "Press Space to start", 552, 683, TEXT_ZENTRIERT, lpDDSBack);
    }

    // Without a device context there is nothing to write the two lines with.
    Systemtext t;
    if (DDraw_Systemtext_beginnen(&t)) {
        hdcBack = t.dc;
        Systemtext_ausgeben(&t, 10, 748, szVersionZeile);
        Systemtext_ausgeben(&t, 884, 748, szMacherZeile);
        DDraw_Systemtext_beenden(&t);
    }
    hdcBack = nullptr;

    DDraw_Puffer_zeigen();
}

static void Menue_Eintrag_zeichnen(int i, PlatSurface* font) {
    const MenueEintrag& e = Menue[i];
    snprintf(szText, sizeof szText, "%s", e.szText);
    BitmapText_ausgeben(font, szText, e.iX, e.iY, TEXT_ZENTRIERT, lpDDSBack);
    Menue_Zone_setzen(e.iZoneX, e.iY, TEXT_ZENTRIERT, (int)strlen(e.szText), i);
}

void Menue_zeigen(void) {
    DDraw_Bild_zeichnen(0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE, lpDDSHintergrund, lpDDSBack);

    int iMarkiert = iMenuItem;
    if (iMarkiert >= 0 && iMarkiert < MAX_MENUE) {
        Menue_Eintrag_zeichnen(iMarkiert, lpDDSFontMarkiert);
    }
    for (int i = 0; i < MAX_MENUE; i++) {
        if (i != iMarkiert) {
            Menue_Eintrag_zeichnen(i, lpDDSFont);
        }
    }

    DDraw_Puffer_zeigen();
}

void Menue_Zone_setzen(int x, int y, int ausrichtung, int laenge, int index) {
    if (index >= MAX_MENUE) {
        index = MAX_MENUE - 1;
    }
    if (index < 0) {
        return;
    }

    int iBreite = rcGlyphen[99].left;
    int iHoehe = rcGlyphen[99].top;
    RECT& zone = rcMenueZone[index];
    if (ausrichtung == TEXT_ZENTRIERT) {
        int iHalb = laenge / 2;
        zone.left = x - iHalb * iBreite;
        zone.right = x + iHalb * iBreite;
    } else if (ausrichtung == TEXT_RECHTS) {
        zone.left = x - laenge * iBreite;
        zone.right = x;
    } else {
        zone.left = x;
        zone.right = x + laenge * iBreite;
    }
    zone.top = y;
    zone.bottom = y + iHoehe;
}

void Menue_waehlen(int x, int y, int item) {
    if (item == -1) {
        int iTreffer = -1;
        for (int i = 0; i < MAX_MENUE; i++) {
            if (Punkt_im_Rechteck(x, y, &rcMenueZone[i]) == 1) {
                iTreffer = i;
                break;
            }
        }
        if (iTreffer < 0) {
            return;
        }
        iMenuItem = iTreffer;
    }

    switch (iMenuItem) {
        case 0:
            Zustand_setzen(GS_ROUND_INTRO, 1);
            break;
        case 1:
            Zustand_setzen(GS_HIGHSCORES, 1);
            break;
        case 2:
            Zustand_setzen(GS_CREDITS, 1);
            break;
        case 3:
            Beenden_fragen();
            break;
        default:
            // Only reachable if someone wrote garbage into the selection.
            return;
    }
    Sound_spielen(SND_SCHUSS);
}

// Into the quit prompt, from Escape or "Exit Game": its blinking starts now.
void Beenden_fragen(void) {
    Taktgeber_pruefen(1000, 1);
    iGameState = GS_QUIT_PROMPT;
    Sound_spielen(SND_KEIN_REKORD);
}
