// Loading BMP sectors onto surfaces, with and without the palette.
#include "graphics/ddraw.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using namespace testbau;
using V = std::vector<std::string>;

// Every surface here has a pitch wider than its width.
class BildLaden : public AssetsOrdner {
protected:
    void SetUp() override {
        HeadlessConfig cfg;
        cfg.extra_pitch = 12;
        headless_reset(cfg);
        Testordner_anlegen(false);
        ASSERT_EQ(plat_display_create(&lpDD), PLAT_OK);
        ASSERT_EQ(plat_display_create_primary(lpDD, &lpDDSPrimary), PLAT_OK);
        ASSERT_EQ(plat_display_create_surface(lpDD, 4, 2, true, &s_), PLAT_OK);
        iGameState = GS_TITLE;
        basis_ = headless_live_objects();
    }
    void TearDown() override {
        plat_display_release(lpDD);
        lpDD = nullptr, lpDDSPrimary = nullptr, lpDDPal = nullptr;
    }
    // The surface's rows over its whole pitch; `fuellen` first sets every byte to 0xEE.
    V Zeilen(bool fuellen = false) {
        PlatLock l{};
        EXPECT_EQ(plat_surface_lock(s_, &l), PLAT_OK);
        if (fuellen) memset(l.lpSurface, 0xEE, static_cast<size_t>(l.lPitch) * l.dwHeight);
        V z;
        for (uint32_t y = 0; y < l.dwHeight; y++)
            z.emplace_back(reinterpret_cast<char*>(l.lpSurface) + y * l.lPitch, static_cast<size_t>(l.lPitch));
        plat_surface_unlock(s_);
        return z;
    }
    int Laden(int sektor, BYTE palette = 0, BYTE spiegeln = 0) {
        EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv_), 0);
        headless_log_clear();
        return PackFile_Bild_laden("Grafik.dat", &pfv_, sektor, s_, palette, spiegeln);
    }
    PlatSurface* s_ = nullptr;
    PackFileVerzeichnis pfv_{};
    int basis_ = 0;
};

TEST_F(BildLaden, RowsArriveTopDownMirroredOnRequestWithinTheWidth) {
    Datei_schreiben("Grafik.dat", Archiv({{40, SEKTOR_BMP, Bmp(4, 2, "abcdefgh")}}));
    size_t pitch = Zeilen(true)[0].size();
    ASSERT_GE(pitch, 16u);
    EXPECT_EQ(Laden(40), 0);
    EXPECT_EQ(Zeilen(), (V{"efgh" + std::string(pitch - 4, '\xEE'), "abcd" + std::string(pitch - 4, '\xEE')}));
    EXPECT_EQ(Laden(40, 0, 1), 0);
    EXPECT_EQ(Zeilen()[0].substr(0, 4), "hgfe");
    EXPECT_EQ(Laden(40, 0, 2), 0);
    EXPECT_EQ(Zeilen()[0].substr(0, 4), "efgh") << "mirror only when exactly 1";
    EXPECT_EQ(headless_live_objects(), basis_) << "file closed";
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(BildLaden, RefusedSectorsAndFormatsEndTheGame) {
    std::string bmp = Bmp(4, 2, "abcdefgh");
    Datei_schreiben("Grafik.dat", Archiv({{41, SEKTOR_BMP, bmp},
                                          {3, SEKTOR_WAV, bmp},
                                          {4, SEKTOR_BMP, Bmp(5, 2, "0123456789")},
                                          {5, SEKTOR_BMP, Bmp(4, 2, "abcd", 4)},
                                          {6, SEKTOR_BMP, Bmp(4, 2, bmp + bmp, 24)},
                                          {7, SEKTOR_BMP, Bmp(4, -2, "abcdefgh")}}));
    Zeilen(true);
    const std::string sektor = "Error... | PackFile_Bild_laden: Ungültiger BMP-Sektor ausgewählt!";
    const std::string format = "Error... | PackFile_Bild_laden: Formatvergleich - Breite1";
    std::pair<int, std::string> faelle[] = {{41, sektor},
                                            {3, sektor},
                                            {-1, sektor},
                                            {4, format + "5 Breite24"},
                                            {5, format + "4 Breite24"},
                                            {6, format + "4 Breite24"},
                                            {7, format + "4 Breite24"}};
    for (const auto& f : faelle) {
        iGameState = GS_PLAYING;
        EXPECT_EQ(Laden(f.first), f.second == sektor ? 2 : 7) << f.first;
        EXPECT_EQ(Meldungen(), V{f.second});
        EXPECT_EQ(iGameState, GS_EXIT);
    }
    EXPECT_EQ(Zeilen()[0].substr(0, 4), "\xEE\xEE\xEE\xEE");
    EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv_, 1, nullptr, 0, 0), 1);
    EXPECT_EQ(Meldungen().back(), "Error... | PackFile_Bild_laden: Surface nich vorhanden!");
    EXPECT_EQ(headless_live_objects(), basis_);
}

