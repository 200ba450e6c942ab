// "Score.dat": reading, validating, regenerating, sorting, entering, writing.
#include <filesystem>

#include "assets/highscore.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using namespace testbau;

namespace {

// A score file with scores `punkte` named "A", "B", ... and the given time fields.
std::string Scoredatei(std::vector<int32_t> punkte, uint16_t minute = 12, uint16_t sekunde = 34,
                       std::string version = HIGHSCORE_VERSION) {
    BauPunkteliste p;
    p.version = version;
    p.wZeit[5] = minute;
    p.wZeit[6] = sekunde;
    punkte.resize(MAX_HIGHSCORES, 100);
    for (size_t i = 0; i < punkte.size(); i++)
        p.eintraege.push_back({punkte[i], std::string(1, static_cast<char>('A' + i))});
    return Text(Bau_Punkteliste(p));
}

std::string Tabelle() {
    std::string t;
    for (const HighscoreEintrag& e : HighscoreListe) t += std::to_string(e.iPunktzahl) + std::string(e.szName) + " ";
    return t;
}

}   // namespace

class HighscoreDatei : public AssetsOrdner {
protected:
    void Erwarte_Vorgaben(const std::string& meldung) {
        EXPECT_EQ(Meldungen(), meldung.empty() ? std::vector<std::string>{} : std::vector<std::string>{meldung});
        for (int i = 0; i < MAX_HIGHSCORES; i++) {
            EXPECT_STREQ(HighscoreListe[i].szName, "T.Wolkanz");
            EXPECT_EQ(HighscoreListe[i].iPunktzahl % 10, 0);
            EXPECT_TRUE(HighscoreListe[i].iPunktzahl >= 2000 && HighscoreListe[i].iPunktzahl <= 4990);
            EXPECT_TRUE(i == 0 || HighscoreListe[i - 1].iPunktzahl >= HighscoreListe[i].iPunktzahl);
        }
        std::string d = Datei_lesen("Score.dat");
        ASSERT_EQ(d.size(), 288u);
        EXPECT_EQ(d.substr(0, 32), std::string(HIGHSCORE_VERSION) + std::string(15, '\0'));
        EXPECT_EQ(memcmp(d.data() + 48, HighscoreListe, 240), 0);
        EXPECT_FALSE(std::filesystem::exists("Score.dat.tmp"));
    }
};

TEST_F(HighscoreDatei, MissingOrInvalidFilesAreReplaced) {
    EXPECT_EQ(Highscore_lesen("Score.dat"), 1);
    Erwarte_Vorgaben("");
    const std::string ungueltig =
        "Error... | Ihre Highscoreliste ist leider ungueltig,\\nund mußte komplett neu anglegt werden!";
    const std::string version =
        "Error... | Ihre Highscore-Version ist leider ungueltig,\\nund mußte komplett neu anglegt werden!";
    const std::string manuell =
        "Error... | Ihre Highscoreliste wurde manuell veraendert\\nund mußte komplett neu anglegt werden!";
    struct {
        std::string datei;
        int code;
        std::string meldung;
    } faelle[] = {{Scoredatei({9000}).substr(0, 287), 2, ungueltig},
                  {Scoredatei({9000}) + "x", 2, ungueltig},
                  {Scoredatei({9000}, 1, 2, "Glubbershoot 1008"), 3, version},
                  {Scoredatei({9000}, 1, 2, "Glubbershoot 10090"), 3, version},
                  {Scoredatei({9000}, 61, 0), 4, manuell},
                  {Scoredatei({9000}, 0, 61), 4, manuell}};
    for (const auto& f : faelle) {
        Datei_schreiben("Score.dat", f.datei);
        headless_log_clear();
        EXPECT_EQ(Highscore_lesen("Score.dat"), f.code);
        Erwarte_Vorgaben(f.meldung);
    }
}

