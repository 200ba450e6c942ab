#include "sdl_testhilfe.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

#include "bau/bau.h"

namespace {

// Before any SDL call: never touch a real screen or sound card.
const int iTreiber = (setenv("SDL_AUDIODRIVER", "dummy", 1), setenv("SDL_VIDEODRIVER", "dummy", 1), 0);

intptr_t Test_Fensterprozedur(HWND, uint32_t uMsg, uintptr_t wParam, intptr_t lParam) {
    gEmpfangen.push_back(MSG{nullptr, uMsg, wParam, lParam});
    return 0;
}

}   // namespace

std::vector<MSG> gEmpfangen;

void SdlFensterTest::SetUp() {
    (void)iTreiber;
    gEmpfangen.clear();
    ASSERT_TRUE(plat_register_class("SdlTest", Test_Fensterprozedur));
    hwnd = plat_create_window("SdlTest", "Glubbershoot");
    ASSERT_NE(hwnd, nullptr) << SDL_GetError();
    Alle_holen();   // whatever the window system said on its own
}

void SdlFensterTest::TearDown() { sdl_beenden(); }

std::vector<MSG> SdlFensterTest::Alle_holen() {
    std::vector<MSG> alle;
    MSG msg;
    while (plat_peek_message(&msg)) alle.push_back(msg);
    return alle;
}

void SdlTonTest::SetUp() {
    (void)iTreiber;
    ASSERT_EQ(plat_sound_create(&ds), PLAT_OK) << SDL_GetError();
    ASSERT_EQ(plat_sound_set_cooperative_level(ds, nullptr), PLAT_OK);
}

void SdlTonTest::TearDown() {
    plat_sound_release(ds);
    sdl_beenden();
}

PlatSoundBuffer* SdlTonTest::Puffer_machen(int ms, int16_t wert) {
    const DWORD proben = static_cast<DWORD>(22050 * ms / 1000);
    WAVEFORMATEX fmt = {1, 1, 22050, 44100, 2, 16, 0};
    PlatSoundBuffer* b = nullptr;
    if (plat_sound_create_buffer(ds, &fmt, proben * 2, &b) != PLAT_OK) return nullptr;
    void* p = nullptr;
    DWORD len = 0;
    if (plat_sound_buffer_lock(b, 0, proben * 2, &p, &len) != PLAT_OK || len != proben * 2) return nullptr;
    int16_t* proben16 = static_cast<int16_t*>(p);
    for (DWORD i = 0; i < proben; ++i) proben16[i] = wert;
    if (plat_sound_buffer_unlock(b, p, len) != PLAT_OK) return nullptr;
    return b;
}

SDL_Event Klick_ereignis(Uint8 knopf, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = knopf;
    e.button.state = SDL_PRESSED;
    e.button.x = x;
    e.button.y = y;
    return e;
}

std::vector<uint8_t> Wave_bauen(int ms, int16_t wert) {
    const uint32_t proben = static_cast<uint32_t>(22050 * ms / 1000);
    Bytes daten;
    daten.reserve(2 * proben);
    for (uint32_t i = 0; i < proben; ++i) {
        // A quiet tone, so that an encoder keeps something.
        const int16_t s = static_cast<int16_t>((i / 25) % 2 ? wert : -wert);
        Bau_Word_anhaengen(daten, static_cast<uint16_t>(s));
    }
    return Bau_Wave(Bau_Pcm(1, 22050, 16), daten);
}

bool Datei_schreiben(const std::string& pfad, const std::vector<uint8_t>& daten) {
    FILE* f = std::fopen(pfad.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(daten.data(), 1, daten.size(), f) == daten.size();
    return std::fclose(f) == 0 && ok;
}

std::string Temp_ordner() {
    char vorlage[] = "/tmp/glubber_sdl_XXXXXX";
    const char* ordner = mkdtemp(vorlage);
    return ordner != nullptr ? std::string(ordner) : std::string("/tmp");
}
