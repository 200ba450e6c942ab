// One session through every edge of the state table, checked against the
// states, sounds, loose waves and media commands it produces.
#include "ablauf_hilfe_test.h"

namespace {

// The log without times and without the playfield's own sounds, which
// come by chance; media commands by their verb.
std::string Ereignisse(const std::vector<std::string>& log) {
    std::string e;
    for (const std::string& z : log) {
        std::string s = z.substr(z.find(' ') + 1);
        int sektor = s.rfind("sound ", 0) == 0 ? std::stoi(s.substr(6)) : -1;
        if (sektor == 1 || sektor == 2 || sektor == 7 || sektor == 8 || sektor == 9 || sektor == 11 || sektor == 20)
            continue;
        if (s.rfind("mci open", 0) == 0) s = "mci open";
        if (sektor >= 0 || s.rfind("state ", 0) == 0 || s.rfind("wave ", 0) == 0 || s.rfind("mci ", 0) == 0)
            e += s + "; ";
    }
    return e;
}

TEST(AblaufZustaende, EveryEdgeOfTheStateTable) {
    Testordner_anlegen();
    Datei_schreiben("lied.mp3", "");
    const char* script =
        "100 key RETURN\n200 key RETURN\n"                                     // title, menu, Start Game
        "5400 key SPACE\n10600 key ESCAPE\n"                                   // next round at once, back to the menu
        "10700 key RETURN\n15900 globals\n"                                    // a round without a record
        "17000 char J\n17100 char j\n"                                         // only 'j' goes on
        "22300 globals\n23400 key RETURN\n"                                    // a round with a record, name confirmed
        "23500 char n\n23600 key DOWN\n23700 key RETURN\n23800 key RETURN\n"   // high scores
        "23900 key DOWN\n24000 key RETURN\n24100 key ESCAPE\n"                 // credits
        "24200 key DOWN\n24300 key RETURN\n24400 char N\n24400 char J\n24400 char Y\n24400 char Z\n"
        "24400 globals\n24400 char n\n24600 globals\n"   // quit prompt, no
        "24700 key ESCAPE\n24800 key ESCAPE\n24900 globals\n25000 key ESCAPE\n25100 char z\n";
    int runde = 0;
    std::vector<int> zugriffe;
    Ablauf a = Ablauf_laufen(script, [&] {
        if (iGameState == GS_PLAYING)
            Runde_beenden_mit(++runde == 1 ? 0 : 99999)();
        else
            zugriffe.push_back(headless_fault_calls("CreateFile"));
    });
    const std::string countdown = "sound 16 0; sound 16 0; sound 16 0; sound 13 0; sound 4 0; sound 6 0; ";
    EXPECT_EQ(Ereignisse(a.log),
              "state GS_TITLE; wave start.wav; sound 5 0; state GS_MENU; wave main.wav; "
              "state GS_ROUND_INTRO; mci open; mci play Mp3; sound 15 0; " +
                  countdown +
                  "state GS_PLAYING; "
                  "state GS_ROUND_INTRO; " +
                  countdown +
                  "state GS_PLAYING; "
                  "sound 5 0; mci close Mp3; state GS_MENU; "
                  "state GS_ROUND_INTRO; mci open; mci play Mp3; sound 15 0; " +
                  countdown +
                  "state GS_PLAYING; "
                  "sound 19 0; state GS_CONTINUE_PROMPT; "
                  "state GS_ROUND_INTRO; " +
                  countdown +
                  "state GS_PLAYING; "
                  "sound 17 0; state GS_RECORD_ENTRY; state GS_CONTINUE_PROMPT; sound 15 0; "
                  "sound 5 0; mci close Mp3; state GS_MENU; "
                  "sound 18 0; wave win.wav; state GS_HIGHSCORES; sound 15 0; sound 5 0; state GS_MENU; wave stop; "
                  "sound 18 0; wave credits.wav; state GS_CREDITS; sound 15 0; sound 5 0; state GS_MENU; wave stop; "
                  "sound 18 0; state GS_QUIT_PROMPT; sound 19 0; sound 15 0; sound 5 0; state GS_MENU; "
                  "state GS_QUIT_PROMPT; sound 19 0; sound 5 0; state GS_MENU; "
                  "state GS_QUIT_PROMPT; sound 19 0; state GS_EXIT; ");
    // Back from the quit prompt the menu picture was not read again.
    ASSERT_EQ(zugriffe.size(), 3u);
    EXPECT_EQ(zugriffe[0], zugriffe[2]);
    // The shutdown holds the last frame until 4000 ms after the last menu entry.
    long menue = std::stol(Log_finden(a.log, "state GS_MENU").back());
    EXPECT_GE(a.ende_ms, menue + 4000);
    EXPECT_LE(a.ende_ms, menue + 4100);
}

}   // namespace
