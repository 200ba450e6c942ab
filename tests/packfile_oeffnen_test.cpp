// Reading and checking the index of an archive.
#include "packfile_testbau.h"

using namespace testbau;

class PackFileOeffnen : public AssetsOrdner {};

TEST_F(PackFileOeffnen, IndexIsHeldAsReadWithAbsoluteOffsets)
{
    std::string a = Bmp(4, 1, "abcd"), b = Wave("xy");
    std::string archiv = Archiv({{0, SEKTOR_BMP, a}, {7, SEKTOR_WAV, b}, {40, SEKTOR_BMP, a}});
    Schreiben("Grafik.dat", archiv);
    int offen = headless_live_objects();

    PackFileVerzeichnis pfv;
    memset(&pfv, 0xCC, sizeof(pfv));
    EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 0);
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(headless_live_objects(), offen) << "the archive must be closed again";

    EXPECT_EQ(pfv.iSektorTyp[0], SEKTOR_BMP);
    EXPECT_EQ(pfv.iSektorTyp[7], SEKTOR_WAV);
    EXPECT_EQ(pfv.iSektorTyp[40], SEKTOR_BMP);
    EXPECT_EQ(pfv.iSektorTyp[1], 0);
    // Offsets point at the sector's first byte from the start of the file,
    // wherever the builder put it.
    EXPECT_EQ(archiv.compare(pfv.iSektorOffset[0], a.size(), a), 0);
    EXPECT_EQ(archiv.compare(pfv.iSektorOffset[7], b.size(), b), 0);
    EXPECT_GT(pfv.iSektorOffset[0], pfv.iSektorOffset[40]);
    // Unread bytes after the magic are carried over untouched.
    EXPECT_EQ(memcmp(&pfv, archiv.data() + archiv.size() - PACKFILE_INDEX_GROESSE, PACKFILE_INDEX_GROESSE), 0);
}

TEST_F(PackFileOeffnen, MagicTextMustMatchExactly)
{
    const char* falsch[] = {"packFile-1.0", "PackFile-1.1", "PackFile-1.0X", "PackFile-1."};
    for (const char* kennung : falsch) {
        headless_log_clear();
        Schreiben("Sound.dat", Archiv({{0, SEKTOR_WAV, Wave("a")}}, kennung));
        PackFileVerzeichnis pfv{};
        EXPECT_EQ(PackFile_oeffnen("Sound.dat", &pfv), 2) << kennung;
        ASSERT_EQ(Meldungen().size(), 1u) << kennung;
        EXPECT_EQ(Meldungen()[0], Fehler("Die Datei 'Sound.dat' ist keine gültige 'PackFile' - Datei!"));
        // The record is filled even so.
        EXPECT_EQ(pfv.iSektorTyp[0], SEKTOR_WAV) << kennung;
    }
}

TEST_F(PackFileOeffnen, MissingOrTinyFilesAreRefused)
{
    PackFileVerzeichnis pfv{};
    EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 1);
    ASSERT_EQ(Meldungen().size(), 1u);
    EXPECT_EQ(Meldungen()[0], Fehler("Die Datei 'Grafik.dat' konnte nicht geöffnet werden!"));

    // Shorter than an index, and exactly the magic text with nothing before it.
    std::string kurz = std::string(404, '\0') + "PackFile-1.0";
    kurz += '\0';
    Schreiben("Grafik.dat", kurz);
    headless_log_clear();
    memset(&pfv, 0xCC, sizeof(pfv));
    EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 2);
    EXPECT_EQ(pfv.iSektorTyp[0], 0) << "the record is zeroed";
    EXPECT_EQ(Meldungen().size(), 1u);

    Schreiben("Grafik.dat", "");
    EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 2);
}

TEST_F(PackFileOeffnen, FailingReadLeavesNoHalfIndex)
{
    Schreiben("Grafik.dat", Archiv({{0, SEKTOR_BMP, Bmp(4, 1, "abcd")}}));
    int offen = headless_live_objects();
    headless_fault_arm("ReadFile", 0, 1);
    PackFileVerzeichnis pfv{};
    EXPECT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 2);
    EXPECT_EQ(pfv.iSektorTyp[0], 0);
    EXPECT_EQ(headless_live_objects(), offen);
}

TEST_F(PackFileOeffnen, LongFileNameInMessageIsCut)
{
    std::string lang(300, 'n');
    PackFileVerzeichnis pfv{};
    EXPECT_EQ(PackFile_oeffnen(lang.c_str(), &pfv), 1);
    ASSERT_EQ(Meldungen().size(), 1u);
    EXPECT_LT(Meldungen()[0].size(), 100u);
}
