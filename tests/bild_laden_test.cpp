// Loading BMP sectors onto surfaces, with and without the palette.
#include "graphics/ddraw.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using namespace testbau;

class BildLaden : public AssetsOrdner {
protected:
    void SetUp() override { Anzeige(HeadlessConfig()); }
    void Anzeige(const HeadlessConfig& cfg)
    {
        headless_reset(cfg);
        Testordner_anlegen(false);
        lpDDPal = nullptr;
        ASSERT_EQ(plat_display_create(&lpDD), PLAT_OK);
        ASSERT_EQ(plat_display_create_primary(lpDD, &lpDDSPrimary), PLAT_OK);
        iGameState = GS_TITLE;
        basis_ = headless_live_objects();
    }
    void TearDown() override
    {
        plat_display_release(lpDD);
        lpDD = nullptr, lpDDSPrimary = nullptr, lpDDPal = nullptr;
    }
    // A surface whose whole pitch holds `fuellung`, so bytes beyond the width can be watched.
    PlatSurface* Flaeche(int w, int h, BYTE fuellung = 0xEE)
    {
        PlatSurface* s = nullptr;
        PlatLock l{};
        EXPECT_EQ(plat_display_create_surface(lpDD, w, h, true, &s), PLAT_OK);
        EXPECT_EQ(plat_surface_lock(s, &l), PLAT_OK);
        memset(l.lpSurface, fuellung, static_cast<size_t>(l.lPitch) * l.dwHeight);
        plat_surface_unlock(s);
        return s;
    }
    std::vector<std::string> Zeilen(PlatSurface* s)
    {
        PlatLock l{};
        EXPECT_EQ(plat_surface_lock(s, &l), PLAT_OK);
        std::vector<std::string> z;
        for (uint32_t y = 0; y < l.dwHeight; y++)
            z.emplace_back(reinterpret_cast<char*>(l.lpSurface) + y * l.lPitch, static_cast<size_t>(l.lPitch));
        plat_surface_unlock(s);
        return z;
    }
    int Laden(int sektor, PlatSurface* ziel, BYTE palette = 0, BYTE spiegeln = 0)
    {
        EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv_), 0);
        headless_log_clear();
        return PackFile_Bild_laden("Grafik.dat", &pfv_, sektor, ziel, palette, spiegeln);
    }
    PackFileVerzeichnis pfv_{};
    int basis_ = 0;
};

