// The state entry, the background picture per state, one pass of the main
// loop and the entry's own failures, on the headless backend.
#include <cstring>

#include "assets/packfile.h"
#include "audio/dsound.h"
#include "audio/musik.h"
#include "ddraw_hilfe_test.h"
#include "packfile_testbau.h"
#include "world/welt.h"

namespace {

// The display with both background surfaces, and 21 silent sound buffers
// made in sector order, so that the log names the sector.
struct SpielZustand : AnzeigeTest {
    void SetUp() override {
        AnzeigeTest::SetUp();
        Spiel_initialisieren();
        lpDDSHintergrund = Flaeche_anlegen(BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE);
        lpDDSSpielfeld = Flaeche_anlegen(SPIELFELD_BREITE, SPIELFELD_HOEHE);
        ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
        WAVEFORMATEX fmt{1, 1, 22050, 22050, 1, 8, 0};
        for (PlatSoundBuffer*& b : lpDSB) ASSERT_EQ(plat_sound_create_buffer(lpDS, &fmt, 64, &b), PLAT_OK);
        headless_log_clear();
    }
    void TearDown() override {
        for (PlatSoundBuffer*& b : lpDSB) b = nullptr;
        lpDS = nullptr;
        iMusikAnzahl = 0;   // the music globals as at program start
        iMusikTitel = 0;
        iMusikZustand = MUSIK_ZU;
        szMusikDatei[0][0] = 0;
        AnzeigeTest::TearDown();
    }
    // Spoils the round values, enters the type and checks their reset.
    void Betreten(DWORD typ, BYTE reload) {
        iKills = iLose = iPoints = iTime = iShells = iScrollX = 77;
        Zustand_setzen(typ, reload);
        EXPECT_TRUE(iKills == 0 && iLose == 0 && iPoints == 0) << typ;
        EXPECT_TRUE(iTime == 180 && iShells == 6 && iScrollX == -512) << typ;
        EXPECT_EQ(bHintergrundLaden, reload == 1 ? 1 : 0) << typ;
    }
};

TEST_F(SpielZustand, TitleMenuIntroListCredits) {
    iRound = 7;
    Betreten(GS_TITLE, 1);
    EXPECT_EQ(iGameState, GS_TITLE);
    EXPECT_EQ(iRound, 0);
    EXPECT_EQ(bGewonnen, 1);
    EXPECT_EQ(dwTaktZiel, plat_get_tick_count() + 1000);

    headless_advance(777);
    iMusikZustand = MUSIK_LAEUFT;
    Betreten(GS_MENU, 1);
    EXPECT_EQ(iGameState, GS_MENU);
    EXPECT_EQ(dwMenueZeit, plat_get_tick_count());
    SYSTEMTIME st{};
    plat_get_local_time(&st);
    EXPECT_EQ(iHimmelFarbe, Himmelsfarbe_Stunde(st.wHour));
    EXPECT_EQ(Log_zaehlen("sound 5 0"), 1);
    EXPECT_EQ(Log_zaehlen("mci close Mp3"), 1);

    std::strcpy(szText, "alt");
    iMusikAnzahl = 1;
    std::strcpy(szMusikDatei[0], "eins.mp3");
    Betreten(GS_ROUND_INTRO, 1);
    EXPECT_EQ(iGameState, GS_ROUND_INTRO);
    EXPECT_EQ(iRound, 1);
    EXPECT_STREQ(szText, "");
    EXPECT_EQ(dwCountdownZiel, plat_get_tick_count() + 200);
    EXPECT_EQ(Objekte[0].dwZeitStart, plat_get_tick_count());   // the round was armed
    EXPECT_EQ(Log_zaehlen("mci open eins.mp3"), 1);

    Betreten(GS_HIGHSCORES, 1);
    EXPECT_EQ(iGameState, GS_HIGHSCORES);
    EXPECT_EQ(dwTaktDauer, 500u);
    EXPECT_EQ(Log_zaehlen("wave win.wav"), 1);
    bGewonnen = 2;   // flags count only when 1
    Betreten(GS_HIGHSCORES, 0);
    EXPECT_EQ(Log_zaehlen("wave lose.wav"), 1);

    bAbspannNeustart = 0;
    Betreten(GS_CREDITS, 2);
    EXPECT_EQ(iGameState, GS_CREDITS);
    EXPECT_EQ(bAbspannNeustart, 1);
    EXPECT_EQ(Log_zaehlen("wave credits.wav"), 1);
}

TEST_F(SpielZustand, RoundsCountAcrossGamesUnknownTypesKeepTheState) {
    Zustand_setzen(GS_TITLE, 1);
    Zustand_setzen(GS_ROUND_INTRO, 1);
    Zustand_setzen(GS_ROUND_INTRO, 0);
    Zustand_setzen(GS_MENU, 1);
    Zustand_setzen(GS_ROUND_INTRO, 1);
    EXPECT_EQ(iRound, 3);
    headless_log_clear();
    const DWORD andere[] = {GS_PLAYING, GS_RECORD_ENTRY, GS_CONTINUE_PROMPT, GS_QUIT_PROMPT, GS_EXIT, 0xFFFFFFFFu};
    for (DWORD typ : andere) {
        iGameState = GS_PLAYING;
        Betreten(typ, 1);
        EXPECT_EQ(iGameState, GS_PLAYING);
    }
    EXPECT_EQ(headless_log_lines().size(), 0u);
}

TEST_F(SpielZustand, PassThatEndsTheGameStillSamplesTheTick) {
    bHintergrundLaden = 1;
    headless_advance(500);
    int flips = headless_flip_count();
    ASSERT_TRUE(plat_post_message(hWnd, WM_CLOSE, 0, 0));
    Spiel_Durchlauf();
    EXPECT_EQ(iGameState, GS_EXIT);
    EXPECT_EQ(dwTick, plat_get_tick_count());
    EXPECT_EQ(bHintergrundLaden, 0);
    EXPECT_EQ(headless_flip_count(), flips);
}

// A "Grafik.dat" of its own in a fresh folder: picture n is all index n.
struct SpielHintergrund : SpielZustand {
    static std::string Bmp(int breite, int hoehe, char wert) {
        return testbau::Bmp(breite, hoehe, std::string(static_cast<size_t>(breite) * hoehe, wert));
    }
    void SetUp() override {
        SpielZustand::SetUp();
        Testordner_anlegen(false);
        std::memset(&pfvGrafik, 0, sizeof pfvGrafik);
        std::string daten;
        for (int n : {1, 5, 25, 26, 34, 35}) {
            pfvGrafik.iSektorTyp[n] = SEKTOR_BMP;
            pfvGrafik.iSektorOffset[n] = static_cast<int32_t>(daten.size());
            daten +=
                n == 1 ? Bmp(SPIELFELD_BREITE, SPIELFELD_HOEHE, 1) : Bmp(BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE, char(n));
        }
        Datei_schreiben("Grafik.dat", daten);
    }
    int Geladen(int state, BYTE gewonnen = 1) {
        Flaeche_malen(lpDDSHintergrund, [](int, int) { return 200; });
        iGameState = state;
        bGewonnen = gewonnen;
        bHintergrundLaden = 1;
        Hintergrund_laden();
        EXPECT_EQ(bHintergrundLaden, 0);
        return Pixel(lpDDSHintergrund, 512, 384);
    }
};

TEST_F(SpielHintergrund, PicturePerState) {
    EXPECT_EQ(Geladen(GS_TITLE), 34);
    EXPECT_EQ(Geladen(GS_MENU), 26);
    EXPECT_EQ(Geladen(GS_HIGHSCORES, 1), 35);
    EXPECT_EQ(Geladen(GS_HIGHSCORES, 0), 25);
    EXPECT_EQ(Geladen(GS_CREDITS), 5);
    EXPECT_NE(lpDDPal, nullptr);   // with its colours as the palette
    EXPECT_EQ(Geladen(GS_ROUND_INTRO), 200);
    EXPECT_EQ(Pixel(lpDDSSpielfeld, 2047, 447), 1);
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);

    int dateien = headless_fault_calls("CreateFile");
    const int ohne_bild[] = {GS_PLAYING, GS_RECORD_ENTRY, GS_CONTINUE_PROMPT, GS_QUIT_PROMPT, GS_EXIT, 42};
    for (int s : ohne_bild) EXPECT_EQ(Geladen(s), 200) << s;
    iGameState = GS_TITLE;
    bHintergrundLaden = 0;
    Hintergrund_laden();
    EXPECT_EQ(headless_fault_calls("CreateFile"), dateien);
}

TEST(SpielEintritt, WindowClassOrWindowFailureEndsWithOne) {
    for (const char* schritt : {"RegisterClass", "CreateWindow"}) {
        headless_reset(HeadlessConfig());
        headless_fault_arm(schritt, 0, 1);
        EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 1), 1);
        EXPECT_EQ(Log_zaehlen(std::string("msgbox Error - ") + schritt + " | Programm konnte nicht gestartet werden!"),
                  1);
        EXPECT_EQ(Log_zaehlen("msgbox"), 1);
    }
    headless_fault_clear();
}

}   // namespace
