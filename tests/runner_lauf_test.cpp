// Whole-game runs through the runner and the glubbershoot-headless tool:
// exit statuses, the log format, actions, repeated runs in one process.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "testhilfe.h"

namespace {

const char* const ESCAPE_AUF_TITEL = "100 key ESCAPE\n";

TEST(RunnerLauf, EscapeOnTheTitleEndsTheGame) {
    Testordner_anlegen();
    RunnerErgebnis e = Spiel_laufen_lassen(ESCAPE_AUF_TITEL);
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.winmain, 0);
    ASSERT_GE(e.log.size(), 3u);
    EXPECT_EQ(e.log.front(), "0 state GS_TITLE");
    EXPECT_TRUE(Log_enthaelt(e.log, " wave start.wav"));
    std::vector<std::string> ende = Log_finden(e.log, "state GS_EXIT");
    ASSERT_EQ(ende.size(), 1u);
    EXPECT_GE(std::stoul(ende[0]), 100u) << "not before the key";
    EXPECT_LT(std::stoul(ende[0]), 200u) << "in the pass after the key";
    // The shutdown holds until 4000 ms after start-up.
    EXPECT_EQ(e.log.back(), "4000 exit 0");
    std::regex zeile("^[0-9]+ [a-z]+( .*)?$");
    for (const std::string& l : e.log) EXPECT_TRUE(std::regex_match(l, zeile)) << l;
}

TEST(RunnerLauf, TimeLimitClosesTheGameWithStatus3) {
    Testordner_anlegen();
    HeadlessConfig cfg;
    cfg.until_ms = 6000;
    RunnerErgebnis e = Spiel_laufen_lassen("", cfg);
    EXPECT_EQ(e.status, 3);
    std::vector<std::string> ende = Log_finden(e.log, "state GS_EXIT");
    ASSERT_EQ(ende.size(), 1u);
    EXPECT_GE(std::stoul(ende[0]), 6000u);
    EXPECT_LT(std::stoul(ende[0]), 6100u);
}

TEST(RunnerLauf, GlobalsAndShotsHappenInTheDrain) {
    std::string ordner = Testordner_anlegen();
    RunnerErgebnis e = Spiel_laufen_lassen(
        "100 key RETURN\n"
        "300 globals\n"
        "300 shot menue.bmp\n"
        "400 key ESCAPE\n"
        "500 char j\n");
    EXPECT_EQ(e.status, 0);
    std::vector<std::string> g = Log_finden(e.log, "globals");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_TRUE(std::regex_match(g[0], std::regex("^3[0-9][0-9] globals state=GS_MENU points=0 kills=0 lose=0 "
                                                  "time=180 shells=6 scroll=-512 round=0 menu=0$")))
        << g[0];
    EXPECT_EQ(Datei_lesen("menue.bmp").size(), 14u + 40 + 1024 + 1024 * 768);
    EXPECT_TRUE(Log_enthaelt(e.log, "state GS_QUIT_PROMPT"));
    EXPECT_EQ(e.log.back().substr(e.log.back().find(' ')), " exit " + std::to_string(e.winmain));
}

TEST(RunnerLauf, BadScriptLineRunsNothing) {
    Testordner_anlegen();
    RunnerErgebnis e = Spiel_laufen_lassen("100 key RETURN\n200 key ENTER\n");
    EXPECT_EQ(e.status, 2);
    EXPECT_EQ(e.bad_line, 2);
    EXPECT_TRUE(e.log.empty());
    EXPECT_TRUE(headless_log_lines().empty());
}

TEST(RunnerLauf, RepeatedRunsAndAWrappingClockGiveTheSameLog) {
    Testordner_anlegen();
    RunnerErgebnis erst = Spiel_laufen_lassen(ESCAPE_AUF_TITEL);
    RunnerErgebnis noch = Spiel_laufen_lassen(ESCAPE_AUF_TITEL);
    EXPECT_EQ(noch.log, erst.log);
    HeadlessConfig cfg;
    cfg.tick0 = 0xFFFFFFFFu - 2000u;
    RunnerErgebnis gewickelt = Spiel_laufen_lassen(ESCAPE_AUF_TITEL, cfg);
    EXPECT_EQ(gewickelt.log, erst.log);
    EXPECT_EQ(headless_live_objects(), 0) << "the game released all it made";
}

TEST(RunnerLauf, MissingDataEndsWithTheMessageInTheLog) {
    Testordner_anlegen(false);
    RunnerErgebnis e = Spiel_laufen_lassen("");
    EXPECT_EQ(e.status, 0);
    EXPECT_TRUE(Log_enthaelt(
        e.log, "msgbox Error... | Es fehlt mindestens eine Datei!\\nDas Spiel kann leider nicht gestartet werden!"));
}

TEST(RunnerLauf, DirectoryIsEnteredAndLeftAgain) {
    std::string daten = Testordner_anlegen();
    std::string anderswo = Testordner_anlegen(false);
    RunnerOptionen opt;
    opt.dir = daten;
    opt.script = "100 key ESCAPE\n100 shot da.bmp\n";
    EXPECT_EQ(Runner_ausfuehren(opt).status, 0);
    EXPECT_EQ(std::filesystem::current_path().string(), anderswo);
    EXPECT_TRUE(std::filesystem::exists(daten + "/da.bmp"));
    opt.dir = daten + "/gibt-es-nicht";
    EXPECT_EQ(Runner_ausfuehren(opt).status, 2);
    EXPECT_EQ(std::filesystem::current_path().string(), anderswo);
}

int Werkzeug(const std::string& argumente, std::string* ausgabe) {
    std::string befehl = std::string(GLUBBER_HEADLESS_BIN) + " " + argumente + " >aus.txt 2>err.txt";
    int r = std::system(befehl.c_str());
    *ausgabe = Datei_lesen("aus.txt");
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

TEST(RunnerLauf, ToolExitStatusesAndOutput) {
    std::string daten = Testordner_anlegen();
    Datei_schreiben("gut.txt", ESCAPE_AUF_TITEL);
    Datei_schreiben("schlecht.txt", "# fine\n100 key RETURN\n100 kex RETURN\n");
    std::string aus;
    EXPECT_EQ(Werkzeug("--script gut.txt", &aus), 0);
    RunnerErgebnis e = Spiel_laufen_lassen(ESCAPE_AUF_TITEL);
    std::string erwartet;
    for (const std::string& l : e.log) erwartet += l + "\n";
    EXPECT_EQ(aus, erwartet) << "the tool prints the log line by line";

    EXPECT_EQ(Werkzeug("--script schlecht.txt", &aus), 2);
    EXPECT_EQ(aus, "");
    EXPECT_NE(Datei_lesen("err.txt").find("line 3"), std::string::npos);

    Testordner_anlegen(false);
    EXPECT_EQ(Werkzeug("--dir " + daten + " --until 1000 --tick0 4294967000 --account kim", &aus), 3);
    EXPECT_NE(aus.find("state GS_EXIT"), std::string::npos);
    for (const char* falsch : {"--until", "--until 12x", "--tick0 4294967296", "--bogus 1", "--script fehlt.txt"})
        EXPECT_EQ(Werkzeug(falsch, &aus), 2) << falsch;
}

}   // namespace
