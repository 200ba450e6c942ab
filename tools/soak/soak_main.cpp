// glubbershoot-soak: plays many rounds of the real game on the headless
// backend with random input, then says whether anything went wrong.
//
//   glubbershoot-soak [--rounds N] [--seed N] [--data DIR]
//
// SOAK_ROUNDS and SOAK_SEED in the environment do the same as the options
// (which win). The same seed plays the same run again. Exit status 0 when
// every check held, 1 when one failed, 2 on bad arguments.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/dateien.h"
#include "runner/runner.h"
#include "soak.h"

namespace fs = std::filesystem;

#ifdef SOAK_ASAN
// The sanitizer's quarantine of freed blocks holds 256 MiB unless told
// otherwise and fills over a hundred rounds, so the resident set would say
// nothing; 16 MiB still keeps every block freed in the last few rounds
// poisoned. ASAN_OPTIONS can set it anew.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
#endif

namespace {

// Growth from the first figure to the last that still counts as flat. The
// heap count is exact, so a little slack is enough for a container that
// grows once more. The resident set also holds what the allocator keeps
// for later, and under AddressSanitizer its quarantine of freed blocks.
const long long HEAP_SPIELRAUM = 8 * 1024;
const long long RSS_SPIELRAUM_KB = 32 * 1024;

int falsch(const std::string& was) {
    std::fprintf(stderr, "glubbershoot-soak: %s\nusage: glubbershoot-soak [--rounds N] [--seed N] [--data DIR]\n",
                 was.c_str());
    return 2;
}

bool runden_lesen(const char* s, int* runden) {
    uint64_t wert = 0;
    if (!Runner_Zahl_lesen(s, 10000, &wert) || wert == 0) return false;
    *runden = static_cast<int>(wert);
    return true;
}

// The game's folder: its data files and a few MP3 files, which the
// headless backend only names in its media commands.
bool ordner_anlegen(const fs::path& daten, int mp3, std::string* ordner) {
    std::string muster = (fs::temp_directory_path() / "glubbershoot-soak-XXXXXX").string();
    if (!mkdtemp(&muster[0])) return false;
    *ordner = muster;
    std::error_code ec;
    for (const char* name : szPflichtDateien) {
        if (!fs::copy_file(daten / name, fs::path(muster) / name, ec)) {
            std::fprintf(stderr, "glubbershoot-soak: cannot copy %s: %s\n", (daten / name).c_str(),
                         ec.message().c_str());
            return false;
        }
    }
    for (int i = 1; i <= mp3; i++) {
        char name[64];
        std::snprintf(name, sizeof name, "Lied %02d - Soak.mp3", i);
        std::ofstream(fs::path(muster) / name, std::ios::binary) << "ID3 not really music";
    }
    return true;
}

}   // namespace

