// The shared display code on the headless backend: clipping, keyed blits,
// pitch, locking, the flipping chain, palettes, the system font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

namespace {

class PlattformAnzeige : public ::testing::Test {
protected:
    PlatDisplay* dd = nullptr;
    PlatSurface* primary = nullptr;
    PlatSurface* back = nullptr;
    PlatClipper* clipper = nullptr;

    void SetUp() override { Starten(HeadlessConfig()); }
    void TearDown() override { headless_reset(HeadlessConfig()); }

    void Starten(const HeadlessConfig& cfg) {
        headless_reset(cfg);
        ASSERT_EQ(plat_display_create(&dd), PLAT_OK);
        ASSERT_EQ(plat_display_set_cooperative_level(dd, nullptr), PLAT_OK);
        ASSERT_EQ(plat_display_set_mode(dd, 1024, 768, 8), PLAT_OK);
        ASSERT_EQ(plat_display_create_primary(dd, &primary), PLAT_OK);
        ASSERT_EQ(plat_surface_get_back_buffer(primary, &back), PLAT_OK);
    }

    void Clipper_setzen(std::vector<RECT> rects) {
        ASSERT_EQ(plat_display_create_clipper(dd, &clipper), PLAT_OK);
        std::vector<unsigned char> rgn(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
        RGNDATAHEADER h{32,
                        RDH_RECTANGLES,
                        static_cast<DWORD>(rects.size()),
                        static_cast<DWORD>(16 * rects.size()),
                        {0, 0, 1024, 768}};
        std::memcpy(rgn.data(), &h, sizeof h);
        std::memcpy(rgn.data() + sizeof h, rects.data(), rects.size() * sizeof(RECT));
        ASSERT_EQ(plat_clipper_set_clip_list(clipper, reinterpret_cast<RGNDATAHEADER*>(rgn.data())), PLAT_OK);
        ASSERT_EQ(plat_surface_set_clipper(back, clipper), PLAT_OK);
    }

    PlatSurface* Flaeche(int w, int h, int (*f)(int, int)) {
        PlatSurface* s = nullptr;
        EXPECT_EQ(plat_display_create_surface(dd, w, h, false, &s), PLAT_OK);
        PlatLock l{};
        EXPECT_EQ(plat_surface_lock(s, &l), PLAT_OK);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) l.lpSurface[y * l.lPitch + x] = static_cast<uint8_t>(f(x, y));
        EXPECT_EQ(plat_surface_unlock(s), PLAT_OK);
        return s;
    }

    // Whole rows including the bytes beyond the width.
    std::vector<uint8_t> Roh(PlatSurface* s, PlatLock* l) {
        EXPECT_EQ(plat_surface_lock(s, l), PLAT_OK);
        std::vector<uint8_t> v(l->lpSurface, l->lpSurface + static_cast<size_t>(l->lPitch) * l->dwHeight);
        EXPECT_EQ(plat_surface_unlock(s), PLAT_OK);
        return v;
    }

    int Pixel(PlatSurface* s, int x, int y) {
        PlatLock l{};
        std::vector<uint8_t> v = Roh(s, &l);
        return v[static_cast<size_t>(y) * l.lPitch + x];
    }
};

TEST_F(PlattformAnzeige, WidePictureAtMinus512ShowsColumns512To1535) {
    Clipper_setzen({{0, 0, 1024, 768}});
    ASSERT_EQ(plat_surface_fill(back, 7), PLAT_OK);
    PlatSurface* feld = Flaeche(2048, 448, [](int x, int y) { return (x * 7 + y) % 250; });
    RECT ziel{-512, 320, 1536, 768}, quelle{0, 0, 2048, 448};
    ASSERT_EQ(plat_surface_blt_keyed(back, &ziel, feld, &quelle), PLAT_OK);
    ASSERT_EQ(plat_surface_flip(primary), PLAT_OK);
    const uint8_t* bild = headless_frame();
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            int erwartet = y < 320 ? 7 : ((x + 512) * 7 + (y - 320)) % 250;
            ASSERT_EQ(bild[y * 1024 + x], erwartet) << x << "," << y;
        }
}

