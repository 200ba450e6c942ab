// "Score.dat" as the player left it: protected, kept elsewhere behind a
// link, in a folder that takes no new files. Root may write anything, so
// the game plays these cases in a child process as an ordinary account.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "ablauf_hilfe_test.h"
#include "assets/highscore.h"

namespace {

const uid_t SPIELER = 65534;   // nobody
const std::string MELDUNG = "Highscore_schreiben: CreateFile(GENERIC_WRITE)";

// Runs fn in a child process as SPIELER; its text comes back in *aus.
// False when the child could not become that account or did not finish.
bool Als_Spieler(const std::function<std::string()>& fn, std::string* aus) {
    int rohr[2];
    if (pipe(rohr) != 0) return false;
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        close(rohr[0]);
        if (setgroups(0, nullptr) != 0 || setgid(SPIELER) != 0 || setuid(SPIELER) != 0) _exit(2);
        const std::string text = fn();
        for (size_t n = 0; n < text.size();) {
            ssize_t k = write(rohr[1], text.data() + n, text.size() - n);
            if (k <= 0) _exit(3);
            n += static_cast<size_t>(k);
        }
        _exit(0);
    }
    close(rohr[1]);
    aus->clear();
    char puffer[4096];
    for (ssize_t k; (k = read(rohr[0], puffer, sizeof puffer)) > 0;) aus->append(puffer, static_cast<size_t>(k));
    close(rohr[0]);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The best entry as "<score> <name>", of a list in memory or on disk.
std::string Erster(const HighscoreEintrag& e) { return std::to_string(e.iPunktzahl) + " " + e.szName; }

std::string Erster(const std::string& datei) {
    HighscoreEintrag e{};
    if (datei.size() != HIGHSCORE_DATEI_GROESSE) return "no list";
    std::memcpy(&e, datei.data() + 48, sizeof e);
    e.szName[sizeof e.szName - 1] = '\0';
    return Erster(e);
}

struct stat Status(const char* pfad) {
    struct stat st {};
    lstat(pfad, &st);
    return st;
}

struct Partie {
    std::vector<std::string> meldungen;
    std::string liste;   // the best entry in memory at the end
};

class HighscoreRechte : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "only root can play these cases as an ordinary account";
        const std::string ordner = Testordner_anlegen();
        ASSERT_EQ(mkdir("anderswo", 0755), 0);
        for (const auto& e : std::filesystem::recursive_directory_iterator(ordner))
            ASSERT_EQ(lchown(e.path().c_str(), SPIELER, SPIELER), 0);
        ASSERT_EQ(chown(".", SPIELER, SPIELER), 0);
        std::string aus;
        if (!Als_Spieler([] { return std::string(); }, &aus))
            GTEST_SKIP() << "this system lets no process become uid " << SPIELER;
    }

    // The player's list at pfad, with ten old entries below 1000 points.
    void Liste_anlegen(const char* pfad, mode_t mode) {
        std::vector<std::pair<std::string, int32_t>> eintraege;
        for (int i = 0; i < MAX_HIGHSCORES; i++) eintraege.push_back({"Alt" + std::to_string(i), 1000 - 100 * i});
        Bestenliste_schreiben(eintraege);
        ASSERT_EQ(std::rename("Score.dat", pfad), 0);
        ASSERT_EQ(chown(pfad, SPIELER, SPIELER), 0);
        ASSERT_EQ(chmod(pfad, mode), 0);
    }

    // The player starts the game, makes a record of 9000 points as
    // "Spieler" and leaves it.
    Partie Spielen(Haken vorbereiten = nullptr) {
        std::string aus;
        EXPECT_TRUE(Als_Spieler(
            [vorbereiten] {
                HeadlessConfig cfg;
                cfg.account = "Spieler";
                Ablauf a = Ablauf_laufen(
                    "100 key RETURN\n200 key RETURN\n5300 globals\n6300 key RETURN\n"
                    "6400 char n\n6500 close\n",
                    Runde_beenden_mit(9000), vorbereiten, cfg);
                std::string text =
                    "rekorde " + std::to_string(Log_finden(a.log, "state GS_RECORD_ENTRY").size()) + "\n";
                for (const std::string& zeile : Log_nach(a.log, " msgbox ")) text += "msgbox " + zeile + "\n";
                return text + "liste " + Erster(HighscoreListe[0]) + "\n";
            },
            &aus));
        Partie p;
        std::istringstream in(aus);
        std::string rekorde;
        for (std::string zeile; std::getline(in, zeile);) {
            if (zeile.rfind("rekorde ", 0) == 0)
                rekorde = zeile.substr(8);
            else if (zeile.rfind("msgbox ", 0) == 0)
                p.meldungen.push_back(zeile.substr(7));
            else if (zeile.rfind("liste ", 0) == 0)
                p.liste = zeile.substr(6);
        }
        EXPECT_EQ(rekorde, "1") << "the record entry was reached";
        EXPECT_EQ(p.liste, "9000 Spieler") << "the game goes on with the record in memory";
        return p;
    }
};

