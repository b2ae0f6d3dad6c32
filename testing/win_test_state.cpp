#include "testing/win_test_evidence.h"
#include "testing/win_test_state.h"

#include <cstdarg>
#include <cstdio>

#include "testing/win_waits.h"
#include "testing/win_windows.h"

namespace kbxtest {

namespace {

char last_error[1024] = "";
DWORD limit_ms = 10000;
int failures = 0;

}  // namespace

int fail(int code, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(last_error, sizeof last_error, format, args);
    va_end(args);
    return code;
}

DWORD wait_limit() { return limit_ms; }

std::wstring to_wide(const char* text) {
    if (!text || !*text) return L"";
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], n);
    out.resize(n - 1);
    return out;
}

std::string to_ansi(const std::wstring& text) {
    if (text.empty()) return "";
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(n - 1);
    return out;
}

HWND program_window(const KBX_TestProgram* program, const wchar_t* cls, const wchar_t* title) {
    return program && program->pid ? find_window(cls, title, program->pid) : nullptr;
}

DWORD user_thread(const KBX_TestProgram* program) {
    if (!program || !program->pid) return 0;
    const DWORD control_thread = GetWindowThreadProcessId(as_hwnd(program->control), nullptr);
    for (HWND w : top_level_windows(program->pid)) {
        const DWORD thread = GetWindowThreadProcessId(w, nullptr);
        if (thread != control_thread) return thread;
    }
    return 0;
}

std::wstring status_text(const KBX_TestProgram* program) {
    std::vector<HWND> labels = child_windows(as_hwnd(program->control), L"Static");
    if (labels.empty()) return L"";
    std::wstring text = window_text(labels.front());
    const size_t first = text.find_first_not_of(L' '), last = text.find_last_not_of(L' ');
    return first == std::wstring::npos ? L"" : text.substr(first, last - first + 1);
}

}  // namespace kbxtest

const char* KBX_TestLastError() { return kbxtest::last_error; }
int KBX_TestTimeout() { return static_cast<int>(kbxtest::limit_ms); }
void KBX_TestSetTimeout(int milliseconds) { kbxtest::limit_ms = milliseconds < 1 ? 1 : milliseconds; }

int KBX_TestWaitFor(const std::function<bool()>& condition, const char* what) {
    if (kbxtest::wait_until(condition, kbxtest::limit_ms)) return 0;
    return kbxtest::fail(1, "waited %lu ms for %s", kbxtest::limit_ms, what);
}

bool KBX_TestCheck(bool ok, const char* what, const char* file, int line) {
    if (ok) return true;
    ++kbxtest::failures;
    std::printf("%s:%d: check failed: %s\n", file, line, what);
    if (kbxtest::last_error[0]) std::printf("  last error: %s\n", kbxtest::last_error);
    std::printf("%s", kbxtest::leave_evidence().c_str());
    // Reported once: a later check does not repeat it.
    kbxtest::last_error[0] = 0;
    std::fflush(stdout);
    return false;
}

int KBX_TestFailures() { return kbxtest::failures; }
