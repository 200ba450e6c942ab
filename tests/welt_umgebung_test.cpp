#include "welt_umgebung_test.h"

#include <cstring>

#include "assets/highscore.h"
#include "assets/packfile.h"
#include "audio/dsound.h"
#include "audio/musik.h"
#include "graphics/bitmaptext.h"
#include "shell/spiel.h"

namespace {

// Voices at 1000 bytes per second: the length in bytes is the length in ms.
DWORD Laenge_ms(int sektor) {
    if (sektor == SND_SCHUSS) return 300;
    if (sektor == SND_LADEN) return 500;
    return 100;
}

void Sounds_anlegen() {
    ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
    WAVEFORMATEX fmt{};
    fmt.wFormatTag = 1;
    fmt.nChannels = 1;
    fmt.nSamplesPerSec = 1000;
    fmt.nAvgBytesPerSec = 1000;
    fmt.nBlockAlign = 1;
    fmt.wBitsPerSample = 8;
    for (int i = 0; i < MAX_SOUNDS; i++) {
        ASSERT_EQ(plat_sound_create_buffer(lpDS, &fmt, Laenge_ms(i), &lpDSB[i]), PLAT_OK);
    }
}

void Flaeche_anlegen(PlatSurface** s, int b, int h) {
    ASSERT_EQ(DDraw_Offscreen_anlegen(s, b, h, 1), 0);
}

// The playfield: transparent above screen row 448, opaque below, with
// marked first and last columns.
void Spielfeld_malen() {
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(lpDDSSpielfeld, &l), PLAT_OK);
    for (uint32_t y = 0; y < l.dwHeight; y++) {
        BYTE* z = l.lpSurface + (size_t)y * l.lPitch;
        const bool opak = (int)y + SPIELFELD_Y >= FELD_OPAK_Y;
        memset(z, opak ? FARBE_SPIELFELD : TRANSPARENZ, l.dwWidth);
        if (opak) {
            z[0] = FARBE_FELD_LINKS;
            z[l.dwWidth - 1] = FARBE_FELD_RECHTS;
        }
    }
    plat_surface_unlock(lpDDSSpielfeld);
}

}  // namespace

void WeltTest::Flaeche_fuellen(PlatSurface* s, BYTE farbe) {
    PlatLock l{};
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(plat_surface_lock(s, &l), PLAT_OK);
    for (uint32_t y = 0; y < l.dwHeight; y++) memset(l.lpSurface + (size_t)y * l.lPitch, farbe, l.dwWidth);
    plat_surface_unlock(s);
}

void WeltTest::SetUp() {
    HeadlessConfig cfg;
    cfg.tick0 = TEST_TICK0;
    headless_reset(cfg);

    for (Objekt& o : Objekte) o = Objekt{};
    for (Sprite& s : Vorlagen) s = Sprite{};
    memcpy(ptVerstecke, ptVersteckeAnfang, sizeof ptVerstecke);
    memset(&pfvGrafik, 0, sizeof pfvGrafik);
    memset(HighscoreListe, 0, sizeof HighscoreListe);
    iVersteckPlatz = 0;
    iSekundenTakt = 0;
    dwGeraeusch1Start = dwGeraeusch2Start = TEST_TICK0;
    dwGeraeusch1Dauer = dwGeraeusch2Dauer = 1000000;   // quiet unless a test wants them
    iLetztePunkte = 0;
    dwPunkteZeit = 0;
    iEinschussX = iEinschussY = 0;
    dwEinschussZeit = 0;
    dwAnimTakt = TEST_TICK0;
    dwMusikTitelZeit = 0;
    iMusikTitel = 0;

    iPoints = iKills = iLose = 0;
    iTime = 180;
    iShells = 6;
    iScrollX = -512;
    iMouseX = 512;
    iMouseY = 384;
    iHimmelFarbe = FARBE_HIMMEL;
    bDebugAnzeige = 0;
    dwTick = plat_get_tick_count();

    ASSERT_EQ(DDraw_starten(), 0);
    const RECT schirm = {0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE};
    ASSERT_EQ(DDraw_Clipper_erzeugen(&schirm, 1), 0);
    Flaeche_anlegen(&lpDDSSpielfeld, SPIELFELD_BREITE, SPIELFELD_HOEHE);
    Flaeche_anlegen(&lpDDSFont, 920, 152);
    Flaeche_anlegen(&lpDDSFontMarkiert, 920, 152);
    Flaeche_anlegen(&lpDDSPatrone, 32, 128);
    Flaeche_anlegen(&lpDDSEinschuss, 96, 96);
    Spielfeld_malen();
    Flaeche_fuellen(lpDDSFont, FARBE_FONT);
    Flaeche_fuellen(lpDDSFontMarkiert, FARBE_FONT_MARKIERT);
    Flaeche_fuellen(lpDDSPatrone, FARBE_PATRONE);
    Flaeche_fuellen(lpDDSEinschuss, FARBE_EINSCHUSS);
    for (int g = 0; g < MAX_GLYPHEN - 1; g++) rcGlyphen[g] = RECT{0, 0, GLYPH_B, GLYPH_H};
    rcGlyphen[MAX_GLYPHEN - 1] = RECT{GLYPH_B, GLYPH_H, 0, 0};

    // No "Grafik.dat" here: every frame load fails and leaves the frames
    // blank; we colour them ourselves and mirror again.
    Welt_anlegen();
    for (int art = 0; art < MAX_ARTEN; art++) {
        for (int f = 0; f < Vorlagen[art].iBilder; f++) Flaeche_fuellen(Vorlagen[art].lpDDSBild[f], Bildfarbe(art, f));
        if (art <= ART_GROSS) Sprite_spiegeln(&Vorlagen[art]);
    }
    Sounds_anlegen();
    iGameState = GS_PLAYING;
    Log_leeren();
}

