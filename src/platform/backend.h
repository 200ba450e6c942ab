// What each backend gives the shared platform code (surfaces, files,
// clock of the real world). Not for the game: the game sees platform.h.
#ifndef GLUBBERSHOOT_BACKEND_H
#define GLUBBERSHOOT_BACKEND_H

#include "platform/platform.h"

// Takes the screen for the 1024 x 768 8-bit picture (the mode switch).
bool backend_display_open(HWND hwnd, int w, int h);
void backend_display_close(void);
// Shows one frame of 8-bit indices through the palette, paced to the
// display. False when the screen has been lost; a restore brings it back.
bool backend_present(const uint8_t* pixels, int32_t pitch, int w, int h, const PALETTEENTRY palette[256]);
bool backend_restore(void);
// A replaced file has taken its place (plat_file_commit): a backend whose
// files live in a store of their own writes it through now.
void backend_file_committed(const char* name);

// The shared code's side, for the backends.
void plat_common_set_extra_pitch(int bytes);      // extra bytes per surface row (tests)
void plat_common_set_account(const char* name);   // null: report the real account
int plat_common_live_objects(void);               // displays, surfaces, clippers, palettes, files, searches
void plat_common_release_all(void);               // forgets all of them, so a process can start over
// The sound buffers every backend takes: 8- or 16-bit PCM, mono or
// stereo, 100 Hz to 200 kHz, a consistent block and byte rate, at least
// one block, at most 8 MiB and five minutes (the mixer's copy of a slow
// 8-bit mono sound grows many times over).
bool plat_common_wave_format_gueltig(const WAVEFORMATEX* fmt, DWORD bytes);

#endif