TEST_F(BildLaden, PaletteFromTheColourTableReplacesTheOldOne) {
    std::string farben(1024, '\x01');
    farben.replace(4 * 17, 4, std::string{10, 20, 30, 99});
    Datei_schreiben("Grafik.dat", Archiv({{26, SEKTOR_BMP, Bmp(4, 2, "abcdefgh", 8, farben)}}));
    EXPECT_EQ(Laden(26, 2), 0);
    EXPECT_EQ(headless_fault_calls("CreatePalette"), 0) << "no palette unless the flag is exactly 1";
    EXPECT_EQ(Laden(26, 1), 0);
    ASSERT_EQ(plat_surface_flip(lpDDSPrimary), PLAT_OK);
    const PALETTEENTRY& pe = headless_palette()[17];
    EXPECT_EQ(std::vector<int>({pe.peRed, pe.peGreen, pe.peBlue, pe.peFlags}), std::vector<int>({30, 20, 10, 4}));
    EXPECT_EQ(Laden(26, 1), 0);
    headless_fault_arm("SetPalette", 0, 1);
    EXPECT_EQ(Laden(26, 1), 11);
    EXPECT_EQ(headless_live_objects(), basis_ + 1) << "one palette, however many loads";
    Zeilen(true);
    headless_fault_arm("CreatePalette", 0, 1);
    EXPECT_EQ(Laden(26, 1), 10);
    EXPECT_EQ(Meldungen(), V{"Error... | PackFile_Bild_laden: CreatePalette()"});
    EXPECT_EQ(Zeilen()[0].substr(0, 4), "efgh") << "pixels come before the palette";
}

TEST_F(BildLaden, FailuresLeaveNothingOpenOrLocked) {
    std::string archiv = Archiv({{2, SEKTOR_BMP, Bmp(4, 2, "abcdefgh")}});
    Datei_schreiben("Grafik.dat", archiv);
    // The index read before each load takes one CreateFile and one ReadFile.
    struct {
        const char* schritt;
        int skip, code;
        const char* text;
    } faelle[] = {{"malloc", 0, 3, "PackFile_Bild_laden: malloc(lpbyBild)"},
                  {"CreateFile", 1, 4, "Die Datei <Grafik.dat> wurde nicht gefunden!"},
                  {"ReadFile", 1, 5, "PackFile_Bild_laden: ReadeFile(BMPFileHead)"},
                  {"ReadFile", 2, 6, "PackFile_Bild_laden: ReadeFile(BMPInfoHead)"},
                  {"ReadFile", 3, 8, "PackFile_Bild_laden: ReadeFile(Palette)"},
                  {"ReadFile", 4, 9, "PackFile_Bild_laden: ReadeFile(Bilddaten)"},
                  {"Lock", 0, 7, "PackFile_Bild_laden: Formatvergleich - Breite14 Breite20"}};
    for (const auto& f : faelle) {
        headless_fault_arm(f.schritt, f.skip, 1);
        EXPECT_EQ(Laden(2), f.code) << f.schritt;
        EXPECT_EQ(Meldungen(), V{std::string("Error... | ") + f.text});
        EXPECT_EQ(headless_live_objects(), basis_) << f.text;
        EXPECT_EQ(Zeilen().size(), 2u) << "still lockable";
    }
    // Sectors cut short: within the pixels the rest is zero; within a header the load fails.
    Datei_schreiben("Grafik.dat", archiv.substr(0, pfv_.iSektorOffset[2] + 1078 + 3));
    EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv_, 2, s_, 0, 0), 0);
    EXPECT_EQ(Zeilen()[1].substr(0, 4), std::string("abc\0", 4));
    EXPECT_EQ(Zeilen()[0].substr(0, 4), std::string(4, '\0'));
    Datei_schreiben("Grafik.dat", archiv.substr(0, pfv_.iSektorOffset[2] + 20));
    EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv_, 2, s_, 0, 0), 6);
    // Offsets pointing anywhere.
    Datei_schreiben("Grafik.dat", archiv);
    for (int32_t o : {-1, INT32_MIN, 1 << 30, static_cast<int32_t>(archiv.size())}) {
        pfv_.iSektorOffset[2] = o;
        EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv_, 2, s_, 0, 0), 5) << o;
    }
    EXPECT_EQ(headless_live_objects(), basis_);
}
