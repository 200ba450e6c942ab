#include <SDL_mixer.h>

#include <atomic>
#include <cstdio>

#include "platform/klang.h"
#include "sdl_testhilfe.h"

namespace {

// What reached the speakers: loud left frames, and those among them that
// also sounded on the right.
std::atomic<int> iLinksLaut{0};
std::atomic<int> iRechtsMit{0};
std::atomic<int> iRechtsLaut{0};
std::atomic<int> iLinksMit{0};

void Ausgang_zaehlen(void*, Uint8* strom, int bytes) {
    const Sint16* p = reinterpret_cast<const Sint16*>(strom);
    for (int i = 0; i + 1 < bytes / 2; i += 2) {
        if (p[i] > 3000) {
            ++iLinksLaut;
            if (p[i + 1] > 100) ++iRechtsMit;
        }
        if (p[i + 1] > 3000) {
            ++iRechtsLaut;
            if (p[i] > 100) ++iLinksMit;
        }
    }
}

void Zaehler_nullen() {
    SDL_LockAudio();
    iLinksLaut = iRechtsMit = iRechtsLaut = iLinksMit = 0;
    SDL_UnlockAudio();
}

bool Spielt(PlatSoundBuffer* b) {
    DWORD status = 0;
    return plat_sound_buffer_get_status(b, &status) == PLAT_OK && status == DSBSTATUS_PLAYING;
}

}   // namespace

TEST(SdlTonPan, EndsAndCentreOfTheScale) {
    uint8_t l = 0, r = 0;
    plat_common_klang_pan_pegel(-10000, &l, &r);
    EXPECT_EQ(l, 255);
    EXPECT_EQ(r, 0);
    plat_common_klang_pan_pegel(0, &l, &r);
    EXPECT_EQ(l, 255);
    EXPECT_EQ(r, 255);
    plat_common_klang_pan_pegel(10000, &l, &r);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(r, 255);
    // 6 dB off the far side is about half the amplitude.
    plat_common_klang_pan_pegel(600, &l, &r);
    EXPECT_EQ(r, 255);
    EXPECT_NEAR(l, 128, 1);
    plat_common_klang_pan_pegel(-2000, &l, &r);
    EXPECT_EQ(l, 255);
    EXPECT_NEAR(r, 26, 1);
    // Out of range values are held to the ends.
    plat_common_klang_pan_pegel(-40000, &l, &r);
    EXPECT_EQ(r, 0);
}

TEST_F(SdlTonTest, PlaysOnceAndThenStops) {
    PlatSoundBuffer* b = Puffer_machen(60, 8000);
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(Spielt(b));
    ASSERT_EQ(plat_sound_buffer_set_pan(b, 2500), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_play(b), PLAT_OK);
    EXPECT_TRUE(Spielt(b));
    EXPECT_TRUE(Warten_bis([&] { return !Spielt(b); }, 2000)) << "a one-shot sound never ended";
    // Stop of a finished buffer is harmless; play again works.
    EXPECT_EQ(plat_sound_buffer_stop(b), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_play(b), PLAT_OK);
    EXPECT_TRUE(Spielt(b));
    EXPECT_EQ(plat_sound_buffer_stop(b), PLAT_OK);
    EXPECT_FALSE(Spielt(b));
}

TEST_F(SdlTonTest, PlayingAgainRestartsOnlyThatVoice) {
    PlatSoundBuffer* a = Puffer_machen(800, 6000);
    PlatSoundBuffer* b = Puffer_machen(800, 6000);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(plat_sound_buffer_play(a), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_play(b), PLAT_OK);
    SDL_Delay(350);
    ASSERT_TRUE(Spielt(a));
    ASSERT_EQ(plat_sound_buffer_play(a), PLAT_OK);   // cuts a's first run
    EXPECT_TRUE(Spielt(b)) << "playing one voice must not stop another";
    ASSERT_TRUE(Warten_bis([&] { return !Spielt(b); }, 3000));
    // b started together with a's first run; a's second run is still going.
    EXPECT_TRUE(Spielt(a)) << "playing again did not restart the sound";
    plat_sound_buffer_stop(a);
}

TEST_F(SdlTonTest, PanReachesTheOutputAfterEveryPlay) {
    PlatSoundBuffer* b = Puffer_machen(250, 12000);
    ASSERT_NE(b, nullptr);
    Mix_SetPostMix(Ausgang_zaehlen, nullptr);

    ASSERT_EQ(plat_sound_buffer_set_pan(b, -10000), PLAT_OK);
    Zaehler_nullen();
    ASSERT_EQ(plat_sound_buffer_play(b), PLAT_OK);
    ASSERT_TRUE(Warten_bis([] { return iLinksLaut > 2000; }, 2000));
    // Played again while it plays: the restart must keep the pan.
    ASSERT_EQ(plat_sound_buffer_play(b), PLAT_OK);
    SDL_Delay(60);
    Zaehler_nullen();
    ASSERT_TRUE(Warten_bis([] { return iLinksLaut > 2000; }, 2000));
    EXPECT_EQ(iRechtsMit.load(), 0) << "full left still sounds on the right";

    plat_sound_buffer_stop(b);
    ASSERT_EQ(plat_sound_buffer_set_pan(b, 10000), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_play(b), PLAT_OK);
    SDL_Delay(60);
    Zaehler_nullen();
    ASSERT_TRUE(Warten_bis([] { return iRechtsLaut > 2000; }, 2000));
    EXPECT_EQ(iLinksMit.load(), 0) << "full right still sounds on the left";
    Mix_SetPostMix(nullptr, nullptr);
    plat_sound_buffer_stop(b);
}

