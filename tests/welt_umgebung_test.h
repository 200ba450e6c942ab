// A playing world on the headless backend without data files: the real
// display layer and world set-up, pictures in known colours, a glyph table
// of equal 10 x 12 boxes, and 21 voices (shot 300 ms, reload 500 ms, others 100 ms).
#ifndef GLUBBERSHOOT_WELT_UMGEBUNG_TEST_H
#define GLUBBERSHOOT_WELT_UMGEBUNG_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/effekte.h"
#include "platform/headless/headless.h"
#include "shell/spiel.h"
#include "world/welt.h"

// Sky; playfield (transparent above screen row 448, opaque below, first and
// last columns marked); shell; shot picture; both fonts. Frame f of kind k
// is coloured 100 + 10 k + f.
enum : BYTE {
    HIMMEL = 120,
    FELD = 40,
    FELD_LINKS = 41,
    FELD_RECHTS = 42,
    PATRONE = 50,
    EINSCHUSS = 60,
    FONT = 70,
    MARKIERT = 80
};
inline BYTE Bildfarbe(int art, int bild) { return (BYTE)(100 + 10 * art + bild); }

class WeltTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // One playing pass as the main loop makes it, without the message drain.
    void Frame();
    // Object updates only, 25 ms apart.
    void Bewegen(int frames = 1);
    std::vector<std::string> Sounds();   // "sound <n> <pan>" since the last clear
    int Anzahl(const std::string& sound);
    BYTE Pixel(int x, int y);   // of the last flipped frame
    // Object i active and still at world (x, y), its hit box in place.
    void Platzieren(int i, int32_t x, int32_t y, int32_t richtung = 4);
    void Alle_parken();
    static void Fuellen(PlatSurface* s, BYTE farbe);
};

#endif
