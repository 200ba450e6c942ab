// The data files as the whole game meets them at start-up and in play,
// on the headless backend with the generated data.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "assets/packfile.h"
#include "testhilfe.h"

namespace {

std::vector<std::string> Boxen(const RunnerErgebnis& r)
{
    std::vector<std::string> b;
    for (const std::string& z : Log_finden(r.log, "msgbox "))
        b.push_back(z.substr(z.find("msgbox ") + 7));
    return b;
}

std::vector<std::string> Mci(const RunnerErgebnis& r)
{
    std::vector<std::string> b;
    for (const std::string& z : Log_finden(r.log, " mci "))
        b.push_back(z.substr(z.find(" mci ") + 5));
    return b;
}

RunnerErgebnis Kurz(const std::string& script = "", DWORD ms = 100)
{
    HeadlessConfig cfg;
    cfg.until_ms = ms;
    return Spiel_laufen_lassen(script, cfg);
}

const char* const kAbbruch = "Dieses Spiel kann leider nicht gestartet werden!";

}  // namespace

TEST(DateienSpielstart, StartsWithTheGeneratedDataAndWritesDefaultScores)
{
    Testordner_anlegen();
    RunnerErgebnis r = Kurz();
    EXPECT_TRUE(Boxen(r).empty());
    EXPECT_TRUE(Log_enthaelt(r.log, "wave start.wav"));
    EXPECT_EQ(Datei_lesen("Score.dat").size(), 288u);
    EXPECT_TRUE(Mci(r).empty());
}

TEST(DateienSpielstart, MissingRequiredFileStopsWithOneMessage)
{
    for (const char* fehlt : {"lose.wav", "Grafik.dat"}) {
        Testordner_anlegen();
        std::remove(fehlt);
        RunnerErgebnis r = Kurz();
        ASSERT_EQ(Boxen(r).size(), 1u) << fehlt;
        EXPECT_EQ(Boxen(r)[0],
                  "Error... | Es fehlt mindestens eine Datei!\\nDas Spiel kann leider nicht gestartet werden!");
        EXPECT_FALSE(Log_enthaelt(r.log, "wave start.wav")) << fehlt;
        EXPECT_FALSE(Log_enthaelt(r.log, "Score.dat")) << fehlt;
    }
}

TEST(DateienSpielstart, DamagedArchivesEndTheStartWithTheirNumbers)
{
    // Grafik.dat whose magic text has one letter in the wrong case.
    Testordner_anlegen();
    std::string g = Datei_lesen("Grafik.dat");
    g[g.size() - PACKFILE_INDEX_GROESSE + 404] = 'p';
    Datei_schreiben("Grafik.dat", g);
    RunnerErgebnis r = Kurz();
    ASSERT_EQ(Boxen(r).size(), 2u);
    EXPECT_EQ(Boxen(r)[0], "Error... | Die Datei 'Grafik.dat' ist keine gültige 'PackFile' - Datei!");
    EXPECT_EQ(Boxen(r)[1], std::string("Error Nr.:8 | ") + kAbbruch);

    // Sound.dat whose sector 7 is marked as a picture.
    Testordner_anlegen();
    std::string s = Datei_lesen("Sound.dat");
    int32_t bmp = SEKTOR_BMP;
    memcpy(&s[s.size() - PACKFILE_INDEX_GROESSE + 4 * 7], &bmp, 4);
    Datei_schreiben("Sound.dat", s);
    r = Kurz();
    ASSERT_EQ(Boxen(r).size(), 2u);
    EXPECT_EQ(Boxen(r)[0], "Error... | PackFile_Sound_laden: Ungültiger WAV-Sektor ausgewählt!");
    EXPECT_EQ(Boxen(r)[1], std::string("Error Nr.:23 | ") + kAbbruch);
    EXPECT_FALSE(Log_enthaelt(r.log, "wave start.wav"));
}

TEST(DateienSpielstart, DamagedScoreFileIsReplacedAndTheGameGoesOn)
{
    Testordner_anlegen();
    Datei_schreiben("Score.dat", std::string(289, 'x'));
    RunnerErgebnis r = Kurz();
    ASSERT_EQ(Boxen(r).size(), 1u);
    EXPECT_EQ(Boxen(r)[0],
              "Error... | Ihre Highscoreliste ist leider ungueltig,\\nund mußte komplett neu anglegt werden!");
    EXPECT_TRUE(Log_enthaelt(r.log, "wave start.wav"));
    std::string neu = Datei_lesen("Score.dat");
    ASSERT_EQ(neu.size(), 288u);
    EXPECT_EQ(neu.compare(0, 18, std::string("Glubbershoot 1009") + '\0'), 0);

    // The file written is valid: the next start shows nothing.
    r = Kurz();
    EXPECT_TRUE(Boxen(r).empty());
    EXPECT_EQ(Datei_lesen("Score.dat"), neu) << "a valid file is not rewritten";
}

TEST(DateienSpielstart, MusicKeysDuringARound)
{
    Testordner_anlegen();
    Datei_schreiben("eins.mp3", "");
    Datei_schreiben("ZWEI.Mp3", "");
    // Menu, round intro (random track), then in play: next, off, next, on.
    RunnerErgebnis r = Kurz(
        "200 key SPACE\n300 key RETURN\n7000 key UP\n7100 key F2\n7200 key UP\n7300 key F2\n", 7400);
    std::vector<std::string> m = Mci(r);
    ASSERT_EQ(m.size(), 8u);
    EXPECT_EQ(m[0].substr(0, 5), "open ");
    EXPECT_EQ(m[1], "play Mp3");
    EXPECT_EQ(m[2], "close Mp3");
    EXPECT_NE(m[3], m[0]) << "the next of two tracks is the other one";
    EXPECT_EQ(m[4], "play Mp3");
    EXPECT_EQ(m[5], "close Mp3");
    // Off, the next track chosen silently, then on again with that track.
    EXPECT_EQ(m[6], m[0]);
    EXPECT_EQ(m[7], "play Mp3 repeat");
}

TEST(DateienSpielstart, WithoutMusicARoundStartsSilently)
{
    Testordner_anlegen();
    RunnerErgebnis r = Kurz("200 key SPACE\n300 key RETURN\n", 400);
    EXPECT_TRUE(Log_enthaelt(r.log, "state GS_ROUND_INTRO"));
    EXPECT_TRUE(Mci(r).empty());
}
