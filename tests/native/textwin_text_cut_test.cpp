// Cutting narrow and UTF-16 text to a byte limit on character boundaries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "textwin/text_cut.h"

using namespace kbx;

namespace {

// Shift-JIS lead bytes take two bytes.
int sjis_size(const unsigned char* text, int remaining) {
    unsigned char b = text[0];
    bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return lead && remaining >= 2 ? 2 : 1;
}

// Units below U+0080 take one byte, others two, a surrogate pair four.
int dbcs_bytes(const wchar_t* character, int units, void*) {
    if (units == 2) return 4;
    return static_cast<unsigned>(character[0]) < 0x80 ? 1 : 2;
}

int narrow_cut(const std::string& s, int limit) {
    return narrow_prefix_length(s.data(), static_cast<int>(s.size()), limit, sjis_size);
}

}  // namespace

TEST(TextCut, NarrowTextIsCutBeforeADoubleByteCharacterThatWouldBeSplit) {
    // "ab", then the two-byte character 0x82 0xA0, then "c".
    std::string s = "ab\x82\xA0" "c";
    EXPECT_EQ(narrow_cut(s, 10), 5);
    EXPECT_EQ(narrow_cut(s, 5), 5);
    EXPECT_EQ(narrow_cut(s, 4), 4);
    EXPECT_EQ(narrow_cut(s, 3), 2);   // never half of 0x82 0xA0
    EXPECT_EQ(narrow_cut(s, 2), 2);
    EXPECT_EQ(narrow_cut(s, 0), 0);
}

TEST(TextCut, A4096ByteTextKeeps4095BytesOrOneLess) {
    std::string single(5000, 'x');
    EXPECT_EQ(narrow_cut(single, 4095), 4095);
    // Double-byte characters from byte 1 on: byte 4094 starts one, so the
    // cut falls at 4094 instead of inside it.
    std::string doubles = "x";
    while (doubles.size() < 5000) doubles += "\x88\x9F";
    EXPECT_EQ(narrow_cut(doubles, 4095), 4095);
    std::string shifted = "xy";
    while (shifted.size() < 5000) shifted += "\x88\x9F";
    EXPECT_EQ(narrow_cut(shifted, 4095), 4094);
}

TEST(TextCut, Utf8CharacterSizes) {
    auto size = [](const char* s) {
        return utf8_char_size(reinterpret_cast<const unsigned char*>(s), static_cast<int>(std::strlen(s)));
    };
    EXPECT_EQ(size("a"), 1);
    EXPECT_EQ(size("\xC3\xA9"), 2);
    EXPECT_EQ(size("\xE3\x81\x82"), 3);
    EXPECT_EQ(size("\xF0\x9F\x98\x80"), 4);
    EXPECT_EQ(size("\xE3\x81"), 1);       // cut short
    EXPECT_EQ(size("\xE3" "ab"), 1);      // broken
    EXPECT_EQ(size("\x81"), 1);           // a stray continuation byte
    std::string s = "ab\xE3\x81\x82";
    EXPECT_EQ(narrow_prefix_length(s.data(), 5, 4, utf8_char_size), 2);
    EXPECT_EQ(narrow_prefix_length(s.data(), 5, 5, utf8_char_size), 5);
}

TEST(TextCut, WideTextFitsByWholeCharacters) {
    std::wstring text = L"ab\x3042" L"c";
    int n = static_cast<int>(text.size());
    EXPECT_EQ(wide_prefix_fitting(text.data(), n, 255, dbcs_bytes, nullptr), 4);
    EXPECT_EQ(wide_prefix_fitting(text.data(), n, 4, dbcs_bytes, nullptr), 3);
    EXPECT_EQ(wide_prefix_fitting(text.data(), n, 3, dbcs_bytes, nullptr), 2);

    // 254 narrow units and a wide one: 256 bytes do not fit in 255.
    std::wstring line(254, L'k');
    line += L'\x3042';
    EXPECT_EQ(wide_prefix_fitting(line.data(), 255, 255, dbcs_bytes, nullptr), 254);
}

TEST(TextCut, ASurrogatePairIsNeverSplit) {
    std::wstring text = L"a";
    text += static_cast<wchar_t>(0xD83D);
    text += static_cast<wchar_t>(0xDE00);
    int n = static_cast<int>(text.size());
    EXPECT_EQ(wide_prefix_fitting(text.data(), n, 5, dbcs_bytes, nullptr), 3);
    EXPECT_EQ(wide_prefix_fitting(text.data(), n, 4, dbcs_bytes, nullptr), 1);
}
