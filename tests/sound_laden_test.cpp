// Loading RIFF/WAVE sectors into sound buffers.
#include "audio/dsound.h"
#include "packfile_testbau.h"

using namespace testbau;

class SoundLaden : public AssetsOrdner {
protected:
    void SetUp() override
    {
        AssetsOrdner::SetUp();
        lpDS = nullptr;
        ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
        puffer_ = nullptr;
    }

    void TearDown() override
    {
        if (puffer_)
            plat_sound_buffer_release(puffer_);
        if (lpDS)
            plat_sound_release(lpDS);
        lpDS = nullptr;
        AssetsOrdner::TearDown();
    }

    int Laden(const std::string& sektor, int nummer = 4, int32_t typ = SEKTOR_WAV)
    {
        Schreiben("Sound.dat", Archiv({{nummer, typ, sektor}}));
        EXPECT_EQ(PackFile_oeffnen("Sound.dat", &pfv_), 0);
        return Laden_wie_es_ist(nummer);
    }

    int Laden_wie_es_ist(int nummer)
    {
        if (puffer_)
            plat_sound_buffer_release(puffer_);
        puffer_ = nullptr;
        headless_log_clear();
        return PackFile_Sound_laden("Sound.dat", &pfv_, nummer, &puffer_);
    }

    // What the buffer holds, read back through its lock.
    std::string Inhalt(DWORD laenge)
    {
        void* p = nullptr;
        DWORD l = 0;
        EXPECT_EQ(plat_sound_buffer_lock(puffer_, 0, laenge, &p, &l), PLAT_OK);
        std::string s(static_cast<char*>(p), l);
        plat_sound_buffer_unlock(puffer_, p, l);
        return s;
    }

    PackFileVerzeichnis pfv_{};
    PlatSoundBuffer* puffer_ = nullptr;
};

TEST_F(SoundLaden, PlainSectorFillsItsBuffer)
{
    int offen = headless_live_objects();
    EXPECT_EQ(Laden(Wave("hello")), 0);
    ASSERT_NE(puffer_, nullptr);
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(headless_live_objects(), offen + 1) << "archive closed, one buffer made";
    EXPECT_EQ(Inhalt(5), "hello");
}

TEST_F(SoundLaden, ChunksInAnyOrderWithOthersSkipped)
{
    EXPECT_EQ(Laden(Riff(Chunk("data", "abcdef") + Chunk("fmt ", Pcm()))), 0);
    EXPECT_EQ(Inhalt(6), "abcdef");
    // An odd-sized list chunk needs its pad byte skipped to find "data".
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("LIST", "INFOabc") + Chunk("data", "xyzuv"))), 0);
    EXPECT_EQ(Inhalt(5), "xyzuv");
    EXPECT_EQ(Laden(Riff(Chunk("junk", "") + Chunk("fmt ", Pcm()) + Chunk("fact", "1234") + Chunk("data", "qrst"))), 0);
    EXPECT_EQ(Inhalt(4), "qrst");
}

TEST_F(SoundLaden, DataPastTheEndOfTheFileIsSilence)
{
    // The archive ends inside the samples: the index is laid elsewhere so
    // the "data" chunk really runs into the end of the file.
    std::string sektor = Riff(Chunk("fmt ", Pcm()) + "data" + std::string("\x10\x00\x00\x00", 4) + "abc");
    std::string archiv = Archiv({{4, SEKTOR_WAV, sektor}});
    PackFileVerzeichnis index{};
    Schreiben("Sound.dat", archiv);
    ASSERT_EQ(PackFile_oeffnen("Sound.dat", &index), 0);
    pfv_ = index;
    Schreiben("Sound.dat", archiv.substr(0, index.iSektorOffset[4] + sektor.size()));
    EXPECT_EQ(Laden_wie_es_ist(4), 0);
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(Inhalt(16), std::string("abc") + std::string(13, '\0'));
}

TEST_F(SoundLaden, MissingChunksGiveBothMessages)
{
    EXPECT_EQ(Laden(Riff(Chunk("data", "abc"))), 3);
    std::vector<std::string> m = Meldungen();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], Fehler("DSound_WaveFormat: mmioDescend(CHUNK)"));
    EXPECT_EQ(m[1], Fehler("PackFile_Sound_laden: DSound_WaveFormat()"));
    EXPECT_EQ(puffer_, nullptr);

    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()))), 4);
    m = Meldungen();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], Fehler("DSound_WaveDaten: mmioDescend(CHUNK)"));
    EXPECT_EQ(m[1], Fehler("PackFile_Sound_laden: DSound_WaveDaten()"));

    std::string kein_wave = Wave("abc");
    kein_wave.replace(8, 4, "AVI ");
    EXPECT_EQ(Laden(kein_wave), 3);
    EXPECT_EQ(Meldungen()[0], Fehler("DSound_WaveFormat: mmioDescend(RIFF)"));
    EXPECT_EQ(Laden(Bmp(4, 1, "abcd")), 3);
    EXPECT_EQ(Meldungen()[0], Fehler("DSound_WaveFormat: mmioDescend(RIFF)"));
}

