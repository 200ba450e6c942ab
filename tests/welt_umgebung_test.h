// A playing world on the headless backend without data files: the real
// display layer and world set-up, frames and pictures in known colours, a
// glyph table of equal boxes, and 21 sound voices whose lengths we choose.
#ifndef GLUBBERSHOOT_WELT_UMGEBUNG_TEST_H
#define GLUBBERSHOOT_WELT_UMGEBUNG_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "world/welt.h"

// Colours of the test pictures.
enum : BYTE {
    FARBE_HIMMEL = 120,
    FARBE_SPIELFELD = 40,     // opaque part of the playfield, screen rows 448..767
    FARBE_FELD_LINKS = 41,    // playfield column 0
    FARBE_FELD_RECHTS = 42,   // playfield column 2047
    FARBE_PATRONE = 50,
    FARBE_EINSCHUSS = 60,
    FARBE_FONT = 70,
    FARBE_FONT_MARKIERT = 80,
};
// Frame f of kind k is coloured 100 + 10 k + f.
inline BYTE Bildfarbe(int art, int bild) { return (BYTE)(100 + 10 * art + bild); }

// Glyph box of the test font: every glyph 10 x 12.
const int GLYPH_B = 10;
const int GLYPH_H = 12;
// Opaque playfield starts at this screen row.
const int FELD_OPAK_Y = 448;
// Virtual ms at which each test starts.
const DWORD TEST_TICK0 = 1000000;

class WeltTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One pass of the main loop while playing, without the message drain.
    void Frame();
    // Only the object update, with the clock moved on by a frame.
    void Bewegen(int frames = 1);

    // Sound lines "sound <n> <pan>" logged since the last Log_leeren.
    std::vector<std::string> Sounds();
    int Anzahl_Sounds(const std::string& zeile);
    void Log_leeren();

    // Pixel of the last flipped frame.
    BYTE Pixel(int x, int y);
    // Draws one playing frame at once (no movement, no clock).
    void Zeichnen();

    // Puts object i, active and still, with its frame's top-left at world (x, y)
    // and its hit box where the next update would put it.
    void Platzieren(int i, int32_t x, int32_t y);
    // Parks every object out of play.
    void Alle_parken();

    static void Flaeche_fuellen(PlatSurface* s, BYTE farbe);
};

#endif
