// Loading BMP sectors onto surfaces, with and without the palette.
#include "graphics/ddraw.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using namespace testbau;

class BildLaden : public AssetsOrdner {
protected:
    void SetUp() override
    {
        AssetsOrdner::SetUp();
        Anzeige(HeadlessConfig());
    }

    // A display with its primary surface, on a platform reset with cfg.
    void Anzeige(const HeadlessConfig& cfg)
    {
        headless_reset(cfg);
        lpDD = nullptr;
        lpDDSPrimary = nullptr;
        lpDDPal = nullptr;
        ASSERT_EQ(plat_display_create(&lpDD), PLAT_OK);
        ASSERT_EQ(plat_display_create_primary(lpDD, &lpDDSPrimary), PLAT_OK);
        iGameState = GS_TITLE;
    }

    void TearDown() override
    {
        if (lpDD)
            plat_display_release(lpDD);
        lpDD = nullptr;
        lpDDSPrimary = nullptr;
        lpDDPal = nullptr;
        AssetsOrdner::TearDown();
    }

    PlatSurface* Flaeche(int w, int h, BYTE fuellung = 0xEE)
    {
        PlatSurface* s = nullptr;
        EXPECT_EQ(plat_display_create_surface(lpDD, w, h, true, &s), PLAT_OK);
        // The whole pitch, so bytes beyond the width can be watched too.
        PlatLock l{};
        EXPECT_EQ(plat_surface_lock(s, &l), PLAT_OK);
        memset(l.lpSurface, fuellung, static_cast<size_t>(l.lPitch) * l.dwHeight);
        plat_surface_unlock(s);
        return s;
    }

    // Surface bytes row by row, including what lies beyond the width.
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
        PackFileVerzeichnis pfv{};
        EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 0);
        return PackFile_Bild_laden("Grafik.dat", &pfv, sektor, ziel, palette, spiegeln);
    }
};

TEST_F(BildLaden, BottomRowOfFileBecomesTopRowOfSurface)
{
    Schreiben("Grafik.dat", Archiv({{2, SEKTOR_BMP, Bmp(8, 3, Muster(8, 3))}}));
    PlatSurface* s = Flaeche(8, 3);
    int offen = headless_live_objects();
    EXPECT_EQ(Laden(2, s), 0);
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(headless_live_objects(), offen) << "file closed";
    std::vector<std::string> z = Zeilen(s);
    ASSERT_EQ(z.size(), 3u);
    std::string m = Muster(8, 3);
    EXPECT_EQ(z[0].substr(0, 8), m.substr(16, 8));
    EXPECT_EQ(z[1].substr(0, 8), m.substr(8, 8));
    EXPECT_EQ(z[2].substr(0, 8), m.substr(0, 8));
    EXPECT_EQ(iGameState, GS_TITLE);
}

TEST_F(BildLaden, MirrorFlagReversesEveryRowOnlyWhenExactlyOne)
{
    Schreiben("Grafik.dat", Archiv({{0, SEKTOR_BMP, Bmp(4, 2, "abcdefgh")}}));
    PlatSurface* s = Flaeche(4, 2);
    EXPECT_EQ(Laden(0, s, 0, 1), 0);
    EXPECT_EQ(Zeilen(s)[0].substr(0, 4), "hgfe");
    EXPECT_EQ(Zeilen(s)[1].substr(0, 4), "dcba");
    EXPECT_EQ(Laden(0, s, 0, 2), 0);
    EXPECT_EQ(Zeilen(s)[0].substr(0, 4), "efgh");

    BYTE ungerade[] = {1, 2, 3, 4, 5};
    Bild_spiegeln(ungerade, 5);
    EXPECT_EQ(std::string(ungerade, ungerade + 5), std::string("\5\4\3\2\1"));
}

TEST_F(BildLaden, SectorBoundAndTypeCode)
{
    std::string bmp = Bmp(4, 1, "abcd");
    Schreiben("Grafik.dat", Archiv({{40, SEKTOR_BMP, bmp}, {41, SEKTOR_BMP, bmp}, {3, SEKTOR_WAV, bmp}}));
    PlatSurface* s = Flaeche(4, 1);
    EXPECT_EQ(Laden(40, s), 0);
    EXPECT_EQ(iGameState, GS_TITLE);

    const int falsch[] = {41, 3, -1, 1000000};
    for (int sektor : falsch) {
        headless_log_clear();
        iGameState = GS_TITLE;
        EXPECT_EQ(Laden(sektor, s), 2) << sektor;
        EXPECT_EQ(iGameState, GS_EXIT) << sektor;
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_EQ(Meldungen()[0], Fehler("PackFile_Bild_laden: Ungültiger BMP-Sektor ausgewählt!"));
    }

    headless_log_clear();
    iGameState = GS_TITLE;
    EXPECT_EQ(Laden(40, nullptr), 1);
    EXPECT_EQ(iGameState, GS_EXIT);
    EXPECT_EQ(Meldungen()[0], Fehler("PackFile_Bild_laden: Surface nich vorhanden!"));
}

