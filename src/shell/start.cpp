// Start-up from a fresh window to the title, and the shutdown.
#include <cstdio>

#include "assets/dateien.h"
#include "assets/highscore.h"
#include "assets/packfile.h"
#include "audio/dsound.h"
#include "graphics/bitmaptext.h"
#include "graphics/ddraw.h"
#include "screens/screens.h"
#include "shell/spiel.h"
#include "world/welt.h"

static void Startfehler(int nummer) {
    iGameState = GS_EXIT;
    snprintf(szText, sizeof szText, "Error Nr.:%i", nummer);
    plat_message_box(hWnd, "Dieses Spiel kann leider nicht gestartet werden!", szText, MB_ICONERROR);
}

static void Spielername_holen(void) {
    DWORD dwGroesse = sizeof szSpielerName;
    if (!plat_get_user_name(szSpielerName, &dwGroesse)) {
        // A name that does not fit leaves nothing usable behind.
        szSpielerName[0] = 0;
    }
    szSpielerName[sizeof szSpielerName - 1] = 0;
    Texteingabe_bearbeiten(TE_SETZEN, 0, szSpielerName);
}

// Each numbered step: 0 on success, else its error has been shown.
static int Grafik_anlegen(void) {
    if (DDraw_starten() != 0) return 10;
    RECT rcBildschirm;
    Rechteck_setzen(&rcBildschirm, 0, 0, BILDSCHIRM_HOEHE, BILDSCHIRM_BREITE);
    if (DDraw_Clipper_erzeugen(&rcBildschirm, 1) != 0) return 11;
    if (DDraw_Offscreen_anlegen(&lpDDSHintergrund, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE, 0) != 0) return 12;
    if (DDraw_Offscreen_anlegen(&lpDDSSpielfeld, SPIELFELD_BREITE, SPIELFELD_HOEHE, 1) != 0) return 13;
    if (DDraw_Offscreen_anlegen(&lpDDSFont, 920, 152, 1) != 0) return 14;
    if (PackFile_Bild_laden("Grafik.dat", &pfvGrafik, 33, lpDDSFont, 0, 0) != 0) return 15;
    if (BitmapText_einlesen(lpDDSFont, rcGlyphen) != 0) return 16;
    if (DDraw_Offscreen_anlegen(&lpDDSFontMarkiert, 920, 152, 0) != 0) return 17;
    if (BitmapText_klonen(lpDDSFont, lpDDSFontMarkiert, 1, 251, 161) != 0) return 18;

    // Without a countdown picture the intro simply shows none.
    for (int i = 0; i < 4; i++) {
        DDraw_Offscreen_anlegen(&lpDDSCountdown[i], 312, 352, 0);
    }
    for (int i = 0; i < 4; i++) {
        PackFile_Bild_laden("Grafik.dat", &pfvGrafik, 21 + i, lpDDSCountdown[i], 0, 0);
    }

    if (DDraw_Offscreen_anlegen(&lpDDSPatrone, 32, 128, 1) != 0) return 19;
    if (PackFile_Bild_laden("Grafik.dat", &pfvGrafik, 32, lpDDSPatrone, 0, 0) != 0) return 20;
    if (DDraw_Offscreen_anlegen(&lpDDSEinschuss, 96, 96, 1) != 0) return 21;
    if (PackFile_Bild_laden("Grafik.dat", &pfvGrafik, 2, lpDDSEinschuss, 0, 0) != 0) return 22;
    return 0;
}

void Spiel_starten(void) {
    Bildschirme_zuruecksetzen();

    if (!Dateien_pruefen()) {
        iGameState = GS_EXIT;
        return;
    }
    Highscore_lesen("Score.dat");
    Spielername_holen();

    if (PackFile_oeffnen("Grafik.dat", &pfvGrafik) != 0) {
        Startfehler(8);
        return;
    }
    if (PackFile_oeffnen("Sound.dat", &pfvSound) != 0) {
        Startfehler(9);
        return;
    }
    Musik_suchen();

    int iFehler = Grafik_anlegen();
    if (iFehler == 0 && DSound_starten() != 0) {
        iFehler = 23;
    }
    if (iFehler != 0) {
        Startfehler(iFehler);
        return;
    }

    Welt_anlegen();
    Zustand_setzen(GS_TITLE, 1);
    Wave_abspielen("start.wav");
}

void Spiel_beenden(void) {
    // Holds the last frame, yielding the processor while it waits.
    Warten_bis(dwMenueZeit, 4000);
    DDraw_beenden();
    DSound_beenden();
}
