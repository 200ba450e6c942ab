// The state entry, the background pictures per state, one pass of the
// main loop and the entry's failures, on the headless backend.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/packfile.h"
#include "audio/dsound.h"
#include "audio/musik.h"
#include "ddraw_hilfe_test.h"
#include "world/welt.h"

namespace {

// The display with both background surfaces, and 21 silent sound buffers
// made in sector order so that the log names the sector.
struct SpielZustand : AnzeigeTest {
    void SetUp() override
    {
        AnzeigeTest::SetUp();
        Spiel_initialisieren();
        lpDDSHintergrund = Flaeche_anlegen(BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE);
        lpDDSSpielfeld = Flaeche_anlegen(SPIELFELD_BREITE, SPIELFELD_HOEHE);
        ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
        WAVEFORMATEX fmt{1, 1, 22050, 22050, 1, 8, 0};
        for (PlatSoundBuffer*& b : lpDSB)
            ASSERT_EQ(plat_sound_create_buffer(lpDS, &fmt, 64, &b), PLAT_OK);
        headless_log_clear();
    }
    void TearDown() override
    {
        for (PlatSoundBuffer*& b : lpDSB) {
            plat_sound_buffer_release(b);
            b = nullptr;
        }
        plat_sound_release(lpDS);
        lpDS = nullptr;
        iMusikAnzahl = 0;
        AnzeigeTest::TearDown();
    }
    void Rundenwerte_verderben()
    {
        iKills = 3;
        iLose = 4;
        iPoints = 500;
        iTime = 12;
        iShells = 1;
        iScrollX = -1000;
    }
    void Rundenwerte_pruefen()
    {
        EXPECT_EQ(iKills, 0);
        EXPECT_EQ(iLose, 0);
        EXPECT_EQ(iPoints, 0);
        EXPECT_EQ(iTime, 180);
        EXPECT_EQ(iShells, 6);
        EXPECT_EQ(iScrollX, -512);
    }
};

TEST_F(SpielZustand, InitialValues)
{
    headless_advance(1234);
    iMouseX = 5;
    bMusikAn = 0;
    iMusikZustand = MUSIK_LAEUFT;
    ptVerstecke[3] = POINT{0, 0};
    iGameState = GS_PLAYING;
    Spiel_initialisieren();
    EXPECT_EQ(iGameState, GS_TITLE);
    EXPECT_EQ(iMouseX, 1024);
    EXPECT_EQ(iMouseY, 384);
    EXPECT_EQ(iScrollX, -512);
    EXPECT_EQ(iTime, 0);
    EXPECT_EQ(iShells, 0);
    EXPECT_EQ(iHimmelFarbe, 120);
    EXPECT_EQ(bMusikAn, 1);
    EXPECT_EQ(iMusikZustand, MUSIK_ZU);
    EXPECT_EQ(dwMenueZeit, plat_get_tick_count());
    EXPECT_EQ(ptVerstecke[3].x, 669);
    EXPECT_EQ(ptVerstecke[7].y, 404);
}

TEST_F(SpielZustand, TitleResetsRoundAndStartsTheBlink)
{
    iRound = 7;
    bGewonnen = 0;
    Rundenwerte_verderben();
    Zustand_setzen(0, 1);
    EXPECT_EQ(iGameState, GS_TITLE);
    EXPECT_EQ(iRound, 0);
    EXPECT_EQ(bGewonnen, 1);
    EXPECT_EQ(bHintergrundLaden, 1);
    EXPECT_EQ(dwTaktDauer, 1000u);
    EXPECT_EQ(dwTaktZiel, plat_get_tick_count() + 1000);
    Rundenwerte_pruefen();
}

TEST_F(SpielZustand, MenuSetsSkyTicksAndClosesMusic)
{
    headless_advance(777);
    iHimmelFarbe = -1;
    iMusikZustand = MUSIK_LAEUFT;
    Zustand_setzen(1, 1);
    EXPECT_EQ(iGameState, GS_MENU);
    EXPECT_EQ(dwMenueZeit, plat_get_tick_count());
    SYSTEMTIME st{};
    plat_get_local_time(&st);
    EXPECT_EQ(iHimmelFarbe, Himmelsfarbe_Stunde(st.wHour));
    EXPECT_EQ(Log_zaehlen("sound 5 0"), 1);
    EXPECT_EQ(Log_zaehlen("mci close Mp3"), 1);
    EXPECT_EQ(iMusikZustand, MUSIK_ZU);
}

TEST_F(SpielZustand, RoundIntroCountsRoundsAndStartsMusic)
{
    std::strcpy(szText, "alt");
    iMusikAnzahl = 2;
    std::strcpy(szMusikDatei[0], "eins.mp3");
    std::strcpy(szMusikDatei[1], "zwei.mp3");
    Rundenwerte_verderben();

    Zustand_setzen(0, 1);
    Zustand_setzen(2, 1);
    EXPECT_EQ(iGameState, GS_ROUND_INTRO);
    EXPECT_EQ(iRound, 1);
    EXPECT_STREQ(szText, "");
    EXPECT_EQ(iCountdown, 5);
    EXPECT_EQ(dwCountdownZiel, plat_get_tick_count() + 200);
    EXPECT_EQ(Objekte[0].dwZeitStart, plat_get_tick_count());   // the round was armed
    EXPECT_EQ(Log_zaehlen("mci open"), 1);
    Rundenwerte_pruefen();

    // Next round at once, a new game from the menu: the count goes on.
    Zustand_setzen(2, 0);
    EXPECT_EQ(bHintergrundLaden, 0);
    Zustand_setzen(1, 1);
    Zustand_setzen(2, 1);
    EXPECT_EQ(iRound, 3);
}

TEST_F(SpielZustand, HighscoreListPlaysWinOrLose)
{
    bGewonnen = 1;
    Zustand_setzen(6, 1);
    EXPECT_EQ(iGameState, GS_HIGHSCORES);
    EXPECT_EQ(dwTaktDauer, 500u);
    EXPECT_EQ(Log_zaehlen("wave win.wav"), 1);
    bGewonnen = 0;
    Zustand_setzen(6, 1);
    EXPECT_EQ(Log_zaehlen("wave lose.wav"), 1);
    bGewonnen = 2;   // flags count only when 1
    Zustand_setzen(6, 1);
    EXPECT_EQ(Log_zaehlen("wave lose.wav"), 2);
}

TEST_F(SpielZustand, CreditsRestartTheScroll)
{
    bAbspannNeustart = 0;
    Zustand_setzen(7, 1);
    EXPECT_EQ(iGameState, GS_CREDITS);
    EXPECT_EQ(bAbspannNeustart, 1);
    EXPECT_EQ(Log_zaehlen("wave credits.wav"), 1);
}

TEST_F(SpielZustand, UnknownTypesKeepTheStateButResetTheRound)
{
    for (DWORD typ : {3u, 4u, 5u, 8u, 9u, 10u, 0xFFFFFFFFu}) {
        iGameState = GS_PLAYING;
        Rundenwerte_verderben();
        Zustand_setzen(typ, 1);
        EXPECT_EQ(iGameState, GS_PLAYING) << typ;
        EXPECT_EQ(bHintergrundLaden, 1) << typ;
        Rundenwerte_pruefen();
    }
    EXPECT_EQ(Log_zaehlen("sound"), 0);
    EXPECT_EQ(Log_zaehlen("wave"), 0);
}

TEST_F(SpielZustand, OnlyReloadOneAsksForAPicture)
{
    for (BYTE r : {BYTE(0), BYTE(2), BYTE(0xFF)}) {
        Zustand_setzen(7, r);
        EXPECT_EQ(bHintergrundLaden, 0) << int(r);
    }
    Zustand_setzen(7, 1);
    EXPECT_EQ(bHintergrundLaden, 1);
}

// --------------------------------------------------------- background load

// A "Grafik.dat" of its own in a fresh folder: picture n is filled with
// index n, and its colour table makes entry 0 the colour (n, n, n).
class SpielHintergrund : public SpielZustand {
protected:
    std::filesystem::path alt, ordner;

