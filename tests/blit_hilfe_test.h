// Shared by the kernel tests: a palette table whose bytes all differ, and
// suites run once per kernel path.
#ifndef GLUBBERSHOOT_BLIT_HILFE_TEST_H
#define GLUBBERSHOOT_BLIT_HILFE_TEST_H

#include <gtest/gtest.h>

#include <string>

#include "platform/blit_simd.h"

// Entries whose four bytes all differ, so a swapped or shifted byte shows.
inline void Tabelle_bauen(uint32_t tabelle[256], uint32_t salz = 0x5A) {
    for (uint32_t i = 0; i < 256; ++i) tabelle[i] = 0xFF000000u ^ (i << 16) ^ ((255 - i) << 8) ^ (i * 37 % 256) ^ salz;
}

// Takes a kernel path for as long as it lives; false when the processor
// lacks it.
struct BlitPfadWahl {
    int vorher = plat_common_blit_pfad();
    bool setzen(int pfad) {
        return pfad <= plat_common_blit_bester_pfad() && plat_common_blit_pfad_setzen(pfad) == pfad;
    }
    ~BlitPfadWahl() { plat_common_blit_pfad_setzen(vorher); }
};

inline std::string Pfadname(const ::testing::TestParamInfo<int>& info) {
    return info.param == BLIT_AVX2 ? "Avx2" : info.param == BLIT_SSE2 ? "Sse2" : "PlainC";
}

#endif