int main(int argc, char** argv) {
    SoakEinstellung e;
    e.konto = "Soak";
    std::string daten = GLUBBER_DATA_DIR;
    const char* umgebung = std::getenv("SOAK_SEED");
    if (umgebung && !Runner_Zahl_lesen(umgebung, ~0ull, &e.saat)) return falsch("SOAK_SEED wants a number");
    umgebung = std::getenv("SOAK_ROUNDS");
    if (umgebung && !runden_lesen(umgebung, &e.runden)) return falsch("SOAK_ROUNDS wants 1 to 10000");
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        const char* w = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a != "--rounds" && a != "--seed" && a != "--data") return falsch("unknown argument " + a);
        if (!w) return falsch(a + " needs a value");
        ++i;
        if (a == "--seed") {
            if (!Runner_Zahl_lesen(w, ~0ull, &e.saat)) return falsch("--seed wants a number");
        } else if (a == "--rounds") {
            if (!runden_lesen(w, &e.runden)) return falsch("--rounds wants 1 to 10000");
        } else {
            daten = w;
        }
    }
    e.messen_ab = std::min(10, std::max(1, e.runden / 2));

    // From the seed: how many tracks, and a tick counter that wraps round
    // somewhere in the run.
    const int mp3 = static_cast<int>(e.saat % 12) + 1;
    RunnerOptionen opt;
    opt.cfg.tick0 =
        0u - static_cast<DWORD>(e.saat * 2654435761u % (static_cast<unsigned long long>(e.runden) * 190000u) + 1);
    opt.cfg.until_ms = static_cast<DWORD>(e.runden) * 600000u + 600000u;
    opt.cfg.account = e.konto;
    opt.cfg.account_set = true;
    opt.cfg.frame_copy = false;
    opt.script = "0 globals\n";
    opt.aktion = Soak_aktion;
    if (!ordner_anlegen(daten, mp3, &opt.dir)) return falsch("cannot make the game's folder from " + daten);

    std::printf("soak: seed %llu (SOAK_SEED=%llu plays it again), %d rounds, %d MP3 files, tick counter from %u\n",
                static_cast<unsigned long long>(e.saat), static_cast<unsigned long long>(e.saat), e.runden, mp3,
                opt.cfg.tick0);
    std::fflush(stdout);
    Soak_starten(e);
    const auto anfang = std::chrono::steady_clock::now();
    const RunnerErgebnis erg = Runner_ausfuehren(opt);
    const double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - anfang).count();
    Soak_log_pruefen(erg.log);
    const SoakStand& s = Soak_stand();

    std::vector<std::string> fehler = s.fehler;
    if (erg.status != 0 || erg.winmain != 0)
        fehler.push_back("the game ended with status " + std::to_string(erg.status) + ", WinMain " +
                         std::to_string(erg.winmain) + (erg.status == 3 ? " (out of time)" : ""));
    if (s.fehler.empty() && s.runden != e.runden)
        fehler.push_back(std::to_string(s.runden) + " rounds played instead of " + std::to_string(e.runden));
    if (headless_live_objects() != 0)
        fehler.push_back(std::to_string(headless_live_objects()) + " platform objects not released");
    if (s.fehler.empty() && s.rekorde == 0) fehler.push_back("no name was ever entered");
    const long long heap_mehr = static_cast<long long>(s.ende.heap) - static_cast<long long>(s.anfang.heap);
    const long long rss_mehr = s.ende.rss_kb - s.anfang.rss_kb;
    const long long heap_spitze = static_cast<long long>(s.heap_hoechst) - static_cast<long long>(s.anfang.heap);
    if (s.runden == e.runden && (heap_mehr > HEAP_SPIELRAUM || heap_spitze > HEAP_SPIELRAUM))
        fehler.push_back("the heap grew by " + std::to_string(heap_mehr) + " B (at most " +
                         std::to_string(heap_spitze) + " B), more than " + std::to_string(HEAP_SPIELRAUM));
    if (s.runden == e.runden && rss_mehr > RSS_SPIELRAUM_KB)
        fehler.push_back("the resident set grew by " + std::to_string(rss_mehr) + " KiB, more than " +
                         std::to_string(RSS_SPIELRAUM_KB));

    std::printf(
        "soak: %d rounds played to the end, %d left early, %d records entered, best round %d points, %ld messages\n",
        s.runden, s.abgebrochen, s.rekorde, s.bestes, s.eingaben);
    if (s.runden == e.runden) {
        std::printf("soak: memory after round %d: heap %zu B, rss %ld KiB; after round %d: heap %zu B, rss %ld KiB\n",
                    e.messen_ab, s.anfang.heap, s.anfang.rss_kb, e.runden, s.ende.heap, s.ende.rss_kb);
        std::printf("soak: growth: heap %+lld B (highest %+lld, flat within %lld), rss %+lld KiB (within %lld)\n",
                    heap_mehr, heap_spitze, HEAP_SPIELRAUM, rss_mehr, RSS_SPIELRAUM_KB);
    }
    std::printf("soak: %.1f s wall clock for %.0f s of play\n", sekunden, headless_ms() / 1000.0);
    if (fehler.empty()) {
        std::error_code ec;
        fs::remove_all(opt.dir, ec);
        std::printf("soak: PASS\n");
        return 0;
    }
    for (const std::string& f : fehler) std::printf("soak: FAIL: %s\n", f.c_str());
    std::printf("soak: the last input, as runner script lines:\n");
    for (const std::string& z : s.letzte_eingaben) std::printf("  %s\n", z.c_str());
    std::printf("soak: the game's folder is kept: %s\n", opt.dir.c_str());
    return 1;
}
