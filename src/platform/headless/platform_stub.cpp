// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "platform/platform.h"

bool plat_register_class([[maybe_unused]] const char* szClass, [[maybe_unused]] WNDPROC proc) { return 0; }
HWND plat_create_window([[maybe_unused]] const char* szClass, [[maybe_unused]] const char* szCaption) { return 0; }
void plat_show_window([[maybe_unused]] HWND hwnd) {}
bool plat_peek_message([[maybe_unused]] MSG* msg) { return 0; }
intptr_t plat_dispatch_message([[maybe_unused]] const MSG* msg) { return 0; }
bool plat_post_message([[maybe_unused]] HWND hwnd, [[maybe_unused]] uint32_t uMsg, [[maybe_unused]] uintptr_t wParam, [[maybe_unused]] intptr_t lParam) { return 0; }
void plat_post_quit_message([[maybe_unused]] int code) {}
intptr_t plat_def_window_proc([[maybe_unused]] HWND hwnd, [[maybe_unused]] uint32_t uMsg, [[maybe_unused]] uintptr_t wParam, [[maybe_unused]] intptr_t lParam) { return 0; }
int plat_message_box([[maybe_unused]] HWND owner, [[maybe_unused]] const char* text, [[maybe_unused]] const char* caption, [[maybe_unused]] uint32_t type) { return 0; }
void plat_message_beep([[maybe_unused]] uint32_t type) {}
DWORD plat_get_tick_count(void) { return 0; }
void plat_sleep([[maybe_unused]] DWORD ms) {}
void plat_get_local_time([[maybe_unused]] SYSTEMTIME* st) {}
void plat_get_system_time([[maybe_unused]] SYSTEMTIME* st) {}
bool plat_get_user_name([[maybe_unused]] char* buffer, [[maybe_unused]] DWORD* size) { return 0; }
void* plat_malloc([[maybe_unused]] size_t bytes) { return nullptr; }
void plat_free([[maybe_unused]] void* p) {}
PlatFile* plat_file_open([[maybe_unused]] const char* name, [[maybe_unused]] int mode) { return nullptr; }
bool plat_file_size([[maybe_unused]] PlatFile* f, [[maybe_unused]] DWORD* size) { return 0; }
bool plat_file_seek([[maybe_unused]] PlatFile* f, [[maybe_unused]] DWORD pos) { return 0; }
bool plat_file_read([[maybe_unused]] PlatFile* f, [[maybe_unused]] void* buffer, [[maybe_unused]] DWORD bytes, [[maybe_unused]] DWORD* got) { return 0; }
bool plat_file_write([[maybe_unused]] PlatFile* f, [[maybe_unused]] const void* buffer, [[maybe_unused]] DWORD bytes) { return 0; }
bool plat_file_close([[maybe_unused]] PlatFile* f) { return 0; }
bool plat_file_rename([[maybe_unused]] const char* from, [[maybe_unused]] const char* to) { return 0; }
bool plat_file_delete([[maybe_unused]] const char* name) { return 0; }
bool plat_get_current_directory([[maybe_unused]] char* buffer, [[maybe_unused]] DWORD size) { return 0; }
PlatFind* plat_find_first([[maybe_unused]] const char* dir, [[maybe_unused]] const char* ext, [[maybe_unused]] char* name, [[maybe_unused]] DWORD size) { return nullptr; }
bool plat_find_next([[maybe_unused]] PlatFind* find, [[maybe_unused]] char* name, [[maybe_unused]] DWORD size) { return 0; }
void plat_find_close([[maybe_unused]] PlatFind* find) {}
bool plat_get_short_path_name([[maybe_unused]] const char* name, [[maybe_unused]] char* buffer, [[maybe_unused]] DWORD size) { return 0; }
int plat_display_create([[maybe_unused]] PlatDisplay** dd) { return 0; }
int plat_display_set_cooperative_level([[maybe_unused]] PlatDisplay* dd, [[maybe_unused]] HWND hwnd) { return 0; }
int plat_display_set_mode([[maybe_unused]] PlatDisplay* dd, [[maybe_unused]] int w, [[maybe_unused]] int h, [[maybe_unused]] int bpp) { return 0; }
int plat_display_create_primary([[maybe_unused]] PlatDisplay* dd, [[maybe_unused]] PlatSurface** primary) { return 0; }
int plat_surface_get_back_buffer([[maybe_unused]] PlatSurface* primary, [[maybe_unused]] PlatSurface** back) { return 0; }
int plat_display_create_surface([[maybe_unused]] PlatDisplay* dd, [[maybe_unused]] int w, [[maybe_unused]] int h, [[maybe_unused]] bool system_memory, [[maybe_unused]] PlatSurface** s) { return 0; }
int plat_display_create_clipper([[maybe_unused]] PlatDisplay* dd, [[maybe_unused]] PlatClipper** clipper) { return 0; }
int plat_clipper_set_clip_list([[maybe_unused]] PlatClipper* clipper, [[maybe_unused]] const RGNDATAHEADER* rgn) { return 0; }
int plat_surface_set_clipper([[maybe_unused]] PlatSurface* s, [[maybe_unused]] PlatClipper* clipper) { return 0; }
int plat_surface_set_color_key([[maybe_unused]] PlatSurface* s, [[maybe_unused]] BYTE low, [[maybe_unused]] BYTE high) { return 0; }
int plat_surface_fill([[maybe_unused]] PlatSurface* s, [[maybe_unused]] BYTE colour) { return 0; }
int plat_surface_blt_keyed([[maybe_unused]] PlatSurface* dst, [[maybe_unused]] const RECT* dst_rect, [[maybe_unused]] PlatSurface* src, [[maybe_unused]] const RECT* src_rect) { return 0; }
int plat_surface_flip([[maybe_unused]] PlatSurface* primary) { return 0; }
int plat_surface_restore([[maybe_unused]] PlatSurface* primary) { return 0; }
int plat_surface_lock([[maybe_unused]] PlatSurface* s, [[maybe_unused]] PlatLock* lock) { return 0; }
int plat_surface_unlock([[maybe_unused]] PlatSurface* s) { return 0; }
int plat_display_create_palette([[maybe_unused]] PlatDisplay* dd, [[maybe_unused]] const PALETTEENTRY entries[256], [[maybe_unused]] PlatPalette** pal) { return 0; }
int plat_surface_set_palette([[maybe_unused]] PlatSurface* primary, [[maybe_unused]] PlatPalette* pal) { return 0; }
int plat_surface_get_dc([[maybe_unused]] PlatSurface* s, [[maybe_unused]] PlatDC** dc) { return 0; }
int plat_surface_release_dc([[maybe_unused]] PlatSurface* s, [[maybe_unused]] PlatDC* dc) { return 0; }
int plat_set_bk_mode([[maybe_unused]] PlatDC* dc, [[maybe_unused]] int mode) { return 0; }
bool plat_text_out([[maybe_unused]] PlatDC* dc, [[maybe_unused]] int x, [[maybe_unused]] int y, [[maybe_unused]] const char* text, [[maybe_unused]] int length) { return 0; }
void plat_surface_release([[maybe_unused]] PlatSurface* s) {}
void plat_palette_release([[maybe_unused]] PlatPalette* pal) {}
void plat_clipper_release([[maybe_unused]] PlatClipper* clipper) {}
void plat_display_release([[maybe_unused]] PlatDisplay* dd) {}
int plat_sound_create([[maybe_unused]] PlatSound** ds) { return 0; }
int plat_sound_set_cooperative_level([[maybe_unused]] PlatSound* ds, [[maybe_unused]] HWND hwnd) { return 0; }
int plat_sound_create_buffer([[maybe_unused]] PlatSound* ds, [[maybe_unused]] const WAVEFORMATEX* fmt, [[maybe_unused]] DWORD bytes, [[maybe_unused]] PlatSoundBuffer** buffer) { return 0; }
int plat_sound_buffer_lock([[maybe_unused]] PlatSoundBuffer* b, [[maybe_unused]] DWORD offset, [[maybe_unused]] DWORD bytes, [[maybe_unused]] void** p, [[maybe_unused]] DWORD* len) { return 0; }
int plat_sound_buffer_unlock([[maybe_unused]] PlatSoundBuffer* b, [[maybe_unused]] void* p, [[maybe_unused]] DWORD len) { return 0; }
int plat_sound_buffer_get_status([[maybe_unused]] PlatSoundBuffer* b, [[maybe_unused]] DWORD* status) { return 0; }
int plat_sound_buffer_stop([[maybe_unused]] PlatSoundBuffer* b) { return 0; }
int plat_sound_buffer_set_pan([[maybe_unused]] PlatSoundBuffer* b, [[maybe_unused]] int32_t pan) { return 0; }
int plat_sound_buffer_play([[maybe_unused]] PlatSoundBuffer* b) { return 0; }
void plat_sound_buffer_release([[maybe_unused]] PlatSoundBuffer* b) {}
void plat_sound_release([[maybe_unused]] PlatSound* ds) {}
bool plat_play_sound([[maybe_unused]] const char* file) { return 0; }
int plat_mci_send_string([[maybe_unused]] const char* command) { return 0; }
bool plat_fault([[maybe_unused]] const char* step) { return 0; }
#include "platform/headless/headless.h"
void headless_reset(const HeadlessConfig&) {}
bool headless_script_parse(const std::string&, std::vector<HeadlessEreignis>*, int*) { return false; }
void headless_script_add(const HeadlessEreignis&) {}
void headless_script_set(const std::vector<HeadlessEreignis>&) {}
void headless_set_action_handler(HeadlessAktion) {}
void headless_set_observer(HeadlessBeobachter) {}
DWORD headless_ms(void) { return 0; }
void headless_advance(DWORD) {}
bool headless_timed_out(void) { return false; }
void headless_log(const std::string&) {}
static std::vector<std::string> leer;
const std::vector<std::string>& headless_log_lines(void) { return leer; }
void headless_log_clear(void) {}
const uint8_t* headless_frame(void) { return nullptr; }
const PALETTEENTRY* headless_palette(void) { return nullptr; }
int headless_flip_count(void) { return 0; }
bool headless_write_bmp(const char*) { return false; }
void headless_fault_arm(const char*, int, int) {}
void headless_fault_clear(void) {}
int headless_fault_calls(const char*) { return 0; }
int headless_live_objects(void) { return 0; }
bool headless_sound_playing(int) { return false; }
