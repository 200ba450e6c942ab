// Our stand-in for the Windows services the game was written against:
// window and messages, message boxes, 8-bit display surfaces, sound voices,
// media commands, files, clock and account. Plain structs and free
// functions; no game logic lives here. Three backends implement it:
// sdl/ (the real game), headless/ (tests and tools) and web/ (the game
// in a browser page).
//
// Every step that the game lets fail is one call here that can fail, and
// the headless backend can make any of them fail on demand (plat_fault).
#ifndef GLUBBERSHOOT_PLATFORM_H
#define GLUBBERSHOOT_PLATFORM_H

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------- types

typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint8_t BYTE;

struct RECT {
    int32_t left, top, right, bottom;
};

struct POINT {
    int32_t x, y;
};

struct SYSTEMTIME {
    WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};

struct PALETTEENTRY {
    BYTE peRed, peGreen, peBlue, peFlags;
};

// The first 18 bytes of a "fmt " chunk, as the sound loader reads them.
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

// Region record handed to the clip list: this header, then nCount RECTs.
struct RGNDATAHEADER {
    DWORD dwSize;   // 32
    DWORD iType;    // RDH_RECTANGLES
    DWORD nCount;
    DWORD nRgnSize;   // 16 * nCount
    RECT rcBound;
};

struct PlatWindow;
struct PlatDisplay;
struct PlatSurface;
struct PlatClipper;
struct PlatPalette;
struct PlatDC;
struct PlatSound;
struct PlatSoundBuffer;
struct PlatFile;
struct PlatFind;

typedef PlatWindow* HWND;

typedef intptr_t (*WNDPROC)(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);

