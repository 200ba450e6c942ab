// The world inside the whole game: a scripted round through the runner,
// aimed from a first identical run, and a screenshot of a playing frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/packfile.h"
#include "graphics/ddraw.h"
#include "shell/spiel.h"
#include "testhilfe.h"
#include "world/welt.h"

namespace {

// Into the round: title, menu, countdown; the pointer parked mid-screen.
const char* const RUNDE_BETRETEN =
    "1000 key RETURN\n"
    "3000 key RETURN\n"
    "8100 move 512 384\n";
const int ZIELZEIT = 8600;

struct Ziel {
    int x = -1, y = -1;
    std::vector<std::string> sounds;   // what the shot should play, in order
    int punkte = 0;
    int treffer = 0;
};

int Pan(const Objekt& o) {
    const int mitte = 512 - iScrollX;
    const int c = o.iPosX + o.Figur.iBreite / 2;
    const int pan = c < mitte ? -10 * (mitte - c) : 10 * (c - mitte);
    return pan < -10000 ? -10000 : pan > 10000 ? 10000 : pan;
}

// Aims at the middle of the first target in view, as the world stands after
// the last pass, and works out what a shot there must do.
Ziel Ziel_suchen() {
    const int sound[] = {SND_TREFFER_FLIEGER, SND_TREFFER_FLIEGER, SND_TREFFER_FLIEGER, SND_TREFFER_STEIGER,
                         SND_TREFFER_VERSTECK};
    const int punkte[] = {35, 20, 10, 75, 100};
    Ziel z;
    for (const Objekt& o : Objekte) {
        if (o.iZustand != ZUS_AKTIV) continue;
        const int wx = (o.iWeltLinks + o.iWeltRechts) / 2;
        const int wy = (o.iWeltOben + o.iWeltUnten) / 2;
        const int x = wx + iScrollX;
        if (x < 0 || x > 1023 || wy < 0 || wy > 767) continue;
        if (o.bHinten == 1 && Kulisse_verdeckt(wx, wy) == 1) continue;
        z.x = x;
        z.y = wy;
        break;
    }
    if (z.x < 0) return z;
    z.sounds.push_back("sound 15 0");
    const int wx = z.x - iScrollX;
    for (int i = 0; i < MAX_OBJEKTE; i++) {
        const Objekt& o = Objekte[i];
        if (o.iZustand != ZUS_AKTIV || Objekt_getroffen(i, wx, z.y) == 0) continue;
        if (o.bHinten == 1 && Kulisse_verdeckt(wx, z.y) == 1) continue;
        z.treffer++;
        z.punkte += punkte[o.Figur.iArt];
        z.sounds.push_back("sound " + std::to_string(sound[o.Figur.iArt]) + " " + std::to_string(Pan(o)));
    }
    if (z.treffer == 2) z.punkte += 25, z.sounds.push_back("sound 12 0");
    if (z.treffer == 3) z.punkte += 50, z.sounds.push_back("sound 0 0");
    if (z.treffer >= 4 && z.treffer <= 9) z.punkte += 100, z.sounds.push_back("sound 10 0");
    return z;
}

// Runs in one process share the world's statics; each run starts from
// them as a freshly started program would, and without a score file
// (making a new one draws random numbers).
RunnerErgebnis Frisch_laufen_lassen(const std::string& script) {
    std::remove("Score.dat");
    for (Objekt& o : Objekte) o = Objekt{};
    for (Sprite& v : Vorlagen) v = Sprite{};
    dwGeraeusch1Start = dwGeraeusch1Dauer = dwGeraeusch2Start = dwGeraeusch2Dauer = 0;
    dwAnimTakt = dwEinschussZeit = 0;
    iEinschussX = iEinschussY = iVersteckPlatz = 0;
    return Spiel_laufen_lassen(script);
}

// The 1024 x 768 indices of an 8-bit bottom-up BMP as the runner writes it.
std::vector<uint8_t> Bmp_lesen(const std::string& pfad) {
    const std::string d = Datei_lesen(pfad);
    if (d.size() < 1078 + 1024 * 768) return {};
    uint32_t off = 0;
    memcpy(&off, d.data() + 10, 4);
    std::vector<uint8_t> bild(1024 * 768);
    for (int y = 0; y < 768; y++) memcpy(&bild[(size_t)y * 1024], d.data() + off + (size_t)(767 - y) * 1024, 1024);
    return bild;
}

// A picture of "Grafik.dat" as the game loads it.
std::vector<uint8_t> Bild_laden(int sektor, int b, int h) {
    std::vector<uint8_t> aus;
    headless_reset(HeadlessConfig());
    if (plat_display_create(&lpDD) != PLAT_OK || PackFile_oeffnen("Grafik.dat", &pfvGrafik) != 0) return aus;
    PlatSurface* s = nullptr;
    PlatLock l{};
    if (DDraw_Offscreen_anlegen(&s, b, h, 1) == 0 && PackFile_Bild_laden("Grafik.dat", &pfvGrafik, sektor, s, 0, 0) == 0 &&
        plat_surface_lock(s, &l) == PLAT_OK) {
        for (int y = 0; y < h; y++) aus.insert(aus.end(), l.lpSurface + (size_t)y * l.lPitch, l.lpSurface + (size_t)y * l.lPitch + b);
        plat_surface_unlock(s);
    }
    plat_display_release(lpDD);
    lpDD = nullptr;
    return aus;
}

}  // namespace

