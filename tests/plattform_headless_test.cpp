// The headless backend itself: virtual clock, voices, fault arming, the
// message queue with scripted events, the log and the frame writer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "kern/bytefolge.h"
#include "platform/backend.h"
#include "platform/headless/headless.h"
#include "testhilfe.h"

namespace {

std::vector<std::string> g_aktionen;
intptr_t g_letzte_nachricht = 0;

intptr_t Fensterproc(HWND, uint32_t msg, uintptr_t, intptr_t) {
    g_letzte_nachricht = msg;
    return msg == WM_CREATE ? 0 : 7;
}

class PlattformHeadless : public ::testing::Test {
protected:
    void SetUp() override {
        headless_reset(HeadlessConfig());
        g_aktionen.clear();
    }
    void TearDown() override { headless_reset(HeadlessConfig()); }

    HWND Fenster() {
        EXPECT_TRUE(plat_register_class("Klasse", Fensterproc));
        HWND h = plat_create_window("Klasse", "Titel");
        EXPECT_NE(h, nullptr);
        return h;
    }

    std::vector<MSG> Leeren() {
        std::vector<MSG> v;
        MSG m;
        while (plat_peek_message(&m)) v.push_back(m);
        return v;
    }
};

TEST_F(PlattformHeadless, TickArithmeticCrossesTheWrap) {
    HeadlessConfig cfg;
    cfg.tick0 = 0xFFFFFFF0u;
    cfg.frame_ms = 20;
    headless_reset(cfg);
    DWORD start = plat_get_tick_count();
    EXPECT_EQ(start, 0xFFFFFFF0u);
    plat_sleep(0);
    plat_sleep(10);
    EXPECT_EQ(plat_get_tick_count(), 0xFFFFFFFBu);
    ASSERT_TRUE(backend_present(headless_frame(), 1024, 1024, 768, headless_palette()));
    EXPECT_EQ(plat_get_tick_count(), 15u) << "wrapped";
    EXPECT_EQ(plat_get_tick_count() - start, 31u);
    EXPECT_EQ(headless_ms(), 31u);
    headless_advance(0xFFFFFFFFu);
    EXPECT_EQ(headless_ms(), 30u);
}

TEST_F(PlattformHeadless, VoicePlaysForItsLengthInVirtualTime) {
    PlatSound* ds = nullptr;
    ASSERT_EQ(plat_sound_create(&ds), PLAT_OK);
    WAVEFORMATEX fmt{1, 2, 22050, 88200, 4, 16, 0};
    PlatSoundBuffer* b[2] = {};
    ASSERT_EQ(plat_sound_create_buffer(ds, &fmt, 8820, &b[0]), PLAT_OK);    // 100 ms
    ASSERT_EQ(plat_sound_create_buffer(ds, &fmt, 88200, &b[1]), PLAT_OK);   // 1000 ms
    void* p = nullptr;
    DWORD len = 0;
    ASSERT_EQ(plat_sound_buffer_lock(b[0], 0, 8820, &p, &len), PLAT_OK);
    EXPECT_EQ(len, 8820u);
    EXPECT_EQ(plat_sound_buffer_lock(b[0], 0, 8820, &p, &len), PLAT_FEHLER) << "locked twice";
    EXPECT_EQ(plat_sound_buffer_unlock(b[0], p, len), PLAT_OK);
    EXPECT_EQ(plat_sound_buffer_unlock(b[0], p, len), PLAT_FEHLER);

    EXPECT_EQ(plat_sound_buffer_set_pan(b[1], -10000), PLAT_OK);
    EXPECT_EQ(plat_sound_buffer_set_pan(b[1], 10001), PLAT_UNGUELTIG);
    ASSERT_EQ(plat_sound_buffer_play(b[1]), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_play(b[0]), PLAT_OK);
    EXPECT_EQ(headless_log_lines(), (std::vector<std::string>{"0 sound 1 -10000", "0 sound 0 0"}));
    DWORD st = 0;
    headless_advance(99);
    EXPECT_TRUE(headless_sound_playing(0));
    headless_advance(1);
    EXPECT_FALSE(headless_sound_playing(0));
    EXPECT_EQ(plat_sound_buffer_get_status(b[1], &st), PLAT_OK);
    EXPECT_EQ(st, DWORD(DSBSTATUS_PLAYING));
    headless_advance(899);
    EXPECT_TRUE(headless_sound_playing(1));
    ASSERT_EQ(plat_sound_buffer_stop(b[1]), PLAT_OK);
    EXPECT_EQ(plat_sound_buffer_get_status(b[1], &st), PLAT_OK);
    EXPECT_EQ(st, 0u);
    // A new play lasts the whole length again.
    ASSERT_EQ(plat_sound_buffer_play(b[1]), PLAT_OK);
    headless_advance(999);
    EXPECT_TRUE(headless_sound_playing(1));
    EXPECT_EQ(headless_live_objects(), 3);
    plat_sound_release(ds);
    EXPECT_EQ(headless_live_objects(), 0);
    EXPECT_FALSE(headless_sound_playing(1));
}

TEST_F(PlattformHeadless, VoicesAreNumberedAnewAndBadFormatsRefused) {
    PlatSound* ds = nullptr;
    PlatSoundBuffer* b = nullptr;
    WAVEFORMATEX gut{1, 1, 11025, 11025, 1, 8, 0};
    ASSERT_EQ(plat_sound_create(&ds), PLAT_OK);
    ASSERT_EQ(plat_sound_create_buffer(ds, &gut, 100, &b), PLAT_OK);
    plat_sound_release(ds);
    ASSERT_EQ(plat_sound_create(&ds), PLAT_OK);
    ASSERT_EQ(plat_sound_create_buffer(ds, &gut, 100, &b), PLAT_OK);
    plat_sound_buffer_play(b);
    EXPECT_TRUE(Log_enthaelt(headless_log_lines(), "sound 0 0"));

    WAVEFORMATEX schlecht[] = {
        {2, 1, 11025, 11025, 1, 8, 0},     // not PCM
        {1, 3, 11025, 33075, 3, 8, 0},     // three channels
        {1, 1, 11025, 11025, 1, 12, 0},    // 12 bits
        {1, 1, 11025, 0, 1, 8, 0},         // no byte rate
        {1, 2, 44100, 176400, 2, 16, 0},   // block too small
        {1, 1, 0, 0, 1, 8, 0},
    };
    for (const WAVEFORMATEX& f : schlecht) EXPECT_EQ(plat_sound_create_buffer(ds, &f, 100, &b), PLAT_UNGUELTIG);
    EXPECT_EQ(plat_sound_create_buffer(ds, &gut, 0, &b), PLAT_UNGUELTIG);
    EXPECT_EQ(plat_sound_create_buffer(ds, &gut, 0xFFFFFFFFu, &b), PLAT_UNGUELTIG);
    // Both backends take the same buffers: up to 8 MiB and five minutes.
    WAVEFORMATEX cd{1, 2, 44100, 176400, 4, 16, 0}, langsam{1, 1, 100, 100, 1, 8, 0};
    EXPECT_EQ(plat_sound_create_buffer(ds, &cd, 8u << 20, &b), PLAT_OK);
    EXPECT_EQ(plat_sound_create_buffer(ds, &cd, (8u << 20) + 4, &b), PLAT_UNGUELTIG);
    EXPECT_EQ(plat_sound_create_buffer(ds, &langsam, 300 * 100 + 99, &b), PLAT_OK);
    EXPECT_EQ(plat_sound_create_buffer(ds, &langsam, 301 * 100, &b), PLAT_UNGUELTIG);
    EXPECT_TRUE(plat_common_wave_format_gueltig(&gut, 1));
    EXPECT_FALSE(plat_common_wave_format_gueltig(nullptr, 1));
    EXPECT_EQ(headless_live_objects(), 4);
}

TEST_F(PlattformHeadless, FaultsSkipThenFailTimesOrForEver) {
    headless_fault_arm("ReadFile", 2, 3);
    std::vector<bool> folge;
    for (int i = 0; i < 7; ++i) folge.push_back(plat_fault("ReadFile"));
    EXPECT_EQ(folge, (std::vector<bool>{false, false, true, true, true, false, false}));
    EXPECT_EQ(headless_fault_calls("ReadFile"), 7);
    EXPECT_EQ(headless_fault_calls("WriteFile"), 0);
    headless_fault_arm("malloc", 0, -1);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(plat_malloc(16), nullptr);
    headless_fault_clear();
    void* p = plat_malloc(16);
    EXPECT_NE(p, nullptr);
    plat_free(p);
    EXPECT_EQ(plat_malloc(size_t(1) << 40), nullptr) << "a size no data file may ask for";
    headless_reset(HeadlessConfig());
    EXPECT_EQ(headless_fault_calls("ReadFile"), 0);
}

TEST_F(PlattformHeadless, ScriptEventsArriveAtTheFirstDrainAtOrAfterTheirTime) {
    HWND h = Fenster();
    headless_set_action_handler([](const std::string& verb, const std::string& args) {
        g_aktionen.push_back(verb + ":" + args + "@" + std::to_string(headless_ms()));
    });
    std::vector<HeadlessEreignis> ev;
    int zeile = -1;
    ASSERT_TRUE(headless_script_parse("50 move 300 200\n50 lclick\n50 shot a.bmp\n10 key a\n", &ev, &zeile));
    headless_script_set(ev);
    std::vector<MSG> m = Leeren();
    EXPECT_TRUE(m.empty());
    headless_advance(9);
    EXPECT_TRUE(Leeren().empty());
    headless_advance(30);
    m = Leeren();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].hwnd, h);
    EXPECT_EQ(m[0].message, uint32_t(WM_KEYDOWN));
    EXPECT_EQ(m[0].wParam, uintptr_t('A'));
    EXPECT_EQ(m[1].message, uint32_t(WM_CHAR));
    EXPECT_EQ(m[1].wParam, uintptr_t('a'));
    headless_advance(200);
    ASSERT_TRUE(plat_post_message(h, WM_CLOSE, 0, 0));
    m = Leeren();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].message, uint32_t(WM_CLOSE)) << "posted before the drain";
    EXPECT_EQ(m[1].lParam, intptr_t(300 | 200 << 16));
    EXPECT_EQ(m[2].message, uint32_t(WM_LBUTTONDOWN));
    EXPECT_EQ(m[2].lParam, intptr_t(300 | 200 << 16)) << "clicks happen where the pointer is";
    EXPECT_EQ(g_aktionen, (std::vector<std::string>{"shot:a.bmp@239"}));
    EXPECT_EQ(plat_dispatch_message(&m[2]), 7);
    EXPECT_EQ(g_letzte_nachricht, WM_LBUTTONDOWN);
    plat_post_quit_message(3);
    m = Leeren();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].message, uint32_t(WM_QUIT));
    EXPECT_EQ(m[0].wParam, 3u);
}

