// The cuts that fit typed or pasted text into fixed narrow buffers. A cut
// ends on a character boundary, stays within its limit, is the longest
// that does, and never splits a surrogate pair.
#include <cstdint>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_check.h"
#include "textwin/text_cut.h"

using namespace kbx;

namespace {

void check_narrow(const std::vector<char>& text, int limit) {
    const int length = static_cast<int>(text.size());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const int cut = narrow_prefix_length(text.data(), length, limit, utf8_char_size);
    KBX_CHECK(cut >= 0 && cut <= length && cut <= (limit > 0 ? limit : 0));
    // Walking character by character lands on the cut exactly, and the
    // character after it would not fit.
    int at = 0;
    while (at < cut) {
        const int size = utf8_char_size(bytes + at, length - at);
        KBX_CHECK(size >= 1 && size <= 4 && size <= length - at);
        at += size;
    }
    KBX_CHECK(at == cut);
    if (cut < length) KBX_CHECK(cut + utf8_char_size(bytes + cut, length - cut) > limit);
}

bool high(wchar_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool low(wchar_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Narrow bytes of one character as a double-byte code page might count
// them: a pair takes 4, a unit 1 or 2 by a rule the input chooses.
struct Widths {
    std::uint16_t two_byte_from;
};
int bytes_of(const wchar_t* character, int units, void* context) {
    const Widths* w = static_cast<const Widths*>(context);
    KBX_CHECK(units == 1 || (units == 2 && high(character[0]) && low(character[1])));
    if (units == 2) return 4;
    return static_cast<unsigned>(character[0]) >= w->two_byte_from ? 2 : 1;
}

void check_wide(const std::vector<wchar_t>& text, int limit, Widths widths) {
    const int length = static_cast<int>(text.size());
    const int cut = wide_prefix_fitting(text.data(), length, limit, bytes_of, &widths);
    KBX_CHECK(cut >= 0 && cut <= length);
    if (cut > 0 && cut < length) KBX_CHECK(!(high(text[cut - 1]) && low(text[cut])));
    int used = 0, at = 0;
    while (at < cut) {
        const int units = at + 1 < length && high(text[at]) && low(text[at + 1]) ? 2 : 1;
        used += bytes_of(&text[at], units, &widths);
        at += units;
    }
    KBX_CHECK(at == cut && used <= (limit > 0 ? limit : 0));
    if (cut < length) {
        const int units = cut + 1 < length && high(text[cut]) && low(text[cut + 1]) ? 2 : 1;
        KBX_CHECK(used + bytes_of(&text[cut], units, &widths) > limit);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int limit = in.ConsumeIntegralInRange(-2, 300);
    Widths widths = {in.ConsumeIntegral<std::uint16_t>()};
    const bool narrow = in.ConsumeBool();
    if (narrow) {
        std::vector<char> text;
        for (std::uint8_t b : in.ConsumeRemainingBytes<std::uint8_t>()) text.push_back(static_cast<char>(b));
        check_narrow(text, limit);
    } else {
        // UTF-16 units, little-endian pairs of bytes (wchar_t is wider here).
        std::vector<wchar_t> text;
        while (in.remaining_bytes() >= 2) text.push_back(static_cast<wchar_t>(in.ConsumeIntegral<std::uint16_t>()));
        check_wide(text, limit, widths);
    }
    return 0;
}
