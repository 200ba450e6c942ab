#include <cstring>

#include "platform/blit_simd.h"
#include "platform/fadenkreuz.h"
#include "platform/spielsymbol.h"
#include "sdl_testhilfe.h"

namespace {

void Palette_machen(PALETTEENTRY pal[256]) {
    for (int i = 0; i < 256; ++i) {
        pal[i] =
            PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2 + 7), PC_NOCOLLAPSE};
    }
}

uint32_t Als_argb(const PALETTEENTRY& p) {
    return 0xFF000000u | static_cast<uint32_t>(p.peRed) << 16 | static_cast<uint32_t>(p.peGreen) << 8 | p.peBlue;
}

// What the window shows at (x, y), as 0xRRGGBB.
uint32_t Fensterpunkt(int x, int y) {
    SDL_Surface* s = SDL_GetWindowSurface(g_sdl_fenster);
    if (s == nullptr || x >= s->w || y >= s->h) return 0xDEADBEEF;
    const uint8_t* zeile = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    uint32_t wert = 0;
    std::memcpy(&wert, zeile + x * s->format->BytesPerPixel, s->format->BytesPerPixel);
    Uint8 r, g, b;
    SDL_GetRGB(wert, s->format, &r, &g, &b);
    return static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
}

// The screen as the game makes it, through the shared surface code.
struct Bildschirm {
    PlatDisplay* dd = nullptr;
    PlatSurface* primary = nullptr;
    PlatSurface* back = nullptr;
    PlatPalette* pal = nullptr;
};

void Bildschirm_anlegen(HWND hwnd, Bildschirm* b, const PALETTEENTRY pal[256]) {
    ASSERT_EQ(plat_display_create(&b->dd), PLAT_OK);
    ASSERT_EQ(plat_display_set_cooperative_level(b->dd, hwnd), PLAT_OK);
    ASSERT_EQ(plat_display_set_mode(b->dd, 1024, 768, 8), PLAT_OK);
    ASSERT_EQ(plat_display_create_primary(b->dd, &b->primary), PLAT_OK);
    ASSERT_EQ(plat_surface_get_back_buffer(b->primary, &b->back), PLAT_OK);
    ASSERT_EQ(plat_display_create_palette(b->dd, pal, &b->pal), PLAT_OK);
    ASSERT_EQ(plat_surface_set_palette(b->primary, b->pal), PLAT_OK);
}

void Muster_malen(PlatSurface* back, int versatz) {
    PlatLock lock{};
    ASSERT_EQ(plat_surface_lock(back, &lock), PLAT_OK);
    for (uint32_t y = 0; y < lock.dwHeight; ++y) {
        for (uint32_t x = 0; x < lock.dwWidth; ++x) {
            lock.lpSurface[y * lock.lPitch + x] = static_cast<uint8_t>(x + 3 * y + versatz);
        }
    }
    ASSERT_EQ(plat_surface_unlock(back), PLAT_OK);
}

void Muster_pruefen(const PALETTEENTRY pal[256], int versatz) {
    const int punkte[][2] = {{0, 0}, {1, 0}, {255, 0}, {1023, 0}, {0, 767}, {1023, 767}, {517, 389}, {86, 2}};
    for (const auto& p : punkte) {
        const uint8_t index = static_cast<uint8_t>(p[0] + 3 * p[1] + versatz);
        EXPECT_EQ(Fensterpunkt(p[0], p[1]), Als_argb(pal[index]) & 0xFFFFFF) << p[0] << "," << p[1];
    }
}

}   // namespace

TEST(SdlAnzeigeUmsetzen, IndicesThroughThePaletteRowByRow) {
    PALETTEENTRY pal[256];
    Palette_machen(pal);
    uint32_t tabelle[256];
    plat_common_blit_tabelle_bauen(pal, tabelle);
    EXPECT_EQ(tabelle[0], 0xFF00FF07u);
    EXPECT_EQ(tabelle[255], 0xFFFF0086u);

    // 7 pixels a row, rows 9 bytes apart in and 40 bytes apart out.
    uint8_t quelle[3 * 9];
    for (int i = 0; i < 27; ++i) quelle[i] = static_cast<uint8_t>(i * 11);
    uint32_t ziel[3 * 10];
    for (uint32_t& z : ziel) z = 0x12345678;
    plat_common_blit_palette_umsetzen(quelle, 9, 7, 3, tabelle, reinterpret_cast<uint8_t*>(ziel), 40);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) EXPECT_EQ(ziel[y * 10 + x], tabelle[quelle[y * 9 + x]]) << x << "," << y;
        for (int x = 7; x < 10; ++x) EXPECT_EQ(ziel[y * 10 + x], 0x12345678u) << "wrote past the row";
    }
}

