// Moving the world: the direction table, the flyers' turns and bounds,
// the pop-up cycle, positioned sounds and the scrolling view.
#include "world/welt_intern.h"

namespace {

// Base step of each direction, clockwise from straight up. The object's
// own extra speed is added in the direction of the step's sign.
struct Schritt {
    int8_t dx, dy;
};

const Schritt SCHRITTE[16] = {
    {0, -1}, {1, -3}, {4, -3}, {3, -1}, {2, 0},  {3, 1},   {4, 3},   {1, 3},
    {0, 1},  {-1, 3}, {-4, 3}, {-3, 1}, {-2, 0}, {-3, -1}, {-4, -3}, {-1, -3},
};

int32_t Schrittweite(int basis, int32_t tempo) {
    if (basis > 0) return basis + tempo;
    if (basis < 0) return basis - tempo;
    return 0;
}

bool Richtung_rechts(int32_t r) { return r >= 1 && r <= 7; }
bool Richtung_links(int32_t r) { return r >= 9 && r <= 15; }

void Entkommen(int index) {
    Objekt& o = Objekte[index];
    o.iZustand = ZUS_WARTEND;
    iLose += 1;
    Objekt_Wartezeit_setzen(index);
}

// The riser and the hider differ only in where they stop and how long they rest.
void Auftaucher_pruefen(int index, bool oben_erreicht, DWORD ruhe) {
    Objekt& o = Objekte[index];
    if (o.bBewegt == 0 && o.iPhase == PHASE_OBEN) return;
    if (oben_erreicht && o.iZustand == ZUS_AKTIV && o.iPhase == PHASE_STEIGEN) {
        o.bBewegt = 0;
        o.dwZeitStart = plat_get_tick_count();
        o.dwZeitDauer = ruhe;
        o.iPhase = PHASE_OBEN;
        return;
    }
    if (o.iPosY > 778) {
        if (o.iZustand == ZUS_GETROFFEN) {
            o.iZustand = ZUS_ABGESTUERZT;
        } else {
            o.iZustand = ZUS_WARTEND;
            iLose += 1;
        }
        Objekt_Wartezeit_setzen(index);
    }
}

}   // namespace

void Objekt_bewegen(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    if (o.iRichtung < 0 || o.iRichtung > 15) return;
    const Schritt& s = SCHRITTE[o.iRichtung];
    o.iPosX += Schrittweite(s.dx, o.iTempoX);
    o.iPosY += Schrittweite(s.dy, o.iTempoY);
}

void Welt_bewegen(void) {
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        Objekt& o = Objekte[i];
        Objekt_Position_abgleichen(i);
        if (o.iZustand == ZUS_WARTEND || o.iZustand == ZUS_ABGESTUERZT) {
            Objekt_wiederkehren(i);
            continue;
        }
        if (o.iZustand == ZUS_AKTIV) {
            o.iWeltLinks = o.iPosX + o.Figur.iTrefferLinks;
            o.iWeltRechts = o.iPosX + o.Figur.iTrefferRechts;
            o.iWeltOben = o.iPosY + o.Figur.iTrefferOben;
            o.iWeltUnten = o.iPosY + o.Figur.iTrefferUnten;
        }
        if (Ist_Flieger(o)) {
            Flieger_Richtung_wechseln(i);
            Flieger_Grenzen_pruefen(i);
        } else if (o.Figur.iArt == ART_STEIGER) {
            Auftauchen_pruefen(i);
            Steiger_pruefen(i);
        } else {
            Auftauchen_pruefen(i);
            Versteck_pruefen(i);
        }
        if (o.bBewegt == 1) Objekt_bewegen(i);
    }
}

void Flieger_Richtung_wechseln(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    if (plat_get_tick_count() - o.dwZeitStart < o.dwZeitDauer) return;
    // Only while in view; otherwise the run-out timer is tried again next frame.
    if (o.iPosY < 1 || o.iPosY > 549) return;
    Zufall_saeen(plat_get_tick_count());
    if (Richtung_rechts(o.iRichtung)) {
        o.iRichtung = 3 + Zufall() % 3;
    } else if (Richtung_links(o.iRichtung)) {
        o.iRichtung = 11 + Zufall() % 3;
    }
    o.dwZeitDauer = Zufall() % 2000 + 100;
    o.dwZeitStart = plat_get_tick_count();
}

