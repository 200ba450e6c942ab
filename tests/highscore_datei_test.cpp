// "Score.dat": reading, validating, regenerating, sorting, entering, writing.
#include <algorithm>

#include "assets/highscore.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using namespace testbau;

namespace {

struct Eintrag {
    int32_t punkte;
    std::string name;
};

// A score file as the game writes it, with the given time fields.
std::string Scoredatei(const std::vector<Eintrag>& e, uint16_t minute = 12, uint16_t sekunde = 34,
                       const std::string& version = HIGHSCORE_VERSION)
{
    std::string s = version;
    s.resize(32, '\0');
    const uint16_t zeit[8] = {2024, 5, 3, 16, 20, minute, sekunde, 999};
    for (uint16_t z : zeit)
        Le16(s, z);
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        Eintrag x = i < static_cast<int>(e.size()) ? e[i] : Eintrag{100, "Leer"};
        Le32(s, static_cast<uint32_t>(x.punkte));
        std::string n = x.name;
        n.resize(20, '\0');
        s += n;
    }
    return s;
}

std::vector<int32_t> Punkte()
{
    std::vector<int32_t> p;
    for (const HighscoreEintrag& e : HighscoreListe)
        p.push_back(e.iPunktzahl);
    return p;
}

}  // namespace

class HighscoreDatei : public AssetsOrdner {
protected:
    void SetUp() override
    {
        AssetsOrdner::SetUp();
        memset(HighscoreListe, 0, sizeof(HighscoreListe));
        Zufall_saeen(12345);
    }

    void Liste(const std::vector<Eintrag>& e)
    {
        for (int i = 0; i < MAX_HIGHSCORES; i++) {
            HighscoreListe[i].iPunktzahl = e[i].punkte;
            memset(HighscoreListe[i].szName, 0, 20);
            strncpy(HighscoreListe[i].szName, e[i].name.c_str(), 19);
        }
    }

    void Zehn(std::initializer_list<int32_t> punkte)
    {
        std::vector<Eintrag> e;
        char n = 'A';
        for (int32_t p : punkte)
            e.push_back({p, std::string(1, n++)});
        Liste(e);
    }

    void Erwarte_Vorgaben()
    {
        std::vector<int32_t> p = Punkte();
        for (int i = 0; i < MAX_HIGHSCORES; i++) {
            EXPECT_STREQ(HighscoreListe[i].szName, "T.Wolkanz");
            EXPECT_EQ(p[i] % 10, 0);
            EXPECT_GE(p[i], 2000);
            EXPECT_LE(p[i], 4990);
            if (i > 0)
                EXPECT_GE(p[i - 1], p[i]);
        }
        std::string datei = Lesen("Score.dat");
        ASSERT_EQ(datei.size(), 288u);
        EXPECT_EQ(datei.substr(0, 18), std::string(HIGHSCORE_VERSION) + '\0');
        EXPECT_EQ(memcmp(datei.data() + 48, HighscoreListe, 240), 0);
        EXPECT_FALSE(Vorhanden("Score.dat.tmp"));
    }
};

TEST_F(HighscoreDatei, MissingFileIsReplacedSilently)
{
    EXPECT_EQ(Highscore_lesen("Score.dat"), 1);
    EXPECT_TRUE(Meldungen().empty());
    Erwarte_Vorgaben();
}

TEST_F(HighscoreDatei, WrongSizeIsReplacedWithMessage)
{
    for (size_t groesse : {287u, 289u, 0u}) {
        std::string d = Scoredatei({{9000, "X"}});
        d.resize(groesse, '\0');
        Schreiben("Score.dat", d);
        headless_log_clear();
        EXPECT_EQ(Highscore_lesen("Score.dat"), 2) << groesse;
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_EQ(Meldungen()[0],
                  Fehler("Ihre Highscoreliste ist leider ungueltig,\\nund mußte komplett neu anglegt werden!"));
        Erwarte_Vorgaben();
    }
}

TEST_F(HighscoreDatei, VersionTextDecides)
{
    std::string d = Scoredatei({{9000, "X"}}, 12, 34, "Glubbershoot 1008");
    Schreiben("Score.dat", d);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 3);
    ASSERT_EQ(Meldungen().size(), 1u);
    EXPECT_EQ(Meldungen()[0],
              Fehler("Ihre Highscore-Version ist leider ungueltig,\\nund mußte komplett neu anglegt werden!"));
    Erwarte_Vorgaben();

    // One character more is a different text; junk behind the NUL is not.
    d = Scoredatei({{9000, "X"}}, 12, 34, "Glubbershoot 10099");
    Schreiben("Score.dat", d);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 3);
    d = Scoredatei({{9000, "X"}});
    for (int i = 18; i < 32; i++)
        d[i] = '\x7F';
    Schreiben("Score.dat", d);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 0);
    EXPECT_EQ(HighscoreListe[0].iPunktzahl, 9000);
}

