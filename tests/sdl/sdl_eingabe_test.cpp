#include <cstring>

#include "sdl_testhilfe.h"

namespace {

void Taste_druecken(SDL_Keycode taste, bool wiederholt = false) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.repeat = wiederholt ? 1 : 0;
    e.key.keysym.sym = taste;
    SDL_PushEvent(&e);
}

void Text_tippen(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    SDL_PushEvent(&e);
}

void Maus_ziehen(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

void Maus_klicken(Uint8 knopf, int x, int y) {
    SDL_Event e = Klick_ereignis(knopf, x, y);
    SDL_PushEvent(&e);
}

// The messages as (message, wParam) pairs, to compare in one go.
std::vector<std::pair<uint32_t, uintptr_t>> Kurz(const std::vector<MSG>& alle) {
    std::vector<std::pair<uint32_t, uintptr_t>> kurz;
    for (const MSG& m : alle) kurz.emplace_back(m.message, m.wParam);
    return kurz;
}

std::vector<uint8_t> Als_1252(const char* utf8) {
    uint8_t aus[64];
    const int n = sdl_text_in_1252(utf8, aus, 64);
    return std::vector<uint8_t>(aus, aus + n);
}

typedef std::vector<std::pair<uint32_t, uintptr_t>> Folge;

}   // namespace

TEST(SdlEingabeText, Windows1252AndDroppedCharacters) {
    EXPECT_EQ(Als_1252("Aa 9~"), (std::vector<uint8_t>{'A', 'a', ' ', '9', '~'}));
    EXPECT_EQ(Als_1252("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84"),
              (std::vector<uint8_t>{0xE4, 0xF6, 0xFC, 0xDF, 0xC4}));
    EXPECT_EQ(Als_1252("\xE2\x82\xAC"), (std::vector<uint8_t>{0x80}));                 // euro sign
    EXPECT_EQ(Als_1252("\xE2\x84\xA2\xC5\xA1"), (std::vector<uint8_t>{0x99, 0x9A}));   // trade mark, s caron
    EXPECT_EQ(Als_1252("\xC2\xA0\xC2\xBF"), (std::vector<uint8_t>{0xA0, 0xBF}));
    // No Windows-1252 byte: emoji, CJK, the code page's holes, control codes.
    EXPECT_EQ(Als_1252("x\xF0\x9F\x98\x80y"), (std::vector<uint8_t>{'x', 'y'}));
    EXPECT_EQ(Als_1252("\xE6\x97\xA5"), std::vector<uint8_t>{});
    EXPECT_EQ(Als_1252("\xC2\x81\xC2\x9D"), std::vector<uint8_t>{});
    EXPECT_EQ(Als_1252("\t\x7F"), std::vector<uint8_t>{});
    // Malformed UTF-8 is skipped, the rest kept.
    EXPECT_EQ(Als_1252("a\xC3"), (std::vector<uint8_t>{'a'}));
    EXPECT_EQ(Als_1252("\xC0\xAF"
                       "b"),
              (std::vector<uint8_t>{'b'}));   // overlong
    EXPECT_EQ(Als_1252("\xED\xA0\x80"
                       "c"),
              (std::vector<uint8_t>{'c'}));   // surrogate
    EXPECT_EQ(Als_1252("\x80\xBF"
                       "d"),
              (std::vector<uint8_t>{'d'}));
    uint8_t knapp[2];
    EXPECT_EQ(sdl_text_in_1252("abcdef", knapp, 2), 2);
}

// The game's messages are Windows-1252; the desktop and the terminal get
// UTF-8 ("geöffnet", not a broken byte).
TEST(SdlEingabeText, MessagesGoOutAsUtf8) {
    testing::internal::CaptureStderr();
    plat_message_box(nullptr,
                     "Die Datei 'Sound.dat' konnte nicht ge\xF6"
                     "ffnet werden! \x80",
                     "Error...", MB_ICONERROR);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error...: Die Datei 'Sound.dat' konnte nicht ge\xC3\xB6"
              "ffnet werden! \xE2\x82\xAC\n");
}

