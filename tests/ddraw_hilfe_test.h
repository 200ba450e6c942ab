// Helpers of the display, font and shell tests: a started display on the
// headless backend, surfaces painted by the test, pixels and log read back.
#ifndef GLUBBERSHOOT_DDRAW_HILFE_TEST_H
#define GLUBBERSHOOT_DDRAW_HILFE_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/ddraw.h"
#include "platform/headless/headless.h"
#include "shell/spiel.h"
#include "testhilfe.h"

// Fresh backend with a window, the display and the screen clipper.
inline void Anzeige_aufbauen(const HeadlessConfig& cfg = HeadlessConfig()) {
    headless_reset(cfg);
    iGameState = GS_TITLE;
    ASSERT_TRUE(plat_register_class("Glubbers", Nachricht_verarbeiten));
    hWnd = plat_create_window("Glubbers", "Glubbershoot");
    ASSERT_EQ(DDraw_starten(), 0);
    RECT bildschirm{0, 0, BILDSCHIRM_BREITE, BILDSCHIRM_HOEHE};
    ASSERT_EQ(DDraw_Clipper_erzeugen(&bildschirm, 1), 0);
    headless_log_clear();
}

struct AnzeigeTest : ::testing::Test {
    HeadlessConfig cfg;
    void SetUp() override { Anzeige_aufbauen(cfg); }
    void TearDown() override {
        headless_fault_clear();
        DDraw_beenden();
    }
};

inline PlatSurface* Flaeche_anlegen(int w, int h) {
    PlatSurface* s = nullptr;
    EXPECT_EQ(DDraw_Offscreen_anlegen(&s, w, h, 0), 0);
    return s;
}

// Sets every pixel of the surface to f(x, y).
template <typename F>
void Flaeche_malen(PlatSurface* s, F f) {
    PlatLock l{};
    ASSERT_EQ(plat_surface_lock(s, &l), PLAT_OK);
    for (uint32_t y = 0; y < l.dwHeight; ++y)
        for (uint32_t x = 0; x < l.dwWidth; ++x)
            l.lpSurface[y * l.lPitch + x] = static_cast<uint8_t>(f(static_cast<int>(x), static_cast<int>(y)));
    plat_surface_unlock(s);
}

// The pixels row by row, without the pitch gap.
inline std::vector<uint8_t> Flaeche_lesen(PlatSurface* s) {
    std::vector<uint8_t> v;
    PlatLock l{};
    if (plat_surface_lock(s, &l) != PLAT_OK) return v;
    for (uint32_t y = 0; y < l.dwHeight; ++y)
        v.insert(v.end(), l.lpSurface + y * l.lPitch, l.lpSurface + y * l.lPitch + l.dwWidth);
    plat_surface_unlock(s);
    return v;
}

inline int Pixel(PlatSurface* s, int x, int y) {
    PlatLock l{};
    EXPECT_EQ(plat_surface_lock(s, &l), PLAT_OK);
    int p = l.lpSurface[y * l.lPitch + x];
    plat_surface_unlock(s);
    return p;
}

inline int Log_zaehlen(const std::string& teil) {
    return static_cast<int>(Log_finden(headless_log_lines(), teil).size());
}

// Error boxes of the game with this text.
inline int Fehlermeldungen(const std::string& text) { return Log_zaehlen("msgbox Error... | " + text); }

#endif