TEST_F(HighscoreDatei, MinuteAndSecondCheck)
{
    Schreiben("Score.dat", Scoredatei({{9000, "X"}}, 60, 60));
    EXPECT_EQ(Highscore_lesen("Score.dat"), 0);
    EXPECT_TRUE(Meldungen().empty());

    for (auto ms : {std::pair<uint16_t, uint16_t>{61, 0}, {0, 61}, {65535, 0}}) {
        Schreiben("Score.dat", Scoredatei({{9000, "X"}}, ms.first, ms.second));
        headless_log_clear();
        EXPECT_EQ(Highscore_lesen("Score.dat"), 4);
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_EQ(Meldungen()[0],
                  Fehler("Ihre Highscoreliste wurde manuell veraendert\\nund mußte komplett neu anglegt werden!"));
        Erwarte_Vorgaben();
    }
}

TEST_F(HighscoreDatei, ValidFileIsSortedInMemoryOnly)
{
    std::string d = Scoredatei({{500, "a"}, {700, "b"}, {700, "c"}, {300, "d"}, {-5, "e"}, {800, "f"}});
    Schreiben("Score.dat", d);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 0);
    EXPECT_EQ(Punkte(), (std::vector<int32_t>{800, 700, 700, 500, 300, 100, 100, 100, 100, -5}));
    EXPECT_STREQ(HighscoreListe[1].szName, "b");
    EXPECT_STREQ(HighscoreListe[2].szName, "c");
    EXPECT_EQ(Lesen("Score.dat"), d) << "a valid file is not written back";
}

TEST_F(HighscoreDatei, SortingIsStable)
{
    Zehn({500, 700, 700, 300, 0, 0, 0, 0, 0, 0});
    Highscore_sortieren(HighscoreListe);
    EXPECT_EQ(Punkte(), (std::vector<int32_t>{700, 700, 500, 300, 0, 0, 0, 0, 0, 0}));
    EXPECT_STREQ(HighscoreListe[0].szName, "B");
    EXPECT_STREQ(HighscoreListe[1].szName, "C");
    EXPECT_STREQ(HighscoreListe[2].szName, "A");
    EXPECT_STREQ(HighscoreListe[4].szName, "E");
    EXPECT_STREQ(HighscoreListe[9].szName, "J");
}

TEST_F(HighscoreDatei, NewEntryGoesBelowEqualScores)
{
    Zehn({900, 700, 600, 500, 400, 300, 200, 150, 120, 100});
    EXPECT_EQ(Highscore_eintragen("Neu", 700), 0);
    EXPECT_EQ(Punkte(), (std::vector<int32_t>{900, 700, 700, 600, 500, 400, 300, 200, 150, 120}));
    EXPECT_STREQ(HighscoreListe[1].szName, "B");
    EXPECT_STREQ(HighscoreListe[2].szName, "Neu");
    EXPECT_STREQ(HighscoreListe[3].szName, "C");
    std::string datei = Lesen("Score.dat");
    ASSERT_EQ(datei.size(), 288u);
    EXPECT_EQ(memcmp(datei.data() + 48, HighscoreListe, 240), 0);
    EXPECT_TRUE(Meldungen().empty());

    // Re-reading what was written gives the same table.
    HighscoreEintrag vorher[MAX_HIGHSCORES];
    memcpy(vorher, HighscoreListe, sizeof(vorher));
    memset(HighscoreListe, 0, sizeof(HighscoreListe));
    EXPECT_EQ(Highscore_lesen("Score.dat"), 0);
    EXPECT_EQ(memcmp(vorher, HighscoreListe, sizeof(vorher)), 0);
}

TEST_F(HighscoreDatei, ScoreEqualToTheTenthChangesNothingButIsWritten)
{
    Zehn({900, 800, 700, 600, 500, 400, 300, 200, 150, 100});
    HighscoreEintrag vorher[MAX_HIGHSCORES];
    memcpy(vorher, HighscoreListe, sizeof(vorher));
    EXPECT_FALSE(Vorhanden("Score.dat"));
    EXPECT_EQ(Highscore_eintragen("Neu", 100), 0);
    EXPECT_EQ(memcmp(vorher, HighscoreListe, sizeof(vorher)), 0);
    EXPECT_EQ(Lesen("Score.dat").size(), 288u);

    EXPECT_EQ(Highscore_eintragen("Neu", 101), 0);
    EXPECT_EQ(HighscoreListe[9].iPunktzahl, 101);
    EXPECT_STREQ(HighscoreListe[9].szName, "Neu");
}

