// Files and directory search on POSIX, shared by both backends. Names are
// relative to the working directory, as the game expects.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/plat_intern.h"

namespace {

// A new version of a file (PLAT_DATEI_ERSETZEN): the name asked for, the
// file it stands for (links followed) and the new version beside that;
// none when written in place. Kept from the close until the commit.
struct Ersetzung {
    std::string name, ziel, neu;
};

}   // namespace

struct PlatFile {
    int fd = -1;
    bool geschrieben = false;
    bool schreibfehler = false;
    Ersetzung ersetzung;   // name empty: not a new version
};

struct PlatFind {
    std::vector<std::string> namen;
    size_t naechster = 0;
};

namespace {

std::vector<std::unique_ptr<PlatFile>> g_dateien;
std::vector<std::unique_ptr<PlatFind>> g_suchen;

std::vector<Ersetzung> g_ersetzungen;   // closed and waiting for their commit

// A search keeps at most this many names, however large the directory.
const size_t MAX_TREFFER = 65536;

template <typename T>
bool entfernen(std::vector<std::unique_ptr<T>>& v, const T* obj) {
    for (auto it = v.begin(); it != v.end(); ++it)
        if (it->get() == obj) {
            v.erase(it);
            return true;
        }
    return false;
}

bool kopieren(const std::string& s, char* buffer, DWORD size) {
    if (!buffer || s.size() + 1 > size) return false;
    std::memcpy(buffer, s.c_str(), s.size() + 1);
    return true;
}

bool endet_auf(const char* name, const char* ext) {
    size_t n = std::strlen(name), e = std::strlen(ext);
    if (n < e + 1 || name[n - e - 1] != '.') return false;
    return strcasecmp(name + n - e, ext) == 0;
}

// Handles are checked by address only, so a stale one is refused unread.
bool gueltig(const PlatFile* f) {
    for (auto& p : g_dateien)
        if (p.get() == f) return true;
    return false;
}

// Hands out the next name that fits the caller's buffer.
bool naechster_name(PlatFind* find, char* name, DWORD size) {
    while (find->naechster < find->namen.size()) {
        if (kopieren(find->namen[find->naechster++], name, size)) return true;
    }
    return false;
}

PlatFile* aufnehmen(int fd) {
    g_dateien.push_back(std::make_unique<PlatFile>());
    g_dateien.back()->fd = fd;
    return g_dateien.back().get();
}

std::vector<Ersetzung>::iterator ersetzung_finden(const char* name) {
    return std::find_if(g_ersetzungen.begin(), g_ersetzungen.end(),
                        [name](const Ersetzung& e) { return name && e.name == name; });
}

// The file that name stands for, through any chain of links; it need not
// exist. Relative links count from the folder of the link.
bool ziel_finden(const std::string& name, std::string* ziel) {
    std::string pfad = name;
    for (int sprung = 0; sprung < 40; ++sprung) {
        struct stat st;
        if (lstat(pfad.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *ziel = pfad;
            return true;
        }
        char inhalt[PATH_MAX];
        ssize_t n = readlink(pfad.c_str(), inhalt, sizeof inhalt);
        if (n <= 0 || static_cast<size_t>(n) >= sizeof inhalt) return false;
        std::string verweis(inhalt, static_cast<size_t>(n));
        size_t schnitt = pfad.rfind('/');
        pfad = verweis[0] == '/' || schnitt == std::string::npos ? verweis : pfad.substr(0, schnitt + 1) + verweis;
    }
    return false;
}

// The new version takes the mode of the file it replaces, and its owner and
// group: only root may give a file away, a member of the group its group.
bool rechte_uebernehmen(int fd, const struct stat& alt) {
    if (fchown(fd, alt.st_uid, alt.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), alt.st_gid) != 0) {
        // Then it stays ours, as any new file would.
    }
    return fchmod(fd, alt.st_mode & 07777) == 0;
}

PlatFile* ersetzen_oeffnen(const char* name) {
    std::string ziel;
    if (!ziel_finden(name, &ziel)) return nullptr;
    // Opening the file itself for writing asks the system whether we may:
    // a protected file, or one that is no plain file, is not ours to replace.
    int alt = ::open(ziel.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (alt < 0 && errno != ENOENT) return nullptr;
    struct stat st;
    if (alt >= 0 && (fstat(alt, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(alt);
        return nullptr;
    }
    std::string neu = ziel + ".tmp";
    ::unlink(neu.c_str());   // left by a write that was cut short
    int fd = ::open(neu.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, alt >= 0 ? 0600 : 0644);
    if (fd < 0 && alt >= 0 && (errno == EACCES || errno == EPERM)) {
        // The folder takes no new file, but the file itself may be written.
        int flags = fcntl(alt, F_GETFL);
        if (flags >= 0) fcntl(alt, F_SETFL, flags & ~O_NONBLOCK);
        std::swap(fd, alt);
        neu.clear();
    } else if (fd >= 0 && alt >= 0 && !rechte_uebernehmen(fd, st)) {
        ::close(fd);
        ::unlink(neu.c_str());
        fd = -1;
    }
    if (alt >= 0) ::close(alt);
    if (fd < 0) return nullptr;
    PlatFile* f = aufnehmen(fd);
    f->ersetzung = Ersetzung{name, ziel, neu};
    return f;
}

}   // namespace

int plat_common_file_live_objects(void) { return static_cast<int>(g_dateien.size() + g_suchen.size()); }

void plat_common_file_release_all(void) {
    for (auto& f : g_dateien)
        if (f->fd >= 0) ::close(f->fd);
    g_dateien.clear();
    g_suchen.clear();
    g_ersetzungen.clear();
}

PlatFile* plat_file_open(const char* name, int mode) {
    if (plat_fault("CreateFile")) return nullptr;
    if (!name || !*name) return nullptr;
    int fd;
    if (mode == PLAT_DATEI_LESEN) {
        // Non-blocking, so that a pipe of that name cannot stall the game.
        fd = ::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return nullptr;
        struct stat st;
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return nullptr;
        }
        int flags = fcntl(fd, F_GETFL);
        if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    } else if (mode == PLAT_DATEI_SCHREIBEN_NEU) {
        fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return nullptr;
    } else if (mode == PLAT_DATEI_ERSETZEN) {
        return ersetzen_oeffnen(name);
    } else {
        return nullptr;
    }
    return aufnehmen(fd);
}

bool plat_file_size(PlatFile* f, DWORD* size) {
    if (plat_fault("GetFileSize")) return false;
    if (!gueltig(f) || !size) return false;
    struct stat st;
    if (fstat(f->fd, &st) != 0) return false;
    // Files beyond 4 GiB do not fit the game's 32-bit sizes.
    if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > 0xFFFFFFFFull) return false;
    *size = static_cast<DWORD>(st.st_size);
    return true;
}

bool plat_file_seek(PlatFile* f, DWORD pos) {
    if (plat_fault("SetFilePointer")) return false;
    if (!gueltig(f)) return false;
    return lseek(f->fd, static_cast<off_t>(pos), SEEK_SET) != static_cast<off_t>(-1);
}

bool plat_file_read(PlatFile* f, void* buffer, DWORD bytes, DWORD* got) {
    if (got) *got = 0;
    if (plat_fault("ReadFile")) return false;
    if (!gueltig(f) || (!buffer && bytes > 0)) return false;
    DWORD gesamt = 0;
    while (gesamt < bytes) {
        ssize_t n = ::read(f->fd, static_cast<char*>(buffer) + gesamt, bytes - gesamt);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        gesamt += static_cast<DWORD>(n);
    }
    if (got) *got = gesamt;
    return true;
}

bool plat_file_write(PlatFile* f, const void* buffer, DWORD bytes) {
    if (plat_fault("WriteFile")) return false;
    if (!gueltig(f) || (!buffer && bytes > 0)) return false;
    DWORD gesamt = 0;
    while (gesamt < bytes) {
        ssize_t n = ::write(f->fd, static_cast<const char*>(buffer) + gesamt, bytes - gesamt);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            f->schreibfehler = true;
            return false;
        }
        gesamt += static_cast<DWORD>(n);
        f->geschrieben = true;
    }
    return true;
}