TEST_F(PlattformAnzeige, ClipListOfSeveralRectanglesCutsEachPiece) {
    Clipper_setzen({{0, 0, 10, 10}, {20, 0, 30, 10}});
    PlatSurface* q = Flaeche(40, 4, [](int x, int) { return x + 1; });
    RECT ziel{-5, 2, 35, 6}, quelle{0, 0, 40, 4};
    ASSERT_EQ(plat_surface_blt_keyed(back, &ziel, q, &quelle), PLAT_OK);
    for (int x = 0; x < 40; ++x) {
        bool sichtbar = x < 10 || (x >= 20 && x < 30);
        EXPECT_EQ(Pixel(back, x, 3), sichtbar ? x + 5 + 1 : 0) << x;
    }
    EXPECT_EQ(Pixel(back, 3, 1), 0);
    EXPECT_EQ(Pixel(back, 3, 6), 0);
}

TEST_F(PlattformAnzeige, KeyedBlitSkipsEveryIndexInTheKeyRange) {
    PlatSurface* ziel = Flaeche(256, 1, [](int, int) { return 3; });
    PlatSurface* q = Flaeche(256, 1, [](int x, int) { return x; });
    RECT r{0, 0, 256, 1};
    ASSERT_EQ(plat_surface_set_color_key(q, 255, 255), PLAT_OK);
    ASSERT_EQ(plat_surface_blt_keyed(ziel, &r, q, &r), PLAT_OK);
    for (int x = 0; x < 256; ++x) EXPECT_EQ(Pixel(ziel, x, 0), x == 255 ? 3 : x) << x;

    ASSERT_EQ(plat_surface_fill(ziel, 3), PLAT_OK);
    ASSERT_EQ(plat_surface_set_color_key(q, 10, 20), PLAT_OK);
    ASSERT_EQ(plat_surface_blt_keyed(ziel, &r, q, &r), PLAT_OK);
    for (int x = 0; x < 256; ++x) EXPECT_EQ(Pixel(ziel, x, 0), x >= 10 && x <= 20 ? 3 : x) << x;
}

// A picture drawn often is drawn from its stretches; every way of
// changing it must show in the very next blit.
TEST_F(PlattformAnzeige, APictureDrawnOftenStillShowsEveryChange) {
    PlatSurface* q = Flaeche(300, 4, [](int x, int) { return x < 100 || x >= 200 ? 30 : 255; });
    ASSERT_EQ(plat_surface_set_color_key(q, 255, 255), PLAT_OK);
    PlatSurface* ziel = Flaeche(300, 4, [](int, int) { return 1; });
    RECT r{0, 0, 300, 4};
    auto zeichnen = [&](int mal) {
        for (int i = 0; i < mal; ++i) ASSERT_EQ(plat_surface_blt_keyed(ziel, &r, q, &r), PLAT_OK);
    };
    zeichnen(5);
    EXPECT_EQ(Pixel(ziel, 150, 2), 1);
    EXPECT_EQ(Pixel(ziel, 250, 3), 30);

    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(q, &l), PLAT_OK);
    l.lpSurface[2 * l.lPitch + 150] = 77;
    ASSERT_EQ(plat_surface_unlock(q), PLAT_OK);
    zeichnen(1);
    EXPECT_EQ(Pixel(ziel, 150, 2), 77) << "written through a lock";

    zeichnen(5);
    ASSERT_EQ(plat_surface_set_color_key(q, 30, 30), PLAT_OK);
    ASSERT_EQ(plat_surface_fill(ziel, 2), PLAT_OK);
    zeichnen(1);
    EXPECT_EQ(Pixel(ziel, 250, 3), 2) << "a new key";
    EXPECT_EQ(Pixel(ziel, 150, 3), 255);

    zeichnen(5);
    ASSERT_EQ(plat_surface_fill(q, 40), PLAT_OK);
    zeichnen(1);
    EXPECT_EQ(Pixel(ziel, 150, 0), 40) << "filled";

    zeichnen(5);
    PlatSurface* flecken = Flaeche(10, 1, [](int, int) { return 50; });
    RECT klein{0, 0, 10, 1}, dort{100, 1, 110, 2};
    ASSERT_EQ(plat_surface_blt_keyed(q, &dort, flecken, &klein), PLAT_OK);
    zeichnen(1);
    EXPECT_EQ(Pixel(ziel, 105, 1), 50) << "drawn onto";

    zeichnen(5);
    PlatDC* dc = nullptr;
    ASSERT_EQ(plat_surface_get_dc(q, &dc), PLAT_OK);
    plat_set_bk_mode(dc, OPAQUE);
    plat_text_out(dc, 0, 0, "W", 1);
    ASSERT_EQ(plat_surface_release_dc(q, dc), PLAT_OK);
    ASSERT_EQ(plat_surface_set_color_key(q, 40, 40), PLAT_OK);
    zeichnen(1);
    bool geschrieben = false;
    for (int x = 0; x < 8; ++x) geschrieben = geschrieben || Pixel(ziel, x, 2) != 40;
    EXPECT_TRUE(geschrieben) << "text through a device context";
}

