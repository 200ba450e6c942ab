// Shared between the files of the SDL backend (and its tests): the
// player's choices, the window, the display and its scaling, the cursor,
// the gamepads, and the pure translation helpers.
#ifndef GLUBBERSHOOT_SDL_INTERN_H
#define GLUBBERSHOOT_SDL_INTERN_H

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// ------------------------------------- options and settings (sdl_optionen)

// How the 1024 x 768 picture is brought to the screen's size.
enum {
    // Nearest neighbour by the integer factor that reaches the screen,
    // then linear down to it: crisp pixels with even edges at any size.
    SKALIERUNG_SCHARF = 0,
    // The largest integer factor that fits, black border around.
    SKALIERUNG_GANZZAHLIG = 1,
    // Linear all the way (the old look; only for measuring against it).
    SKALIERUNG_LINEAR = 2,
};

// What the player chose: on the command line, in the settings file, or
// with Alt+Return while playing.
struct SdlEinstellungen {
    bool fenster = false;                 // a window rather than the full screen
    int skalierung = SKALIERUNG_SCHARF;   // or SKALIERUNG_GANZZAHLIG
    bool ohne_ton = false;                // a silent sound device (never remembered)
};
extern SdlEinstellungen g_sdl_einstellungen;
extern const char* const SDL_EINSTELLUNGSDATEI;   // in the working directory

// The command line; -1 where an option was not given.
struct SdlBefehlszeile {
    int fenster = -1;
    int skalierung = -1;
    bool ohne_ton = false;
    bool hilfe = false;
    const char* falsch = nullptr;   // the first option not known
};
// False when an argument is not an option of the game.
bool sdl_befehlszeile_lesen(int argc, char** argv, SdlBefehlszeile* b);
const char* sdl_hilfetext(void);
// The settings a file's text holds; other lines are not looked at.
void sdl_einstellungen_lesen(const std::string& text, SdlEinstellungen* e);
// The text with the window and scaling lines of e, every other line kept.
std::string sdl_einstellungen_schreiben(const std::string& text, const SdlEinstellungen& e);
// The file's choices, then the command line's, which are remembered.
void sdl_einstellungen_festlegen(const SdlBefehlszeile& b);
// Writes the choices of g_sdl_einstellungen into the file when they differ
// from what it holds; false when it could not.
bool sdl_einstellungen_merken(void);

// ---------------------------------------------------- window (sdl_fenster)

extern SDL_Window* g_sdl_fenster;   // null until plat_create_window
// The input the way the keyboard and mouse bring it, for the gamepads:
// a key with its character (0: none), a pointer position in picture
// pixels (the system's pointer is moved there for all to see), a button
// (WM_LBUTTONDOWN or WM_RBUTTONDOWN).
void sdl_taste_melden(int vk, int zeichen, bool wiederholt);
void sdl_zeichen_melden(int zeichen);
void sdl_maus_zeigen(int bx, int by);
void sdl_knopf_melden(uint32_t uMsg);
// Where the last mouse move put the pointer, in picture pixels.
void sdl_maus_position(int* bx, int* by);
// 1024 x 768, or the largest integer fraction of it that fits b x h.
void sdl_fenstergroesse_waehlen(int b, int h, int* fenster_b, int* fenster_h);
// The 4:3 size for a window pulled to b x h, led by its width (or its
// height), no larger than max_b x max_h and no smaller than 256 x 192.
void sdl_vier_zu_drei(int b, int h, bool nach_hoehe, int max_b, int max_h, int* neu_b, int* neu_h);
// Releases what the backend still holds (audio, renderer, window) and SDL.
void sdl_beenden(void);

// ---------------------------------------------------- display (sdl_anzeige)

// Where a picture of bild_b x bild_h lands in an area of ausgabe_b x ausgabe_h:
// with square pixels, centred, black bars around.
struct SdlBildrechteck {
    int x, y, w, h;
};
void sdl_bildrechteck_berechnen(int ausgabe_b, int ausgabe_h, int bild_b, int bild_h, int skalierung,
                                SdlBildrechteck* r);
// The factor of the nearest-neighbour step for a picture of bild_b
// scaled to r.w: the smallest integer at least as large as the scale.
int sdl_vorfaktor(const SdlBildrechteck& r, int bild_b, int bild_h);
// A window point to picture pixels, clamped to the picture over the bars.
// The window is fenster_b x fenster_h points, drawn into ausgabe_b x
// ausgabe_h device pixels (more on a screen of high density).
struct SdlAbbildung {
    int fenster_b, fenster_h, ausgabe_b, ausgabe_h, bild_b, bild_h, skalierung;
};
void sdl_maus_abbilden(int fx, int fy, const SdlAbbildung& a, int* bx, int* by);
// The window point at the middle of picture pixel (bx, by).
void sdl_bildpunkt_im_fenster(int bx, int by, const SdlAbbildung& a, int* fx, int* fy);
// The mapping as it stands now (window, output and picture size, scaling).
SdlAbbildung sdl_anzeige_abbildung(void);

