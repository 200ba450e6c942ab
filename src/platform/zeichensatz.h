// The game's texts are Windows-1252; the desktop speaks UTF-8. Shared by
// both backends for what crosses that line: typed text coming in, message
// boxes, logs and error output going out.
#ifndef GLUBBERSHOOT_ZEICHENSATZ_H
#define GLUBBERSHOOT_ZEICHENSATZ_H

#include <cstdint>
#include <string>

// The code point of a Windows-1252 byte; the five unused bytes give U+FFFD.
uint32_t plat_common_zeichen_aus_1252(uint8_t byte);
// The Windows-1252 byte of a code point, or -1 where the code page has none.
int plat_common_zeichen_in_1252(uint32_t zeichen);
// A Windows-1252 text as UTF-8.
std::string plat_common_text_1252_als_utf8(const std::string& text);
// True when the bytes are well-formed UTF-8 (shortest forms, no surrogates).
bool plat_common_ist_utf8(const std::string& text);
// Length of the well-formed UTF-8 sequence at s (1..4) with its code point,
// or 0 when the bytes there are malformed; stops at a terminator.
int plat_common_utf8_lesen(const unsigned char* s, uint32_t* zeichen);

#endif
