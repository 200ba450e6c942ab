// Builders for the data-file tests: archives, BMP and RIFF/WAVE sectors,
// and a fixture that runs each test in a fresh folder on a reset headless
// platform. Everything is built in memory by the tests; no fixtures on disk.
#ifndef GLUBBERSHOOT_PACKFILE_TESTBAU_H
#define GLUBBERSHOOT_PACKFILE_TESTBAU_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "assets/packfile.h"
#include "platform/headless/headless.h"

namespace testbau {

inline void Le32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void Le16(std::string& s, uint16_t v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

inline void Setze32(std::string& s, size_t pos, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        s[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// An 8-bit BMP as stored on disk: `zeilen` holds the rows in file order
// (bottom row first), each `breite` bytes. Colour-table entry i is
// (blue i, green i, red i, 0) unless `farben` (1024 bytes) is given.
inline std::string Bmp(int32_t breite, int32_t hoehe, const std::string& zeilen, uint16_t bits = 8,
                       const std::string& farben = "")
{
    std::string s = "BM";
    Le32(s, 54 + 1024 + static_cast<uint32_t>(zeilen.size()));
    Le32(s, 0);
    Le32(s, 54 + 1024);
    Le32(s, 40);
    Le32(s, static_cast<uint32_t>(breite));
    Le32(s, static_cast<uint32_t>(hoehe));
    Le16(s, 1);
    Le16(s, bits);
    Le32(s, 0);
    Le32(s, static_cast<uint32_t>(zeilen.size()));
    Le32(s, 2835);
    Le32(s, 2835);
    Le32(s, 256);
    Le32(s, 0);
    if (farben.empty()) {
        for (int i = 0; i < 256; i++)
            s += std::string{static_cast<char>(i), static_cast<char>(i), static_cast<char>(i), '\0'};
    } else {
        s += farben;
    }
    return s + zeilen;
}

// Rows in file order whose pixel (x, y-in-file) is (x + 16 * y) & 0xFF,
// so every row and column is told apart.
inline std::string Muster(int breite, int hoehe)
{
    std::string s;
    for (int y = 0; y < hoehe; y++)
        for (int x = 0; x < breite; x++)
            s += static_cast<char>((x + 16 * y) & 0xFF);
    return s;
}

// One RIFF sub-chunk with its pad byte; `groesse` overrides the size field.
inline std::string Chunk(const std::string& id, const std::string& daten, int64_t groesse = -1)
{
    std::string s = id;
    Le32(s, groesse < 0 ? static_cast<uint32_t>(daten.size()) : static_cast<uint32_t>(groesse));
    s += daten;
    if (daten.size() & 1)
        s += '\0';
    return s;
}

// 16-byte PCM "fmt " data.
inline std::string Pcm(uint16_t kanaele = 1, uint32_t rate = 22050, uint16_t bits = 8)
{
    std::string s;
    Le16(s, 1);
    Le16(s, kanaele);
    Le32(s, rate);
    Le32(s, rate * kanaele * bits / 8);
    Le16(s, static_cast<uint16_t>(kanaele * bits / 8));
    Le16(s, bits);
    return s;
}

inline std::string Riff(const std::string& chunks, int64_t groesse = -1)
{
    std::string s = "RIFF";
    Le32(s, groesse < 0 ? static_cast<uint32_t>(4 + chunks.size()) : static_cast<uint32_t>(groesse));
    return s + "WAVE" + chunks;
}

inline std::string Wave(const std::string& samples)
{
    return Riff(Chunk("fmt ", Pcm()) + Chunk("data", samples));
}

struct Sektor {
    int nummer;
    int32_t typ;
    std::string daten;
};

// An archive: a filler, the sectors in reverse order with gaps between
// them (so offsets are absolute and in no particular order), then the
// 544-byte index with `kennung` at 404 and junk in the unread bytes.
inline std::string Archiv(const std::vector<Sektor>& sektoren, const std::string& kennung = PACKFILE_KENNUNG)
{
    std::string s(37, 'x');
    std::vector<int32_t> typ(51, 0), offset(50, 0);
    for (auto it = sektoren.rbegin(); it != sektoren.rend(); ++it) {
        offset[it->nummer] = static_cast<int32_t>(s.size());
        typ[it->nummer] = it->typ;
        s += it->daten;
        s += std::string(13, '\x77');
    }
    std::string index;
    for (int32_t t : typ)
        Le32(index, static_cast<uint32_t>(t));
    for (int32_t o : offset)
        Le32(index, static_cast<uint32_t>(o));
    std::string k = kennung;
    k.resize(13, '\0');
    index += k;
    index += std::string(127, '\x5A');
    return s + index;
}

inline void Schreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

inline std::string Lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

inline bool Vorhanden(const std::string& pfad)
{
    return std::filesystem::exists(pfad);
}

// Message boxes the headless backend logged, as "<caption> | <text>".
inline std::vector<std::string> Meldungen()
{
    std::vector<std::string> m;
    for (const std::string& zeile : headless_log_lines()) {
        size_t p = zeile.find("msgbox ");
        if (p != std::string::npos)
            m.push_back(zeile.substr(p + 7));
    }
    return m;
}

inline std::vector<std::string> Log_mit(const std::string& teil)
{
    std::vector<std::string> m;
    for (const std::string& zeile : headless_log_lines())
        if (zeile.find(teil) != std::string::npos)
            m.push_back(zeile);
    return m;
}

inline std::string Fehler(const std::string& text)
{
    return "Error... | " + text;
}

}  // namespace testbau

// Each test in its own empty folder, as the working directory, on a
// freshly reset headless platform.
class AssetsOrdner : public ::testing::Test {
protected:
    void SetUp() override { Neu(HeadlessConfig()); }

    void Neu(const HeadlessConfig& cfg)
    {
        headless_reset(cfg);
        alt_ = std::filesystem::current_path();
        char muster[] = "/tmp/glubber-assets-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner_ = muster;
        std::filesystem::current_path(ordner_);
    }

    void TearDown() override
    {
        std::filesystem::current_path(alt_);
        std::error_code ec;
        std::filesystem::remove_all(ordner_, ec);
    }

    std::filesystem::path alt_;
    std::string ordner_;
};

#endif
