// The game's folder in a page. The data files arrive with the page in
// /glubber (the working folder); what the game keeps lives in the page's
// persistent storage under /gespeichert and is linked into the folder:
// "Score.dat", and the MP3 files the player has added (in musik/).
// Replacing "Score.dat" writes its new version beside the link's target
// and renames it there (datei.cpp); each commit then stores the folder
// in one transaction, so a reload finds the old list or the new one.
#include <dirent.h>
#include <emscripten.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/web/web_intern.h"

namespace {

EM_JS(void, js_speicher_sichern, (), { glubber.speicher.sichern(); });

const char* const ORDNER = "/glubber";
const char* const GESPEICHERT = "/gespeichert";
const char* const MUSIK = "/gespeichert/musik";

bool ist_mp3(const char* name) {
    const size_t n = std::strlen(name);
    return n > 4 && strcasecmp(name + n - 4, ".mp3") == 0;
}

void verweisen(const std::string& ziel, const char* name) {
    struct stat st;
    if (lstat(name, &st) == 0) return;   // a data file of the same name wins
    if (symlink(ziel.c_str(), name) != 0) {
        // Then the file is not there for the game; nothing else depends on it.
    }
}

}   // namespace

void web_speicher_einrichten(void) {
    mkdir(ORDNER, 0755);
    mkdir(GESPEICHERT, 0755);
    mkdir(MUSIK, 0755);
    if (chdir(ORDNER) != 0) return;
    verweisen(std::string(GESPEICHERT) + "/Score.dat", "Score.dat");
    if (DIR* d = opendir(MUSIK)) {
        while (dirent* e = readdir(d)) {
            if (ist_mp3(e->d_name)) verweisen(std::string(MUSIK) + "/" + e->d_name, e->d_name);
        }
        closedir(d);
    }
}

void backend_file_committed(const char*) { js_speicher_sichern(); }
