// Scaling on the processor, for screens without a graphics card: the
// picture enlarged by an integer factor with nearest neighbour, then
// taken linearly to the screen's size, done in one pass per axis. Every
// output pixel is one source pixel or a mix of two neighbours, so only
// the places of the source that changed need doing again.
#include <cstring>

#include "platform/sdl/sdl_intern.h"

#if defined(__x86_64__) && defined(__SSE2__)
#include <emmintrin.h>
#define SKALIEREN_SSE2 1
#endif

namespace {

// Two 32-bit pixels mixed, f / 256 of q.
inline uint32_t pixel_mischen(uint32_t p, uint32_t q, uint32_t f) {
    const uint32_t g = 256 - f;
    const uint32_t rb = (((p & 0xFF00FFu) * g + (q & 0xFF00FFu) * f) >> 8) & 0xFF00FFu;
    const uint32_t ga = (((p >> 8) & 0xFF00FFu) * g + ((q >> 8) & 0xFF00FFu) * f) & 0xFF00FF00u;
    return rb | ga;
}

// One output row, columns von up to bis, from one source row.
void zeile_quer(const SdlAchse& x, const uint32_t* quelle, int von, int bis, uint32_t* ziel) {
    const int32_t* q = x.quelle.data();
    const uint16_t* a = x.anteil.data();
    const int letzte = x.quell_n - 1;
    int i = von;
#ifdef SKALIEREN_SSE2
    // Four pixels a step: both neighbours gathered, mixed in 16-bit lanes.
    const __m128i null = _mm_setzero_si128();
    const __m128i voll = _mm_set1_epi16(256);
    for (; i + 4 <= bis; i += 4) {
        const int32_t q0 = q[i], q1 = q[i + 1], q2 = q[i + 2], q3 = q[i + 3];
        const __m128i links = _mm_set_epi32(static_cast<int>(quelle[q3]), static_cast<int>(quelle[q2]),
                                            static_cast<int>(quelle[q1]), static_cast<int>(quelle[q0]));
        const __m128i rechts = _mm_set_epi32(
            static_cast<int>(quelle[q3 < letzte ? q3 + 1 : q3]), static_cast<int>(quelle[q2 < letzte ? q2 + 1 : q2]),
            static_cast<int>(quelle[q1 < letzte ? q1 + 1 : q1]), static_cast<int>(quelle[q0 < letzte ? q0 + 1 : q0]));
        // Each pixel's weight in all four of its 16-bit channels.
        const __m128i w01 =
            _mm_unpacklo_epi16(_mm_set1_epi16(static_cast<short>(a[i])), _mm_set1_epi16(static_cast<short>(a[i + 1])));
        const __m128i w23 = _mm_unpacklo_epi16(_mm_set1_epi16(static_cast<short>(a[i + 2])),
                                               _mm_set1_epi16(static_cast<short>(a[i + 3])));
        const __m128i f01 = _mm_unpacklo_epi64(_mm_shufflelo_epi16(w01, 0x00), _mm_shufflelo_epi16(w01, 0x55));
        const __m128i f23 = _mm_unpacklo_epi64(_mm_shufflelo_epi16(w23, 0x00), _mm_shufflelo_epi16(w23, 0x55));
        const __m128i l01 = _mm_unpacklo_epi8(links, null), l23 = _mm_unpackhi_epi8(links, null);
        const __m128i r01 = _mm_unpacklo_epi8(rechts, null), r23 = _mm_unpackhi_epi8(rechts, null);
        const __m128i m01 =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(l01, _mm_sub_epi16(voll, f01)), _mm_mullo_epi16(r01, f01)), 8);
        const __m128i m23 =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(l23, _mm_sub_epi16(voll, f23)), _mm_mullo_epi16(r23, f23)), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(ziel + i), _mm_packus_epi16(m01, m23));
    }
#endif
    for (; i < bis; ++i) {
        const int32_t s = q[i];
        ziel[i] = pixel_mischen(quelle[s], quelle[s < letzte ? s + 1 : s], a[i]);
    }
}