TEST_F(PlattformAnzeige, OddWidthsAndWiderPitchTouchOnlyTheRectangle) {
    HeadlessConfig cfg;
    cfg.extra_pitch = 12;
    Starten(cfg);
    PlatSurface* ziel = Flaeche(37, 9, [](int, int) { return 1; });
    PlatLock l{};
    std::vector<uint8_t> vorher = Roh(ziel, &l);
    EXPECT_EQ(l.dwWidth, 37u);
    EXPECT_EQ(l.lPitch, 64 + 12);
    // Mark the bytes beyond the width; no blit or fill may reach them.
    ASSERT_EQ(plat_surface_lock(ziel, &l), PLAT_OK);
    for (uint32_t y = 0; y < l.dwHeight; ++y) std::memset(l.lpSurface + y * l.lPitch + 37, 0xEE, l.lPitch - 37);
    ASSERT_EQ(plat_surface_unlock(ziel), PLAT_OK);

    PlatSurface* q = Flaeche(13, 5, [](int x, int y) { return 100 + x + y * 13; });
    RECT zr{23, 3, 36, 8}, qr{0, 0, 13, 5};
    ASSERT_EQ(plat_surface_blt_keyed(ziel, &zr, q, &qr), PLAT_OK);
    std::vector<uint8_t> nachher = Roh(ziel, &l);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < l.lPitch; ++x) {
            int erwartet = x >= 37 ? 0xEE : (x >= 23 && x < 36 && y >= 3 && y < 8) ? 100 + (x - 23) + (y - 3) * 13 : 1;
            ASSERT_EQ(nachher[y * l.lPitch + x], erwartet) << x << "," << y;
        }
    ASSERT_EQ(plat_surface_fill(ziel, 0x1F), PLAT_OK);
    nachher = Roh(ziel, &l);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < l.lPitch; ++x) ASSERT_EQ(nachher[y * l.lPitch + x], x >= 37 ? 0xEE : 0x1F);
}

TEST_F(PlattformAnzeige, RectanglesOutsideOrUnequalAreRefusedWithoutClipper) {
    PlatSurface* ziel = Flaeche(64, 64, [](int, int) { return 9; });
    PlatSurface* q = Flaeche(16, 16, [](int, int) { return 1; });
    RECT q16{0, 0, 16, 16};
    RECT faelle[] = {{-1, 0, 15, 16}, {50, 50, 66, 66}, {0, 0, 8, 8}, {5, 5, 5, 21}};
    for (const RECT& r : faelle) EXPECT_EQ(plat_surface_blt_keyed(ziel, &r, q, &q16), PLAT_UNGUELTIG);
    RECT innen{0, 0, 16, 16}, q_aussen{8, 8, 24, 24};
    EXPECT_EQ(plat_surface_blt_keyed(ziel, &innen, q, &q_aussen), PLAT_UNGUELTIG);
    RECT riesig{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_EQ(plat_surface_blt_keyed(ziel, &riesig, q, &q16), PLAT_UNGUELTIG);
    EXPECT_EQ(plat_surface_blt_keyed(nullptr, &innen, q, &q16), PLAT_UNGUELTIG);
    for (int y = 0; y < 64; y += 7) EXPECT_EQ(Pixel(ziel, y, y), 9);
}

TEST_F(PlattformAnzeige, LockRules) {
    PlatSurface* s = Flaeche(8, 8, [](int, int) { return 0; });
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(s, &l), PLAT_OK);
    EXPECT_EQ(plat_surface_lock(s, &l), PLAT_FEHLER) << "locked twice";
    EXPECT_EQ(plat_surface_fill(s, 1), PLAT_FEHLER);
    EXPECT_EQ(plat_surface_blt_keyed(back, nullptr, s, nullptr), PLAT_UNGUELTIG) << "8x8 onto the whole screen";
    RECT r{0, 0, 8, 8};
    EXPECT_EQ(plat_surface_blt_keyed(back, &r, s, &r), PLAT_FEHLER);
    PlatDC* dc = nullptr;
    EXPECT_EQ(plat_surface_get_dc(s, &dc), PLAT_FEHLER);
    ASSERT_EQ(plat_surface_unlock(s), PLAT_OK);
    EXPECT_EQ(plat_surface_unlock(s), PLAT_FEHLER) << "not locked";
    EXPECT_EQ(plat_surface_blt_keyed(back, &r, s, &r), PLAT_OK);
    ASSERT_EQ(plat_surface_get_dc(back, &dc), PLAT_OK);
    EXPECT_EQ(plat_surface_lock(back, &l), PLAT_FEHLER) << "a device context holds it";
    EXPECT_EQ(plat_surface_flip(primary), PLAT_FEHLER);
    EXPECT_EQ(plat_surface_release_dc(s, dc), PLAT_UNGUELTIG) << "not this surface's context";
    EXPECT_EQ(plat_surface_release_dc(back, dc), PLAT_OK);
    EXPECT_EQ(plat_surface_lock(back, &l), PLAT_OK);
    EXPECT_EQ(plat_surface_unlock(back), PLAT_OK);
}

