// The window and the player's choices: Alt+Return, the focus rules, the
// window's sizes, the command line, the settings file and --no-sound.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "sdl_testhilfe.h"

namespace {

typedef std::vector<std::pair<uint32_t, uintptr_t>> Folge;

Folge Kurz(const std::vector<MSG>& alle) {
    Folge kurz;
    for (const MSG& m : alle) kurz.emplace_back(m.message, m.wParam);
    return kurz;
}

void Ereignis_schicken(SDL_Event e) { SDL_PushEvent(&e); }

SDL_Event Taste(SDL_Keycode taste, Uint16 mod = KMOD_NONE, bool wiederholt = false) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.repeat = wiederholt ? 1 : 0;
    e.key.keysym.sym = taste;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event Fensterereignis(Uint8 art) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(g_sdl_fenster);
    e.window.event = art;
    return e;
}

SDL_Event Klick(int x, int y) { return Klick_ereignis(SDL_BUTTON_LEFT, x, y); }

std::string Lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void Schreiben(const std::string& pfad, const std::string& text) {
    std::ofstream f(pfad, std::ios::binary);
    f << text;
}

// The test runs in a folder of its own, where the settings file lives.
class ImOrdner {
public:
    ImOrdner() : ordner(Temp_ordner()) {
        if (getcwd(alt, sizeof alt) == nullptr) alt[0] = 0;
        EXPECT_EQ(chdir(ordner.c_str()), 0);
    }
    ~ImOrdner() {
        if (alt[0] != 0 && chdir(alt) != 0) std::perror("chdir");
        std::remove((ordner + "/glubbershoot.conf").c_str());
        rmdir((ordner + "/glubbershoot.conf").c_str());
        rmdir(ordner.c_str());
        g_sdl_einstellungen = SdlEinstellungen{};
    }
    std::string ordner;

private:
    char alt[4096];
};

SdlBefehlszeile Befehlszeile(std::vector<const char*> argumente) {
    argumente.insert(argumente.begin(), "glubbershoot");
    SdlBefehlszeile b;
    EXPECT_TRUE(sdl_befehlszeile_lesen(static_cast<int>(argumente.size()), const_cast<char**>(argumente.data()), &b));
    return b;
}

bool Vollbild() { return (SDL_GetWindowFlags(g_sdl_fenster) & SDL_WINDOW_FULLSCREEN) != 0; }

}   // namespace

TEST_F(SdlFensterTest, AltReturnSwitchesAndIsNoKeyOfTheGame) {
    ImOrdner ordner;
    ASSERT_TRUE(Vollbild()) << "full screen is the default";
    EXPECT_NE(SDL_GetWindowFlags(g_sdl_fenster) & SDL_WINDOW_MOUSE_GRABBED, 0u) << "the pointer kept on the screen";
    // The input around it is all there, in order.
    Ereignis_schicken(Taste(SDLK_a));
    Ereignis_schicken(Taste(SDLK_RETURN, KMOD_LALT));
    Ereignis_schicken(Taste(SDLK_RETURN, KMOD_LALT, true));
    Ereignis_schicken(Taste(SDLK_RETURN));
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, 'A'}, {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}}));
    EXPECT_FALSE(Vollbild());
    EXPECT_EQ(SDL_GetWindowFlags(g_sdl_fenster) & SDL_WINDOW_MOUSE_GRABBED, 0u) << "free in a window";
    EXPECT_EQ(Lesen("glubbershoot.conf"), "window=1\nscale=sharp\n") << "remembered for the next start";
    Ereignis_schicken(Taste(SDLK_KP_ENTER, KMOD_RALT));
    EXPECT_EQ(Kurz(Alle_holen()), Folge{});
    EXPECT_TRUE(Vollbild());
    EXPECT_EQ(Lesen("glubbershoot.conf"), "window=0\nscale=sharp\n");
}

// Without the focus no click reaches the game, nor does the click that
// brings the focus back; the pointer is taken off the edges, which would
// go on scrolling the view.
TEST_F(SdlFensterTest, FocusLostNeitherFiresNorScrolls) {
    SDL_Event zug{};
    zug.type = SDL_MOUSEMOTION;
    zug.motion.x = 1023;
    zug.motion.y = 700;
    Ereignis_schicken(zug);
    Alle_holen();
    Ereignis_schicken(Fensterereignis(SDL_WINDOWEVENT_FOCUS_LOST));
    Ereignis_schicken(Klick(1023, 700));
    std::vector<MSG> alle = Alle_holen();
    ASSERT_EQ(Kurz(alle), (Folge{{WM_MOUSEMOVE, 0}}));
    EXPECT_EQ(alle[0].lParam, (384 << 16) | 512);
    Ereignis_schicken(Fensterereignis(SDL_WINDOWEVENT_FOCUS_GAINED));
    Ereignis_schicken(Klick(1023, 700));
    EXPECT_EQ(Kurz(Alle_holen()), Folge{}) << "the click that brought the focus";
    SDL_Delay(200);
    Ereignis_schicken(Klick(1000, 700));
    alle = Alle_holen();
    ASSERT_EQ(Kurz(alle), (Folge{{WM_MOUSEMOVE, 0}, {WM_LBUTTONDOWN, 1}})) << "where the pointer is";
    EXPECT_EQ(alle[0].lParam, (700 << 16) | 1000);
}