// Two rows mixed, weight f / 256 of b.
void zeilen_mischen(const uint32_t* a, const uint32_t* b, int n, uint32_t f, uint32_t* ziel) {
    int i = 0;
#ifdef SKALIEREN_SSE2
    const __m128i null = _mm_setzero_si128();
    const __m128i wb = _mm_set1_epi16(static_cast<short>(f));
    const __m128i wa = _mm_set1_epi16(static_cast<short>(256 - f));
    for (; i + 4 <= n; i += 4) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(va, null), wa),
                                                        _mm_mullo_epi16(_mm_unpacklo_epi8(vb, null), wb)),
                                          8);
        const __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(va, null), wa),
                                                        _mm_mullo_epi16(_mm_unpackhi_epi8(vb, null), wb)),
                                          8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(ziel + i), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < n; ++i) ziel[i] = pixel_mischen(a[i], b[i], f);
}

// A source row scaled across for the output columns von up to bis, kept
// in one of two buffers: the output rows that mix two source rows find
// both there, and the runs of equal rows copy it.
const uint32_t* quer_geholt(SdlSkalierer* s, const uint32_t* quelle, int32_t quell_pitch, int zeile, int von, int bis) {
    for (int i = 0; i < 2; ++i) {
        if (s->puffer_zeile[i] == zeile && s->puffer_von[i] == von && s->puffer_bis[i] == bis)
            return s->puffer[i].data();
    }
    // The buffer not holding the row just before, which the next mix may need.
    const int i = s->puffer_zeile[0] == zeile - 1 ? 1 : 0;
    std::vector<uint32_t>& p = s->puffer[i];
    if (p.size() < static_cast<size_t>(s->x.ziel_n)) p.resize(static_cast<size_t>(s->x.ziel_n));
    zeile_quer(s->x, quelle + static_cast<intptr_t>(zeile) * quell_pitch, von, bis, p.data());
    s->puffer_zeile[i] = zeile;
    s->puffer_von[i] = von;
    s->puffer_bis[i] = bis;
    return p.data();
}

}   // namespace

void sdl_achse_berechnen(SdlAchse* achse, int quell_n, int ziel_n, int vorfaktor) {
    achse->quell_n = quell_n;
    achse->ziel_n = ziel_n;
    achse->vorfaktor = vorfaktor;
    achse->quelle.assign(ziel_n > 0 ? static_cast<size_t>(ziel_n) : 0, 0);
    achse->anteil.assign(achse->quelle.size(), 0);
    achse->von.assign(quell_n > 0 ? static_cast<size_t>(quell_n) : 0, 0);
    achse->bis.assign(achse->von.size(), 0);
    if (quell_n <= 0 || ziel_n <= 0 || vorfaktor <= 0) return;
    // Output pixel i samples the enlarged picture (p pixels) at its middle:
    // u = (i + 1/2) * p / ziel_n - 1/2, here as 2 * ziel_n * u in integers.
    const int64_t p = static_cast<int64_t>(quell_n) * vorfaktor;
    const int64_t nenner = 2 * static_cast<int64_t>(ziel_n);
    for (int i = 0; i < ziel_n; ++i) {
        const int64_t u = (2 * static_cast<int64_t>(i) + 1) * p - ziel_n;
        int64_t t = 0, anteil = 0;
        if (u > 0) {
            t = u / nenner;
            anteil = ((u % nenner) * 256 + nenner / 2) / nenner;
            if (anteil == 256) {
                ++t;
                anteil = 0;
            }
        }
        if (t >= p - 1) {   // past the last pixel's middle: the edge holds
            t = p - 1;
            anteil = 0;
        }
        // Both enlarged pixels of one source pixel: nothing to mix.
        if (t / vorfaktor == (t + 1) / vorfaktor) anteil = 0;
        achse->quelle[static_cast<size_t>(i)] = static_cast<int32_t>(t / vorfaktor);
        achse->anteil[static_cast<size_t>(i)] = static_cast<uint16_t>(anteil);
    }
    // Which outputs read each source pixel; positions are in order, so the
    // ranges are too. A pixel no output reads (when shrinking) gets the
    // empty range where it would stand.
    int i = 0;
    for (int x = 0; x < quell_n; ++x) {
        while (i < ziel_n &&
               achse->quelle[static_cast<size_t>(i)] + (achse->anteil[static_cast<size_t>(i)] ? 1 : 0) < x)
            ++i;
        achse->von[static_cast<size_t>(x)] = i;
    }
    i = ziel_n;
    for (int x = quell_n - 1; x >= 0; --x) {
        while (i > 0 && achse->quelle[static_cast<size_t>(i) - 1] > x) --i;
        achse->bis[static_cast<size_t>(x)] = i;
    }
}

