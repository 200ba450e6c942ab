// Builders for the data-file tests: archives, BMP and RIFF/WAVE sectors
// made in memory, and a fixture that runs each test in a fresh folder on
// a reset headless platform.
#ifndef GLUBBERSHOOT_PACKFILE_TESTBAU_H
#define GLUBBERSHOOT_PACKFILE_TESTBAU_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "assets/packfile.h"
#include "bau/bau.h"
#include "kern/bytefolge.h"
#include "platform/headless/headless.h"
#include "testhilfe.h"

namespace testbau {

inline std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }
inline Bytes Roh(const std::string& s) { return Bau_Text(s); }

inline std::string Le(uint32_t v, int bytes = 4) {
    char b[4];
    Bytes_DWord_schreiben(b, v);
    return std::string(b, static_cast<size_t>(bytes));
}

// 8-bit BMP; `zeilen` in file order (bottom row first). Colour-table
// entry i is (i, i, i, 0) unless `farben` gives all 1024 bytes.
inline std::string Bmp(int32_t w, int32_t h, const std::string& zeilen, uint16_t bits = 8, std::string farben = "") {
    if (farben.empty())
        for (int i = 0; i < 256; i++) farben += std::string(3, static_cast<char>(i)) + '\0';
    return Text(Bau_Bmp(w, h, Roh(farben), Roh(zeilen), bits));
}

// A RIFF sub-chunk with its pad byte; `groesse` overrides the size field.
inline std::string Chunk(const std::string& id, const std::string& daten, int64_t groesse = -1) {
    return Text(Bau_Chunk(id.c_str(), Roh(daten), groesse));
}
inline std::string Riff(const std::string& chunks, int64_t groesse = -1) {
    return Text(Bau_Riff(Roh(chunks), groesse));
}
// 16-byte PCM format: mono, 22050 Hz, 8 bits.
inline std::string Pcm() { return Text(Bau_Pcm(1, 22050, 8)); }
inline std::string Wave(const std::string& samples) { return Text(Bau_Wave(Bau_Pcm(1, 22050, 8), Roh(samples))); }

struct Sektor {
    int nummer;
    int32_t typ;
    std::string daten;
};

// Sectors laid out in reverse order after a filler, so offsets are
// absolute and unordered; then the index with junk in its unread bytes.
inline std::string Archiv(const std::vector<Sektor>& sektoren, std::string kennung = PACKFILE_KENNUNG) {
    BauArchiv a;
    for (auto it = sektoren.rbegin(); it != sektoren.rend(); ++it)
        a.sektoren.push_back({it->nummer, it->typ, Roh(it->daten)});
    a.vorspann.assign(37, 'x');
    a.luecke.assign(13, 'w');
    a.kennung = kennung;
    a.byRest = 'Z';
    return Text(Bau_Archiv(a));
}

// Texts of the message boxes logged so far, "<caption> | <text>".
inline std::vector<std::string> Meldungen() { return Log_nach(headless_log_lines(), "msgbox "); }

}   // namespace testbau

class AssetsOrdner : public ::testing::Test {
protected:
    void SetUp() override {
        headless_reset(HeadlessConfig());
        Testordner_anlegen(false);
    }
};

#endif
