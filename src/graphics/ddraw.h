// The display layer: display objects, off-screen surfaces with colour key
// 255, colour fill, keyed blits, sprites and the flip.
#ifndef GLUBBERSHOOT_DDRAW_H
#define GLUBBERSHOOT_DDRAW_H

#include "platform/platform.h"

#define MAX_BILDER 6
#define TRANSPARENZ 255

struct Sprite {
    int32_t iArt;
    int32_t iX;
    int32_t iY;
    int32_t iBreite;
    int32_t iHoehe;
    int32_t iBilder;
    int32_t iAnimBilder;
    int32_t iBild;
    BYTE bGespiegelt;
    int32_t iTrefferLinks;
    int32_t iTrefferRechts;
    int32_t iTrefferOben;
    int32_t iTrefferUnten;
    PlatSurface* lpDDSBild[MAX_BILDER];
    PlatSurface* lpDDSSpiegel[MAX_BILDER];
};

extern PlatDisplay* lpDD;
extern PlatSurface* lpDDSPrimary;
extern PlatSurface* lpDDSBack;
extern PlatClipper* lpDDClipper;
extern PlatPalette* lpDDPal;

extern PlatSurface* lpDDSHintergrund;
extern PlatSurface* lpDDSSpielfeld;
extern PlatSurface* lpDDSFont;
extern PlatSurface* lpDDSFontMarkiert;
extern PlatSurface* lpDDSCountdown[4];
extern PlatSurface* lpDDSPatrone;
extern PlatSurface* lpDDSEinschuss;

int DDraw_starten(void);
int DDraw_Clipper_erzeugen(const RECT* rects, int count);
int DDraw_Offscreen_anlegen(PlatSurface** surface, int breite, int hoehe, BYTE platzierung);
int DDraw_Puffer_leeren(PlatSurface* surface, DWORD farbe);
int DDraw_Bild_zeichnen(int x, int y, int w, int h, PlatSurface* quelle, PlatSurface* ziel);
void DDraw_Puffer_zeigen(void);
void DDraw_beenden(void);

// Platform text on the back buffer: a device context with a transparent
// background for as long as it is held. False when none can be had.
struct Systemtext {
    PlatDC* dc = nullptr;
    int alterModus = 0;
};
bool DDraw_Systemtext_beginnen(Systemtext* t);
void DDraw_Systemtext_ausgeben(const Systemtext* t, int x, int y, const char* text);
void DDraw_Systemtext_beenden(Systemtext* t);

int Sprite_anlegen(Sprite* sprite, int breite, int hoehe, int bilder, int art);
int Sprite_Trefferzone_setzen(Sprite* sprite, BYTE ganz, int links, int oben, int rechts, int unten);
void Sprite_zeichnen(Sprite* sprite, PlatSurface* ziel);
void Sprite_weiterschalten(Sprite* sprite);

#endif
