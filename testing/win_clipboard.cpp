#include "testing/win_clipboard.h"

#include <cstring>

#include "testing/win_test_state.h"
#include "testing/win_waits.h"

namespace kbxtest {

namespace {

// Another process may hold the clipboard for a moment.
bool open_clipboard() {
    return wait_until([] { return OpenClipboard(nullptr) != FALSE; }, 2000);
}

// One pixel of a DIB row as 0xRRGGBB.
unsigned dib_pixel(const unsigned char* row, int x, int bits, const RGBQUAD* palette) {
    if (bits == 8) {
        const RGBQUAD& c = palette[row[x]];
        return (unsigned(c.rgbRed) << 16) | (unsigned(c.rgbGreen) << 8) | c.rgbBlue;
    }
    const unsigned char* p = row + x * (bits / 8);
    return (unsigned(p[2]) << 16) | (unsigned(p[1]) << 8) | p[0];
}

}  // namespace

bool decode_packed_dib(const char* bytes, size_t size, int* width, int* height, std::vector<unsigned>* pixels) {
    if (size < sizeof(BITMAPINFOHEADER)) return false;
    const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    const int bits = h->biBitCount;
    if (bits != 8 && bits != 24 && bits != 32) return false;
    const int w = h->biWidth, rows = h->biHeight < 0 ? -h->biHeight : h->biHeight;
    const unsigned char* start = reinterpret_cast<const unsigned char*>(h) + h->biSize;
    if (h->biCompression == BI_BITFIELDS && h->biSize == sizeof *h) start += 3 * sizeof(DWORD);
    const RGBQUAD* palette = reinterpret_cast<const RGBQUAD*>(start);
    if (bits == 8) start += (h->biClrUsed ? h->biClrUsed : 256) * sizeof(RGBQUAD);
    const size_t stride = ((size_t(w) * bits + 31) / 32) * 4;
    if (w <= 0 || start + stride * rows > reinterpret_cast<const unsigned char*>(h) + size) return false;
    *width = w;
    *height = rows;
    pixels->assign(size_t(w) * rows, 0);
    for (int y = 0; y < rows; ++y) {
        // A positive height stores the bottom row first.
        const unsigned char* row = start + stride * (h->biHeight < 0 ? y : rows - 1 - y);
        for (int x = 0; x < w; ++x) (*pixels)[size_t(y) * w + x] = dib_pixel(row, x, bits, palette);
    }
    return true;
}

std::string read_clipboard_text() {
    std::string text;
    if (!open_clipboard()) return text;
    // The Unicode form, which Windows makes from CF_TEXT when a program put
    // only that: CF_TEXT itself is in the clipboard's locale, not UTF-8.
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (h) {
        const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h));
        if (p) {
            text = to_utf8(p);
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

std::string clipboard_text_after(DWORD before, DWORD timeout_ms) {
    std::string text;
    DWORD seen = before;
    wait_until([&] {
        const DWORD now = GetClipboardSequenceNumber();
        if (now == seen) return false;
        seen = now;
        // Wine's clipboard manager may renumber a clipboard a test has just
        // emptied: a change with no text is not the one awaited.
        text = read_clipboard_text();
        return !text.empty();
    }, timeout_ms);
    return text;
}

bool write_clipboard_text(const std::wstring& text) {
    if (!open_clipboard()) return false;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool ok = false;
    if (h) {
        std::memcpy(GlobalLock(h), text.c_str(), bytes);
        GlobalUnlock(h);
        ok = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
        if (!ok) GlobalFree(h);
    }
    CloseClipboard();
    return ok;
}

bool clear_clipboard() {
    if (!open_clipboard()) return false;
    EmptyClipboard();
    CloseClipboard();
    return true;
}

bool read_clipboard_picture(int* width, int* height, std::vector<unsigned>* pixels) {
    if (!IsClipboardFormatAvailable(CF_DIB) || !open_clipboard()) return false;
    bool ok = false;
    HANDLE h = GetClipboardData(CF_DIB);
    if (h) {
        const void* p = GlobalLock(h);
        if (p) {
            ok = decode_packed_dib(static_cast<const char*>(p), GlobalSize(h), width, height, pixels);
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return ok;
}

}  // namespace kbxtest