    static std::string Bmp(int breite, int hoehe, BYTE wert)
    {
        std::string s(54 + 1024, '\0');
        s[0] = 'B';
        s[1] = 'M';
        auto le32 = [&](size_t pos, uint32_t v) {
            for (int i = 0; i < 4; ++i)
                s[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        le32(10, 54 + 1024);
        le32(14, 40);
        le32(18, static_cast<uint32_t>(breite));
        le32(22, static_cast<uint32_t>(hoehe));
        s[26] = 1;
        s[28] = 8;
        s[54] = s[55] = s[56] = static_cast<char>(wert);
        s.append(static_cast<size_t>(breite) * hoehe, static_cast<char>(wert));
        return s;
    }

    void SetUp() override
    {
        SpielZustand::SetUp();
        alt = std::filesystem::current_path();
        char muster[] = "/tmp/glubber_zustandXXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        std::filesystem::current_path(ordner);

        std::memset(&pfvGrafik, 0, sizeof pfvGrafik);
        std::ofstream f("Grafik.dat", std::ios::binary);
        std::string daten;
        for (int n : {1, 5, 25, 26, 34, 35}) {
            pfvGrafik.iSektorTyp[n] = SEKTOR_BMP;
            pfvGrafik.iSektorOffset[n] = static_cast<int32_t>(daten.size());
            daten += n == 1 ? Bmp(SPIELFELD_BREITE, SPIELFELD_HOEHE, 1)
                            : Bmp(BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE, static_cast<BYTE>(n));
        }
        f.write(daten.data(), static_cast<std::streamsize>(daten.size()));
        f.write(reinterpret_cast<const char*>(&pfvGrafik), sizeof pfvGrafik);
        f.close();

        Flaeche_malen(lpDDSHintergrund, [](int, int) { return 200; });
        Flaeche_malen(lpDDSSpielfeld, [](int, int) { return 200; });
    }
    void TearDown() override
    {
        std::filesystem::current_path(alt);
        std::error_code ec;
        std::filesystem::remove_all(ordner, ec);
        SpielZustand::TearDown();
    }
    int Geladen(int state, BYTE gewonnen = 1)
    {
        Flaeche_malen(lpDDSHintergrund, [](int, int) { return 200; });
        iGameState = state;
        bGewonnen = gewonnen;
        bHintergrundLaden = 1;
        Hintergrund_laden();
        EXPECT_EQ(bHintergrundLaden, 0);
        return Pixel(lpDDSHintergrund, 512, 384);
    }
};

TEST_F(SpielHintergrund, PicturePerState)
{
    EXPECT_EQ(Geladen(GS_TITLE), 34);
    EXPECT_EQ(Geladen(GS_MENU), 26);
    EXPECT_EQ(Geladen(GS_HIGHSCORES, 1), 35);
    EXPECT_EQ(Geladen(GS_HIGHSCORES, 0), 25);
    EXPECT_EQ(Geladen(GS_CREDITS), 5);
    EXPECT_NE(lpDDPal, nullptr);   // the picture's colours became the palette
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);

    EXPECT_EQ(Geladen(GS_ROUND_INTRO), 200);   // that goes to the playfield
    EXPECT_EQ(Pixel(lpDDSSpielfeld, 2047, 447), 1);
}

TEST_F(SpielHintergrund, StatesWithoutPictureOnlyClearTheFlag)
{
    int dateien = headless_fault_calls("CreateFile");
    for (int s : {int(GS_PLAYING), int(GS_RECORD_ENTRY), int(GS_CONTINUE_PROMPT), int(GS_QUIT_PROMPT), int(GS_EXIT), 42})
        EXPECT_EQ(Geladen(s), 200) << s;
    EXPECT_EQ(headless_fault_calls("CreateFile"), dateien);
}

TEST_F(SpielHintergrund, NothingIsLoadedWithoutTheFlag)
{
    int dateien = headless_fault_calls("CreateFile");
    iGameState = GS_TITLE;
    bHintergrundLaden = 0;
    Hintergrund_laden();
    EXPECT_EQ(headless_fault_calls("CreateFile"), dateien);
    EXPECT_EQ(Pixel(lpDDSHintergrund, 0, 0), 200);
}

TEST_F(SpielHintergrund, FailedLoadKeepsTheOldPictureAndClearsTheFlag)
{
    headless_fault_arm("CreateFile", 0, 1);
    EXPECT_EQ(Geladen(GS_MENU), 200);
    EXPECT_EQ(Log_zaehlen("msgbox Error..."), 1);
}

// ------------------------------------------------------------ one pass

TEST_F(SpielZustand, PassThatEndsTheGameStillSamplesTheTick)
{
    iGameState = GS_TITLE;
    bHintergrundLaden = 1;
    dwTick = 0;
    headless_advance(500);
    int flips = headless_flip_count();
    ASSERT_TRUE(plat_post_message(hWnd, WM_CLOSE, 0, 0));

    Spiel_Durchlauf();

    EXPECT_EQ(iGameState, GS_EXIT);
    EXPECT_EQ(dwTick, plat_get_tick_count());
    EXPECT_EQ(bHintergrundLaden, 0);
    EXPECT_EQ(headless_flip_count(), flips);   // nothing drawn for GS_EXIT
}

// ---------------------------------------------------------------- entry

TEST(SpielEintritt, WindowClassOrWindowFailureEndsWithOne)
{
    for (const char* schritt : {"RegisterClass", "CreateWindow"}) {
        headless_reset(HeadlessConfig());
        headless_fault_arm(schritt, 0, 1);
        EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 1), 1) << schritt;
        EXPECT_EQ(Log_zaehlen(std::string("msgbox Error - ") + schritt +
                              " | Programm konnte nicht gestartet werden!"),
                  1)
            << schritt;
        EXPECT_EQ(Log_zaehlen("msgbox"), 1);
        EXPECT_EQ(headless_live_objects(), 0);
    }
    headless_fault_clear();
}

}  // namespace
