// The display layer: display objects, off-screen surfaces, clearing,
// keyed blits, sprites and the flip.
#include "graphics/ddraw.h"

#include <cstring>

#include "kern/kern.h"

PlatDisplay* lpDD = nullptr;
PlatSurface* lpDDSPrimary = nullptr;
PlatSurface* lpDDSBack = nullptr;
PlatClipper* lpDDClipper = nullptr;
PlatPalette* lpDDPal = nullptr;

PlatSurface* lpDDSHintergrund = nullptr;
PlatSurface* lpDDSSpielfeld = nullptr;
PlatSurface* lpDDSFont = nullptr;
PlatSurface* lpDDSFontMarkiert = nullptr;
PlatSurface* lpDDSCountdown[4] = {};
PlatSurface* lpDDSPatrone = nullptr;
PlatSurface* lpDDSEinschuss = nullptr;

// More rectangles than this make no sense for one screen; it also keeps
// the region record's size from overflowing.
static const int MAX_CLIP_RECHTECKE = 4096;

// The first step of each creating operation also ends the game.
static int Fehlschlag(const char* text, int code, bool beenden) {
    Fehler_melden(text);
    if (beenden) iGameState = GS_EXIT;
    return code;
}

// ------------------------------------------------------------- start-up

int DDraw_starten(void) {
    lpDD = nullptr;
    lpDDSPrimary = nullptr;
    lpDDSBack = nullptr;
    lpDDSSpielfeld = nullptr;
    lpDDClipper = nullptr;

    if (plat_display_create(&lpDD) != PLAT_OK) {
        lpDD = nullptr;
        return Fehlschlag("DDraw_starten: DirectDrawCreateEx()", 1, true);
    }
    if (plat_display_set_cooperative_level(lpDD, hWnd) != PLAT_OK)
        return Fehlschlag("DDraw_starten: SetCooperativeLevel()", 2, false);
    if (plat_display_set_mode(lpDD, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE, 8) != PLAT_OK)
        return Fehlschlag("DDraw_starten: SetDisplayMode()", 3, false);
    if (plat_display_create_primary(lpDD, &lpDDSPrimary) != PLAT_OK) {
        lpDDSPrimary = nullptr;
        return Fehlschlag("DDraw_starten: CreateSurface()", 4, false);
    }
    if (plat_surface_get_back_buffer(lpDDSPrimary, &lpDDSBack) != PLAT_OK) {
        lpDDSBack = nullptr;
        return Fehlschlag("DDraw_starten: GetAttachedSurface()", 5, false);
    }
    return 0;
}

int DDraw_Clipper_erzeugen(const RECT* rects, int count) {
    if (plat_display_create_clipper(lpDD, &lpDDClipper) != PLAT_OK) {
        lpDDClipper = nullptr;
        return Fehlschlag("DDraw_Clipper_erzeugen: CreateClipper()", 1, true);
    }

    if (!rects || count < 0) count = 0;
    if (count > MAX_CLIP_RECHTECKE) return Fehlschlag("DDraw_Clipper_erzeugen: SetClipList()", 2, false);

    size_t groesse = sizeof(RGNDATAHEADER) + sizeof(RECT) * static_cast<size_t>(count);
    auto* rgn = static_cast<RGNDATAHEADER*>(plat_malloc(groesse));
    // Without the record there is no clip list to set.
    if (!rgn) return Fehlschlag("DDraw_Clipper_erzeugen: SetClipList()", 2, false);
    std::memset(rgn, 0, groesse);
    rgn->dwSize = sizeof(RGNDATAHEADER);
    rgn->iType = RDH_RECTANGLES;
    rgn->nCount = static_cast<DWORD>(count);
    rgn->nRgnSize = static_cast<DWORD>(sizeof(RECT) * static_cast<size_t>(count));
    rgn->rcBound = RECT{0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE};
    if (count > 0) std::memcpy(rgn + 1, rects, sizeof(RECT) * static_cast<size_t>(count));

    int hr = plat_clipper_set_clip_list(lpDDClipper, rgn);
    plat_free(rgn);
    if (hr != PLAT_OK) return Fehlschlag("DDraw_Clipper_erzeugen: SetClipList()", 2, false);

    if (plat_surface_set_clipper(lpDDSBack, lpDDClipper) != PLAT_OK)
        return Fehlschlag("DDraw_Clipper_erzeugen: SetClipper()", 3, false);
    return 0;
}

int DDraw_Offscreen_anlegen(PlatSurface** surface, int breite, int hoehe, BYTE platzierung) {
    PlatSurface* neu = nullptr;
    if (plat_display_create_surface(lpDD, breite, hoehe, platzierung != 1, &neu) != PLAT_OK || !neu)
        return Fehlschlag("DDraw_Offscreen_anlegen: CreateSurface()", 1, true);
    // Without its key the surface would blit its transparent pixels; it is
    // left to go with lpDD at shutdown.
    if (plat_surface_set_color_key(neu, TRANSPARENZ, TRANSPARENZ) != PLAT_OK)
        return Fehlschlag("DDraw_Offscreen_anlegen: SetColorKey()", 2, false);
    if (surface) *surface = neu;
    return 0;
}

// -------------------------------------------------------------- drawing

int DDraw_Puffer_leeren(PlatSurface* surface, DWORD farbe) {
    if (!surface || plat_surface_fill(surface, static_cast<BYTE>(farbe & 0xFF)) != PLAT_OK)
        return Fehlschlag("DDraw_Puffer_leeren: Blt(COLORFILL)", 1, false);
    return 0;
}

