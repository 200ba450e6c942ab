// The required-files check and the search for MP3 files.
#include <algorithm>

#include "assets/dateien.h"
#include "audio/musik.h"
#include "packfile_testbau.h"

using namespace testbau;

class DateienPruefen : public AssetsOrdner {};

TEST_F(DateienPruefen, StopsAtTheFirstMissingFileInOrder) {
    const char* pflicht[] = {"Grafik.dat", "Sound.dat", "start.wav", "main.wav", "win.wav", "lose.wav", "credits.wav"};
    for (const char* d : pflicht) Datei_schreiben(d, "x");
    EXPECT_TRUE(Dateien_pruefen());
    EXPECT_EQ(headless_fault_calls("CreateFile"), 7);
    EXPECT_EQ(headless_live_objects(), 0);
    for (int fehlt = 0; fehlt < 7; fehlt++) {
        std::remove(pflicht[fehlt]);
        headless_reset(HeadlessConfig());
        EXPECT_FALSE(Dateien_pruefen());
        EXPECT_EQ(headless_fault_calls("CreateFile"), fehlt + 1) << pflicht[fehlt];
        EXPECT_EQ(Meldungen(),
                  std::vector<std::string>{
                      "Error... | Es fehlt mindestens eine Datei!\\nDas Spiel kann leider nicht gestartet werden!"});
        Datei_schreiben(pflicht[fehlt], "x");
    }
    headless_fault_arm("CreateFile", 5, 1);   // "lose.wav" there but not to be opened
    EXPECT_FALSE(Dateien_pruefen());
}

TEST_F(DateienPruefen, MusicScanTakesAnyCaseAndAtMostTen) {
    iMusikZustand = MUSIK_ZU;
    iMusikAnzahl = 3, iMusikTitel = 2;
    Datei_schreiben("lied.mp3x", "x");
    Datei_schreiben("mp3", "x");
    EXPECT_FALSE(Musik_suchen());
    EXPECT_EQ(iMusikZustand, MUSIK_KEINE);
    EXPECT_EQ(iMusikAnzahl + iMusikTitel, 0);

    iMusikZustand = MUSIK_ZU;
    for (const char* n : {"a.MP3", "b.Mp3", "c.mp3"}) Datei_schreiben(n, "x");
    EXPECT_TRUE(Musik_suchen());
    EXPECT_EQ(iMusikZustand, MUSIK_ZU);
    std::vector<std::string> namen(szMusikDatei, szMusikDatei + iMusikAnzahl);
    std::sort(namen.begin(), namen.end());
    EXPECT_EQ(namen, (std::vector<std::string>{"a.MP3", "b.Mp3", "c.mp3"}));

    for (int i = 0; i < 8; i++) Datei_schreiben("t" + std::to_string(i) + ".mp3", "x");
    EXPECT_TRUE(Musik_suchen());
    EXPECT_EQ(iMusikAnzahl, 10);
    namen.assign(szMusikDatei, szMusikDatei + 10);
    std::sort(namen.begin(), namen.end());
    EXPECT_EQ(std::unique(namen.begin(), namen.end()), namen.end());
    EXPECT_EQ(headless_live_objects(), 0) << "search closed";
}
