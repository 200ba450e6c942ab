// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "graphics/bitmaptext.h"

RECT rcGlyphen[MAX_GLYPHEN]{};
int BitmapText_einlesen([[maybe_unused]] PlatSurface* font, [[maybe_unused]] RECT* glyphen) { return 0; }
int BitmapText_klonen([[maybe_unused]] PlatSurface* quelle, [[maybe_unused]] PlatSurface* ziel, [[maybe_unused]] BYTE umfaerben, [[maybe_unused]] BYTE von, [[maybe_unused]] BYTE nach) { return 0; }
void BitmapText_ausgeben([[maybe_unused]] PlatSurface* font, [[maybe_unused]] const char* text, [[maybe_unused]] int x, [[maybe_unused]] int y, [[maybe_unused]] int ausrichtung, [[maybe_unused]] PlatSurface* ziel) {}
int BitmapText_Zeichenindex([[maybe_unused]] BYTE zeichen) { return 0; }
