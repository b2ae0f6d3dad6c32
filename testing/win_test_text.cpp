// Text windows from outside: typing a line for KBX_InputLine, and reading
// what was printed through the window's log.
#include <cwchar>

#include "testing/win_clipboard.h"
#include "testing/win_process.h"
#include "testing/win_test_state.h"
#include "testing/win_waits.h"
#include "testing/win_windows.h"

using namespace kbxtest;

namespace {

std::wstring log_path(const KBX_TestProgram* program, int n) {
    wchar_t name[32];
    std::swprintf(name, 32, L"KOBRIX%d%d.LOG", program->instance, n);
    return join_path(to_wide(program->folder), name);
}

bool file_exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int KBX_TestTypeLine(const KBX_TestProgram* program, int n, const char* line) {
    HWND window = as_hwnd(KBX_TestFindWindow(program, KBX_TEST_TEXT_WINDOW, n));
    if (!window) return fail(1, "type a line: text window %d is not open", n);
    if (!wait_until([&] { return status_text(program) == L"Input text"; }, wait_limit()))
        return fail(2, "type a line: waited %lu ms for the program to wait for a line (\"Input text\")", wait_limit());
    post_text(window, to_wide(line) + L"\r");
    return 0;
}

int KBX_TestStartLog(const KBX_TestProgram* program, int n) {
    HWND window = as_hwnd(KBX_TestFindWindow(program, KBX_TEST_TEXT_WINDOW, n));
    if (!window) return fail(1, "start log: text window %d is not open", n);
    const std::wstring path = log_path(program, n);
    PostMessageW(window, WM_COMMAND, KBX_CMD_TEXT_START_LOG, 0);
    if (!wait_until([&] { return file_exists(path); }, wait_limit()))
        return fail(2, "start log: waited %lu ms for %s", wait_limit(), to_ansi(path).c_str());
    return 0;
}

int KBX_TestReadLog(const KBX_TestProgram* program, int n, std::string* text) {
    HWND window = as_hwnd(KBX_TestFindWindow(program, KBX_TEST_TEXT_WINDOW, n));
    if (!window) return fail(1, "read log: text window %d is not open", n);
    const std::wstring path = log_path(program, n);
    // Copying a log that was never started would stop the program with a
    // message box.
    if (!file_exists(path)) return fail(2, "read log: no %s (start the log first)", to_ansi(path).c_str());
    // The copy writes out what the log holds; once it is on the clipboard
    // the file is complete.
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(window, WM_COMMAND, KBX_CMD_TEXT_COPY_LOG, 0);
    if (!wait_until([&] { return GetClipboardSequenceNumber() != before; }, wait_limit()))
        return fail(3, "read log: waited %lu ms for text window %d to copy its log", wait_limit(), n);
    read_file(path, text);
    return 0;
}

int KBX_TestWaitForOutput(const KBX_TestProgram* program, int n, const char* text, std::string* log) {
    std::string read;
    const DWORD start = GetTickCount();
    for (;;) {
        const int result = KBX_TestReadLog(program, n, &read);
        if (log) *log = read;
        if (result != 0) return result;
        if (read.find(text) != std::string::npos) return 0;
        if (GetTickCount() - start > wait_limit())
            return fail(3, "waited %lu ms for text window %d to print \"%s\"; its log holds \"%s\"", wait_limit(), n,
                        text, read.c_str());
    }
}
