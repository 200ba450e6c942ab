// The display layer on the headless backend: clipping, keyed blits, fill,
// sprites, the flip recovery and every failure code.
#include "ddraw_hilfe_test.h"

namespace {

using DDrawBlit = AnzeigeTest;

TEST_F(DDrawBlit, PlayfieldAtMinus512ShowsColumns512To1535)
{
    PlatSurface* feld = Flaeche_anlegen(SPIELFELD_BREITE, SPIELFELD_HOEHE);
    ASSERT_NE(feld, nullptr);
    Flaeche_malen(feld, [](int x, int) { return x % 251; });
    DDraw_Puffer_leeren(lpDDSBack, 252);

    EXPECT_EQ(DDraw_Bild_zeichnen(-512, SPIELFELD_Y, SPIELFELD_BREITE, SPIELFELD_HOEHE, feld, lpDDSBack), 0);

    for (int x = 0; x < BILDSCHIRM_BREITE; ++x) {
        ASSERT_EQ(Pixel(lpDDSBack, x, SPIELFELD_Y), (x + 512) % 251) << "column " << x;
        ASSERT_EQ(Pixel(lpDDSBack, x, BILDSCHIRM_HOEHE - 1), (x + 512) % 251) << "column " << x;
    }
    EXPECT_EQ(Pixel(lpDDSBack, 0, SPIELFELD_Y - 1), 252);
}

TEST_F(DDrawBlit, KeyColourIsLeftOutAndSourceIsTopLeftArea)
{
    PlatSurface* bild = Flaeche_anlegen(64, 64);
    // A checkerboard of index 255 and 7, with 9 outside the top-left 32 x 32.
    Flaeche_malen(bild, [](int x, int y) { return (x >= 32 || y >= 32) ? 9 : ((x + y) % 2 ? 255 : 7); });
    DDraw_Puffer_leeren(lpDDSBack, 3);

    EXPECT_EQ(DDraw_Bild_zeichnen(100, 200, 32, 32, bild, lpDDSBack), 0);

    EXPECT_EQ(Pixel(lpDDSBack, 100, 200), 7);
    EXPECT_EQ(Pixel(lpDDSBack, 101, 200), 3);
    EXPECT_EQ(Pixel(lpDDSBack, 131, 231), 7);
    EXPECT_EQ(Pixel(lpDDSBack, 132, 231), 3);
    EXPECT_EQ(Pixel(lpDDSBack, 131, 232), 3);
}

TEST_F(DDrawBlit, MissingSurfaceDrawsNothing)
{
    PlatSurface* bild = Flaeche_anlegen(8, 8);
    int blits = headless_fault_calls("Blt");
    EXPECT_EQ(DDraw_Bild_zeichnen(0, 0, 8, 8, nullptr, lpDDSBack), 1);
    EXPECT_EQ(DDraw_Bild_zeichnen(0, 0, 8, 8, bild, nullptr), 1);
    EXPECT_EQ(headless_fault_calls("Blt"), blits);
}

TEST_F(DDrawBlit, FillUsesOnlyTheLowByte)
{
    EXPECT_EQ(DDraw_Puffer_leeren(lpDDSBack, 0x1FF), 0);
    std::vector<uint8_t> v = Flaeche_lesen(lpDDSBack);
    ASSERT_EQ(v.size(), size_t(BILDSCHIRM_BREITE) * BILDSCHIRM_HOEHE);
    for (uint8_t p : v)
        ASSERT_EQ(p, 255);
    EXPECT_EQ(DDraw_Puffer_leeren(lpDDSBack, 0x10A), 0);
    EXPECT_EQ(Pixel(lpDDSBack, 1023, 767), 10);
}

TEST(DDrawPitch, BlitAndFillHonourAWidePitch)
{
    HeadlessConfig cfg;
    cfg.extra_pitch = 13;
    Anzeige_aufbauen(cfg);
    PlatSurface* bild = Flaeche_anlegen(40, 30);
    Flaeche_malen(bild, [](int x, int y) { return (x + 3 * y) % 200; });
    DDraw_Puffer_leeren(lpDDSBack, 250);
    DDraw_Bild_zeichnen(1000, 750, 40, 30, bild, lpDDSBack);
    EXPECT_EQ(Pixel(lpDDSBack, 1000, 750), 0);
    EXPECT_EQ(Pixel(lpDDSBack, 1023, 767), (23 + 3 * 17) % 200);
    EXPECT_EQ(Pixel(lpDDSBack, 999, 767), 250);
    Anzeige_abbauen();
}

// ----------------------------------------------------------------- sprites

using DDrawSprite = AnzeigeTest;

TEST_F(DDrawSprite, NineFramesAreClampedToSix)
{
    Sprite s{};
    s.iAnimBilder = 3;
    s.iTrefferLinks = 11;
    s.iBild = 4;
    int vorher = headless_fault_calls("CreateSurface");

    EXPECT_EQ(Sprite_anlegen(&s, 50, 40, 9, 2), 0);

    EXPECT_EQ(headless_fault_calls("CreateSurface") - vorher, 12);
    EXPECT_EQ(s.iBilder, 6);
    EXPECT_EQ(s.iArt, 2);
    EXPECT_EQ(s.iBreite, 50);
    EXPECT_EQ(s.iHoehe, 40);
    EXPECT_EQ(s.iBild, 0);
    EXPECT_EQ(s.iAnimBilder, 3);      // left to the world
    EXPECT_EQ(s.iTrefferLinks, 11);   // left to the world
    for (int i = 0; i < MAX_BILDER; ++i) {
        EXPECT_NE(s.lpDDSBild[i], nullptr);
        EXPECT_NE(s.lpDDSSpiegel[i], nullptr);
        EXPECT_NE(s.lpDDSBild[i], s.lpDDSSpiegel[i]);
    }
}

TEST_F(DDrawSprite, FailedFrameStaysNullAndIsReported)
{
    Sprite s{};
    headless_fault_arm("CreateSurface", 1, 1);   // the first mirrored frame
    EXPECT_EQ(Sprite_anlegen(&s, 10, 10, 2, 0), 0);
    EXPECT_NE(s.lpDDSBild[0], nullptr);
    EXPECT_EQ(s.lpDDSSpiegel[0], nullptr);
    EXPECT_NE(s.lpDDSBild[1], nullptr);
    EXPECT_EQ(Fehlermeldungen("DDraw_Offscreen_anlegen: CreateSurface()"), 1);
}

TEST_F(DDrawSprite, AdvanceCyclesThroughTheAnimation)
{
    Sprite s{};
    s.iAnimBilder = 4;
    std::vector<int> folge;
    for (int i = 0; i < 5; ++i) {
        Sprite_weiterschalten(&s);
        folge.push_back(s.iBild);
    }
    EXPECT_EQ(folge, (std::vector<int>{1, 2, 3, 0, 1}));

    for (int anim : {0, 1}) {
        s.iAnimBilder = anim;
        s.iBild = 0;
        Sprite_weiterschalten(&s);
        EXPECT_EQ(s.iBild, 0);
    }
}

TEST_F(DDrawSprite, HitZoneWholeFrameOrGivenValues)
{
    Sprite s{};
    Sprite_anlegen(&s, 30, 20, 1, 0);
    Sprite_Trefferzone_setzen(&s, 1, 5, 6, 7, 8);
    EXPECT_EQ(s.iTrefferLinks, 0);
    EXPECT_EQ(s.iTrefferOben, 0);
    EXPECT_EQ(s.iTrefferRechts, 30);
    EXPECT_EQ(s.iTrefferUnten, 20);
    Sprite_Trefferzone_setzen(&s, 2, 5, 6, 7, 8);
    EXPECT_EQ(s.iTrefferLinks, 5);
    EXPECT_EQ(s.iTrefferOben, 6);
    EXPECT_EQ(s.iTrefferRechts, 7);
    EXPECT_EQ(s.iTrefferUnten, 8);
}

TEST_F(DDrawSprite, DrawsOnlyAValidCurrentFrame)
{
    Sprite s{};
    Sprite_anlegen(&s, 16, 16, 2, 0);
    Flaeche_malen(s.lpDDSBild[0], [](int, int) { return 40; });
    Flaeche_malen(s.lpDDSBild[1], [](int, int) { return 41; });
    s.iX = 500;
    s.iY = 300;
    DDraw_Puffer_leeren(lpDDSBack, 0);

    s.iBild = 1;
    Sprite_zeichnen(&s, lpDDSBack);
    EXPECT_EQ(Pixel(lpDDSBack, 500, 300), 41);
    EXPECT_EQ(Pixel(lpDDSBack, 515, 315), 41);
    EXPECT_EQ(Pixel(lpDDSBack, 516, 315), 0);

    int blits = headless_fault_calls("Blt");
    for (int bild : {2, -1, 7}) {
        s.iBild = bild;
        Sprite_zeichnen(&s, lpDDSBack);
    }
    s.iBild = 0;
    s.lpDDSBild[0] = nullptr;
    Sprite_zeichnen(&s, lpDDSBack);
    Sprite_zeichnen(nullptr, lpDDSBack);
    s.iBild = 1;
    Sprite_zeichnen(&s, nullptr);
    EXPECT_EQ(headless_fault_calls("Blt"), blits);
}

// -------------------------------------------------------------------- flip

using DDrawFlip = AnzeigeTest;

TEST_F(DDrawFlip, LostScreenIsRestoredAndFlippedOnce)
{
    int flips = headless_flip_count();
    headless_fault_arm("Flip", 0, 1);
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_fault_calls("Flip"), 2);
    EXPECT_EQ(headless_fault_calls("Restore"), 1);
    EXPECT_EQ(headless_flip_count(), flips + 1);
}

