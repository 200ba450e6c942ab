// Helpers of the SDL backend tests: dummy drivers, a recording window,
// sounds made on the spot.
#ifndef GLUBBERSHOOT_SDL_TESTHILFE_H
#define GLUBBERSHOOT_SDL_TESTHILFE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_intern.h"

// Messages the test window procedure received, in order.
extern std::vector<MSG> gEmpfangen;

// A fresh window of the class "SdlTest" on the dummy video driver.
class SdlFensterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Every message pending now, without dispatching.
    std::vector<MSG> Alle_holen();
    HWND hwnd = nullptr;
};

// The sound object open on the dummy audio driver.
class SdlTonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A buffer of 16-bit mono samples at 22050 Hz, all of value wert.
    PlatSoundBuffer* Puffer_machen(int ms, int16_t wert);
    PlatSound* ds = nullptr;
};

// A press of a mouse button at (x, y) of the window.
SDL_Event Klick_ereignis(Uint8 knopf, int x, int y);
// 16-bit mono PCM at 22050 Hz as a RIFF/WAVE file image.
std::vector<uint8_t> Wave_bauen(int ms, int16_t wert);
bool Datei_schreiben(const std::string& pfad, const std::vector<uint8_t>& daten);
std::string Temp_ordner();
// Polls until fn() holds or ms have passed.
template <typename F>
bool Warten_bis(F fn, int ms) {
    const Uint32 start = SDL_GetTicks();
    while (!fn()) {
        if (SDL_GetTicks() - start > static_cast<Uint32>(ms)) return false;
        SDL_Delay(2);
    }
    return true;
}

#endif