TEST_F(PlattformHeadless, TimeLimitPostsOneCloseAndIdlePassesTakeAMillisecond) {
    HeadlessConfig cfg;
    cfg.until_ms = 5;
    headless_reset(cfg);
    HWND h = Fenster();
    int schliessen = 0;
    for (int pass = 0; pass < 20; ++pass)
        for (const MSG& m : Leeren()) {
            EXPECT_EQ(m.hwnd, h);
            schliessen += m.message == WM_CLOSE;
            EXPECT_GE(headless_ms(), 5u);
        }
    EXPECT_EQ(schliessen, 1);
    EXPECT_TRUE(headless_timed_out());
    EXPECT_EQ(headless_ms(), 19u) << "the first idle drain starts the count";
}

TEST_F(PlattformHeadless, LogLinesCarryTheTimeAndUtf8Text) {
    HeadlessConfig cfg;
    cfg.tick0 = 1000;
    headless_reset(cfg);
    headless_advance(25);
    plat_message_box(nullptr, "Zeile 1\nUng\xFCltig \x80", "Error...", MB_ICONERROR);
    plat_message_beep(0);
    plat_play_sound("lose.wav");
    plat_play_sound(nullptr);
    plat_mci_send_string("open M\xFCsik.mp3 type MPEGVideo Alias Mp3");
    plat_mci_send_string("open Musik\xC3\xA4.mp3 type MPEGVideo Alias Mp3");
    EXPECT_EQ(headless_log_lines(),
              (std::vector<std::string>{"25 msgbox Error... | Zeile 1\\nUng\xC3\xBCltig \xE2\x82\xAC", "25 beep",
                                        "25 wave lose.wav", "25 wave stop",
                                        "25 mci open M\xC3\xBCsik.mp3 type MPEGVideo Alias Mp3",
                                        "25 mci open Musik\xC3\xA4.mp3 type MPEGVideo Alias Mp3"}));
    headless_log_clear();
    EXPECT_TRUE(headless_log_lines().empty());
}

