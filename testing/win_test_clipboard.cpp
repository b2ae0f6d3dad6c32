// The clipboard's text for tests.
#include "testing/win_clipboard.h"
#include "testing/win_test_state.h"

using namespace kbxtest;

std::string KBX_TestClipboardText() { return read_clipboard_text(); }

unsigned KBX_TestClipboardNumber() { return GetClipboardSequenceNumber(); }

std::string KBX_TestClipboardTextAfter(unsigned before) {
    std::string text = clipboard_text_after(before, wait_limit());
    if (text.empty()) fail(0, "waited %lu ms for text on the clipboard", wait_limit());
    return text;
}

int KBX_TestClearClipboard() { return clear_clipboard() ? 0 : fail(1, "clear clipboard: it could not be opened"); }
