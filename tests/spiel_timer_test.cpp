// Tick timers, waits, the name edit buffer and the small helpers of the
// shell, on the virtual clock (also across the wrap of the tick counter).
#include "ddraw_hilfe_test.h"

namespace {

class SpielTakt : public ::testing::TestWithParam<DWORD> {
protected:
    void SetUp() override {
        HeadlessConfig cfg;
        cfg.tick0 = GetParam();
        headless_reset(cfg);
    }
    // Checks at the given ms after the start give the expected results.
    template <typename F>
    void Folge(F pruefen, std::initializer_list<std::pair<DWORD, int>> folge) {
        for (const auto& [ms, erwartet] : folge) {
            headless_advance(ms - headless_ms());
            EXPECT_EQ(pruefen(), erwartet) << "at " << ms << " ms";
        }
    }
};

TEST_P(SpielTakt, TitleBlinkHidden1000Shown1000Hidden500) {
    EXPECT_EQ(Taktgeber_pruefen(1000, 1), 0);
    Folge([] { return Taktgeber_pruefen(500, 0); },
          {{0, 0}, {1000, 0}, {1001, 1}, {2000, 1}, {2001, 0}, {2500, 0}, {2501, 1}, {3500, 1}, {3501, 0}, {4001, 1}});
}

TEST_P(SpielTakt, BlinkCatchesUpOneCycleAtATime) {
    Taktgeber_pruefen(1000, 1);
    headless_advance(10000);
    for (int i = 0; i < 20; ++i)   // the target steps 1500 per check and lands on 10000
        EXPECT_EQ(Taktgeber_pruefen(500, 0), 0);
    headless_advance(1);
    EXPECT_EQ(Taktgeber_pruefen(500, 0), 1);
}

TEST_P(SpielTakt, CountdownFourToZeroWithMinusNWhileWaiting) {
    EXPECT_EQ(Countdown_pruefen(200, 5, 1), 5);
    Folge([] { return Countdown_pruefen(1200, 0, 0); }, {{200, -5},
                                                         {201, 4},
                                                         {202, -4},
                                                         {1401, -4},
                                                         {1402, 3},
                                                         {2603, 2},
                                                         {5000, 1},
                                                         {6200, -1},
                                                         {6201, 0},
                                                         {9999, 0}});
}

TEST_P(SpielTakt, WaitEndsWithinAMillisecond) {
    DWORD start = plat_get_tick_count();
    Warten_bis(start, 25);
    DWORD vergangen = plat_get_tick_count() - start;
    EXPECT_GE(vergangen, 25u);
    EXPECT_LE(vergangen, 26u);
    DWORD jetzt = plat_get_tick_count();
    Warten_bis(jetzt - 100, 25);   // already over
    EXPECT_EQ(plat_get_tick_count(), jetzt);
}

INSTANTIATE_TEST_SUITE_P(Tickstart, SpielTakt,
                         ::testing::Values(0u, 0xFFFFFFFFu - 1200u, 0xFFFFFFFFu - 2600u, 0xFFFFFFFFu));

// ------------------------------------------------------------ name entry

void Tippen(std::initializer_list<int> zeichen) {
    for (int z : zeichen) Texteingabe_bearbeiten(TE_ZEICHEN, static_cast<BYTE>(z), nullptr);
}

TEST(SpielEingabe, EveryCharacterBeepsBufferHoldsSixteen) {
    headless_reset(HeadlessConfig());
    char name[17] = "Hans";
    Texteingabe_bearbeiten(TE_SETZEN, 0, name);
    EXPECT_EQ(iEingabeLaenge, 4);
    Tippen({8, 8, 8, 8, 8, 27, 9, 10, 13, 0xE4});   // backspace on empty; Escape is kept
    EXPECT_STREQ(szEingabe, "\x1B\xE4");
    Tippen({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o'});
    EXPECT_EQ(iEingabeLaenge, 16);
    char aus[17];
    Texteingabe_bearbeiten(TE_HOLEN, 0, aus);
    EXPECT_STREQ(aus,
                 "\x1B\xE4"
                 "abcdefghijklmn");
    EXPECT_EQ(Log_zaehlen("beep"), 25);

    char voll[17];
    std::fill(voll, voll + 17, 'q');   // no terminator
    Texteingabe_bearbeiten(TE_SETZEN, 0, voll);
    EXPECT_EQ(iEingabeLaenge, 16);
    EXPECT_EQ(szEingabe[16], 0);
}

// ---------------------------------------------------------------- helpers

TEST(SpielHilfen, DigitsSkyRectanglesRandom) {
    for (int c = 0; c < 256; ++c)
        ASSERT_EQ(Ziffer_wandeln(static_cast<BYTE>(c)), (c >= '1' && c <= '9') ? c - '0' : 0) << c;

    const int himmel[24] = {255, 255, 240, 240, 240, 120, 120, 120, 111, 111, 111, 110,
                            110, 110, 111, 111, 111, 120, 120, 120, 240, 240, 240, 255};
    for (int h = 0; h < 24; ++h) EXPECT_EQ(Himmelsfarbe_Stunde(h), himmel[h]) << "hour " << h;

    RECT r{};
    EXPECT_EQ(Rechteck_setzen(&r, 0, 0, 768, 1024), &r);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 768);
    EXPECT_EQ(Punkt_im_Rechteck(1024, 768, &r), 1);
    EXPECT_EQ(Punkt_im_Rechteck(0, 0, &r), 1);
    EXPECT_EQ(Punkt_im_Rechteck(1025, 0, &r), 0);
    EXPECT_EQ(Punkt_im_Rechteck(0, -1, &r), 0);

    Zufall_saeen(1);
    for (int e : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(Zufall(), e);
}

}   // namespace
