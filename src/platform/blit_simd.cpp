// The pixel kernels. Every playing frame runs them over about three
// megabytes, so they work on whole rows, many pixels per step and without
// a branch per pixel. SSE2 is on every x86-64; AVX2 is taken when the
// processor has it; other machines run the plain loops.
#include "platform/blit_simd.h"

#include <cstring>

#if defined(__x86_64__) && defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define BLIT_X86 1
#define BLIT_AVX2_FN __attribute__((target("avx2")))
#endif

namespace {

int g_pfad = -1;   // chosen at the first call

inline uint8_t* zeile(uint8_t* p, int32_t pitch, int32_t y) { return p + static_cast<intptr_t>(y) * pitch; }

inline const uint8_t* zeile(const uint8_t* p, int32_t pitch, int32_t y) { return p + static_cast<intptr_t>(y) * pitch; }

int pfad(void) {
    if (g_pfad < 0) g_pfad = plat_common_blit_bester_pfad();
    return g_pfad;
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

#ifdef BLIT_X86

// A keyed copy may run over the same pixels twice with the same result,
// so a row's ragged end is done as one more block ending at its last
// pixel instead of pixel by pixel.

inline __m128i behalten16(__m128i v, __m128i lo, __m128i span) {
    // (v - lo) saturated down by span is zero exactly for the key's pixels
    return _mm_cmpeq_epi8(_mm_subs_epu8(_mm_sub_epi8(v, lo), span), _mm_setzero_si128());
}

inline void block16(uint8_t* d, const uint8_t* s, __m128i lo, __m128i span) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i z = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i b = behalten16(v, lo, span);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_or_si128(_mm_and_si128(b, z), _mm_andnot_si128(b, v)));
}

inline void block8(uint8_t* d, const uint8_t* s, __m128i lo, __m128i span) {
    const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s));
    const __m128i z = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d));
    const __m128i b = behalten16(v, lo, span);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_or_si128(_mm_and_si128(b, z), _mm_andnot_si128(b, v)));
}

// Whole blits per path: the key vectors are built once per blit, not once
// per row of a glyph.
void keyed_sse2(uint8_t* d, int32_t dp, const uint8_t* s, int32_t sp, int32_t w, int32_t h, uint8_t klo,
                uint8_t kspan) {
    const __m128i lo = _mm_set1_epi8(static_cast<char>(klo));
    const __m128i span = _mm_set1_epi8(static_cast<char>(kspan));
    for (int32_t y = 0; y < h; ++y, d += dp, s += sp) {
        if (w < 8) {
            zeile_keyed_einfach(d, s, w, klo, kspan);
        } else if (w < 16) {
            block8(d, s, lo, span);
            block8(d + w - 8, s + w - 8, lo, span);
        } else {
            int32_t i = 0;
            for (; i + 16 <= w; i += 16) block16(d + i, s + i, lo, span);
            if (i < w) block16(d + w - 16, s + w - 16, lo, span);
        }
    }
}

BLIT_AVX2_FN inline void block32(uint8_t* d, const uint8_t* s, __m256i lo, __m256i span) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __m256i z = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    const __m256i b = _mm256_cmpeq_epi8(_mm256_subs_epu8(_mm256_sub_epi8(v, lo), span), _mm256_setzero_si256());
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_blendv_epi8(v, z, b));
}

BLIT_AVX2_FN void keyed_avx2(uint8_t* d, int32_t dp, const uint8_t* s, int32_t sp, int32_t w, int32_t h, uint8_t klo,
                             uint8_t kspan) {
    if (w < 32) {
        keyed_sse2(d, dp, s, sp, w, h, klo, kspan);
        return;
    }
    const __m256i lo = _mm256_set1_epi8(static_cast<char>(klo));
    const __m256i span = _mm256_set1_epi8(static_cast<char>(kspan));
    for (int32_t y = 0; y < h; ++y, d += dp, s += sp) {
        int32_t i = 0;
        for (; i + 32 <= w; i += 32) block32(d + i, s + i, lo, span);
        if (i < w) block32(d + w - 32, s + w - 32, lo, span);
    }
}