TEST_F(HighscoreDatei, FileLayoutAndTimeOfWriting)
{
    Zehn({10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
    SYSTEMTIME st{};
    plat_get_system_time(&st);
    ASSERT_EQ(Highscore_schreiben("Score.dat"), 0);
    std::string d = Lesen("Score.dat");
    ASSERT_EQ(d.size(), 288u);
    EXPECT_EQ(d.substr(0, 32), std::string("Glubbershoot 1009") + std::string(15, '\0'));
    auto wort = [&](int pos) { return static_cast<uint16_t>(static_cast<uint8_t>(d[pos]) | static_cast<uint8_t>(d[pos + 1]) << 8); };
    EXPECT_EQ(wort(32), st.wYear);
    EXPECT_EQ(wort(34), st.wMonth);
    EXPECT_EQ(wort(38), st.wDay);
    EXPECT_EQ(d.substr(48, 4), std::string("\x0A\0\0\0", 4));
    EXPECT_EQ(d.substr(52, 20), std::string("A") + std::string(19, '\0'));
    EXPECT_EQ(d.substr(48 + 24 * 9, 4), std::string("\x01\0\0\0", 4));
}

TEST_F(HighscoreDatei, NamesNeverExceedNineteenCharacters)
{
    // A hand-made file whose first name fills all 20 bytes.
    std::string d = Scoredatei({{9000, "X"}});
    for (int i = 52; i < 72; i++)
        d[i] = 'Z';
    Schreiben("Score.dat", d);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 0);
    EXPECT_EQ(std::string(HighscoreListe[0].szName), std::string(19, 'Z'));

    Zehn({900, 800, 700, 600, 500, 400, 300, 200, 150, 100});
    EXPECT_EQ(Highscore_eintragen("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 5000), 0);
    EXPECT_STREQ(HighscoreListe[0].szName, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(Highscore_eintragen("", 4000), 0);
    EXPECT_STREQ(HighscoreListe[1].szName, "");
}

TEST_F(HighscoreDatei, FailedWriteKeepsTheOldFile)
{
    std::string alt = Scoredatei({{9000, "Alt"}});
    Zehn({900, 800, 700, 600, 500, 400, 300, 200, 150, 100});
    for (const char* schritt : {"CreateFile", "WriteFile", "CloseHandle", "MoveFile"}) {
        Schreiben("Score.dat", alt);
        headless_log_clear();
        int offen = headless_live_objects();
        headless_fault_arm(schritt, 0, 1);
        EXPECT_EQ(Highscore_schreiben("Score.dat"), 1) << schritt;
        headless_fault_clear();
        ASSERT_EQ(Meldungen().size(), 1u) << schritt;
        EXPECT_EQ(Meldungen()[0], Fehler("Highscore_schreiben: CreateFile(GENERIC_WRITE)"));
        EXPECT_EQ(Lesen("Score.dat"), alt) << schritt;
        EXPECT_FALSE(Vorhanden("Score.dat.tmp")) << schritt;
        EXPECT_EQ(headless_live_objects(), offen) << schritt;
    }

    // The game goes on with the new entry in memory.
    headless_fault_arm("WriteFile", 0, 1);
    EXPECT_EQ(Highscore_eintragen("Neu", 5000), 0);
    EXPECT_EQ(HighscoreListe[0].iPunktzahl, 5000);
    EXPECT_EQ(Lesen("Score.dat"), alt);
}

TEST_F(HighscoreDatei, DefaultsFollowTheGenerator)
{
    Zufall_saeen(1);
    EXPECT_EQ(Highscore_lesen("Score.dat"), 1);
    std::vector<int32_t> erste = Punkte();
    std::remove("Score.dat");
    Zufall_saeen(1);
    std::vector<int32_t> erwartet;
    for (int i = 0; i < MAX_HIGHSCORES; i++)
        erwartet.push_back((Zufall() % 300 + 200) * 10);
    std::stable_sort(erwartet.begin(), erwartet.end(), [](int32_t a, int32_t b) { return a > b; });
    EXPECT_EQ(erste, erwartet);
}
