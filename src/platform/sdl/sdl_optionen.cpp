// The player's choices: the command line and the settings file
// "glubbershoot.conf" of the working directory, lines of key=value.
// The file only ever helps: a damaged or unreadable one is passed over
// and left as it is, and lines it does not know are kept when it is
// written again.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sdl/sdl_intern.h"

SdlEinstellungen g_sdl_einstellungen;
const char* const SDL_EINSTELLUNGSDATEI = "glubbershoot.conf";

namespace {

// Far more than the two lines it needs; a larger file is not ours.
const DWORD DATEI_MAX = 64 * 1024;

const char* const HILFE =
    "Usage: glubbershoot [option...]\n"
    "\n"
    "Plays Glubbershoot in the working directory, which holds the game's data\n"
    "files, the high scores (Score.dat), up to ten MP3 files as music and the\n"
    "settings file glubbershoot.conf.\n"
    "\n"
    "  --window         start in a window (1024 x 768, or the largest integer\n"
    "                   fraction of it that fits the screen)\n"
    "  --fullscreen     start full screen (the default)\n"
    "  --integer-scale  scale by a whole number only, with a black border\n"
    "  --sharp-scale    fill the screen's height with crisp pixels (the default):\n"
    "                   enlarged by a whole number, then smoothed to the size\n"
    "  --no-sound       play silent, without opening a sound device\n"
    "  --help           show this text\n"
    "\n"
    "Alt+Return switches between window and full screen at any time. The choice\n"
    "of window or full screen and of the scaling is remembered in\n"
    "glubbershoot.conf (window=0|1, scale=sharp|integer); options given here win\n"
    "over the file and are remembered.\n"
    "\n"
    "Environment: SDL_AUDIODRIVER and SDL_VIDEODRIVER pick the sound and display\n"
    "system (SDL_AUDIODRIVER=dummy also plays silent).\n";

std::string ohne_rand(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
    return s.substr(a, b - a);
}

// The key of a line ("" for none) and its value.
std::string schluessel(const std::string& zeile, std::string* wert) {
    const size_t gleich = zeile.find('=');
    if (gleich == std::string::npos) return "";
    if (wert != nullptr) *wert = ohne_rand(zeile.substr(gleich + 1));
    return ohne_rand(zeile.substr(0, gleich));
}

const char* fenster_wert(const SdlEinstellungen& e) { return e.fenster ? "1" : "0"; }

const char* skalierung_wert(const SdlEinstellungen& e) {
    return e.skalierung == SKALIERUNG_GANZZAHLIG ? "integer" : "sharp";
}

// The file's text; true also when there is no file (empty text). False
// when it is there but cannot be read whole, or is too large to be ours.
bool datei_lesen(std::string* text) {
    text->clear();
    PlatFile* f = plat_file_open(SDL_EINSTELLUNGSDATEI, PLAT_DATEI_LESEN);
    if (f == nullptr) return access(SDL_EINSTELLUNGSDATEI, F_OK) != 0 && errno == ENOENT;
    DWORD groesse = 0;
    bool ok = plat_file_size(f, &groesse) && groesse <= DATEI_MAX;
    if (ok && groesse > 0) {
        text->resize(groesse);
        DWORD gelesen = 0;
        ok = plat_file_read(f, &(*text)[0], groesse, &gelesen) && gelesen == groesse;
    }
    plat_file_close(f);
    if (!ok) text->clear();
    return ok;
}

}   // namespace

bool sdl_befehlszeile_lesen(int argc, char** argv, SdlBefehlszeile* b) {
    *b = SdlBefehlszeile{};
    for (int i = 1; i < argc && argv != nullptr; ++i) {
        const char* a = argv[i] != nullptr ? argv[i] : "";
        if (std::strcmp(a, "--window") == 0) {
            b->fenster = 1;
        } else if (std::strcmp(a, "--fullscreen") == 0) {
            b->fenster = 0;
        } else if (std::strcmp(a, "--integer-scale") == 0) {
            b->skalierung = SKALIERUNG_GANZZAHLIG;
        } else if (std::strcmp(a, "--sharp-scale") == 0) {
            b->skalierung = SKALIERUNG_SCHARF;
        } else if (std::strcmp(a, "--no-sound") == 0) {
            b->ohne_ton = true;
        } else if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            b->hilfe = true;
        } else {
            b->falsch = a;
            return false;
        }
    }
    return true;
}

const char* sdl_hilfetext(void) { return HILFE; }

void sdl_einstellungen_lesen(const std::string& text, SdlEinstellungen* e) {
    size_t anfang = 0;
    while (anfang < text.size()) {
        size_t ende = text.find('\n', anfang);
        if (ende == std::string::npos) ende = text.size();
        std::string wert;
        const std::string name = schluessel(text.substr(anfang, ende - anfang), &wert);
        // The last good line of a key counts; a value not known changes nothing.
        if (name == "window" && (wert == "0" || wert == "1")) e->fenster = wert == "1";
        if (name == "scale" && wert == "sharp") e->skalierung = SKALIERUNG_SCHARF;
        if (name == "scale" && wert == "integer") e->skalierung = SKALIERUNG_GANZZAHLIG;
        anfang = ende + 1;
    }
}

std::string sdl_einstellungen_schreiben(const std::string& text, const SdlEinstellungen& e) {
    std::string neu;
    bool fenster_da = false, skalierung_da = false;
    size_t anfang = 0;
    while (anfang < text.size()) {
        size_t ende = text.find('\n', anfang);
        if (ende == std::string::npos) ende = text.size();
        const std::string zeile = text.substr(anfang, ende - anfang);
        const std::string name = schluessel(zeile, nullptr);
        // Each of our keys once, where it stood first; all else as it was.
        if (name == "window") {
            if (!fenster_da) neu += std::string("window=") + fenster_wert(e) + "\n";
            fenster_da = true;
        } else if (name == "scale") {
            if (!skalierung_da) neu += std::string("scale=") + skalierung_wert(e) + "\n";
            skalierung_da = true;
        } else {
            neu += zeile + "\n";
        }
        anfang = ende + 1;
    }
    if (!fenster_da) neu += std::string("window=") + fenster_wert(e) + "\n";
    if (!skalierung_da) neu += std::string("scale=") + skalierung_wert(e) + "\n";
    return neu;
}

bool sdl_einstellungen_merken(void) {
    std::string alt;
    if (!datei_lesen(&alt)) return false;   // not ours to overwrite
    const std::string neu = sdl_einstellungen_schreiben(alt, g_sdl_einstellungen);
    if (neu == alt) return true;
    PlatFile* f = plat_file_open(SDL_EINSTELLUNGSDATEI, PLAT_DATEI_ERSETZEN);
    if (f == nullptr) return false;
    const bool geschrieben = plat_file_write(f, neu.data(), static_cast<DWORD>(neu.size()));
    if (plat_file_close(f) && geschrieben && plat_file_commit(SDL_EINSTELLUNGSDATEI)) return true;
    plat_file_discard(SDL_EINSTELLUNGSDATEI);
    return false;
}

void sdl_einstellungen_festlegen(const SdlBefehlszeile& b) {
    SdlEinstellungen e;
    std::string text;
    if (datei_lesen(&text)) sdl_einstellungen_lesen(text, &e);
    if (b.fenster >= 0) e.fenster = b.fenster == 1;
    if (b.skalierung >= 0) e.skalierung = b.skalierung;
    e.ohne_ton = b.ohne_ton;
    g_sdl_einstellungen = e;
    if (b.fenster >= 0 || b.skalierung >= 0) sdl_einstellungen_merken();
}
