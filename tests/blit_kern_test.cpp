// The pixel kernels on every path this processor has: exact pixels for
// every width up to 40, every alignment of source and destination within
// 16 bytes, pitches wider than the rows, and the bytes around each row
// left alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "blit_hilfe_test.h"

namespace {

const uint8_t RAND = 0xC3;   // what the bytes around the rectangle hold
const int RAND_BYTES = 48;   // before the first and after the last row

// A buffer of h rows, pitch bytes apart, starting `versatz` bytes into its
// storage, with guard bytes all around.
struct Puffer {
    std::vector<uint8_t> speicher;
    int versatz, pitch, h, bpp;

    Puffer(int w, int hoehe, int extra, int ausrichtung, int bytes_pro_pixel = 1)
        : versatz(RAND_BYTES + ausrichtung), pitch(w * bytes_pro_pixel + extra), h(hoehe), bpp(bytes_pro_pixel) {
        speicher.assign(static_cast<size_t>(versatz + pitch * h + RAND_BYTES), RAND);
    }
    uint8_t* p() { return speicher.data() + versatz; }
    uint8_t* zeile(int y) { return p() + y * pitch; }
};

int Zufall(uint32_t* saat) {
    *saat = *saat * 1103515245u + 12345u;
    return static_cast<int>((*saat >> 16) & 0x7FFF);
}

// Source pixels mixing the key range's neighbours, runs and noise.
void Quelle_fuellen(Puffer* q, int w, uint32_t saat) {
    static const uint8_t werte[] = {255, 254, 0, 1, 250, 251, 252, 253, 7, 128};
    for (int y = 0; y < q->h; ++y)
        for (int x = 0; x < w; ++x) {
            const int r = Zufall(&saat);
            q->zeile(y)[x] = r % 3 == 0 ? 255 : werte[r % 10];
        }
}

// Every byte outside the w-wide rows is still the guard value.
::testing::AssertionResult Rand_unberuehrt(Puffer& b, int zeilen_bytes) {
    for (size_t i = 0; i < b.speicher.size(); ++i) {
        const long rel = static_cast<long>(i) - b.versatz;
        const bool drin = rel >= 0 && rel < static_cast<long>(b.pitch) * b.h && rel % b.pitch < zeilen_bytes;
        if (!drin && b.speicher[i] != RAND)
            return ::testing::AssertionFailure() << "byte " << rel << " outside the rectangle was changed";
    }
    return ::testing::AssertionSuccess();
}

class BlitKern : public ::testing::TestWithParam<int> {
protected:
    BlitPfadWahl pfad;
    void SetUp() override {
        if (!pfad.setzen(GetParam())) GTEST_SKIP() << "this processor lacks " << plat_common_blit_pfadname(GetParam());
    }
};

TEST_P(BlitKern, KeyedHandPickedRowKeepsExactlyTheKeyPixels) {
    // 19 pixels: one vector block, and a ragged end that overlaps it.
    const uint8_t quelle[19] = {1, 255, 3, 255, 255, 6, 254, 0, 255, 10, 11, 255, 13, 14, 15, 16, 255, 18, 255};
    uint8_t ziel[19];
    std::memset(ziel, 0x77, sizeof ziel);
    plat_common_blit_keyed(ziel, 19, quelle, 19, 19, 1, 255, 255);
    const uint8_t erwartet[19] = {1,  0x77, 3,  0x77, 0x77, 6,  254,  0,  0x77, 10,
                                  11, 0x77, 13, 14,   15,   16, 0x77, 18, 0x77};
    EXPECT_EQ(0, std::memcmp(ziel, erwartet, sizeof ziel));
}

TEST_P(BlitKern, KeyRangeBoundsAreInclusive) {
    uint8_t quelle[40], ziel[40];
    for (int i = 0; i < 40; ++i) quelle[i] = static_cast<uint8_t>(245 + i % 11);   // 245..255
    std::memset(ziel, 9, sizeof ziel);
    plat_common_blit_keyed(ziel, 40, quelle, 40, 40, 1, 250, 252);
    for (int i = 0; i < 40; ++i) {
        const bool schluessel = quelle[i] >= 250 && quelle[i] <= 252;
        EXPECT_EQ(ziel[i], schluessel ? 9 : quelle[i]) << "pixel " << i << " index " << int(quelle[i]);
    }
    // A key of index 0 alone, and one that covers every index.
    for (int i = 0; i < 40; ++i) quelle[i] = static_cast<uint8_t>(i % 3);
    std::memset(ziel, 200, sizeof ziel);
    plat_common_blit_keyed(ziel, 40, quelle, 40, 40, 1, 0, 0);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(ziel[i], i % 3 == 0 ? 200 : i % 3);
    std::memset(ziel, 200, sizeof ziel);
    plat_common_blit_keyed(ziel, 40, quelle, 40, 40, 1, 0, 255);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(ziel[i], 200);
}

TEST_P(BlitKern, KeyedEveryWidthAndAlignment) {
    const int H = 3;
    for (int w = 1; w <= 40; ++w)
        for (int aq = 0; aq < 16; ++aq)
            for (int az : {0, 1, 7, 15, (aq * 5 + 3) % 16}) {
                SCOPED_TRACE("width " + std::to_string(w) + ", source +" + std::to_string(aq) + ", target +" +
                             std::to_string(az));
                Puffer q(w, H, 5 + aq, aq), z(w, H, 11, az);
                Quelle_fuellen(&q, w, static_cast<uint32_t>(w * 977 + aq * 31 + az));
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < w; ++x) z.zeile(y)[x] = static_cast<uint8_t>(x * 3 + y + 20);
                plat_common_blit_keyed(z.p(), z.pitch, q.p(), q.pitch, w, H, 255, 255);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < w; ++x) {
                        const uint8_t v = q.zeile(y)[x];
                        ASSERT_EQ(z.zeile(y)[x], v == 255 ? static_cast<uint8_t>(x * 3 + y + 20) : v)
                            << "at " << x << "," << y;
                    }
                ASSERT_TRUE(Rand_unberuehrt(z, w));
                ASSERT_TRUE(Rand_unberuehrt(q, w));
            }
}