TEST_F(DDrawFlip, SecondLossInTheSameCallIsIgnored)
{
    headless_fault_arm("Flip", 0, 2);
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_fault_calls("Flip"), 2);
    EXPECT_EQ(headless_fault_calls("Restore"), 1);
    // The next frame gets through again.
    int flips = headless_flip_count();
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_flip_count(), flips + 1);
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);
}

TEST_F(DDrawFlip, FailedRestoreSkipsTheSecondFlip)
{
    headless_fault_arm("Flip", 0, 1);
    headless_fault_arm("Restore", 0, 1);
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_fault_calls("Flip"), 1);
}

TEST_F(DDrawFlip, ShowsTheBackBuffer)
{
    DDraw_Puffer_leeren(lpDDSBack, 77);
    DDraw_Puffer_zeigen();
    ASSERT_NE(headless_frame(), nullptr);
    EXPECT_EQ(headless_frame()[0], 77);
    EXPECT_EQ(headless_frame()[BILDSCHIRM_BREITE * BILDSCHIRM_HOEHE - 1], 77);
}

// ---------------------------------------------------------------- shutdown

TEST(DDrawEnde, TwiceIsHarmlessAndReleasesEverything)
{
    Anzeige_aufbauen();
    PlatSurface* s = nullptr;
    DDraw_Offscreen_anlegen(&s, 32, 32, 1);
    lpDDSPatrone = s;
    PALETTEENTRY pal[256] = {};
    ASSERT_EQ(plat_display_create_palette(lpDD, pal, &lpDDPal), PLAT_OK);
    DDraw_beenden();
    EXPECT_EQ(lpDD, nullptr);
    EXPECT_EQ(lpDDSPrimary, nullptr);
    EXPECT_EQ(lpDDSBack, nullptr);
    EXPECT_EQ(lpDDPal, nullptr);
    EXPECT_EQ(lpDDClipper, nullptr);
    EXPECT_EQ(lpDDSPatrone, nullptr);
    EXPECT_EQ(headless_live_objects(), 0);
    DDraw_beenden();
    EXPECT_EQ(headless_live_objects(), 0);
    DDraw_Puffer_zeigen();   // nothing left to flip
}

