// Rounds: re-arming the targets, starting them, their waiting times, the
// ambient sounds and the round clock.
#include "assets/highscore.h"
#include "world/welt_intern.h"

int32_t iVersteckPlatz;
int32_t iSekundenTakt;
DWORD dwGeraeusch1Start, dwGeraeusch1Dauer, dwGeraeusch2Start, dwGeraeusch2Dauer;

namespace {

// Riser and hider share everything after their start point.
void Auftaucher_starten(Objekt& o, int32_t zustand) {
    o.iTempoX = 8;
    o.iTempoY = 6;
    o.iZustand = zustand;
    o.iRichtung = 0;
    o.iPhase = PHASE_STEIGEN;
    o.bBewegt = 1;
    o.bSichtbar = 1;
    o.bAnimiert = 1;
    o.Figur.iBild = 0;
    Trefferbox_leeren(&o);
}

// Down-right for a flyer that enters from the top, facing its way.
void Flieger_nach_rechts(int index) {
    Objekt_ausrichten(index, 0);
    Objekte[index].iRichtung = 5 + Zufall() % 3;
}

void Flieger_nach_links(int index) {
    Objekt_ausrichten(index, 1);
    Objekte[index].iRichtung = 9 + Zufall() % 3;
}

}   // namespace

void Runde_starten(void) {
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        Objekt& o = Objekte[i];
        if (Ist_Flieger(o)) {
            Flieger_starten(i);
            o.dwZeitDauer = Zufall() % 2000 + 100;
        } else if (o.Figur.iArt == ART_STEIGER) {
            Steiger_starten(i, ZUS_WARTEND);
            Objekt_Wartezeit_setzen(i);
        } else {
            Versteck_starten(i, ZUS_WARTEND);
            Objekt_Wartezeit_setzen(i);
        }
        o.dwZeitStart = plat_get_tick_count();
        o.Figur.iAnimBilder = o.Figur.iBilder - 1;
        Objekt_Position_abgleichen(i);
    }
}

void Flieger_starten(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    const int seite = Zufall() % 4;
    if (seite == 1) {
        Objekt_ausrichten(index, 0);
        o.iPosX = -(o.Figur.iBreite + 10);
        const int r = Zufall() % 6;
        o.iRichtung = r == 1 ? 3 : r == 2 ? 5 : 4;
        o.iPosY = Zufall() % 540 - o.Figur.iHoehe;
    } else if (seite == 2) {
        Objekt_ausrichten(index, 1);
        o.iPosX = o.Figur.iBreite + 2058;
        const int r = Zufall() % 6;
        o.iRichtung = r == 1 ? 13 : r == 2 ? 11 : 12;
        o.iPosY = Zufall() % 540 - o.Figur.iHoehe;
    } else {
        o.iPosX = Zufall() % 2048;
        if (o.iPosX <= 682) {
            Flieger_nach_rechts(index);
        } else if (o.iPosX > 1364) {
            Flieger_nach_links(index);
        } else if (Zufall() % 2 == 1) {
            Flieger_nach_rechts(index);
        } else {
            Flieger_nach_links(index);
        }
        o.iPosY = -o.Figur.iHoehe;
    }
    switch (o.Figur.iArt) {
        case ART_KLEIN:
            o.iTempoX = Zufall() % 3;
            o.iTempoY = Zufall() % 2;
            break;
        case ART_MITTEL:
            o.iTempoX = Zufall() % 5;
            o.iTempoY = Zufall() % 4;
            break;
        default:
            o.iTempoX = Zufall() % 8;
            o.iTempoY = Zufall() % 6;
            break;
    }
    o.iZustand = ZUS_AKTIV;
    o.bBewegt = 1;
    o.bSichtbar = 1;
    o.bAnimiert = 1;
    // The waiting time stays in dwZeitDauer, so the first turn after a
    // return comes about a second later.
    o.dwZeitStart += 1000;
    o.Figur.iBild = 0;
    Trefferbox_leeren(&o);
}

void Steiger_starten(int index, int32_t zustand) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    const int spielraum = SPIELFELD_BREITE - o.Figur.iBreite;
    o.iPosX = spielraum > 0 ? Zufall() % spielraum : 0;
    o.iPosY = 769;
    Auftaucher_starten(o, zustand);
}

void Versteck_starten(int index, int32_t zustand) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    iVersteckPlatz = Zufall() % MAX_VERSTECKE;
    o.iPosX = ptVerstecke[iVersteckPlatz].x;
    o.iPosY = ptVerstecke[iVersteckPlatz].y + o.Figur.iHoehe;
    Auftaucher_starten(o, zustand);
}

void Objekt_Wartezeit_setzen(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    Zufall_saeen(plat_get_tick_count());
    o.dwZeitStart = plat_get_tick_count();
    if (Ist_Flieger(o)) {
        o.dwZeitDauer = Zufall() % 3000 + 1000;
    } else if (o.Figur.iArt == ART_STEIGER) {
        o.dwZeitDauer = Zufall() % 60000 + 20000;
    } else {
        o.dwZeitDauer = Zufall() % 20000 + 10000;
    }
}

void Objekt_wiederkehren(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    if (plat_get_tick_count() - o.dwZeitStart < o.dwZeitDauer) return;
    if (Ist_Flieger(o)) {
        Flieger_starten(index);
    } else if (o.Figur.iArt == ART_STEIGER) {
        Steiger_starten(index, ZUS_AKTIV);
        Objekt_Sound_spielen(index, SND_STEIGER_KOMMT);
    } else {
        Versteck_starten(index, ZUS_AKTIV);
        Objekt_Sound_spielen(index, SND_VERSTECK_KOMMT);
    }
}

void Geraeusche_abspielen(void) {
    const DWORD jetzt = plat_get_tick_count();
    if (jetzt - dwGeraeusch1Start > dwGeraeusch1Dauer) {
        dwGeraeusch1Start = jetzt;
        dwGeraeusch1Dauer = Zufall() % 10000 + 3000;
        Sound_spielen(SND_UMGEBUNG_1);
    }
    if (jetzt - dwGeraeusch2Start > dwGeraeusch2Dauer) {
        dwGeraeusch2Start = jetzt;
        dwGeraeusch2Dauer = Zufall() % 20000 + 10000;
        Sound_spielen(SND_UMGEBUNG_2);
    }
}

void Runde_Zeit_zaehlen(void) {
    Warten_bis(dwTick, 25);
    if (iSekundenTakt < 1000) {
        iSekundenTakt += 25;
        return;
    }
    iTime -= 1;
    if (iTime <= 0) {
        Taktgeber_pruefen(1000, 1);
        // Equal to the last entry is not enough to push it out.
        if (iPoints > HighscoreListe[MAX_HIGHSCORES - 1].iPunktzahl) {
            bGewonnen = 1;
            Sound_spielen(SND_REKORD);
            iGameState = GS_RECORD_ENTRY;
        } else {
            bGewonnen = 0;
            Sound_spielen(SND_KEIN_REKORD);
            iGameState = GS_CONTINUE_PROMPT;
        }
    } else if (iTime <= 10) {
        Sound_spielen(SND_TICK);
    }
    iSekundenTakt = 0;
}
