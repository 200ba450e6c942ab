// Shared between the files of the SDL backend (and its tests): the window,
// the screen-lost flag, and the pure translation helpers.
#ifndef GLUBBERSHOOT_SDL_INTERN_H
#define GLUBBERSHOOT_SDL_INTERN_H

#include <SDL.h>

#include <cstdint>

#include "platform/platform.h"

// ---------------------------------------------------- window (sdl_fenster)

extern SDL_Window* sdlFenster;      // null until plat_create_window
// Queues a message for plat_peek_message; false when the queue is full.
bool Nachricht_einreihen(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);
// Releases what the backend still holds (audio, renderer, window) and SDL.
void sdl_beenden(void);

// ---------------------------------------------------- display (sdl_anzeige)

// Where a picture of bildB x bildH lands in an area of ausgabeB x ausgabeH:
// as large as fits with square pixels, centred, black bars around.
struct Bildrechteck {
    int x, y, w, h;
};
void Bildrechteck_berechnen(int ausgabeB, int ausgabeH, int bildB, int bildH, Bildrechteck* r);
// A window point to picture pixels, clamped to the picture over the bars.
void Maus_abbilden(int fx, int fy, int fensterB, int fensterH, int bildB, int bildH, int* bx, int* by);
// Picture size while the display is open, 1024 x 768 before.
void Anzeige_Bildgroesse(int* b, int* h);

// Called by the event pump: the screen went away (minimised, focus lost in
// full screen, render targets or device reset).
void Anzeige_verloren(bool geraetNeu);
// Called by the event pump: the window must be drawn again (exposed,
// resized, shown, restored) though the game's frame is unchanged.
void Anzeige_auffrischen(void);
// How many frames have been presented so far.
int Anzeige_gezeigt(void);

// ----------------------------------------------------- input (sdl_eingabe)

// SDL key code to the Windows virtual-key code, 0 for keys without one.
int Taste_in_VK(int32_t taste);
// The character a key gives by itself (Return, Backspace, Tab, Escape),
// -1 for keys whose characters come as text.
int Taste_Zeichen(int32_t taste);
// One code point to its Windows-1252 byte, -1 when it has none.
int Unicode_in_1252(uint32_t zeichen);
// UTF-8 text to Windows-1252 bytes; unmappable and malformed characters
// are dropped. Returns the number of bytes written (at most max).
int Text_in_1252(const char* utf8, uint8_t* aus, int max);

// -------------------------------------------------- cursor (sdl_zeiger)

enum { ZEIGER_GROESSE = 32, ZEIGER_HOT_X = 15, ZEIGER_HOT_Y = 16 };
// The crosshair, 0xAARRGGBB, rows top first.
void Fadenkreuz_malen(uint32_t argb[ZEIGER_GROESSE * ZEIGER_GROESSE]);
// Sets the crosshair cursor and the window icon on sdlFenster.
void Zeiger_und_Symbol_setzen(void);
void Zeiger_freigeben(void);

// ------------------------------------------------------ sound (sdl_ton)

enum {
    MAX_STIMMEN = 32,              // effect voices: buffer n plays on channel n
    KANAL_WELLE = MAX_STIMMEN,     // the loose wave files
    KANAL_PIEP = MAX_STIMMEN + 1,  // the message beep
    KANAELE = MAX_STIMMEN + 2,
};
// Pan on the platform's scale to the gains SDL_mixer takes.
void Pan_in_Pegel(int32_t pan, uint8_t* links, uint8_t* rechts);
// Opens the audio device once; false when it cannot be opened.
bool Audio_oeffnen(void);
void Audio_schliessen(void);
void Musik_freigeben(void);

#endif