TEST(WeltSpiel, GezielterSchussLadenUndLeeresGewehr) {
    Testordner_anlegen(true);
    // First run: stop at the aiming time and see where the targets are.
    Frisch_laufen_lassen(std::string(RUNDE_BETRETEN) + std::to_string(ZIELZEIT) + " close\n");
    const Ziel z = Ziel_suchen();
    ASSERT_GE(z.x, 0) << "no target in view";

    // Second run, the same up to then: fire there, empty the gun, reload.
    std::string s = RUNDE_BETRETEN;
    s += std::to_string(ZIELZEIT) + " move " + std::to_string(z.x) + " " + std::to_string(z.y) + "\n";
    s += std::to_string(ZIELZEIT) + " lclick\n";
    s += std::to_string(ZIELZEIT + 60) + " shot playing.bmp\n";
    s += std::to_string(ZIELZEIT + 100) + " globals\n";
    auto um = [](int ms) { return std::to_string(ZIELZEIT + ms); };
    for (int n = 1; n <= 6; n++) s += um(500 * n) + " lclick\n";
    s += um(3100) + " globals\n" + um(3200) + " rclick\n" + um(3300) + " rclick\n" + um(3400) + " globals\n";
    s += um(5000) + " lclick\n" + um(5100) + " globals\n" + um(5200) + " close\n";
    const RunnerErgebnis r = Frisch_laufen_lassen(s);
    ASSERT_EQ(r.status, 0);

    // Everything the shot played, at its own millisecond.
    std::vector<std::string> beim_schuss;
    std::string schusszeit;
    for (const std::string& z : r.log) {
        if (std::stoi(z) < ZIELZEIT || z.find(" sound ") == std::string::npos) continue;
        const std::string ms = z.substr(0, z.find(' '));
        if (schusszeit.empty()) schusszeit = ms;
        if (ms == schusszeit) beim_schuss.push_back(z.substr(ms.size() + 1));
    }
    EXPECT_EQ(beim_schuss, z.sounds);
    EXPECT_EQ(Log_finden(r.log, " sound 15 0").size(), 8u);   // the menu's, then seven in the round
    EXPECT_EQ(Log_finden(r.log, " sound 3 0").size(), 1u);
    EXPECT_EQ(Log_finden(r.log, " sound 14 0").size(), 2u);

    const auto werte = Log_finden(r.log, "globals ");
    ASSERT_EQ(werte.size(), 4u);
    EXPECT_NE(werte[0].find("shells=5"), std::string::npos) << werte[0];
    EXPECT_NE(werte[0].find("points=" + std::to_string(z.punkte) + " "), std::string::npos) << werte[0];
    EXPECT_NE(werte[0].find("kills=" + std::to_string(z.treffer) + " "), std::string::npos) << werte[0];
    EXPECT_NE(werte[1].find("shells=0"), std::string::npos) << werte[1];
    EXPECT_NE(werte[2].find("shells=6"), std::string::npos) << werte[2];
    EXPECT_NE(werte[3].find("shells=5"), std::string::npos) << werte[3];

    // The screenshot: the shot picture over the target, the leftmost of
    // five shells at x 894, the playfield below, text at both top corners.
    const std::vector<uint8_t> bild = Bmp_lesen("playing.bmp");
    ASSERT_FALSE(bild.empty());
    const std::vector<uint8_t> patrone = Bild_laden(32, 32, 128);
    const std::vector<uint8_t> einschuss = Bild_laden(2, 96, 96);
    ASSERT_EQ(patrone.size(), 32u * 128u);
    int gleich = 0, gezaehlt = 0;
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 32; x++) {
            const uint8_t p = patrone[y * 32 + x];
            if (p == 255) continue;
            gezaehlt++;
            gleich += bild[(620 + y) * 1024 + 894 + x] == p ? 1 : 0;
        }
    EXPECT_GT(gezaehlt, 0);
    EXPECT_EQ(gleich, gezaehlt);
    gleich = gezaehlt = 0;
    for (int y = 0; y < 96; y++)
        for (int x = 0; x < 96; x++) {
            const int sx = z.x - 48 + x, sy = z.y - 48 + y;
            const uint8_t p = einschuss[y * 96 + x];
            if (p == 255 || sx < 0 || sy < 0 || sx > 1023 || sy > 767) continue;
            gezaehlt++;
            gleich += bild[sy * 1024 + sx] == p ? 1 : 0;
        }
    EXPECT_GT(gezaehlt, 0);
    EXPECT_EQ(gleich, gezaehlt);
    // Both texts stand out against the sky next to them.
    const uint8_t himmel = bild[300 * 1024 + 5];
    auto Textpixel = [&](int x0, int x1) {
        int n = 0;
        for (int y = 10; y < 40; y++)
            for (int x = x0; x < x1; x++) n += bild[y * 1024 + x] != himmel ? 1 : 0;
        return n;
    };
    EXPECT_GT(Textpixel(10, 200), 100);
    EXPECT_GT(Textpixel(794, 950), 100);
    EXPECT_EQ(Textpixel(300, 420), 0);
}
