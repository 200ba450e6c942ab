// Shooting: the gun's rules, hit boxes, the skyline, scoring and bonus.
#include "welt_umgebung_test.h"

class WeltSchuss : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        Alle_parken();
        iScrollX = -1024;
    }
    // The first n objects stacked over world (1500, 300), above the skyline.
    void Stapeln(int n) {
        const int pos[MAX_OBJEKTE][2] = {{1480, 290}, {1480, 290}, {1480, 290}, {1450, 250}, {1450, 250}, {1450, 250},
                                         {1400, 200}, {1400, 200}, {1400, 200}, {1450, 200}, {1410, 270}};
        for (int i = 0; i < n; i++) Platzieren(i, pos[i][0], pos[i][1]);
    }
};

TEST_F(WeltSchuss, DreiArtenEinSchuss) {
    Platzieren(0, 1480, 290);
    Platzieren(3, 1450, 250);
    Platzieren(6, 1400, 200);
    Schuss_abgeben(476, 300);
    EXPECT_EQ(iPoints, 115);
    EXPECT_EQ(iKills, 3);
    EXPECT_EQ(dwPunkteZeit, plat_get_tick_count());
    EXPECT_EQ(Sounds(),
              (std::vector<std::string>{"sound 15 0", "sound 9 -320", "sound 9 -380", "sound 9 -360", "sound 0 0"}));
    const int fall[] = {2, 4, 6};
    for (int k = 0; k < 3; k++) {
        const Objekt& o = Objekte[3 * k];
        EXPECT_EQ(o.iZustand, ZUS_GETROFFEN);
        EXPECT_EQ(o.iRichtung, 8);
        EXPECT_EQ(o.bAnimiert, 0);
        EXPECT_EQ(o.Figur.iBild, 4);
        EXPECT_EQ(o.iTempoY, fall[k]);
    }
    // The pop-up "+115", centred on 512 in the highlighted font, and the shot picture.
    Spiel_zeichnen();
    EXPECT_EQ(Pixel(492, 10), MARKIERT);
    EXPECT_EQ(Pixel(531, 21), MARKIERT);
    EXPECT_EQ(Pixel(491, 10), HIMMEL);
    EXPECT_EQ(Pixel(476 - 48, 300 - 48), EINSCHUSS);
    headless_advance(125);
    Spiel_zeichnen();
    EXPECT_NE(Pixel(476 - 48, 300 - 48), EINSCHUSS);
}

TEST_F(WeltSchuss, BonusNachZahlDerTreffer) {
    const struct {
        int n, punkte;
        const char* bonus;
    } faelle[] = {{1, 35, nullptr},       {2, 95, "sound 12 0"}, {3, 155, "sound 0 0"}, {4, 225, "sound 10 0"},
                  {9, 295, "sound 10 0"}, {10, 270, nullptr},    {11, 370, nullptr}};
    for (const auto& f : faelle) {
        Alle_parken();
        Stapeln(f.n);
        iPoints = iKills = 0;
        iShells = 6;
        headless_advance(1000);
        headless_log_clear();
        Schuss_abgeben(476, 300);
        EXPECT_EQ(iKills, f.n);
        EXPECT_EQ(iPoints, f.punkte) << f.n;
        EXPECT_EQ(Anzahl("sound 12 0") + Anzahl("sound 0 0") + Anzahl("sound 10 0"), f.bonus ? 1 : 0) << f.n;
        if (f.bonus) {
            EXPECT_EQ(Sounds().back(), f.bonus);
        }
    }
    // Falling targets are neither hit again nor counted for the bonus.
    Stapeln(11);
    Objekte[4].iZustand = Objekte[7].iZustand = ZUS_GETROFFEN;
    iPoints = iKills = 0;
    headless_advance(1000);
    Schuss_abgeben(476, 300);
    EXPECT_EQ(iKills, 9);
    EXPECT_EQ(iPoints, 370 - 30 + 100);
}

TEST_F(WeltSchuss, TrefferboxUndKulisse) {
    Platzieren(3, 1000, 300);
    for (auto p : {std::make_pair(1000, 300), {1096, 364}, {1000, 364}, {1096, 300}})
        EXPECT_EQ(Objekt_getroffen(3, p.first, p.second), 1);
    for (auto p : {std::make_pair(999, 300), {1097, 300}, {1000, 299}, {1000, 365}})
        EXPECT_EQ(Objekt_getroffen(3, p.first, p.second), 0);
    // A step line at each left vertex; a vertex's own x is never covered.
    const int verdeckt[][3] = {{100, 456, 1}, {100, 455, 0},  {254, 456, 1},  {64, 767, 0}, {1230, 551, 1},
                               {0, 767, 0},   {2049, 485, 1}, {2050, 767, 0}, {-5, 767, 0}};
    for (const auto& v : verdeckt) EXPECT_EQ(Kulisse_verdeckt(v[0], v[1]), v[2]) << v[0] << "," << v[1];
    // Only targets behind the scenery are covered: small flyer behind, medium in front.
    iScrollX = 0;
    Platzieren(0, 80, 440);
    Platzieren(3, 60, 420);
    Schuss_abgeben(100, 456);
    EXPECT_EQ(Objekte[0].iZustand, ZUS_AKTIV);
    EXPECT_EQ(iPoints, 20);
    headless_advance(1000);
    Schuss_abgeben(100, 455);
    EXPECT_EQ(iPoints, 55);
}

TEST_F(WeltSchuss, DasGewehr) {
    Schuss_abgeben(10, 10);
    headless_advance(299);
    Schuss_abgeben(10, 10);   // the shot still sounds
    EXPECT_EQ(iShells, 5);
    iShells = 0;
    Schuss_abgeben(10, 10);   // not even the click
    headless_advance(1);
    Schuss_abgeben(10, 10);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"sound 15 0", "sound 3 0"}));
    Gewehr_laden();
    headless_advance(100);
    Gewehr_laden();   // again while reloading
    EXPECT_EQ(Anzahl("sound 14 0"), 2);
    EXPECT_EQ(iShells, 6);
    headless_advance(499);
    Schuss_abgeben(10, 10);
    EXPECT_EQ(iShells, 6);
    // A miss uses a shell and touches neither points nor pop-up nor shot picture.
    iPoints = iLetztePunkte = 40;
    dwPunkteZeit = dwEinschussZeit = 999;
    headless_advance(1);
    Schuss_abgeben(10, 10);
    EXPECT_EQ(iShells, 5);
    EXPECT_EQ(iPoints + iLetztePunkte, 80);
    EXPECT_EQ(dwPunkteZeit + dwEinschussZeit, 1998u);
}