TEST(SdlFensterGroesse, WindowSizesAndFourToThree) {
    int b = 0, h = 0;
    sdl_fenstergroesse_waehlen(1920, 1050, &b, &h);
    EXPECT_EQ(b, 1024);
    EXPECT_EQ(h, 768);
    sdl_fenstergroesse_waehlen(1024, 768, &b, &h);
    EXPECT_EQ(b, 1024);
    sdl_fenstergroesse_waehlen(1024, 740, &b, &h);   // a panel takes some lines
    EXPECT_EQ(b, 512);
    EXPECT_EQ(h, 384);
    sdl_fenstergroesse_waehlen(400, 300, &b, &h);
    EXPECT_EQ(b, 341);
    EXPECT_EQ(h, 256);
    sdl_fenstergroesse_waehlen(0, 0, &b, &h);
    EXPECT_GT(b, 0);

    sdl_vier_zu_drei(1300, 700, false, 1920, 1050, &b, &h);
    EXPECT_EQ(b, 1300);
    EXPECT_EQ(h, 975);
    sdl_vier_zu_drei(1300, 700, true, 1920, 1050, &b, &h);
    EXPECT_EQ(b, 933);
    EXPECT_EQ(h, 700);
    sdl_vier_zu_drei(1900, 700, false, 1920, 1050, &b, &h);   // too tall for the screen
    EXPECT_EQ(b, 1400);
    EXPECT_EQ(h, 1050);
    sdl_vier_zu_drei(10, 10, false, 1920, 1050, &b, &h);
    EXPECT_EQ(b, 256);
    EXPECT_EQ(h, 192);
}

TEST(SdlOptionen, CommandLine) {
    SdlBefehlszeile b = Befehlszeile({});
    EXPECT_EQ(b.fenster, -1);
    EXPECT_EQ(b.skalierung, -1);
    EXPECT_FALSE(b.ohne_ton);
    b = Befehlszeile({"--window", "--integer-scale", "--no-sound"});
    EXPECT_EQ(b.fenster, 1);
    EXPECT_EQ(b.skalierung, SKALIERUNG_GANZZAHLIG);
    EXPECT_TRUE(b.ohne_ton);
    b = Befehlszeile({"--window", "--fullscreen", "--integer-scale", "--sharp-scale"});   // the last one counts
    EXPECT_EQ(b.fenster, 0);
    EXPECT_EQ(b.skalierung, SKALIERUNG_SCHARF);
    EXPECT_TRUE(Befehlszeile({"--help"}).hilfe);
    const char* falsch[] = {"glubbershoot", "--window", "--fulscreen", "--help"};
    EXPECT_FALSE(sdl_befehlszeile_lesen(4, const_cast<char**>(falsch), &b));
    EXPECT_STREQ(b.falsch, "--fulscreen");
    EXPECT_NE(std::string(sdl_hilfetext()).find("glubbershoot.conf"), std::string::npos);
}

TEST(SdlOptionen, SettingsTextKeepsWhatItDoesNotKnow) {
    SdlEinstellungen e;
    sdl_einstellungen_lesen(" window = 1 \r\nscale=integer\n# mine\n", &e);
    EXPECT_TRUE(e.fenster);
    EXPECT_EQ(e.skalierung, SKALIERUNG_GANZZAHLIG);
    // Values not known change nothing; the last good line of a key counts.
    e = SdlEinstellungen{};
    sdl_einstellungen_lesen("window=1\nwindow=yes\nscale=huge\nscale\n=1\n", &e);
    EXPECT_TRUE(e.fenster);
    EXPECT_EQ(e.skalierung, SKALIERUNG_SCHARF);
    const char BINAER[] = "\0\xFF\xFEwindow=0\n";
    sdl_einstellungen_lesen(std::string(BINAER, sizeof BINAER - 1), &e);
    EXPECT_TRUE(e.fenster) << "not a line of its own";

    e.fenster = false;
    e.skalierung = SKALIERUNG_GANZZAHLIG;
    const char ALT[] = "# Glubbershoot\nvolume=7\nwindow=1\n\0bin\xFF\nwindow=1\nfoo = bar";
    const char NEU[] = "# Glubbershoot\nvolume=7\nwindow=0\n\0bin\xFF\nfoo = bar\nscale=integer\n";
    const std::string neu = sdl_einstellungen_schreiben(std::string(ALT, sizeof ALT - 1), e);
    EXPECT_EQ(neu, std::string(NEU, sizeof NEU - 1));
    EXPECT_EQ(sdl_einstellungen_schreiben(neu, e), neu) << "nothing changes the second time";
    SdlEinstellungen zurueck;
    sdl_einstellungen_lesen(neu, &zurueck);
    EXPECT_FALSE(zurueck.fenster);
    EXPECT_EQ(zurueck.skalierung, SKALIERUNG_GANZZAHLIG);
    EXPECT_EQ(sdl_einstellungen_schreiben("", e), "window=0\nscale=integer\n");
}

