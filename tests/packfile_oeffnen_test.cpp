// Reading and checking the index of an archive.
#include "packfile_testbau.h"

using namespace testbau;

class PackFileOeffnen : public AssetsOrdner {};

TEST_F(PackFileOeffnen, IndexIsHeldAsReadWithAbsoluteOffsets) {
    std::string a = Bmp(4, 1, "abcd"), b = Wave("xyzw");
    std::string archiv = Archiv({{0, SEKTOR_BMP, a}, {7, SEKTOR_WAV, b}, {40, SEKTOR_BMP, a}});
    Datei_schreiben("Grafik.dat", archiv);
    PackFileVerzeichnis pfv;
    EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 0);
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(headless_live_objects(), 0) << "the archive is closed again";
    EXPECT_EQ(memcmp(&pfv, archiv.data() + archiv.size() - PACKFILE_INDEX_GROESSE, PACKFILE_INDEX_GROESSE), 0);
    EXPECT_EQ(pfv.iSektorTyp[7], SEKTOR_WAV);
    EXPECT_EQ(archiv.compare(pfv.iSektorOffset[7], b.size(), b), 0);
    EXPECT_EQ(archiv.compare(pfv.iSektorOffset[0], a.size(), a), 0);
}

TEST_F(PackFileOeffnen, WrongMagicMissingAndTinyFilesAreRefused) {
    PackFileVerzeichnis pfv{};
    EXPECT_EQ(PackFile_oeffnen("Sound.dat", &pfv), 1);
    EXPECT_EQ(Meldungen().back(), "Error... | Die Datei 'Sound.dat' konnte nicht geöffnet werden!");

    std::string kurz = std::string(404, '\0') + PACKFILE_KENNUNG + '\0';
    for (std::string inhalt :
         {Archiv({}, "packFile-1.0"), Archiv({}, "PackFile-1.1"), Archiv({}, "PackFile-1.0X"), kurz, std::string()}) {
        Datei_schreiben("Sound.dat", inhalt);
        headless_log_clear();
        EXPECT_EQ(PackFile_oeffnen("Sound.dat", &pfv), 2) << inhalt.size();
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_EQ(Meldungen()[0], "Error... | Die Datei 'Sound.dat' ist keine gültige 'PackFile' - Datei!");
    }
    // A read that fails leaves no half index behind.
    Datei_schreiben("Sound.dat", Archiv({{3, SEKTOR_WAV, ""}}));
    headless_fault_arm("ReadFile", 0, 1);
    EXPECT_EQ(PackFile_oeffnen("Sound.dat", &pfv), 2);
    EXPECT_EQ(pfv.iSektorTyp[3], 0);
    EXPECT_EQ(headless_live_objects(), 0);
}