inline __m128i vier_nachschlagen(const uint8_t* q, const uint32_t* tabelle) {
    const __m128i a = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(tabelle[q[0]])),
                                         _mm_cvtsi32_si128(static_cast<int>(tabelle[q[1]])));
    const __m128i b = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(tabelle[q[2]])),
                                         _mm_cvtsi32_si128(static_cast<int>(tabelle[q[3]])));
    return _mm_unpacklo_epi64(a, b);
}

// The sky and the flat parts of the pictures come in long runs of one
// index: sixteen equal pixels cost one lookup. Others are gathered four
// to a vector, a quarter of the stores of one per pixel.
void zeile_umsetzen_sse2(uint8_t* z, const uint8_t* q, int32_t n, const uint32_t* tabelle) {
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + i));
        const __m128i erstes = _mm_set1_epi8(static_cast<char>(q[i]));
        __m128i* ziel = reinterpret_cast<__m128i*>(z + 4 * i);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, erstes)) == 0xFFFF) {
            const __m128i farbe = _mm_set1_epi32(static_cast<int>(tabelle[q[i]]));
            _mm_storeu_si128(ziel, farbe);
            _mm_storeu_si128(ziel + 1, farbe);
            _mm_storeu_si128(ziel + 2, farbe);
            _mm_storeu_si128(ziel + 3, farbe);
        } else {
            _mm_storeu_si128(ziel, vier_nachschlagen(q + i, tabelle));
            _mm_storeu_si128(ziel + 1, vier_nachschlagen(q + i + 4, tabelle));
            _mm_storeu_si128(ziel + 2, vier_nachschlagen(q + i + 8, tabelle));
            _mm_storeu_si128(ziel + 3, vier_nachschlagen(q + i + 12, tabelle));
        }
    }
    zeile_umsetzen_einfach(z + 4 * i, q + i, n - i, tabelle);
}

#endif

}   // namespace

int plat_common_blit_bester_pfad(void) {
#ifdef BLIT_X86
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? BLIT_AVX2 : BLIT_SSE2;
#else
    return BLIT_EINFACH;
#endif
}

int plat_common_blit_pfad_setzen(int wunsch) {
    const int bester = plat_common_blit_bester_pfad();
    g_pfad = wunsch < BLIT_EINFACH ? BLIT_EINFACH : (wunsch > bester ? bester : wunsch);
    return g_pfad;
}

int plat_common_blit_pfad(void) { return pfad(); }

const char* plat_common_blit_pfadname(int p) {
    switch (p) {
        case BLIT_SSE2:
            return "SSE2";
        case BLIT_AVX2:
            return "AVX2";
        default:
            return "plain C";
    }
}

void plat_common_blit_keyed(uint8_t* ziel, int32_t ziel_pitch, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                            int32_t h, uint8_t key_lo, uint8_t key_hi) {
    if (w <= 0 || h <= 0) return;
    const uint8_t span = static_cast<uint8_t>(key_hi - key_lo);
#ifdef BLIT_X86
    if (pfad() == BLIT_AVX2) return keyed_avx2(ziel, ziel_pitch, quelle, quell_pitch, w, h, key_lo, span);
    if (pfad() == BLIT_SSE2) return keyed_sse2(ziel, ziel_pitch, quelle, quell_pitch, w, h, key_lo, span);
#endif
    for (int32_t y = 0; y < h; ++y)
        zeile_keyed_einfach(zeile(ziel, ziel_pitch, y), zeile(quelle, quell_pitch, y), w, key_lo, span);
}

void plat_common_blit_kopieren(uint8_t* ziel, int32_t ziel_pitch, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                               int32_t h) {
    if (w <= 0 || h <= 0) return;
    if (ziel_pitch == w && quell_pitch == w) {
        std::memcpy(ziel, quelle, static_cast<size_t>(w) * static_cast<size_t>(h));
        return;
    }
    for (int32_t y = 0; y < h; ++y)
        std::memcpy(zeile(ziel, ziel_pitch, y), zeile(quelle, quell_pitch, y), static_cast<size_t>(w));
}

