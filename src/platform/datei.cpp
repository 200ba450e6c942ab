// Files and directory search on POSIX, shared by both backends. Names are
// relative to the working directory, as the game expects.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/plat_intern.h"

struct PlatFile {
    int fd = -1;
    bool geschrieben = false;
};

struct PlatFind {
    std::vector<std::string> namen;
    size_t naechster = 0;
};

namespace {

std::vector<std::unique_ptr<PlatFile>> g_dateien;
std::vector<std::unique_ptr<PlatFind>> g_suchen;

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

}  // namespace

int plat_file_live_objects(void) { return static_cast<int>(g_dateien.size() + g_suchen.size()); }

void plat_file_release_all(void) {
    for (auto& f : g_dateien)
        if (f->fd >= 0) ::close(f->fd);
    g_dateien.clear();
    g_suchen.clear();
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
    } else {
        return nullptr;
    }
    g_dateien.push_back(std::make_unique<PlatFile>());
    g_dateien.back()->fd = fd;
    return g_dateien.back().get();
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
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        gesamt += static_cast<DWORD>(n);
    }
    f->geschrieben = true;
    return true;
}

bool plat_file_close(PlatFile* f) {
    // A failing close still gives the handle back, so nothing leaks.
    bool fehler = plat_fault("CloseHandle");
    if (!gueltig(f)) return false;
    bool ok = true;
    if (f->geschrieben && fsync(f->fd) != 0) ok = false;
    if (::close(f->fd) != 0) ok = false;
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
