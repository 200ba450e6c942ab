// The bitmap font: glyph scan, highlighted copy and text drawing.
#ifndef GLUBBERSHOOT_BITMAPTEXT_H
#define GLUBBERSHOOT_BITMAPTEXT_H

#include "platform/platform.h"

enum { TEXT_LINKS = 1, TEXT_ZENTRIERT = 2, TEXT_RECHTS = 3 };

#define MAX_GLYPHEN 100
#define KEIN_GLYPH 80

// Entries 0..98 the glyph cells, entry 99 the averages (left = width, top = height).
extern RECT rcGlyphen[MAX_GLYPHEN];

int BitmapText_einlesen(PlatSurface* font, RECT* glyphen);
int BitmapText_klonen(PlatSurface* quelle, PlatSurface* ziel, BYTE umfaerben, BYTE von, BYTE nach);
void BitmapText_ausgeben(PlatSurface* font, const char* text, int x, int y, int ausrichtung, PlatSurface* ziel);
int BitmapText_Zeichenindex(BYTE zeichen);

#endif
