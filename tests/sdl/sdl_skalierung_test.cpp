// The scaling of the picture to the screen, checked against the two
// steps done the long way (an enlarged picture, then linear samples), and
// the pointer and the crosshair checked against what is drawn.
#include <cmath>
#include <cstdlib>
#include <random>

#include "platform/blit_simd.h"
#include "platform/fadenkreuz.h"
#include "sdl_testhilfe.h"

namespace {

// The long way: the picture enlarged k times by nearest neighbour, then
// sampled linearly at the middle of each output pixel, edges held.
double Referenz_kanal(const std::vector<uint32_t>& bild, int b, int h, int k, int ziel_b, int ziel_h, int x, int y,
                      int kanal) {
    const int pb = b * k, ph = h * k;
    auto pixel = [&](int tx, int ty) {
        tx = tx < 0 ? 0 : (tx >= pb ? pb - 1 : tx);
        ty = ty < 0 ? 0 : (ty >= ph ? ph - 1 : ty);
        return static_cast<double>((bild[static_cast<size_t>(ty / k) * b + tx / k] >> (8 * kanal)) & 0xFF);
    };
    double u = (x + 0.5) * pb / ziel_b - 0.5, v = (y + 0.5) * ph / ziel_h - 0.5;
    u = u < 0 ? 0 : u;
    v = v < 0 ? 0 : v;
    const int tx = static_cast<int>(std::floor(u)), ty = static_cast<int>(std::floor(v));
    const double fx = u - tx, fy = v - ty;
    return (pixel(tx, ty) * (1 - fx) + pixel(tx + 1, ty) * fx) * (1 - fy) +
           (pixel(tx, ty + 1) * (1 - fx) + pixel(tx + 1, ty + 1) * fx) * fy;
}

std::vector<uint32_t> Zufallsbild(int b, int h, unsigned saat) {
    std::mt19937 zufall(saat);
    std::vector<uint32_t> bild(static_cast<size_t>(b) * h);
    for (uint32_t& p : bild) p = 0xFF000000u | (zufall() & 0xFFFFFFu);
    return bild;
}

std::vector<uint32_t> Skaliert(const std::vector<uint32_t>& bild, int b, int h, int ziel_b, int ziel_h) {
    SdlSkalierer s;
    const SdlBildrechteck r = {0, 0, ziel_b, ziel_h};
    sdl_skalierer_einrichten(&s, b, h, ziel_b, ziel_h, sdl_vorfaktor(r, b, h));
    std::vector<uint32_t> aus(static_cast<size_t>(ziel_b) * ziel_h, 0);
    EXPECT_EQ(sdl_skalieren(&s, bild.data(), b, nullptr, aus.data(), ziel_b, nullptr),
              static_cast<int64_t>(ziel_b) * ziel_h);
    return aus;
}

// Scales of the game's 1024 x 768 on common screens, as a picture of 64 x
// 48 at the same scale: 1, 1.40625 (1080 lines), 2, 2.8125 (2160 lines),
// and shrinking into a small window.
const int MASSSTAEBE[][2] = {{64, 48}, {90, 67}, {128, 96}, {180, 135}, {32, 24}, {100, 75}};

}   // namespace

TEST(SdlSkalierung, TwoStepsInOnePassAtEveryScale) {
    const std::vector<uint32_t> bild = Zufallsbild(64, 48, 7);
    for (const auto& m : MASSSTAEBE) {
        const int zb = m[0], zh = m[1];
        const SdlBildrechteck r = {0, 0, zb, zh};
        const int k = sdl_vorfaktor(r, 64, 48);
        EXPECT_EQ(k, (zb + 63) / 64 > 1 ? (zb + 63) / 64 : 1);
        const std::vector<uint32_t> aus = Skaliert(bild, 64, 48, zb, zh);
        int schlimmste = 0;
        for (int y = 0; y < zh; ++y) {
            for (int x = 0; x < zb; ++x) {
                for (int kanal = 0; kanal < 4; ++kanal) {
                    const double soll = Referenz_kanal(bild, 64, 48, k, zb, zh, x, y, kanal);
                    const int ist = static_cast<int>((aus[static_cast<size_t>(y) * zb + x] >> (8 * kanal)) & 0xFF);
                    const int abstand = static_cast<int>(std::fabs(ist - soll) + 0.5);
                    if (abstand > schlimmste) schlimmste = abstand;
                }
            }
        }
        EXPECT_LE(schlimmste, 2) << zb << " x " << zh;
    }
}

