// The world inside the whole game: a scripted round through the runner,
// aimed from a first, identical run, and a screenshot of a playing frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "shell/spiel.h"
#include "testhilfe.h"
#include "world/welt.h"

namespace {

// Into the round (playing from 8080 ms), the pointer parked mid-screen.
const char* const BETRETEN = "1000 key RETURN\n3000 key RETURN\n8100 move 512 384\n";
const int T = 8600;
std::string Um(int ms) { return std::to_string(T + ms); }

// Runs in one process share the world's statics: start each from them as a
// fresh program would, and without a score file (making one draws numbers).
RunnerErgebnis Frisch(const std::string& script) {
    std::remove("Score.dat");
    for (Objekt& o : Objekte) o = Objekt{};
    dwGeraeusch1Start = dwGeraeusch1Dauer = dwGeraeusch2Start = dwGeraeusch2Dauer = dwAnimTakt = dwEinschussZeit = 0;
    return Spiel_laufen_lassen(script);
}

// Aims at the middle of the first uncovered target in view, as the last pass
// left the world, and works out the sounds and points of a shot there.
struct Ziel {
    int x = -1, y = -1, punkte = 0, treffer = 0;
    std::vector<std::string> sounds{"sound 15 0"};
};
Ziel Zielen() {
    Ziel z;
    for (const Objekt& o : Objekte) {
        const int wx = (o.iWeltLinks + o.iWeltRechts) / 2, wy = (o.iWeltOben + o.iWeltUnten) / 2;
        if (o.iZustand == ZUS_AKTIV && wx + iScrollX >= 0 && wx + iScrollX < 1024 && wy >= 0 && wy < 768 &&
            !(o.bHinten == 1 && Kulisse_verdeckt(wx, wy) == 1)) {
            z.x = wx + iScrollX;
            z.y = wy;
            break;
        }
    }
    const int punkte[] = {35, 20, 10, 75, 100}, sound[] = {9, 9, 9, 7, 1};
    for (int i = 0; i < MAX_OBJEKTE && z.x >= 0; i++) {
        const Objekt& o = Objekte[i];
        const int wx = z.x - iScrollX;
        if (o.iZustand != ZUS_AKTIV || !Objekt_getroffen(i, wx, z.y) || (o.bHinten == 1 && Kulisse_verdeckt(wx, z.y)))
            continue;
        const int pan = 10 * (o.iPosX + o.Figur.iBreite / 2 - (512 - iScrollX));
        z.sounds.push_back("sound " + std::to_string(sound[o.Figur.iArt]) + " " +
                           std::to_string(std::max(-10000, std::min(10000, pan))));
        z.punkte += punkte[o.Figur.iArt];
        z.treffer++;
    }
    const char* bonus[] = {"", "", "sound 12 0", "sound 0 0", "sound 10 0"};
    const int extra[] = {0, 0, 25, 50, 100};
    const int b = z.treffer >= 4 && z.treffer <= 9 ? 4 : z.treffer <= 3 ? z.treffer : 0;
    if (b >= 2) z.sounds.push_back(bonus[b]), z.punkte += extra[b];
    return z;
}

}   // namespace

TEST(WeltSpiel, GezielterSchussLeeresGewehrUndLaden) {
    Testordner_anlegen(true);
    Frisch(std::string(BETRETEN) + Um(0) + " close\n");
    const Ziel z = Zielen();
    ASSERT_GE(z.x, 0) << "no target in view";

    std::string s = BETRETEN + Um(0) + " move " + std::to_string(z.x) + " " + std::to_string(z.y) + "\n" + Um(0) +
                    " lclick\n" + Um(60) + " shot playing.bmp\n" + Um(100) + " globals\n";
    for (int n = 1; n <= 6; n++) s += Um(500 * n) + " lclick\n";   // five more shots, then the click
    s += Um(3100) + " rclick\n" + Um(3200) + " rclick\n" + Um(4800) + " lclick\n" + Um(4900) + " globals\n" + Um(5000) +
         " close\n";
    const RunnerErgebnis r = Frisch(s);
    ASSERT_EQ(r.status, 0);

    std::vector<std::string> beim_schuss;   // every sound at the aimed shot's millisecond
    for (const std::string& zeile : Log_finden(r.log, " sound "))
        if (std::stoi(zeile) >= T && std::stoi(zeile) < T + 100)
            beim_schuss.push_back(zeile.substr(zeile.find(' ') + 1));
    EXPECT_EQ(beim_schuss, z.sounds);
    EXPECT_EQ(Log_finden(r.log, " sound 15 0").size(), 8u);   // the menu's, then seven in the round
    EXPECT_EQ(Log_finden(r.log, " sound 3 0").size(), 1u);
    EXPECT_EQ(Log_finden(r.log, " sound 14 0").size(), 2u);
    const auto werte = Log_finden(r.log, "globals ");
    ASSERT_EQ(werte.size(), 2u);
    EXPECT_NE(werte[0].find("points=" + std::to_string(z.punkte) + " kills=" + std::to_string(z.treffer) + " "),
              std::string::npos)
        << werte[0];
    EXPECT_NE(werte[1].find("shells=5"), std::string::npos) << werte[1];

    // A playing frame for the eye: sky, targets, playfield, texts, shells, shot picture.
    EXPECT_EQ(Datei_lesen("playing.bmp").size(), 1078u + 1024 * 768);
}
