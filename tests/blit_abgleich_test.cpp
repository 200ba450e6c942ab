// The flip's conversion of only the changed rows: whatever changed, the
// 32-bit picture ends up as a whole conversion would have made it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "blit_hilfe_test.h"

namespace {

const int W = 1024, H = 768, PITCH = W + 8;   // source rows wider than the picture

struct Bild {
    std::vector<uint8_t> quelle = std::vector<uint8_t>(static_cast<size_t>(PITCH) * H);
    std::vector<uint32_t> ausgabe = std::vector<uint32_t>(static_cast<size_t>(W) * H, 0xDEADBEEFu);
    PlatBlitAbgleich abgleich;
    int32_t von = -1, bis = -1;

    Bild() {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                quelle[static_cast<size_t>(y) * PITCH + x] = static_cast<uint8_t>((x / 16 + y) & 0xFF);
    }
    void nachfuehren(const uint32_t tabelle[256]) {
        plat_common_blit_palette_nachfuehren(&abgleich, quelle.data(), PITCH, W, H, tabelle,
                                             reinterpret_cast<uint8_t*>(ausgabe.data()), 4 * W, &von, &bis);
    }
    // The output equals a conversion of the whole picture.
    ::testing::AssertionResult wie_ganz(const uint32_t tabelle[256]) {
        std::vector<uint32_t> ganz(static_cast<size_t>(W) * H);
        plat_common_blit_palette_umsetzen(quelle.data(), PITCH, W, H, tabelle, reinterpret_cast<uint8_t*>(ganz.data()),
                                          4 * W);
        for (size_t i = 0; i < ganz.size(); ++i)
            if (ganz[i] != ausgabe[i])
                return ::testing::AssertionFailure() << "pixel " << i % W << "," << i / W << " differs";
        return ::testing::AssertionSuccess();
    }
};

TEST(PlatBlitAbgleich, FirstFrameConvertsEverything) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle, 0x5A);
    Bild b;
    b.nachfuehren(tabelle);
    EXPECT_EQ(b.von, 0);
    EXPECT_EQ(b.bis, H);
    EXPECT_TRUE(b.wie_ganz(tabelle));
}

TEST(PlatBlitAbgleich, UnchangedFrameConvertsNothing) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle, 0x5A);
    Bild b;
    b.nachfuehren(tabelle);
    b.ausgabe[5] = 0x01020304u;   // would be repaired by any conversion of row 0
    b.nachfuehren(tabelle);
    EXPECT_EQ(b.von, b.bis);
    EXPECT_EQ(b.ausgabe[5], 0x01020304u);
}

TEST(PlatBlitAbgleich, AnySinglePixelChangedMatchesAWholeConversion) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle, 0x5A);
    Bild b;
    b.nachfuehren(tabelle);
    const int punkte[][2] = {{0, 0},     {W - 1, 0}, {0, H - 1}, {W - 1, H - 1},
                             {517, 389}, {15, 16},   {16, 15},   {1000, 31}};
    for (const auto& p : punkte) {
        SCOPED_TRACE(std::to_string(p[0]) + "," + std::to_string(p[1]));
        b.quelle[static_cast<size_t>(p[1]) * PITCH + p[0]] ^= 0x81;
        b.nachfuehren(tabelle);
        EXPECT_EQ(b.von, p[1]);
        EXPECT_EQ(b.bis, p[1] + 1);
        ASSERT_TRUE(b.wie_ganz(tabelle));
    }
    // Every column of one row and every row of one column.
    for (int x = 0; x < W; x += 7) {
        b.quelle[static_cast<size_t>(300) * PITCH + x] += 1;
        b.nachfuehren(tabelle);
        ASSERT_TRUE(b.wie_ganz(tabelle)) << "column " << x;
    }
    for (int y = 0; y < H; y += 5) {
        b.quelle[static_cast<size_t>(y) * PITCH + 77] += 3;
        b.nachfuehren(tabelle);
        ASSERT_TRUE(b.wie_ganz(tabelle)) << "row " << y;
    }
}