TEST_P(BlitKern, KeyedLongRowsWithRunsAndHoles) {
    // Rows as wide as the screen, ending at every offset of a 32-byte block.
    for (int w = 1000; w <= 1033; ++w) {
        Puffer q(w, 2, 0, 0), z(w, 2, 64, 3);
        for (int x = 0; x < w; ++x) {
            q.zeile(0)[x] = (x / 37) % 2 ? 255 : static_cast<uint8_t>(x % 250);
            q.zeile(1)[x] = x % 2 ? 255 : 40;
        }
        std::memset(z.zeile(0), 5, w);
        std::memset(z.zeile(1), 6, w);
        plat_common_blit_keyed(z.p(), z.pitch, q.p(), q.pitch, w, 2, 255, 255);
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(z.zeile(0)[x], (x / 37) % 2 ? 5 : x % 250) << "width " << w << " x " << x;
            ASSERT_EQ(z.zeile(1)[x], x % 2 ? 6 : 40) << "width " << w << " x " << x;
        }
        ASSERT_TRUE(Rand_unberuehrt(z, w));
    }
}

TEST_P(BlitKern, CopyAndFillEveryWidthAndAlignment) {
    for (int w = 1; w <= 40; ++w)
        for (int a = 0; a < 16; ++a)
            for (int extra : {0, 9}) {
                SCOPED_TRACE("width " + std::to_string(w) + " +" + std::to_string(a) + " extra " +
                             std::to_string(extra));
                Puffer q(w, 4, extra, a), z(w, 4, extra ? extra + 2 : 0, 15 - a);
                Quelle_fuellen(&q, w, static_cast<uint32_t>(w + 100 * a));
                plat_common_blit_kopieren(z.p(), z.pitch, q.p(), q.pitch, w, 4);
                for (int y = 0; y < 4; ++y) ASSERT_EQ(0, std::memcmp(z.zeile(y), q.zeile(y), w)) << "row " << y;
                ASSERT_TRUE(Rand_unberuehrt(z, w));

                plat_common_blit_fuellen(z.p(), z.pitch, w, 4, static_cast<uint8_t>(w));
                for (int y = 0; y < 4; ++y)
                    for (int x = 0; x < w; ++x) ASSERT_EQ(z.zeile(y)[x], w);
                ASSERT_TRUE(Rand_unberuehrt(z, w));
            }
}

TEST_P(BlitKern, EmptyRectanglesTouchNothing) {
    Puffer q(8, 2, 0, 0), z(8, 2, 0, 0);
    uint32_t tabelle[256] = {};
    for (int w : {0, -3}) {
        plat_common_blit_keyed(z.p(), 8, q.p(), 8, w, 2, 255, 255);
        plat_common_blit_kopieren(z.p(), 8, q.p(), 8, w, 2);
        plat_common_blit_fuellen(z.p(), 8, w, 2, 1);
        plat_common_blit_palette_umsetzen(q.p(), 8, w, 2, tabelle, z.p(), 8);
        plat_common_blit_keyed(z.p(), 8, q.p(), 8, 8, w, 255, 255);
        plat_common_blit_fuellen(z.p(), 8, 8, w, 1);
    }
    EXPECT_TRUE(Rand_unberuehrt(z, 0));
}

uint32_t Pixel32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