TEST(SdlSkalierung, WholeFactorsAreExactCopies) {
    const std::vector<uint32_t> bild = Zufallsbild(64, 48, 9);
    for (int k = 1; k <= 3; ++k) {
        const std::vector<uint32_t> aus = Skaliert(bild, 64, 48, 64 * k, 48 * k);
        for (int y = 0; y < 48 * k; ++y)
            for (int x = 0; x < 64 * k; ++x)
                ASSERT_EQ(aus[static_cast<size_t>(y) * 64 * k + x], bild[static_cast<size_t>(y / k) * 64 + x / k])
                    << k << ": " << x << "," << y;
    }
}

// A line one picture pixel wide: how many screen pixels show at least a
// quarter of it. Sharp: 1 or 2 at 1.40625, never a smear of 3; linear
// scaling all the way (the old look) does smear.
TEST(SdlSkalierung, OnePixelLineStaysOneOrTwoPixelsWide) {
    const int B = 1024, ZB = 1440;
    SdlAchse scharf, linear;
    sdl_achse_berechnen(&scharf, B, ZB, 2);
    sdl_achse_berechnen(&linear, B, ZB, 1);
    auto breite = [&](const SdlAchse& a, int linie) {
        int n = 0;
        for (int i = 0; i < ZB; ++i) {
            const int q = a.quelle[static_cast<size_t>(i)];
            const double f = a.anteil[static_cast<size_t>(i)] / 256.0;
            const double anteil = (q == linie ? 1 - f : 0) + (q + 1 == linie ? f : 0);
            n += anteil >= 0.25;
        }
        return n;
    };
    int linear_schmiert = 0;
    for (int linie = 1; linie < B - 1; ++linie) {
        const int n = breite(scharf, linie);
        ASSERT_GE(n, 1) << linie;
        ASSERT_LE(n, 2) << linie;
        linear_schmiert += breite(linear, linie) >= 3;
    }
    EXPECT_GT(linear_schmiert, 100) << "the check would not see a smear";

    // Every edge between two pixels gets at most one mixed screen pixel.
    for (int i = 1; i < ZB; ++i) {
        const bool gemischt = scharf.anteil[static_cast<size_t>(i)] != 0;
        const bool davor = scharf.anteil[static_cast<size_t>(i) - 1] != 0;
        ASSERT_FALSE(gemischt && davor &&
                     scharf.quelle[static_cast<size_t>(i)] == scharf.quelle[static_cast<size_t>(i) - 1])
            << i;
    }
}

// Redoing only the changed places must give the same screen as scaling
// the new frame whole, and tell the places it wrote.
TEST(SdlSkalierung, ChangedPlacesOnlyMatchAWholeFrame) {
    std::mt19937 zufall(11);
    const int B = 64, H = 48;
    for (const auto& m : MASSSTAEBE) {
        const int zb = m[0], zh = m[1];
        std::vector<uint8_t> indizes(static_cast<size_t>(B) * H);
        for (uint8_t& p : indizes) p = static_cast<uint8_t>(zufall());
        PALETTEENTRY pal[256];
        for (int i = 0; i < 256; ++i)
            pal[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(i * 7), static_cast<BYTE>(255 - i), 0};
        uint32_t tabelle[256];
        plat_common_blit_tabelle_bauen(pal, tabelle);
        std::vector<uint32_t> argb(static_cast<size_t>(B) * H);
        PlatBlitAbgleich abgleich;
        int32_t von = 0, bis = 0;
        plat_common_blit_palette_nachfuehren(&abgleich, indizes.data(), B, B, H, tabelle,
                                             reinterpret_cast<uint8_t*>(argb.data()), 4 * B, &von, &bis);
        SdlSkalierer s;
        const SdlBildrechteck r = {0, 0, zb, zh};
        sdl_skalierer_einrichten(&s, B, H, zb, zh, sdl_vorfaktor(r, B, H));
        std::vector<uint32_t> schirm(static_cast<size_t>(zb) * zh, 0);
        sdl_skalieren(&s, argb.data(), B, nullptr, schirm.data(), zb, nullptr);
        for (int runde = 0; runde < 20; ++runde) {
            // A few small moving things, now and then at the edges.
            for (int n = 0; n < 3; ++n) {
                const int x0 = static_cast<int>(zufall() % B), y0 = static_cast<int>(zufall() % H);
                for (int y = y0; y < y0 + 4 && y < H; ++y)
                    for (int x = x0; x < x0 + 5 && x < B; ++x) indizes[static_cast<size_t>(y) * B + x] ^= 0x5A;
            }
            plat_common_blit_palette_nachfuehren(&abgleich, indizes.data(), B, B, H, tabelle,
                                                 reinterpret_cast<uint8_t*>(argb.data()), 4 * B, &von, &bis);
            std::vector<SdlBildrechteck> baender;
            std::vector<uint32_t> vorher = schirm;
            const int64_t geschrieben =
                sdl_skalieren(&s, argb.data(), B, abgleich.spannen.data(), schirm.data(), zb, &baender);
            EXPECT_LT(geschrieben, static_cast<int64_t>(zb) * zh) << "only the changed places";
            ASSERT_EQ(schirm, Skaliert(argb, B, H, zb, zh)) << zb << " x " << zh << ", round " << runde;
            // Whatever differs from before lies in a reported band.
            for (int y = 0; y < zh; ++y)
                for (int x = 0; x < zb; ++x) {
                    if (schirm[static_cast<size_t>(y) * zb + x] == vorher[static_cast<size_t>(y) * zb + x]) continue;
                    bool drin = false;
                    for (const SdlBildrechteck& b : baender)
                        drin = drin || (x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h);
                    ASSERT_TRUE(drin) << x << "," << y;
                }
        }
    }
}