TEST_F(SdlTonTest, RefusesBadFormatsAndOutOfRangeAccess) {
    PlatSoundBuffer* b = reinterpret_cast<PlatSoundBuffer*>(1);
    WAVEFORMATEX fmt = {1, 1, 22050, 44100, 2, 16, 0};
    WAVEFORMATEX falsch = fmt;
    falsch.wFormatTag = 2;   // compressed
    EXPECT_NE(plat_sound_create_buffer(ds, &falsch, 1000, &b), PLAT_OK);
    EXPECT_EQ(b, nullptr);
    falsch = fmt;
    falsch.nBlockAlign = 7;
    EXPECT_NE(plat_sound_create_buffer(ds, &falsch, 1000, &b), PLAT_OK);
    falsch = fmt;
    falsch.nChannels = 0;
    EXPECT_NE(plat_sound_create_buffer(ds, &falsch, 1000, &b), PLAT_OK);
    EXPECT_NE(plat_sound_create_buffer(ds, &fmt, 0xFFFFFFF0u, &b), PLAT_OK) << "huge sizes must be refused";
    EXPECT_NE(plat_sound_create_buffer(ds, nullptr, 1000, &b), PLAT_OK);

    ASSERT_EQ(plat_sound_create_buffer(ds, &fmt, 1000, &b), PLAT_OK);
    void* p = nullptr;
    DWORD len = 0;
    EXPECT_NE(plat_sound_buffer_lock(b, 1000, 10, &p, &len), PLAT_OK);
    ASSERT_EQ(plat_sound_buffer_lock(b, 900, 500, &p, &len), PLAT_OK);
    EXPECT_EQ(len, 100u) << "a lock must not reach past the buffer";
    int16_t fremd[4] = {};
    EXPECT_NE(plat_sound_buffer_unlock(b, fremd, 8), PLAT_OK);
    EXPECT_NE(plat_sound_buffer_unlock(b, p, 500), PLAT_OK);
    EXPECT_EQ(plat_sound_buffer_unlock(b, p, len), PLAT_OK);
    EXPECT_NE(plat_sound_buffer_set_pan(b, 10001), PLAT_OK);
    plat_sound_buffer_release(b);
    // A released buffer is no longer accepted.
    DWORD status = 7;
    EXPECT_NE(plat_sound_buffer_get_status(b, &status), PLAT_OK);
    EXPECT_NE(plat_sound_buffer_play(b), PLAT_OK);
}

TEST_F(SdlTonTest, BuffersAreNumberedByCreationAndRunOut) {
    std::vector<PlatSoundBuffer*> puffer;
    for (int i = 0; i < 21; ++i) {
        puffer.push_back(Puffer_machen(20, 100));
        ASSERT_NE(puffer.back(), nullptr) << i;
    }
    ASSERT_EQ(plat_sound_buffer_play(puffer[7]), PLAT_OK);
    EXPECT_EQ(Mix_Playing(7), 1) << "buffer 7 must play on channel 7";
    EXPECT_EQ(Mix_Playing(6), 0);
    WAVEFORMATEX fmt = {1, 1, 22050, 44100, 2, 16, 0};
    PlatSoundBuffer* b = nullptr;
    int angelegt = 21;
    while (plat_sound_create_buffer(ds, &fmt, 100, &b) == PLAT_OK) ++angelegt;
    EXPECT_EQ(angelegt, MAX_STIMMEN);
    EXPECT_EQ(b, nullptr);
}

TEST_F(SdlTonTest, LooseWaveReplacesAndStops) {
    const std::string ordner = Temp_ordner();
    const std::string eins = ordner + "/eins.wav";
    ASSERT_TRUE(Datei_schreiben(eins, Wave_bauen(1500, 3000)));
    PlatSoundBuffer* effekt = Puffer_machen(1500, 3000);
    ASSERT_NE(effekt, nullptr);
    ASSERT_EQ(plat_sound_buffer_play(effekt), PLAT_OK);

    EXPECT_TRUE(plat_play_sound(eins.c_str()));
    EXPECT_EQ(Mix_Playing(KANAL_WELLE), 1);
    EXPECT_TRUE(plat_play_sound(eins.c_str()));   // again: replaces itself
    EXPECT_EQ(Mix_Playing(KANAL_WELLE), 1);
    EXPECT_TRUE(plat_play_sound(nullptr));
    EXPECT_EQ(Mix_Playing(KANAL_WELLE), 0);
    EXPECT_TRUE(Spielt(effekt)) << "the wave voice must leave the effects alone";

    EXPECT_TRUE(plat_play_sound(eins.c_str()));
    EXPECT_FALSE(plat_play_sound((ordner + "/fehlt.wav").c_str()));
    EXPECT_EQ(Mix_Playing(KANAL_WELLE), 0) << "a missing file stops the old one and stays silent";

    const std::string kaputt = ordner + "/kaputt.wav";
    ASSERT_TRUE(Datei_schreiben(kaputt, {'R', 'I', 'F', 'F', 1, 2, 3}));
    EXPECT_FALSE(plat_play_sound(kaputt.c_str()));
    plat_message_beep(MB_OK);   // must simply not fail
    EXPECT_EQ(Mix_Playing(KANAL_PIEP), 1);
    std::remove(eins.c_str());
    std::remove(kaputt.c_str());
    std::remove(ordner.c_str());
}
