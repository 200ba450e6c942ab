// The 21 effect buffers: start-up, release, playing, and the loose waves.
#include "audio/dsound.h"
#include "audio/effekte.h"
#include "kern/kern.h"
#include "packfile_testbau.h"

using namespace testbau;

class SoundEffekte : public AssetsOrdner {
protected:
    void SetUp() override {
        AssetsOrdner::SetUp();
        std::vector<Sektor> sektoren;
        for (int i = 0; i < MAX_SOUNDS; i++)
            sektoren.push_back({i, SEKTOR_WAV, Wave(std::string(100, static_cast<char>(i)))});
        Datei_schreiben("Sound.dat", Archiv(sektoren));
        ASSERT_EQ(PackFile_oeffnen("Sound.dat", &pfvSound), 0);
    }
    void TearDown() override { DSound_beenden(); }
};

TEST_F(SoundEffekte, StartLoadsEverySectorAndShutdownReleasesOnce) {
    EXPECT_EQ(DSound_starten(), 0);
    EXPECT_EQ(headless_live_objects(), 22);
    void* p = nullptr;
    DWORD l = 0;
    ASSERT_EQ(plat_sound_buffer_lock(lpDSB[13], 0, 1, &p, &l), PLAT_OK);
    EXPECT_EQ(*static_cast<char*>(p), 13);
    plat_sound_buffer_unlock(lpDSB[13], p, l);
    DSound_beenden();
    DSound_beenden();
    EXPECT_EQ(headless_live_objects(), 0);
    EXPECT_EQ(lpDS, nullptr);
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(SoundEffekte, FailuresReleaseWhatWasMadeAndStop) {
    headless_fault_arm("CreateSoundBuffer", 7, 1);
    EXPECT_EQ(DSound_starten(), 3);
    EXPECT_EQ(headless_fault_calls("CreateSoundBuffer"), 8) << "sectors 8..20 are never tried";
    EXPECT_EQ(headless_live_objects(), 0);
    for (PlatSoundBuffer* b : lpDSB) EXPECT_EQ(b, nullptr);
    // A buffer made but not filled goes too.
    headless_fault_arm("DSB.Lock", 7, 1);
    EXPECT_EQ(DSound_starten(), 3);
    EXPECT_EQ(headless_live_objects(), 0);

    headless_fault_arm("DirectSoundCreate", 0, 1);
    EXPECT_EQ(DSound_starten(), 1);
    headless_fault_arm("DSound.SetCooperativeLevel", 0, 1);
    EXPECT_EQ(DSound_starten(), 2);
    EXPECT_EQ(headless_live_objects(), 0);
    EXPECT_EQ(Meldungen(), (std::vector<std::string>{"Error... | PackFile_Sound_laden: CreateSoundBuffer()",
                                                     "Error... | PackFile_Sound_laden: Lock()",
                                                     "Error... | DSound_starten: DirectSoundCreate()",
                                                     "Error... | DSound_starten: SetCooperativeLevel()"}));
}

TEST_F(SoundEffekte, PlayingAgainRestartsAndPanIsPassedThrough) {
    ASSERT_EQ(DSound_starten(), 0);
    EXPECT_FALSE(DSound_spielt(lpDSB[SND_SCHUSS]));
    DSound_abspielen(lpDSB[SND_SCHUSS], 0);
    DSound_abspielen(lpDSB[SND_SCHUSS], 0);
    DSound_abspielen(lpDSB[SND_TREFFER_FLIEGER], -10000);
    DSound_abspielen(lpDSB[SND_TREFFER_STEIGER], 10000);
    DSound_abspielen(nullptr, 0);
    EXPECT_TRUE(DSound_spielt(lpDSB[SND_SCHUSS])) << "another sound leaves it running";
    EXPECT_TRUE(DSound_spielt(lpDSB[SND_TREFFER_STEIGER]));
    EXPECT_FALSE(DSound_spielt(nullptr));
    EXPECT_EQ(Log_nach(headless_log_lines(), "sound ", true),
              (std::vector<std::string>{"sound 15 0", "sound 15 0", "sound 9 -10000", "sound 7 10000"}));
    Wave_abspielen("win.wav");
    Wave_abspielen(nullptr);
    EXPECT_EQ(Log_finden(headless_log_lines(), " wave ").size(), 2u);
    EXPECT_TRUE(Log_enthaelt(headless_log_lines(), " wave stop"));
}

// Centred and placed effects by name: the pan follows the screen column,
// 10 a pixel from the centre, held at the edges however far off the column
// lies; entries outside 0..20 play nothing.
TEST_F(SoundEffekte, EffectsByNameCentredOrFromAColumn) {
    ASSERT_EQ(DSound_starten(), 0);
    headless_log_clear();
    Sound_spielen(SND_TICK);
    Sound_spielen(-1);
    Sound_spielen(MAX_SOUNDS);
    Sound_Ort_spielen(SND_TREFFER_FLIEGER, 0);
    Sound_Ort_spielen(SND_TREFFER_STEIGER, BILDSCHIRM_BREITE - 1);
    Sound_Ort_spielen(SND_VERSTECK_KOMMT, BILDSCHIRM_BREITE / 2);
    Sound_Ort_spielen(MAX_SOUNDS, 0);
    EXPECT_EQ(Log_nach(headless_log_lines(), "sound ", true),
              (std::vector<std::string>{"sound 5 0", "sound 9 -5120", "sound 7 5110", "sound 8 0"}));

    for (const auto& f : std::vector<std::pair<int32_t, int32_t>>{{511, -10},
                                                                  {513, 10},
                                                                  {-488, -10000},
                                                                  {-489, -10000},
                                                                  {1512, 10000},
                                                                  {INT32_MIN, -10000},
                                                                  {INT32_MAX, 10000}})
        EXPECT_EQ(Sound_Pan_berechnen(f.first), f.second) << f.first;
}