// Called by the event pump: the screen went away (minimised, focus lost in
// full screen, render targets or device reset).
void sdl_anzeige_verloren(bool geraet_neu);
// Called by the event pump: the window must be drawn again (exposed,
// resized, shown, restored) though the game's frame is unchanged.
void sdl_anzeige_auffrischen(void);
// How many frames have been presented so far.
int sdl_anzeige_gezeigt(void);
// Whether frames go through SDL's renderer (else straight into the
// window's surface, scaled by sdl_skalieren); for the tests.
bool sdl_anzeige_mit_renderer(void);

// ------------------------------------------------ scaling (sdl_skalieren)

// One axis of a scaled picture: output position i shows source pixel
// quelle[i], mixed with the next one by anteil[i] / 256.
struct SdlAchse {
    int quell_n = 0, ziel_n = 0, vorfaktor = 0;
    std::vector<int32_t> quelle;
    std::vector<uint16_t> anteil;
    // For each source pixel, the output positions that read it: from, up to.
    std::vector<int32_t> von, bis;
};
// The positions of nearest neighbour by vorfaktor, then linear to ziel_n,
// each sampled at the middle of the output pixel.
void sdl_achse_berechnen(SdlAchse* achse, int quell_n, int ziel_n, int vorfaktor);

struct SdlSkalierer {
    SdlAchse x, y;
    std::vector<uint32_t> puffer[2];   // two source rows scaled across
    int puffer_zeile[2] = {-1, -1};
    int puffer_von[2] = {0, 0}, puffer_bis[2] = {0, 0};
};
// Prepares the axes for a picture of quell_b x quell_h into ziel_b x ziel_h.
void sdl_skalierer_einrichten(SdlSkalierer* s, int quell_b, int quell_h, int ziel_b, int ziel_h, int vorfaktor);
// Writes the scaled picture into ziel (pitches in pixels) where it depends
// on what changed: spannen holds two columns per source row, from and up
// to (null: everything changed). The rows written go into baender as
// rectangles of the output, neighbouring rows joined. Returns the number
// of output pixels written.
int64_t sdl_skalieren(SdlSkalierer* s, const uint32_t* quelle, int32_t quell_pitch, const int32_t* spannen,
                      uint32_t* ziel, int32_t ziel_pitch, std::vector<SdlBildrechteck>* baender);

// ----------------------------------------------------- input (sdl_eingabe)

// SDL key code to the Windows virtual-key code, 0 for keys without one.
int sdl_taste_in_vk(int32_t taste);
// The character a key gives by itself (Return, Backspace, Tab, Escape),
// -1 for keys whose characters come as text.
int sdl_taste_zeichen(int32_t taste);
// UTF-8 text to Windows-1252 bytes; unmappable and malformed characters
// are dropped. Returns the number of bytes written (at most max).
int sdl_text_in_1252(const char* utf8, uint8_t* aus, int max);

// -------------------------------------------------- cursor (sdl_zeiger)

enum { ZEIGER_MAX = 256 };
// The crosshair (fadenkreuz.h) at n x n (nearest neighbour), with its hot spot.
void sdl_fadenkreuz_skalieren(int n, uint32_t* argb, int* hot_x, int* hot_y);
// The cursor's size for a picture shown as a maps it: the game's 32
// pixels in window points, never below its own 32, at most ZEIGER_MAX.
int sdl_zeiger_groesse(const SdlAbbildung& a);
// Sets the crosshair cursor and the window icon on g_sdl_fenster.
void sdl_zeiger_und_symbol_setzen(void);
// The crosshair at n x n points, if it is not already that size.
void sdl_zeiger_anpassen(int n);
void sdl_zeiger_freigeben(void);

// -------------------------------------------------------- gamepads (sdl_pad)

// One SDL event: true when it was a gamepad's, which then becomes the
// game's messages.
bool sdl_pad_ereignis(const SDL_Event& e);
// Once per pump: the stick moves the pointer, held buttons repeat.
void sdl_pad_takt(void);
// Input from elsewhere: the letter being chosen with the d-pad is taken.
void sdl_pad_buchstabe_nehmen(void);
// The focus went elsewhere: nothing counts as held any more.
void sdl_pad_loslassen(void);
// How many gamepads are open.
int sdl_pad_anzahl(void);
void sdl_pad_schliessen(void);
// The clock the pad's repeats and pointer speed follow, in ms (tests set their own).
extern uint64_t (*g_sdl_pad_uhr)(void);

// ------------------------------------------------------ sound (sdl_ton)

enum {
    MAX_STIMMEN = 32,               // effect voices: buffer n plays on channel n
    KANAL_WELLE = MAX_STIMMEN,      // the loose wave files
    KANAL_PIEP = MAX_STIMMEN + 1,   // the message beep
    KANAELE = MAX_STIMMEN + 2,
};
// Opens the audio device once (a silent one with --no-sound); false when
// it cannot be opened.
bool sdl_audio_oeffnen(void);
// Whether opening the device failed at some point, for the advice at the end.
bool sdl_audio_fehlte(void);
void sdl_audio_schliessen(void);
void sdl_musik_freigeben(void);

#endif
