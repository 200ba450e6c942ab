// The pixel kernels. Every playing frame runs them over about three
// megabytes, so they work on whole rows, sixteen pixels per step and
// without a branch per pixel; SSE2 is on every x86-64, other machines take
// the plain loops below.
#include "platform/blit_simd.h"

#include <cstring>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#define BLIT_SSE2 1
#endif

namespace {

inline uint8_t* zeile(uint8_t* p, int32_t pitch, int32_t y) {
    return p + static_cast<intptr_t>(y) * pitch;
}

inline const uint8_t* zeile(const uint8_t* p, int32_t pitch, int32_t y) {
    return p + static_cast<intptr_t>(y) * pitch;
}

inline void pixel_schreiben(uint8_t* z, uint32_t wert) { std::memcpy(z, &wert, sizeof wert); }

// The key test as one unsigned compare: v - lo <= span.
void zeile_keyed_einfach(uint8_t* d, const uint8_t* s, int32_t n, uint8_t lo, uint8_t span) {
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t v = s[i];
        const uint8_t behalten = static_cast<uint8_t>(v - lo) <= span ? 0xFF : 0x00;
        d[i] = static_cast<uint8_t>((d[i] & behalten) | (v & static_cast<uint8_t>(~behalten)));
    }
}

void zeile_umsetzen_einfach(uint8_t* z, const uint8_t* q, int32_t n, const uint32_t* tabelle) {
    for (int32_t i = 0; i < n; ++i) pixel_schreiben(z + 4 * i, tabelle[q[i]]);
}

#ifdef BLIT_SSE2

struct Schluessel {
    __m128i lo, span;
};

inline __m128i mischen(__m128i v, __m128i z, const Schluessel& k) {
    // saturating v - lo - span is zero exactly for the key's pixels
    const __m128i behalten = _mm_cmpeq_epi8(_mm_subs_epu8(_mm_sub_epi8(v, k.lo), k.span), _mm_setzero_si128());
    return _mm_or_si128(_mm_and_si128(behalten, z), _mm_andnot_si128(behalten, v));
}

// Whole blocks of picture or of hole, the common case in drawn pictures,
// skip the destination read or the store altogether.
inline void block16(uint8_t* d, const uint8_t* s, const Schluessel& k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i behalten =
        _mm_cmpeq_epi8(_mm_subs_epu8(_mm_sub_epi8(v, k.lo), k.span), _mm_setzero_si128());
    const int maske = _mm_movemask_epi8(behalten);
    if (maske == 0xFFFF) return;
    __m128i* ziel = reinterpret_cast<__m128i*>(d);
    if (maske == 0) {
        _mm_storeu_si128(ziel, v);
        return;
    }
    const __m128i z = _mm_loadu_si128(ziel);
    _mm_storeu_si128(ziel, _mm_or_si128(_mm_and_si128(behalten, z), _mm_andnot_si128(behalten, v)));
}

inline void block8(uint8_t* d, const uint8_t* s, const Schluessel& k) {
    const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s));
    const __m128i z = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), mischen(v, z, k));
}

// A keyed copy may run over the same pixels twice with the same result,
// so a row's ragged end is done as one more block ending at its last pixel.
void zeile_keyed(uint8_t* d, const uint8_t* s, int32_t n, const Schluessel& k) {
    if (n < 8) {
        zeile_keyed_einfach(d, s, n, static_cast<uint8_t>(_mm_cvtsi128_si32(k.lo)),
                            static_cast<uint8_t>(_mm_cvtsi128_si32(k.span)));
        return;
    }
    if (n < 16) {
        block8(d, s, k);
        block8(d + n - 8, s + n - 8, k);
        return;
    }
    int32_t i = 0;
    for (; i + 32 <= n; i += 32) {
        block16(d + i, s + i, k);
        block16(d + i + 16, s + i + 16, k);
    }
    if (i + 16 <= n) {
        block16(d + i, s + i, k);
        i += 16;
    }
    if (i < n) block16(d + n - 16, s + n - 16, k);
}

inline __m128i vier_nachschlagen(const uint8_t* q, const uint32_t* tabelle) {
    const __m128i a = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(tabelle[q[0]])),
                                         _mm_cvtsi32_si128(static_cast<int>(tabelle[q[1]])));
    const __m128i b = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(tabelle[q[2]])),
                                         _mm_cvtsi32_si128(static_cast<int>(tabelle[q[3]])));
    return _mm_unpacklo_epi64(a, b);
}

