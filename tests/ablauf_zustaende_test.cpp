// Whole sessions through every edge of the state table, checked against
// the states, sounds, loose waves and media commands they produce.
#include <algorithm>

#include "ablauf_hilfe_test.h"

namespace {

// The sounds of the playfield itself come and go by chance.
bool Weltgeraeusch(const std::string& zeile)
{
    static const char* const welt[] = {" sound 1 ", " sound 2 ", " sound 7 ", " sound 8 ", " sound 9 ", " sound 11 ",
                                       " sound 20 "};
    for (const char* w : welt)
        if (zeile.find(w) != std::string::npos)
            return true;
    return false;
}

// The log without times and world sounds; media commands by their verb.
std::vector<std::string> Ereignisse(const std::vector<std::string>& log)
{
    std::vector<std::string> e;
    for (const std::string& z : log) {
        if (Weltgeraeusch(z))
            continue;
        std::string ohne_zeit = z.substr(z.find(' ') + 1);
        if (ohne_zeit.rfind("mci open ", 0) == 0)
            ohne_zeit = "mci open";
        if (ohne_zeit.rfind("state", 0) == 0 || ohne_zeit.rfind("sound", 0) == 0 || ohne_zeit.rfind("wave", 0) == 0 ||
            ohne_zeit.rfind("mci", 0) == 0)
            e.push_back(ohne_zeit);
    }
    return e;
}

TEST(AblaufZustaende, EveryEdgeOfTheStateTable)
{
    Testordner_anlegen();
    Datei_schreiben("lied.mp3", "");
    const char* script =
        "100 key RETURN\n"      // title -> menu
        "200 key RETURN\n"      // Start Game
        "5400 key SPACE\n"      // playing -> next round at once
        "10600 key ESCAPE\n"    // playing -> menu
        "10700 key RETURN\n"
        "15900 globals\n"       // round over, no record
        "17000 char J\n"        // ignored
        "17100 char j\n"        // next round
        "22300 globals\n"       // round over with a record
        "23400 key RETURN\n"    // name confirmed
        "23500 char n\n"        // -> menu
        "23600 key DOWN\n"
        "23700 key RETURN\n"    // Show Highscores
        "23800 key RETURN\n"
        "23900 key DOWN\n"
        "24000 key RETURN\n"    // Show Credits
        "24100 key ESCAPE\n"
        "24200 key DOWN\n"
        "24300 key RETURN\n"    // Exit Game
        "24400 char n\n"
        "24500 key ESCAPE\n"    // quit prompt by Escape
        "24600 key ESCAPE\n"
        "24700 key ESCAPE\n"
        "24800 char z\n";
    int runde = 0;
    AblaufHaken h;
    h.eingriff = [&runde] { Runde_beenden_mit(++runde == 1 ? 0 : 99999)(); };
    Ablauf a = Ablauf_laufen(script, h);

    const std::vector<std::string> erwartet = {
        "state GS_TITLE", "wave start.wav",
        "sound 5 0", "state GS_MENU", "wave main.wav",
        "state GS_ROUND_INTRO", "mci open", "mci play Mp3", "sound 15 0",
        "sound 16 0", "sound 16 0", "sound 16 0", "sound 13 0", "sound 4 0", "sound 6 0", "state GS_PLAYING",
        "state GS_ROUND_INTRO",
        "sound 16 0", "sound 16 0", "sound 16 0", "sound 13 0", "sound 4 0", "sound 6 0", "state GS_PLAYING",
        "sound 5 0", "mci close Mp3", "state GS_MENU",
        "state GS_ROUND_INTRO", "mci open", "mci play Mp3", "sound 15 0",
        "sound 16 0", "sound 16 0", "sound 16 0", "sound 13 0", "sound 4 0", "sound 6 0", "state GS_PLAYING",
        "sound 19 0", "state GS_CONTINUE_PROMPT",
        "state GS_ROUND_INTRO",
        "sound 16 0", "sound 16 0", "sound 16 0", "sound 13 0", "sound 4 0", "sound 6 0", "state GS_PLAYING",
        "sound 17 0", "state GS_RECORD_ENTRY",
        "state GS_CONTINUE_PROMPT", "sound 15 0",
        "sound 5 0", "mci close Mp3", "state GS_MENU",
        "sound 18 0", "wave win.wav", "state GS_HIGHSCORES", "sound 15 0",
        "sound 5 0", "state GS_MENU", "wave stop",
        "sound 18 0", "wave credits.wav", "state GS_CREDITS", "sound 15 0",
        "sound 5 0", "state GS_MENU", "wave stop",
        "sound 18 0", "state GS_QUIT_PROMPT", "sound 19 0", "sound 15 0",
        "sound 5 0", "state GS_MENU",
        "state GS_QUIT_PROMPT", "sound 19 0",
        "sound 5 0", "state GS_MENU",
        "state GS_QUIT_PROMPT", "sound 19 0",
        "state GS_EXIT",
    };
    std::vector<std::string> e = Ereignisse(a.log);
    EXPECT_EQ(e, erwartet);
    // The shutdown holds the last frame until 4000 ms after the last menu entry.
    EXPECT_GE(a.ende_ms, 24600u + 4000u);
    EXPECT_LE(a.ende_ms, 24600u + 4100u);
}

}  // namespace
