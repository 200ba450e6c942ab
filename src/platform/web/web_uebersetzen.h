// The browser's input in the game's terms: key events to Windows virtual
// keys and Windows-1252 characters, the pointer to picture pixels. Plain
// functions of their arguments, so the native tests can check them.
#ifndef GLUBBERSHOOT_WEB_UEBERSETZEN_H
#define GLUBBERSHOOT_WEB_UEBERSETZEN_H

#include <cstdint>

// The state of the modifier keys at a key event.
struct WebTasteZusatz {
    bool shift = false;
    bool strg = false;   // Control
    bool alt = false;    // Alt; Control with Alt is AltGr on some systems
    bool meta = false;
};

// KeyboardEvent.key and .code (UTF-8) to the Windows virtual-key code the
// desktop game sends for the same key, 0 for keys without one.
int web_taste_in_vk(const char* key, const char* code, WebTasteZusatz zusatz);
// The WM_CHAR of a key press: 13, 8, 9 and 27 for Enter, Backspace, Tab
// and Escape, the Windows-1252 byte of a typed character, -1 for none
// (named keys, shortcuts with Control or Meta, characters the code page lacks).
int web_taste_zeichen(const char* key, WebTasteZusatz zusatz);
// Whether the page keeps the browser's own reaction from the key (scroll,
// help page, find, back): every key the game may use, but not the
// browser's shortcuts with Control, Alt or Meta, nor F5, F11 and F12.
bool web_taste_abfangen(const char* key, WebTasteZusatz zusatz);

// A pointer position (CSS pixels) over a picture of bild_b x bild_h pixels
// shown at (links, oben) with size breite x hoehe, to picture pixels;
// positions beside or beyond the picture count as its nearest edge.
void web_maus_abbilden(double x, double y, double links, double oben, double breite, double hoehe, int bild_b,
                       int bild_h, int* bx, int* by);

#endif
