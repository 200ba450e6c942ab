// The generator itself: the same bytes on every run, both with the
// TrueType font and with the built-in pixel font, and a contact sheet.
#include <filesystem>

#include "content_hilfe_test.h"

namespace {

const char* const DATEIEN[] = {"Grafik.dat", "Sound.dat", "start.wav",  "main.wav",
                               "win.wav",    "lose.wav",  "credits.wav"};

void Gleich_pruefen(const std::string& a, const std::string& b) {
    for (const char* datei : DATEIEN) {
        std::string x = Datei_lesen(a + "/" + datei), y = Datei_lesen(b + "/" + datei);
        EXPECT_FALSE(x.empty()) << datei;
        EXPECT_TRUE(x == y) << datei << " differs between two runs";
    }
}

}   // namespace

// Two runs into two folders, one of them also writing the contact sheet.
TEST(ContentGenerator, TwoRunsGiveTheSameBytesAndASheet) {
    std::string a = Testordner_anlegen(false), b = Testordner_anlegen(false);
    ASSERT_EQ(Generator_laufen("--out \"" + a + "\" --contact-sheet \"" + a + "/bogen\""), 0);
    ASSERT_EQ(Generator_laufen("--out \"" + b + "\""), 0);
    Gleich_pruefen(a, b);
    // The build made its data with the same source.
    Gleich_pruefen(a, GLUBBER_DATA_DIR);

    // The sheet folder: each picture as a BMP of its own, byte for byte its
    // sector, and the whole sheet.
    std::string grafik = Datei_lesen(a + "/Grafik.dat");
    const PackFileVerzeichnis pfv = Verzeichnis(grafik);
    for (const ContentBild& c : Content_inventar()) {
        char name[32];
        snprintf(name, sizeof(name), "/bogen/grafik-%02d.bmp", c.iSektor);
        std::string bild = Datei_lesen(a + name);
        uint32_t offset = (uint32_t)pfv.iSektorOffset[c.iSektor];
        EXPECT_EQ(bild.size(), 1078u + (size_t)c.iBreite * c.iHoehe) << name;
        EXPECT_TRUE(bild == grafik.substr(offset, bild.size())) << name;
    }
    std::string bogen = Datei_lesen(a + "/bogen/contact-sheet.bmp");
    ASSERT_GT(bogen.size(), 1078u);
    EXPECT_EQ(bogen.compare(0, 2, "BM"), 0);
}

TEST(ContentGenerator, RefusesBadArguments) {
    EXPECT_NE(Generator_laufen(""), 0);
    EXPECT_NE(Generator_laufen("--out"), 0);
    EXPECT_NE(Generator_laufen("--bogus x"), 0);
    EXPECT_NE(Generator_laufen("--out /no/such/folder/at/all"), 0);
}
