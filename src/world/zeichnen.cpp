// The playing frame: sky, targets behind and in front of the scenery, the
// playfield picture, the head-up display, shells, shot picture, messages.
#include <cstdio>

#include "audio/musik.h"
#include "graphics/bitmaptext.h"
#include "world/welt_intern.h"

DWORD dwAnimTakt;

void Spiel_zeichnen(void) {
    Objekte_animieren();
    DDraw_Puffer_leeren(lpDDSBack, (DWORD)iHimmelFarbe);
    Objekte_zeichnen(1);
    DDraw_Bild_zeichnen(iScrollX, SPIELFELD_Y, SPIELFELD_BREITE, SPIELFELD_HOEHE, lpDDSSpielfeld, lpDDSBack);
    Objekte_zeichnen(0);
    Anzeige_zeichnen();
    Patronen_zeichnen(lpDDSPatrone);
    Einschuss_zeigen(0, 0, 0);
    if (bDebugAnzeige == 1) Debug_Objekte_zeigen();
    Meldungen_zeichnen();
    DDraw_Puffer_zeigen();
}

void Objekte_zeichnen(BYTE ebene) {
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        Objekt& o = Objekte[i];
        if (o.bHinten != ebene || o.bSichtbar != 1) continue;
        if (o.iZustand == ZUS_WARTEND || o.iZustand == ZUS_ABGESTUERZT) continue;
        Sprite_zeichnen(&o.Figur, lpDDSBack);
    }
}

void Objekte_animieren(void) {
    const DWORD jetzt = plat_get_tick_count();
    if (jetzt - dwAnimTakt <= 200) return;
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        Objekt& o = Objekte[i];
        if (o.bSichtbar == 1 && o.bAnimiert == 1) Sprite_weiterschalten(&o.Figur);
    }
    // A little jitter, so the flapping does not tick like a clock.
    dwAnimTakt = jetzt - Zufall() % 100;
}

void Anzeige_zeichnen(void) {
    if (bDebugAnzeige == 1) {
        Systemtext t;
        if (!DDraw_Systemtext_beginnen(&t)) return;
        snprintf(szText, sizeof szText, "Points:%04i | Kills:%03i | Lose:%03i | Time:%04i", (int)iPoints, (int)iKills,
                 (int)iLose, (int)iTime);
        DDraw_Systemtext_ausgeben(&t, 714, 20, szText);
        DDraw_Systemtext_beenden(&t);
        return;
    }
    snprintf(szText, sizeof szText, "Points:%04i", (int)iPoints);
    BitmapText_ausgeben(lpDDSFont, szText, 10, 10, TEXT_LINKS, lpDDSBack);
    snprintf(szText, sizeof szText, "Time:%03i", (int)iTime);
    BitmapText_ausgeben(lpDDSFont, szText, 794, 10, TEXT_LINKS, lpDDSBack);
}

void Patronen_zeichnen(PlatSurface* patrone) {
    for (int i = 0; i < iShells; i++) {
        DDraw_Bild_zeichnen(1004 - 22 * (i + 1), 620, 32, 128, patrone, lpDDSBack);
    }
}

void Meldungen_zeichnen(void) {
    const DWORD jetzt = plat_get_tick_count();
    if (dwPunkteZeit != 0) {
        if (jetzt - dwPunkteZeit < 1000) {
            snprintf(szText, sizeof szText, "+%i", (int)iLetztePunkte);
            BitmapText_ausgeben(lpDDSFontMarkiert, szText, 512, 10, TEXT_ZENTRIERT, lpDDSBack);
        } else {
            dwPunkteZeit = 0;
        }
    }
    if (dwMusikTitelZeit != 0) {
        if (jetzt - dwMusikTitelZeit < 2500) {
            // Track names can be far longer than the text buffer: cut them.
            if (iMusikTitel >= 0 && iMusikTitel < MAX_MUSIK) {
                snprintf(szText, sizeof szText, "%.79s", szMusikDatei[iMusikTitel]);
                BitmapText_ausgeben(lpDDSFont, szText, 20, 718, TEXT_LINKS, lpDDSBack);
            }
        } else {
            dwMusikTitelZeit = 0;
        }
    }
}

void Debug_Objekte_zeigen(void) {
    Systemtext t;
    if (!DDraw_Systemtext_beginnen(&t)) return;
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        const Objekt& o = Objekte[i];
        snprintf(szText, sizeof szText, "Obj-Nr:%02i Obj-Typ:%02i Zus:%i Rich:%02i T:%04i L:%04i B:%04i R:%04i", i,
                 (int)o.Figur.iArt, (int)o.iZustand, (int)o.iRichtung, (int)o.iWeltOben, (int)o.iWeltLinks,
                 (int)o.iWeltUnten, (int)o.iWeltRechts);
        DDraw_Systemtext_ausgeben(&t, 20, 20 * (i + 1), szText);
    }
    DDraw_Systemtext_beenden(&t);
}
