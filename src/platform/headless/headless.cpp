// The headless backend's core: virtual clock, log, fault injection, the
// last flipped frame, and the side effects that are only logged here
// (message boxes, beeps, loose waves, media commands).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/backend.h"
#include "platform/blit_simd.h"
#include "platform/fenster.h"
#include "platform/headless/headless_intern.h"
#include "platform/zeichensatz.h"

HeadlessZustand g_hl;

namespace {

bool g_im_beobachter = false;

// One line per log entry: line breaks inside a text are written as \n.
std::string eine_zeile(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

void le16(FILE* f, uint32_t v) {
    unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

void le32(FILE* f, uint32_t v) {
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(b, 1, 4, f);
}

}   // namespace

std::string headless_utf8(const std::string& s, bool immer_1252) {
    return !immer_1252 && plat_common_ist_utf8(s) ? s : plat_common_text_1252_als_utf8(s);
}

void headless_beobachten(void) {
    if (!g_hl.beobachter || g_im_beobachter) return;
    g_im_beobachter = true;
    g_hl.beobachter();
    g_im_beobachter = false;
}

// ---------------------------------------------------------- headless.h

void headless_reset(const HeadlessConfig& cfg) {
    plat_common_release_all();
    headless_klang_vergessen();
    plat_common_fenster_vergessen();
    g_hl = HeadlessZustand();
    g_hl.cfg = cfg;
    g_hl.tick = cfg.tick0;
    g_hl.leerlauf_tick = cfg.tick0 - 1;
    g_hl.bild.assign(static_cast<size_t>(HEADLESS_BILD_B) * HEADLESS_BILD_H, 0);
    plat_common_set_extra_pitch(cfg.extra_pitch);
    plat_common_set_account(cfg.account_set || !cfg.account.empty() ? cfg.account.c_str() : nullptr);
}

void headless_set_action_handler(HeadlessAktion fn) { g_hl.aktion = fn; }

void headless_set_observer(HeadlessBeobachter fn) { g_hl.beobachter = fn; }

DWORD headless_ms(void) { return g_hl.tick - g_hl.cfg.tick0; }

void headless_advance(DWORD ms) { g_hl.tick += ms; }

bool headless_timed_out(void) { return g_hl.zeit_um; }

void headless_log(const std::string& line_without_ms) {
    headless_beobachten();
    g_hl.log.push_back(std::to_string(headless_ms()) + " " + line_without_ms);
    if (g_hl.cfg.echo) {
        std::fputs(g_hl.log.back().c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

const std::vector<std::string>& headless_log_lines(void) { return g_hl.log; }

void headless_log_clear(void) { g_hl.log.clear(); }

const uint8_t* headless_frame(void) {
    if (g_hl.gezeigt) return g_hl.gezeigt;
    if (g_hl.bild.empty()) g_hl.bild.assign(static_cast<size_t>(HEADLESS_BILD_B) * HEADLESS_BILD_H, 0);
    return g_hl.bild.data();
}

int32_t headless_frame_pitch(void) { return g_hl.gezeigt ? g_hl.gezeigt_pitch : HEADLESS_BILD_B; }

const PALETTEENTRY* headless_palette(void) { return g_hl.palette; }

int headless_flip_count(void) { return g_hl.flips; }

bool headless_write_bmp(const char* path) {
    if (!path || !*path) return false;
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const uint8_t* bild = headless_frame();
    const uint32_t daten = static_cast<uint32_t>(HEADLESS_BILD_B) * HEADLESS_BILD_H;
    const uint32_t kopf = 14 + 40 + 256 * 4;
    std::fputc('B', f);
    std::fputc('M', f);
    le32(f, kopf + daten);
    le32(f, 0);
    le32(f, kopf);
    le32(f, 40);
    le32(f, HEADLESS_BILD_B);
    le32(f, HEADLESS_BILD_H);   // positive: bottom row first
    le16(f, 1);
    le16(f, 8);
    le32(f, 0);
    le32(f, daten);
    le32(f, 2835);
    le32(f, 2835);
    le32(f, 256);
    le32(f, 0);
    for (const PALETTEENTRY& p : g_hl.palette) {
        unsigned char e[4] = {p.peBlue, p.peGreen, p.peRed, 0};
        std::fwrite(e, 1, 4, f);
    }
    const size_t pitch = static_cast<size_t>(headless_frame_pitch());
    for (int y = HEADLESS_BILD_H - 1; y >= 0; --y)
        std::fwrite(bild + static_cast<size_t>(y) * pitch, 1, HEADLESS_BILD_B, f);
    bool ok = !std::ferror(f);
    return std::fclose(f) == 0 && ok;
}

void headless_fault_arm(const char* step, int skip, int times) {
    if (!step) return;
    HeadlessFehler& f = g_hl.fehler[step];
    f.skip = skip < 0 ? 0 : skip;
    f.times = times < -1 ? -1 : times;
}

void headless_fault_clear(void) { g_hl.fehler.clear(); }

int headless_fault_calls(const char* step) {
    if (!step) return 0;
    auto it = g_hl.aufrufe.find(step);
    return it == g_hl.aufrufe.end() ? 0 : it->second;
}

int headless_live_objects(void) { return plat_common_live_objects() + headless_klang_objekte(); }

// ------------------------------------------------------------ platform.h

bool plat_fault(const char* step) {
    if (!step) return false;
    const std::string_view name(step);
    auto zahl = g_hl.aufrufe.find(name);
    if (zahl == g_hl.aufrufe.end()) zahl = g_hl.aufrufe.emplace(name, 0).first;
    ++zahl->second;
    auto it = g_hl.fehler.find(name);
    if (it == g_hl.fehler.end()) return false;
    HeadlessFehler& f = it->second;
    if (f.skip > 0) {
        --f.skip;
        return false;
    }
    if (f.times == 0) return false;
    if (f.times > 0) --f.times;
    return true;
}

DWORD plat_get_tick_count(void) { return g_hl.tick; }

void plat_sleep(DWORD ms) {
    g_hl.tick += ms ? ms : 1;
    headless_beobachten();
}

int plat_message_box(HWND, const char* text, const char* caption, uint32_t) {
    headless_log("msgbox " + headless_utf8(eine_zeile(caption ? caption : ""), true) + " | " +
                 headless_utf8(eine_zeile(text ? text : ""), true));
    return 1;   // IDOK
}

void plat_message_beep(uint32_t) { headless_log("beep"); }

bool plat_play_sound(const char* file) {
    headless_log(file ? "wave " + headless_utf8(eine_zeile(file), false) : std::string("wave stop"));
    return true;
}

int plat_mci_send_string(const char* command) {
    headless_log("mci " + headless_utf8(eine_zeile(command ? command : ""), false));
    return 0;
}

// ------------------------------------------------------------- backend.h

bool backend_display_open(HWND, int, int) { return true; }

void backend_display_close(void) { g_hl.gezeigt = nullptr; }

bool backend_present(const uint8_t* pixels, int32_t pitch, int w, int h, const PALETTEENTRY palette[256]) {
    if (!g_hl.cfg.frame_copy && w == HEADLESS_BILD_B && h == HEADLESS_BILD_H) {
        g_hl.gezeigt = pixels;
        g_hl.gezeigt_pitch = pitch;
    } else {
        g_hl.gezeigt = nullptr;
        headless_frame();
        int bw = w < HEADLESS_BILD_B ? w : HEADLESS_BILD_B;
        int bh = h < HEADLESS_BILD_H ? h : HEADLESS_BILD_H;
        if (bw < HEADLESS_BILD_B || bh < HEADLESS_BILD_H) std::fill(g_hl.bild.begin(), g_hl.bild.end(), 0);
        plat_common_blit_kopieren(g_hl.bild.data(), HEADLESS_BILD_B, pixels, pitch, bw, bh);
    }
    std::memcpy(g_hl.palette, palette, sizeof g_hl.palette);
    ++g_hl.flips;
    g_hl.tick += g_hl.cfg.frame_ms;
    headless_beobachten();
    return true;
}

bool backend_restore(void) { return true; }

void backend_file_committed(const char*) {}