TEST(PlatBlitAbgleich, ScatteredRowsAndTheBytesPastTheRowsIgnored) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle, 0x5A);
    Bild b;
    b.nachfuehren(tabelle);
    for (int y : {3, 4, 5, 200, 767}) b.quelle[static_cast<size_t>(y) * PITCH + y % W] ^= 0xFF;
    b.quelle[static_cast<size_t>(100) * PITCH + W + 2] ^= 0xFF;   // outside the picture
    b.nachfuehren(tabelle);
    EXPECT_EQ(b.von, 3);
    EXPECT_EQ(b.bis, H);
    EXPECT_TRUE(b.wie_ganz(tabelle));
    b.quelle[static_cast<size_t>(400) * PITCH + W + 5] ^= 0xFF;
    b.nachfuehren(tabelle);
    EXPECT_EQ(b.von, b.bis);
}

TEST(PlatBlitAbgleich, PaletteChangeConvertsEverything) {
    uint32_t tabelle[256], andere[256];
    Tabelle_bauen(tabelle, 0x5A);
    Bild b;
    b.nachfuehren(tabelle);
    std::memcpy(andere, tabelle, sizeof andere);
    andere[200] ^= 0x00FF0000u;   // one entry, used by some rows only
    b.nachfuehren(andere);
    EXPECT_EQ(b.von, 0);
    EXPECT_EQ(b.bis, H);
    EXPECT_TRUE(b.wie_ganz(andere));
}

TEST(PlatBlitAbgleich, ForgottenOrNewOutputConvertsEverything) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle, 0x5A);
    Bild b;
    b.nachfuehren(tabelle);
    std::fill(b.ausgabe.begin(), b.ausgabe.end(), 0u);   // as a lost screen leaves it
    plat_common_blit_abgleich_vergessen(&b.abgleich);
    b.nachfuehren(tabelle);
    EXPECT_EQ(b.von, 0);
    EXPECT_EQ(b.bis, H);
    EXPECT_TRUE(b.wie_ganz(tabelle));

    std::vector<uint32_t> neu(static_cast<size_t>(W) * H, 0u);
    b.ausgabe.swap(neu);   // another buffer than the one remembered
    b.nachfuehren(tabelle);
    EXPECT_EQ(b.von, 0);
    EXPECT_EQ(b.bis, H);
    EXPECT_TRUE(b.wie_ganz(tabelle));
}

// Narrow pictures whose rows end in a part word, changed in random runs.
TEST(PlatBlitAbgleich, RandomRunsInOddWidths) {
    uint32_t tabelle[256];
    Tabelle_bauen(tabelle, 0x33);
    uint32_t saat = 7;
    auto zufall = [&saat](int n) {
        saat = saat * 1103515245u + 12345u;
        return static_cast<int>((saat >> 16) % static_cast<uint32_t>(n));
    };
    for (int w : {1, 7, 8, 9, 13, 16, 31, 33, 100}) {
        const int h = 6, pitch = w + 3;
        std::vector<uint8_t> q(static_cast<size_t>(pitch) * h, 9);
        std::vector<uint32_t> aus(static_cast<size_t>(w) * h), ganz(aus.size());
        PlatBlitAbgleich a;
        int32_t von = 0, bis = 0;
        for (int runde = 0; runde < 50; ++runde) {
            const int y = zufall(h), x = zufall(w), n = 1 + zufall(w - x);
            for (int i = 0; i < n; ++i) q[static_cast<size_t>(y) * pitch + x + i] = static_cast<uint8_t>(zufall(4));
            plat_common_blit_palette_nachfuehren(&a, q.data(), pitch, w, h, tabelle,
                                                 reinterpret_cast<uint8_t*>(aus.data()), 4 * w, &von, &bis);
            plat_common_blit_palette_umsetzen(q.data(), pitch, w, h, tabelle, reinterpret_cast<uint8_t*>(ganz.data()),
                                              4 * w);
            ASSERT_EQ(aus, ganz) << "width " << w << " round " << runde;
        }
    }
}

}   // namespace
