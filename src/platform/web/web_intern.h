// Inside the browser backend: what its files share. The page itself
// (glubber_seite.js, index.html) draws, plays, stores and shows dialogs;
// these files drive it through small JavaScript calls.
#ifndef GLUBBERSHOOT_WEB_INTERN_H
#define GLUBBERSHOOT_WEB_INTERN_H

#include <cstdint>
#include <string>

#include "platform/platform.h"

// ---------------------------------------------- window, clock (web_fenster)

// True on the virtual clock: the page's test mode, with its log and stop point.
bool web_prueflauf(void);
// Gives the page back to the browser for about ms milliseconds (0: just
// let it handle what is pending) and counts the time spent away.
void web_abgeben(DWORD ms);
// Milliseconds spent in the game since the last call (work between
// yields), for the page's frame figures.
double web_arbeit_abholen(void);
// One flip's virtual time on the virtual clock.
void web_uhr_bild(void);
// Queues a message from the page's input for the message drain; false
// when the queue is full.
bool web_eingabe_einreihen(uint32_t uMsg, uintptr_t wParam, intptr_t lParam);
// A line of the test log, "<ms> <what>", as the headless backend writes it.
void web_protokoll(const std::string& zeile);
// Releases what the backend still holds, after the game has ended.
void web_beenden(void);

// -------------------------------------------------- input (web_eingabe)

void web_eingabe_anmelden(void);

// --------------------------------------------------- display (web_anzeige)

// Uploads a frame that the fast test clock held back, so that the page
// shows the last flipped frame while the game stands still.
void web_anzeige_nachholen(void);

// ------------------------------------------------------ sound (web_ton)

void web_ton_beenden(void);

// --------------------------------------------------- storage (web_speicher)

// Enters the game's folder and links the stored files into it.
void web_speicher_einrichten(void);

#endif
