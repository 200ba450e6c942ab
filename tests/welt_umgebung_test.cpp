#include "welt_umgebung_test.h"

#include <cstring>

#include "assets/highscore.h"
#include "assets/packfile.h"
#include "audio/dsound.h"
#include "audio/musik.h"
#include "graphics/bitmaptext.h"
#include "testhilfe.h"

void WeltTest::Fuellen(PlatSurface* s, BYTE farbe) {
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(s, &l), PLAT_OK);
    for (uint32_t y = 0; y < l.dwHeight; y++) memset(l.lpSurface + (size_t)y * l.lPitch, farbe, l.dwWidth);
    plat_surface_unlock(s);
}

void WeltTest::SetUp() {
    HeadlessConfig cfg;
    cfg.tick0 = 1000000;
    headless_reset(cfg);
    for (Objekt& o : Objekte) o = Objekt{};
    for (Sprite& s : Vorlagen) s = Sprite{};
    memcpy(ptVerstecke, ptVersteckeAnfang, sizeof ptVerstecke);
    memset(&pfvGrafik, 0, sizeof pfvGrafik);
    memset(HighscoreListe, 0, sizeof HighscoreListe);
    iSekundenTakt = iLetztePunkte = iEinschussX = iEinschussY = 0;
    dwPunkteZeit = dwEinschussZeit = dwMusikTitelZeit = 0;
    dwAnimTakt = dwGeraeusch1Start = dwGeraeusch2Start = plat_get_tick_count();
    dwGeraeusch1Dauer = dwGeraeusch2Dauer = 1000000;   // quiet unless a test wants them
    iPoints = iKills = iLose = 0;
    iTime = 180;
    iShells = 6;
    iScrollX = -512;
    iMouseX = 512;
    iHimmelFarbe = HIMMEL;
    bDebugAnzeige = 0;
    dwTick = plat_get_tick_count();

    ASSERT_EQ(DDraw_starten(), 0);
    const RECT schirm = {0, 0, 1024, 768};
    ASSERT_EQ(DDraw_Clipper_erzeugen(&schirm, 1), 0);
    const struct {
        PlatSurface** s;
        int b, h;
        BYTE farbe;
    } flaechen[] = {{&lpDDSSpielfeld, 2048, 448, FELD},
                    {&lpDDSFont, 920, 152, FONT},
                    {&lpDDSFontMarkiert, 920, 152, MARKIERT},
                    {&lpDDSPatrone, 32, 128, PATRONE},
                    {&lpDDSEinschuss, 96, 96, EINSCHUSS}};
    for (const auto& f : flaechen) {
        ASSERT_EQ(DDraw_Offscreen_anlegen(f.s, f.b, f.h, 1), 0);
        Fuellen(*f.s, f.farbe);
    }
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(lpDDSSpielfeld, &l), PLAT_OK);
    for (int y = 0; y < 448; y++) {
        BYTE* z = l.lpSurface + (size_t)y * l.lPitch;
        memset(z, y < 128 ? TRANSPARENZ : FELD, 2048);
        z[0] = y < 128 ? TRANSPARENZ : FELD_LINKS;
        z[2047] = y < 128 ? TRANSPARENZ : FELD_RECHTS;
    }
    plat_surface_unlock(lpDDSSpielfeld);
    for (int g = 0; g < MAX_GLYPHEN - 1; g++) rcGlyphen[g] = RECT{0, 0, 10, 12};
    rcGlyphen[MAX_GLYPHEN - 1] = RECT{10, 12, 0, 0};

    // Without "Grafik.dat" every frame load fails; colour the frames and mirror again.
    Welt_anlegen();
    for (int art = 0; art < MAX_ARTEN; art++) {
        for (int f = 0; f < 5; f++) Fuellen(Vorlagen[art].lpDDSBild[f], Bildfarbe(art, f));
        if (art <= ART_GROSS) Sprite_spiegeln(&Vorlagen[art]);
    }
    ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
    const WAVEFORMATEX fmt = {1, 1, 1000, 1000, 1, 8, 0};   // a byte a millisecond
    for (int i = 0; i < MAX_SOUNDS; i++) {
        const DWORD ms = i == SND_SCHUSS ? 300 : i == SND_LADEN ? 500 : 100;
        ASSERT_EQ(plat_sound_create_buffer(lpDS, &fmt, ms, &lpDSB[i]), PLAT_OK);
    }
    iGameState = GS_PLAYING;
    headless_log_clear();
}

void WeltTest::TearDown() {
    DSound_beenden();
    DDraw_beenden();
    lpDDSSpielfeld = lpDDSFont = lpDDSFontMarkiert = lpDDSPatrone = lpDDSEinschuss = nullptr;
}

void WeltTest::Frame() {
    dwTick = plat_get_tick_count();
    Spiel_bewegen();
    Spiel_zeichnen();
    Geraeusche_abspielen();
    Runde_Zeit_zaehlen();
}

void WeltTest::Bewegen(int frames) {
    for (int n = 0; n < frames; n++) {
        headless_advance(25);
        Welt_bewegen();
    }
}

std::vector<std::string> WeltTest::Sounds() { return Log_nach(headless_log_lines(), "sound ", true); }

int WeltTest::Anzahl(const std::string& sound) {
    int n = 0;
    for (const std::string& s : Sounds()) n += s == sound;
    return n;
}

BYTE WeltTest::Pixel(int x, int y) { return headless_frame()[(size_t)y * 1024 + x]; }

void WeltTest::Platzieren(int i, int32_t x, int32_t y, int32_t richtung) {
    Objekt& o = Objekte[i];
    o.iPosX = x;
    o.iPosY = y;
    o.iRichtung = richtung;
    o.iZustand = ZUS_AKTIV;
    o.iTempoX = o.iTempoY = o.iPhase = o.Figur.iBild = 0;
    o.bBewegt = 0;
    o.bSichtbar = o.bAnimiert = 1;
    o.Figur.iAnimBilder = 4;
    o.dwZeitStart = plat_get_tick_count();
    o.dwZeitDauer = 1000000;
    o.iWeltLinks = x + o.Figur.iTrefferLinks;
    o.iWeltRechts = x + o.Figur.iTrefferRechts;
    o.iWeltOben = y + o.Figur.iTrefferOben;
    o.iWeltUnten = y + o.Figur.iTrefferUnten;
    Objekt_Position_abgleichen(i);
}

void WeltTest::Alle_parken() {
    for (Objekt& o : Objekte) {
        o.iZustand = ZUS_WARTEND;
        o.bSichtbar = 0;
        o.dwZeitStart = plat_get_tick_count();
        o.dwZeitDauer = 1000000;
    }
}
