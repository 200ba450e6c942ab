// The required-files check and the search for MP3 files.
#include <algorithm>
#include <filesystem>

#include "assets/dateien.h"
#include "audio/musik.h"
#include "packfile_testbau.h"

using namespace testbau;

namespace {
const char* const kPflicht[] = {"Grafik.dat", "Sound.dat", "start.wav", "main.wav", "win.wav", "lose.wav", "credits.wav"};
const char* const kFehlt = "Es fehlt mindestens eine Datei!\\nDas Spiel kann leider nicht gestartet werden!";
}  // namespace

class DateienPruefen : public AssetsOrdner {
protected:
    void SetUp() override
    {
        AssetsOrdner::SetUp();
        for (const char* d : kPflicht)
            Schreiben(d, "x");
        memset(szMusikDatei, 0x41, sizeof(szMusikDatei));
        iMusikAnzahl = 7;
        iMusikTitel = 3;
        iMusikZustand = MUSIK_ZU;
    }
};

TEST_F(DateienPruefen, AllPresent)
{
    int offen = headless_live_objects();
    EXPECT_TRUE(Dateien_pruefen());
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(headless_fault_calls("CreateFile"), 7);
    EXPECT_EQ(headless_live_objects(), offen) << "every file closed again";
}

TEST_F(DateienPruefen, StopsAtTheFirstMissingFileInOrder)
{
    for (int fehlt = 0; fehlt < 7; fehlt++) {
        std::remove(kPflicht[fehlt]);
        headless_log_clear();
        headless_fault_clear();
        int vorher = headless_fault_calls("CreateFile");
        EXPECT_FALSE(Dateien_pruefen()) << kPflicht[fehlt];
        EXPECT_EQ(headless_fault_calls("CreateFile") - vorher, fehlt + 1) << kPflicht[fehlt];
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_EQ(Meldungen()[0], Fehler(kFehlt));
        Schreiben(kPflicht[fehlt], "x");
    }
}

TEST_F(DateienPruefen, UnopenableFileCountsAsMissing)
{
    // "lose.wav" is there but cannot be opened.
    headless_fault_arm("CreateFile", 5, 1);
    EXPECT_FALSE(Dateien_pruefen());
    EXPECT_EQ(Meldungen().size(), 1u);
    EXPECT_EQ(headless_fault_calls("CreateFile"), 6);
    EXPECT_TRUE(Datei_vorhanden("lose.wav"));
    EXPECT_FALSE(Datei_vorhanden("nichts.wav"));
}

TEST_F(DateienPruefen, NoMusicMeansNoPlayer)
{
    Schreiben("song.mp3x", "x");
    Schreiben("mp3", "x");
    EXPECT_FALSE(Musik_suchen());
    EXPECT_EQ(iMusikZustand, MUSIK_KEINE);
    EXPECT_EQ(iMusikAnzahl, 0);
    EXPECT_EQ(iMusikTitel, 0);
    EXPECT_EQ(szMusikDatei[0][0], '\0');
    EXPECT_EQ(szMusikDatei[9][MUSIK_NAME_LAENGE - 1], '\0') << "the whole list is cleared";
}

TEST_F(DateienPruefen, ExtensionAnyCaseAtMostTen)
{
    Schreiben("a.MP3", "x");
    Schreiben("b.Mp3", "x");
    Schreiben("c.mp3", "x");
    EXPECT_TRUE(Musik_suchen());
    EXPECT_EQ(iMusikZustand, MUSIK_ZU);
    ASSERT_EQ(iMusikAnzahl, 3);
    std::vector<std::string> namen(szMusikDatei, szMusikDatei + 3);
    std::sort(namen.begin(), namen.end());
    EXPECT_EQ(namen, (std::vector<std::string>{"a.MP3", "b.Mp3", "c.mp3"}));

    for (int i = 0; i < 8; i++)
        Schreiben("t" + std::to_string(i) + ".mp3", "x");
    int offen = headless_live_objects();
    EXPECT_TRUE(Musik_suchen());
    EXPECT_EQ(iMusikAnzahl, 10);
    EXPECT_EQ(iMusikTitel, 0);
    EXPECT_EQ(headless_live_objects(), offen) << "search closed";
    std::vector<std::string> alle(szMusikDatei, szMusikDatei + 10);
    std::sort(alle.begin(), alle.end());
    EXPECT_EQ(std::unique(alle.begin(), alle.end()), alle.end()) << "ten different files";
    for (const std::string& n : alle)
        EXPECT_TRUE(Vorhanden(n)) << "bare names, relative to the folder: " << n;
}

TEST_F(DateienPruefen, SearchOfAnotherFolder)
{
    std::filesystem::create_directory("musik");
    Schreiben("musik/eins.mp3", "x");
    Schreiben("zwei.mp3", "x");
    EXPECT_TRUE(Verzeichnis_durchsuchen((ordner_ + "/musik").c_str(), "mp3"));
    ASSERT_EQ(iMusikAnzahl, 1);
    EXPECT_STREQ(szMusikDatei[0], "eins.mp3");
    EXPECT_FALSE(Verzeichnis_durchsuchen((ordner_ + "/gibtsnicht").c_str(), "mp3"));
    EXPECT_EQ(iMusikAnzahl, 0);
}
