// The kernels under the display layer: blits cut at every screen edge
// with rows wider than the pictures, and whole frames of the real game
// that must come out the same on every kernel path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blit_hilfe_test.h"
#include "ddraw_hilfe_test.h"
#include "testhilfe.h"

namespace {

const int B = BILDSCHIRM_BREITE, H = BILDSCHIRM_HOEHE;
const int HINTERGRUND = 17;

int Bildpunkt(int x, int y) {
    const int v = (x * 7 + y * 13) % 251;
    return (x + 2 * y) % 5 == 0 ? 255 : v;   // every fifth pixel a hole
}

// Surfaces whose rows are 13 bytes longer than the picture, so a kernel
// that assumes pitch = width writes into the wrong row.
class BlitFlaeche : public AnzeigeTest, public ::testing::WithParamInterface<int> {
protected:
    BlitPfadWahl pfad;
    BlitFlaeche() { cfg.extra_pitch = 13; }
    void SetUp() override {
        AnzeigeTest::SetUp();
        if (!pfad.setzen(GetParam())) GTEST_SKIP() << "this processor lacks " << plat_common_blit_pfadname(GetParam());
    }

    // Draws a w x h picture at (x, y) over a filled back buffer and checks
    // every screen pixel, and the bytes beyond each row.
    void Pruefen(PlatSurface* bild, int w, int h, int x, int y) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " at " + std::to_string(x) + "," +
                     std::to_string(y));
        ASSERT_EQ(DDraw_Puffer_leeren(lpDDSBack, HINTERGRUND), 0);
        ASSERT_EQ(DDraw_Bild_zeichnen(x, y, w, h, bild, lpDDSBack), 0);
        PlatLock l{};
        ASSERT_EQ(plat_surface_lock(lpDDSBack, &l), PLAT_OK);
        ASSERT_GT(l.lPitch, B);
        int falsch = 0;
        for (int sy = 0; sy < H && falsch < 5; ++sy) {
            for (int sx = 0; sx < B; ++sx) {
                const bool drin = sx >= x && sx < x + w && sy >= y && sy < y + h;
                const int q = drin ? Bildpunkt(sx - x, sy - y) : 255;
                const int erwartet = q == 255 ? HINTERGRUND : q;
                const int ist = l.lpSurface[sy * l.lPitch + sx];
                if (ist != erwartet && falsch++ < 5)
                    ADD_FAILURE() << "screen " << sx << "," << sy << " is " << ist << ", not " << erwartet;
            }
            for (int sx = B; sx < l.lPitch; ++sx)
                if (l.lpSurface[sy * l.lPitch + sx] != 0 && falsch++ < 5)
                    ADD_FAILURE() << "byte " << sx << " beyond row " << sy << " was written";
        }
        plat_surface_unlock(lpDDSBack);
    }
};

TEST_P(BlitFlaeche, PlayfieldAtEveryScrollOffsetNearTheEnds) {
    PlatSurface* feld = Flaeche_anlegen(SPIELFELD_BREITE, SPIELFELD_HOEHE);
    Flaeche_malen(feld, Bildpunkt);
    for (int x : {0, -1, -15, -16, -17, -31, -512, -1009, -1023, -1024})
        Pruefen(feld, SPIELFELD_BREITE, SPIELFELD_HOEHE, x, SPIELFELD_Y);
}

TEST_P(BlitFlaeche, CutAtEachEdgeAndCornerAtEveryAlignment) {
    PlatSurface* bild = Flaeche_anlegen(40, 33);
    Flaeche_malen(bild, Bildpunkt);
    for (int k = 0; k < 16; ++k) {
        Pruefen(bild, 40, 33, -k, 100 + k);           // left
        Pruefen(bild, 40, 33, B - 40 + k + 1, 200);   // right
        Pruefen(bild, 40, 33, 300 + k, -k - 1);       // top
        Pruefen(bild, 40, 33, 500 + k, H - 33 + k);   // bottom
    }
    Pruefen(bild, 40, 33, -39, -32);       // one pixel in the top-left corner
    Pruefen(bild, 40, 33, B - 1, H - 1);   // and in the bottom-right one
    Pruefen(bild, 40, 33, -40, 10);        // wholly outside: nothing
    Pruefen(bild, 40, 33, 10, H);
}

TEST_P(BlitFlaeche, NarrowPicturesOfEveryWidth) {
    for (int w = 1; w <= 40; ++w) {
        PlatSurface* bild = Flaeche_anlegen(w, 3);
        Flaeche_malen(bild, Bildpunkt);
        Pruefen(bild, w, 3, 1000 + w % 16, 7);
        Pruefen(bild, w, 3, -(w / 2), 9);
    }
}

INSTANTIATE_TEST_SUITE_P(Pfade, BlitFlaeche, ::testing::Values(BLIT_EINFACH, BLIT_SSE2, BLIT_AVX2), Pfadname);

// The title, the menu and a scrolled round with shots, the shot picture,
// shells and pop-ups, played once per path: every frame byte for byte alike.
TEST(BlitSpiel, EveryPathDrawsTheSameGame) {
    const std::string skript =
        "1200 shot titel.bmp\n"
        "2000 key SPACE\n"
        "2500 key DOWN\n"
        "2600 shot menue.bmp\n"
        "2700 key UP\n"
        "2800 move 512 200\n"
        "3000 key RETURN\n"
        "8500 move 3 300\n"
        "8700 move 420 180\n"
        "8800 lclick\n"
        "8850 shot spiel1.bmp\n"
        "10200 move 1020 240\n"
        "10500 move 700 125\n"
        "10600 lclick\n"
        "10650 shot spiel2.bmp\n"
        "11000 key ESCAPE\n"
        "11500 key ESCAPE\n"
        "12000 char j\n";
    const char* const bilder[] = {"titel.bmp", "menue.bmp", "spiel1.bmp", "spiel2.bmp"};
    const int vorher = plat_common_blit_pfad();
    std::vector<std::string> erste;
    for (int pfad = BLIT_EINFACH; pfad <= plat_common_blit_bester_pfad(); ++pfad) {
        SCOPED_TRACE(plat_common_blit_pfadname(pfad));
        Testordner_anlegen();
        plat_common_blit_pfad_setzen(pfad);
        RunnerErgebnis r = Spiel_laufen_lassen(skript);
        plat_common_blit_pfad_setzen(vorher);
        ASSERT_EQ(r.status, 0);
        ASSERT_TRUE(Log_enthaelt(r.log, "state GS_PLAYING"));
        std::vector<std::string> jetzt;
        for (const char* b : bilder) {
            jetzt.push_back(Datei_lesen(b));
            ASSERT_GT(jetzt.back().size(), static_cast<size_t>(B * H)) << b;
        }
        if (erste.empty()) {
            erste = jetzt;
            EXPECT_NE(erste[2], erste[3]) << "the round went on between the two pictures";
            continue;
        }
        for (size_t i = 0; i < jetzt.size(); ++i) EXPECT_TRUE(jetzt[i] == erste[i]) << bilder[i];
    }
}

}   // namespace
