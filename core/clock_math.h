// Millisecond arithmetic over performance-counter ticks.
#ifndef KBX_CLOCK_MATH_H
#define KBX_CLOCK_MATH_H

#include <cstdint>

namespace kbx {

// Whole milliseconds of a counter reading, rounded down and truncated to
// 32 bits: callers compare readings by unsigned difference, which survives
// the wrap-around.
inline std::uint32_t ticks_to_ms_clock(std::int64_t ticks, double ms_per_tick) {
    double ms = static_cast<double>(ticks) * ms_per_tick;
    if (ms < 0) ms = 0;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

// Milliseconds between two readings, rounded to nearest (halves up).
inline std::int64_t elapsed_ms_rounded(std::int64_t start, std::int64_t now, double ms_per_tick) {
    double ms = static_cast<double>(now - start) * ms_per_tick;
    return static_cast<std::int64_t>(ms + 0.5);
}

// Unsigned difference of two ms_clock readings.
inline std::uint32_t ms_since(std::uint32_t earlier, std::uint32_t now) { return now - earlier; }

}  // namespace kbx

#endif
