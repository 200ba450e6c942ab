// The 21 effect buffers: start-up, release, playing, and the loose waves.
#include "audio/dsound.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using namespace testbau;

class SoundEffekte : public AssetsOrdner {
protected:
    void SetUp() override
    {
        AssetsOrdner::SetUp();
        lpDS = nullptr;
        for (PlatSoundBuffer*& b : lpDSB)
            b = nullptr;
        std::vector<Sektor> sektoren;
        for (int i = 0; i < MAX_SOUNDS; i++)
            sektoren.push_back({i, SEKTOR_WAV, Wave(std::string(100 + i, static_cast<char>(i)))});
        Schreiben("Sound.dat", Archiv(sektoren));
        ASSERT_EQ(PackFile_oeffnen("Sound.dat", &pfvSound), 0);
        leer_ = headless_live_objects();
    }

    void TearDown() override
    {
        DSound_beenden();
        AssetsOrdner::TearDown();
    }

    int leer_ = 0;
};

TEST_F(SoundEffekte, StartLoadsEverySectorInOrder)
{
    EXPECT_EQ(DSound_starten(), 0);
    EXPECT_TRUE(Meldungen().empty());
    ASSERT_NE(lpDS, nullptr);
    for (int i = 0; i < MAX_SOUNDS; i++) {
        ASSERT_NE(lpDSB[i], nullptr) << i;
        void* p = nullptr;
        DWORD l = 0;
        ASSERT_EQ(plat_sound_buffer_lock(lpDSB[i], 0, 1, &p, &l), PLAT_OK);
        EXPECT_EQ(static_cast<char*>(p)[0], static_cast<char>(i)) << "buffer " << i << " holds sector " << i;
        plat_sound_buffer_unlock(lpDSB[i], p, l);
    }
    EXPECT_EQ(headless_live_objects(), leer_ + 22);

    // Released once, however often shutdown asks.
    DSound_beenden();
    EXPECT_EQ(headless_live_objects(), leer_);
    EXPECT_EQ(lpDS, nullptr);
    DSound_beenden();
    EXPECT_EQ(headless_live_objects(), leer_);
}

TEST_F(SoundEffekte, BrokenSectorSevenReleasesTheFirstSevenAndStops)
{
    headless_fault_arm("CreateSoundBuffer", 7, 1);
    EXPECT_EQ(DSound_starten(), 3);
    EXPECT_EQ(headless_fault_calls("CreateSoundBuffer"), 8) << "sectors 8..20 are never tried";
    EXPECT_EQ(headless_live_objects(), leer_);
    EXPECT_EQ(lpDS, nullptr);
    for (PlatSoundBuffer* b : lpDSB)
        EXPECT_EQ(b, nullptr);
    ASSERT_EQ(Meldungen().size(), 1u);
    EXPECT_EQ(Meldungen()[0], Fehler("PackFile_Sound_laden: CreateSoundBuffer()"));

    // A buffer made but not filled is released as well.
    headless_log_clear();
    headless_fault_clear();
    headless_fault_arm("DSB.Lock", 7, 1);
    EXPECT_EQ(DSound_starten(), 3);
    EXPECT_EQ(headless_live_objects(), leer_);
}

TEST_F(SoundEffekte, SoundSystemFailures)
{
    headless_fault_arm("DirectSoundCreate", 0, 1);
    EXPECT_EQ(DSound_starten(), 1);
    EXPECT_EQ(Meldungen().back(), Fehler("DSound_starten: DirectSoundCreate()"));
    EXPECT_EQ(lpDS, nullptr);

    headless_fault_arm("DSound.SetCooperativeLevel", 0, 1);
    EXPECT_EQ(DSound_starten(), 2);
    EXPECT_EQ(Meldungen().back(), Fehler("DSound_starten: SetCooperativeLevel()"));
    EXPECT_EQ(lpDS, nullptr);
    EXPECT_EQ(headless_live_objects(), leer_);
}

TEST_F(SoundEffekte, PlayingAgainRestartsAndPanIsPassedThrough)
{
    ASSERT_EQ(DSound_starten(), 0);
    headless_log_clear();
    EXPECT_FALSE(DSound_spielt(lpDSB[SND_SCHUSS]));
    DSound_abspielen(lpDSB[SND_SCHUSS], 0);
    EXPECT_TRUE(DSound_spielt(lpDSB[SND_SCHUSS]));
    EXPECT_TRUE(headless_sound_playing(SND_SCHUSS));
    DSound_abspielen(lpDSB[SND_SCHUSS], 0);
    EXPECT_TRUE(DSound_spielt(lpDSB[SND_SCHUSS]));

    DSound_abspielen(lpDSB[SND_TREFFER_FLIEGER], -10000);
    DSound_abspielen(lpDSB[SND_TREFFER_STEIGER], 10000);
    EXPECT_TRUE(DSound_spielt(lpDSB[SND_SCHUSS])) << "another sound leaves the first running";
    std::vector<std::string> s = Log_mit(" sound ");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_NE(s[0].find("sound 15 0"), std::string::npos);
    EXPECT_NE(s[1].find("sound 15 0"), std::string::npos);
    EXPECT_NE(s[2].find("sound 9 -10000"), std::string::npos);
    EXPECT_NE(s[3].find("sound 7 10000"), std::string::npos);

    DSound_abspielen(nullptr, 0);
    EXPECT_FALSE(DSound_spielt(nullptr));
    EXPECT_EQ(Log_mit(" sound ").size(), 4u);
}

TEST_F(SoundEffekte, LooseWavesPlayAndStop)
{
    Wave_abspielen("win.wav");
    Wave_abspielen(nullptr);
    std::vector<std::string> w = Log_mit(" wave ");
    ASSERT_EQ(w.size(), 2u);
    EXPECT_NE(w[0].find("wave win.wav"), std::string::npos);
    EXPECT_NE(w[1].find("wave stop"), std::string::npos);
}
