// The eleven targets: kind templates with their frame pictures, the
// records built from them, and the facing swap.
#include <cstring>

#include "assets/packfile.h"
#include "world/welt_intern.h"

Sprite Vorlagen[MAX_ARTEN];
Objekt Objekte[MAX_OBJEKTE];
POINT ptVerstecke[MAX_VERSTECKE];

namespace {

struct ArtDaten {
    int iBreite, iHoehe;
    BYTE bGanz;   // hit zone = whole frame
    int iLinks, iOben, iRechts, iUnten;
    int iSektor[5];   // Grafik.dat entries of frames 0..4
    BYTE bSpiegeln;
};

const ArtDaten ARTEN[MAX_ARTEN] = {
    {48, 32, 1, 0, 0, 0, 0, {7, 10, 13, 16, 19}, 1},       {96, 64, 1, 0, 0, 0, 0, {8, 11, 14, 17, 20}, 1},
    {200, 112, 1, 0, 0, 0, 0, {6, 9, 12, 15, 18}, 1},      {160, 192, 0, 0, 50, 160, 192, {27, 28, 29, 30, 31}, 0},
    {152, 88, 0, 75, 14, 100, 60, {36, 37, 38, 39, 0}, 0},
};

// Kind and layer of each object, by index.
const int OBJEKT_ART[MAX_OBJEKTE] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 4};
const BYTE OBJEKT_HINTEN[MAX_OBJEKTE] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1};

int Bilder_begrenzt(int bilder) {
    if (bilder < 0) return 0;
    return bilder > MAX_BILDER ? MAX_BILDER : bilder;
}

// One frame mirrored into its partner; false stops the remaining frames.
bool Bild_spiegeln_nach(PlatSurface* quelle, PlatSurface* ziel) {
    PlatLock q{};
    if (quelle == nullptr || plat_surface_lock(quelle, &q) != PLAT_OK) return false;
    if (q.lpSurface == nullptr || q.lPitch < (int32_t)q.dwWidth) {
        plat_surface_unlock(quelle);
        return false;
    }
    const size_t qPitch = (size_t)q.lPitch;
    const size_t groesse = qPitch * q.dwHeight;
    BYTE* puffer = (BYTE*)plat_malloc(groesse ? groesse : 1);
    if (puffer == nullptr) {
        plat_surface_unlock(quelle);
        return false;
    }
    memcpy(puffer, q.lpSurface, groesse);
    plat_surface_unlock(quelle);

    PlatLock z{};
    if (ziel == nullptr || plat_surface_lock(ziel, &z) != PLAT_OK) {
        plat_free(puffer);
        return false;
    }
    // Both frames are made the same size; a pair that is not is left alone
    // rather than read or written past a row's end.
    if (z.lpSurface != nullptr && z.dwWidth == q.dwWidth && z.dwHeight == q.dwHeight &&
        z.lPitch >= (int32_t)z.dwWidth) {
        const size_t zPitch = (size_t)z.lPitch;
        const size_t rest = qPitch < zPitch ? qPitch : zPitch;
        for (uint32_t y = 0; y < z.dwHeight; y++) {
            BYTE* d = z.lpSurface + y * zPitch;
            memcpy(d, puffer + y * qPitch, rest);
            Bild_spiegeln(d, (int)z.dwWidth);
        }
    }
    plat_surface_unlock(ziel);
    plat_free(puffer);
    return true;
}

}   // namespace

void Sprite_spiegeln(Sprite* sprite) {
    if (sprite == nullptr) return;
    const int bilder = Bilder_begrenzt(sprite->iBilder);
    for (int i = 0; i < bilder; i++) {
        if (!Bild_spiegeln_nach(sprite->lpDDSBild[i], sprite->lpDDSSpiegel[i])) return;
    }
}

void Welt_anlegen(void) {
    for (int art = 0; art < MAX_ARTEN; art++) {
        const ArtDaten& a = ARTEN[art];
        Sprite* s = &Vorlagen[art];
        Sprite_anlegen(s, a.iBreite, a.iHoehe, 5, art);
        Sprite_Trefferzone_setzen(s, a.bGanz, a.iLinks, a.iOben, a.iRechts, a.iUnten);
        for (int f = 0; f < 5; f++) {
            PackFile_Bild_laden("Grafik.dat", &pfvGrafik, a.iSektor[f], s->lpDDSBild[f], 0, 0);
        }
        if (a.bSpiegeln == 1) Sprite_spiegeln(s);
    }
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        Objekt_anlegen(&Vorlagen[OBJEKT_ART[i]], &Objekte[i], OBJEKT_HINTEN[i]);
    }
}

void Objekt_anlegen(const Sprite* vorlage, Objekt* ziel, BYTE hinten) {
    if (vorlage == nullptr || ziel == nullptr) return;
    Sprite& f = ziel->Figur;
    f.iArt = vorlage->iArt;
    f.iX = vorlage->iX;
    f.iY = vorlage->iY;
    f.iBreite = vorlage->iBreite;
    f.iHoehe = vorlage->iHoehe;
    f.iBilder = vorlage->iBilder;
    f.iBild = vorlage->iBild;
    f.bGespiegelt = vorlage->bGespiegelt;
    f.iTrefferLinks = vorlage->iTrefferLinks;
    f.iTrefferRechts = vorlage->iTrefferRechts;
    f.iTrefferOben = vorlage->iTrefferOben;
    f.iTrefferUnten = vorlage->iTrefferUnten;
    const int bilder = Bilder_begrenzt(vorlage->iBilder);
    for (int i = 0; i < bilder; i++) {
        f.lpDDSBild[i] = vorlage->lpDDSBild[i];
        f.lpDDSSpiegel[i] = vorlage->lpDDSSpiegel[i];
    }
    ziel->bAnimiert = vorlage->iBilder > 1 ? 1 : 0;
    ziel->bHinten = hinten;
}

void Objekt_ausrichten(int index, BYTE links) {
    if (!Index_gueltig(index)) return;
    Sprite& f = Objekte[index].Figur;
    if (f.bGespiegelt == links) return;
    for (int j = 0; j < MAX_BILDER; j++) {
        PlatSurface* t = f.lpDDSBild[j];
        f.lpDDSBild[j] = f.lpDDSSpiegel[j];
        f.lpDDSSpiegel[j] = t;
    }
    f.bGespiegelt = f.bGespiegelt == 0 ? 1 : 0;
}

void Objekt_Position_abgleichen(int index) {
    if (!Index_gueltig(index)) return;
    Objekt& o = Objekte[index];
    o.Figur.iX = o.iPosX + iScrollX;
    o.Figur.iY = o.iPosY;
}