TEST_F(BildLaden, FormatMismatchNamesBothWidthsAndEndsTheGame)
{
    struct Fall {
        std::string bmp;
        const char* text;
    } faelle[] = {
        {Bmp(9, 2, Muster(9, 2)), "PackFile_Bild_laden: Formatvergleich - Breite19 Breite28"},
        {Bmp(8, 3, Muster(8, 3)), "PackFile_Bild_laden: Formatvergleich - Breite18 Breite28"},
        {Bmp(8, 2, Muster(4, 2), 4), "PackFile_Bild_laden: Formatvergleich - Breite18 Breite28"},
        {Bmp(8, 2, Muster(24, 2), 24), "PackFile_Bild_laden: Formatvergleich - Breite18 Breite28"},
        {Bmp(8, -2, Muster(8, 2)), "PackFile_Bild_laden: Formatvergleich - Breite18 Breite28"},
    };
    PlatSurface* s = Flaeche(8, 2, 0x42);
    for (const Fall& f : faelle) {
        Schreiben("Grafik.dat", Archiv({{1, SEKTOR_BMP, f.bmp}}));
        headless_log_clear();
        iGameState = GS_PLAYING;
        int offen = headless_live_objects();
        EXPECT_EQ(Laden(1, s), 7) << f.text;
        EXPECT_EQ(iGameState, GS_EXIT);
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_EQ(Meldungen()[0], Fehler(f.text));
        EXPECT_EQ(headless_live_objects(), offen);
        EXPECT_EQ(Zeilen(s)[0].substr(0, 8), std::string(8, '\x42')) << "surface untouched";
    }
}

TEST_F(BildLaden, WiderPitchKeepsBytesBeyondTheWidth)
{
    HeadlessConfig cfg;
    cfg.extra_pitch = 12;
    Anzeige(cfg);
    Schreiben("Grafik.dat", Archiv({{5, SEKTOR_BMP, Bmp(8, 4, Muster(8, 4))}}));
    PlatSurface* s = Flaeche(8, 4, 0x99);
    const size_t pitch = Zeilen(s)[0].size();
    ASSERT_GE(pitch, 20u);
    EXPECT_EQ(Laden(5, s), 0);
    std::string m = Muster(8, 4);
    std::vector<std::string> z = Zeilen(s);
    for (int y = 0; y < 4; y++) {
        EXPECT_EQ(z[y].substr(0, 8), m.substr((3 - y) * 8, 8)) << y;
        EXPECT_EQ(z[y].substr(8), std::string(pitch - 8, '\x99')) << y;
    }
}

TEST_F(BildLaden, PaletteFlagMakesTheColourTableTheScreenPalette)
{
    std::string farben;
    for (int i = 0; i < 256; i++)
        farben += std::string{static_cast<char>(i), static_cast<char>(255 - i), 7, 1};
    farben.replace(4 * 17, 4, std::string{10, 20, 30, 99});
    Schreiben("Grafik.dat", Archiv({{26, SEKTOR_BMP, Bmp(4, 1, "abcd", 8, farben)}}));
    PlatSurface* s = Flaeche(4, 1);

    EXPECT_EQ(Laden(26, s, 0), 0);
    EXPECT_EQ(lpDDPal, nullptr) << "no palette without the flag";
    EXPECT_EQ(headless_fault_calls("CreatePalette"), 0);
    EXPECT_EQ(Laden(26, s, 2), 0);
    EXPECT_EQ(headless_fault_calls("CreatePalette"), 0);

    EXPECT_EQ(Laden(26, s, 1), 0);
    ASSERT_NE(lpDDPal, nullptr);
    ASSERT_EQ(plat_surface_flip(lpDDSPrimary), PLAT_OK);
    const PALETTEENTRY* pal = headless_palette();
    ASSERT_NE(pal, nullptr);
    EXPECT_EQ(pal[17].peRed, 30);
    EXPECT_EQ(pal[17].peGreen, 20);
    EXPECT_EQ(pal[17].peBlue, 10);
    EXPECT_EQ(pal[17].peFlags, PC_NOCOLLAPSE);
    EXPECT_EQ(pal[200].peRed, 7);
    EXPECT_EQ(pal[200].peGreen, 55);
    EXPECT_EQ(pal[200].peBlue, 200);

    // Each background load replaces the palette without piling up objects.
    int offen = headless_live_objects();
    EXPECT_EQ(Laden(26, s, 1), 0);
    EXPECT_EQ(Laden(26, s, 1), 0);
    EXPECT_EQ(headless_live_objects(), offen);
}

