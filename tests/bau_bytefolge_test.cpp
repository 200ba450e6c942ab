// The shared byte-order helpers and the file builders, read back by the
// game's own loaders.
#include "assets/highscore.h"
#include "audio/dsound.h"
#include "packfile_testbau.h"

using namespace testbau;

TEST(Bytefolge, LittleEndianRoundTripsAtAnyPosition) {
    uint8_t b[7] = {};
    Bytes_DWord_schreiben(b + 1, 0x12345678u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(b), 6), std::string("\0\x78\x56\x34\x12\0", 6));
    EXPECT_EQ(Bytes_DWord_lesen(b + 1), 0x12345678u);
    Bytes_Word_schreiben(b + 3, 0xBEEF);
    EXPECT_EQ(Bytes_Word_lesen(b + 3), 0xBEEF);
    EXPECT_EQ(b[3], 0xEF);
    for (int32_t i : {0, 1, -1, 2000, INT32_MAX, INT32_MIN, INT32_MIN + 1}) {
        Bytes_Int_schreiben(b + 2, i);
        EXPECT_EQ(Bytes_Int_lesen(b + 2), i);
        EXPECT_EQ(Bytes_DWord_lesen(b + 2), static_cast<uint32_t>(i));
    }
}

TEST(Bytefolge, CutOffValuesReadAsFarAsTheyGo) {
    const uint8_t d[3] = {0x01, 0x02, 0x03};
    EXPECT_EQ(Bytes_Wert_lesen(d, 3, 0, 2), 0x0201u);
    EXPECT_EQ(Bytes_Wert_lesen(d, 3, 1, 4), 0x0302u);
    EXPECT_EQ(Bytes_Wert_lesen(d, 3, 3, 4), 0u);
    EXPECT_EQ(Bytes_Wert_lesen(d, 3, SIZE_MAX, 4), 0u);
    EXPECT_EQ(Bytes_Wert_lesen(d, 0, 0, 4), 0u);
    EXPECT_EQ(Bytes_Wert_lesen(d, 3, 0, 9), 0x030201u) << "never more than four bytes";
}

class BauDateien : public AssetsOrdner {};

TEST_F(BauDateien, IndexReadsBackAsTheGameReadsIt) {
    BauArchiv a;
    a.sektoren = {{49, SEKTOR_WAV, Roh("zzz")},
                  {0, SEKTOR_BMP, Roh("ab")},
                  {50, SEKTOR_BMP, Roh("weg")},
                  {-1, SEKTOR_BMP, Roh("weg")}};
    a.vorspann = Roh("v");
    a.byRest = 0xEE;
    const std::string archiv = Text(Bau_Archiv(a));
    EXPECT_EQ(archiv.size(), 1u + 3 + 2 + PACKFILE_INDEX_GROESSE) << "slots past the index are left out";
    Datei_schreiben("Grafik.dat", archiv);
    PackFileVerzeichnis pfv, gelesen;
    ASSERT_EQ(PackFile_oeffnen("Grafik.dat", &pfv), 0);
    EXPECT_EQ(pfv.iSektorTyp[49], SEKTOR_WAV);
    EXPECT_EQ(pfv.iSektorOffset[49], 1);
    EXPECT_EQ(pfv.iSektorTyp[0], SEKTOR_BMP);
    EXPECT_EQ(pfv.iSektorOffset[0], 4);
    EXPECT_EQ(pfv.iSektorTyp[50], 0);
    EXPECT_EQ(std::string(pfv.cFrei, sizeof(pfv.cFrei)), std::string(sizeof(pfv.cFrei), '\xEE'));

    ASSERT_TRUE(Bau_Verzeichnis_lesen(reinterpret_cast<const uint8_t*>(archiv.data()), archiv.size(), &gelesen));
    EXPECT_EQ(memcmp(&gelesen, &pfv, sizeof(pfv)), 0);
    EXPECT_FALSE(
        Bau_Verzeichnis_lesen(reinterpret_cast<const uint8_t*>(archiv.data()), PACKFILE_INDEX_GROESSE - 1, &gelesen));
    EXPECT_EQ(gelesen.iSektorTyp[0], 0) << "too short: the record is zero";

    // The magic text is cut or padded to its 13 bytes.
    a.sektoren.clear();
    a.kennung = "PackFile-1.0 and more";
    EXPECT_EQ(Text(Bau_Archiv(a)).substr(1 + 404, 14), "PackFile-1.0 \xEE");
}

