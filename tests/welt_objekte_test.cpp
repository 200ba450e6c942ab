// The targets' set-up: kinds and layers, mirrored frames, and facing by
// swapping the shared frame arrays.
#include <cstring>
#include <filesystem>

#include "assets/packfile.h"
#include "shell/spiel.h"
#include "welt_umgebung_test.h"

using WeltObjekte = WeltTest;

namespace {

// Left half one colour, right half another.
void Zweifarbig(PlatSurface* s, BYTE links, BYTE rechts) {
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(s, &l), PLAT_OK);
    for (uint32_t y = 0; y < l.dwHeight; y++)
        for (uint32_t x = 0; x < l.dwWidth; x++) l.lpSurface[(size_t)y * l.lPitch + x] = x < l.dwWidth / 2 ? links : rechts;
    plat_surface_unlock(s);
}

}  // namespace

TEST_F(WeltObjekte, ArtenUndEbenen) {
    const int groesse[MAX_ARTEN][2] = {{48, 32}, {96, 64}, {200, 112}, {160, 192}, {152, 88}};
    const int zone[MAX_ARTEN][4] = {{0, 48, 0, 32}, {0, 96, 0, 64}, {0, 200, 0, 112}, {0, 160, 50, 192}, {75, 100, 14, 60}};
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        const Objekt& o = Objekte[i];
        const int art = i < 3 ? 0 : i < 6 ? 1 : i < 9 ? 2 : i - 6;
        EXPECT_EQ(o.Figur.iArt, art) << i;
        EXPECT_EQ(o.bHinten, (i < 3 || i == 10) ? 1 : 0) << i;
        EXPECT_EQ(o.Figur.iBreite, groesse[art][0]);
        EXPECT_EQ(o.Figur.iHoehe, groesse[art][1]);
        EXPECT_EQ(o.Figur.iBilder, 5);
        EXPECT_EQ(o.Figur.iTrefferLinks, zone[art][0]);
        EXPECT_EQ(o.Figur.iTrefferRechts, zone[art][1]);
        EXPECT_EQ(o.Figur.iTrefferOben, zone[art][2]);
        EXPECT_EQ(o.Figur.iTrefferUnten, zone[art][3]);
        for (int f = 0; f < 5; f++) {
            EXPECT_EQ(o.Figur.lpDDSBild[f], Vorlagen[art].lpDDSBild[f]);
            EXPECT_NE(o.Figur.lpDDSBild[f], nullptr);
        }
        EXPECT_EQ(o.Figur.lpDDSBild[5], nullptr);
    }
}

TEST_F(WeltObjekte, DreiGleicheBlickenVerschieden) {
    Zweifarbig(Vorlagen[ART_KLEIN].lpDDSBild[0], 11, 22);
    Sprite_spiegeln(&Vorlagen[ART_KLEIN]);
    Alle_parken();
    iScrollX = 0;
    for (int i = 0; i < 3; i++) Platzieren(i, 100 + 100 * i, 100);
    Objekt_ausrichten(1, 1);
    Zeichnen();
    EXPECT_EQ(Pixel(100, 110), 11);
    EXPECT_EQ(Pixel(147, 110), 22);
    EXPECT_EQ(Pixel(200, 110), 22);   // object 1 faces left
    EXPECT_EQ(Pixel(247, 110), 11);
    EXPECT_EQ(Pixel(300, 110), 11);
    EXPECT_EQ(Objekte[1].Figur.bGespiegelt, 1);
    EXPECT_EQ(Objekte[0].Figur.bGespiegelt, 0);
}

TEST_F(WeltObjekte, AusrichtenTauschtNurBeiWechsel) {
    Sprite vorher = Objekte[6].Figur;
    Objekt_ausrichten(6, 0);
    EXPECT_EQ(memcmp(&vorher, &Objekte[6].Figur, sizeof vorher), 0);
    Objekt_ausrichten(6, 1);
    for (int j = 0; j < MAX_BILDER; j++) {
        EXPECT_EQ(Objekte[6].Figur.lpDDSBild[j], vorher.lpDDSSpiegel[j]);
        EXPECT_EQ(Objekte[6].Figur.lpDDSSpiegel[j], vorher.lpDDSBild[j]);
    }
    Objekt_ausrichten(6, 1);
    Objekt_ausrichten(6, 0);
    EXPECT_EQ(memcmp(&vorher, &Objekte[6].Figur, sizeof vorher), 0);
    Objekt_ausrichten(-1, 1);
    Objekt_ausrichten(MAX_OBJEKTE, 1);
}

