// The generator itself: the same bytes on every run, both with the
// TrueType font and with the built-in pixel font, and a contact sheet.
#include <filesystem>

#include "content_hilfe_test.h"

namespace {

const char* const DATEIEN[] = {"Grafik.dat", "Sound.dat", "start.wav", "main.wav", "win.wav", "lose.wav", "credits.wav"};

void Gleich_pruefen(const std::string& a, const std::string& b)
{
    for (const char* datei : DATEIEN) {
        std::string x = Datei_lesen(a + "/" + datei), y = Datei_lesen(b + "/" + datei);
        EXPECT_FALSE(x.empty()) << datei;
        EXPECT_TRUE(x == y) << datei << " differs between two runs";
    }
}

}  // namespace

TEST(ContentGenerator, TwoRunsGiveTheSameBytes)
{
    std::string a = Testordner_anlegen(false), b = Testordner_anlegen(false);
    ASSERT_EQ(Generator_laufen("--out \"" + a + "\""), 0);
    ASSERT_EQ(Generator_laufen("--out \"" + b + "\""), 0);
    Gleich_pruefen(a, b);
    // The build made its data with the same source.
    Gleich_pruefen(a, GLUBBER_DATA_DIR);
}

TEST(ContentGenerator, PixelFontRunsAreAlsoRepeatable)
{
    std::string a = Testordner_anlegen(false), b = Testordner_anlegen(false);
    ASSERT_EQ(Generator_laufen("--font none --out \"" + a + "\""), 0);
    ASSERT_EQ(Generator_laufen("--font /no/such/font.ttf --out \"" + b + "\""), 0);
    Gleich_pruefen(a, b);
}

TEST(ContentGenerator, ContactSheetHoldsEveryPicture)
{
    std::string ordner = Testordner_anlegen();
    ASSERT_EQ(Generator_laufen("--contact-sheet \"" + ordner + "/bogen\""), 0);
    std::string grafik = Datei_lesen("Grafik.dat");
    size_t index = grafik.size() - 544;
    for (const ContentBild& c : Content_inventar()) {
        char name[32];
        snprintf(name, sizeof(name), "bogen/grafik-%02d.bmp", c.iSektor);
        std::string bild = Datei_lesen(name);
        uint32_t offset = 0;
        for (int i = 3; i >= 0; i--) offset = (offset << 8) | (uint8_t)grafik[index + 204 + 4 * c.iSektor + i];
        EXPECT_EQ(bild, grafik.substr(offset, bild.size())) << name;
        EXPECT_EQ(bild.size(), 1078u + (size_t)c.iBreite * c.iHoehe) << name;
    }
    std::string bogen = Datei_lesen("bogen/contact-sheet.bmp");
    ASSERT_GT(bogen.size(), 1078u);
    EXPECT_EQ(bogen.compare(0, 2, "BM"), 0);
    ASSERT_EQ(Generator_laufen("--contact-sheet \"" + ordner + "/eins.bmp\""), 0);
    EXPECT_EQ(Datei_lesen("eins.bmp"), bogen);
}

TEST(ContentGenerator, RefusesBadArguments)
{
    EXPECT_NE(Generator_laufen(""), 0);
    EXPECT_NE(Generator_laufen("--out"), 0);
    EXPECT_NE(Generator_laufen("--bogus x"), 0);
    EXPECT_NE(Generator_laufen("--out /no/such/folder/at/all"), 0);
}
