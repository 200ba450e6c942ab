// Tick timers, waits, the name edit buffer and the small helpers of the
// shell, on the headless backend's virtual clock (also across the wrap of
// the 32-bit tick counter).
#include <cstring>

#include "ddraw_hilfe_test.h"

namespace {

// Tick counter starts: plain, and so that the sequences cross the wrap.
const DWORD kStarts[] = {0u, 0xFFFFFFFFu - 1200u, 0xFFFFFFFFu - 2600u, 0xFFFFFFFFu};

class SpielTakt : public ::testing::TestWithParam<DWORD> {
protected:
    void SetUp() override
    {
        HeadlessConfig cfg;
        cfg.tick0 = GetParam();
        headless_reset(cfg);
    }
    // Moves the virtual clock to ms after the start.
    void Bis(DWORD ms)
    {
        ASSERT_GE(ms, headless_ms());
        headless_advance(ms - headless_ms());
    }
};

struct Probe {
    DWORD ms;
    int erwartet;
};

TEST_P(SpielTakt, TitleBlinkHidden1000Shown1000Hidden500)
{
    EXPECT_EQ(Taktgeber_pruefen(1000, 1), 0);
    const Probe folge[] = {{0, 0},    {1, 0},    {1000, 0}, {1001, 1}, {1500, 1}, {2000, 1},
                           {2001, 0}, {2200, 0}, {2500, 0}, {2501, 1}, {3500, 1}, {3501, 0},
                           {4000, 0}, {4001, 1}};
    for (const Probe& p : folge) {
        Bis(p.ms);
        EXPECT_EQ(Taktgeber_pruefen(500, 0), p.erwartet) << "at " << p.ms << " ms";
    }
}

TEST_P(SpielTakt, HighscoreBlinkEvery500)
{
    Taktgeber_pruefen(500, 1);
    const Probe folge[] = {{500, 0}, {501, 1}, {1000, 1}, {1001, 0}, {1500, 0}, {1501, 1}};
    for (const Probe& p : folge) {
        Bis(p.ms);
        EXPECT_EQ(Taktgeber_pruefen(500, 0), p.erwartet) << "at " << p.ms << " ms";
    }
}

TEST_P(SpielTakt, BlinkCatchesUpOneCycleAtATime)
{
    Taktgeber_pruefen(1000, 1);
    Bis(10000);
    // Off phases of 500 after the first: the target moves 1500 per check.
    int nullen = 0;
    while (Taktgeber_pruefen(500, 0) == 0 && nullen < 100)
        ++nullen;
    EXPECT_EQ(nullen, 100);   // never on at this instant: the target lands on 10000
    Bis(10001);
    EXPECT_EQ(Taktgeber_pruefen(500, 0), 1);
}

TEST_P(SpielTakt, CountdownStepsFourToZero)
{
    EXPECT_EQ(Countdown_pruefen(200, 5, 1), 5);
    const Probe folge[] = {{0, -5},    {200, -5},   {201, 4},    {202, -4},   {1401, -4},
                           {1402, 3},  {2602, -3},  {2603, 2},   {5000, 1},   {5001, -1},
                           {6200, -1}, {6201, 0},   {6202, 0},   {99999, 0}};
    for (const Probe& p : folge) {
        Bis(p.ms);
        EXPECT_EQ(Countdown_pruefen(1200, 0, 0), p.erwartet) << "at " << p.ms << " ms";
    }
}

TEST_P(SpielTakt, WaitEndsWithinAMillisecond)
{
    DWORD start = plat_get_tick_count();
    Warten_bis(start, 25);
    DWORD vergangen = plat_get_tick_count() - start;
    EXPECT_GE(vergangen, 25u);
    EXPECT_LE(vergangen, 26u);

    // A deadline already passed returns at once.
    DWORD jetzt = plat_get_tick_count();
    Warten_bis(jetzt - 100, 25);
    EXPECT_EQ(plat_get_tick_count(), jetzt);
}

INSTANTIATE_TEST_SUITE_P(Tickstart, SpielTakt, ::testing::ValuesIn(kStarts));

// ------------------------------------------------------------ name entry

struct SpielEingabe : ::testing::Test {
    void SetUp() override
    {
        headless_reset(HeadlessConfig());
        char leer[17] = {};
        Texteingabe_bearbeiten(TE_SETZEN, 0, leer);
        headless_log_clear();
    }
    void Tippen(const char* s)
    {
        for (; *s; ++s)
            Texteingabe_bearbeiten(TE_ZEICHEN, static_cast<BYTE>(*s), nullptr);
    }
};

TEST_F(SpielEingabe, SeventeenthCharacterIsDroppedButBeeps)
{
    Tippen("abcdefghijklmnopq");
    EXPECT_STREQ(szEingabe, "abcdefghijklmnop");
    EXPECT_EQ(iEingabeLaenge, 16);
    EXPECT_EQ(Log_zaehlen("beep"), 17);
}

TEST_F(SpielEingabe, BackspaceOnEmptyDoesNothing)
{
    Texteingabe_bearbeiten(TE_ZEICHEN, 8, nullptr);
    EXPECT_EQ(iEingabeLaenge, 0);
    Tippen("ab");
    Texteingabe_bearbeiten(TE_ZEICHEN, 8, nullptr);
    EXPECT_STREQ(szEingabe, "a");
    Texteingabe_bearbeiten(TE_ZEICHEN, 8, nullptr);
    Texteingabe_bearbeiten(TE_ZEICHEN, 8, nullptr);
    EXPECT_STREQ(szEingabe, "");
    EXPECT_EQ(iEingabeLaenge, 0);
    EXPECT_EQ(Log_zaehlen("beep"), 6);
}

TEST_F(SpielEingabe, EscapeAndHighBytesAreStoredTabAndLineEndsAreNot)
{
    const BYTE zeichen[] = {27, 9, 10, 13, 0xE4, 'x'};
    for (BYTE z : zeichen)
        Texteingabe_bearbeiten(TE_ZEICHEN, z, nullptr);
    EXPECT_STREQ(szEingabe, "\x1B\xE4x");
    EXPECT_EQ(Log_zaehlen("beep"), 6);
}

TEST_F(SpielEingabe, SetAndGetCopySeventeenBytes)
{
    char name[17] = "Hans";
    Texteingabe_bearbeiten(TE_SETZEN, 0, name);
    EXPECT_EQ(iEingabeLaenge, 4);
    Tippen("i");
    char aus[17];
    std::memset(aus, 'z', sizeof aus);
    Texteingabe_bearbeiten(TE_HOLEN, 0, aus);
    EXPECT_STREQ(aus, "Hansi");
    EXPECT_EQ(aus[16], 0);

    // A name without terminator is cut at 16 characters.
    char voll[17];
    std::memset(voll, 'q', sizeof voll);
    Texteingabe_bearbeiten(TE_SETZEN, 0, voll);
    EXPECT_EQ(iEingabeLaenge, 16);
    EXPECT_EQ(szEingabe[16], 0);
    Tippen("r");
    EXPECT_EQ(iEingabeLaenge, 16);

    Texteingabe_bearbeiten(7, 'x', aus);   // unknown operations do nothing
    Texteingabe_bearbeiten(TE_SETZEN, 0, nullptr);
    EXPECT_EQ(iEingabeLaenge, 16);
    EXPECT_EQ(Log_zaehlen("beep"), 2);
}

// ---------------------------------------------------------------- helpers

TEST(SpielHilfen, DigitsOneToNineOthersZero)
{
    for (int c = 0; c < 256; ++c) {
        int erwartet = (c >= '1' && c <= '9') ? c - '0' : 0;
        ASSERT_EQ(Ziffer_wandeln(static_cast<BYTE>(c)), erwartet) << c;
    }
}

TEST(SpielHilfen, SkyColourForEveryHour)
{
    const int erwartet[24] = {255, 255, 240, 240, 240, 120, 120, 120, 111, 111, 111, 110,
                              110, 110, 111, 111, 111, 120, 120, 120, 240, 240, 240, 255};
    for (int h = 0; h < 24; ++h)
        EXPECT_EQ(Himmelsfarbe_Stunde(h), erwartet[h]) << "hour " << h;

    headless_reset(HeadlessConfig());
    SYSTEMTIME st{};
    plat_get_local_time(&st);
    iHimmelFarbe = -1;
    Himmelsfarbe_setzen();
    EXPECT_EQ(iHimmelFarbe, Himmelsfarbe_Stunde(st.wHour));
}

TEST(SpielHilfen, RectangleTakesBottomBeforeRight)
{
    RECT r{};
    EXPECT_EQ(Rechteck_setzen(&r, 0, 0, 768, 1024), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 768);
    EXPECT_EQ(Rechteck_setzen(nullptr, 1, 2, 3, 4), nullptr);
}

TEST(SpielHilfen, PointTestIncludesAllFourEdges)
{
    RECT r{10, 20, 30, 40};
    EXPECT_EQ(Punkt_im_Rechteck(10, 20, &r), 1);
    EXPECT_EQ(Punkt_im_Rechteck(30, 40, &r), 1);
    EXPECT_EQ(Punkt_im_Rechteck(9, 30, &r), 0);
    EXPECT_EQ(Punkt_im_Rechteck(31, 30, &r), 0);
    EXPECT_EQ(Punkt_im_Rechteck(20, 19, &r), 0);
    EXPECT_EQ(Punkt_im_Rechteck(20, 41, &r), 0);
    RECT neg{-50, -50, -10, -10};
    EXPECT_EQ(Punkt_im_Rechteck(-30, -30, &neg), 1);
    EXPECT_EQ(Punkt_im_Rechteck(0, 0, nullptr), 0);
}

TEST(SpielHilfen, RandomGeneratorSequence)
{
    Zufall_saeen(1);
    const int erwartet[] = {41, 18467, 6334, 26500, 19169};
    for (int e : erwartet)
        EXPECT_EQ(Zufall(), e);
    Zufall_saeen(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        int z = Zufall();
        ASSERT_GE(z, 0);
        ASSERT_LE(z, 32767);
    }
}

}  // namespace
