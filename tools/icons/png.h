// A small PNG writer for the desktop icons: 8-bit RGBA, one IDAT chunk,
// compressed with zlib. Enough for pictures of a few hundred pixels.
#ifndef GLUBBERSHOOT_PNG_H
#define GLUBBERSHOOT_PNG_H

#include <cstdint>
#include <vector>

enum { PNG_MAX_KANTE = 4096 };

// Pixels are 0xAARRGGBB with straight alpha, rows top first.
// 0 done; 1 size outside 1..PNG_MAX_KANTE or no pixels; 2 compression failed.
int Png_kodieren(int iBreite, int iHoehe, const uint32_t* argb, std::vector<uint8_t>& datei);

// As Png_kodieren, then writes the file whole or not at all (a temporary
// file renamed over the name). 3: the file cannot be written.
int Png_schreiben(const char* szDatei, int iBreite, int iHoehe, const uint32_t* argb);

#endif
