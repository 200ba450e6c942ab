// The headless backend's own controls, for tests and tools: a virtual
// clock, scripted input, the last flipped frame, a log of every side
// effect and fault injection.
#ifndef GLUBBERSHOOT_HEADLESS_H
#define GLUBBERSHOOT_HEADLESS_H

#include <string>
#include <vector>

#include "platform/platform.h"

struct HeadlessConfig {
    DWORD tick0 = 0;            // start value of the tick counter
    DWORD frame_ms = 16;        // virtual time that one flip takes
    DWORD until_ms = 0;         // 0: no limit; else WM_CLOSE is posted once this much virtual time has passed
    std::string account;        // account name reported; empty: the real one
    bool account_set = false;   // true: report `account` even when empty
    int extra_pitch = 0;        // extra bytes per surface row, to test pitch > width
    bool echo = false;          // also print every log line to standard output as it happens
    // false: a flip keeps no copy of the frame; headless_frame() then
    // points at the flipped pixels, now the front of the flipping chain
    // (pitch headless_frame_pitch()), good until the next flip or the end
    // of the display. For measuring the game's drawing without the copy.
    bool frame_copy = true;
};

// One scripted event: a message, or an action for the runner (shot, globals).
struct HeadlessEreignis {
    DWORD ms = 0;   // virtual ms since start
    bool is_action = false;
    MSG msg{};          // when !is_action
    std::string verb;   // when is_action
    std::string args;
};

// Starts afresh: clock at tick0, empty queues and log, no faults armed,
// every platform object forgotten.
void headless_reset(const HeadlessConfig& cfg);

// Parses a runner script. On a bad line returns false with its 1-based number.
bool headless_script_parse(const std::string& text, std::vector<HeadlessEreignis>* out, int* bad_line);
void headless_script_add(const HeadlessEreignis& e);
void headless_script_set(const std::vector<HeadlessEreignis>& events);

// Called for due action events, inside the message drain.
typedef void (*HeadlessAktion)(const std::string& verb, const std::string& args);
void headless_set_action_handler(HeadlessAktion fn);

// Called at every platform call, so the runner can watch the game's state.
typedef void (*HeadlessBeobachter)(void);
void headless_set_observer(HeadlessBeobachter fn);

// Virtual ms since start (tick - tick0, unsigned).
DWORD headless_ms(void);
void headless_advance(DWORD ms);
bool headless_timed_out(void);

// The log: one line per side effect, "<ms> <what>", as the runner prints it.
void headless_log(const std::string& line_without_ms);
const std::vector<std::string>& headless_log_lines(void);
void headless_log_clear(void);

// Last flipped frame (1024 x 768 indices, top row first) and its palette.
const uint8_t* headless_frame(void);
int32_t headless_frame_pitch(void);
const PALETTEENTRY* headless_palette(void);
int headless_flip_count(void);
// Writes the last frame as an 8-bit BMP with its palette.
bool headless_write_bmp(const char* path);

// Fault injection: the named step (the name in platform.h's comments, e.g.
// "CreateSurface", "Lock", "CreateFile", "WriteFile", "malloc", "Flip" for
// a lost screen) succeeds `skip` more times, then fails `times` times
// (-1: for ever).
void headless_fault_arm(const char* step, int skip, int times);
void headless_fault_clear(void);
int headless_fault_calls(const char* step);   // calls of the step so far

// Objects the platform still holds (surfaces, palettes, clippers, displays,
// sound buffers, sound objects, open files), to check releases.
int headless_live_objects(void);

// Sound voices: playing status of buffer n (numbered by creation order).
bool headless_sound_playing(int n);

#endif
