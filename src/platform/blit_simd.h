// The pixel kernels under the 8-bit surfaces and the flip: keyed copy,
// plain copy, fill and the palette lookup to 32-bit pixels. Rectangles
// arrive already clipped: every row given lies wholly inside both buffers,
// and source and destination never overlap. Pitches are in bytes.
#ifndef GLUBBERSHOOT_BLIT_SIMD_H
#define GLUBBERSHOOT_BLIT_SIMD_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

// Pixels whose index lies in keyLo..keyHi keep the destination's pixel.
void Blit_keyed(uint8_t* ziel, int32_t zielPitch, const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h,
                uint8_t keyLo, uint8_t keyHi);
void Blit_kopieren(uint8_t* ziel, int32_t zielPitch, const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h);
void Blit_fuellen(uint8_t* ziel, int32_t pitch, int32_t w, int32_t h, uint8_t farbe);
// The 0xFFRRGGBB value of each palette entry.
void Blit_Tabelle_bauen(const PALETTEENTRY palette[256], uint32_t tabelle[256]);
// Indices to the 32-bit values of tabelle, stored in host byte order.
void Blit_Palette_umsetzen(const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h,
                           const uint32_t tabelle[256], uint8_t* ziel, int32_t zielPitch);

// What the last conversion into an output was made from. A fresh one, or
// one after Blit_Abgleich_vergessen, remembers nothing.
struct BlitAbgleich {
    std::vector<uint8_t> vorher;   // the indices, rows packed w apart
    uint32_t tabelle[256];
    const uint8_t* ziel = nullptr;
    int32_t w = 0, h = 0, zielPitch = 0;
    bool gueltig = false;
};
void Blit_Abgleich_vergessen(BlitAbgleich* a);
// Blit_Palette_umsetzen into an output that still holds the last
// conversion: only the stretch of each row that differs from the last
// frame is done;
// the whole picture when the table, the size or the output changed or
// nothing is remembered. The rows written are *von up to *bis, none when
// they are equal.
void Blit_Palette_nachfuehren(BlitAbgleich* a, const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h,
                              const uint32_t tabelle[256], uint8_t* ziel, int32_t zielPitch, int32_t* von,
                              int32_t* bis);

// The stretches of each row of a keyed picture that are not the key, for
// keyed blits that copy them straight and never read the destination.
// Worth it for pictures of long runs (the playfield has about two a row).
struct BlitStrecken {
    std::vector<uint32_t> zeile;    // h + 1: row y's stretches are stueck[zeile[y]] up to stueck[zeile[y + 1]]
    std::vector<int32_t> stueck;    // start and end column of each stretch, in pairs
};
// False, and nothing kept, when the picture has more than maxStuecke
// stretches: then the blend is as fast and the memory is not spent.
bool Blit_Strecken_bauen(BlitStrecken* s, const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h,
                         uint8_t keyLo, uint8_t keyHi, size_t maxStuecke);
// Blit_keyed of the w x h block at (sx, sy) of the picture s was built from.
void Blit_Strecken_kopieren(uint8_t* ziel, int32_t zielPitch, const uint8_t* quelle, int32_t quellPitch,
                            const BlitStrecken& s, int32_t sx, int32_t sy, int32_t w, int32_t h);

// Which code the kernels run: one pixel at a time, 16 bytes per step, or
// 32 where the processor has AVX2. The best one the machine has is taken
// by default; tests and benchmarks may ask for a lower one. Returns the
// path in use afterwards (never one the machine lacks).
enum { BLIT_EINFACH = 0, BLIT_SSE2 = 1, BLIT_AVX2 = 2 };
int Blit_Pfad_setzen(int pfad);
int Blit_Pfad(void);
int Blit_bester_Pfad(void);
const char* Blit_Pfadname(int pfad);

#endif
