// What the backends share for sound and pointer: the pan scale as channel
// levels, the media commands read into their parts, the crosshair.
#include <gtest/gtest.h>

#include <string>

#include "platform/fadenkreuz.h"
#include "platform/klang.h"

namespace {

PlatMciBefehl Lesen(const char* befehl, int erwartet = 0) {
    PlatMciBefehl b;
    EXPECT_EQ(plat_common_klang_mci_lesen(befehl, &b), erwartet) << (befehl ? befehl : "(null)");
    return b;
}

}   // namespace

TEST(PlattformKlang, PanLevelsFollowTheDecibelScale) {
    // The near side stays whole, the far side falls with the distance from
    // the centre, alike on both sides.
    int vorher = 256;
    for (int32_t pan = 0; pan <= 10000; pan += 250) {
        uint8_t l = 0, r = 0, l2 = 0, r2 = 0;
        plat_common_klang_pan_pegel(pan, &l, &r);
        plat_common_klang_pan_pegel(-pan, &l2, &r2);
        EXPECT_EQ(r, 255) << pan;
        EXPECT_EQ(l2, 255) << pan;
        EXPECT_EQ(l, r2) << pan;
        EXPECT_TRUE(l < vorher || (l == vorher && l < 4)) << pan;
        vorher = l;
    }
    EXPECT_EQ(vorher, 0) << "full right silences the left";
    uint8_t l = 0, r = 0;
    plat_common_klang_pan_pegel(602, &l, &r);   // 6 dB: half the amplitude
    EXPECT_NEAR(l, 128, 1);
    plat_common_klang_pan_pegel(-2000, &l, &r);   // 20 dB: a tenth
    EXPECT_NEAR(r, 26, 1);
    plat_common_klang_pan_pegel(INT32_MIN, &l, &r);
    EXPECT_EQ(l, 255) << "beyond the end counts as the end";
    EXPECT_EQ(r, 0);
}

TEST(PlattformKlang, MediaCommandsOfTheMusicPlayer) {
    PlatMciBefehl b = Lesen("open Lied eins.mp3 type MPEGVideo Alias Mp3");
    EXPECT_EQ(b.art, MCI_OEFFNEN);
    EXPECT_EQ(b.datei, "Lied eins.mp3");
    b = Lesen("OPEN \"mit \xFC.mp3\"  TYPE mpegvideo alias MP3  ");
    EXPECT_EQ(b.art, MCI_OEFFNEN);
    EXPECT_EQ(b.datei, "mit \xFC.mp3") << "quotes come off, the bytes stay";
    b = Lesen("play Mp3");
    EXPECT_EQ(b.art, MCI_SPIELEN);
    EXPECT_FALSE(b.wiederholen);
    b = Lesen("play mp3 repeat");
    EXPECT_EQ(b.art, MCI_SPIELEN);
    EXPECT_TRUE(b.wiederholen);
    EXPECT_EQ(Lesen("close Mp3").art, MCI_SCHLIESSEN);
}

TEST(PlattformKlang, OtherCommandsAreRefusedWithTheirCodes) {
    Lesen(nullptr, MCI_UNBEKANNTER_BEFEHL);
    Lesen("", MCI_UNBEKANNTER_BEFEHL);
    Lesen("play", MCI_UNBEKANNTER_BEFEHL);
    Lesen("stop Mp3", MCI_UNBEKANNTER_BEFEHL);
    Lesen("open lied.mp3", MCI_UNBEKANNTER_BEFEHL);
    Lesen("open  type MPEGVideo Alias Mp3", MCI_UNBEKANNTER_BEFEHL);
    Lesen("open \"\" type MPEGVideo Alias Mp3", MCI_UNBEKANNTER_BEFEHL);
    Lesen("play Mp3 backwards", MCI_UNBEKANNTER_BEFEHL);
    Lesen("play Other", MCI_UNBEKANNTES_GERAET);
    Lesen("close Other", MCI_UNBEKANNTES_GERAET);
    Lesen(("open " + std::string(5000, 'x') + " type MPEGVideo Alias Mp3").c_str(), MCI_UNBEKANNTER_BEFEHL);
    PlatMciBefehl b = Lesen("play Other", MCI_UNBEKANNTES_GERAET);
    EXPECT_EQ(b.art, 0) << "a refused command carries nothing";
}

TEST(PlattformKlang, CrosshairAimsAtItsHotSpot) {
    uint32_t z[FADENKREUZ_GROESSE * FADENKREUZ_GROESSE];
    plat_common_fadenkreuz_malen(z);
    auto punkt = [&](int x, int y) { return z[y * FADENKREUZ_GROESSE + x]; };
    EXPECT_EQ(punkt(FADENKREUZ_HOT_X, FADENKREUZ_HOT_Y), 0xFF000000u) << "the aimed point is black";
    EXPECT_EQ(punkt(FADENKREUZ_HOT_X, 1), 0xFF000000u) << "the vertical hair";
    EXPECT_EQ(punkt(29, FADENKREUZ_HOT_Y), 0xFF000000u) << "the horizontal hair";
    EXPECT_EQ(punkt(0, 0), 0u) << "transparent around the figure";
    EXPECT_EQ(punkt(FADENKREUZ_HOT_X - 1, 1), 0xFFFFFFFFu) << "a white rim beside the black";
    int schwarz = 0;
    for (uint32_t p : z) {
        EXPECT_TRUE(p == 0 || p == 0xFF000000u || p == 0xFFFFFFFFu);
        schwarz += p == 0xFF000000u;
    }
    EXPECT_GT(schwarz, 100);
}
