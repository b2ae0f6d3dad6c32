// Labels and captions go into the generated layout source as C string
// literals. Whatever bytes they hold, the escaped text must be a valid
// literal body that reads back as the same bytes. The reader here is
// strict the way a compiler is: no raw control character (a raw line end
// would break the line) and no byte from 0x80 (read per code page), no
// unescaped quote, no unknown escape, octal escapes of up to three digits
// and hex escapes that take every hex digit after them, which must stay
// within a byte.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "textwin/layout_source.h"

using namespace kbx;

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The bytes a literal body stands for; false when a compiler would reject
// it or read it differently.
bool read_literal(const std::string& body, std::string* out) {
    out->clear();
    for (std::size_t i = 0; i < body.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(body[i]);
        // Plain ASCII, so that no code page can join a byte with the next.
        if (c < 0x20 || c >= 0x7F || c == '"') return false;
        if (c != '\\') {
            out->push_back(static_cast<char>(c));
            continue;
        }
        if (++i == body.size()) return false;
        const char e = body[i];
        switch (e) {
            case '\\': out->push_back('\\'); break;
            case '"': out->push_back('"'); break;
            case '\'': out->push_back('\''); break;
            case '?': out->push_back('?'); break;
            case 'a': out->push_back('\a'); break;
            case 'b': out->push_back('\b'); break;
            case 'f': out->push_back('\f'); break;
            case 'n': out->push_back('\n'); break;
            case 'r': out->push_back('\r'); break;
            case 't': out->push_back('\t'); break;
            case 'v': out->push_back('\v'); break;
            case 'x': {
                unsigned value = 0;
                std::size_t digits = 0;
                while (i + 1 < body.size() && hex_value(body[i + 1]) >= 0) {
                    value = value * 16 + static_cast<unsigned>(hex_value(body[++i]));
                    if (value > 0xFF) return false;
                    ++digits;
                }
                if (digits == 0) return false;
                out->push_back(static_cast<char>(value));
                break;
            }
            default: {
                if (e < '0' || e > '7') return false;
                unsigned value = static_cast<unsigned>(e - '0');
                for (int k = 0; k < 2 && i + 1 < body.size() && body[i + 1] >= '0' && body[i + 1] <= '7'; ++k)
                    value = value * 8 + static_cast<unsigned>(body[++i] - '0');
                if (value > 0xFF) return false;
                out->push_back(static_cast<char>(value));
                break;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string body = escape_literal(text);
    std::string back;
    KBX_CHECK(read_literal(body, &back));
    KBX_CHECK(back == text);
    return 0;
}