// The C library's memset already runs at the memory's speed; what is
// left to gain is one call instead of one per row.
void plat_common_blit_fuellen(uint8_t* ziel, int32_t pitch, int32_t w, int32_t h, uint8_t farbe) {
    if (w <= 0 || h <= 0) return;
    if (pitch == w) {
        std::memset(ziel, farbe, static_cast<size_t>(w) * static_cast<size_t>(h));
        return;
    }
    for (int32_t y = 0; y < h; ++y) std::memset(zeile(ziel, pitch, y), farbe, static_cast<size_t>(w));
}

// Gathering lookups is slow on many processors, so AVX2 has no path of
// its own here.
void plat_common_blit_palette_umsetzen(const uint8_t* quelle, int32_t quell_pitch, int32_t w, int32_t h,
                                       const uint32_t tabelle[256], uint8_t* ziel, int32_t ziel_pitch) {
    if (w <= 0 || h <= 0) return;
    void (*zeile_umsetzen)(uint8_t*, const uint8_t*, int32_t, const uint32_t*) = zeile_umsetzen_einfach;
#ifdef BLIT_X86
    if (pfad() != BLIT_EINFACH) zeile_umsetzen = zeile_umsetzen_sse2;
#endif
    for (int32_t y = 0; y < h; ++y)
        zeile_umsetzen(zeile(ziel, ziel_pitch, y), zeile(quelle, quell_pitch, y), w, tabelle);
}

bool plat_common_blit_strecken_bauen(PlatBlitStrecken* s, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                                     int32_t h, uint8_t key_lo, uint8_t key_hi, size_t max_stuecke) {
    s->zeile.clear();
    s->stueck.clear();
    if (w <= 0 || h <= 0) return false;
    const uint8_t span = static_cast<uint8_t>(key_hi - key_lo);
    s->zeile.reserve(static_cast<size_t>(h) + 1);
    for (int32_t y = 0; y < h; ++y) {
        s->zeile.push_back(static_cast<uint32_t>(s->stueck.size()));
        const uint8_t* q = zeile(quelle, quell_pitch, y);
        int32_t x = 0;
        while (x < w) {
            while (x < w && static_cast<uint8_t>(q[x] - key_lo) <= span) ++x;
            if (x == w) break;
            const int32_t anfang = x;
            while (x<w&& static_cast<uint8_t>(q[x] - key_lo)> span) ++x;
            if (s->stueck.size() / 2 >= max_stuecke) {
                s->zeile.clear();
                s->stueck.clear();
                s->stueck.shrink_to_fit();
                return false;
            }
            s->stueck.push_back(anfang);
            s->stueck.push_back(x);
        }
    }
    s->zeile.push_back(static_cast<uint32_t>(s->stueck.size()));
    return true;
}

void plat_common_blit_strecken_kopieren(uint8_t* ziel, int32_t ziel_pitch, const uint8_t* quelle, int32_t quell_pitch,
                                        const PlatBlitStrecken& s, int32_t sx, int32_t sy, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0) return;
    const int32_t ende = sx + w;
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* q = zeile(quelle, quell_pitch, sy + y);
        uint8_t* z = zeile(ziel, ziel_pitch, y);
        const int32_t* p = s.stueck.data() + s.zeile[static_cast<size_t>(sy + y)];
        const int32_t* bis = s.stueck.data() + s.zeile[static_cast<size_t>(sy + y) + 1];
        for (; p < bis; p += 2) {
            const int32_t a = p[0] > sx ? p[0] : sx;
            const int32_t b = p[1] < ende ? p[1] : ende;
            if (a < b) std::memcpy(z + (a - sx), q + a, static_cast<size_t>(b - a));
        }
    }
}

void plat_common_blit_tabelle_bauen(const PALETTEENTRY palette[256], uint32_t tabelle[256]) {
    for (int i = 0; i < 256; ++i)
        tabelle[i] = 0xFF000000u | static_cast<uint32_t>(palette[i].peRed) << 16 |
                     static_cast<uint32_t>(palette[i].peGreen) << 8 | palette[i].peBlue;
}

void plat_common_blit_abgleich_vergessen(PlatBlitAbgleich* a) { a->gueltig = false; }