// A window with the game's screen on it, made through the shared surface code.
class SdlBildschirmTest : public SdlFensterTest {
protected:
    void SetUp() override {
        SdlFensterTest::SetUp();
        Palette_machen(pal);
        ASSERT_NO_FATAL_FAILURE(Bildschirm_anlegen(hwnd, &b, pal));
    }
    void TearDown() override {
        plat_surface_release(b.primary);
        plat_palette_release(b.pal);
        plat_display_release(b.dd);
        SdlFensterTest::TearDown();
    }
    // Draws a pattern, flips it and checks what the window shows.
    void Zeigen(int versatz) {
        Muster_malen(b.back, versatz);
        ASSERT_EQ(plat_surface_flip(b.primary), PLAT_OK);
        Muster_pruefen(pal, versatz);
    }
    PALETTEENTRY pal[256];
    Bildschirm b;
};

TEST_F(SdlBildschirmTest, FlipShowsTheFrameThroughThePalette) {
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));
    // A new palette reaches the next frame.
    for (PALETTEENTRY& p : pal) std::swap(p.peRed, p.peBlue);
    PlatPalette* neu = nullptr;
    ASSERT_EQ(plat_display_create_palette(b.dd, pal, &neu), PLAT_OK);
    ASSERT_EQ(plat_surface_set_palette(b.primary, neu), PLAT_OK);
    ASSERT_NO_FATAL_FAILURE(Zeigen(5));
    plat_palette_release(neu);
}

TEST_F(SdlBildschirmTest, LostScreenIsReportedAndComesBack) {
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));
    SDL_HideWindow(g_sdl_fenster);
    Alle_holen();
    EXPECT_EQ(plat_surface_flip(b.primary), PLAT_SURFACELOST);
    EXPECT_NE(plat_surface_restore(b.primary), PLAT_OK) << "nothing to restore while hidden";
    SDL_ShowWindow(g_sdl_fenster);
    Alle_holen();
    ASSERT_EQ(plat_surface_restore(b.primary), PLAT_OK);
    ASSERT_NO_FATAL_FAILURE(Zeigen(9));

    // A reset render device is lost as well, and rebuilt by the restore.
    SDL_Event e{};
    e.type = SDL_RENDER_DEVICE_RESET;
    SDL_PushEvent(&e);
    Alle_holen();
    EXPECT_EQ(plat_surface_flip(b.primary), PLAT_SURFACELOST);
    ASSERT_EQ(plat_surface_restore(b.primary), PLAT_OK);
    ASSERT_NO_FATAL_FAILURE(Zeigen(2));
}

// Flips convert only the rows that changed; the window must still show
// the whole frame: after one pixel, after a new palette on the same frame,
// and after a restore that brought an empty texture.
TEST_F(SdlBildschirmTest, UnchangedRowsStayShownAcrossFlips) {
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));
    // A flip swaps the buffers: every frame is drawn whole, as the game does.
    ASSERT_NO_FATAL_FAILURE(Muster_malen(b.back, 0));
    PlatLock lock{};
    ASSERT_EQ(plat_surface_lock(b.back, &lock), PLAT_OK);
    lock.lpSurface[389 * lock.lPitch + 517] = 42;
    ASSERT_EQ(plat_surface_unlock(b.back), PLAT_OK);
    ASSERT_EQ(plat_surface_flip(b.primary), PLAT_OK);
    EXPECT_EQ(Fensterpunkt(517, 389), Als_argb(pal[42]) & 0xFFFFFF);
    EXPECT_EQ(Fensterpunkt(518, 389), Als_argb(pal[static_cast<uint8_t>(518 + 3 * 389)]) & 0xFFFFFF);
    EXPECT_EQ(Fensterpunkt(0, 0), Als_argb(pal[0]) & 0xFFFFFF);
    EXPECT_EQ(Fensterpunkt(1023, 767), Als_argb(pal[static_cast<uint8_t>(1023 + 3 * 767)]) & 0xFFFFFF);

    // What the window system said while the renderer was made (the window
    // hidden and shown again) loses the screen once; then it stays.
    Alle_holen();
    if (plat_surface_flip(b.primary) != PLAT_OK) {
        ASSERT_EQ(plat_surface_restore(b.primary), PLAT_OK);
    }
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));
    const int gezeigt = sdl_anzeige_gezeigt();
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));   // nothing changed at all
    EXPECT_EQ(sdl_anzeige_gezeigt(), gezeigt) << "the screen still holds it: not presented again";
    SDL_Event aufgedeckt{};
    aufgedeckt.type = SDL_WINDOWEVENT;
    aufgedeckt.window.windowID = SDL_GetWindowID(g_sdl_fenster);
    aufgedeckt.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&aufgedeckt);
    Alle_holen();
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));
    EXPECT_EQ(sdl_anzeige_gezeigt(), gezeigt + 1) << "an exposed window is drawn again";

    for (PALETTEENTRY& p : pal) std::swap(p.peRed, p.peGreen);
    PlatPalette* neu = nullptr;
    ASSERT_EQ(plat_display_create_palette(b.dd, pal, &neu), PLAT_OK);
    ASSERT_EQ(plat_surface_set_palette(b.primary, neu), PLAT_OK);
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));

    SDL_Event e{};
    e.type = SDL_RENDER_TARGETS_RESET;
    SDL_PushEvent(&e);
    Alle_holen();
    EXPECT_EQ(plat_surface_flip(b.primary), PLAT_SURFACELOST);
    ASSERT_EQ(plat_surface_restore(b.primary), PLAT_OK);
    ASSERT_NO_FATAL_FAILURE(Zeigen(0));   // the same frame into a new texture
    plat_palette_release(neu);
}

