// Shared helpers of the tests: fresh folders with the generated data, and
// whole-game runs through the headless runner.
#include "testhilfe.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "assets/dateien.h"

namespace fs = std::filesystem;

namespace {

// A data file as it was when first linked: a test that wrote through a
// link, or changed the file's mode or owner, would show here.
struct Stand {
    fs::path pfad;
    struct stat st;
};

bool Stand_nehmen(const fs::path& pfad, Stand* s) {
    s->pfad = pfad;
    return stat(pfad.c_str(), &s->st) == 0;
}

bool Gleich(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_size == b.st_size && a.st_mode == b.st_mode && a.st_uid == b.st_uid &&
           a.st_gid == b.st_gid && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Removes every folder made by this process when it ends, and fails the
// process if a shared data file changed under it.
struct Aufraeumen {
    std::vector<fs::path> ordner;
    std::vector<Stand> daten;
    ~Aufraeumen() {
        std::error_code ec;
        fs::current_path(fs::temp_directory_path(ec), ec);
        for (const fs::path& p : ordner) fs::remove_all(p, ec);
        for (const Stand& alt : daten) {
            Stand jetzt{};
            if (!Stand_nehmen(alt.pfad, &jetzt) || !Gleich(jetzt.st, alt.st)) {
                std::fprintf(stderr, "testhilfe: the shared data file %s was changed by a test\n", alt.pfad.c_str());
                std::_Exit(1);
            }
        }
    }
};

Aufraeumen g_aufraeumen;
std::atomic<unsigned> g_zaehler{0};

// The game only reads the data files, so each folder gets symbolic links
// to the generated ones instead of ten megabytes of copies (a copy only
// where no link can be made). Symbolic, not hard links: a test may chown
// or remove what is in its folder without touching the build's files.
void Daten_verlinken(const fs::path& ordner) {
    for (const char* name : szPflichtDateien) {
        const fs::path quelle = fs::path(GLUBBER_DATA_DIR) / name, ziel = ordner / name;
        Stand s{};
        if (!Stand_nehmen(quelle, &s)) {
            std::fprintf(stderr, "testhilfe: %s missing\n", quelle.c_str());
            continue;
        }
        bool bNeu = true;
        for (const Stand& d : g_aufraeumen.daten) bNeu = bNeu && d.pfad != quelle;
        if (bNeu) g_aufraeumen.daten.push_back(s);
        std::error_code ec;
        fs::create_symlink(quelle, ziel, ec);
        if (ec && !fs::copy_file(quelle, ziel, ec))
            std::fprintf(stderr, "testhilfe: %s not linked (%s)\n", quelle.c_str(), ec.message().c_str());
    }
}

}   // namespace

std::string Testordner_anlegen(bool mit_daten) {
    auto jetzt = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path ordner;
    std::error_code ec;
    do {
        ordner = fs::temp_directory_path() / ("glubbershoot-test-" + std::to_string(getpid()) + "-" +
                                              std::to_string(g_zaehler++) + "-" + std::to_string(jetzt % 100000));
    } while (!fs::create_directory(ordner, ec));
    g_aufraeumen.ordner.push_back(ordner);
    if (mit_daten) Daten_verlinken(ordner);
    fs::current_path(ordner);
    return ordner.string();
}

RunnerErgebnis Spiel_laufen_lassen(const std::string& script, HeadlessConfig cfg) {
    RunnerOptionen opt;
    opt.script = script;
    opt.cfg = cfg;
    return Runner_ausfuehren(opt);
}

std::vector<std::string> Log_finden(const std::vector<std::string>& log, const std::string& teil) {
    std::vector<std::string> treffer;
    for (const std::string& zeile : log)
        if (zeile.find(teil) != std::string::npos) treffer.push_back(zeile);
    return treffer;
}

std::vector<std::string> Log_nach(const std::vector<std::string>& log, const std::string& wort, bool mit_wort) {
    std::vector<std::string> aus;
    for (const std::string& zeile : log) {
        const size_t p = zeile.find(wort);
        if (p != std::string::npos) aus.push_back(zeile.substr(mit_wort ? p : p + wort.size()));
    }
    return aus;
}

bool Log_enthaelt(const std::vector<std::string>& log, const std::string& teil) {
    return !Log_finden(log, teil).empty();
}

std::string Datei_lesen(const std::string& pfad) {
    std::ifstream in(pfad, std::ios::binary);
    if (!in) return "";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Datei_schreiben(const std::string& pfad, const std::string& inhalt) {
    // A linked data file is replaced, never written through.
    struct stat st;
    if (lstat(pfad.c_str(), &st) == 0 && (S_ISLNK(st.st_mode) || st.st_nlink > 1)) std::remove(pfad.c_str());
    std::ofstream out(pfad, std::ios::binary | std::ios::trunc);
    out << inhalt;
}