namespace {

#ifndef BLIT_X86
inline uint64_t wort(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
#endif

// The bytes anfang up to ende are where two rows differ; false when they
// are equal. A moving target changes a few dozen pixels of a row, so only
// those are converted.
bool zeile_unterschied(const uint8_t* a, const uint8_t* b, int32_t n, int32_t* anfang, int32_t* ende) {
    if (std::memcmp(a, b, static_cast<size_t>(n)) == 0) return false;
    int32_t i = 0, j = n;
#ifdef BLIT_X86
    // Sixteen bytes a step; the first and last unequal byte of a block
    // come from the compare's mask.
    for (; i + 16 <= n; i += 16) {
        const unsigned gleich = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)))));
        if (gleich != 0xFFFFu) {
            i += __builtin_ctz(~gleich);
            break;
        }
    }
    for (; j - 16 >= i; j -= 16) {
        const unsigned gleich = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + j - 16)),
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + j - 16)))));
        if (gleich != 0xFFFFu) {
            j -= __builtin_clz(~gleich & 0xFFFFu) - 16;
            break;
        }
    }
#else
    while (i + 8 <= n && wort(a + i) == wort(b + i)) i += 8;
    while (j - 8 >= i && wort(a + j - 8) == wort(b + j - 8)) j -= 8;
#endif
    while (a[i] == b[i]) ++i;
    while (a[j - 1] == b[j - 1]) --j;
    *anfang = i;
    *ende = j;
    return true;
}

}   // namespace

// Most of a playing frame stands still between flips; comparing a row
// costs a fraction of converting it.
void plat_common_blit_palette_nachfuehren(PlatBlitAbgleich* a, const uint8_t* quelle, int32_t quell_pitch, int32_t w,
                                          int32_t h, const uint32_t tabelle[256], uint8_t* ziel, int32_t ziel_pitch,
                                          int32_t* von, int32_t* bis) {
    *von = *bis = 0;
    if (w <= 0 || h <= 0) return;
    const size_t breite = static_cast<size_t>(w);
    a->spannen.assign(2 * static_cast<size_t>(h), 0);
    const bool alles = !a->gueltig || a->w != w || a->h != h || a->ziel != ziel || a->ziel_pitch != ziel_pitch ||
                       std::memcmp(a->tabelle, tabelle, sizeof a->tabelle) != 0;
    if (alles) {
        a->gueltig = false;   // stays so should the resize throw
        a->vorher.resize(breite * static_cast<size_t>(h));
        plat_common_blit_palette_umsetzen(quelle, quell_pitch, w, h, tabelle, ziel, ziel_pitch);
        plat_common_blit_kopieren(a->vorher.data(), w, quelle, quell_pitch, w, h);
        std::memcpy(a->tabelle, tabelle, sizeof a->tabelle);
        a->ziel = ziel;
        a->w = w;
        a->h = h;
        a->ziel_pitch = ziel_pitch;
        a->gueltig = true;
        for (int32_t y = 0; y < h; ++y) a->spannen[2 * static_cast<size_t>(y) + 1] = w;
        *bis = h;
        return;
    }
    int32_t erste = h, letzte = -1;
    uint8_t* alt = a->vorher.data();
    for (int32_t y = 0; y < h; ++y, alt += breite) {
        const uint8_t* neu = zeile(quelle, quell_pitch, y);
        int32_t anfang = 0, ende = 0;
        if (!zeile_unterschied(alt, neu, w, &anfang, &ende)) continue;
        plat_common_blit_palette_umsetzen(neu + anfang, quell_pitch, ende - anfang, 1, tabelle,
                                          zeile(ziel, ziel_pitch, y) + 4 * anfang, ziel_pitch);
        std::memcpy(alt + anfang, neu + anfang, static_cast<size_t>(ende - anfang));
        a->spannen[2 * static_cast<size_t>(y)] = anfang;
        a->spannen[2 * static_cast<size_t>(y) + 1] = ende;
        if (y < erste) erste = y;
        letzte = y;
    }
    if (letzte >= 0) {
        *von = erste;
        *bis = letzte + 1;
    }
}
