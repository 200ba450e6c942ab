// The fuzz targets' shared ground: a private tmpfs folder, one headless
// platform for the run, findings by abort.
#include "fuzz_hilfe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "graphics/ddraw.h"
#include "platform/backend.h"
#include "shell/spiel.h"

namespace {

std::string g_ordner;

void Ordner_entfernen() {
    if (g_ordner.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(g_ordner, ec);
    g_ordner.clear();
}

}   // namespace

void Fuzz_anfangen(void) {
    if (!g_ordner.empty()) return;
    // Millions of small files are written: memory, not a disk. The runner
    // names a folder of its own, which it removes even after a crash.
    struct stat st;
    const char* vorgabe = std::getenv("GLUBBER_FUZZ_TMP");
    std::string basis = vorgabe && *vorgabe ? vorgabe
                        : stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0
                            ? "/dev/shm"
                            : std::filesystem::temp_directory_path().string();
    std::string muster = basis + "/glubber-fuzz-XXXXXX";
    if (!mkdtemp(muster.data())) {
        std::perror("fuzz: private folder");
        std::abort();
    }
    g_ordner = muster;
    std::atexit(Ordner_entfernen);

    HeadlessConfig cfg;
    cfg.account = "Fuzz";
    headless_reset(cfg);
}

void Fuzz_Datei_schreiben(const char* name, const uint8_t* daten, size_t laenge) {
    FILE* f = std::fopen(name, "wb");
    Fuzz_Pruefen(f != nullptr, "cannot create the input file");
    bool ok = laenge == 0 || std::fwrite(daten, 1, laenge, f) == laenge;
    ok = std::fclose(f) == 0 && ok;
    Fuzz_Pruefen(ok, "cannot write the input file");
}

FuzzEingabe::FuzzEingabe(int extra_pitch) : iVorher(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    Fuzz_Pruefen(iVorher >= 0 && chdir(g_ordner.c_str()) == 0, "cannot enter the private folder");
    headless_log_clear();
    headless_fault_clear();
    headless_advance(0u - headless_ms());   // the clock back at its start
    plat_common_set_extra_pitch(extra_pitch);
    iGameState = GS_TITLE;
}

FuzzEingabe::~FuzzEingabe() {
    headless_log_clear();
    headless_script_set(std::vector<HeadlessEreignis>());
    Fuzz_Pruefen(fchdir(iVorher) == 0, "cannot go back to the starting folder");
    close(iVorher);
}

void Fuzz_Anzeige_auf(void) { Fuzz_Pruefen(DDraw_starten() == 0, "no display"); }

void Fuzz_Pruefen(bool bedingung, const char* text) {
    if (bedingung) return;
    std::fprintf(stderr, "fuzz: broken promise: %s\n", text);
    std::abort();
}

size_t Fuzz_Meldungen(void) {
    size_t n = 0;
    for (const std::string& zeile : headless_log_lines()) n += zeile.find(" msgbox ") != std::string::npos;
    return n;
}