TEST_F(PlattformHeadless, ShotIsAnEightBitBmpOfTheLastFrame) {
    std::string ordner = Testordner_anlegen(false);
    std::vector<uint8_t> pixel(1024 * 768);
    for (size_t i = 0; i < pixel.size(); ++i) pixel[i] = uint8_t(i / 1024);
    PALETTEENTRY pal[256];
    for (int i = 0; i < 256; ++i) pal[i] = PALETTEENTRY{BYTE(i), 2, 3, 4};
    ASSERT_TRUE(backend_present(pixel.data(), 1024, 1024, 768, pal));
    ASSERT_TRUE(headless_write_bmp("bild.bmp"));
    std::string b = Datei_lesen("bild.bmp");
    ASSERT_EQ(b.size(), 14u + 40 + 1024 + 1024 * 768);
    auto u32 = [&](size_t o) { return Bytes_DWord_lesen(b.data() + o); };
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(u32(10), 1078u);
    EXPECT_EQ(u32(18), 1024u);
    EXPECT_EQ(u32(22), 768u);
    EXPECT_EQ(uint8_t(b[28]), 8);
    EXPECT_EQ(uint8_t(b[54 + 4 * 9 + 2]), 9) << "red of entry 9";
    EXPECT_EQ(uint8_t(b[54 + 4 * 9 + 0]), 3) << "blue of entry 9";
    EXPECT_EQ(uint8_t(b[1078]), uint8_t(767)) << "bottom row first";
    EXPECT_EQ(uint8_t(b.back()), 0);
    EXPECT_FALSE(headless_write_bmp("kein/ordner/bild.bmp"));
}

