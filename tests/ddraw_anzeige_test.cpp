// The display layer on the headless backend: clipping, keyed blits, fill,
// sprites, the flip recovery and every failure code.
#include "ddraw_hilfe_test.h"

namespace {

struct DDrawBlit : AnzeigeTest {
    DDrawBlit() { cfg.extra_pitch = 13; }   // rows wider than the picture
};

TEST_F(DDrawBlit, PlayfieldAtMinus512ShowsColumns512To1535) {
    PlatSurface* feld = Flaeche_anlegen(SPIELFELD_BREITE, SPIELFELD_HOEHE);
    Flaeche_malen(feld, [](int x, int) { return x % 251; });
    DDraw_Puffer_leeren(lpDDSBack, 252);
    EXPECT_EQ(DDraw_Bild_zeichnen(-512, SPIELFELD_Y, SPIELFELD_BREITE, SPIELFELD_HOEHE, feld, lpDDSBack), 0);
    for (int x = 0; x < BILDSCHIRM_BREITE; ++x)
        ASSERT_EQ(Pixel(lpDDSBack, x, BILDSCHIRM_HOEHE - 1), (x + 512) % 251) << "column " << x;
    EXPECT_EQ(Pixel(lpDDSBack, 0, SPIELFELD_Y - 1), 252);
}

TEST_F(DDrawBlit, KeyedCopyOfTheTopLeftArea) {
    PlatSurface* bild = Flaeche_anlegen(64, 64);
    Flaeche_malen(bild, [](int x, int y) { return (x >= 32 || y >= 32) ? 9 : ((x + y) % 2 ? 255 : 7); });
    DDraw_Puffer_leeren(lpDDSBack, 3);
    EXPECT_EQ(DDraw_Bild_zeichnen(100, 200, 32, 32, bild, lpDDSBack), 0);
    EXPECT_EQ(Pixel(lpDDSBack, 100, 200), 7);
    EXPECT_EQ(Pixel(lpDDSBack, 101, 200), 3);   // key 255 left out
    EXPECT_EQ(Pixel(lpDDSBack, 131, 231), 7);
    EXPECT_EQ(Pixel(lpDDSBack, 132, 231), 3);
    EXPECT_EQ(DDraw_Bild_zeichnen(0, 0, 8, 8, nullptr, lpDDSBack), 1);
    EXPECT_EQ(DDraw_Bild_zeichnen(0, 0, 8, 8, bild, nullptr), 1);
}

TEST_F(DDrawBlit, FillUsesOnlyTheLowByte) {
    EXPECT_EQ(DDraw_Puffer_leeren(lpDDSBack, 0x1FF), 0);
    for (uint8_t p : Flaeche_lesen(lpDDSBack)) ASSERT_EQ(p, 255);
}

// ----------------------------------------------------------------- sprites

using DDrawSprite = AnzeigeTest;

TEST_F(DDrawSprite, NineFramesAreClampedToSix) {
    Sprite s{};
    s.iAnimBilder = 3;
    s.iBild = 4;
    int vorher = headless_fault_calls("CreateSurface");
    EXPECT_EQ(Sprite_anlegen(&s, 50, 40, 9, 2), 0);
    EXPECT_EQ(headless_fault_calls("CreateSurface") - vorher, 12);
    EXPECT_EQ(s.iBilder, 6);
    EXPECT_EQ(s.iBild, 0);
    EXPECT_EQ(s.iAnimBilder, 3);   // the world sets it
    for (int i = 0; i < MAX_BILDER; ++i)
        EXPECT_TRUE(s.lpDDSBild[i] && s.lpDDSSpiegel[i] && s.lpDDSBild[i] != s.lpDDSSpiegel[i]);
}

TEST_F(DDrawSprite, AdvanceCyclesThroughTheAnimation) {
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
        Sprite_weiterschalten(&s);
        EXPECT_EQ(s.iBild, 0);
    }
}

TEST_F(DDrawSprite, DrawsOnlyAValidCurrentFrame) {
    Sprite s{};
    Sprite_anlegen(&s, 16, 16, 2, 0);
    Flaeche_malen(s.lpDDSBild[1], [](int, int) { return 41; });
    s.iX = 500;
    s.iY = 300;
    DDraw_Puffer_leeren(lpDDSBack, 0);
    s.iBild = 1;
    Sprite_zeichnen(&s, lpDDSBack);
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
    EXPECT_EQ(headless_fault_calls("Blt"), blits);
}

// -------------------------------------------------------- flip and shutdown

using DDrawFlip = AnzeigeTest;