// Gathered into whole vectors: a quarter of the stores of one per pixel.
inline void sechzehn_nachschlagen(uint8_t* z, const uint8_t* q, const uint32_t* tabelle) {
    __m128i* ziel = reinterpret_cast<__m128i*>(z);
    _mm_storeu_si128(ziel, vier_nachschlagen(q, tabelle));
    _mm_storeu_si128(ziel + 1, vier_nachschlagen(q + 4, tabelle));
    _mm_storeu_si128(ziel + 2, vier_nachschlagen(q + 8, tabelle));
    _mm_storeu_si128(ziel + 3, vier_nachschlagen(q + 12, tabelle));
}

// The sky and the flat parts of the pictures come in long runs of one
// index; sixteen equal pixels cost one lookup and four stores.
void zeile_umsetzen(uint8_t* z, const uint8_t* q, int32_t n, const uint32_t* tabelle) {
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + i));
        const __m128i erstes = _mm_set1_epi8(static_cast<char>(q[i]));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, erstes)) == 0xFFFF) {
            const __m128i farbe = _mm_set1_epi32(static_cast<int>(tabelle[q[i]]));
            __m128i* ziel = reinterpret_cast<__m128i*>(z + 4 * i);
            _mm_storeu_si128(ziel, farbe);
            _mm_storeu_si128(ziel + 1, farbe);
            _mm_storeu_si128(ziel + 2, farbe);
            _mm_storeu_si128(ziel + 3, farbe);
        } else {
            sechzehn_nachschlagen(z + 4 * i, q + i, tabelle);
        }
    }
    zeile_umsetzen_einfach(z + 4 * i, q + i, n - i, tabelle);
}

#endif

}  // namespace

bool Blit_mit_Vektoren(void) {
#ifdef BLIT_SSE2
    return true;
#else
    return false;
#endif
}

void Blit_keyed_einfach(uint8_t* ziel, int32_t zielPitch, const uint8_t* quelle, int32_t quellPitch, int32_t w,
                        int32_t h, uint8_t keyLo, uint8_t keyHi) {
    const uint8_t span = static_cast<uint8_t>(keyHi - keyLo);
    for (int32_t y = 0; y < h; ++y)
        zeile_keyed_einfach(zeile(ziel, zielPitch, y), zeile(quelle, quellPitch, y), w, keyLo, span);
}

void Blit_keyed(uint8_t* ziel, int32_t zielPitch, const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h,
                uint8_t keyLo, uint8_t keyHi) {
#ifdef BLIT_SSE2
    const Schluessel k = {_mm_set1_epi8(static_cast<char>(keyLo)),
                          _mm_set1_epi8(static_cast<char>(static_cast<uint8_t>(keyHi - keyLo)))};
    for (int32_t y = 0; y < h; ++y) zeile_keyed(zeile(ziel, zielPitch, y), zeile(quelle, quellPitch, y), w, k);
#else
    Blit_keyed_einfach(ziel, zielPitch, quelle, quellPitch, w, h, keyLo, keyHi);
#endif
}

void Blit_kopieren(uint8_t* ziel, int32_t zielPitch, const uint8_t* quelle, int32_t quellPitch, int32_t w,
                   int32_t h) {
    if (w <= 0 || h <= 0) return;
    if (zielPitch == w && quellPitch == w) {
        std::memcpy(ziel, quelle, static_cast<size_t>(w) * static_cast<size_t>(h));
        return;
    }
    for (int32_t y = 0; y < h; ++y)
        std::memcpy(zeile(ziel, zielPitch, y), zeile(quelle, quellPitch, y), static_cast<size_t>(w));
}

// The C library's memset already runs at the memory's speed; what is
// left to gain is one call instead of one per row.
void Blit_fuellen(uint8_t* ziel, int32_t pitch, int32_t w, int32_t h, uint8_t farbe) {
    if (w <= 0 || h <= 0) return;
    if (pitch == w) {
        std::memset(ziel, farbe, static_cast<size_t>(w) * static_cast<size_t>(h));
        return;
    }
    for (int32_t y = 0; y < h; ++y) std::memset(zeile(ziel, pitch, y), farbe, static_cast<size_t>(w));
}

void Blit_Palette_umsetzen_einfach(const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h,
                                   const uint32_t tabelle[256], uint8_t* ziel, int32_t zielPitch) {
    for (int32_t y = 0; y < h; ++y)
        zeile_umsetzen_einfach(zeile(ziel, zielPitch, y), zeile(quelle, quellPitch, y), w, tabelle);
}

void Blit_Palette_umsetzen(const uint8_t* quelle, int32_t quellPitch, int32_t w, int32_t h,
                           const uint32_t tabelle[256], uint8_t* ziel, int32_t zielPitch) {
#ifdef BLIT_SSE2
    for (int32_t y = 0; y < h; ++y)
        zeile_umsetzen(zeile(ziel, zielPitch, y), zeile(quelle, quellPitch, y), w, tabelle);
#else
    Blit_Palette_umsetzen_einfach(quelle, quellPitch, w, h, tabelle, ziel, zielPitch);
#endif
}
