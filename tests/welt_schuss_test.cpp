// Shooting: the gun's rules, hit boxes, the skyline cover, scoring, bonus
// and the stamps for the pop-up and the shot picture.
#include "shell/spiel.h"
#include "welt_umgebung_test.h"

namespace {

// World point above the skyline (segment 63 lies at y 391) where the
// stacked targets of these tests overlap; seen with the view at its right end.
const int ZIEL_WX = 1500;
const int ZIEL_WY = 300;
const int ZIEL_X = ZIEL_WX - 1024;

}  // namespace

class WeltSchuss : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        Alle_parken();
        iScrollX = -1024;
    }
    // Every target's hit box covers the aimed point.
    void Alle_stapeln() {
        for (int i : {0, 1, 2}) Platzieren(i, 1480, 290);
        for (int i : {3, 4, 5}) Platzieren(i, 1450, 250);
        for (int i : {6, 7, 8}) Platzieren(i, 1400, 200);
        Platzieren(9, 1450, 200);
        Platzieren(10, 1410, 270);
    }
};

TEST_F(WeltSchuss, DreiArtenMitEinemSchuss) {
    Platzieren(0, 1480, 290);
    Platzieren(3, 1450, 250);
    Platzieren(6, 1400, 200);
    Schuss_abgeben(ZIEL_X, ZIEL_WY);
    EXPECT_EQ(iPoints, 115);
    EXPECT_EQ(iKills, 3);
    EXPECT_EQ(iLetztePunkte, 115);
    EXPECT_EQ(dwPunkteZeit, plat_get_tick_count());
    EXPECT_EQ(iShells, 5);
    const std::vector<std::string> erwartet = {"sound 15 0", "sound 9 -320", "sound 9 -380", "sound 9 -360", "sound 0 0"};
    EXPECT_EQ(Sounds(), erwartet);
    for (int i : {0, 3, 6}) {
        const Objekt& o = Objekte[i];
        EXPECT_EQ(o.iZustand, ZUS_GETROFFEN);
        EXPECT_EQ(o.iRichtung, 8);
        EXPECT_EQ(o.bAnimiert, 0);
        EXPECT_EQ(o.bBewegt, 1);
        EXPECT_EQ(o.Figur.iBild, 4);
    }
    EXPECT_EQ(Objekte[0].iTempoY, 2);
    EXPECT_EQ(Objekte[3].iTempoY, 4);
    EXPECT_EQ(Objekte[6].iTempoY, 6);
    // The pop-up "+115" stands centred on 512 in the highlighted font.
    Zeichnen();
    EXPECT_EQ(Pixel(492, 10), FARBE_FONT_MARKIERT);
    EXPECT_EQ(Pixel(531, 21), FARBE_FONT_MARKIERT);
    EXPECT_NE(Pixel(491, 10), FARBE_FONT_MARKIERT);
    EXPECT_NE(Pixel(532, 10), FARBE_FONT_MARKIERT);
}

TEST_F(WeltSchuss, BonusNachZahlDerTreffer) {
    struct Fall {
        int treffer;
        int32_t punkte;
        const char* sound;
    } faelle[] = {
        {1, 35, nullptr}, {2, 70 + 25, "sound 12 0"}, {3, 105 + 50, "sound 0 0"},
        {4, 105 + 20 + 100, "sound 10 0"}, {9, 105 + 60 + 30 + 100, "sound 10 0"},
        {10, 105 + 60 + 30 + 75, nullptr}, {11, 105 + 60 + 30 + 75 + 100, nullptr},
    };
    for (const Fall& f : faelle) {
        Alle_parken();
        Alle_stapeln();
        // Only the first `treffer` objects take part.
        for (int i = f.treffer; i < MAX_OBJEKTE; i++) Objekte[i].iZustand = ZUS_WARTEND;
        iPoints = 0;
        iKills = 0;
        iShells = 6;
        headless_advance(1000);
        Log_leeren();
        Schuss_abgeben(ZIEL_X, ZIEL_WY);
        EXPECT_EQ(iKills, f.treffer);
        EXPECT_EQ(iPoints, f.punkte) << f.treffer << " hits";
        int bonus = 0;
        for (const char* s : {"sound 12 0", "sound 0 0", "sound 10 0"}) bonus += Anzahl_Sounds(s);
        EXPECT_EQ(bonus, f.sound ? 1 : 0) << f.treffer << " hits";
        if (f.sound) EXPECT_EQ(Sounds().back(), f.sound);
    }
}

TEST_F(WeltSchuss, FallendeZielGeltenNichtMehr) {
    Alle_stapeln();
    Objekte[4].iZustand = ZUS_GETROFFEN;
    Objekte[7].iZustand = ZUS_GETROFFEN;
    Schuss_abgeben(ZIEL_X, ZIEL_WY);
    EXPECT_EQ(iKills, 9);
    EXPECT_EQ(iPoints, 105 + 40 + 20 + 75 + 100 + 100);
    EXPECT_EQ(Anzahl_Sounds("sound 10 0"), 1);
    EXPECT_EQ(Objekte[4].iTempoY, 0);   // untouched by the shot
}

TEST_F(WeltSchuss, TrefferboxSchliesstAlleKantenEin) {
    Platzieren(3, 1000, 300);
    const int drin[][2] = {{1000, 300}, {1096, 300}, {1000, 364}, {1096, 364}, {1048, 332}};
    const int draussen[][2] = {{999, 300}, {1097, 300}, {1000, 299}, {1000, 365}};
    for (const auto& p : drin) EXPECT_EQ(Objekt_getroffen(3, p[0], p[1]), 1) << p[0] << "," << p[1];
    for (const auto& p : draussen) EXPECT_EQ(Objekt_getroffen(3, p[0], p[1]), 0) << p[0] << "," << p[1];
    // The hider's zone is the strip in the middle of its frame.
    Platzieren(10, 1000, 300);
    EXPECT_EQ(Objekt_getroffen(10, 1075, 314), 1);
    EXPECT_EQ(Objekt_getroffen(10, 1100, 360), 1);
    EXPECT_EQ(Objekt_getroffen(10, 1074, 330), 0);
    EXPECT_EQ(Objekt_getroffen(10, 1080, 313), 0);
}