TEST_F(PlattformHeadless, OneWindowThatAnUnhandledCloseLeavesStanding) {
    HWND h = Fenster();
    EXPECT_FALSE(plat_register_class("Klasse", Fensterproc)) << "registered already";
    EXPECT_EQ(plat_create_window("Klasse", "Zweites"), nullptr) << "the game has one window";
    g_letzte_nachricht = 0;
    EXPECT_EQ(plat_def_window_proc(h, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(g_letzte_nachricht, 0) << "no WM_DESTROY on this backend";
    const MSG m{h, WM_KEYDOWN, 'A', 1};
    EXPECT_EQ(plat_dispatch_message(&m), 7) << "the window still takes its messages";
    const MSG fremd{nullptr, WM_KEYDOWN, 'A', 1};
    EXPECT_EQ(plat_dispatch_message(&fremd), 0);
}

TEST_F(PlattformHeadless, ResetForgetsEveryObject) {
    Fenster();
    PlatDisplay* dd = nullptr;
    PlatSurface* s = nullptr;
    PlatSound* ds = nullptr;
    ASSERT_EQ(plat_display_create(&dd), PLAT_OK);
    ASSERT_EQ(plat_display_create_surface(dd, 64, 64, true, &s), PLAT_OK);
    ASSERT_EQ(plat_sound_create(&ds), PLAT_OK);
    Testordner_anlegen(false);
    ASSERT_NE(plat_file_open("neu.txt", PLAT_DATEI_SCHREIBEN_NEU), nullptr);
    EXPECT_EQ(headless_live_objects(), 4);
    headless_reset(HeadlessConfig());
    EXPECT_EQ(headless_live_objects(), 0);
    EXPECT_TRUE(plat_register_class("Klasse", Fensterproc)) << "classes are forgotten too";
}

}   // namespace