TEST_F(HighscoreDatei, ValidFileIsSortedStablyInMemoryOnly) {
    // Minute and second 60 pass; junk behind the version's NUL is not looked at.
    std::string d = Scoredatei({500, 700, 700, 300}, 60, 60);
    d.replace(20, 5, "junk!");
    Datei_schreiben("Score.dat", d);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 0);
    EXPECT_EQ(Tabelle(), "700B 700C 500A 300D 100E 100F 100G 100H 100I 100J ");
    EXPECT_EQ(Datei_lesen("Score.dat"), d);
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(HighscoreDatei, NewEntriesGoBelowEqualScoresAndAreAlwaysWritten) {
    Datei_schreiben("Score.dat", Scoredatei({900, 700, 600, 500, 400, 300, 200, 150, 120, 110}));
    ASSERT_EQ(Highscore_lesen("Score.dat"), 0);
    std::remove("Score.dat");
    EXPECT_EQ(Highscore_eintragen("Gleich", 110), 0);
    EXPECT_EQ(Tabelle(), "900A 700B 600C 500D 400E 300F 200G 150H 120I 110J ");
    EXPECT_EQ(Datei_lesen("Score.dat").size(), 288u) << "written although nothing changed";
    EXPECT_EQ(Highscore_eintragen("Neu", 700), 0);
    EXPECT_EQ(Tabelle(), "900A 700B 700Neu 600C 500D 400E 300F 200G 150H 120I ");
    EXPECT_EQ(Highscore_eintragen("Acht", 800), 0);
    EXPECT_EQ(Tabelle(), "900A 800Acht 700B 700Neu 600C 500D 400E 300F 200G 150H ") << "equal scores keep their order";
    // Names are cut to 19 characters, in memory and on disk.
    EXPECT_EQ(Highscore_eintragen("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 5000), 0);
    EXPECT_STREQ(HighscoreListe[0].szName, "ABCDEFGHIJKLMNOPQRS");
    std::string d = Datei_lesen("Score.dat");
    EXPECT_EQ(memcmp(d.data() + 48, HighscoreListe, 240), 0);

    SYSTEMTIME st{};
    plat_get_system_time(&st);
    EXPECT_EQ(d.substr(32, 4), Le(st.wYear, 2) + Le(st.wMonth, 2));
    // A hand-made name of 20 characters without NUL reads as 19.
    d.replace(52, 20, std::string(20, 'Z'));
    Datei_schreiben("Score.dat", d);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 0);
    EXPECT_EQ(std::string(HighscoreListe[0].szName), std::string(19, 'Z'));
}

TEST_F(HighscoreDatei, FailedWriteKeepsTheOldFile) {
    std::string alt = Scoredatei({9000});
    Datei_schreiben("Score.dat", alt);
    for (const char* schritt : {"CreateFile", "WriteFile", "CloseHandle", "MoveFile"}) {
        headless_log_clear();
        headless_fault_arm(schritt, 0, 1);
        EXPECT_EQ(Highscore_schreiben("Score.dat"), 1) << schritt;
        EXPECT_EQ(Meldungen(), std::vector<std::string>{"Error... | Highscore_schreiben: CreateFile(GENERIC_WRITE)"});
        EXPECT_EQ(Datei_lesen("Score.dat"), alt) << schritt;
        EXPECT_FALSE(std::filesystem::exists("Score.dat.tmp")) << schritt;
        EXPECT_EQ(headless_live_objects(), 0) << schritt;
    }
    headless_fault_arm("WriteFile", 0, 1);
    EXPECT_EQ(Highscore_eintragen("Neu", 5000), 0);
    EXPECT_EQ(HighscoreListe[0].iPunktzahl, 5000) << "the game goes on with the table in memory";
    EXPECT_EQ(Datei_lesen("Score.dat"), alt);
}

TEST_F(HighscoreDatei, ReadErrorPlaysOnWithoutOverwritingTheList) {
    // A disk that fails to read is no proof of a bad list: defaults in
    // memory, a message, and the file on disk stays as it was.
    std::string alt = Scoredatei({9000});
    for (const char* schritt : {"GetFileSize", "ReadFile"}) {
        Datei_schreiben("Score.dat", alt);
        headless_log_clear();
        headless_fault_arm(schritt, 0, 1);
        EXPECT_EQ(Highscore_lesen("Score.dat"), 2) << schritt;
        EXPECT_EQ(Meldungen(), std::vector<std::string>{"Error... | Highscore_lesen: ReadFile()"}) << schritt;
        EXPECT_STREQ(HighscoreListe[0].szName, "T.Wolkanz") << schritt;
        EXPECT_EQ(Datei_lesen("Score.dat"), alt) << schritt;
        EXPECT_EQ(headless_live_objects(), 0) << schritt;
    }
}