TEST_F(BildLaden, RowsArriveTopDownMirroredOnRequestWithinAWiderPitch)
{
    HeadlessConfig cfg;
    cfg.extra_pitch = 12;
    Anzeige(cfg);
    Datei_schreiben("Grafik.dat", Archiv({{40, SEKTOR_BMP, Bmp(4, 3, "abcdefghijkl")}}));
    PlatSurface* s = Flaeche(4, 3);
    EXPECT_EQ(Laden(40, s), 0);
    std::vector<std::string> z = Zeilen(s);
    ASSERT_GT(z[0].size(), 4u + 12u);
    EXPECT_EQ(z[0], "ijkl" + std::string(z[0].size() - 4, '\xEE'));
    EXPECT_EQ(z[2].substr(0, 5), "abcd\xEE");
    EXPECT_EQ(Laden(40, s, 0, 1), 0);
    EXPECT_EQ(Zeilen(s)[0].substr(0, 5), "lkji\xEE");
    EXPECT_EQ(Laden(40, s, 0, 2), 0);
    EXPECT_EQ(Zeilen(s)[0].substr(0, 4), "ijkl") << "mirror only when exactly 1";
    EXPECT_EQ(headless_live_objects(), basis_ + 1) << "the surface and nothing else";
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(BildLaden, RefusedSectorsAndFormatsEndTheGame)
{
    std::string bmp = Bmp(8, 2, "0123456789abcdef");
    Datei_schreiben("Grafik.dat", Archiv({{1, SEKTOR_BMP, bmp}, {41, SEKTOR_BMP, bmp}, {3, SEKTOR_WAV, bmp},
                                          {4, SEKTOR_BMP, Bmp(9, 2, std::string(18, 'x'))},
                                          {5, SEKTOR_BMP, Bmp(8, 2, std::string(8, 'x'), 4)},
                                          {6, SEKTOR_BMP, Bmp(8, 2, std::string(48, 'x'), 24)},
                                          {7, SEKTOR_BMP, Bmp(8, -2, std::string(16, 'x'))}}));
    PlatSurface* s = Flaeche(8, 2);
    const std::string sektor = "Error... | PackFile_Bild_laden: Ungültiger BMP-Sektor ausgewählt!";
    const std::string format = "Error... | PackFile_Bild_laden: Formatvergleich - Breite1";
    struct {
        int sektor, code;
        std::string text;
    } faelle[] = {{41, 2, sektor},           {3, 2, sektor},           {-1, 2, sektor},
                  {4, 7, format + "9 Breite28"}, {5, 7, format + "8 Breite28"}, {6, 7, format + "8 Breite28"},
                  {7, 7, format + "8 Breite28"}};
    for (const auto& f : faelle) {
        iGameState = GS_PLAYING;
        EXPECT_EQ(Laden(f.sektor, s), f.code) << f.sektor;
        EXPECT_EQ(Meldungen(), std::vector<std::string>{f.text});
        EXPECT_EQ(iGameState, GS_EXIT);
        EXPECT_EQ(Zeilen(s)[0].substr(0, 8), std::string(8, '\xEE'));
    }
    EXPECT_EQ(Laden(1, nullptr), 1);
    EXPECT_EQ(Meldungen()[0], "Error... | PackFile_Bild_laden: Surface nich vorhanden!");
    EXPECT_EQ(headless_live_objects(), basis_ + 1);
}

TEST_F(BildLaden, PaletteFromTheColourTableReplacesTheOldOne)
{
    std::string farben(1024, '\x01');
    farben.replace(4 * 17, 4, std::string{10, 20, 30, 99});
    Datei_schreiben("Grafik.dat", Archiv({{26, SEKTOR_BMP, Bmp(4, 1, "abcd", 8, farben)}}));
    PlatSurface* s = Flaeche(4, 1);
    EXPECT_EQ(Laden(26, s, 2), 0);
    EXPECT_EQ(headless_fault_calls("CreatePalette"), 0) << "no palette unless the flag is exactly 1";
    EXPECT_EQ(Laden(26, s, 1), 0);
    ASSERT_EQ(plat_surface_flip(lpDDSPrimary), PLAT_OK);
    const PALETTEENTRY& pe = headless_palette()[17];
    EXPECT_EQ(std::vector<int>({pe.peRed, pe.peGreen, pe.peBlue, pe.peFlags}), std::vector<int>({30, 20, 10, 4}));
    int offen = headless_live_objects();
    EXPECT_EQ(Laden(26, s, 1), 0);
    EXPECT_EQ(headless_live_objects(), offen) << "palettes do not pile up";

    headless_fault_arm("SetPalette", 0, 1);
    EXPECT_EQ(Laden(26, s, 1), 11);
    EXPECT_EQ(headless_live_objects(), offen);
    PlatSurface* t = Flaeche(4, 1);
    headless_fault_arm("CreatePalette", 0, 1);
    EXPECT_EQ(Laden(26, t, 1), 10);
    EXPECT_EQ(Meldungen(), std::vector<std::string>{"Error... | PackFile_Bild_laden: CreatePalette()"});
    EXPECT_EQ(Zeilen(t)[0].substr(0, 4), "abcd") << "pixels come before the palette";
}

TEST_F(BildLaden, FailuresLeaveNothingOpenOrLocked)
{
    Datei_schreiben("Grafik.dat", Archiv({{2, SEKTOR_BMP, Bmp(4, 2, "abcdefgh")}}));
    PlatSurface* s = Flaeche(4, 2);
    // The index read before each load takes one CreateFile and one ReadFile.
    struct {
        const char* schritt;
        int skip, code;
        const char* text;
    } faelle[] = {{"malloc", 0, 3, "malloc(lpbyBild)"},   {"ReadFile", 1, 5, "ReadeFile(BMPFileHead)"},
                  {"ReadFile", 2, 6, "ReadeFile(BMPInfoHead)"}, {"ReadFile", 3, 8, "ReadeFile(Palette)"},
                  {"ReadFile", 4, 9, "ReadeFile(Bilddaten)"}, {"Lock", 0, 7, "Formatvergleich - Breite14 Breite20"},
                  {"CreateFile", 1, 4, nullptr}};
    for (const auto& f : faelle) {
        headless_fault_clear();
        headless_fault_arm(f.schritt, f.skip, 1);
        EXPECT_EQ(Laden(2, s), f.code) << f.schritt;
        EXPECT_EQ(Meldungen().back(), f.text ? std::string("Error... | PackFile_Bild_laden: ") + f.text
                                             : "Error... | Die Datei <Grafik.dat> wurde nicht gefunden!");
        EXPECT_EQ(headless_live_objects(), basis_ + 1) << f.text;
        headless_fault_clear();
        EXPECT_EQ(Zeilen(s).size(), 2u) << "still lockable";
    }
}

TEST_F(BildLaden, CutShortOrMisplacedSectorsAreSafe)
{
    std::string archiv = Archiv({{2, SEKTOR_BMP, Bmp(4, 2, "abcdefgh")}});
    Datei_schreiben("Grafik.dat", archiv);
    PlatSurface* s = Flaeche(4, 2);
    ASSERT_EQ(Laden(2, s), 0);
    // The file now ends three pixels into the sector; the kept index still points there.
    Datei_schreiben("Grafik.dat", archiv.substr(0, pfv_.iSektorOffset[2] + 1078 + 3));
    EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv_, 2, s, 0, 0), 0);
    EXPECT_EQ(Zeilen(s)[1].substr(0, 4), std::string("abc\0", 4));
    EXPECT_EQ(Zeilen(s)[0].substr(0, 4), std::string(4, '\0'));
    Datei_schreiben("Grafik.dat", archiv.substr(0, pfv_.iSektorOffset[2] + 20));
    EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv_, 2, s, 0, 0), 6);

    Datei_schreiben("Grafik.dat", archiv);
    for (int32_t o : {-1, INT32_MIN, 1 << 30, static_cast<int32_t>(archiv.size())}) {
        pfv_.iSektorOffset[2] = o;
        EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv_, 2, s, 0, 0), 5) << o;
    }
    EXPECT_EQ(headless_live_objects(), basis_ + 1);
}
