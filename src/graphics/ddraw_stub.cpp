// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "graphics/ddraw.h"

PlatDisplay* lpDD{};
PlatSurface* lpDDSPrimary{};
PlatSurface* lpDDSBack{};
PlatClipper* lpDDClipper{};
PlatPalette* lpDDPal{};
PlatSurface* lpDDSHintergrund{};
PlatSurface* lpDDSSpielfeld{};
PlatSurface* lpDDSFont{};
PlatSurface* lpDDSFontMarkiert{};
PlatSurface* lpDDSCountdown[4]{};
PlatSurface* lpDDSPatrone{};
PlatSurface* lpDDSEinschuss{};
int DDraw_starten(void) { return 0; }
int DDraw_Clipper_erzeugen([[maybe_unused]] const RECT* rects, [[maybe_unused]] int count) { return 0; }
int DDraw_Offscreen_anlegen([[maybe_unused]] PlatSurface** surface, [[maybe_unused]] int breite, [[maybe_unused]] int hoehe, [[maybe_unused]] BYTE platzierung) { return 0; }
int DDraw_Puffer_leeren([[maybe_unused]] PlatSurface* surface, [[maybe_unused]] DWORD farbe) { return 0; }
int DDraw_Bild_zeichnen([[maybe_unused]] int x, [[maybe_unused]] int y, [[maybe_unused]] int w, [[maybe_unused]] int h, [[maybe_unused]] PlatSurface* quelle, [[maybe_unused]] PlatSurface* ziel) { return 0; }
void DDraw_Puffer_zeigen(void) {}
void DDraw_beenden(void) {}
int Sprite_anlegen([[maybe_unused]] Sprite* sprite, [[maybe_unused]] int breite, [[maybe_unused]] int hoehe, [[maybe_unused]] int bilder, [[maybe_unused]] int art) { return 0; }
int Sprite_Trefferzone_setzen([[maybe_unused]] Sprite* sprite, [[maybe_unused]] BYTE ganz, [[maybe_unused]] int links, [[maybe_unused]] int oben, [[maybe_unused]] int rechts, [[maybe_unused]] int unten) { return 0; }
void Sprite_zeichnen([[maybe_unused]] Sprite* sprite, [[maybe_unused]] PlatSurface* ziel) {}
void Sprite_weiterschalten([[maybe_unused]] Sprite* sprite) {}