TEST_F(PlattformAnzeige, FlipShowsTheBackBufferWithItsPaletteAndTakesAFrame) {
    PALETTEENTRY pal[256];
    for (int i = 0; i < 256; ++i) pal[i] = PALETTEENTRY{BYTE(i), BYTE(255 - i), BYTE(i / 2), PC_NOCOLLAPSE};
    PlatPalette* p = nullptr;
    ASSERT_EQ(plat_display_create_palette(dd, pal, &p), PLAT_OK);
    ASSERT_EQ(plat_surface_set_palette(primary, p), PLAT_OK);
    plat_palette_release(p);   // the screen keeps its colours
    ASSERT_EQ(plat_surface_fill(back, 42), PLAT_OK);
    DWORD vorher = headless_ms();
    ASSERT_EQ(plat_surface_flip(primary), PLAT_OK);
    EXPECT_EQ(headless_ms() - vorher, 16u);
    EXPECT_EQ(headless_flip_count(), 1);
    EXPECT_EQ(headless_frame()[0], 42);
    EXPECT_EQ(headless_frame()[1024 * 768 - 1], 42);
    EXPECT_EQ(std::memcmp(headless_palette(), pal, sizeof pal), 0);
    // The old front comes back as the next back buffer.
    EXPECT_EQ(Pixel(back, 0, 0), 0);
    EXPECT_EQ(Pixel(primary, 0, 0), 42);
}