struct MSG {
    HWND hwnd;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

// Locked pixel access: rows are lPitch bytes apart, one byte per pixel.
struct PlatLock {
    uint8_t* lpSurface;
    int32_t lPitch;
    uint32_t dwWidth;
    uint32_t dwHeight;
};

// ------------------------------------------------------------ constants

enum {
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_KEYDOWN = 0x0100,
    WM_CHAR = 0x0102,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_RBUTTONDOWN = 0x0204,
};

enum {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
};

enum { MB_OK = 0x0, MB_ICONERROR = 0x10 };
enum { TRANSPARENT = 1, OPAQUE = 2 };
enum { RDH_RECTANGLES = 1 };
enum { PC_NOCOLLAPSE = 4 };
enum { DSBSTATUS_PLAYING = 1 };

// Results of the display and sound calls: 0 is success, anything else a
// failure. Negative values are platform failure codes, so they never clash
// with the game's own small positive codes.
enum {
    PLAT_OK = 0,
    PLAT_FEHLER = -1,
    PLAT_SURFACELOST = -2,
    PLAT_UNGUELTIG = -3,
};

// Modes of plat_file_open.
enum {
    PLAT_DATEI_LESEN = 1,           // existing file, read only
    PLAT_DATEI_SCHREIBEN_NEU = 2,   // create or truncate, write only
    // A new version of the file, write only; it takes the file's place at
    // plat_file_commit and not before (see there).
    PLAT_DATEI_ERSETZEN = 3,
};

// ------------------------------------------------------- process entry

// The game's entry, called by each backend's main().
int WinMain(void* hInstance, void* hPrevInstance, char* lpCmdLine, int nShowCmd);

// ------------------------------------------------- window and messages

bool plat_register_class(const char* class_name, WNDPROC proc);         // "RegisterClass"
HWND plat_create_window(const char* class_name, const char* caption);   // "CreateWindow"; null on failure
void plat_show_window(HWND hwnd);
bool plat_peek_message(MSG* msg);   // removes the next pending message, false when none
intptr_t plat_dispatch_message(const MSG* msg);
bool plat_post_message(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);
void plat_post_quit_message(int code);
intptr_t plat_def_window_proc(HWND hwnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);

// Modal; shown and also written to standard error by the real backend.
int plat_message_box(HWND owner, const char* text, const char* caption, uint32_t type);
void plat_message_beep(uint32_t type);

// ------------------------------------------------- clock and account

DWORD plat_get_tick_count(void);
// Gives the processor away for about ms milliseconds (0: just yield).
// Callers keep their timing rules on the tick counter.
void plat_sleep(DWORD ms);
void plat_get_local_time(SYSTEMTIME* st);
void plat_get_system_time(SYSTEMTIME* st);   // UTC
// GetUserNameA: fails when the name and its terminator do not fit *size.
bool plat_get_user_name(char* buffer, DWORD* size);

// ----------------------------------------------------------- memory

void* plat_malloc(size_t bytes);   // "malloc"; null on failure
void plat_free(void* p);

// ------------------------------------------------------------ files

PlatFile* plat_file_open(const char* name, int mode);   // "CreateFile"; null on failure
bool plat_file_size(PlatFile* f, DWORD* size);          // "GetFileSize"
bool plat_file_seek(PlatFile* f, DWORD pos);            // "SetFilePointer", from the start
// "ReadFile": true unless the read itself fails; *got may be short at the end.
bool plat_file_read(PlatFile* f, void* buffer, DWORD bytes, DWORD* got);
bool plat_file_write(PlatFile* f, const void* buffer, DWORD bytes);   // "WriteFile"
bool plat_file_close(PlatFile* f);                                    // "CloseHandle"; flushes written data to disk
bool plat_file_rename(const char* from, const char* to);              // "MoveFile", replaces to atomically
bool plat_file_delete(const char* name);
// Replacing a file whole: plat_file_open(name, PLAT_DATEI_ERSETZEN), write,
// close, then plat_file_commit(name) ("MoveFile") puts the new version in
// the file's place in one step, so readers find the old content or the new,
// never part of either; on any failure plat_file_discard(name) drops it.
// - The open fails when the file is there but may not be written, or is no
//   plain file: a protected file is never replaced.
// - A link is written through: its target gets the new content, the link
//   stays; a dangling link gets its target made.
// - The file keeps its mode, and its owner and group where permitted.
// - When only the file may be written, not its folder, it is written in
//   place: a write that fails or is cut short there can leave it half
//   written, and the commit has nothing left to do.
// A backend without these file rights (a browser's stored files) keeps the
// new version aside and stores it at the commit in one transaction.
bool plat_file_commit(const char* name);
void plat_file_discard(const char* name);

bool plat_get_current_directory(char* buffer, DWORD size);
// Lists the entries of dir whose names end in "." + ext (ext compared
// without regard to case). Null when nothing matches or the search fails.
PlatFind* plat_find_first(const char* dir, const char* ext, char* name, DWORD size);
bool plat_find_next(PlatFind* find, char* name, DWORD size);
void plat_find_close(PlatFind* find);
// GetShortPathNameA: there are no 8.3 names here, so it copies the name.
bool plat_get_short_path_name(const char* name, char* buffer, DWORD size);

// ---------------------------------------------------------- display

int plat_display_create(PlatDisplay** dd);                            // "DirectDrawCreateEx"
int plat_display_set_cooperative_level(PlatDisplay* dd, HWND hwnd);   // "SetCooperativeLevel"
int plat_display_set_mode(PlatDisplay* dd, int w, int h, int bpp);    // "SetDisplayMode"
// Primary surface with one back buffer ("CreateSurface").
int plat_display_create_primary(PlatDisplay* dd, PlatSurface** primary);
int plat_surface_get_back_buffer(PlatSurface* primary, PlatSurface** back);   // "GetAttachedSurface"
// Off-screen plain surface; placement only says where it would live ("CreateSurface").
int plat_display_create_surface(PlatDisplay* dd, int w, int h, bool system_memory, PlatSurface** s);
int plat_display_create_clipper(PlatDisplay* dd, PlatClipper** clipper);          // "CreateClipper"
int plat_clipper_set_clip_list(PlatClipper* clipper, const RGNDATAHEADER* rgn);   // "SetClipList"
int plat_surface_set_clipper(PlatSurface* s, PlatClipper* clipper);               // "SetClipper"
int plat_surface_set_color_key(PlatSurface* s, BYTE low, BYTE high);              // "SetColorKey"

int plat_surface_fill(PlatSurface* s, BYTE colour);   // "Blt(COLORFILL)"
// Equal-sized rectangles, keyed by the source's colour key; cut to the
// destination's clipper when it has one ("Blt").
int plat_surface_blt_keyed(PlatSurface* dst, const RECT* dst_rect, PlatSurface* src, const RECT* src_rect);
int plat_surface_flip(PlatSurface* primary);             // "Flip"; PLAT_SURFACELOST when the screen was lost
int plat_surface_restore(PlatSurface* primary);          // "Restore"
int plat_surface_lock(PlatSurface* s, PlatLock* lock);   // "Lock"
int plat_surface_unlock(PlatSurface* s);                 // "Unlock"

int plat_display_create_palette(PlatDisplay* dd, const PALETTEENTRY entries[256],
                                PlatPalette** pal);                     // "CreatePalette"
int plat_surface_set_palette(PlatSurface* primary, PlatPalette* pal);   // "SetPalette"

int plat_surface_get_dc(PlatSurface* s, PlatDC** dc);   // "GetDC"
int plat_surface_release_dc(PlatSurface* s, PlatDC* dc);
int plat_set_bk_mode(PlatDC* dc, int mode);   // returns the previous mode
// Small built-in system font; default text colour is the palette's darkest entry.
bool plat_text_out(PlatDC* dc, int x, int y, const char* text, int length);

void plat_surface_release(PlatSurface* s);   // the primary takes its back buffer with it
void plat_palette_release(PlatPalette* pal);
void plat_clipper_release(PlatClipper* clipper);
void plat_display_release(PlatDisplay* dd);   // also frees every surface made on it

// ------------------------------------------------------------ sound

int plat_sound_create(PlatSound** ds);                            // "DirectSoundCreate"
int plat_sound_set_cooperative_level(PlatSound* ds, HWND hwnd);   // "DSound.SetCooperativeLevel"
// One voice per buffer; buffers are numbered in the order they are made.
int plat_sound_create_buffer(PlatSound* ds, const WAVEFORMATEX* fmt, DWORD bytes,
                             PlatSoundBuffer** buffer);   // "CreateSoundBuffer"
int plat_sound_buffer_lock(PlatSoundBuffer* b, DWORD offset, DWORD bytes, void** p, DWORD* len);   // "DSB.Lock"
int plat_sound_buffer_unlock(PlatSoundBuffer* b, void* p, DWORD len);                              // "DSB.Unlock"
int plat_sound_buffer_get_status(PlatSoundBuffer* b, DWORD* status);
int plat_sound_buffer_stop(PlatSoundBuffer* b);
int plat_sound_buffer_set_pan(PlatSoundBuffer* b, int32_t pan);   // -10000 .. 10000
int plat_sound_buffer_play(PlatSoundBuffer* b);                   // once, no looping
void plat_sound_buffer_release(PlatSoundBuffer* b);
void plat_sound_release(PlatSound* ds);

// PlaySoundA(file, 0, SND_FILENAME | SND_ASYNC): replaces the loose wave
// that is playing; a null name only stops it.
bool plat_play_sound(const char* file);
// mciSendStringA for the commands of the music player:
// "open <file> type MPEGVideo Alias Mp3", "play Mp3", "play Mp3 repeat", "close Mp3".
int plat_mci_send_string(const char* command);

// ---------------------------------------------------- fault injection

// True when the backend wants the named step to fail now. Only the
// headless backend ever says yes (see headless.h).
bool plat_fault(const char* step);

#endif
