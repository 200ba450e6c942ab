// "Score.dat" when writing it goes wrong: the process killed after any
// byte, a full disk at any byte, any write step failing at any of its
// calls. The file on disk is always a whole list: the old one or the new.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "ablauf_hilfe_test.h"
#include "assets/highscore.h"

namespace {

std::string Tabelle() { return std::string(reinterpret_cast<const char*>(HighscoreListe), sizeof(HighscoreListe)); }

void Tabelle_setzen(int32_t beste, const char* name) {
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        HighscoreListe[i].iPunktzahl = beste - 100 * i;
        std::snprintf(HighscoreListe[i].szName, sizeof(HighscoreListe[i].szName), "%s%d", name, i);
    }
}

// A list as the game writes it, holding exactly this table.
bool Ganz_mit(const std::string& datei, const std::string& tabelle) {
    return datei.size() == HIGHSCORE_DATEI_GROESSE &&
           datei.compare(0, sizeof(HIGHSCORE_VERSION), HIGHSCORE_VERSION, sizeof(HIGHSCORE_VERSION)) == 0 &&
           datei.compare(48, std::string::npos, tabelle) == 0;
}

bool Vorhanden(const char* name) { return access(name, F_OK) == 0; }

class ZuverlaessigHighscore : public ::testing::Test {
protected:
    void SetUp() override {
        Testordner_anlegen(false);
        headless_reset(HeadlessConfig());
        Zufall_saeen(7);
        Tabelle_setzen(9000, "Alt");
        ASSERT_EQ(Highscore_schreiben(HIGHSCORE_DATEI), 0);
        alt_ = Datei_lesen(HIGHSCORE_DATEI);
        ASSERT_TRUE(Ganz_mit(alt_, Tabelle()));
        Tabelle_setzen(5000, "Neu");
        neu_ = Tabelle();
    }

    // Writes the new table in a child process whose files may not grow
    // beyond `grenze` bytes. Killed there, as by a full disk without mercy,
    // or told so by the write call.
    int Kind_schreibt(rlim_t grenze, bool toeten) {
        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            struct rlimit kein = {0, 0};
            setrlimit(RLIMIT_CORE, &kein);
            signal(SIGXFSZ, toeten ? SIG_DFL : SIG_IGN);
            struct rlimit r = {grenze, grenze};
            setrlimit(RLIMIT_FSIZE, &r);
            _exit(Highscore_schreiben(HIGHSCORE_DATEI));
        }
        int status = 0;
        EXPECT_EQ(waitpid(pid, &status, 0), pid);
        return status;
    }

    std::string alt_, neu_;
};

TEST_F(ZuverlaessigHighscore, KilledAfterAnyByteTheOldListStaysWhole) {
    for (rlim_t n = 0; n <= HIGHSCORE_DATEI_GROESSE; n++) {
        SCOPED_TRACE("killed after " + std::to_string(n) + " bytes");
        int status = Kind_schreibt(n, true);
        std::string datei = Datei_lesen(HIGHSCORE_DATEI);
        if (n < HIGHSCORE_DATEI_GROESSE) {
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
            EXPECT_EQ(datei, alt_);
            // The next start finds the old list, whatever the dead write left.
            EXPECT_EQ(Highscore_lesen(HIGHSCORE_DATEI), 0);
            EXPECT_TRUE(Ganz_mit(alt_, Tabelle()));
            Tabelle_setzen(5000, "Neu");
        } else {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            EXPECT_TRUE(Ganz_mit(datei, neu_));
        }
    }
    // What a killed write left behind is no obstacle to the next one.
    EXPECT_EQ(Highscore_schreiben(HIGHSCORE_DATEI), 0);
    EXPECT_TRUE(Ganz_mit(Datei_lesen(HIGHSCORE_DATEI), neu_));
    EXPECT_FALSE(Vorhanden("Score.dat.tmp"));
}