TEST_F(DDrawFlip, LostScreenIsRestoredAndFlippedOnceMore) {
    int flips = headless_flip_count();
    headless_fault_arm("Flip", 0, 1);
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_fault_calls("Flip"), 2);
    EXPECT_EQ(headless_fault_calls("Restore"), 1);
    EXPECT_EQ(headless_flip_count(), flips + 1);

    // A second loss within one call is left for the next frame.
    int vorher = headless_fault_calls("Flip");
    headless_fault_arm("Flip", 0, 2);
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_fault_calls("Flip") - vorher, 2);
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_flip_count(), flips + 2);
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);
}

TEST(DDrawEnde, TwiceIsHarmless) {
    Anzeige_aufbauen();
    DDraw_Offscreen_anlegen(&lpDDSPatrone, 32, 32, 1);
    PALETTEENTRY pal[256] = {};
    ASSERT_EQ(plat_display_create_palette(lpDD, pal, &lpDDPal), PLAT_OK);
    DDraw_beenden();
    EXPECT_TRUE(!lpDD && !lpDDSPrimary && !lpDDSBack && !lpDDPal && !lpDDClipper && !lpDDSPatrone);
    EXPECT_EQ(headless_live_objects(), 0);
    DDraw_beenden();
    DDraw_Puffer_zeigen();
    EXPECT_EQ(headless_live_objects(), 0);
}

// ------------------------------------------------------------- failures

struct DDrawFehlerFall {
    const char* schritt;
    int operation;   // 0 start, 1 clipper, 2 off-screen surface, 3 fill
    int code;
    const char* meldung;
    bool beendet;
};

class DDrawFehler : public ::testing::TestWithParam<DDrawFehlerFall> {};

TEST_P(DDrawFehler, CodeMessageAndExit) {
    const DDrawFehlerFall& f = GetParam();
    HeadlessConfig cfg;
    headless_reset(cfg);
    plat_register_class("Glubbers", Nachricht_verarbeiten);
    hWnd = plat_create_window("Glubbers", "Glubbershoot");
    RECT r{0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE};
    if (f.operation > 0) {
        ASSERT_EQ(DDraw_starten(), 0);
        if (f.operation > 1) {
            ASSERT_EQ(DDraw_Clipper_erzeugen(&r, 1), 0);
        }
    }
    iGameState = GS_MENU;
    headless_fault_arm(f.schritt, 0, 1);
    PlatSurface* neu = nullptr;
    int code = f.operation == 0   ? DDraw_starten()
               : f.operation == 1 ? DDraw_Clipper_erzeugen(&r, 1)
               : f.operation == 2 ? DDraw_Offscreen_anlegen(&neu, 10, 10, 1)
                                  : DDraw_Puffer_leeren(lpDDSBack, 4);
    EXPECT_EQ(code, f.code);
    EXPECT_EQ(neu, nullptr);
    EXPECT_EQ(Fehlermeldungen(f.meldung), 1);
    EXPECT_EQ(Log_zaehlen("msgbox"), 1);
    EXPECT_EQ(iGameState, f.beendet ? GS_EXIT : GS_MENU);
    headless_fault_clear();
    DDraw_beenden();
    EXPECT_EQ(headless_live_objects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Schritte, DDrawFehler,
    ::testing::Values(DDrawFehlerFall{"DirectDrawCreateEx", 0, 1, "DDraw_starten: DirectDrawCreateEx()", true},
                      DDrawFehlerFall{"SetCooperativeLevel", 0, 2, "DDraw_starten: SetCooperativeLevel()", false},
                      DDrawFehlerFall{"SetDisplayMode", 0, 3, "DDraw_starten: SetDisplayMode()", false},
                      DDrawFehlerFall{"CreateSurface", 0, 4, "DDraw_starten: CreateSurface()", false},
                      DDrawFehlerFall{"GetAttachedSurface", 0, 5, "DDraw_starten: GetAttachedSurface()", false},
                      DDrawFehlerFall{"CreateClipper", 1, 1, "DDraw_Clipper_erzeugen: CreateClipper()", true},
                      DDrawFehlerFall{"SetClipList", 1, 2, "DDraw_Clipper_erzeugen: SetClipList()", false},
                      DDrawFehlerFall{"malloc", 1, 2, "DDraw_Clipper_erzeugen: SetClipList()", false},
                      DDrawFehlerFall{"SetClipper", 1, 3, "DDraw_Clipper_erzeugen: SetClipper()", false},
                      DDrawFehlerFall{"CreateSurface", 2, 1, "DDraw_Offscreen_anlegen: CreateSurface()", true},
                      DDrawFehlerFall{"SetColorKey", 2, 2, "DDraw_Offscreen_anlegen: SetColorKey()", false},
                      DDrawFehlerFall{"Blt(COLORFILL)", 3, 1, "DDraw_Puffer_leeren: Blt(COLORFILL)", false}));

}   // namespace
