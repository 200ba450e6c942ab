// Loading RIFF/WAVE sectors into sound buffers.
#include "audio/dsound.h"
#include "packfile_testbau.h"

using namespace testbau;

class SoundLaden : public AssetsOrdner {
protected:
    void SetUp() override {
        AssetsOrdner::SetUp();
        ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
    }
    void TearDown() override {
        plat_sound_release(lpDS);
        lpDS = nullptr;
    }
    // Loads the sector from a new archive; what the buffer holds lands in `inhalt_`.
    int Laden(const std::string& sektor, int nummer = 4, int32_t typ = SEKTOR_WAV) {
        Datei_schreiben("Sound.dat", Archiv({{nummer, typ, sektor}}));
        EXPECT_EQ(PackFile_oeffnen("Sound.dat", &pfv_), 0);
        return Nochmal(nummer);
    }
    int Nochmal(int nummer) {
        PlatSoundBuffer* b = nullptr;
        headless_log_clear();
        inhalt_.clear();
        int code = PackFile_Sound_laden("Sound.dat", &pfv_, nummer, &b);
        void* p = nullptr;
        DWORD l = 0;
        for (DWORD n = 64; code == 0 && n > 0; n--)   // the lock wants no more than the buffer holds
            if (plat_sound_buffer_lock(b, 0, n, &p, &l) == PLAT_OK) {
                inhalt_.assign(static_cast<char*>(p), l);
                plat_sound_buffer_unlock(b, p, l);
                break;
            }
        if (b) plat_sound_buffer_release(b);
        EXPECT_EQ(headless_live_objects(), 1) << "only the sound object stays";
        return code;
    }
    PackFileVerzeichnis pfv_{};
    std::string inhalt_;
};

TEST_F(SoundLaden, ChunksInAnyOrderOthersSkippedShortDataIsSilence) {
    EXPECT_EQ(Laden(Wave("hello")), 0);
    EXPECT_EQ(inhalt_, "hello");
    EXPECT_EQ(Laden(Riff(Chunk("data", "abcdef") + Chunk("fmt ", Pcm()))), 0);
    EXPECT_EQ(inhalt_, "abcdef");
    // An odd-sized list chunk is followed by its pad byte.
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("LIST", "INFOabc") + Chunk("data", "xyzuv"))), 0);
    EXPECT_EQ(inhalt_, "xyzuv");
    EXPECT_TRUE(Meldungen().empty());

    // The archive ends three bytes into a 16-byte "data" chunk.
    std::string sektor = Riff(Chunk("fmt ", Pcm()) + "data" + Le(16) + "abc");
    std::string archiv = Archiv({{4, SEKTOR_WAV, sektor}});
    Datei_schreiben("Sound.dat", archiv);
    ASSERT_EQ(PackFile_oeffnen("Sound.dat", &pfv_), 0);
    Datei_schreiben("Sound.dat", archiv.substr(0, pfv_.iSektorOffset[4] + sektor.size()));
    EXPECT_EQ(Nochmal(4), 0);
    EXPECT_EQ(inhalt_, "abc" + std::string(13, '\0'));
}

TEST_F(SoundLaden, BrokenSectorsGiveBothMessages) {
    const std::string wf = "Error... | PackFile_Sound_laden: DSound_WaveFormat()";
    const std::string wd = "Error... | PackFile_Sound_laden: DSound_WaveDaten()";
    std::string avi = Wave("abcd");
    avi.replace(8, 4, "AVI ");
    struct {
        std::string sektor;
        int code;
        std::vector<std::string> texte;
    } faelle[] = {
        {Riff(Chunk("data", "abcd")), 3, {"Error... | DSound_WaveFormat: mmioDescend(CHUNK)", wf}},
        {Riff(Chunk("fmt ", Pcm())), 4, {"Error... | DSound_WaveDaten: mmioDescend(CHUNK)", wd}},
        {avi, 3, {"Error... | DSound_WaveFormat: mmioDescend(RIFF)", wf}},
        // A skipped chunk claiming 4 GiB, or one that would wrap a 32-bit position.
        {Riff(Chunk("fmt ", Pcm()) + Chunk("LIST", "ab", 0xFFFFFFFF) + Chunk("data", "abcd")), 4, {}},
        {Riff(Chunk("LIST", "", 0xFFFFFFF4) + Chunk("fmt ", Pcm())), 3, {}},
        {Riff(Chunk("fmt ", Pcm()) + Chunk("data", "abcd"), 4), 3, {}},
        // A "data" chunk near 4 GiB is refused, not allocated.
        {Riff(Chunk("fmt ", Pcm()) + Chunk("data", "abcd", 0xFFFFFFF0)),
         4,
         {"Error... | DSound_WaveDaten: malloc()", wd}},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(Laden(f.sektor), f.code) << f.sektor.size();
        if (!f.texte.empty()) {
            EXPECT_EQ(Meldungen(), f.texte);
        }
    }
    EXPECT_EQ(headless_fault_calls("malloc"), 0) << "nothing failing was ever allocated";
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("data", ""))), 5);
    EXPECT_EQ(Meldungen(), std::vector<std::string>{"Error... | PackFile_Sound_laden: CreateSoundBuffer()"});
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("data", "abcd"), 0xFFFFFFFF)), 0) << "RIFF size cut to the file";
}

TEST_F(SoundLaden, SectorNumberTypeAndOffset) {
    EXPECT_EQ(Laden(Wave("abcd"), 21), 1);
    EXPECT_EQ(Meldungen()[0], "Error... | PackFile_Sound_laden: Ungültiger WAV-Sektor ausgewählt!");
    EXPECT_EQ(Laden(Wave("abcd"), 4, SEKTOR_BMP), 1);
    EXPECT_EQ(Nochmal(-1), 1);
    EXPECT_EQ(Laden(Wave("abcd"), 20), 0);
    for (int32_t o : {-1, INT32_MIN, 1 << 30}) {
        pfv_.iSektorOffset[20] = o;
        EXPECT_EQ(Nochmal(20), 3) << o;
    }
    std::remove("Sound.dat");
    EXPECT_EQ(Nochmal(20), 2);
    EXPECT_EQ(Meldungen()[0], "Error... | PackFile_Sound_laden: mmioOpen()");
}

TEST_F(SoundLaden, FormatIsExactlyEighteenBytes) {
    // For a 16-byte format chunk cbSize takes the next two bytes of the file.
    Datei_schreiben("Sound.dat", Wave("abcd"));
    PlatFile* f = plat_file_open("Sound.dat", PLAT_DATEI_LESEN);
    WAVEFORMATEX wfx{};
    EXPECT_TRUE(DSound_WaveFormat(f, &wfx, 0));
    EXPECT_EQ(wfx.nSamplesPerSec, 22050u);
    EXPECT_EQ(wfx.wBitsPerSample, 8);
    EXPECT_EQ(wfx.cbSize, 'd' | 'a' << 8);
    plat_file_close(f);
}
