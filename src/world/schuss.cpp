// The gun: firing, reloading, hit tests against the targets and the
// skyline, scoring and the stamp of the shot picture.
#include "world/welt_intern.h"

int32_t iLetztePunkte;
DWORD dwPunkteZeit;
int32_t iEinschussX, iEinschussY;
DWORD dwEinschussZeit;

namespace {

struct ArtWertung {
    int32_t iPunkte;
    int iSound;
    int32_t iTempoFallen;
};

const ArtWertung WERTUNG[MAX_ARTEN] = {
    {35, SND_TREFFER_FLIEGER, 2}, {20, SND_TREFFER_FLIEGER, 4},   {10, SND_TREFFER_FLIEGER, 6},
    {75, SND_TREFFER_STEIGER, 6}, {100, SND_TREFFER_VERSTECK, 6},
};

// Bonus for one shot through several targets; more than nine earns nothing.
void Bonus_vergeben(int treffer, int32_t* punkte) {
    if (treffer == 2) {
        *punkte += 25;
        Sound_spielen(SND_BONUS_2);
    } else if (treffer == 3) {
        *punkte += 50;
        Sound_spielen(SND_BONUS_3);
    } else if (treffer >= 4 && treffer <= 9) {
        *punkte += 100;
        Sound_spielen(SND_BONUS_4);
    }
}

}   // namespace

void Schuss_abgeben(int x, int y) {
    // The sounds set the rate of fire.
    if (DSound_spielt(lpDSB[SND_SCHUSS])) return;
    if (iShells <= 0) {
        Sound_spielen(SND_LEER);
        return;
    }
    if (DSound_spielt(lpDSB[SND_LADEN])) return;
    iShells -= 1;
    Sound_spielen(SND_SCHUSS);

    const int32_t wx = x - iScrollX;
    const int32_t wy = y;
    int treffer = 0;
    int32_t punkte = 0;
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        Objekt& o = Objekte[i];
        if (o.iZustand != ZUS_AKTIV) continue;
        if (Objekt_getroffen(i, wx, wy) == 0) continue;
        if (o.bHinten == 1 && Kulisse_verdeckt(wx, wy) == 1) continue;
        iKills += 1;
        treffer += 1;
        Einschuss_zeigen(x, y, 1);
        const int art = o.Figur.iArt >= 0 && o.Figur.iArt < MAX_ARTEN ? o.Figur.iArt : ART_GROSS;
        const ArtWertung& w = WERTUNG[art];
        punkte += w.iPunkte;
        Objekt_Sound_spielen(i, w.iSound);
        o.iZustand = ZUS_GETROFFEN;
        o.iRichtung = 8;
        o.bAnimiert = 0;
        o.bBewegt = 1;
        o.Figur.iBild = o.Figur.iBilder - 1;
        o.iTempoY = w.iTempoFallen;
    }
    Bonus_vergeben(treffer, &punkte);
    if (punkte > 0) {
        iPoints += punkte;
        iLetztePunkte = punkte;
        dwPunkteZeit = plat_get_tick_count();
    }
}

void Gewehr_laden(void) {
    Sound_spielen(SND_LADEN);
    iShells = 6;
}

BYTE Objekt_getroffen(int index, int32_t wx, int32_t wy) {
    if (!Index_gueltig(index)) return 0;
    const Objekt& o = Objekte[index];
    return (o.iWeltLinks <= wx && wx <= o.iWeltRechts && o.iWeltOben <= wy && wy <= o.iWeltUnten) ? 1 : 0;
}

BYTE Kulisse_verdeckt(int32_t wx, int32_t wy) {
    // A step line: each segment keeps the height of its left vertex, and a
    // vertex's own x belongs to neither neighbour.
    for (int k = 0; k + 1 < MAX_KULISSE; k++) {
        if (ptKulisse[k].x < wx && wx < ptKulisse[k + 1].x) return wy > ptKulisse[k].y ? 1 : 0;
    }
    return 0;
}

void Einschuss_zeigen(int x, int y, BYTE stempeln) {
    if (stempeln == 1) {
        dwEinschussZeit = plat_get_tick_count();
        iEinschussX = x;
        iEinschussY = y;
        return;
    }
    if (plat_get_tick_count() - dwEinschussZeit < 125) {
        DDraw_Bild_zeichnen(iEinschussX - 48, iEinschussY - 48, 96, 96, lpDDSEinschuss, lpDDSBack);
    }
}