void Flieger_Grenzen_pruefen(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    Zufall_saeen(plat_get_tick_count());
    const int32_t r = o.iRichtung;
    const bool faellt = o.iZustand == ZUS_GETROFFEN;
    const int32_t boden = o.bHinten == 1 ? 450 : 550;
    if ((!faellt && o.iPosY > boden) || (faellt && o.iPosY > 768)) {
        if (r >= 5 && r <= 7) {
            o.iRichtung = 1 + Zufall() % 3;
        } else if (r >= 9 && r <= 11) {
            o.iRichtung = 13 + Zufall() % 3;
        } else {
            o.iZustand = ZUS_ABGESTUERZT;
            Objekt_Wartezeit_setzen(index);
        }
    } else if (o.iPosX < -o.Figur.iBreite) {
        if (!Richtung_rechts(r)) Entkommen(index);
    } else if (o.iPosX > o.Figur.iBreite + SPIELFELD_BREITE) {
        if (!Richtung_links(r)) Entkommen(index);
    } else if (o.iPosY < 0 && !faellt) {
        if (r >= 1 && r <= 4) {
            o.iRichtung = 5 + Zufall() % 3;
        } else if (r >= 12 && r <= 15) {
            o.iRichtung = 9 + Zufall() % 3;
        } else if (r == 0 || r == 8) {
            Entkommen(index);
        }
    }
}

void Auftauchen_pruefen(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    if (o.iPhase == PHASE_OBEN && plat_get_tick_count() - o.dwZeitStart > o.dwZeitDauer) {
        o.iRichtung = 8;
        o.iPhase = PHASE_SINKEN;
        o.bBewegt = 1;
    }
}

void Steiger_pruefen(int index) {
    if (!Index_gueltig(index)) return;
    const Objekt& o = Objekte[index];
    Auftaucher_pruefen(index, o.iPosY <= 774 - o.Figur.iHoehe, 800);
}

void Versteck_pruefen(int index) {
    if (!Index_gueltig(index)) return;
    const Objekt& o = Objekte[index];
    const int platz = iVersteckPlatz >= 0 && iVersteckPlatz < MAX_VERSTECKE ? iVersteckPlatz : 0;
    Auftaucher_pruefen(index, o.iPosY <= ptVerstecke[platz].y, 1400);
}

// Heard from the screen column of the target's centre.
void Objekt_Sound_spielen(int index, int sektor) {
    if (!Index_gueltig(index)) return;
    const Objekt& o = Objekte[index];
    Sound_Ort_spielen(sektor, o.iPosX + o.Figur.iBreite / 2 + iScrollX);
}

void Ansicht_scrollen(int richtung, int schritt) {
    // Wide arithmetic and both clamps, so no step can wrap the offset round.
    const int64_t ganz_rechts = -(SPIELFELD_BREITE - BILDSCHIRM_BREITE);
    int64_t x = iScrollX;
    if (richtung == SCROLL_LINKS) {
        x += schritt;
    } else if (richtung == SCROLL_RECHTS) {
        x -= schritt;
    } else {
        return;
    }
    if (x > 0) x = 0;
    if (x < ganz_rechts) x = ganz_rechts;
    iScrollX = (int32_t)x;
}

void Ansicht_Randscrollen(int x) {
    if (x <= 8) {
        Ansicht_scrollen(SCROLL_LINKS, 50);
    } else if (x >= 1016) {
        Ansicht_scrollen(SCROLL_RECHTS, 50);
    } else if (x <= 64) {
        Ansicht_scrollen(SCROLL_LINKS, 20);
    } else if (x >= 960) {
        Ansicht_scrollen(SCROLL_RECHTS, 20);
    }
}

void Spiel_bewegen(void) {
    Ansicht_Randscrollen(iMouseX);
    Welt_bewegen();
}