TEST_F(WeltObjekte, SpiegelnBeiBreiteremZeilenabstand) {
    TearDown();
    HeadlessConfig cfg;
    cfg.tick0 = TEST_TICK0;
    cfg.extra_pitch = 8;
    headless_reset(cfg);
    ASSERT_EQ(plat_display_create(&lpDD), PLAT_OK);
    Sprite s{};
    s.iBilder = 1;
    ASSERT_EQ(plat_display_create_surface(lpDD, 40, 3, false, &s.lpDDSBild[0]), PLAT_OK);
    ASSERT_EQ(plat_display_create_surface(lpDD, 40, 3, false, &s.lpDDSSpiegel[0]), PLAT_OK);
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(s.lpDDSBild[0], &l), PLAT_OK);
    ASSERT_GT(l.lPitch, 40);
    for (uint32_t y = 0; y < 3; y++)
        for (int32_t x = 0; x < l.lPitch; x++) l.lpSurface[y * l.lPitch + x] = (BYTE)(x < 40 ? x + 10 * y : 200);
    plat_surface_unlock(s.lpDDSBild[0]);

    Sprite_spiegeln(&s);
    ASSERT_EQ(plat_surface_lock(s.lpDDSSpiegel[0], &l), PLAT_OK);
    for (uint32_t y = 0; y < 3; y++)
        for (int x = 0; x < 40; x++) EXPECT_EQ(l.lpSurface[y * l.lPitch + x], (BYTE)(39 - x + 10 * y)) << x << "," << y;
    plat_surface_unlock(s.lpDDSSpiegel[0]);
    plat_display_release(lpDD);
    lpDD = nullptr;
}

TEST_F(WeltObjekte, SpiegelnHoertBeiFehlernAuf) {
    Sprite& s = Vorlagen[ART_MITTEL];
    for (int f = 0; f < 5; f++) Flaeche_fuellen(s.lpDDSSpiegel[f], 0);
    // The third lock is the source of frame 1: frame 0 is mirrored, the rest stay blank.
    headless_fault_arm("Lock", 2, 1);
    Sprite_spiegeln(&s);
    headless_fault_clear();
    auto Farbe = [](PlatSurface* f) {
        PlatLock l{};
        EXPECT_EQ(plat_surface_lock(f, &l), PLAT_OK);
        const BYTE b = l.lpSurface ? l.lpSurface[0] : 0;
        plat_surface_unlock(f);
        return b;
    };
    EXPECT_EQ(Farbe(s.lpDDSSpiegel[0]), Bildfarbe(ART_MITTEL, 0));
    for (int f = 1; f < 5; f++) EXPECT_EQ(Farbe(s.lpDDSSpiegel[f]), 0) << f;

    // Without memory the frames stay blank and nothing stays locked.
    for (int f = 0; f < 5; f++) Flaeche_fuellen(s.lpDDSSpiegel[f], 0);
    headless_fault_arm("malloc", 0, 1);
    Sprite_spiegeln(&s);
    headless_fault_clear();
    for (int f = 0; f < 5; f++) EXPECT_EQ(Farbe(s.lpDDSSpiegel[f]), 0) << f;
    EXPECT_EQ(Farbe(s.lpDDSBild[0]), Bildfarbe(ART_MITTEL, 0));
}

TEST_F(WeltObjekte, VersteckTrefferbildIstBildNull) {
    const std::string daten = std::string(GLUBBER_DATA_DIR) + "/Grafik.dat";
    if (!std::filesystem::exists(daten)) GTEST_SKIP() << "no generated data";
    ASSERT_EQ(PackFile_oeffnen(daten.c_str(), &pfvGrafik), 0);
    const auto alt = std::filesystem::current_path();
    std::filesystem::current_path(GLUBBER_DATA_DIR);
    Welt_anlegen();
    PlatSurface* vergleich = nullptr;
    ASSERT_EQ(DDraw_Offscreen_anlegen(&vergleich, 152, 88, 1), 0);
    ASSERT_EQ(PackFile_Bild_laden("Grafik.dat", &pfvGrafik, 0, vergleich, 0, 0), 0);
    std::filesystem::current_path(alt);
    PlatLock a{}, b{};
    ASSERT_EQ(plat_surface_lock(vergleich, &a), PLAT_OK);
    ASSERT_EQ(plat_surface_lock(Objekte[10].Figur.lpDDSBild[4], &b), PLAT_OK);
    for (int y = 0; y < 88; y++) EXPECT_EQ(memcmp(a.lpSurface + y * a.lPitch, b.lpSurface + y * b.lPitch, 152), 0) << y;
    plat_surface_unlock(vergleich);
    plat_surface_unlock(Objekte[10].Figur.lpDDSBild[4]);
    // The flyers' frames are mirrored copies of the loaded ones.
    ASSERT_EQ(plat_surface_lock(Vorlagen[ART_GROSS].lpDDSBild[0], &a), PLAT_OK);
    ASSERT_EQ(plat_surface_lock(Vorlagen[ART_GROSS].lpDDSSpiegel[0], &b), PLAT_OK);
    int gleich = 0;
    for (int y = 0; y < 112; y++)
        for (int x = 0; x < 200; x++) gleich += a.lpSurface[y * a.lPitch + x] == b.lpSurface[y * b.lPitch + 199 - x] ? 1 : 0;
    EXPECT_EQ(gleich, 200 * 112);
    plat_surface_unlock(Vorlagen[ART_GROSS].lpDDSBild[0]);
    plat_surface_unlock(Vorlagen[ART_GROSS].lpDDSSpiegel[0]);
}
