// The generated "Grafik.dat": its index, every picture through the game's
// loader, the shared palette and what the pictures must hold.
#include <set>

#include "content_hilfe_test.h"
#include "kern/bytefolge.h"

namespace {

uint32_t Le32_lesen(const std::string& d, size_t pos) { return Bytes_Wert_lesen(d.data(), d.size(), pos, 4); }

struct Rgb {
    int r, g, b;
    int Hell() const { return (r * 3 + g * 6 + b) / 10; }
};

}   // namespace

using ContentGrafik = ContentTest;

TEST_F(ContentGrafik, EverySectorLoadsOntoItsSurface) {
    for (const ContentBild& c : Content_inventar()) {
        std::vector<uint8_t> px = Bild(c.iSektor, c.iBreite, c.iHoehe);
        EXPECT_EQ(px.size(), (size_t)c.iBreite * c.iHoehe) << "sector " << c.iSektor;
    }
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);
    EXPECT_NE(iGameState, GS_EXIT);
}

TEST_F(ContentGrafik, IndexNamesOnlyTheInventory) {
    std::string d = Datei_lesen("Grafik.dat");
    ASSERT_GT(d.size(), 544u);
    size_t index = d.size() - 544;
    const PackFileVerzeichnis pfv = Verzeichnis(d);
    std::set<int> inventar;
    for (const ContentBild& c : Content_inventar()) inventar.insert(c.iSektor);
    for (int i = 0; i < 50; i++) {
        uint32_t typ = (uint32_t)pfv.iSektorTyp[i], offset = (uint32_t)pfv.iSektorOffset[i];
        if (inventar.count(i)) {
            EXPECT_EQ(typ, 2000u) << "sector " << i;
            ASSERT_LT(offset + 1078u, index) << "sector " << i;
            EXPECT_EQ(d.compare(offset, 2, "BM"), 0) << "sector " << i;
            EXPECT_EQ(Le32_lesen(d, offset + 10), 1078u) << "pixels right after the colour table";
            EXPECT_EQ(Le32_lesen(d, offset + 30), 0u) << "uncompressed";
        } else {
            EXPECT_EQ(typ, 0u) << "slot " << i;
            EXPECT_EQ(offset, 0u) << "slot " << i;
        }
    }
    EXPECT_EQ(d.compare(index + 404, 13, std::string("PackFile-1.0\0", 13)), 0);
    EXPECT_EQ(d.find_first_not_of('\0', index + 417), std::string::npos);
}

// Sprites are shown with whatever palette the last background set, so
// every picture carries the same one; the game's fixed indices must look
// like what it uses them for.
TEST_F(ContentGrafik, OnePaletteWithTheGamesFixedColours) {
    std::string d = Datei_lesen("Grafik.dat");
    const PackFileVerzeichnis pfv = Verzeichnis(d);
    std::string erste;
    for (const ContentBild& c : Content_inventar()) {
        std::string tabelle = d.substr(pfv.iSektorOffset[c.iSektor] + 54, 1024);
        if (erste.empty()) erste = tabelle;
        EXPECT_EQ(tabelle, erste) << "sector " << c.iSektor;
    }
    auto farbe = [&](int i) {
        return Rgb{(uint8_t)erste[4 * i + 2], (uint8_t)erste[4 * i + 1], (uint8_t)erste[4 * i]};
    };
    Rgb nacht = farbe(255), schwarz = farbe(0), daemmerung = farbe(240), morgen = farbe(120);
    Rgb tag = farbe(111), mittag = farbe(110), schrift = farbe(251), markiert = farbe(161);
    EXPECT_EQ(schwarz.r + schwarz.g + schwarz.b, 0);
    EXPECT_LT(nacht.Hell(), 60);
    EXPECT_GT(nacht.b, nacht.r + 20);
    EXPECT_GT(daemmerung.Hell(), nacht.Hell());
    EXPECT_GE(daemmerung.b, daemmerung.r);
    EXPECT_GT(morgen.r, morgen.b);
    EXPECT_GT(morgen.Hell(), daemmerung.Hell());
    for (Rgb himmel : {tag, mittag}) {
        EXPECT_GT(himmel.b, himmel.r + 40);
        EXPECT_GT(himmel.Hell(), 120);
    }
    EXPECT_GT(schrift.Hell(), 200);
    EXPECT_GT(markiert.r, markiert.b + 100) << "the highlight must stand out from the letters";
    EXPECT_GT(std::abs(markiert.Hell() - schrift.Hell()) + std::abs(markiert.b - schrift.b), 60);
}

TEST_F(ContentGrafik, BackgroundsHaveNoTransparentPixel) {
    for (const ContentBild& c : Content_inventar()) {
        if (!c.bHintergrund) continue;
        std::vector<uint8_t> px = Bild(c.iSektor, c.iBreite, c.iHoehe);
        size_t loecher = 0;
        for (uint8_t p : px) loecher += p == TRANSPARENZ;
        EXPECT_EQ(loecher, 0u) << "sector " << c.iSektor;
    }
}

// The title's two system-font lines are dark text at y 748: the strip
// under them must be light.
TEST_F(ContentGrafik, TitleBottomStripIsLight) {
    std::string d = Datei_lesen("Grafik.dat");
    std::string tabelle = d.substr(Verzeichnis(d).iSektorOffset[34] + 54, 1024);
    std::vector<uint8_t> px = Bild(34, 1024, 768);
    int dunkel = 0;
    for (int y = 746; y < 768; y++)
        for (int x = 0; x < 1024; x++) {
            int i = px[(size_t)y * 1024 + x];
            Rgb f{(uint8_t)tabelle[4 * i + 2], (uint8_t)tabelle[4 * i + 1], (uint8_t)tabelle[4 * i]};
            dunkel += f.Hell() < 150;
        }
    EXPECT_EQ(dunkel, 0);
}

// Targets: free-standing figures (transparent around them), four distinct
// flight frames and a hit frame unlike any of them.
TEST_F(ContentGrafik, TargetFramesAnimateAndStandFree) {
    struct Art {
        int sektoren[5];
        int breite, hoehe;
    };
    const Art arten[] = {{{7, 10, 13, 16, 19}, 48, 32},
                         {{8, 11, 14, 17, 20}, 96, 64},
                         {{6, 9, 12, 15, 18}, 200, 112},
                         {{27, 28, 29, 30, 31}, 160, 192},
                         {{36, 37, 38, 39, 0}, 152, 88}};
    for (const Art& a : arten) {
        std::vector<std::vector<uint8_t>> bilder;
        for (int s : a.sektoren) bilder.push_back(Bild(s, a.breite, a.hoehe));
        for (int i = 0; i < 5; i++) {
            const std::vector<uint8_t>& px = bilder[i];
            size_t deckend = 0;
            for (uint8_t p : px) deckend += p != TRANSPARENZ;
            EXPECT_GT(deckend, px.size() / 6) << "sector " << a.sektoren[i];
            EXPECT_LT(deckend, px.size() * 9 / 10) << "sector " << a.sektoren[i];
            for (int ecke : {0, a.breite - 1, (a.hoehe - 1) * a.breite, a.hoehe * a.breite - 1})
                EXPECT_EQ(px[ecke], TRANSPARENZ) << "sector " << a.sektoren[i];
            for (int j = 0; j < i; j++)
                EXPECT_NE(px, bilder[j]) << "sectors " << a.sektoren[i] << ", " << a.sektoren[j];
        }
    }
}