TEST_F(WeltSchuss, KulisseAlsStufenlinie) {
    EXPECT_EQ(Kulisse_verdeckt(100, 456), 1);
    EXPECT_EQ(Kulisse_verdeckt(100, 455), 0);
    EXPECT_EQ(Kulisse_verdeckt(254, 456), 1);   // the segment's right vertex lies at 465
    EXPECT_EQ(Kulisse_verdeckt(64, 767), 0);    // a vertex's x is never covered
    EXPECT_EQ(Kulisse_verdeckt(1229, 767), 0);
    EXPECT_EQ(Kulisse_verdeckt(1230, 551), 1);
    EXPECT_EQ(Kulisse_verdeckt(0, 767), 0);
    EXPECT_EQ(Kulisse_verdeckt(2049, 485), 1);
    EXPECT_EQ(Kulisse_verdeckt(2050, 767), 0);
    EXPECT_EQ(Kulisse_verdeckt(-5, 767), 0);
}

TEST_F(WeltSchuss, KulisseSchuetztNurDieHinteren) {
    iScrollX = 0;
    // Small flyer (behind) and medium flyer (in front) both over world (100, 456).
    Platzieren(0, 80, 440);
    Platzieren(3, 60, 420);
    Schuss_abgeben(100, 456);
    EXPECT_EQ(Objekte[0].iZustand, ZUS_AKTIV);
    EXPECT_EQ(Objekte[3].iZustand, ZUS_GETROFFEN);
    EXPECT_EQ(iPoints, 20);
    headless_advance(1000);
    Schuss_abgeben(100, 455);
    EXPECT_EQ(Objekte[0].iZustand, ZUS_GETROFFEN);
    EXPECT_EQ(iPoints, 55);
    // Right on a vertex's x the scenery never takes the shot.
    headless_advance(1000);
    Platzieren(1, 40, 700);
    Schuss_abgeben(64, 710);
    EXPECT_EQ(Objekte[1].iZustand, ZUS_GETROFFEN);
    // The hider behind the scenery likewise.
    headless_advance(1000);
    Platzieren(10, 100 - 80, 456 - 20);
    Schuss_abgeben(100, 460);
    EXPECT_EQ(Objekte[10].iZustand, ZUS_AKTIV);
}

TEST_F(WeltSchuss, SchussgeraeuschSperrtDasGewehr) {
    Schuss_abgeben(10, 10);
    EXPECT_EQ(iShells, 5);
    headless_advance(299);
    Schuss_abgeben(10, 10);
    EXPECT_EQ(iShells, 5);
    // Even with an empty gun: no click while the shot still sounds.
    iShells = 0;
    Schuss_abgeben(10, 10);
    EXPECT_EQ(Sounds(), std::vector<std::string>{"sound 15 0"});
    headless_advance(1);
    Schuss_abgeben(10, 10);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"sound 15 0", "sound 3 0"}));
    EXPECT_EQ(iShells, 0);
}

TEST_F(WeltSchuss, LadenGehtImmerUndSperrtDasGewehr) {
    iShells = 2;
    Gewehr_laden();
    EXPECT_EQ(iShells, 6);
    headless_advance(100);
    Gewehr_laden();   // again while the reload still sounds
    EXPECT_EQ(iShells, 6);
    EXPECT_EQ(Anzahl_Sounds("sound 14 0"), 2);
    headless_advance(499);
    Schuss_abgeben(10, 10);
    EXPECT_EQ(iShells, 6);
    EXPECT_EQ(Anzahl_Sounds("sound 15 0"), 0);
    headless_advance(1);
    Schuss_abgeben(10, 10);
    EXPECT_EQ(iShells, 5);
    EXPECT_EQ(Anzahl_Sounds("sound 15 0"), 1);
}

TEST_F(WeltSchuss, FehlschussKostetNurEinePatrone) {
    Platzieren(3, 1450, 250);
    iPoints = 40;
    iLetztePunkte = 77;
    dwPunkteZeit = 12345;
    dwEinschussZeit = 999;
    Schuss_abgeben(ZIEL_X, 600);
    EXPECT_EQ(iShells, 5);
    EXPECT_EQ(iPoints, 40);
    EXPECT_EQ(iKills, 0);
    EXPECT_EQ(iLetztePunkte, 77);
    EXPECT_EQ(dwPunkteZeit, 12345u);
    EXPECT_EQ(dwEinschussZeit, 999u);
    EXPECT_EQ(Objekte[3].iZustand, ZUS_AKTIV);
}

TEST_F(WeltSchuss, EinschussbildFuer125ms) {
    Platzieren(6, 1400, 200);
    Schuss_abgeben(ZIEL_X, ZIEL_WY);
    EXPECT_EQ(iEinschussX, ZIEL_X);
    EXPECT_EQ(iEinschussY, ZIEL_WY);
    headless_advance(124);
    Zeichnen();
    EXPECT_EQ(Pixel(ZIEL_X - 48, ZIEL_WY - 48), FARBE_EINSCHUSS);
    EXPECT_EQ(Pixel(ZIEL_X + 47, ZIEL_WY + 47), FARBE_EINSCHUSS);
    headless_advance(1);
    Zeichnen();
    EXPECT_NE(Pixel(ZIEL_X, ZIEL_WY), FARBE_EINSCHUSS);
}