bool plat_file_close(PlatFile* f) {
    // A failing close still gives the handle back, so nothing leaks.
    bool fehler = plat_fault("CloseHandle");
    if (!gueltig(f)) return false;
    bool ok = true;
    // Written in place: a shorter new content must not keep the old tail.
    // After a failed write nothing is cut, the old length is all we have.
    const bool ersetzen = !f->ersetzung.name.empty();
    if (ersetzen && f->ersetzung.neu.empty() && f->geschrieben && !f->schreibfehler) {
        off_t ende = lseek(f->fd, 0, SEEK_CUR);
        if (ende < 0 || ftruncate(f->fd, ende) != 0) ok = false;
    }
    if (f->geschrieben && fsync(f->fd) != 0) ok = false;
    if (::close(f->fd) != 0) ok = false;
    if (ersetzen) {
        auto alt = ersetzung_finden(f->ersetzung.name.c_str());
        if (alt != g_ersetzungen.end()) g_ersetzungen.erase(alt);
        g_ersetzungen.push_back(f->ersetzung);
    }
    entfernen(g_dateien, f);
    return ok && !fehler;
}

bool plat_file_rename(const char* from, const char* to) {
    if (plat_fault("MoveFile")) return false;
    if (!from || !to || !*from || !*to) return false;
    return std::rename(from, to) == 0;
}

