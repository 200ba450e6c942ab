// The data files as the whole game meets them, on the headless backend
// with the generated data.
#include "packfile_testbau.h"

namespace {

std::vector<std::string> Boxen(const RunnerErgebnis& r) { return Log_nach(r.log, "msgbox "); }

RunnerErgebnis Lauf(const std::string& script = "", DWORD ms = 100) {
    HeadlessConfig cfg;
    cfg.until_ms = ms;
    return Spiel_laufen_lassen(script, cfg);
}

// Start-up with one data file damaged by `aendern`: the message boxes shown.
template <typename F>
std::vector<std::string> Start_mit(const char* datei, F aendern) {
    Testordner_anlegen();
    std::string d = Datei_lesen(datei);
    aendern(d);
    if (!d.empty()) Datei_schreiben(datei, d);
    return Boxen(Lauf());
}

}   // namespace

TEST(DateienSpielstart, DamagedFilesAtStartUp) {
    const std::string ende = "Dieses Spiel kann leider nicht gestartet werden!";
    EXPECT_EQ(Start_mit("lose.wav", [](std::string& d) { d.clear(), std::remove("lose.wav"); }),
              std::vector<std::string>{
                  "Error... | Es fehlt mindestens eine Datei!\\nDas Spiel kann leider nicht gestartet werden!"});
    EXPECT_EQ(Start_mit("Grafik.dat", [](std::string& d) { d[d.size() - 544 + 404] = 'p'; }),
              (std::vector<std::string>{"Error... | Die Datei 'Grafik.dat' ist keine gültige 'PackFile' - Datei!",
                                        "Error Nr.:8 | " + ende}));
    EXPECT_EQ(
        Start_mit("Sound.dat", [](std::string& d) { d.replace(d.size() - 544 + 28, 4, testbau::Le(SEKTOR_BMP)); }),
        (std::vector<std::string>{"Error... | PackFile_Sound_laden: Ungültiger WAV-Sektor ausgewählt!",
                                  "Error Nr.:23 | " + ende}));

    // A damaged score file is replaced; the game goes on and the next start is quiet.
    EXPECT_EQ(Start_mit("Score.dat", [](std::string& d) { d = std::string(289, 'x'); }),
              std::vector<std::string>{
                  "Error... | Ihre Highscoreliste ist leider ungueltig,\\nund mußte komplett neu anglegt werden!"});
    std::string neu = Datei_lesen("Score.dat");
    EXPECT_EQ(neu.size(), 288u);
    RunnerErgebnis r = Lauf();
    EXPECT_TRUE(Boxen(r).empty());
    EXPECT_TRUE(Log_enthaelt(r.log, "wave start.wav"));
    EXPECT_EQ(Datei_lesen("Score.dat"), neu) << "a valid file is not rewritten";
}