// Screens of 1024 x 768 (1), 1920 x 1080 (1.40625), 2048 x 1536 (2) and
// 3840 x 2160 (2.8125), with bars at the sides or above; the window's
// points drawn with one or two device pixels each; both scalings.
TEST(SdlSkalierung, PointerMapsToThePixelDrawnUnderIt) {
    const int AUSGABEN[][2] = {{1024, 768}, {1920, 1080}, {2048, 1536}, {3840, 2160}, {1280, 1024}, {2100, 1600}};
    for (const auto& o : AUSGABEN) {
        for (int dichte = 1; dichte <= 2; ++dichte) {
            for (int art : {SKALIERUNG_SCHARF, SKALIERUNG_GANZZAHLIG}) {
                const SdlAbbildung a = {o[0] / dichte, o[1] / dichte, o[0], o[1], 1024, 768, art};
                SdlBildrechteck r;
                sdl_bildrechteck_berechnen(o[0], o[1], 1024, 768, art, &r);
                SdlAchse ax, ay;
                sdl_achse_berechnen(&ax, 1024, r.w, sdl_vorfaktor(r, 1024, 768));
                sdl_achse_berechnen(&ay, 768, r.h, sdl_vorfaktor(r, 1024, 768));
                // Along the middle row and column of the window: each point
                // maps to the pixel that weighs most at one of its device pixels.
                auto meiste = [](const SdlAchse& achse, int i) {
                    const int q = achse.quelle[static_cast<size_t>(i)];
                    return achse.anteil[static_cast<size_t>(i)] > 128 ? q + 1 : q;
                };
                auto gezeichnet = [&](const SdlAchse& achse, int anfang, int ende, int wert) {
                    bool gleich = false, knapp = false;
                    for (int d = anfang; d < ende; ++d) {
                        if (d < 0 || d >= achse.ziel_n) continue;
                        gleich = gleich || meiste(achse, d) == wert;
                        knapp = knapp || achse.anteil[static_cast<size_t>(d)] == 128;
                    }
                    return gleich || knapp;   // a tie may go either way
                };
                for (int fx = 0; fx < a.fenster_b; ++fx) {
                    const int dx = fx * dichte - r.x;   // the point's first device pixel
                    if (dx < 0 || dx + dichte > r.w) continue;
                    int bx = 0, by = 0;
                    sdl_maus_abbilden(fx, a.fenster_h / 2, a, &bx, &by);
                    ASSERT_TRUE(gezeichnet(ax, dx, dx + dichte, bx))
                        << o[0] << "x" << o[1] << "/" << dichte << " art " << art << " x " << fx << " -> " << bx;
                }
                for (int fy = 0; fy < a.fenster_h; ++fy) {
                    const int dy = fy * dichte - r.y;
                    if (dy < 0 || dy + dichte > r.h) continue;
                    int bx = 0, by = 0;
                    sdl_maus_abbilden(a.fenster_b / 2, fy, a, &bx, &by);
                    ASSERT_TRUE(gezeichnet(ay, dy, dy + dichte, by))
                        << o[0] << "x" << o[1] << "/" << dichte << " art " << art << " y " << fy << " -> " << by;
                }
                // A picture pixel's point in the window comes back to it,
                // where a pixel is at least a point wide.
                if (r.w * a.fenster_b >= 1024 * a.ausgabe_b) {
                    for (int b = 0; b < 1024; b += 7) {
                        int fx = 0, fy = 0, bx = 0, by = 0;
                        sdl_bildpunkt_im_fenster(b, b * 3 / 4, a, &fx, &fy);
                        sdl_maus_abbilden(fx, fy, a, &bx, &by);
                        ASSERT_EQ(bx, b) << o[0] << "x" << o[1] << "/" << dichte;
                        ASSERT_EQ(by, b * 3 / 4) << o[0] << "x" << o[1] << "/" << dichte;
                    }
                }
            }
        }
    }
}

