// Shared helpers of the tests: fresh folders with the generated data, and
// whole-game runs through the headless runner.
#include "testhilfe.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const g_datendateien[] = {"Grafik.dat", "Sound.dat", "start.wav", "main.wav",
                                      "win.wav",    "lose.wav",  "credits.wav"};

// Removes every folder made by this process when it ends.
struct Aufraeumen {
    std::vector<fs::path> ordner;
    ~Aufraeumen() {
        std::error_code ec;
        fs::current_path(fs::temp_directory_path(ec), ec);
        for (const fs::path& p : ordner) fs::remove_all(p, ec);
    }
};

Aufraeumen g_aufraeumen;
std::atomic<unsigned> g_zaehler{0};

}  // namespace

std::string Testordner_anlegen(bool mit_daten) {
    auto jetzt = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path ordner;
    std::error_code ec;
    do {
        ordner = fs::temp_directory_path() / ("glubbershoot-test-" + std::to_string(getpid()) + "-" +
                                              std::to_string(g_zaehler++) + "-" + std::to_string(jetzt % 100000));
    } while (!fs::create_directory(ordner, ec));
    g_aufraeumen.ordner.push_back(ordner);
    if (mit_daten) {
        for (const char* name : g_datendateien) {
            fs::path quelle = fs::path(GLUBBER_DATA_DIR) / name;
            if (!fs::copy_file(quelle, ordner / name, ec))
                std::fprintf(stderr, "testhilfe: %s missing (%s)\n", quelle.c_str(), ec.message().c_str());
        }
    }
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
    std::ofstream out(pfad, std::ios::binary | std::ios::trunc);
    out << inhalt;
}
