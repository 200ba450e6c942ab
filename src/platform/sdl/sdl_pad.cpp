// Gamepads through SDL's game controller API, plugged in and out at any
// time. Everything a pad does reaches the game as the keyboard's and the
// mouse's messages, so the game neither knows nor cares:
//
//   left stick         moves the pointer, faster the longer it is held
//   A, right trigger   left mouse button (fire, click)
//   X, left trigger    right mouse button (reload); X also types 'n'
//   Y                  types 'j'
//   LB, RB             Left and Right keys (scroll), repeating while held
//   right stick        Left and Right keys, the faster the further it is pushed
//   d-pad              the arrow keys, repeating while held
//   Start              Return            Back   Escape
//   B                  Backspace
//
// Letters for the high score name come from the d-pad as well: each press
// of up or down also types a capital letter, and the next press takes it
// back (Backspace) and types the next one in the alphabet, so the name
// shows the letter being chosen. Right, B or any other input keeps it
// and the next up or down begins a new letter. Capitals are no answer to
// any of the game's questions ('j', 'n', 'y', 'z'), so choosing letters
// elsewhere does nothing; Y and X answer those questions instead.
#include <cmath>

#include "platform/sdl/sdl_intern.h"

namespace {

// The controls that repeat while held, with what they send.
enum { W_OBEN, W_UNTEN, W_LINKS, W_RECHTS, W_SCHULTER_L, W_SCHULTER_R, W_ANZAHL };
const int W_TASTE[W_ANZAHL] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_LEFT, VK_RIGHT};
// First repeat after, then every, in ms: the d-pad for menus and letters,
// the shoulders for scrolling.
const uint64_t W_ERSTE[W_ANZAHL] = {400, 400, 400, 400, 250, 250};
const uint64_t W_TAKT[W_ANZAHL] = {120, 120, 120, 120, 50, 50};

const int MAX_PADS = 4;
const int ACHSE_MAX = 32767;
const int ABZUG_DRUCK = 24000, ABZUG_LOS = 12000;   // triggers: pressed above, released below
const double STICK_TOT = 0.2;                       // the sticks' rest, as a share of their way
const double SCROLL_TOT = 0.3;
const double ZEIGER_TEMPO = 1200.0;   // picture pixels a second at full tilt, once sped up
const double ZEIGER_ANLAUF_MS = 600.0;
const int BUCHSTABEN = 26;

struct Pad {
    SDL_GameController* c = nullptr;
    SDL_JoystickID id = -1;
    bool gehalten[W_ANZAHL] = {};
    bool abzug[2] = {};   // left and right trigger held down
    int achse[SDL_CONTROLLER_AXIS_MAX] = {};
};

Pad g_pads[MAX_PADS];
uint64_t g_naechste[W_ANZAHL] = {};   // when a held control sends again

int g_scroll_richtung = 0;   // right stick: -1 left, 1 right, 0 at rest
uint64_t g_scroll_naechste = 0;

double g_zeiger_x = 512.0, g_zeiger_y = 384.0;   // the pointer, finer than a pixel
int g_gemeldet_x = -1, g_gemeldet_y = -1;        // where the pad last put it
uint64_t g_letzter_takt = 0;
uint64_t g_stick_seit = 0;   // since when the left stick is out of its rest (0: it is not)

int g_buchstabe = -1;   // the letter being chosen, 0..25, or none

uint64_t sdl_uhr(void) { return SDL_GetTicks64(); }

Pad* pad_suchen(SDL_JoystickID id) {
    for (Pad& p : g_pads) {
        if (p.c != nullptr && p.id == id) return &p;
    }
    return nullptr;
}

bool gehalten(int w) {
    for (const Pad& p : g_pads) {
        if (p.c != nullptr && p.gehalten[w]) return true;
    }
    return false;
}

// The stick of the pad pushed furthest, as -1..1 on both axes.
void stick(int achse_x, int achse_y, double* x, double* y) {
    *x = *y = 0.0;
    double weiteste = -1.0;
    for (const Pad& p : g_pads) {
        if (p.c == nullptr) continue;
        const double px = p.achse[achse_x] / static_cast<double>(ACHSE_MAX);
        const double py = p.achse[achse_y] / static_cast<double>(ACHSE_MAX);
        if (px * px + py * py > weiteste) {
            weiteste = px * px + py * py;
            *x = px < -1.0 ? -1.0 : px;
            *y = py < -1.0 ? -1.0 : py;
        }
    }
}

