// Gamepads through SDL's virtual joystick: what each control sends to the
// game, repeats on a clock of the test's own, the pointer's speed, and a
// pad pulled out while held.
#include "sdl_testhilfe.h"

namespace {

typedef std::vector<std::pair<uint32_t, uintptr_t>> Folge;

uint64_t gUhr = 1000;
uint64_t Testuhr(void) { return gUhr; }

Folge Kurz(const std::vector<MSG>& alle) {
    Folge kurz;
    for (const MSG& m : alle) kurz.emplace_back(m.message, m.wParam);
    return kurz;
}

class SdlPadTest : public SdlFensterTest {
protected:
    void SetUp() override {
        // The dummy window never has the keyboard's focus, without which
        // SDL keeps a pad's events back.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        SdlFensterTest::SetUp();
        g_sdl_pad_uhr = Testuhr;
        gUhr = 1000;
        ASSERT_NO_FATAL_FAILURE(Anstecken());
    }
    void Anstecken() {
        SDL_VirtualJoystickDesc d{};
        d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        d.naxes = SDL_CONTROLLER_AXIS_MAX;
        d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        d.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        d.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        d.name = "Testpad";
        geraet = SDL_JoystickAttachVirtualEx(&d);
        ASSERT_GE(geraet, 0) << SDL_GetError();
        stick = SDL_JoystickOpen(geraet);
        ASSERT_NE(stick, nullptr) << SDL_GetError();
        // Triggers at rest sit at the low end of the raw axis.
        Achse(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
        Achse(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
        Alle_holen();
        ASSERT_EQ(sdl_pad_anzahl(), 1);
    }
    void TearDown() override {
        if (stick != nullptr) SDL_JoystickClose(stick);
        if (geraet >= 0) SDL_JoystickDetachVirtual(geraet);
        g_sdl_pad_uhr = nullptr;
        SdlFensterTest::TearDown();
        g_sdl_pad_uhr = SDL_GetTicks64;
    }
    void Knopf(SDL_GameControllerButton b, bool an) { SDL_JoystickSetVirtualButton(stick, b, an ? 1 : 0); }
    // Pressed and let go, and what that sent.
    Folge Tippen(SDL_GameControllerButton b) {
        Knopf(b, true);
        Folge f = Kurz(Alle_holen());
        Knopf(b, false);
        const Folge danach = Kurz(Alle_holen());
        f.insert(f.end(), danach.begin(), danach.end());
        return f;
    }
    void Achse(SDL_GameControllerAxis a, int wert) {
        SDL_JoystickSetVirtualAxis(stick, a, static_cast<Sint16>(wert < -32768 ? -32768 : wert));
    }
    // The pointer position of the last mouse move among the messages.
    static bool Letzte_maus(const std::vector<MSG>& alle, int* x, int* y) {
        for (auto it = alle.rbegin(); it != alle.rend(); ++it) {
            if (it->message != WM_MOUSEMOVE) continue;
            *x = static_cast<int>(it->lParam & 0xFFFF);
            *y = static_cast<int>((it->lParam >> 16) & 0xFFFF);
            return true;
        }
        return false;
    }
    int geraet = -1;
    SDL_Joystick* stick = nullptr;
};

}   // namespace

TEST_F(SdlPadTest, ButtonsAndTriggersSendTheGamesMessages) {
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_A), (Folge{{WM_LBUTTONDOWN, 1}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_X), (Folge{{WM_RBUTTONDOWN, 2}, {WM_CHAR, 'n'}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_Y), (Folge{{WM_CHAR, 'j'}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_B), (Folge{{WM_CHAR, 8}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_START), (Folge{{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_BACK), (Folge{{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), (Folge{{WM_KEYDOWN, VK_LEFT}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), (Folge{{WM_KEYDOWN, VK_RIGHT}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_LEFT), (Folge{{WM_KEYDOWN, VK_LEFT}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_GUIDE), Folge{});

    // A trigger fires once as it goes down, not again while held or half
    // let go, and again after it was let go.
    Achse(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_LBUTTONDOWN, 1}}));
    Achse(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 20000);
    Achse(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_EQ(Kurz(Alle_holen()), Folge{});
    Achse(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
    Alle_holen();
    Achse(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_LBUTTONDOWN, 1}}));
    Achse(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_RBUTTONDOWN, 2}}));
}

// Up and down type the letter being chosen and take it back for the
// next; right keeps it; the keys go to the game all the same.
TEST_F(SdlPadTest, DpadChoosesCapitalLettersThroughTheName) {
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_UP), (Folge{{WM_KEYDOWN, VK_UP}, {WM_CHAR, 'A'}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_UP), (Folge{{WM_KEYDOWN, VK_UP}, {WM_CHAR, 8}, {WM_CHAR, 'B'}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_DOWN), (Folge{{WM_KEYDOWN, VK_DOWN}, {WM_CHAR, 8}, {WM_CHAR, 'A'}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_DOWN), (Folge{{WM_KEYDOWN, VK_DOWN}, {WM_CHAR, 8}, {WM_CHAR, 'Z'}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), (Folge{{WM_KEYDOWN, VK_RIGHT}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_DOWN), (Folge{{WM_KEYDOWN, VK_DOWN}, {WM_CHAR, 'Z'}}))
        << "a new letter after the kept one";
    // B takes the letter away; any other input keeps it.
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_B), (Folge{{WM_CHAR, 8}}));
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_UP), (Folge{{WM_KEYDOWN, VK_UP}, {WM_CHAR, 'A'}}));
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_LSHIFT;
    SDL_PushEvent(&e);
    Alle_holen();
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_DPAD_UP), (Folge{{WM_KEYDOWN, VK_UP}, {WM_CHAR, 'A'}}));
}

TEST_F(SdlPadTest, HeldControlsRepeatOnTheirClock) {
    Knopf(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(Kurz(Alle_holen()), (Folge{{WM_KEYDOWN, VK_DOWN}, {WM_CHAR, 'Z'}}));
    gUhr += 399;
    EXPECT_EQ(Kurz(Alle_holen()), Folge{});
    gUhr += 1;
    std::vector<MSG> alle = Alle_holen();
    EXPECT_EQ(Kurz(alle), (Folge{{WM_KEYDOWN, VK_DOWN}, {WM_CHAR, 8}, {WM_CHAR, 'Y'}}));
    ASSERT_FALSE(alle.empty());
    EXPECT_NE(alle[0].lParam & (1 << 30), 0) << "marked as a repeat";
    gUhr += 120;
    EXPECT_EQ(Kurz(Alle_holen()).size(), 3u);
    Knopf(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    Alle_holen();
    gUhr += 1000;
    EXPECT_EQ(Kurz(Alle_holen()), Folge{});

    // The shoulders scroll faster; the right stick the further it is pushed.
    Knopf(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    Alle_holen();
    int wiederholt = 0;
    for (int i = 0; i < 100; ++i) {
        gUhr += 10;
        wiederholt += static_cast<int>(Alle_holen().size());
    }
    EXPECT_EQ(wiederholt, (1000 - 250) / 50 + 1);
    Knopf(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    Alle_holen();
    auto schritte = [&](int wert) {
        Achse(SDL_CONTROLLER_AXIS_RIGHTX, wert);
        int n = 0;
        for (int i = 0; i < 100; ++i) {
            gUhr += 10;
            for (const MSG& m : Alle_holen()) n += m.message == WM_KEYDOWN && m.wParam == VK_LEFT;
        }
        Achse(SDL_CONTROLLER_AXIS_RIGHTX, 0);
        Alle_holen();
        return n;
    };
    const int leicht = schritte(-16000), voll = schritte(-32768);
    EXPECT_GE(leicht, 3);
    EXPECT_GT(voll, 2 * leicht);
    EXPECT_EQ(schritte(-5000), 0) << "a stick at rest scrolls nothing";
}

TEST_F(SdlPadTest, LeftStickMovesThePointerFasterWhenHeld) {
    // Where the mouse left it: the stick goes on from there.
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 100;
    e.motion.y = 300;
    SDL_PushEvent(&e);
    Alle_holen();
    Achse(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Alle_holen();
    std::vector<int> spur;
    for (int i = 0; i < 60; ++i) {
        gUhr += 16;
        int x = -1, y = -1;
        if (Letzte_maus(Alle_holen(), &x, &y)) {
            EXPECT_EQ(y, 300);
            spur.push_back(x);
        } else {
            spur.push_back(spur.empty() ? 100 : spur.back());
        }
    }
    ASSERT_EQ(spur.size(), 60u);
    EXPECT_GT(spur[0], 100);
    const int anfang = spur[9] - spur[0], spaeter = spur[59] - spur[50];
    EXPECT_GT(spaeter, anfang + anfang / 2) << "it speeds up";
    EXPECT_LE(spur[59], 1023);
    // Let go: it stays; pushed into a corner: held at the picture's edge.
    Achse(SDL_CONTROLLER_AXIS_LEFTX, 0);
    Alle_holen();
    gUhr += 100;
    int x = -1, y = -1;
    EXPECT_FALSE(Letzte_maus(Alle_holen(), &x, &y));
    Achse(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    Achse(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    Alle_holen();
    for (int i = 0; i < 200; ++i) {
        gUhr += 20;
        Alle_holen();
    }
    sdl_maus_position(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

// Pulled out while a direction, the stick and a trigger are held: nothing
// repeats or moves on, and the next pad is heard as the first was.
TEST_F(SdlPadTest, PulledOutInTheMiddleOfARound) {
    Knopf(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    Achse(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Achse(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    gUhr += 300;
    Alle_holen();
    SDL_JoystickClose(stick);
    stick = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(geraet), 0);
    geraet = -1;
    Alle_holen();
    EXPECT_EQ(sdl_pad_anzahl(), 0);
    for (int i = 0; i < 50; ++i) {
        gUhr += 20;
        ASSERT_EQ(Kurz(Alle_holen()), Folge{}) << i;
    }

    ASSERT_NO_FATAL_FAILURE(Anstecken());
    EXPECT_EQ(Tippen(SDL_CONTROLLER_BUTTON_A), (Folge{{WM_LBUTTONDOWN, 1}}));
}
