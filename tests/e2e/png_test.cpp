// The icon writer: files that any PNG reader accepts, with the pixels in
// the right channel order, and no half-written files.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include "platform/spielsymbol.h"
#include "png.h"

namespace {

struct Block {
    std::string typ;
    std::vector<uint8_t> daten;
    uint32_t crc;
};

uint32_t Wort(const std::vector<uint8_t>& v, size_t i) {
    return uint32_t(v[i]) << 24 | uint32_t(v[i + 1]) << 16 | uint32_t(v[i + 2]) << 8 | v[i + 3];
}

// Splits a PNG into its chunks; fails the test on any framing fault.
std::vector<Block> Bloecke(const std::vector<uint8_t>& datei) {
    static const uint8_t SIGNATUR[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<Block> bloecke;
    EXPECT_GE(datei.size(), 8u);
    if (datei.size() < 8) return bloecke;
    EXPECT_TRUE(std::equal(SIGNATUR, SIGNATUR + 8, datei.begin()));
    size_t pos = 8;
    while (pos + 12 <= datei.size()) {
        const uint32_t laenge = Wort(datei, pos);
        EXPECT_LE(pos + 12 + laenge, datei.size());
        if (pos + 12 + laenge > datei.size()) break;
        Block b;
        b.typ.assign(datei.begin() + long(pos) + 4, datei.begin() + long(pos) + 8);
        b.daten.assign(datei.begin() + long(pos) + 8, datei.begin() + long(pos) + 8 + laenge);
        b.crc = Wort(datei, pos + 8 + laenge);
        const uint32_t erwartet = uint32_t(crc32(crc32(0L, Z_NULL, 0), &datei[pos + 4], uInt(laenge + 4)));
        EXPECT_EQ(b.crc, erwartet) << "chunk " << b.typ;
        bloecke.push_back(b);
        pos += 12 + laenge;
    }
    EXPECT_EQ(pos, datei.size()) << "bytes after the last chunk";
    return bloecke;
}

std::vector<uint8_t> Lesen(const std::string& name) {
    std::ifstream f(name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}   // namespace

TEST(InstallPng, LayoutHeaderAndPixelsReadBack) {
    // Three by two, with every channel distinct so a swapped order shows.
    const uint32_t argb[6] = {0xFF102030, 0x80405060, 0x00000000, 0xFFFFFFFF, 0x01020304, 0xFEDCBA98};
    std::vector<uint8_t> datei;
    ASSERT_EQ(Png_kodieren(3, 2, argb, datei), 0);

    const std::vector<Block> b = Bloecke(datei);
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0].typ, "IHDR");
    EXPECT_EQ(b[1].typ, "IDAT");
    EXPECT_EQ(b[2].typ, "IEND");
    // The CRC of an empty IEND chunk is the same in every PNG.
    EXPECT_EQ(b[2].crc, 0xAE426082u);

    ASSERT_EQ(b[0].daten.size(), 13u);
    EXPECT_EQ(Wort(b[0].daten, 0), 3u);
    EXPECT_EQ(Wort(b[0].daten, 4), 2u);
    EXPECT_EQ(b[0].daten[8], 8);    // bits per channel
    EXPECT_EQ(b[0].daten[9], 6);    // RGBA
    EXPECT_EQ(b[0].daten[12], 0);   // not interlaced

    std::vector<uint8_t> roh(2 * (1 + 3 * 4) + 16);
    uLongf laenge = roh.size();
    ASSERT_EQ(uncompress(roh.data(), &laenge, b[1].daten.data(), uLong(b[1].daten.size())), Z_OK);
    ASSERT_EQ(laenge, 2u * (1 + 3 * 4));
    const uint8_t erwartet[26] = {0, 0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x80, 0,    0,    0,    0,
                                  0, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x03, 0x04, 0x01, 0xDC, 0xBA, 0x98, 0xFE};
    for (size_t i = 0; i < 26; ++i) EXPECT_EQ(roh[i], erwartet[i]) << "byte " << i;
}

TEST(InstallPng, RefusesBadSizesAndKeepsNothing) {
    const uint32_t pixel = 0xFFFFFFFF;
    std::vector<uint8_t> datei = {1, 2, 3};
    EXPECT_EQ(Png_kodieren(0, 1, &pixel, datei), 1);
    EXPECT_TRUE(datei.empty());
    EXPECT_EQ(Png_kodieren(1, -5, &pixel, datei), 1);
    EXPECT_EQ(Png_kodieren(PNG_MAX_KANTE + 1, 1, &pixel, datei), 1);
    EXPECT_EQ(Png_kodieren(1, 1, nullptr, datei), 1);
    EXPECT_EQ(Png_schreiben("unused.png", -1, 1, &pixel), 1);
}

TEST(InstallPng, WritesWholeFileOrNone) {
    char ordner[] = "/tmp/glubber-png-XXXXXX";
    ASSERT_NE(mkdtemp(ordner), nullptr);
    const std::string name = std::string(ordner) + "/bild.png";

    std::vector<uint32_t> argb(64 * 48);
    for (size_t i = 0; i < argb.size(); ++i) argb[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8);
    ASSERT_EQ(Png_schreiben(name.c_str(), 64, 48, argb.data()), 0);
    std::vector<uint8_t> erwartet;
    ASSERT_EQ(Png_kodieren(64, 48, argb.data(), erwartet), 0);
    EXPECT_EQ(Lesen(name), erwartet);
    EXPECT_NE(access((name + ".neu").c_str(), F_OK), 0);

    // A folder that is not there: an error, and the old file stays as it was.
    const std::string fehlt = std::string(ordner) + "/fehlt/bild.png";
    EXPECT_EQ(Png_schreiben(fehlt.c_str(), 64, 48, argb.data()), 3);
    const uint32_t weiss = 0xFFFFFFFF;
    EXPECT_EQ(Png_schreiben("", 1, 1, &weiss), 3);

    std::remove(name.c_str());
    rmdir(ordner);
}

TEST(InstallSymbol, EveryIconSizeHasAFigureOnTransparency) {
    for (const int groesse : {16, 32, 48, 64, 128, 256}) {
        std::vector<uint32_t> argb(size_t(groesse) * size_t(groesse), 0x12345678);
        plat_common_spielsymbol_malen(groesse, argb.data());
        EXPECT_EQ(argb.front() >> 24, 0u) << groesse << " px: corner not transparent";
        EXPECT_EQ(argb.back() >> 24, 0u) << groesse << " px";
        EXPECT_EQ(argb[size_t(groesse / 2) * size_t(groesse) + size_t(groesse / 2)] >> 24, 0xFFu) << groesse << " px";
        std::set<uint32_t> farben(argb.begin(), argb.end());
        EXPECT_GE(farben.size(), 8u) << groesse << " px";
        std::vector<uint8_t> datei;
        EXPECT_EQ(Png_kodieren(groesse, groesse, argb.data(), datei), 0);
    }
}