TEST(SdlEingabeTasten, VirtualKeyCodes) {
    const std::pair<SDL_Keycode, int> aFaelle[] = {
        {SDLK_a, 'A'},     {SDLK_z, 'Z'},          {SDLK_0, '0'},        {SDLK_9, '9'},
        {SDLK_F1, VK_F1},  {SDLK_F3, VK_F3},       {SDLK_F12, 0x7B},     {SDLK_LEFT, VK_LEFT},
        {SDLK_UP, VK_UP},  {SDLK_RIGHT, VK_RIGHT}, {SDLK_DOWN, VK_DOWN}, {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_KP_0, 0x60}, {SDLK_KP_9, 0x69},      {SDLK_UNKNOWN, 0}};
    for (const auto& f : aFaelle) EXPECT_EQ(sdl_taste_in_vk(f.first), f.second) << SDL_GetKeyName(f.first);
    EXPECT_EQ(sdl_taste_zeichen(SDLK_SPACE), -1) << "Space's character comes from the text event";
    EXPECT_EQ(sdl_taste_zeichen(SDLK_a), -1);
    EXPECT_EQ(sdl_taste_zeichen(SDLK_KP_ENTER), 13);
}

TEST(SdlEingabeMaus, BlackBarsOfAWideDesktop) {
    SdlBildrechteck r;
    sdl_bildrechteck_berechnen(1920, 1080, 1024, 768, SKALIERUNG_SCHARF, &r);
    EXPECT_EQ(r.x, 240);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.w, 1440);
    EXPECT_EQ(r.h, 1080);
    sdl_bildrechteck_berechnen(1280, 1024, 1024, 768, SKALIERUNG_SCHARF, &r);   // bars above and below
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 32);
    EXPECT_EQ(r.w, 1280);
    EXPECT_EQ(r.h, 960);

    const SdlAbbildung a = {1920, 1080, 1920, 1080, 1024, 768, SKALIERUNG_SCHARF};
    int x = -1, y = -1;
    sdl_maus_abbilden(240, 0, a, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    sdl_maus_abbilden(960, 540, a, &x, &y);
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 384);
    sdl_maus_abbilden(1679, 1079, a, &x, &y);
    EXPECT_EQ(x, 1023);
    EXPECT_EQ(y, 767);
    // Over the bars: held to the picture's edge.
    sdl_maus_abbilden(10, 300, a, &x, &y);
    EXPECT_EQ(x, 0);
    sdl_maus_abbilden(239, 300, a, &x, &y);
    EXPECT_EQ(x, 0);
    sdl_maus_abbilden(1900, 2000, a, &x, &y);
    EXPECT_EQ(x, 1023);
    EXPECT_EQ(y, 767);
    sdl_maus_abbilden(-50, -50, a, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    sdl_maus_abbilden(5, 5, SdlAbbildung{0, 0, 0, 0, 1024, 768, SKALIERUNG_SCHARF}, &x, &y);   // no window yet
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(SdlFensterTest, KeysGiveOneKeyDownAndOneChar) {
    ASSERT_FALSE(gEmpfangen.empty());
    EXPECT_EQ(gEmpfangen[0].message, static_cast<uint32_t>(WM_CREATE));

    Taste_druecken(SDLK_RETURN);
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}}));
    Taste_druecken(SDLK_SPACE);
    Text_tippen(" ");
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, VK_SPACE}, {WM_CHAR, ' '}}));
    Taste_druecken(SDLK_j);
    Text_tippen("j");
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, 'J'}, {WM_CHAR, 'j'}}));
    Taste_druecken(SDLK_ESCAPE);
    Taste_druecken(SDLK_BACKSPACE);
    Taste_druecken(SDLK_TAB);
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, VK_ESCAPE},
                                         {WM_CHAR, 27},
                                         {WM_KEYDOWN, VK_BACK},
                                         {WM_CHAR, 8},
                                         {WM_KEYDOWN, VK_TAB},
                                         {WM_CHAR, 9}}));
    Taste_druecken(SDLK_F2);
    Taste_druecken(SDLK_LSHIFT);
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, VK_F2}, {WM_KEYDOWN, 0x10}}));
    // German letters and the euro sign, typed with a German layout.
    Taste_druecken(0xE4);
    Text_tippen("\xC3\xA4\xE2\x82\xAC");
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, 0xDE}, {WM_CHAR, 0xE4}, {WM_CHAR, 0x80}}));
}