TEST(SdlAnzeigeZeiger, CrosshairAimsAtItsHotSpot) {
    uint32_t z[FADENKREUZ_GROESSE * FADENKREUZ_GROESSE];
    plat_common_fadenkreuz_malen(z);
    auto punkt = [&](int x, int y) { return z[y * FADENKREUZ_GROESSE + x]; };
    EXPECT_EQ(FADENKREUZ_HOT_X, 15);
    EXPECT_EQ(FADENKREUZ_HOT_Y, 16);
    EXPECT_EQ(punkt(15, 16), 0xFF000000u) << "the aimed pixel is the crossing of the hairs";
    EXPECT_EQ(punkt(15, 3), 0xFF000000u);    // vertical hair
    EXPECT_EQ(punkt(28, 16), 0xFF000000u);   // horizontal hair
    EXPECT_EQ(punkt(24, 16), 0xFF000000u);   // ring crossing the hair
    EXPECT_EQ(punkt(15 + 9, 16 - 1), 0xFF000000u) << "ring";
    EXPECT_EQ(punkt(15 - 9, 16 + 9), 0xFF000000u) << "diagonal stroke";
    EXPECT_EQ(punkt(0, 0), 0u);
    EXPECT_EQ(punkt(31, 31), 0u);
    // Every black pixel is bordered only by black or white: visible on any ground.
    int schwarz = 0, weiss = 0;
    for (int y = 0; y < FADENKREUZ_GROESSE; ++y) {
        for (int x = 0; x < FADENKREUZ_GROESSE; ++x) {
            const uint32_t p = punkt(x, y);
            ASSERT_TRUE(p == 0 || p == 0xFF000000u || p == 0xFFFFFFFFu);
            schwarz += p == 0xFF000000u;
            weiss += p == 0xFFFFFFFFu;
            if (p != 0xFF000000u) continue;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= FADENKREUZ_GROESSE || ny >= FADENKREUZ_GROESSE) continue;
                    EXPECT_NE(punkt(nx, ny), 0u) << "black pixel " << x << "," << y << " without rim";
                }
            }
        }
    }
    EXPECT_GT(schwarz, 60);
    EXPECT_GT(weiss, schwarz);
}

