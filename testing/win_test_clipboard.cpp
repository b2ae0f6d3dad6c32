// The clipboard's text, for tests of a program's own Copy and Paste.
#include "testing/win_clipboard.h"
#include "testing/win_test_state.h"

using namespace kbxtest;

std::string KBX_TestClipboardText() {
    new_call();
    return read_clipboard_text();
}

unsigned KBX_TestClipboardNumber() {
    new_call();
    return GetClipboardSequenceNumber();
}

std::string KBX_TestClipboardTextAfter(unsigned before) {
    new_call();
    std::string text = clipboard_text_after(before, wait_limit());
    if (text.empty()) fail(KBX_TEST_TIMED_OUT, "waited %lu ms for text on the clipboard", wait_limit());
    return text;
}

int KBX_TestClearClipboard() {
    new_call();
    return clear_clipboard() ? KBX_TEST_DONE : fail(KBX_TEST_REFUSED, "clear clipboard: it could not be opened");
}
