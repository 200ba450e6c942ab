// The generated sounds: every sector of "Sound.dat" through the game's
// loader, the gun's timing sounds, the five loose wave files, and a whole
// game starting on the generated data.
#include <cstring>

#include "audio/dsound.h"
#include "content_hilfe_test.h"
#include "kern/bytefolge.h"

namespace {

struct Welle {
    bool bOk = false;
    int iKanaele = 0, iRate = 0, iBits = 0, iFormat = 0;
    std::vector<int16_t> samples;
    double Sekunden() const { return iRate ? (double)samples.size() / iRate : 0; }
};

// A small RIFF reader of our own for the loose files, which the game only
// hands to the platform's player.
Welle Welle_lesen(const std::string& d, size_t start = 0) {
    Welle w;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(d.data());
    uint64_t fmt = 0, daten = 0;
    uint32_t fmt_laenge = 0, laenge = 0;
    if (!Bau_Chunk_finden(p, d.size(), start, "fmt ", &fmt, &fmt_laenge) || fmt + 16 > d.size() ||
        !Bau_Chunk_finden(p, d.size(), start, "data", &daten, &laenge) || daten + laenge > d.size())
        return w;
    w.iFormat = Bytes_Word_lesen(p + fmt);
    w.iKanaele = Bytes_Word_lesen(p + fmt + 2);
    w.iRate = (int)Bytes_DWord_lesen(p + fmt + 4);
    w.iBits = Bytes_Word_lesen(p + fmt + 14);
    w.samples.resize(laenge / 2);
    for (size_t i = 0; i < w.samples.size(); i++) w.samples[i] = (int16_t)Bytes_Word_lesen(p + daten + 2 * i);
    w.bOk = true;
    return w;
}

int Spitze(const std::vector<int16_t>& s) {
    int m = 0;
    for (int16_t v : s) m = std::max(m, std::abs((int)v));
    return m;
}

}   // namespace

struct ContentKlang : ::testing::Test {
    void SetUp() override {
        Testordner_anlegen();
        headless_reset(HeadlessConfig());
        ASSERT_EQ(PackFile_oeffnen("Sound.dat", &pfvSound), 0);
        ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
    }
    void TearDown() override {
        for (PlatSoundBuffer*& b : lpDSB)
            if (b) {
                plat_sound_buffer_release(b);
                b = nullptr;
            }
        if (lpDS) plat_sound_release(lpDS);
        lpDS = nullptr;
    }
};

TEST_F(ContentKlang, EverySoundSectorLoadsAndSounds) {
    std::string d = Datei_lesen("Sound.dat");
    const PackFileVerzeichnis pfv = Verzeichnis(d);
    for (int i = 0; i < MAX_SOUNDS; i++) {
        ASSERT_EQ(PackFile_Sound_laden("Sound.dat", &pfvSound, i, &lpDSB[i]), 0) << "sector " << i;
        void* p = nullptr;
        DWORD laenge = 0;
        ASSERT_EQ(plat_sound_buffer_lock(lpDSB[i], 0, 1, &p, &laenge), PLAT_OK);
        plat_sound_buffer_unlock(lpDSB[i], p, laenge);

        Welle w = Welle_lesen(d, (uint32_t)pfv.iSektorOffset[i]);
        ASSERT_TRUE(w.bOk) << "sector " << i;
        EXPECT_EQ(w.iFormat, 1);
        EXPECT_EQ(w.iKanaele, 1);
        EXPECT_EQ(w.iRate, 22050);
        EXPECT_EQ(w.iBits, 16);
        EXPECT_GT(Spitze(w.samples), 8000) << "sector " << i << " is (nearly) silent";
        EXPECT_LT(Spitze(w.samples), 32767) << "sector " << i << " clips";
        EXPECT_LT(w.Sekunden(), 3.5) << "sector " << i;
        // Starts and ends quietly: no click when the platform cuts it.
        EXPECT_LT(std::abs((int)w.samples.back()), 600) << "sector " << i;
    }
    EXPECT_EQ(Log_zaehlen("msgbox"), 0);
}

// No shot while the shot or the reload sound still plays: their lengths
// are the gun's rate of fire.
TEST_F(ContentKlang, ShotAndReloadSetTheRateOfFire) {
    std::string d = Datei_lesen("Sound.dat");
    const PackFileVerzeichnis pfv = Verzeichnis(d);
    Welle schuss = Welle_lesen(d, (uint32_t)pfv.iSektorOffset[15]);
    Welle laden = Welle_lesen(d, (uint32_t)pfv.iSektorOffset[14]);
    EXPECT_NEAR(schuss.Sekunden(), 0.3, 0.03);
    EXPECT_NEAR(laden.Sekunden(), 0.7, 0.05);
}

TEST(ContentMusik, LooseWaveFilesArePlayableTunes) {
    Testordner_anlegen();
    for (const char* datei : {"start.wav", "main.wav", "win.wav", "lose.wav", "credits.wav"}) {
        Welle w = Welle_lesen(Datei_lesen(datei));
        ASSERT_TRUE(w.bOk) << datei;
        EXPECT_EQ(w.iFormat, 1) << datei;
        EXPECT_EQ(w.iBits, 16) << datei;
        EXPECT_GT(Spitze(w.samples), 16000) << datei;
        EXPECT_LT(Spitze(w.samples), 32767) << datei;
        if (strcmp(datei, "credits.wav") == 0)
            EXPECT_GE(w.Sekunden(), 35.0) << "accompanies the credits scroll";
        else
            EXPECT_GE(w.Sekunden(), 3.0) << datei;
        EXPECT_LE(w.Sekunden(), 45.0) << datei;
    }
}

// The whole game on the generated data: start-up loads every picture and
// sound without a complaint and the screens come up.
TEST(ContentSpiel, GameStartsOnTheGeneratedData) {
    Testordner_anlegen();
    HeadlessConfig cfg;
    cfg.until_ms = 12000;
    RunnerErgebnis r = Spiel_laufen_lassen(
        "500 key RETURN\n"    // title -> menu
        "1500 key RETURN\n"   // start a game
        "8000 key ESCAPE\n"
        "9000 key ESCAPE\n"
        "9500 char j\n",
        cfg);
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(Log_enthaelt(r.log, "msgbox"));
    EXPECT_TRUE(Log_enthaelt(r.log, "state GS_PLAYING"));
    EXPECT_TRUE(Log_enthaelt(r.log, "wave start.wav"));
}