TEST(SdlAnzeigeSymbol, GreenRoundCreatureAtEverySize) {
    for (int groesse : {16, 48, 64, 256}) {
        std::vector<uint32_t> p(static_cast<size_t>(groesse) * groesse, 0x01020304u);
        plat_common_spielsymbol_malen(groesse, p.data());
        auto a = [&](int x, int y) { return p[static_cast<size_t>(y) * groesse + x] >> 24; };
        EXPECT_EQ(a(0, 0), 0u) << groesse;
        EXPECT_EQ(a(groesse - 1, 0), 0u) << groesse;
        EXPECT_EQ(a(0, groesse - 1), 0u) << groesse;
        EXPECT_EQ(a(groesse / 2, groesse / 2), 255u) << groesse;
        // The body low on the left is green; the eye in the middle top is light.
        const uint32_t koerper = p[static_cast<size_t>(groesse * 7 / 10) * groesse + groesse * 3 / 10];
        const uint32_t r = koerper >> 16 & 255, g = koerper >> 8 & 255, b = koerper & 255;
        EXPECT_GT(g, r + 40) << groesse;
        EXPECT_GT(g, b + 40) << groesse;
        // Smooth edges: some pixels are partly transparent.
        int halb = 0;
        for (uint32_t q : p) halb += (q >> 24) > 0 && (q >> 24) < 255;
        EXPECT_GT(halb, groesse / 2) << groesse;
    }
    uint32_t unberuehrt[4] = {7, 7, 7, 7};
    plat_common_spielsymbol_malen(15, unberuehrt);
    plat_common_spielsymbol_malen(257, unberuehrt);
    EXPECT_EQ(unberuehrt[0], 7u);
    plat_common_spielsymbol_malen(64, nullptr);
}

// Both ways to the screen, the window's surface scaled by the game and
// SDL's renderer (as with a graphics card), show the same picture in a
// window of 1440 x 1080: black bars, and flat areas in their colours.
TEST(SdlAnzeigeWege, SurfaceAndRendererAgreeAtASharpScale) {
    PALETTEENTRY pal[256];
    Palette_machen(pal);
    std::vector<uint32_t> bilder[2];
    for (int weg = 0; weg < 2; ++weg) {
        if (weg == 1) SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        g_sdl_einstellungen.fenster = true;
        gEmpfangen.clear();
        ASSERT_TRUE(plat_register_class("SdlWege", [](HWND, uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; }));
        HWND hwnd = plat_create_window("SdlWege", "Glubbershoot");
        ASSERT_NE(hwnd, nullptr);
        SDL_SetWindowSize(g_sdl_fenster, 1440, 1080);
        Bildschirm b;
        ASSERT_NO_FATAL_FAILURE(Bildschirm_anlegen(hwnd, &b, pal));
        EXPECT_EQ(sdl_anzeige_mit_renderer(), weg == 1);
        // Blocks of 16 x 16 pixels of one index each.
        PlatLock lock{};
        ASSERT_EQ(plat_surface_lock(b.back, &lock), PLAT_OK);
        for (uint32_t y = 0; y < lock.dwHeight; ++y)
            for (uint32_t x = 0; x < lock.dwWidth; ++x)
                lock.lpSurface[y * lock.lPitch + x] = static_cast<uint8_t>(x / 16 * 7 + y / 16 * 13);
        ASSERT_EQ(plat_surface_unlock(b.back), PLAT_OK);
        MSG m;
        while (plat_peek_message(&m)) {
        }
        if (plat_surface_flip(b.primary) != PLAT_OK) {
            ASSERT_EQ(plat_surface_restore(b.primary), PLAT_OK);
            ASSERT_EQ(plat_surface_flip(b.primary), PLAT_OK);
        }
        ASSERT_EQ(SDL_GetWindowSurface(g_sdl_fenster)->w, 1440);
        for (int y = 0; y < 1080; y += 3)
            for (int x = 0; x < 1440; x += 3) bilder[weg].push_back(Fensterpunkt(x, y));
        // The middle of a block shows its colour; the window is 4:3, no bars.
        EXPECT_EQ(Fensterpunkt(8 * 45 / 32, 8 * 45 / 32), Als_argb(pal[0]) & 0xFFFFFF) << weg;
        EXPECT_EQ(Fensterpunkt(1440 - 8, 1080 - 8), Als_argb(pal[static_cast<uint8_t>(63 * 7 + 47 * 13)]) & 0xFFFFFF)
            << weg;
        plat_surface_release(b.primary);
        plat_palette_release(b.pal);
        plat_display_release(b.dd);
        sdl_beenden();
        g_sdl_einstellungen = SdlEinstellungen{};
    }
    ASSERT_EQ(bilder[0].size(), bilder[1].size());
    size_t anders = 0;
    for (size_t i = 0; i < bilder[0].size(); ++i) {
        for (int k = 0; k < 24; k += 8) {
            const int a = static_cast<int>(bilder[0][i] >> k & 0xFF), c = static_cast<int>(bilder[1][i] >> k & 0xFF);
            if (std::abs(a - c) > 8) {
                ++anders;
                break;
            }
        }
    }
    EXPECT_LT(anders, bilder[0].size() / 100) << "the two ways differ in " << anders << " pixels";
}
