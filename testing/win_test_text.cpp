// Text windows from outside: typing a line for KBX_InputLine, and reading
// what was printed from the window's log, which programs started here keep
// from the window's opening and write through line by line.
#include <cwchar>
#include <string>

#include "testing/win_process.h"
#include "testing/win_test_state.h"
#include "testing/win_windows.h"

using namespace kbxtest;

namespace {

std::wstring log_path(const KBX_TestProgram* program, int n) {
    wchar_t name[32];
    std::swprintf(name, 32, L"KOBRIX%d%d.LOG", program->instance, n);
    return join_path(to_wide(program->folder), name);
}

bool file_exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Text window n and its log file, waited for. DONE, or the failure's code.
int wait_log(const KBX_TestProgram* program, int n, const char* call, int missing_code) {
    int result = KBX_TEST_DONE;
    if (!wait_text_window(program, n, call, &result)) return result;
    const std::wstring path = log_path(program, n);
    return wait_running(program, [&] { return file_exists(path); }, call, "the log file " + to_utf8(path),
                        missing_code);
}

}  // namespace

int KBX_TestTypeLine(const KBX_TestProgram* program, int n, const char* line) {
    new_call();
    int result = KBX_TEST_DONE;
    HWND window = wait_text_window(program, n, "type a line", &result);
    if (!window) return result;
    result = wait_running(program, [&] { return run_state(program) == KBX_RUN_LINE_INPUT; }, "type a line",
                          "the program to wait for a line");
    if (result != KBX_TEST_DONE) return result;
    post_text(window, to_wide(line) + L"\r");
    return KBX_TEST_DONE;
}

int KBX_TestStartLog(const KBX_TestProgram* program, int n) {
    new_call();
    int result = KBX_TEST_DONE;
    HWND window = wait_text_window(program, n, "start log", &result);
    if (!window) return result;
    // A program started here logs already; another starts its log now.
    const std::wstring path = log_path(program, n);
    if (!file_exists(path)) PostMessageW(window, WM_COMMAND, KBX_CMD_TEXT_START_LOG, 0);
    return wait_log(program, n, "start log", KBX_TEST_TIMED_OUT);
}

int KBX_TestReadLog(const KBX_TestProgram* program, int n, std::string* text) {
    new_call();
    const int result = wait_log(program, n, "read log", KBX_TEST_NO_SUCH_FILE);
    if (result != KBX_TEST_DONE) return result;
    read_file(log_path(program, n), text);
    return KBX_TEST_DONE;
}

int KBX_TestWaitForOutput(const KBX_TestProgram* program, int n, const char* text, std::string* log) {
    new_call();
    std::string read;
    int result = wait_log(program, n, "wait for output", KBX_TEST_NO_SUCH_FILE);
    if (result == KBX_TEST_DONE) {
        const std::wstring path = log_path(program, n);
        result = wait_running(program, [&] { return read_file(path, &read) && read.find(text) != std::string::npos; },
                              "wait for output", "text window " + std::to_string(n) + " to print \"" + text + "\"");
        // What the log held is part of the story.
        if (result != KBX_TEST_DONE) {
            read_file(path, &read);
            const std::string why = KBX_TestLastError();
            fail(result, "%s; its log holds \"%s\"", why.c_str(), read.c_str());
        }
    }
    if (log) *log = read;
    return result;
}
