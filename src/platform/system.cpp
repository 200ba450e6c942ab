// Memory, the real clock and the account name, shared by both backends.
#include <pwd.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstring>
#include <ctime>
#include <string>

#include "platform/backend.h"
#include "platform/plat_intern.h"

namespace {

// The game sizes its buffers from file contents; anything beyond this is
// a damaged file, refused like a failed allocation.
const size_t MAX_BLOCK = 256u * 1024u * 1024u;

bool g_konto_gesetzt = false;
std::string g_konto;

void zeit_fuellen(SYSTEMTIME* st, const struct tm& t, long ms) {
    st->wYear = static_cast<WORD>(t.tm_year + 1900);
    st->wMonth = static_cast<WORD>(t.tm_mon + 1);
    st->wDayOfWeek = static_cast<WORD>(t.tm_wday);
    st->wDay = static_cast<WORD>(t.tm_mday);
    st->wHour = static_cast<WORD>(t.tm_hour);
    st->wMinute = static_cast<WORD>(t.tm_min);
    st->wSecond = static_cast<WORD>(t.tm_sec);
    st->wMilliseconds = static_cast<WORD>(ms);
}

void zeit_holen(SYSTEMTIME* st, bool utc) {
    if (!st) return;
    struct timeval tv;
    gettimeofday(&tv, nullptr);
    time_t sek = tv.tv_sec;
    struct tm t;
    std::memset(&t, 0, sizeof t);
    if (utc)
        gmtime_r(&sek, &t);
    else
        localtime_r(&sek, &t);
    zeit_fuellen(st, t, static_cast<long>(tv.tv_usec / 1000));
}

std::string echtes_konto() {
    if (struct passwd* pw = getpwuid(geteuid()))
        if (pw->pw_name && *pw->pw_name) return pw->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

}   // namespace

void* plat_malloc(size_t bytes) {
    if (plat_fault("malloc")) return nullptr;
    if (bytes > MAX_BLOCK) return nullptr;
    return std::malloc(bytes ? bytes : 1);
}

void plat_free(void* p) { std::free(p); }

void plat_get_local_time(SYSTEMTIME* st) { zeit_holen(st, false); }

void plat_get_system_time(SYSTEMTIME* st) { zeit_holen(st, true); }

void plat_common_set_account(const char* name) {
    g_konto_gesetzt = name != nullptr;
    g_konto = name ? name : "";
}

bool plat_get_user_name(char* buffer, DWORD* size) {
    if (plat_fault("GetUserName")) return false;
    if (!size) return false;
    std::string name = g_konto_gesetzt ? g_konto : echtes_konto();
    if (name.empty() && !g_konto_gesetzt) return false;
    DWORD noetig = static_cast<DWORD>(name.size() + 1);
    if (!buffer || noetig > *size) {
        *size = noetig;
        return false;
    }
    std::memcpy(buffer, name.c_str(), noetig);
    *size = noetig;
    return true;
}

int plat_common_live_objects(void) { return plat_common_display_live_objects() + plat_common_file_live_objects(); }

void plat_common_release_all(void) {
    plat_common_display_release_all();
    plat_common_file_release_all();
}

bool plat_common_wave_format_gueltig(const WAVEFORMATEX* f, DWORD bytes) {
    if (!f || f->wFormatTag != 1) return false;   // PCM only
    if (f->nChannels < 1 || f->nChannels > 2) return false;
    if (f->wBitsPerSample != 8 && f->wBitsPerSample != 16) return false;
    if (f->nSamplesPerSec < 100 || f->nSamplesPerSec > 200000) return false;
    if (f->nBlockAlign != f->nChannels * f->wBitsPerSample / 8) return false;
    if (f->nAvgBytesPerSec != f->nSamplesPerSec * f->nBlockAlign) return false;
    return bytes >= f->nBlockAlign && bytes <= 8u * 1024 * 1024 && bytes / f->nAvgBytesPerSec <= 300;
}