TEST_F(SdlFensterTest, AutoRepeatRepeatsKeyDown) {
    Taste_druecken(SDLK_UP);
    Taste_druecken(SDLK_UP, true);
    Taste_druecken(SDLK_UP, true);
    const std::vector<MSG> alle = Alle_holen();
    ASSERT_EQ(Kurz(alle), (Folge{{WM_KEYDOWN, VK_UP}, {WM_KEYDOWN, VK_UP}, {WM_KEYDOWN, VK_UP}}));
    EXPECT_EQ(alle[0].lParam & (1 << 30), 0);
    EXPECT_NE(alle[1].lParam & (1 << 30), 0);
}

TEST_F(SdlFensterTest, MouseInPictureCoordinates) {
    int b = 0, h = 0;
    SDL_GetWindowSize(g_sdl_fenster, &b, &h);
    ASSERT_EQ(b, 1024) << "the dummy desktop is 1024 x 768";
    ASSERT_EQ(h, 768);
    Maus_ziehen(100, 200);
    Maus_ziehen(300, 400);   // piles up with the first
    Maus_klicken(SDL_BUTTON_LEFT, 300, 400);
    Maus_klicken(SDL_BUTTON_MIDDLE, 300, 400);
    Maus_klicken(SDL_BUTTON_RIGHT, 300, 400);
    Maus_ziehen(5000, 767);
    const std::vector<MSG> alle = Alle_holen();
    ASSERT_EQ(alle.size(), 4u);
    EXPECT_EQ(alle[0].message, static_cast<uint32_t>(WM_MOUSEMOVE));
    EXPECT_EQ(alle[0].lParam, (400 << 16) | 300);
    EXPECT_EQ(alle[1].message, static_cast<uint32_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(alle[2].message, static_cast<uint32_t>(WM_RBUTTONDOWN));
    EXPECT_EQ(alle[3].message, static_cast<uint32_t>(WM_MOUSEMOVE));
    EXPECT_EQ(alle[3].lParam, (767 << 16) | 1023);
}

TEST_F(SdlFensterTest, ClosingGivesOneCloseAndQuitComesLast) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = SDL_GetWindowID(g_sdl_fenster);
    SDL_PushEvent(&e);
    e = SDL_Event{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    plat_post_quit_message(3);
    ASSERT_TRUE(plat_post_message(hwnd, WM_KEYDOWN, VK_F1, 0));
    // Posted messages before input, as on Windows; the quit after everything.
    const std::vector<MSG> alle = Alle_holen();
    ASSERT_EQ(Kurz(alle), (Folge{{WM_KEYDOWN, VK_F1}, {WM_CLOSE, 0}, {WM_QUIT, 3}}));

    gEmpfangen.clear();
    EXPECT_EQ(plat_dispatch_message(&alle[0]), 0);
    EXPECT_EQ(plat_def_window_proc(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(plat_def_window_proc(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(plat_dispatch_message(&alle[0]), 0);   // the window is gone
    EXPECT_EQ(Kurz(gEmpfangen), (Folge{{WM_KEYDOWN, VK_F1}, {WM_DESTROY, 0}}));
}

TEST_F(SdlFensterTest, FloodOfInputIsDeliveredInOrder) {
    const int ANZAHL = 1000;
    int geholt = 0;
    bool reihenfolge = true;
    for (int i = 0; i < ANZAHL; ++i) Taste_druecken(i % 2 ? SDLK_a : SDLK_b);
    MSG msg;
    while (plat_peek_message(&msg)) {
        if (msg.message != WM_KEYDOWN) continue;
        reihenfolge = reihenfolge && msg.wParam == static_cast<uintptr_t>(geholt % 2 ? 'A' : 'B');
        ++geholt;
    }
    EXPECT_EQ(geholt, ANZAHL);
    EXPECT_TRUE(reihenfolge);
}

TEST(SdlUhr, TickCountRunsOnAcrossRestartsOfSdl) {
    const DWORD start = plat_get_tick_count();
    plat_sleep(0);
    plat_sleep(25);
    const DWORD nachher = plat_get_tick_count();
    EXPECT_GE(nachher - start, 25u);
    EXPECT_LT(nachher - start, 60000u);
    SDL_Init(SDL_INIT_EVENTS);
    sdl_beenden();   // SDL's own tick restarts from 0 after this
    EXPECT_LT(plat_get_tick_count() - nachher, 60000u) << "the tick count jumped";
}