TEST(SdlOptionen, FileThenCommandLineWhichIsRemembered) {
    ImOrdner ordner;
    sdl_einstellungen_festlegen(Befehlszeile({}));
    EXPECT_FALSE(g_sdl_einstellungen.fenster);
    EXPECT_NE(access("glubbershoot.conf", F_OK), 0) << "nothing chosen, nothing written";

    Schreiben("glubbershoot.conf", "# kept\nscale=integer\n");
    sdl_einstellungen_festlegen(Befehlszeile({"--no-sound"}));
    EXPECT_EQ(g_sdl_einstellungen.skalierung, SKALIERUNG_GANZZAHLIG);
    EXPECT_TRUE(g_sdl_einstellungen.ohne_ton);
    EXPECT_EQ(Lesen("glubbershoot.conf"), "# kept\nscale=integer\n") << "--no-sound is not remembered";

    sdl_einstellungen_festlegen(Befehlszeile({"--window"}));
    EXPECT_TRUE(g_sdl_einstellungen.fenster);
    EXPECT_FALSE(g_sdl_einstellungen.ohne_ton);
    EXPECT_EQ(Lesen("glubbershoot.conf"), "# kept\nscale=integer\nwindow=1\n");
    sdl_einstellungen_festlegen(Befehlszeile({}));
    EXPECT_TRUE(g_sdl_einstellungen.fenster) << "the next start";
}

// A file too large to be ours, or one that cannot be read or written,
// never stops the game and is never overwritten.
TEST(SdlOptionen, DamagedOrForeignFilesAreLeftAlone) {
    ImOrdner ordner;
    const std::string gross = std::string(100 * 1024, 'x') + "\nwindow=1\n";
    Schreiben("glubbershoot.conf", gross);
    sdl_einstellungen_festlegen(Befehlszeile({"--integer-scale"}));
    EXPECT_FALSE(g_sdl_einstellungen.fenster);
    EXPECT_EQ(g_sdl_einstellungen.skalierung, SKALIERUNG_GANZZAHLIG) << "the command line still counts";
    EXPECT_EQ(Lesen("glubbershoot.conf"), gross);
    EXPECT_FALSE(sdl_einstellungen_merken());

    std::remove("glubbershoot.conf");
    ASSERT_EQ(mkdir("glubbershoot.conf", 0755), 0);
    sdl_einstellungen_festlegen(Befehlszeile({"--window"}));
    EXPECT_TRUE(g_sdl_einstellungen.fenster);
    EXPECT_FALSE(sdl_einstellungen_merken());
    rmdir("glubbershoot.conf");

    if (geteuid() != 0) {   // root may write anywhere
        Schreiben("glubbershoot.conf", "window=0\n");
        chmod("glubbershoot.conf", 0444);
        chmod(ordner.ordner.c_str(), 0555);
        sdl_einstellungen_festlegen(Befehlszeile({"--window"}));
        EXPECT_TRUE(g_sdl_einstellungen.fenster);
        EXPECT_EQ(Lesen("glubbershoot.conf"), "window=0\n");
        chmod(ordner.ordner.c_str(), 0755);
        chmod("glubbershoot.conf", 0644);
    }
}

// Without a sound device the game cannot start (its own rule), and says
// what to do; --no-sound opens a silent one whose sounds take their time.
TEST(SdlOhneTon, SilentDeviceOnPurposeAndAdviceWithout) {
    setenv("SDL_AUDIODRIVER", "keingeraet", 1);
    PlatSound* ds = nullptr;
    EXPECT_NE(plat_sound_create(&ds), PLAT_OK);
    testing::internal::CaptureStderr();
    sdl_beenden();
    const std::string rat = testing::internal::GetCapturedStderr();
    EXPECT_NE(rat.find("--no-sound"), std::string::npos) << rat;
    EXPECT_NE(rat.find("SDL_AUDIODRIVER=dummy"), std::string::npos) << rat;

    g_sdl_einstellungen.ohne_ton = true;
    ASSERT_EQ(plat_sound_create(&ds), PLAT_OK);
    WAVEFORMATEX fmt = {1, 1, 22050, 44100, 2, 16, 0};
    PlatSoundBuffer* b = nullptr;
    ASSERT_EQ(plat_sound_create_buffer(ds, &fmt, 22050, &b), PLAT_OK);
    void* p = nullptr;
    DWORD len = 0;
    ASSERT_EQ(plat_sound_buffer_lock(b, 0, 22050, &p, &len), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_unlock(b, p, len), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_play(b), PLAT_OK);
    DWORD status = 0;
    EXPECT_EQ(plat_sound_buffer_get_status(b, &status), PLAT_OK);
    EXPECT_EQ(status, static_cast<DWORD>(DSBSTATUS_PLAYING)) << "half a second of silence plays";
    EXPECT_TRUE(Warten_bis(
        [&] {
            plat_sound_buffer_get_status(b, &status);
            return status == 0;
        },
        3000));
    plat_sound_release(ds);
    testing::internal::CaptureStderr();
    sdl_beenden();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    g_sdl_einstellungen = SdlEinstellungen{};
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}