TEST_F(HighscoreRechte, ProtectedListIsNeverReplacedTheGameSaysSoAndGoesOn) {
    for (mode_t ordner : {0755, 0555}) {
        SCOPED_TRACE(ordner == 0555 ? "read-only folder" : "writable folder");
        Liste_anlegen("Score.dat", 0444);
        ASSERT_EQ(chmod(".", ordner), 0);
        const std::string alt = Datei_lesen("Score.dat");
        const ino_t inode = Status("Score.dat").st_ino;

        Partie p = Spielen();
        ASSERT_EQ(p.meldungen.size(), 1u);
        EXPECT_NE(p.meldungen[0].find(MELDUNG), std::string::npos) << p.meldungen[0];
        EXPECT_EQ(Datei_lesen("Score.dat"), alt);
        EXPECT_EQ(Status("Score.dat").st_ino, inode);
        EXPECT_EQ(Status("Score.dat").st_mode & 07777, 0444u);
        EXPECT_FALSE(std::filesystem::exists("Score.dat.tmp"));
        ASSERT_EQ(chmod(".", 0755), 0);
    }
}

TEST_F(HighscoreRechte, LinkedListIsWrittenAtItsTargetAndTheLinkStays) {
    Liste_anlegen("anderswo/Liste.dat", 0640);
    ASSERT_EQ(symlink("anderswo/Liste.dat", "Score.dat"), 0);
    ASSERT_EQ(lchown("Score.dat", SPIELER, SPIELER), 0);

    EXPECT_EQ(Spielen().meldungen, std::vector<std::string>{});
    ASSERT_TRUE(S_ISLNK(Status("Score.dat").st_mode));
    EXPECT_EQ(std::filesystem::read_symlink("Score.dat"), "anderswo/Liste.dat");
    EXPECT_EQ(Erster(Datei_lesen("anderswo/Liste.dat")), "9000 Spieler");
    EXPECT_EQ(Status("anderswo/Liste.dat").st_mode & 07777, 0640u);
    EXPECT_FALSE(std::filesystem::exists("anderswo/Liste.dat.tmp"));
}

TEST_F(HighscoreRechte, DanglingLinkGetsItsTargetMade) {
    ASSERT_EQ(symlink("anderswo/Liste.dat", "Score.dat"), 0);
    ASSERT_EQ(lchown("Score.dat", SPIELER, SPIELER), 0);

    // Start-up finds no list and makes the default one through the link.
    EXPECT_EQ(Spielen().meldungen, std::vector<std::string>{});
    ASSERT_TRUE(S_ISLNK(Status("Score.dat").st_mode));
    ASSERT_TRUE(S_ISREG(Status("anderswo/Liste.dat").st_mode));
    EXPECT_EQ(Erster(Datei_lesen("anderswo/Liste.dat")), "9000 Spieler");
    EXPECT_EQ(Status("anderswo/Liste.dat").st_uid, SPIELER);
    EXPECT_FALSE(std::filesystem::exists("anderswo/Liste.dat.tmp"));
}

TEST_F(HighscoreRechte, WritableListInAClosedFolderIsWrittenInPlace) {
    Liste_anlegen("Score.dat", 0640);
    ASSERT_EQ(chmod(".", 0555), 0);
    const ino_t inode = Status("Score.dat").st_ino;

    EXPECT_EQ(Spielen().meldungen, std::vector<std::string>{});
    const std::string neu = Datei_lesen("Score.dat");
    EXPECT_EQ(Erster(neu), "9000 Spieler");
    EXPECT_EQ(Status("Score.dat").st_ino, inode);
    EXPECT_EQ(Status("Score.dat").st_mode & 07777, 0640u);

    // A write refused there leaves the list as it was.
    Partie p = Spielen([] { headless_fault_arm("WriteFile", 0, 1); });
    EXPECT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(Datei_lesen("Score.dat"), neu);

    // A list one byte too long is made anew at the start: no old tail stays.
    Datei_schreiben("Score.dat", neu + "x");
    p = Spielen();
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_NE(p.meldungen[0].find("ungueltig"), std::string::npos) << p.meldungen[0];
    EXPECT_EQ(Erster(Datei_lesen("Score.dat")), "9000 Spieler");
    EXPECT_EQ(Status("Score.dat").st_ino, inode);
}

TEST_F(HighscoreRechte, ReplacedListKeepsItsModeAndOwner) {
    // The player's own list is replaced whole, as before: a new file.
    Liste_anlegen("Score.dat", 0600);
    const ino_t inode = Status("Score.dat").st_ino;
    EXPECT_EQ(Spielen().meldungen, std::vector<std::string>{});
    EXPECT_EQ(Erster(Datei_lesen("Score.dat")), "9000 Spieler");
    EXPECT_NE(Status("Score.dat").st_ino, inode);
    EXPECT_EQ(Status("Score.dat").st_mode & 07777, 0600u);
    EXPECT_EQ(Status("Score.dat").st_uid, SPIELER);

    // Written by root, it stays the player's.
    ASSERT_EQ(chmod("Score.dat", 0664), 0);
    headless_reset(HeadlessConfig());
    ASSERT_EQ(Highscore_schreiben(HIGHSCORE_DATEI), 0);
    const struct stat st = Status("Score.dat");
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(st.st_uid, SPIELER);
    EXPECT_EQ(st.st_gid, SPIELER);
}

}   // namespace