TEST_F(SoundLaden, HostileSizesNeitherLoopNorAllocate)
{
    int offen = headless_live_objects();
    // A skipped chunk claiming 4 GiB: the walk leaves the file and stops.
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("LIST", "ab", 0xFFFFFFFF) + Chunk("data", "abc"))), 4);
    // Sizes that would wrap a 32-bit position back to the start.
    EXPECT_EQ(Laden(Riff(Chunk("LIST", "", 0xFFFFFFF4) + Chunk("fmt ", Pcm()))), 3);
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("data", "abcd"), 0xFFFFFFFF)), 0)
        << "a RIFF size past the file is cut to the file";
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("data", "abc"), 4)), 3) << "chunks outside the RIFF are not found";

    // A "data" chunk near 4 GiB is refused before anything is allocated.
    int mallocs = headless_fault_calls("malloc");
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("data", "abc", 0xFFFFFFF0))), 4);
    EXPECT_EQ(Meldungen()[0], Fehler("DSound_WaveDaten: malloc()"));
    EXPECT_EQ(headless_fault_calls("malloc"), mallocs);
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("data", "abc", 16u * 1024 * 1024 + 1))), 4);
    if (puffer_)
        plat_sound_buffer_release(puffer_);
    puffer_ = nullptr;
    EXPECT_EQ(headless_live_objects(), offen);
}

TEST_F(SoundLaden, BuffersThePlatformRefuses)
{
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", Pcm()) + Chunk("data", ""))), 5);
    EXPECT_EQ(Meldungen()[0], Fehler("PackFile_Sound_laden: CreateSoundBuffer()"));
    std::string fmt = Pcm();
    fmt[0] = 2;  // not PCM
    EXPECT_EQ(Laden(Riff(Chunk("fmt ", fmt) + Chunk("data", "abcd"))), 5);
    EXPECT_EQ(puffer_, nullptr);
}

TEST_F(SoundLaden, SectorBoundTypeAndOffset)
{
    EXPECT_EQ(Laden(Wave("abcd"), 21), 1);
    EXPECT_EQ(Meldungen()[0], Fehler("PackFile_Sound_laden: Ungültiger WAV-Sektor ausgewählt!"));
    EXPECT_EQ(Laden(Wave("abcd"), 20), 0);
    EXPECT_EQ(Laden(Wave("abcd"), 3, SEKTOR_BMP), 1);
    EXPECT_EQ(Laden_wie_es_ist(-1), 1);

    ASSERT_EQ(Laden(Wave("abcd"), 3), 0);
    plat_sound_buffer_release(puffer_);
    puffer_ = nullptr;
    const int32_t offsets[] = {-1, INT32_MIN, 1 << 30};
    for (int32_t o : offsets) {
        pfv_.iSektorOffset[3] = o;
        int offen = headless_live_objects();
        EXPECT_EQ(Laden_wie_es_ist(3), 3) << o;
        EXPECT_EQ(Meldungen()[0], Fehler("DSound_WaveFormat: mmioDescend(RIFF)"));
        EXPECT_EQ(headless_live_objects(), offen) << "archive closed after a failure";
    }

    std::remove("Sound.dat");
    EXPECT_EQ(Laden_wie_es_ist(3), 2);
    EXPECT_EQ(Meldungen()[0], Fehler("PackFile_Sound_laden: mmioOpen()"));
}

TEST_F(SoundLaden, FormatIsExactlyEighteenBytes)
{
    // A 16-byte PCM format: cbSize takes the next two bytes of the file.
    Schreiben("Sound.dat", Riff(Chunk("fmt ", Pcm(2, 44100, 16)) + Chunk("data", "abcd")));
    PlatFile* f = plat_file_open("Sound.dat", PLAT_DATEI_LESEN);
    ASSERT_NE(f, nullptr);
    WAVEFORMATEX wfx{};
    EXPECT_TRUE(DSound_WaveFormat(f, &wfx, 0));
    EXPECT_EQ(wfx.wFormatTag, 1);
    EXPECT_EQ(wfx.nChannels, 2);
    EXPECT_EQ(wfx.nSamplesPerSec, 44100u);
    EXPECT_EQ(wfx.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(wfx.nBlockAlign, 4);
    EXPECT_EQ(wfx.wBitsPerSample, 16);
    EXPECT_EQ(wfx.cbSize, 'd' | 'a' << 8);

    DWORD laenge = 0;
    BYTE* daten = nullptr;
    EXPECT_TRUE(DSound_WaveDaten(f, &laenge, &daten, 0));
    EXPECT_EQ(laenge, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(daten), 4), "abcd");
    plat_free(daten);
    plat_file_close(f);
}

TEST_F(SoundLaden, BufferFailuresKeepTheBufferForTheCaller)
{
    struct Fall {
        const char* schritt;
        int code;
        const char* text;
        bool puffer;
    } faelle[] = {
        {"CreateSoundBuffer", 5, "PackFile_Sound_laden: CreateSoundBuffer()", false},
        {"DSB.Lock", 6, "PackFile_Sound_laden: Lock()", true},
        {"DSB.Unlock", 7, "PackFile_Sound_laden: Unlock()", true},
    };
    for (const Fall& f : faelle) {
        Schreiben("Sound.dat", Archiv({{0, SEKTOR_WAV, Wave("abcd")}}));
        ASSERT_EQ(PackFile_oeffnen("Sound.dat", &pfv_), 0);
        int offen = headless_live_objects() + (puffer_ ? -1 : 0);
        headless_fault_arm(f.schritt, 0, 1);
        EXPECT_EQ(Laden_wie_es_ist(0), f.code);
        headless_fault_clear();
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_EQ(Meldungen()[0], Fehler(f.text));
        EXPECT_EQ(puffer_ != nullptr, f.puffer) << f.schritt;
        EXPECT_EQ(headless_live_objects(), offen + (f.puffer ? 1 : 0)) << f.schritt;
    }

    // No memory for the samples.
    headless_fault_arm("malloc", 0, 1);
    EXPECT_EQ(Laden_wie_es_ist(0), 4);
    EXPECT_EQ(Meldungen()[0], Fehler("DSound_WaveDaten: malloc()"));
}