TEST_F(BauDateien, SectorsLoadThroughTheGamesLoaders) {
    ASSERT_EQ(plat_sound_create(&lpDS), PLAT_OK);
    Datei_schreiben("Sound.dat", Archiv({{2, SEKTOR_WAV, Wave("abc")}}));
    PackFileVerzeichnis pfv;
    ASSERT_EQ(PackFile_oeffnen("Sound.dat", &pfv), 0);
    PlatSoundBuffer* b = nullptr;
    EXPECT_EQ(PackFile_Sound_laden("Sound.dat", &pfv, 2, &b), 0);
    plat_sound_buffer_release(b);
    plat_sound_release(lpDS);
    lpDS = nullptr;

    const std::string bmp = Bmp(3, 2, "abcdefgh", 8, std::string(1030, 'f'));
    EXPECT_EQ(bmp.size(), static_cast<size_t>(BAU_BMP_PIXEL) + 8) << "the colour table cut to 256 entries";
    EXPECT_EQ(Bytes_Int_lesen(bmp.data() + 18), 3);
    EXPECT_EQ(Bytes_Int_lesen(bmp.data() + 22), 2);
    EXPECT_EQ(Bytes_DWord_lesen(bmp.data() + 10), static_cast<uint32_t>(BAU_BMP_PIXEL));
    EXPECT_EQ(Text(Bau_Bmp(1, 1, Roh("rgb"), Roh("x"))).substr(BAU_BMP_KOEPFE, 5), std::string("rgb\0\0", 5));
}

TEST(BauRiff, ChunkSearchFindsEitherOrderAndStaysInside) {
    const std::string fmt = Chunk("fmt ", Pcm()), daten = Chunk("data", "abcd");
    EXPECT_EQ(Chunk("LIST", "odd"), std::string("LIST\3\0\0\0odd\0", 12)) << "odd data get a fill byte";
    const std::string vorn = "xx" + Riff(daten + Chunk("LIST", "odd") + fmt);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(vorn.data());
    uint64_t pos = 0;
    uint32_t groesse = 0;
    ASSERT_TRUE(Bau_Chunk_finden(p, vorn.size(), 2, "fmt ", &pos, &groesse));
    EXPECT_EQ(vorn.substr(pos, groesse), Pcm());
    ASSERT_TRUE(Bau_Chunk_finden(p, vorn.size(), 2, "data", &pos, &groesse));
    EXPECT_EQ(vorn.substr(pos, groesse), "abcd");
    EXPECT_FALSE(Bau_Chunk_finden(p, vorn.size(), 0, "data", &pos, &groesse)) << "no RIFF at the start";
    EXPECT_FALSE(Bau_Chunk_finden(p, vorn.size(), vorn.size(), "data", &pos, &groesse));

    // A RIFF size that ends before "fmt ", and a size that jumps past everything.
    const std::string kurz = Riff(daten + fmt, 4 + daten.size());
    EXPECT_FALSE(
        Bau_Chunk_finden(reinterpret_cast<const uint8_t*>(kurz.data()), kurz.size(), 0, "fmt ", &pos, &groesse));
    const std::string weit = Riff(Chunk("junk", "", 0xFFFFFFFF) + fmt);
    EXPECT_FALSE(
        Bau_Chunk_finden(reinterpret_cast<const uint8_t*>(weit.data()), weit.size(), 0, "fmt ", &pos, &groesse));
}

TEST_F(BauDateien, ScoreFileReadsBackThroughTheGame) {
    BauPunkteliste p;
    for (int i = 0; i < 12; i++) p.eintraege.push_back({1000 - i, "Spieler" + std::to_string(i)});
    p.eintraege[3].name = std::string(25, 'N');
    const Bytes d = Bau_Punkteliste(p);
    ASSERT_EQ(d.size(), static_cast<size_t>(HIGHSCORE_DATEI_GROESSE)) << "ten entries at most";
    EXPECT_EQ(Bytes_Word_lesen(&d[HS_ZEIT]), 2024);
    Datei_schreiben(HIGHSCORE_DATEI, Text(d));
    ASSERT_EQ(Highscore_lesen(HIGHSCORE_DATEI), 0);
    EXPECT_EQ(HighscoreListe[9].iPunktzahl, 991);
    EXPECT_STREQ(HighscoreListe[9].szName, "Spieler9");
    EXPECT_EQ(std::string(HighscoreListe[3].szName), std::string(19, 'N')) << "cut to the field";

    p.version = std::string(HIGHSCORE_VERSION) + std::string(20, 'x');
    p.wZeit[5] = 61;
    const std::string falsch = Text(Bau_Punkteliste(p));
    EXPECT_EQ(falsch.substr(0, HS_VERSION_BLOCK), p.version.substr(0, HS_VERSION_BLOCK)) << "cut to the block";
    Datei_schreiben(HIGHSCORE_DATEI, falsch);
    EXPECT_EQ(Highscore_lesen(HIGHSCORE_DATEI), 3);
}
