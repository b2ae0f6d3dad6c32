#include <gtest/gtest.h>

#include <vector>

#include "imageproc/tt_text.h"

namespace {

using namespace kbx;

bool shift_jis_lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool no_lead(unsigned char) { return false; }

std::vector<int> split(const char* s, bool (*is_lead)(unsigned char) = shift_jis_lead) {
    int n = split_tt_text(s, is_lead, nullptr, 0);
    std::vector<int> codes(static_cast<size_t>(n));
    EXPECT_EQ(split_tt_text(s, is_lead, codes.data(), n), n);
    return codes;
}

TEST(ImageprocTtText, SplitsDoubleByteCharacters) {
    EXPECT_EQ(split("AB"), (std::vector<int>{'A', 'B'}));
    EXPECT_EQ(split("\x82\xA0X"), (std::vector<int>{0x82A0, 'X'}));
    EXPECT_EQ(split("\xE0\x40\x9F\xFC"), (std::vector<int>{0xE040, 0x9FFC}));
    // 0x80, 0xA0 and 0xFD are single bytes; in a single-byte code page all are.
    EXPECT_EQ(split("\x80\xA0\xFD"), (std::vector<int>{0x80, 0xA0, 0xFD}));
    EXPECT_EQ(split("\xFC\xDF", no_lead), (std::vector<int>{0xFC, 0xDF}));
    // A lead byte right before the end is dropped.
    EXPECT_EQ(split("ab\x82"), (std::vector<int>{'a', 'b'}));
    // Control bytes stay codes of their own.
    EXPECT_EQ(split("\x01i\n"), (std::vector<int>{1, 'i', 10}));
    int few[1];
    EXPECT_EQ(split_tt_text("xyz", no_lead, few, 1), 3);
    EXPECT_EQ(few[0], 'x');
    EXPECT_EQ(split_tt_text(nullptr, no_lead, few, 1), 0);
}

TEST(ImageprocTtText, CellFromABox) {
    int w, h;
    tt_cell_from_box(33, 24, &w, &h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 24);
    EXPECT_EQ(tt_cell_top(100, 24), 77);   // y-max - 23
    EXPECT_EQ(tt_cell_top(16, 16), 1);
}

}  // namespace
