// The runner's script language: every verb, comments, and lines that
// must be refused with their number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"

namespace {

std::vector<HeadlessEreignis> Lesen(const std::string& text) {
    std::vector<HeadlessEreignis> ev;
    int zeile = -1;
    EXPECT_TRUE(headless_script_parse(text, &ev, &zeile)) << text << " (line " << zeile << ")";
    EXPECT_EQ(zeile, 0);
    return ev;
}

int Schlechte_zeile(const std::string& text) {
    std::vector<HeadlessEreignis> ev;
    int zeile = 0;
    EXPECT_FALSE(headless_script_parse(text, &ev, &zeile)) << text;
    return zeile;
}

struct Erwartet {
    uint32_t message;
    uintptr_t wParam;
};

void Nachrichten_pruefen(const std::string& zeile, std::vector<Erwartet> erwartet) {
    std::vector<HeadlessEreignis> ev = Lesen(zeile);
    ASSERT_EQ(ev.size(), erwartet.size()) << zeile;
    for (size_t i = 0; i < ev.size(); ++i) {
        EXPECT_FALSE(ev[i].is_action);
        EXPECT_EQ(ev[i].ms, 7u);
        EXPECT_EQ(ev[i].msg.message, erwartet[i].message) << zeile;
        EXPECT_EQ(ev[i].msg.wParam, erwartet[i].wParam) << zeile;
    }
}

TEST(RunnerSkript, KeysGiveTheirCodesAndCharacters) {
    Nachrichten_pruefen("7 key RETURN", {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'}});
    Nachrichten_pruefen("7 key SPACE", {{WM_KEYDOWN, VK_SPACE}, {WM_CHAR, ' '}});
    Nachrichten_pruefen("7 key ESCAPE", {{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}});
    Nachrichten_pruefen("7 key BACK", {{WM_KEYDOWN, VK_BACK}, {WM_CHAR, 8}});
    Nachrichten_pruefen("7 key TAB", {{WM_KEYDOWN, VK_TAB}, {WM_CHAR, 9}});
    Nachrichten_pruefen("7 key LEFT", {{WM_KEYDOWN, VK_LEFT}});
    Nachrichten_pruefen("7 key RIGHT", {{WM_KEYDOWN, VK_RIGHT}});
    Nachrichten_pruefen("7 key UP", {{WM_KEYDOWN, VK_UP}});
    Nachrichten_pruefen("7 key DOWN", {{WM_KEYDOWN, VK_DOWN}});
    Nachrichten_pruefen("7 key F1", {{WM_KEYDOWN, VK_F1}});
    Nachrichten_pruefen("7 key F4", {{WM_KEYDOWN, VK_F4}});
    Nachrichten_pruefen("7 key j", {{WM_KEYDOWN, 'J'}, {WM_CHAR, 'j'}});
    Nachrichten_pruefen("7 key J", {{WM_KEYDOWN, 'J'}, {WM_CHAR, 'J'}});
    Nachrichten_pruefen("7 key 5", {{WM_KEYDOWN, '5'}, {WM_CHAR, '5'}});
    Nachrichten_pruefen("7 key %", {{WM_KEYDOWN, '5'}, {WM_CHAR, '%'}});
    Nachrichten_pruefen("7 key .", {{WM_KEYDOWN, 0xBE}, {WM_CHAR, '.'}});
    Nachrichten_pruefen("7 key #", {{WM_KEYDOWN, '3'}, {WM_CHAR, '#'}});
}

TEST(RunnerSkript, CharactersBytesMouseAndClose) {
    Nachrichten_pruefen("7 char n", {{WM_CHAR, 'n'}});
    Nachrichten_pruefen("7 char #", {{WM_CHAR, '#'}});
    Nachrichten_pruefen("7 char #228", {{WM_CHAR, 228}});
    Nachrichten_pruefen("7 char #0", {{WM_CHAR, 0}});
    Nachrichten_pruefen("7 lclick", {{WM_LBUTTONDOWN, 1}});
    Nachrichten_pruefen("7 rclick", {{WM_RBUTTONDOWN, 2}});
    Nachrichten_pruefen("7 close", {{WM_CLOSE, 0}});
    std::vector<HeadlessEreignis> ev = Lesen("7 move 1023 65535");
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].msg.message, uint32_t(WM_MOUSEMOVE));
    EXPECT_EQ(ev[0].msg.lParam, intptr_t(1023) | intptr_t(65535) << 16);
}

TEST(RunnerSkript, ActionsCommentsAndBlankLines) {
    std::vector<HeadlessEreignis> ev = Lesen(
        "# a whole-line comment\n"
        "\n"
        "   \t \r\n"
        "100 shot bild.bmp   # after the arguments\n"
        "4294967295 globals # the largest time\n"
        "300 lclick # click\r\n");
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_TRUE(ev[0].is_action);
    EXPECT_EQ(ev[0].verb, "shot");
    EXPECT_EQ(ev[0].args, "bild.bmp");
    EXPECT_EQ(ev[0].ms, 100u);
    EXPECT_EQ(ev[1].verb, "globals");
    EXPECT_EQ(ev[1].ms, 4294967295u);
    EXPECT_EQ(ev[2].msg.message, uint32_t(WM_LBUTTONDOWN));
}

TEST(RunnerSkript, BadLinesAreNamedByNumber) {
    EXPECT_EQ(Schlechte_zeile("10 key RETURN\nkey RETURN\n"), 2);
    EXPECT_EQ(Schlechte_zeile("# ok\n\n4294967296 close\n"), 3) << "beyond 32 bits";
    EXPECT_EQ(Schlechte_zeile("99999999999999999999999999 close"), 1);
    EXPECT_EQ(Schlechte_zeile("-5 close"), 1);
    EXPECT_EQ(Schlechte_zeile("5ms close"), 1);
    EXPECT_EQ(Schlechte_zeile("5"), 1);
    EXPECT_EQ(Schlechte_zeile("5 jump"), 1);
    EXPECT_EQ(Schlechte_zeile("5 KEY RETURN"), 1);
    EXPECT_EQ(Schlechte_zeile("5 key"), 1);
    EXPECT_EQ(Schlechte_zeile("5 key ENTER"), 1);
    EXPECT_EQ(Schlechte_zeile("5 key ab"), 1);
    EXPECT_EQ(Schlechte_zeile("5 key RETURN SPACE"), 1);
    EXPECT_EQ(Schlechte_zeile("5 char"), 1);
    EXPECT_EQ(Schlechte_zeile("5 char ab"), 1);
    EXPECT_EQ(Schlechte_zeile("5 char #256"), 1);
    EXPECT_EQ(Schlechte_zeile("5 char #x"), 1);
    EXPECT_EQ(Schlechte_zeile("5 char \xC3\xA4"), 1);
    EXPECT_EQ(Schlechte_zeile("5 move 10"), 1);
    EXPECT_EQ(Schlechte_zeile("5 move 10 65536"), 1);
    EXPECT_EQ(Schlechte_zeile("5 move -1 10"), 1);
    EXPECT_EQ(Schlechte_zeile("5 lclick now"), 1);
    EXPECT_EQ(Schlechte_zeile("5 shot"), 1);
    EXPECT_EQ(Schlechte_zeile("5 globals all"), 1);
    EXPECT_EQ(Schlechte_zeile("5 globals#x"), 1) << "a comment is a word of its own";
    EXPECT_EQ(Schlechte_zeile(std::string("5 close\n6 cl\0se\n", 16)), 2);
}

TEST(RunnerSkript, EventsKeepScriptOrderWithinOneTime) {
    headless_reset(HeadlessConfig());
    std::vector<HeadlessEreignis> ev = Lesen("20 char b\n10 char a\n20 char c\n");
    headless_script_set(ev);
    HeadlessEreignis d;
    d.ms = 20;
    d.msg.message = WM_CHAR;
    d.msg.wParam = 'd';
    headless_script_add(d);
    headless_advance(20);
    std::string folge;
    MSG m;
    while (plat_peek_message(&m)) folge += static_cast<char>(m.wParam);
    EXPECT_EQ(folge, "abcd");
    headless_reset(HeadlessConfig());
}

}   // namespace