void buchstabe_schritt(int schritt) {
    if (g_buchstabe >= 0) {
        sdl_zeichen_melden(8);
        g_buchstabe = (g_buchstabe + schritt + BUCHSTABEN) % BUCHSTABEN;
    } else {
        g_buchstabe = schritt > 0 ? 0 : BUCHSTABEN - 1;
    }
    sdl_zeichen_melden('A' + g_buchstabe);
}

void senden(int w, bool wiederholt) {
    sdl_taste_melden(W_TASTE[w], 0, wiederholt);
    if (w == W_OBEN) buchstabe_schritt(1);
    if (w == W_UNTEN) buchstabe_schritt(-1);
}

void knopf(SDL_GameControllerButton b, bool gedrueckt, Pad* p) {
    int w = -1;
    switch (b) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            w = W_OBEN;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            w = W_UNTEN;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            w = W_LINKS;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            w = W_RECHTS;
            break;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            w = W_SCHULTER_L;
            break;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            w = W_SCHULTER_R;
            break;
        default:
            break;
    }
    if (w >= 0) {
        const bool vorher = gehalten(w);
        p->gehalten[w] = gedrueckt;
        if (!gedrueckt || vorher) return;   // another pad holds it already
        if (w != W_OBEN && w != W_UNTEN) g_buchstabe = -1;
        senden(w, false);
        g_naechste[w] = g_sdl_pad_uhr() + W_ERSTE[w];
        return;
    }
    if (!gedrueckt) return;
    g_buchstabe = -1;
    switch (b) {
        case SDL_CONTROLLER_BUTTON_A:
            sdl_knopf_melden(WM_LBUTTONDOWN);
            break;
        case SDL_CONTROLLER_BUTTON_X:
            sdl_knopf_melden(WM_RBUTTONDOWN);
            sdl_zeichen_melden('n');
            break;
        case SDL_CONTROLLER_BUTTON_Y:
            sdl_zeichen_melden('j');
            break;
        case SDL_CONTROLLER_BUTTON_B:
            sdl_zeichen_melden(8);
            break;
        case SDL_CONTROLLER_BUTTON_START:
            sdl_taste_melden(VK_RETURN, 13, false);
            break;
        case SDL_CONTROLLER_BUTTON_BACK:
            sdl_taste_melden(VK_ESCAPE, 27, false);
            break;
        default:
            break;
    }
}