bool plat_file_delete(const char* name) {
    if (!name || !*name) return false;
    return ::unlink(name) == 0;
}

bool plat_file_commit(const char* name) {
    if (plat_fault("MoveFile")) return false;
    auto e = ersetzung_finden(name);
    if (e == g_ersetzungen.end()) return false;
    if (!e->neu.empty() && std::rename(e->neu.c_str(), e->ziel.c_str()) != 0) return false;
    g_ersetzungen.erase(e);
    backend_file_committed(name);
    return true;
}

void plat_file_discard(const char* name) {
    auto e = ersetzung_finden(name);
    if (e == g_ersetzungen.end()) return;
    if (!e->neu.empty()) ::unlink(e->neu.c_str());
    g_ersetzungen.erase(e);
}

bool plat_get_current_directory(char* buffer, DWORD size) {
    if (!buffer || size == 0) return false;
    return getcwd(buffer, size) != nullptr;
}

PlatFind* plat_find_first(const char* dir, const char* ext, char* name, DWORD size) {
    if (!dir || !ext || !name) return nullptr;
    DIR* d = opendir(*dir ? dir : ".");
    if (!d) return nullptr;
    auto find = std::make_unique<PlatFind>();
    while (dirent* e = readdir(d)) {
        if (find->namen.size() >= MAX_TREFFER) break;
        if (endet_auf(e->d_name, ext)) find->namen.push_back(e->d_name);
    }
    closedir(d);
    // Sorted, so that runs give the same order on every file system.
    std::sort(find->namen.begin(), find->namen.end());
    if (!naechster_name(find.get(), name, size)) return nullptr;
    g_suchen.push_back(std::move(find));
    return g_suchen.back().get();
}

bool plat_find_next(PlatFind* find, char* name, DWORD size) {
    if (!find || !name) return false;
    for (auto& s : g_suchen)
        if (s.get() == find) return naechster_name(find, name, size);
    return false;
}

void plat_find_close(PlatFind* find) { entfernen(g_suchen, find); }

bool plat_get_short_path_name(const char* name, char* buffer, DWORD size) {
    if (!name) return false;
    return kopieren(name, buffer, size);
}
