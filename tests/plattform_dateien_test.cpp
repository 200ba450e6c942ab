// Files, directory search and account name of the shared platform code,
// in a fresh folder each.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "testhilfe.h"

namespace {

class PlattformDateien : public ::testing::Test {
protected:
    void SetUp() override {
        headless_reset(HeadlessConfig());
        Testordner_anlegen(false);
    }
    void TearDown() override { headless_reset(HeadlessConfig()); }

    std::vector<std::string> Suchen(const char* ext, DWORD groesse = 260) {
        std::vector<std::string> namen;
        std::vector<char> name(groesse);
        PlatFind* f = plat_find_first(".", ext, name.data(), groesse);
        if (!f) return namen;
        do namen.push_back(name.data());
        while (plat_find_next(f, name.data(), groesse));
        plat_find_close(f);
        return namen;
    }
};

TEST_F(PlattformDateien, WriteReadSeekAndSize) {
    PlatFile* f = plat_file_open("a.bin", PLAT_DATEI_SCHREIBEN_NEU);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(plat_file_write(f, "0123456789", 10));
    DWORD got = 99;
    char puffer[16] = {};
    EXPECT_FALSE(plat_file_read(f, puffer, 4, &got)) << "opened for writing only";
    EXPECT_TRUE(plat_file_close(f));
    EXPECT_EQ(headless_live_objects(), 0);

    f = plat_file_open("a.bin", PLAT_DATEI_LESEN);
    ASSERT_NE(f, nullptr);
    DWORD groesse = 0;
    EXPECT_TRUE(plat_file_size(f, &groesse));
    EXPECT_EQ(groesse, 10u);
    EXPECT_TRUE(plat_file_seek(f, 6));
    EXPECT_TRUE(plat_file_read(f, puffer, 16, &got));
    EXPECT_EQ(got, 4u) << "short at the end";
    EXPECT_EQ(std::string(puffer, 4), "6789");
    EXPECT_TRUE(plat_file_seek(f, 100));
    EXPECT_TRUE(plat_file_read(f, puffer, 16, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(plat_file_write(f, "x", 1)) << "opened for reading only";
    EXPECT_TRUE(plat_file_close(f));
    EXPECT_FALSE(plat_file_close(f)) << "closed twice";
    EXPECT_FALSE(plat_file_seek(f, 0)) << "a stale handle is refused";

    // A new file replaces the old content.
    f = plat_file_open("a.bin", PLAT_DATEI_SCHREIBEN_NEU);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(plat_file_close(f));
    EXPECT_EQ(Datei_lesen("a.bin"), "");
}

TEST_F(PlattformDateien, OnlyRegularFilesOpenForReading) {
    EXPECT_EQ(plat_file_open("fehlt.dat", PLAT_DATEI_LESEN), nullptr);
    ASSERT_EQ(mkdir("Grafik.dat", 0755), 0);
    EXPECT_EQ(plat_file_open("Grafik.dat", PLAT_DATEI_LESEN), nullptr);
    ASSERT_EQ(mkfifo("Sound.dat", 0644), 0);
    EXPECT_EQ(plat_file_open("Sound.dat", PLAT_DATEI_LESEN), nullptr) << "and a pipe does not block";
    EXPECT_EQ(plat_file_open("", PLAT_DATEI_LESEN), nullptr);
    EXPECT_EQ(plat_file_open(nullptr, PLAT_DATEI_LESEN), nullptr);
    Datei_schreiben("x.dat", "x");
    EXPECT_EQ(plat_file_open("x.dat", 77), nullptr);
    EXPECT_EQ(headless_live_objects(), 0);
}

TEST_F(PlattformDateien, FileStepsFailOnDemandAndLoseNothing) {
    Datei_schreiben("alt.dat", "alt");
    headless_fault_arm("CreateFile", 0, 1);
    EXPECT_EQ(plat_file_open("alt.dat", PLAT_DATEI_LESEN), nullptr);
    PlatFile* f = plat_file_open("neu.tmp", PLAT_DATEI_SCHREIBEN_NEU);
    ASSERT_NE(f, nullptr);
    headless_fault_arm("WriteFile", 0, 1);
    EXPECT_FALSE(plat_file_write(f, "neu", 3));
    EXPECT_TRUE(plat_file_write(f, "neu", 3));
    headless_fault_arm("CloseHandle", 0, 1);
    EXPECT_FALSE(plat_file_close(f));
    EXPECT_EQ(headless_live_objects(), 0) << "a failed close still gives the handle back";
    headless_fault_arm("MoveFile", 0, 1);
    EXPECT_FALSE(plat_file_rename("neu.tmp", "alt.dat"));
    EXPECT_EQ(Datei_lesen("alt.dat"), "alt");
    EXPECT_TRUE(plat_file_rename("neu.tmp", "alt.dat"));
    EXPECT_EQ(Datei_lesen("alt.dat"), "neu");
    EXPECT_FALSE(plat_file_rename("neu.tmp", "alt.dat"));
    f = plat_file_open("alt.dat", PLAT_DATEI_LESEN);
    DWORD groesse = 0, got = 0;
    char c[4];
    for (const char* schritt : {"GetFileSize", "SetFilePointer", "ReadFile"}) headless_fault_arm(schritt, 0, 1);
    EXPECT_FALSE(plat_file_size(f, &groesse));
    EXPECT_FALSE(plat_file_seek(f, 0));
    EXPECT_FALSE(plat_file_read(f, c, 3, &got));
    EXPECT_TRUE(plat_file_read(f, c, 3, &got));
    EXPECT_EQ(got, 3u);
    EXPECT_TRUE(plat_file_close(f));
    EXPECT_TRUE(plat_file_delete("alt.dat"));
    EXPECT_FALSE(plat_file_delete("alt.dat"));
}

TEST_F(PlattformDateien, OnlyPlainFilesAreReplacedAndOnlyOnceWhole) {
    ASSERT_EQ(mkdir("ordner.dat", 0755), 0);
    ASSERT_EQ(mkfifo("rohr.dat", 0644), 0);
    ASSERT_EQ(symlink("rohr.dat", "verweis.dat"), 0);
    for (const char* name : {"ordner.dat", "rohr.dat", "verweis.dat"})
        EXPECT_EQ(plat_file_open(name, PLAT_DATEI_ERSETZEN), nullptr) << name << ", and a pipe does not block";
    EXPECT_FALSE(plat_file_commit("rohr.dat")) << "nothing was written";

    Datei_schreiben("a.dat", "alt");
    PlatFile* f = plat_file_open("a.dat", PLAT_DATEI_ERSETZEN);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(plat_file_write(f, "neu", 3));
    EXPECT_TRUE(plat_file_close(f));
    EXPECT_EQ(Datei_lesen("a.dat"), "alt") << "not before the commit";
    plat_file_discard("a.dat");
    EXPECT_FALSE(plat_file_commit("a.dat"));
    EXPECT_EQ(Datei_lesen("a.dat"), "alt");
    EXPECT_NE(access("a.dat.tmp", F_OK), 0) << "the new version is dropped";
    EXPECT_EQ(headless_live_objects(), 0);
}

TEST_F(PlattformDateien, SearchMatchesTheExtensionInAnyCaseDirectoriesToo) {
    for (const char* n : {"b.mp3", "A.MP3", "c.Mp3", "d.mp3x", "mp3", "e.wav", "f.mp"}) Datei_schreiben(n, "");
    ASSERT_EQ(mkdir("ordner.mp3", 0755), 0);
    EXPECT_EQ(Suchen("mp3"), (std::vector<std::string>{"A.MP3", "b.mp3", "c.Mp3", "ordner.mp3"}));
    EXPECT_EQ(Suchen("ogg"), std::vector<std::string>{});
    char name[8];
    EXPECT_EQ(plat_find_first("gibt-es-nicht", "mp3", name, sizeof name), nullptr);
    // Names that do not fit the caller's buffer are passed over.
    Datei_schreiben("sehr-langer-name.mp3", "");
    EXPECT_EQ(Suchen("mp3", 11), (std::vector<std::string>{"A.MP3", "b.mp3", "c.Mp3", "ordner.mp3"}));
    EXPECT_EQ(headless_live_objects(), 0);
}

TEST_F(PlattformDateien, AccountNameFollowsTheBufferSizeRule) {
    HeadlessConfig cfg;
    cfg.account = "sechzehnzeichen!";   // 16 characters fit 17 bytes
    headless_reset(cfg);
    char name[17];
    DWORD groesse = 17;
    EXPECT_TRUE(plat_get_user_name(name, &groesse));
    EXPECT_STREQ(name, "sechzehnzeichen!");
    EXPECT_EQ(groesse, 17u);

    cfg.account = "siebzehn-zeichen!";
    headless_reset(cfg);
    std::memset(name, 0, sizeof name);
    groesse = 17;
    EXPECT_FALSE(plat_get_user_name(name, &groesse));
    EXPECT_EQ(groesse, 18u);
    EXPECT_EQ(name[0], 0);

    cfg.account.clear();
    cfg.account_set = true;
    headless_reset(cfg);
    groesse = 17;
    EXPECT_TRUE(plat_get_user_name(name, &groesse));
    EXPECT_STREQ(name, "");

    headless_fault_arm("GetUserName", 0, 1);
    EXPECT_FALSE(plat_get_user_name(name, &groesse));
}

}   // namespace