void WeltTest::TearDown() {
    DSound_beenden();
    DDraw_beenden();
    lpDDSSpielfeld = lpDDSFont = lpDDSFontMarkiert = lpDDSPatrone = lpDDSEinschuss = nullptr;
    for (Objekt& o : Objekte) o = Objekt{};
    for (Sprite& s : Vorlagen) s = Sprite{};
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

std::vector<std::string> WeltTest::Sounds() {
    std::vector<std::string> aus;
    for (const std::string& z : headless_log_lines()) {
        const size_t p = z.find(" sound ");
        if (p != std::string::npos) aus.push_back(z.substr(p + 1));
    }
    return aus;
}

int WeltTest::Anzahl_Sounds(const std::string& zeile) {
    int n = 0;
    for (const std::string& s : Sounds()) n += s == zeile ? 1 : 0;
    return n;
}

void WeltTest::Log_leeren() { headless_log_clear(); }

BYTE WeltTest::Pixel(int x, int y) {
    const uint8_t* f = headless_frame();
    if (f == nullptr || x < 0 || y < 0 || x >= BILDSCHIRM_BREITE || y >= BILDSCHIRM_HOEHE) return 0;
    return f[(size_t)y * BILDSCHIRM_BREITE + x];
}

void WeltTest::Zeichnen() { Spiel_zeichnen(); }

void WeltTest::Platzieren(int i, int32_t x, int32_t y) {
    Objekt& o = Objekte[i];
    o.iPosX = x;
    o.iPosY = y;
    o.iZustand = ZUS_AKTIV;
    o.iRichtung = 4;
    o.iTempoX = 0;
    o.iTempoY = 0;
    o.bBewegt = 0;
    o.bSichtbar = 1;
    o.bAnimiert = 1;
    o.iPhase = PHASE_STEIGEN;
    o.Figur.iAnimBilder = o.Figur.iBilder - 1;
    o.Figur.iBild = 0;
    o.dwZeitStart = plat_get_tick_count();
    o.dwZeitDauer = 1000000;
    o.iWeltLinks = x + o.Figur.iTrefferLinks;
    o.iWeltRechts = x + o.Figur.iTrefferRechts;
    o.iWeltOben = y + o.Figur.iTrefferOben;
    o.iWeltUnten = y + o.Figur.iTrefferUnten;
    Objekt_Position_abgleichen(i);
}

void WeltTest::Alle_parken() {
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        Objekt& o = Objekte[i];
        o.iZustand = ZUS_WARTEND;
        o.bSichtbar = 0;
        o.dwZeitStart = plat_get_tick_count();
        o.dwZeitDauer = 1000000;
    }
}
