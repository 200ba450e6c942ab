// Shared between the files of the SDL backend (and its tests): the window,
// the screen-lost flag, and the pure translation helpers.
#ifndef GLUBBERSHOOT_SDL_INTERN_H
#define GLUBBERSHOOT_SDL_INTERN_H

#include <SDL.h>

#include <cstdint>

#include "platform/platform.h"

// ---------------------------------------------------- window (sdl_fenster)

extern SDL_Window* g_sdl_fenster;   // null until plat_create_window
// Queues a message for plat_peek_message; false when the queue is full.
bool sdl_nachricht_einreihen(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);
// Releases what the backend still holds (audio, renderer, window) and SDL.
void sdl_beenden(void);

// ---------------------------------------------------- display (sdl_anzeige)

// Where a picture of bild_b x bild_h lands in an area of ausgabe_b x ausgabe_h:
// as large as fits with square pixels, centred, black bars around.
struct SdlBildrechteck {
    int x, y, w, h;
};
void sdl_bildrechteck_berechnen(int ausgabe_b, int ausgabe_h, int bild_b, int bild_h, SdlBildrechteck* r);
// A window point to picture pixels, clamped to the picture over the bars.
void sdl_maus_abbilden(int fx, int fy, int fenster_b, int fenster_h, int bild_b, int bild_h, int* bx, int* by);
// Picture size while the display is open, 1024 x 768 before.
void sdl_anzeige_bildgroesse(int* b, int* h);

// Called by the event pump: the screen went away (minimised, focus lost in
// full screen, render targets or device reset).
void sdl_anzeige_verloren(bool geraet_neu);
// Called by the event pump: the window must be drawn again (exposed,
// resized, shown, restored) though the game's frame is unchanged.
void sdl_anzeige_auffrischen(void);
// How many frames have been presented so far.
int sdl_anzeige_gezeigt(void);

// ----------------------------------------------------- input (sdl_eingabe)

// SDL key code to the Windows virtual-key code, 0 for keys without one.
int sdl_taste_in_vk(int32_t taste);
// The character a key gives by itself (Return, Backspace, Tab, Escape),
// -1 for keys whose characters come as text.
int sdl_taste_zeichen(int32_t taste);
// One code point to its Windows-1252 byte, -1 when it has none.
int sdl_unicode_in_1252(uint32_t zeichen);
// UTF-8 text to Windows-1252 bytes; unmappable and malformed characters
// are dropped. Returns the number of bytes written (at most max).
int sdl_text_in_1252(const char* utf8, uint8_t* aus, int max);

// -------------------------------------------------- cursor (sdl_zeiger)

enum { ZEIGER_GROESSE = 32, ZEIGER_HOT_X = 15, ZEIGER_HOT_Y = 16 };
// The crosshair, 0xAARRGGBB, rows top first.
void sdl_fadenkreuz_malen(uint32_t argb[ZEIGER_GROESSE * ZEIGER_GROESSE]);
// Sets the crosshair cursor and the window icon on g_sdl_fenster.
void sdl_zeiger_und_symbol_setzen(void);
void sdl_zeiger_freigeben(void);

// ------------------------------------------------------ sound (sdl_ton)

enum {
    MAX_STIMMEN = 32,               // effect voices: buffer n plays on channel n
    KANAL_WELLE = MAX_STIMMEN,      // the loose wave files
    KANAL_PIEP = MAX_STIMMEN + 1,   // the message beep
    KANAELE = MAX_STIMMEN + 2,
};
// Pan on the platform's scale to the gains SDL_mixer takes.
void sdl_pan_in_pegel(int32_t pan, uint8_t* links, uint8_t* rechts);
// Opens the audio device once; false when it cannot be opened.
bool sdl_audio_oeffnen(void);
void sdl_audio_schliessen(void);
void sdl_musik_freigeben(void);

#endif
