#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

#include "sdl_testhilfe.h"

namespace {

// An MP3 encoded on the spot from a short tone; empty when no encoder.
std::string Mp3_machen(const std::string& ordner, const std::string& name) {
    const std::string wav = ordner + "/quelle.wav";
    const std::string mp3 = ordner + "/" + name;
    if (!Datei_schreiben(wav, Wave_bauen(250, 6000))) return "";
    const std::string befehl = "lame --quiet -b 64 '" + wav + "' '" + mp3 + "' 2>/dev/null";
    const int ergebnis = std::system(befehl.c_str());
    std::remove(wav.c_str());
    return ergebnis == 0 ? mp3 : "";
}

}   // namespace

class SdlMusikTest : public SdlTonTest {
protected:
    void SetUp() override {
        SdlTonTest::SetUp();
        ordner = Temp_ordner();
    }
    void TearDown() override {
        plat_mci_send_string("close Mp3");
        std::remove((ordner + "/mit leer zeichen.mp3").c_str());
        std::remove((ordner + "/lied.mp3").c_str());
        std::remove(ordner.c_str());
        SdlTonTest::TearDown();
    }
    std::string ordner;
};

TEST_F(SdlMusikTest, OpenPlayCloseWithSpacesInTheName) {
    const std::string mp3 = Mp3_machen(ordner, "mit leer zeichen.mp3");
    if (mp3.empty()) GTEST_SKIP() << "no MP3 encoder";
    EXPECT_EQ(plat_mci_send_string(("open " + mp3 + " type MPEGVideo Alias Mp3").c_str()), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "open alone must not play";
    EXPECT_EQ(plat_mci_send_string("play Mp3"), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    // Played once it ends by itself, and stays open until closed.
    EXPECT_TRUE(Warten_bis([] { return Mix_PlayingMusic() == 0; }, 3000));
    EXPECT_EQ(plat_mci_send_string("play Mp3 repeat"), 0);
    SDL_Delay(450);   // longer than the track
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "repeat must loop";
    EXPECT_EQ(plat_mci_send_string("close Mp3"), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_NE(plat_mci_send_string("play Mp3"), 0) << "a closed alias cannot play";
    // Open again after close.
    EXPECT_EQ(plat_mci_send_string(("open " + mp3 + " type MPEGVideo Alias Mp3").c_str()), 0);
    EXPECT_EQ(plat_mci_send_string("close Mp3"), 0);
}

TEST_F(SdlMusikTest, BadCommandsFailWithoutEffect) {
    const std::string mp3 = Mp3_machen(ordner, "lied.mp3");
    if (mp3.empty()) GTEST_SKIP() << "no MP3 encoder";
    EXPECT_NE(plat_mci_send_string(("open " + ordner + "/fehlt.mp3 type MPEGVideo Alias Mp3").c_str()), 0);
    EXPECT_NE(plat_mci_send_string("play Mp3"), 0) << "a failed open leaves nothing to play";
    EXPECT_NE(plat_mci_send_string(nullptr), 0);
    EXPECT_NE(plat_mci_send_string(""), 0);
    EXPECT_NE(plat_mci_send_string("open  type MPEGVideo Alias Mp3"), 0);
    EXPECT_NE(plat_mci_send_string(("open " + mp3).c_str()), 0);
    EXPECT_NE(plat_mci_send_string(std::string(5000, 'x').c_str()), 0);

    ASSERT_EQ(plat_mci_send_string(("open " + mp3 + " type MPEGVideo Alias Mp3").c_str()), 0);
    EXPECT_NE(plat_mci_send_string(("open " + mp3 + " type MPEGVideo Alias Mp3").c_str()), 0) << "the alias is taken";
    EXPECT_NE(plat_mci_send_string("stop Mp3"), 0);
    EXPECT_NE(plat_mci_send_string("play Mp3 backwards"), 0);
    EXPECT_NE(plat_mci_send_string("play Other"), 0);
    EXPECT_NE(plat_mci_send_string("close Other"), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "refused commands must not start anything";
    EXPECT_EQ(plat_mci_send_string("play Mp3"), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
}
