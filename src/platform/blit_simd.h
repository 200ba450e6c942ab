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

// Pixels whose index lies in key_lo..key_hi keep the destination's pixel.
void plat_common_blit_keyed(uint8_t* ziel, int32_t ziel_pitch, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                            int32_t h, uint8_t key_lo, uint8_t key_hi);
void plat_common_blit_kopieren(uint8_t* ziel, int32_t ziel_pitch, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                               int32_t h);
void plat_common_blit_fuellen(uint8_t* ziel, int32_t pitch, int32_t w, int32_t h, uint8_t farbe);
// The 0xFFRRGGBB value of each palette entry.
void plat_common_blit_tabelle_bauen(const PALETTEENTRY palette[256], uint32_t tabelle[256]);
// Indices to the 32-bit values of tabelle, stored in host byte order.
void plat_common_blit_palette_umsetzen(const uint8_t* quelle, int32_t quell_pitch, int32_t w, int32_t h,
                                       const uint32_t tabelle[256], uint8_t* ziel, int32_t ziel_pitch);

// What the last conversion into an output was made from. A fresh one, or
// one after plat_common_blit_abgleich_vergessen, remembers nothing.
struct PlatBlitAbgleich {
    std::vector<uint8_t> vorher;   // the indices, rows packed w apart
    uint32_t tabelle[256];
    const uint8_t* ziel = nullptr;
    int32_t w = 0, h = 0, ziel_pitch = 0;
    bool gueltig = false;
    // What the last call wrote, two columns per row: from, up to (equal
    // when the row was left alone). Lets a scaler redo only those places.
    std::vector<int32_t> spannen;
};
void plat_common_blit_abgleich_vergessen(PlatBlitAbgleich* a);
// plat_common_blit_palette_umsetzen into an output that still holds the last
// conversion: only the stretch of each row that differs from the last
// frame is done;
// the whole picture when the table, the size or the output changed or
// nothing is remembered. The rows written are *von up to *bis, none when
// they are equal.
void plat_common_blit_palette_nachfuehren(PlatBlitAbgleich* a, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                                          int32_t h, const uint32_t tabelle[256], uint8_t* ziel, int32_t ziel_pitch,
                                          int32_t* von, int32_t* bis);

// The stretches of each row of a keyed picture that are not the key, for
// keyed blits that copy them straight and never read the destination.
// Worth it for pictures of long runs (the playfield has about two a row).
struct PlatBlitStrecken {
    std::vector<uint32_t> zeile;   // h + 1: row y's stretches are stueck[zeile[y]] up to stueck[zeile[y + 1]]
    std::vector<int32_t> stueck;   // start and end column of each stretch, in pairs
};
// False, and nothing kept, when the picture has more than max_stuecke
// stretches: then the blend is as fast and the memory is not spent.
bool plat_common_blit_strecken_bauen(PlatBlitStrecken* s, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                                     int32_t h, uint8_t key_lo, uint8_t key_hi, size_t max_stuecke);
// plat_common_blit_keyed of the w x h block at (sx, sy) of the picture s was built from.
void plat_common_blit_strecken_kopieren(uint8_t* ziel, int32_t ziel_pitch, const uint8_t* quelle, int32_t quell_pitch,
                                        const PlatBlitStrecken& s, int32_t sx, int32_t sy, int32_t w, int32_t h);

// Which code the kernels run: one pixel at a time, 16 bytes per step, or
// 32 where the processor has AVX2. The best one the machine has is taken
// by default; tests and benchmarks may ask for a lower one. Returns the
// path in use afterwards (never one the machine lacks).
enum { BLIT_EINFACH = 0, BLIT_SSE2 = 1, BLIT_AVX2 = 2 };
int plat_common_blit_pfad_setzen(int pfad);
int plat_common_blit_pfad(void);
int plat_common_blit_bester_pfad(void);
const char* plat_common_blit_pfadname(int pfad);

#endif