// ------------------------------------------------------------- failures

struct DDrawFehlerFall {
    const char* schritt;
    int vorher;   // successful calls of the step before the failing one
    int code;
    const char* meldung;
    bool beendet;
};

class DDrawStartFehler : public ::testing::TestWithParam<DDrawFehlerFall> {};

TEST_P(DDrawStartFehler, CodeMessageAndExit)
{
    const DDrawFehlerFall& f = GetParam();
    headless_reset(HeadlessConfig());
    plat_register_class("Glubbers", Nachricht_verarbeiten);
    hWnd = plat_create_window("Glubbers", "Glubbershoot");
    iGameState = GS_MENU;
    headless_fault_arm(f.schritt, f.vorher, 1);

    int code = DDraw_starten();
    if (code == 0) {
        RECT r{0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE};
        code = DDraw_Clipper_erzeugen(&r, 1);
    }
    EXPECT_EQ(code, f.code);
    EXPECT_EQ(Fehlermeldungen(f.meldung), 1);
    EXPECT_EQ(Log_zaehlen("msgbox"), 1);
    EXPECT_EQ(iGameState, f.beendet ? GS_EXIT : GS_MENU);

    headless_fault_clear();
    DDraw_beenden();
    EXPECT_EQ(headless_live_objects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Schritte, DDrawStartFehler,
    ::testing::Values(
        DDrawFehlerFall{"DirectDrawCreateEx", 0, 1, "DDraw_starten: DirectDrawCreateEx()", true},
        DDrawFehlerFall{"SetCooperativeLevel", 0, 2, "DDraw_starten: SetCooperativeLevel()", false},
        DDrawFehlerFall{"SetDisplayMode", 0, 3, "DDraw_starten: SetDisplayMode()", false},
        DDrawFehlerFall{"CreateSurface", 0, 4, "DDraw_starten: CreateSurface()", false},
        DDrawFehlerFall{"GetAttachedSurface", 0, 5, "DDraw_starten: GetAttachedSurface()", false},
        DDrawFehlerFall{"CreateClipper", 0, 1, "DDraw_Clipper_erzeugen: CreateClipper()", true},
        DDrawFehlerFall{"SetClipList", 0, 2, "DDraw_Clipper_erzeugen: SetClipList()", false},
        DDrawFehlerFall{"malloc", 0, 2, "DDraw_Clipper_erzeugen: SetClipList()", false},
        DDrawFehlerFall{"SetClipper", 0, 3, "DDraw_Clipper_erzeugen: SetClipper()", false}));

using DDrawFehler = AnzeigeTest;

TEST_F(DDrawFehler, OffscreenCreateFailsAndEndsTheGame)
{
    PlatSurface* s = reinterpret_cast<PlatSurface*>(&s);
    PlatSurface* alt = s;
    headless_fault_arm("CreateSurface", 0, 1);
    EXPECT_EQ(DDraw_Offscreen_anlegen(&s, 10, 10, 1), 1);
    EXPECT_EQ(s, alt);
    EXPECT_EQ(Fehlermeldungen("DDraw_Offscreen_anlegen: CreateSurface()"), 1);
    EXPECT_EQ(iGameState, GS_EXIT);
}

TEST_F(DDrawFehler, ColourKeyFailureDoesNotStoreTheSurface)
{
    PlatSurface* s = nullptr;
    headless_fault_arm("SetColorKey", 0, 1);
    EXPECT_EQ(DDraw_Offscreen_anlegen(&s, 10, 10, 0), 2);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(Fehlermeldungen("DDraw_Offscreen_anlegen: SetColorKey()"), 1);
    EXPECT_EQ(iGameState, GS_TITLE);
}

TEST_F(DDrawFehler, FillFailureIsReportedWithoutExit)
{
    headless_fault_arm("Blt(COLORFILL)", 0, 1);
    EXPECT_EQ(DDraw_Puffer_leeren(lpDDSBack, 4), 1);
    EXPECT_EQ(Fehlermeldungen("DDraw_Puffer_leeren: Blt(COLORFILL)"), 1);
    EXPECT_EQ(iGameState, GS_TITLE);
}

TEST_F(DDrawFehler, FailedBlitIsSilentAndGivesThePlatformCode)
{
    PlatSurface* bild = Flaeche_anlegen(8, 8);
    headless_fault_arm("Blt", 0, 1);
    EXPECT_LT(DDraw_Bild_zeichnen(0, 0, 8, 8, bild, lpDDSBack), 0);
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);
}

TEST_F(DDrawFehler, HugePlacementIsRefusedNotWrapped)
{
    PlatSurface* bild = Flaeche_anlegen(8, 8);
    DDraw_Puffer_leeren(lpDDSBack, 1);
    EXPECT_NE(DDraw_Bild_zeichnen(INT32_MAX - 2, 0, 8, 8, bild, lpDDSBack), 0);
    EXPECT_EQ(Pixel(lpDDSBack, 0, 0), 1);
}

}  // namespace