TEST_F(PlattformAnzeige, WithoutFrameCopyTheFrameIsTheFrontUntilTheNextFlip) {
    HeadlessConfig cfg;
    cfg.extra_pitch = 12;
    cfg.frame_copy = false;
    Starten(cfg);
    ASSERT_EQ(plat_surface_fill(back, 42), PLAT_OK);
    ASSERT_EQ(plat_surface_flip(primary), PLAT_OK);
    ASSERT_EQ(headless_frame_pitch(), 1024 + 12);
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(primary, &l), PLAT_OK);
    EXPECT_EQ(headless_frame(), l.lpSurface);
    ASSERT_EQ(plat_surface_unlock(primary), PLAT_OK);
    ASSERT_EQ(plat_surface_fill(back, 7), PLAT_OK);   // the next frame being drawn
    EXPECT_EQ(headless_frame()[767 * headless_frame_pitch() + 1023], 42);
    ASSERT_EQ(plat_surface_flip(primary), PLAT_OK);
    EXPECT_EQ(headless_frame()[0], 7);
    const std::string bmp = ::testing::TempDir() + "ohne_kopie.bmp";
    ASSERT_TRUE(headless_write_bmp(bmp.c_str()));
    std::ifstream f(bmp, std::ios::binary);
    std::vector<char> datei((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ASSERT_EQ(datei.size(), 14u + 40 + 1024 + 1024u * 768);
    EXPECT_EQ(std::count(datei.end() - 1024 * 768, datei.end(), 7), 1024 * 768) << "rows taken a pitch apart";
    std::remove(bmp.c_str());
    plat_display_release(dd);
    dd = nullptr;
    EXPECT_EQ(headless_frame_pitch(), 1024) << "no pointer into a released display";
}

TEST_F(PlattformAnzeige, LostScreenStaysLostUntilRestored) {
    headless_fault_arm("Flip", 1, 1);
    EXPECT_EQ(plat_surface_flip(primary), PLAT_OK);
    EXPECT_EQ(plat_surface_flip(primary), PLAT_SURFACELOST);
    EXPECT_EQ(plat_surface_flip(primary), PLAT_SURFACELOST) << "still lost";
    EXPECT_EQ(headless_flip_count(), 1);
    headless_fault_arm("Restore", 0, 1);
    EXPECT_EQ(plat_surface_restore(primary), PLAT_FEHLER);
    EXPECT_EQ(plat_surface_flip(primary), PLAT_SURFACELOST);
    EXPECT_EQ(plat_surface_restore(primary), PLAT_OK);
    EXPECT_EQ(plat_surface_flip(primary), PLAT_OK);
    EXPECT_EQ(headless_flip_count(), 2);
    EXPECT_EQ(headless_fault_calls("Flip"), 5);
}

TEST_F(PlattformAnzeige, EveryDisplayStepCanBeMadeToFail) {
    PlatSurface* s = nullptr;
    PlatPalette* p = nullptr;
    PlatClipper* c = nullptr;
    PlatDC* dc = nullptr;
    PlatLock l{};
    PlatDisplay* d2 = nullptr;
    PALETTEENTRY pal[256] = {};
    RECT r{0, 0, 4, 4};
    struct Fall {
        const char* schritt;
        std::function<int()> aufruf;
    } faelle[] = {
        {"DirectDrawCreateEx", [&] { return plat_display_create(&d2); }},
        {"SetCooperativeLevel", [&] { return plat_display_set_cooperative_level(dd, nullptr); }},
        {"SetDisplayMode", [&] { return plat_display_set_mode(dd, 1024, 768, 8); }},
        {"CreateSurface", [&] { return plat_display_create_surface(dd, 4, 4, true, &s); }},
        {"CreateSurface", [&] { return plat_display_create_primary(dd, &s); }},
        {"GetAttachedSurface", [&] { return plat_surface_get_back_buffer(primary, &s); }},
        {"CreateClipper", [&] { return plat_display_create_clipper(dd, &c); }},
        {"SetClipList", [&] { return plat_clipper_set_clip_list(c, nullptr); }},
        {"SetClipper", [&] { return plat_surface_set_clipper(back, nullptr); }},
        {"SetColorKey", [&] { return plat_surface_set_color_key(back, 255, 255); }},
        {"Blt(COLORFILL)", [&] { return plat_surface_fill(back, 1); }},
        {"Blt", [&] { return plat_surface_blt_keyed(back, &r, back, &r); }},
        {"Lock", [&] { return plat_surface_lock(back, &l); }},
        {"Unlock", [&] { return plat_surface_unlock(back); }},
        {"CreatePalette", [&] { return plat_display_create_palette(dd, pal, &p); }},
        {"SetPalette", [&] { return plat_surface_set_palette(primary, p); }},
        {"GetDC", [&] { return plat_surface_get_dc(back, &dc); }},
        {"Restore", [&] { return plat_surface_restore(primary); }},
    };
    int lebend = headless_live_objects();
    for (const Fall& f : faelle) {
        headless_fault_arm(f.schritt, 0, 1);
        int vorher = headless_fault_calls(f.schritt);
        EXPECT_EQ(f.aufruf(), PLAT_FEHLER) << f.schritt;
        EXPECT_EQ(headless_fault_calls(f.schritt), vorher + 1) << f.schritt;
        EXPECT_EQ(headless_live_objects(), lebend) << f.schritt;
    }
    EXPECT_EQ(plat_surface_lock(back, &l), PLAT_OK) << "a failed lock left nothing locked";
    EXPECT_EQ(plat_surface_unlock(back), PLAT_OK);
    EXPECT_EQ(plat_surface_fill(back, 1), PLAT_OK) << "each fault was armed once";
}

TEST_F(PlattformAnzeige, ReleasingTheDisplayFreesEverythingMadeOnIt) {
    int vorher = headless_live_objects();
    EXPECT_EQ(vorher, 3) << "display, primary, back buffer";
    PlatSurface* s = nullptr;
    PlatPalette* p = nullptr;
    PALETTEENTRY pal[256] = {};
    ASSERT_EQ(plat_display_create_surface(dd, 100, 100, true, &s), PLAT_OK);
    ASSERT_EQ(plat_display_create_palette(dd, pal, &p), PLAT_OK);
    Clipper_setzen({{0, 0, 1024, 768}});
    EXPECT_EQ(headless_live_objects(), 6);
    plat_surface_release(back);   // goes with its chain only
    EXPECT_EQ(headless_live_objects(), 6);
    plat_clipper_release(clipper);
    EXPECT_EQ(headless_live_objects(), 5);
    RECT r{0, 0, 100, 100};
    EXPECT_EQ(plat_surface_blt_keyed(back, &r, s, &r), PLAT_OK) << "the released clipper was taken off";
    plat_surface_release(primary);
    EXPECT_EQ(headless_live_objects(), 3);
    plat_display_release(dd);
    EXPECT_EQ(headless_live_objects(), 0);
    plat_display_release(dd);   // a second release is harmless
    plat_surface_release(s);
    EXPECT_EQ(headless_live_objects(), 0);
}

TEST_F(PlattformAnzeige, SystemFontUsesNearestBlackAndWhiteOfTheScreenPalette) {
    PALETTEENTRY pal[256];
    for (int i = 0; i < 256; ++i) pal[i] = PALETTEENTRY{128, 0, 128, 0};
    pal[17] = PALETTEENTRY{10, 12, 8, 0};
    pal[200] = PALETTEENTRY{250, 240, 245, 0};
    PlatPalette* p = nullptr;
    ASSERT_EQ(plat_display_create_palette(dd, pal, &p), PLAT_OK);
    ASSERT_EQ(plat_surface_set_palette(primary, p), PLAT_OK);
    ASSERT_EQ(plat_surface_fill(back, 5), PLAT_OK);
    PlatDC* dc = nullptr;
    ASSERT_EQ(plat_surface_get_dc(back, &dc), PLAT_OK);
    ASSERT_TRUE(plat_text_out(dc, 100, 50, "H", 1));
    EXPECT_EQ(plat_set_bk_mode(dc, TRANSPARENT), OPAQUE);
    ASSERT_TRUE(plat_text_out(dc, 200, 50, "H\xE4", 2));
    // Clipped at every edge, never outside the surface.
    EXPECT_TRUE(plat_text_out(dc, -5, -6, "XYZ", 3));
    EXPECT_TRUE(plat_text_out(dc, 1020, 760, "XYZ", 3));
    EXPECT_FALSE(plat_text_out(dc, 0, 0, "X", -1));
    EXPECT_FALSE(plat_text_out(nullptr, 0, 0, "X", 1));
    ASSERT_EQ(plat_surface_release_dc(back, dc), PLAT_OK);

    int text = 0, grund = 0, anders = 0;
    for (int y = 50; y < 63; ++y)
        for (int x = 100; x < 108; ++x) {
            int v = Pixel(back, x, y);
            text += v == 17;
            grund += v == 200;
            anders += v != 17 && v != 200;
        }
    EXPECT_GT(text, 10);
    EXPECT_GT(grund, 40);
    EXPECT_EQ(anders, 0) << "opaque: the whole cell is drawn";
    int text2 = 0, frei2 = 0, kasten = 0;
    for (int y = 50; y < 63; ++y)
        for (int x = 200; x < 216; ++x) {
            int v = Pixel(back, x, y);
            (x < 208 ? text2 : kasten) += v == 17;
            frei2 += v == 5;
        }
    EXPECT_EQ(text2, text) << "the same glyph";
    EXPECT_GT(kasten, 10) << "a byte outside ASCII draws a box";
    EXPECT_GT(frei2, 100) << "transparent keeps the ground";
}

}   // namespace