TEST(SdlSkalierung, IntegerScaleKeepsABorder) {
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(1920, 1080, 1024, 768, SKALIERUNG_GANZZAHLIG, &r);
    EXPECT_EQ(r.x, 448);
    EXPECT_EQ(r.y, 156);
    EXPECT_EQ(r.w, 1024);
    EXPECT_EQ(r.h, 768);
    sdl_bildrechteck_berechnen(3840, 2160, 1024, 768, SKALIERUNG_GANZZAHLIG, &r);
    EXPECT_EQ(r.w, 2048);
    EXPECT_EQ(r.x, 896);
    EXPECT_EQ(r.y, 312);
    // Too small for the picture: fitted, as the sharp scaling would.
    sdl_bildrechteck_berechnen(800, 600, 1024, 768, SKALIERUNG_GANZZAHLIG, &r);
    EXPECT_EQ(r.w, 800);
    EXPECT_EQ(r.h, 600);
}

// The crosshair is 32 of the game's pixels at any scale, in window points
// (a screen of high density draws them with more device pixels), and
// never smaller than its own 32 points.
TEST(SdlSkalierung, CrosshairGrowsWithThePicture) {
    struct Fall {
        SdlAbbildung a;
        int groesse;
    };
    const Fall FAELLE[] = {
        {{1024, 768, 1024, 768, 1024, 768, SKALIERUNG_SCHARF}, 32},
        {{1920, 1080, 1920, 1080, 1024, 768, SKALIERUNG_SCHARF}, 45},
        {{2048, 1536, 2048, 1536, 1024, 768, SKALIERUNG_SCHARF}, 64},
        {{3840, 2160, 3840, 2160, 1024, 768, SKALIERUNG_SCHARF}, 90},
        {{1920, 1080, 3840, 2160, 1024, 768, SKALIERUNG_SCHARF}, 45},
        {{1920, 1080, 1920, 1080, 1024, 768, SKALIERUNG_GANZZAHLIG}, 32},
        {{3840, 2160, 3840, 2160, 1024, 768, SKALIERUNG_GANZZAHLIG}, 64},
        {{512, 384, 512, 384, 1024, 768, SKALIERUNG_SCHARF}, 32},
    };
    for (const Fall& f : FAELLE) {
        const int n = sdl_zeiger_groesse(f.a);
        EXPECT_EQ(n, f.groesse) << f.a.fenster_b << " / " << f.a.ausgabe_b;
        std::vector<uint32_t> bild(static_cast<size_t>(n) * n);
        int hx = -1, hy = -1;
        sdl_fadenkreuz_skalieren(n, bild.data(), &hx, &hy);
        // The hot spot is the crossing of the hairs, in the scaled pixel of
        // the original hot spot, and the figure is as wide as scaled.
        EXPECT_EQ(bild[static_cast<size_t>(hy) * n + hx], 0xFF000000u) << n;
        EXPECT_EQ((2 * hx + 1) * 32 / (2 * n), FADENKREUZ_HOT_X) << n;
        EXPECT_EQ((2 * hy + 1) * 32 / (2 * n), FADENKREUZ_HOT_Y) << n;
        int links = n, rechts = -1;
        for (int x = 0; x < n; ++x)
            if (bild[static_cast<size_t>(hy) * n + x] == 0xFF000000u) {
                links = std::min(links, x);
                rechts = std::max(rechts, x);
            }
        EXPECT_NEAR(rechts - links + 1, 29.0 * n / 32, 2.0) << n;
    }
}
