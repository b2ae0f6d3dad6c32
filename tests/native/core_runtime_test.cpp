// Platform-free pieces of the runtime: the status label's padding, the
// millisecond clock's arithmetic and the snap rectangle table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/clock_math.h"
#include "core/snap_table.h"
#include "core/state.h"
#include "core/status_text.h"

using namespace kbx;

TEST(StatusText, CentresShortTextAndPadsToFullWidth) {
    char out[kStatusWidth];
    format_status_text("32-bit color", out);   // 12 bytes: starts at 18 - 6
    std::string s(out);
    EXPECT_EQ(s.size(), 63u);
    EXPECT_EQ(s.find_first_not_of(' '), 12u);
    EXPECT_EQ(s.substr(12, 12), "32-bit color");
    EXPECT_EQ(s.find_last_not_of(' '), 23u);

    format_status_text("", out);
    EXPECT_EQ(std::string(out), std::string(63, ' '));

    format_status_text("ab", out);   // odd and even lengths: len / 2 rounds down
    EXPECT_EQ(std::string(out).find('a'), 17u);
    format_status_text("abc", out);
    EXPECT_EQ(std::string(out).find('a'), 17u);
}

TEST(StatusText, LongTextStartsAtColumnZeroAndIsCut) {
    char out[kStatusWidth];
    std::string forty(40, 'x');   // 18 - 20 < 0
    format_status_text(forty.c_str(), out);
    EXPECT_EQ(std::string(out).substr(0, 40), forty);

    std::string hundred(100, 'y');
    format_status_text(hundred.c_str(), out);
    EXPECT_EQ(std::string(out), std::string(63, 'y'));

    std::string thirty(30, 'z');   // starts at 3, room for 60
    format_status_text(thirty.c_str(), out);
    EXPECT_EQ(std::string(out).find('z'), 3u);
    EXPECT_EQ(std::strlen(out), 63u);
}

TEST(StatusText, DepthText) {
    char out[16];
    format_depth_text(32, out);
    EXPECT_STREQ(out, "32-bit color");
    format_depth_text(8, out);
    EXPECT_STREQ(out, "8-bit color");
}

TEST(Clock, MillisecondsRoundDownAndWrapAt32Bits) {
    const double ms_per_tick = 1000.0 / 10000000.0;   // a 10 MHz counter
    EXPECT_EQ(ticks_to_ms_clock(0, ms_per_tick), 0u);
    EXPECT_EQ(ticks_to_ms_clock(19999, ms_per_tick), 1u);
    EXPECT_EQ(ticks_to_ms_clock(20000, ms_per_tick), 2u);
    // 2^32 ms later the reading starts again from 0.
    const std::int64_t wrap = 4294967296LL * 10000;
    EXPECT_EQ(ticks_to_ms_clock(wrap + 70000, ms_per_tick), 7u);
}

TEST(Clock, DifferencesSurviveTheWrapAround) {
    std::uint32_t before = 0xFFFFFFF0u;   // 16 ms before the wrap
    std::uint32_t after = 0x00000014u;    // 20 ms after it
    EXPECT_EQ(ms_since(before, after), 36u);
    EXPECT_EQ(ms_since(after, after), 0u);

    const double ms_per_tick = 1000.0 / 3579545.0;
    const std::int64_t near_wrap = static_cast<std::int64_t>(4294967290.0 / ms_per_tick);
    std::uint32_t a = ticks_to_ms_clock(near_wrap, ms_per_tick);
    std::uint32_t b = ticks_to_ms_clock(near_wrap + static_cast<std::int64_t>(100 / ms_per_tick) + 1, ms_per_tick);
    EXPECT_LT(b, a);   // the reading wrapped
    // Both readings round down, so a 100 ms span reads as 100 or 101.
    EXPECT_GE(ms_since(a, b), 100u);
    EXPECT_LE(ms_since(a, b), 101u);
}

TEST(Clock, ElapsedRoundsHalvesUp) {
    const double ms_per_tick = 0.001;   // 1 MHz: one tick is a microsecond
    EXPECT_EQ(elapsed_ms_rounded(0, 99499, ms_per_tick), 99);
    EXPECT_EQ(elapsed_ms_rounded(0, 99500, ms_per_tick), 100);
    EXPECT_EQ(elapsed_ms_rounded(1000, 101000, ms_per_tick), 100);
}

TEST(SnapTable, ScreenEdgesComeFirst) {
    SnapTable t;
    snap_table_clear(t);
    snap_table_add_screen_edges(t, 1280, 1059);
    ASSERT_EQ(t.count, 4);
    EXPECT_EQ(t.rects[0], (Rect{-1000, 0, 0, 1059}));
    EXPECT_EQ(t.rects[1], (Rect{0, -1000, 1280, 0}));
    EXPECT_EQ(t.rects[2], (Rect{1280, 0, 2280, 1059}));
    EXPECT_EQ(t.rects[3], (Rect{0, 1059, 1280, 2059}));
}

TEST(SnapTable, NeverWritesPastItsEnd) {
    SnapTable t;
    snap_table_clear(t);
    int accepted = 0;
    for (int i = 0; i < 4 + 256 + 256 + 3; ++i)
        if (snap_table_append(t, Rect{i, i, i + 1, i + 1})) ++accepted;
    EXPECT_EQ(accepted, kSnapCapacity);
    EXPECT_EQ(t.count, kSnapCapacity);
    EXPECT_EQ(t.rects[kSnapCapacity - 1], (Rect{259, 259, 260, 260}));
}

// The shared state's portable half builds here, without windows.h.
TEST(SharedState, WindowNumbersCompareAsUnsigned) {
    EXPECT_TRUE(kbx::valid_window_number(0));
    EXPECT_TRUE(kbx::valid_window_number(255));
    EXPECT_FALSE(kbx::valid_window_number(256));
    EXPECT_FALSE(kbx::valid_window_number(-1));
}