// Keyed blit of the top-left w x h of the source to (x, y); a placement
// whose far edge does not fit 32 bits is refused instead of wrapping.
static int Blit_an(PlatSurface* ziel, int x, int y, int w, int h, PlatSurface* quelle) {
    int64_t rechts = static_cast<int64_t>(x) + w;
    int64_t unten = static_cast<int64_t>(y) + h;
    if (rechts > INT32_MAX || rechts < INT32_MIN || unten > INT32_MAX || unten < INT32_MIN) return PLAT_UNGUELTIG;
    RECT rcQuelle{0, 0, w, h};
    RECT rcZiel{x, y, static_cast<int32_t>(rechts), static_cast<int32_t>(unten)};
    return plat_surface_blt_keyed(ziel, &rcZiel, quelle, &rcQuelle);
}

int DDraw_Bild_zeichnen(int x, int y, int w, int h, PlatSurface* quelle, PlatSurface* ziel) {
    if (!quelle || !ziel) return 1;
    return Blit_an(ziel, x, y, w, h, quelle);
}

void DDraw_Puffer_zeigen(void) {
    if (!lpDDSPrimary) return;
    if (plat_surface_flip(lpDDSPrimary) == PLAT_SURFACELOST) {
        // Only the chain comes back; the off-screen pictures are not reloaded.
        if (plat_surface_restore(lpDDSPrimary) == PLAT_OK) plat_surface_flip(lpDDSPrimary);
    }
}

// ------------------------------------------------------------- shutdown

void DDraw_beenden(void) {
    if (!lpDD) return;
    if (lpDDSPrimary) {
        plat_surface_release(lpDDSPrimary);
        lpDDSPrimary = nullptr;
        lpDDSBack = nullptr;
    }
    if (lpDDPal) {
        plat_palette_release(lpDDPal);
        lpDDPal = nullptr;
    }
    if (lpDDClipper) {
        plat_clipper_release(lpDDClipper);
        lpDDClipper = nullptr;
    }
    plat_display_release(lpDD);
    lpDD = nullptr;

    // The off-screen surfaces went with lpDD; forget them so that nothing
    // can reach freed memory afterwards.
    lpDDSHintergrund = nullptr;
    lpDDSSpielfeld = nullptr;
    lpDDSFont = nullptr;
    lpDDSFontMarkiert = nullptr;
    for (PlatSurface*& s : lpDDSCountdown) s = nullptr;
    lpDDSPatrone = nullptr;
    lpDDSEinschuss = nullptr;
}

// -------------------------------------------------------------- sprites

int Sprite_anlegen(Sprite* sprite, int breite, int hoehe, int bilder, int art) {
    if (!sprite) return 0;
    if (bilder > MAX_BILDER) bilder = MAX_BILDER;
    if (bilder < 0) bilder = 0;
    sprite->iBreite = breite;
    sprite->iHoehe = hoehe;
    sprite->iBilder = bilder;
    sprite->iArt = art;
    sprite->bGespiegelt = 0;
    sprite->iBild = 0;
    sprite->iX = 0;
    sprite->iY = 0;
    for (int i = 0; i < MAX_BILDER; ++i) {
        sprite->lpDDSBild[i] = nullptr;
        sprite->lpDDSSpiegel[i] = nullptr;
    }
    for (int i = 0; i < bilder; ++i) {
        DDraw_Offscreen_anlegen(&sprite->lpDDSBild[i], breite, hoehe, 1);
        DDraw_Offscreen_anlegen(&sprite->lpDDSSpiegel[i], breite, hoehe, 1);
    }
    return 0;
}

int Sprite_Trefferzone_setzen(Sprite* sprite, BYTE ganz, int links, int oben, int rechts, int unten) {
    if (!sprite) return 0;
    if (ganz == 1) {
        sprite->iTrefferLinks = 0;
        sprite->iTrefferOben = 0;
        sprite->iTrefferRechts = sprite->iBreite;
        sprite->iTrefferUnten = sprite->iHoehe;
    } else {
        sprite->iTrefferLinks = links;
        sprite->iTrefferOben = oben;
        sprite->iTrefferRechts = rechts;
        sprite->iTrefferUnten = unten;
    }
    return 0;
}

void Sprite_zeichnen(Sprite* sprite, PlatSurface* ziel) {
    if (!sprite || !ziel) return;
    int bild = sprite->iBild;
    if (bild < 0 || bild >= sprite->iBilder || bild >= MAX_BILDER) return;
    PlatSurface* quelle = sprite->lpDDSBild[bild];
    if (!quelle) return;
    Blit_an(ziel, sprite->iX, sprite->iY, sprite->iBreite, sprite->iHoehe, quelle);
}

void Sprite_weiterschalten(Sprite* sprite) {
    if (!sprite) return;
    ++sprite->iBild;
    if (sprite->iBild >= sprite->iAnimBilder) sprite->iBild = 0;
}

bool DDraw_Systemtext_beginnen(Systemtext* t) {
    t->dc = nullptr;
    if (lpDDSBack == nullptr || plat_surface_get_dc(lpDDSBack, &t->dc) != PLAT_OK || t->dc == nullptr) return false;
    t->alterModus = plat_set_bk_mode(t->dc, TRANSPARENT);
    return true;
}

void DDraw_Systemtext_ausgeben(const Systemtext* t, int x, int y, const char* text) {
    plat_text_out(t->dc, x, y, text, (int)strlen(text));
}

void DDraw_Systemtext_beenden(Systemtext* t) {
    plat_set_bk_mode(t->dc, t->alterModus);
    plat_surface_release_dc(lpDDSBack, t->dc);
    t->dc = nullptr;
}
