// Little-endian integers in byte buffers, as every file of the game stores
// them, whatever order the machine keeps its own integers in. Shared by
// the game's loaders, the content generator, the tests and the fuzzers.
#ifndef GLUBBERSHOOT_BYTEFOLGE_H
#define GLUBBERSHOOT_BYTEFOLGE_H

#include <cstddef>
#include <cstdint>

inline uint16_t Bytes_Word_lesen(const void* quelle) {
    const uint8_t* p = static_cast<const uint8_t*>(quelle);
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t Bytes_DWord_lesen(const void* quelle) {
    const uint8_t* p = static_cast<const uint8_t*>(quelle);
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// Two's complement, so 0xFFFFFFFF reads as -1 on any compiler.
inline int32_t Bytes_Int_lesen(const void* quelle) {
    const uint32_t d = Bytes_DWord_lesen(quelle);
    return d < 0x80000000u ? static_cast<int32_t>(d) : -static_cast<int32_t>(~d) - 1;
}

inline void Bytes_Word_schreiben(void* ziel, uint16_t w) {
    uint8_t* p = static_cast<uint8_t*>(ziel);
    p[0] = static_cast<uint8_t>(w);
    p[1] = static_cast<uint8_t>(w >> 8);
}

inline void Bytes_DWord_schreiben(void* ziel, uint32_t d) {
    uint8_t* p = static_cast<uint8_t*>(ziel);
    for (int i = 0; i < 4; i++) p[i] = static_cast<uint8_t>(d >> (8 * i));
}

inline void Bytes_Int_schreiben(void* ziel, int32_t i) { Bytes_DWord_schreiben(ziel, static_cast<uint32_t>(i)); }

// The value of `bytes` (at most 4) bytes at `pos` of a buffer `laenge`
// long; bytes past its end count as zero, so a cut-off field reads as far
// as it goes.
inline uint32_t Bytes_Wert_lesen(const void* daten, size_t laenge, size_t pos, size_t bytes) {
    const uint8_t* p = static_cast<const uint8_t*>(daten);
    uint32_t wert = 0;
    for (size_t i = 0; i < bytes && i < 4 && pos < laenge && i < laenge - pos; i++)
        wert |= static_cast<uint32_t>(p[pos + i]) << (8 * i);
    return wert;
}

#endif
