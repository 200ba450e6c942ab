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
#include "platform/headless/headless.h"
#include "testhilfe.h"

namespace testbau {

inline std::string Le(uint32_t v, int bytes = 4)
{
    std::string s;
    for (int i = 0; i < bytes; i++)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// 8-bit BMP; `zeilen` in file order (bottom row first). Colour-table
// entry i is (i, i, i, 0) unless `farben` gives all 1024 bytes.
inline std::string Bmp(int32_t w, int32_t h, const std::string& zeilen, uint16_t bits = 8, std::string farben = "")
{
    if (farben.empty())
        for (int i = 0; i < 256; i++)
            farben += std::string(3, static_cast<char>(i)) + '\0';
    return "BM" + Le(1078 + zeilen.size()) + Le(0) + Le(1078) + Le(40) + Le(w) + Le(h) + Le(1, 2) + Le(bits, 2) +
           std::string(24, '\0') + farben + zeilen;
}

// A RIFF sub-chunk with its pad byte; `groesse` overrides the size field.
inline std::string Chunk(const std::string& id, const std::string& daten, int64_t groesse = -1)
{
    return id + Le(groesse < 0 ? daten.size() : static_cast<uint32_t>(groesse)) + daten + std::string(daten.size() & 1, '\0');
}
inline std::string Riff(const std::string& chunks, int64_t groesse = -1)
{
    return "RIFF" + Le(groesse < 0 ? 4 + chunks.size() : static_cast<uint32_t>(groesse)) + "WAVE" + chunks;
}
// 16-byte PCM format: mono, 22050 Hz, 8 bits.
inline std::string Pcm() { return Le(1, 2) + Le(1, 2) + Le(22050) + Le(22050) + Le(1, 2) + Le(8, 2); }
inline std::string Wave(const std::string& samples) { return Riff(Chunk("fmt ", Pcm()) + Chunk("data", samples)); }

struct Sektor {
    int nummer;
    int32_t typ;
    std::string daten;
};

// Sectors laid out in reverse order after a filler, so offsets are
// absolute and unordered; then the index with junk in its unread bytes.
inline std::string Archiv(const std::vector<Sektor>& sektoren, std::string kennung = PACKFILE_KENNUNG)
{
    std::string s(37, 'x'), typ(204, '\0'), offset(200, '\0');
    for (auto it = sektoren.rbegin(); it != sektoren.rend(); ++it) {
        typ.replace(4 * it->nummer, 4, Le(it->typ));
        offset.replace(4 * it->nummer, 4, Le(s.size()));
        s += it->daten + std::string(13, 'w');
    }
    kennung.resize(13, '\0');
    return s + typ + offset + kennung + std::string(127, 'Z');
}

// Texts of the message boxes logged so far, "<caption> | <text>".
inline std::vector<std::string> Meldungen()
{
    return Log_nach(headless_log_lines(), "msgbox ");
}

}  // namespace testbau

class AssetsOrdner : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless_reset(HeadlessConfig());
        Testordner_anlegen(false);
    }
};

#endif
