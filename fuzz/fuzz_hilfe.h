// What every fuzz target shares: a private folder on tmpfs to put the
// input in as a file (the readers take file names), one headless
// platform for the whole run, and a check that turns a broken promise
// into a finding.
#ifndef GLUBBERSHOOT_FUZZ_HILFE_H
#define GLUBBERSHOOT_FUZZ_HILFE_H

#include <cstddef>
#include <cstdint>

#include "platform/headless/headless.h"

// Once, from LLVMFuzzerInitialize: a private folder (under /dev/shm when
// there is one, or under $GLUBBER_FUZZ_TMP), removed at exit, and a
// fresh headless platform.
void Fuzz_anfangen(void);

// One input's time: the private folder is the working directory (so
// libFuzzer's own relative paths stay valid between inputs), the log and
// any faults are forgotten, the clock is at its start, the game at its
// title state, and new surfaces get `extra_pitch` bytes beyond each row.
// The platform itself lives on: a reset per input would cost more than
// the reader under test. At the end what the input left in the
// platform's lists goes, so that libFuzzer's leak check sees a balance.
struct FuzzEingabe {
    explicit FuzzEingabe(int extra_pitch = 0);
    ~FuzzEingabe();
    FuzzEingabe(const FuzzEingabe&) = delete;
    FuzzEingabe& operator=(const FuzzEingabe&) = delete;
    int iVorher;
};

// Writes the bytes as a file of that name in the working directory.
void Fuzz_Datei_schreiben(const char* name, const uint8_t* daten, size_t laenge);

// The display as the game has it after DDraw_starten.
void Fuzz_Anzeige_auf(void);

// Aborts with the text when the promise does not hold: libFuzzer then
// keeps the input as a crash.
void Fuzz_Pruefen(bool bedingung, const char* text);

// Message boxes shown in this input so far.
size_t Fuzz_Meldungen(void);

#endif