void achse(SDL_GameControllerAxis a, int wert, Pad* p) {
    if (a < 0 || a >= SDL_CONTROLLER_AXIS_MAX) return;
    p->achse[a] = wert;
    if (a != SDL_CONTROLLER_AXIS_TRIGGERLEFT && a != SDL_CONTROLLER_AXIS_TRIGGERRIGHT) return;
    const int i = a == SDL_CONTROLLER_AXIS_TRIGGERRIGHT ? 1 : 0;
    if (!p->abzug[i] && wert >= ABZUG_DRUCK) {
        p->abzug[i] = true;
        g_buchstabe = -1;
        sdl_knopf_melden(i == 1 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
    } else if (p->abzug[i] && wert <= ABZUG_LOS) {
        p->abzug[i] = false;
    }
}

void oeffnen(int geraet) {
    if (!SDL_IsGameController(geraet)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(geraet);
    if (pad_suchen(id) != nullptr) return;   // added twice: at the start and by the event
    for (Pad& p : g_pads) {
        if (p.c != nullptr) continue;
        p = Pad{};
        p.c = SDL_GameControllerOpen(geraet);
        if (p.c == nullptr) return;
        p.id = id;
        return;
    }
}

void schliessen(Pad* p) {
    if (p->c != nullptr) SDL_GameControllerClose(p->c);
    *p = Pad{};
}

void zeiger_bewegen(uint64_t jetzt) {
    const uint64_t dt_ms = jetzt - g_letzter_takt;
    g_letzter_takt = jetzt;
    double x = 0.0, y = 0.0;
    stick(SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY, &x, &y);
    const double weite = std::sqrt(x * x + y * y);
    if (weite < STICK_TOT) {
        g_stick_seit = 0;
        return;
    }
    if (g_stick_seit == 0) g_stick_seit = jetzt;
    // The mouse may have moved the pointer since: go on from there.
    int mx = 0, my = 0;
    sdl_maus_position(&mx, &my);
    const SdlAbbildung a = sdl_anzeige_abbildung();
    if (mx != g_gemeldet_x || my != g_gemeldet_y) {
        g_zeiger_x = mx + 0.5;
        g_zeiger_y = my + 0.5;
    }
    const double teil = ((weite > 1.0 ? 1.0 : weite) - STICK_TOT) / (1.0 - STICK_TOT);
    const double anlauf = static_cast<double>(jetzt - g_stick_seit) / ZEIGER_ANLAUF_MS;
    const double tempo = ZEIGER_TEMPO * teil * teil * (0.35 + 0.65 * (anlauf > 1.0 ? 1.0 : anlauf));
    const double dt = static_cast<double>(dt_ms > 50 ? 50 : dt_ms) / 1000.0;
    g_zeiger_x += x / weite * tempo * dt;
    g_zeiger_y += y / weite * tempo * dt;
    const double rand_x = a.bild_b - 0.001, rand_y = a.bild_h - 0.001;
    g_zeiger_x = g_zeiger_x < 0.0 ? 0.0 : (g_zeiger_x > rand_x ? rand_x : g_zeiger_x);
    g_zeiger_y = g_zeiger_y < 0.0 ? 0.0 : (g_zeiger_y > rand_y ? rand_y : g_zeiger_y);
    const int nx = static_cast<int>(g_zeiger_x), ny = static_cast<int>(g_zeiger_y);
    if (nx == mx && ny == my) return;
    g_gemeldet_x = nx;
    g_gemeldet_y = ny;
    sdl_maus_zeigen(nx, ny);
}

void rechts_scrollen(uint64_t jetzt) {
    double x = 0.0, y = 0.0;
    stick(SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY, &x, &y);
    const double weite = std::fabs(x);
    if (weite < SCROLL_TOT) {
        g_scroll_richtung = 0;
        return;
    }
    const int richtung = x < 0.0 ? -1 : 1;
    // From five steps a second at the edge of the rest to twenty-five.
    const double teil = ((weite > 1.0 ? 1.0 : weite) - SCROLL_TOT) / (1.0 - SCROLL_TOT);
    const uint64_t takt = static_cast<uint64_t>(200.0 - 160.0 * teil);
    if (richtung == g_scroll_richtung && jetzt < g_scroll_naechste) return;
    const bool wiederholt = richtung == g_scroll_richtung;
    g_scroll_richtung = richtung;
    g_scroll_naechste = jetzt + takt;
    g_buchstabe = -1;
    sdl_taste_melden(richtung < 0 ? VK_LEFT : VK_RIGHT, 0, wiederholt);
}

}   // namespace

uint64_t (*g_sdl_pad_uhr)(void) = sdl_uhr;

bool sdl_pad_ereignis(const SDL_Event& e) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            oeffnen(e.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED: {
            Pad* p = pad_suchen(e.cdevice.which);
            if (p != nullptr) schliessen(p);
            return true;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            Pad* p = pad_suchen(e.cbutton.which);
            if (p != nullptr)
                knopf(static_cast<SDL_GameControllerButton>(e.cbutton.button), e.type == SDL_CONTROLLERBUTTONDOWN, p);
            return true;
        }
        case SDL_CONTROLLERAXISMOTION: {
            Pad* p = pad_suchen(e.caxis.which);
            if (p != nullptr) achse(static_cast<SDL_GameControllerAxis>(e.caxis.axis), e.caxis.value, p);
            return true;
        }
        default:
            return false;
    }
}

void sdl_pad_takt(void) {
    const uint64_t jetzt = g_sdl_pad_uhr();
    if (sdl_pad_anzahl() == 0) {
        g_letzter_takt = jetzt;
        return;
    }
    for (int w = 0; w < W_ANZAHL; ++w) {
        if (!gehalten(w) || jetzt < g_naechste[w]) continue;
        senden(w, true);
        // After a stall the repeats go on from now instead of catching up.
        g_naechste[w] = g_naechste[w] + W_TAKT[w] > jetzt ? g_naechste[w] + W_TAKT[w] : jetzt + W_TAKT[w];
    }
    rechts_scrollen(jetzt);
    zeiger_bewegen(jetzt);
}

void sdl_pad_buchstabe_nehmen(void) { g_buchstabe = -1; }

void sdl_pad_loslassen(void) {
    g_buchstabe = -1;
    for (Pad& p : g_pads) {
        if (p.c == nullptr) continue;
        for (bool& h : p.gehalten) h = false;
        for (int& a : p.achse) a = 0;
        // Triggers stay as they were: a held one must be let go before it fires again.
    }
    g_scroll_richtung = 0;
    g_stick_seit = 0;
}

int sdl_pad_anzahl(void) {
    int n = 0;
    for (const Pad& p : g_pads) n += p.c != nullptr ? 1 : 0;
    return n;
}

void sdl_pad_schliessen(void) {
    for (Pad& p : g_pads) schliessen(&p);
    g_buchstabe = -1;
    g_scroll_richtung = 0;
    g_stick_seit = 0;
    g_gemeldet_x = g_gemeldet_y = -1;
    g_zeiger_x = 512.0;
    g_zeiger_y = 384.0;
}
