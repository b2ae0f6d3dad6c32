// Layout of the control window's status label text.
#ifndef KBX_STATUS_TEXT_H
#define KBX_STATUS_TEXT_H

#include <cstddef>

namespace kbx {

constexpr int kStatusWidth = 64;

// Pads text with spaces so that it sits roughly centred in the label: it
// starts at column 18 - len/2 (0 when negative) of a 64-byte buffer of
// spaces and is cut to fit. out receives the zero-terminated result.
void format_status_text(const char* text, char out[kStatusWidth]);

// "%d-bit color" for a colour depth, the status label's resting text.
void format_depth_text(int bits_per_pixel, char out[16]);

}  // namespace kbx

#endif
