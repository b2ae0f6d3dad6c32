// The clipboard as another process sees it: text, and pictures as CF_DIB.
#ifndef KBX_TESTING_WIN_CLIPBOARD_H
#define KBX_TESTING_WIN_CLIPBOARD_H

#include <windows.h>

#include <string>
#include <vector>

namespace kbxtest {

// The clipboard's text in UTF-8 (empty when there is none).
std::string read_clipboard_text();
// The text once the clipboard has changed since its sequence number was
// `before` and holds text (empty on time-out). The clipboard is not opened until then: a
// program's copy that found it held by a polling reader would fail.
std::string clipboard_text_after(DWORD before, DWORD timeout_ms = 10000);
bool write_clipboard_text(const std::wstring& text);   // CF_UNICODETEXT
bool clear_clipboard();

// A packed DIB (the CF_DIB layout) as a top-down picture of 0xRRGGBB words;
// false when it is not one of 8, 24 or 32 bits or is cut short.
bool decode_packed_dib(const char* bytes, size_t size, int* width, int* height, std::vector<unsigned>* pixels);
// The clipboard's CF_DIB as a top-down picture of 0xRRGGBB words; false
// when it holds none of 8, 24 or 32 bits.
bool read_clipboard_picture(int* width, int* height, std::vector<unsigned>* pixels);

}  // namespace kbxtest

#endif