void sdl_skalierer_einrichten(SdlSkalierer* s, int quell_b, int quell_h, int ziel_b, int ziel_h, int vorfaktor) {
    sdl_achse_berechnen(&s->x, quell_b, ziel_b, vorfaktor);
    sdl_achse_berechnen(&s->y, quell_h, ziel_h, vorfaktor);
    s->puffer_zeile[0] = s->puffer_zeile[1] = -1;
}

int64_t sdl_skalieren(SdlSkalierer* s, const uint32_t* quelle, int32_t quell_pitch, const int32_t* spannen,
                      uint32_t* ziel, int32_t ziel_pitch, std::vector<SdlBildrechteck>* baender) {
    const SdlAchse& ax = s->x;
    const SdlAchse& ay = s->y;
    int64_t pixel = 0;
    if (ax.ziel_n <= 0 || ay.ziel_n <= 0 || ax.quell_n <= 0 || ay.quell_n <= 0) return 0;
    // What the rows' buffers held belongs to the last frame.
    s->puffer_zeile[0] = s->puffer_zeile[1] = -1;
    const int letzte = ay.quell_n - 1;
    for (int i = 0; i < ay.ziel_n; ++i) {
        const int zeile = ay.quelle[static_cast<size_t>(i)];
        const uint32_t f = ay.anteil[static_cast<size_t>(i)];
        const int zweite = f != 0 && zeile < letzte ? zeile + 1 : zeile;
        // The output columns that read a changed place of either row.
        int von = 0, bis = ax.ziel_n;
        if (spannen != nullptr) {
            von = ax.ziel_n;
            bis = 0;
            for (int z = zeile; z <= zweite; ++z) {
                const int32_t a = spannen[2 * z], b = spannen[2 * z + 1];
                if (a >= b) continue;
                const int32_t v = ax.von[static_cast<size_t>(a)], e = ax.bis[static_cast<size_t>(b - 1)];
                if (v < von) von = v;
                if (e > bis) bis = e;
            }
            if (von >= bis) continue;
        }
        uint32_t* aus = ziel + static_cast<intptr_t>(i) * ziel_pitch;
        const uint32_t* oben = quer_geholt(s, quelle, quell_pitch, zeile, von, bis);
        if (zweite == zeile) {
            std::memcpy(aus + von, oben + von, static_cast<size_t>(bis - von) * sizeof(uint32_t));
        } else {
            const uint32_t* unten = quer_geholt(s, quelle, quell_pitch, zweite, von, bis);
            oben = quer_geholt(s, quelle, quell_pitch, zeile, von, bis);   // may have made room for unten
            zeilen_mischen(oben + von, unten + von, bis - von, f, aus + von);
        }
        pixel += bis - von;
        if (baender == nullptr) continue;
        SdlBildrechteck* letztes = baender->empty() ? nullptr : &baender->back();
        if (letztes != nullptr && letztes->y + letztes->h == i && letztes->x == von && letztes->w == bis - von) {
            ++letztes->h;
        } else {
            baender->push_back(SdlBildrechteck{von, i, bis - von, 1});
        }
    }
    return pixel;
}