TEST_P(BlitKern, PaletteEveryWidthAndAlignment) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle);
    for (int w = 1; w <= 40; ++w)
        for (int a = 0; a < 16; ++a) {
            SCOPED_TRACE("width " + std::to_string(w) + " +" + std::to_string(a));
            // Row 0 noise, row 1 one run, row 2 a run broken at its last pixel,
            // row 3 a run broken at its first.
            Puffer q(w, 4, 3 + a, a), z(w, 4, 6, (a * 7) % 16, 4);
            Quelle_fuellen(&q, w, static_cast<uint32_t>(w * 13 + a));
            for (int x = 0; x < w; ++x) q.zeile(1)[x] = q.zeile(2)[x] = q.zeile(3)[x] = 120;
            q.zeile(2)[w - 1] = 121;
            q.zeile(3)[0] = 119;
            plat_common_blit_palette_umsetzen(q.p(), q.pitch, w, 4, tabelle, z.p(), z.pitch);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(Pixel32(z.zeile(y) + 4 * x), tabelle[q.zeile(y)[x]]) << "at " << x << "," << y;
            ASSERT_TRUE(Rand_unberuehrt(z, 4 * w));
        }
}

TEST_P(BlitKern, PaletteScreenRowsWithRunsOfEveryLength) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle);
    const int W = 1024, H = 40;
    Puffer q(W, H, 0, 0), z(W, H, 0, 0, 4);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) q.zeile(y)[x] = static_cast<uint8_t>((x + 3 * y) / (y + 1));   // runs of y + 1
    plat_common_blit_palette_umsetzen(q.p(), q.pitch, W, H, tabelle, z.p(), z.pitch);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            ASSERT_EQ(Pixel32(z.zeile(y) + 4 * x), tabelle[q.zeile(y)[x]]) << "at " << x << "," << y;
    EXPECT_TRUE(Rand_unberuehrt(z, 4 * W));
}

INSTANTIATE_TEST_SUITE_P(Pfade, BlitKern, ::testing::Values(BLIT_EINFACH, BLIT_SSE2, BLIT_AVX2), Pfadname);

TEST(PlatBlitStrecken, CopyEqualsTheBlendForEveryWindowOfThePicture) {
    const int W = 70, H = 5;
    Puffer q(W, H, 6, 3);
    uint32_t saat = 77;
    for (int y = 0; y < H; ++y)   // runs of every length, a key range, rows all key and none
        for (int x = 0; x < W; ++x)
            q.zeile(y)[x] = y == 3 ? 251 : y == 4 ? 9 : ((x / (1 + y * 3 + Zufall(&saat) % 2)) % 2 ? 250 + x % 3 : x);
    PlatBlitStrecken s;
    ASSERT_TRUE(plat_common_blit_strecken_bauen(&s, q.p(), q.pitch, W, H, 250, 252, 1000));
    EXPECT_EQ(s.zeile[4] - s.zeile[3], 0u) << "a row of the key has no stretch";
    EXPECT_EQ(s.zeile[5] - s.zeile[4], 2u) << "a row without it is one";
    for (int sx = 0; sx < W; sx += 3)
        for (int w = 1; sx + w <= W; w += 5)
            for (int sy = 0; sy < H; sy += 2) {
                const int h = H - sy;
                Puffer a(w, h, 4, 1), b(w, h, 4, 1);
                for (int y = 0; y < h; ++y) std::memset(a.zeile(y), 0x40 + y, w), std::memset(b.zeile(y), 0x40 + y, w);
                plat_common_blit_keyed(a.p(), a.pitch, q.zeile(sy) + sx, q.pitch, w, h, 250, 252);
                plat_common_blit_strecken_kopieren(b.p(), b.pitch, q.p(), q.pitch, s, sx, sy, w, h);
                ASSERT_EQ(a.speicher, b.speicher) << "window " << sx << "," << sy << " " << w << "x" << h;
            }
}

TEST(PlatBlitStrecken, PicturesOfShortStretchesAreLeftToTheBlend) {
    Puffer q(64, 4, 0, 0);
    Quelle_fuellen(&q, 64, 5);
    PlatBlitStrecken s;
    EXPECT_FALSE(plat_common_blit_strecken_bauen(&s, q.p(), q.pitch, 64, 4, 255, 255, 4));
    EXPECT_TRUE(s.zeile.empty() && s.stueck.empty());
    EXPECT_FALSE(plat_common_blit_strecken_bauen(&s, q.p(), q.pitch, 0, 4, 255, 255, 4));
}

TEST(BlitPfad, RequestsAreClampedToWhatTheMachineHas) {
    const int vorher = plat_common_blit_pfad();
    const int bester = plat_common_blit_bester_pfad();
    EXPECT_EQ(vorher, bester) << "the best path is the default";
    EXPECT_EQ(plat_common_blit_pfad_setzen(-4), BLIT_EINFACH);
    EXPECT_EQ(plat_common_blit_pfad(), BLIT_EINFACH);
    EXPECT_EQ(plat_common_blit_pfad_setzen(99), bester);
    EXPECT_EQ(plat_common_blit_pfad_setzen(vorher), vorher);
#if defined(__x86_64__)
    EXPECT_GE(bester, BLIT_SSE2) << "every x86-64 has SSE2";
#endif
}

}   // namespace