TEST_F(BildLaden, PaletteFailuresComeAfterThePixels)
{
    Schreiben("Grafik.dat", Archiv({{34, SEKTOR_BMP, Bmp(4, 1, "abcd")}}));
    PlatSurface* s = Flaeche(4, 1);
    headless_fault_arm("CreatePalette", 0, 1);
    EXPECT_EQ(Laden(34, s, 1), 10);
    EXPECT_EQ(Meldungen().back(), Fehler("PackFile_Bild_laden: CreatePalette()"));
    EXPECT_EQ(Zeilen(s)[0].substr(0, 4), "abcd");
    EXPECT_EQ(lpDDPal, nullptr);

    headless_log_clear();
    int offen = headless_live_objects();
    headless_fault_arm("SetPalette", 0, 1);
    EXPECT_EQ(Laden(34, s, 1), 11);
    EXPECT_EQ(Meldungen().back(), Fehler("PackFile_Bild_laden: SetPalette()"));
    EXPECT_EQ(headless_live_objects(), offen) << "the palette that could not be set is not kept";
    EXPECT_EQ(Laden(34, s, 1), 0);
}

TEST_F(BildLaden, EveryFailureClosesTheFileAndUnlocks)
{
    Schreiben("Grafik.dat", Archiv({{2, SEKTOR_BMP, Bmp(4, 2, "abcdefgh")}}));
    PlatSurface* s = Flaeche(4, 2);
    struct Fall {
        const char* schritt;
        int skip;
        int code;
        const char* text;
    } faelle[] = {
        {"malloc", 0, 3, "PackFile_Bild_laden: malloc(lpbyBild)"},
        {"CreateFile", 1, 4, "Die Datei <Grafik.dat> wurde nicht gefunden!"},
        {"ReadFile", 1, 5, "PackFile_Bild_laden: ReadeFile(BMPFileHead)"},
        {"ReadFile", 2, 6, "PackFile_Bild_laden: ReadeFile(BMPInfoHead)"},
        {"ReadFile", 3, 8, "PackFile_Bild_laden: ReadeFile(Palette)"},
        {"ReadFile", 4, 9, "PackFile_Bild_laden: ReadeFile(Bilddaten)"},
        {"Lock", 0, 7, "PackFile_Bild_laden: Formatvergleich - Breite14 Breite20"},
    };
    for (const Fall& f : faelle) {
        headless_log_clear();
        headless_fault_clear();
        iGameState = GS_TITLE;
        int offen = headless_live_objects();
        // The index read takes one CreateFile and one ReadFile first.
        headless_fault_arm(f.schritt, f.skip, 1);
        EXPECT_EQ(Laden(2, s), f.code) << f.text;
        ASSERT_FALSE(Meldungen().empty());
        EXPECT_EQ(Meldungen().back(), Fehler(f.text));
        EXPECT_EQ(headless_live_objects(), offen) << f.text;
        EXPECT_EQ(iGameState, f.code == 7 ? GS_EXIT : GS_TITLE) << f.text;
        headless_fault_clear();
        EXPECT_EQ(Zeilen(s).size(), 2u) << "still lockable after " << f.text;
    }
}

TEST_F(BildLaden, SectorCutShortKeepsWhatIsThereAndZeroesTheRest)
{
    std::string archiv = Archiv({{2, SEKTOR_BMP, Bmp(4, 2, "abcdefgh")}});
    PackFileVerzeichnis pfv{};
    Schreiben("Grafik.dat", archiv);
    ASSERT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 0);
    // The same index, with the file now ending three pixels into the sector.
    std::string kurz = archiv.substr(0, pfv.iSektorOffset[2] + 54 + 1024 + 3);
    Schreiben("Grafik.dat", kurz);
    PlatSurface* s = Flaeche(4, 2, 0x55);
    EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv, 2, s, 0, 0), 0);
    EXPECT_EQ(Zeilen(s)[1].substr(0, 4), std::string("abc\0", 4));
    EXPECT_EQ(Zeilen(s)[0].substr(0, 4), std::string(4, '\0'));

    // Cut inside the info header: nothing usable.
    Schreiben("Grafik.dat", archiv.substr(0, pfv.iSektorOffset[2] + 20));
    EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv, 2, s, 0, 0), 6);
}

TEST_F(BildLaden, OffsetsPointingAnywhereAreRefused)
{
    Schreiben("Grafik.dat", Archiv({{2, SEKTOR_BMP, Bmp(4, 1, "abcd")}}));
    PlatSurface* s = Flaeche(4, 1);
    PackFileVerzeichnis pfv{};
    ASSERT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 0);
    const int32_t offsets[] = {-1, INT32_MIN, 1 << 30, static_cast<int32_t>(Lesen("Grafik.dat").size())};
    for (int32_t o : offsets) {
        pfv.iSektorOffset[2] = o;
        headless_log_clear();
        iGameState = GS_TITLE;
        int offen = headless_live_objects();
        EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfv, 2, s, 0, 0), 5) << o;
        EXPECT_EQ(Meldungen().back(), Fehler("PackFile_Bild_laden: ReadeFile(BMPFileHead)"));
        EXPECT_EQ(headless_live_objects(), offen);
    }
}