TEST_F(ZuverlaessigHighscore, FullDiskAtAnyByteKeepsTheOldListAndSaysSo) {
    for (rlim_t n = 0; n < HIGHSCORE_DATEI_GROESSE; n++) {
        SCOPED_TRACE("disk full after " + std::to_string(n) + " bytes");
        int status = Kind_schreibt(n, false);
        ASSERT_TRUE(WIFEXITED(status)) << status;
        EXPECT_EQ(WEXITSTATUS(status), 1) << "reported as a failure";
        EXPECT_EQ(Datei_lesen(HIGHSCORE_DATEI), alt_);
        EXPECT_FALSE(Vorhanden("Score.dat.tmp")) << "the half list is cleared away";
    }
}

// Start without a file, then two entries: every write of a session.
const std::function<void()> SITZUNG[] = {
    [] { Highscore_lesen(HIGHSCORE_DATEI); },
    [] { Highscore_eintragen("Erste", 99999); },
    [] { Highscore_eintragen("Zweite", 99999); },
};

TEST_F(ZuverlaessigHighscore, EveryWriteStepFailingAtEveryCallLeavesAWholeList) {
    std::remove(HIGHSCORE_DATEI);
    for (auto& schritt : SITZUNG) schritt();
    const char* const SCHRITTE[] = {"CreateFile", "WriteFile", "CloseHandle", "MoveFile"};
    for (const char* name : SCHRITTE) {
        const int aufrufe = headless_fault_calls(name);
        ASSERT_GT(aufrufe, 0) << name;
        for (int k = 0; k < aufrufe; k++) {
            for (int mal : {1, -1}) {
                SCOPED_TRACE(std::string(name) + " call " + std::to_string(k) + (mal < 0 ? " and after" : ""));
                std::remove(HIGHSCORE_DATEI);
                headless_reset(HeadlessConfig());
                Zufall_saeen(7);
                headless_fault_arm(name, k, mal);
                for (auto& schritt : SITZUNG) {
                    std::string vorher = Datei_lesen(HIGHSCORE_DATEI);
                    bool bVorher = Vorhanden(HIGHSCORE_DATEI);
                    schritt();
                    std::string nachher = Datei_lesen(HIGHSCORE_DATEI);
                    EXPECT_TRUE((nachher == vorher && Vorhanden(HIGHSCORE_DATEI) == bVorher) ||
                                Ganz_mit(nachher, Tabelle()))
                        << "neither the old list nor the new one";
                    EXPECT_FALSE(Vorhanden("Score.dat.tmp"));
                    EXPECT_EQ(headless_live_objects(), 0) << "a file left open";
                }
            }
        }
    }
}

TEST(ZuverlaessigHighscoreSpiel, RecordThatCannotBeSavedKeepsTheOldListAndTheGameGoesOn) {
    Testordner_anlegen();
    headless_reset(HeadlessConfig());
    Tabelle_setzen(1000, "Platz");
    ASSERT_EQ(Highscore_schreiben(HIGHSCORE_DATEI), 0);
    const std::string alt = Datei_lesen(HIGHSCORE_DATEI);

    // The record's file is refused at its last step; a second round's
    // record is saved with both entries.
    int runde = 0;
    Ablauf a = Ablauf_laufen(
        "100 key RETURN\n200 key RETURN\n5300 globals\n6300 key RETURN\n6400 char j\n"
        "11500 globals\n12100 key RETURN\n12300 close\n",
        [&runde] { Runde_beenden_mit(++runde == 1 ? 4500 : 4400)(); }, [] { headless_fault_arm("MoveFile", 0, 1); });
    std::vector<std::string> boxen = Log_finden(a.log, " msgbox ");
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].find("Highscore_schreiben: CreateFile(GENERIC_WRITE)"), std::string::npos);
    EXPECT_EQ(Log_finden(a.log, "state GS_RECORD_ENTRY").size(), 2u) << "the game went on";
    EXPECT_EQ(headless_live_objects(), 0);

    std::string datei = Datei_lesen(HIGHSCORE_DATEI);
    ASSERT_NE(datei, alt);
    ASSERT_TRUE(Ganz_mit(datei, Tabelle()));
    EXPECT_EQ(HighscoreListe[0].iPunktzahl, 4500);
    EXPECT_EQ(HighscoreListe[1].iPunktzahl, 4400);
    EXPECT_STREQ(HighscoreListe[2].szName, "Platz0");
}

}   // namespace
