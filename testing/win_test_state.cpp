#include "testing/win_test_evidence.h"
#include "testing/win_test_state.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

#include "testing/win_waits.h"
#include "testing/win_windows.h"

namespace kbxtest {

namespace {

char last_error[1024] = "";
DWORD limit_ms = 10000;
int failures = 0;

std::wstring convert_in(const char* text, UINT code_page) {
    if (!text || !*text) return L"";
    int n = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(code_page, 0, text, -1, &out[0], n);
    out.resize(n - 1);
    return out;
}

}  // namespace

void new_call() { last_error[0] = 0; }

int fail(int code, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(last_error, sizeof last_error, format, args);
    va_end(args);
    return code;
}

DWORD wait_limit() { return limit_ms; }

std::wstring to_wide(const char* text) { return convert_in(text, CP_UTF8); }

std::string to_utf8(const std::wstring& text) {
    if (text.empty()) return "";
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(n - 1);
    return out;
}

bool program_ended(const KBX_TestProgram* program, DWORD* code) {
    if (!program || !program->process || WaitForSingleObject(program->process, 0) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(program->process, code);
    return true;
}

bool has_program(const KBX_TestProgram* program, const char* call) {
    if (program && program->process) return true;
    fail(KBX_TEST_NO_PROGRAM, "%s: no program was started", call);
    return false;
}

int wait_running(const KBX_TestProgram* program, const std::function<bool()>& condition, const char* call,
                 const std::string& what, int timeout_code) {
    if (!has_program(program, call)) return KBX_TEST_NO_PROGRAM;
    DWORD code = 0;
    bool ended = false;
    // Each poll looks at the process too: a program that died is noticed
    // within one poll, not at the end of the limit.
    if (wait_until([&] { return condition() || (ended = program_ended(program, &code)); }, limit_ms) && !ended)
        return KBX_TEST_DONE;
    if (ended || program_ended(program, &code))
        return fail(KBX_TEST_PROGRAM_ENDED, "%s: the program ended (exit code %lu) while waiting for %s", call, code,
                    what.c_str());
    return fail(timeout_code, "%s: waited %lu ms for %s", call, limit_ms, what.c_str());
}

HWND program_window(const KBX_TestProgram* program, const wchar_t* cls, const wchar_t* title) {
    return program && program->pid ? find_window(cls, title, program->pid) : nullptr;
}

HWND wait_text_window(const KBX_TestProgram* program, int n, const char* call, int* result) {
    HWND window = nullptr;
    *result = wait_running(program, [&] {
        return (window = as_hwnd(KBX_TestFindWindow(program, KBX_TEST_TEXT_WINDOW, n))) != nullptr;
    }, call, "text window " + std::to_string(n) + " to open", KBX_TEST_NO_SUCH_WINDOW);
    return *result == KBX_TEST_DONE ? window : nullptr;
}

DWORD user_thread(const KBX_TestProgram* program) {
    if (!program || !program->pid) return 0;
    return static_cast<DWORD>(
        reinterpret_cast<ULONG_PTR>(GetPropW(as_hwnd(program->control), KBX_PROGRAM_THREAD_PROPERTY)));
}

int run_state(const KBX_TestProgram* program) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(as_hwnd(program->control), KBX_RUN_STATE_PROPERTY)));
}

long points_taken(const KBX_TestProgram* program) {
    return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(as_hwnd(program->control), KBX_POINTS_TAKEN_PROPERTY)));
}

}  // namespace kbxtest

const char* KBX_TestLastError() { return kbxtest::last_error; }
int KBX_TestTimeout() { return static_cast<int>(kbxtest::limit_ms); }
void KBX_TestSetTimeout(int milliseconds) {
    kbxtest::new_call();
    kbxtest::limit_ms = milliseconds < 1 ? 1 : milliseconds;
}

int KBX_TestWaitFor(const std::function<bool()>& condition, const char* what) {
    kbxtest::new_call();
    if (kbxtest::wait_until(condition, kbxtest::limit_ms)) return KBX_TEST_DONE;
    return kbxtest::fail(KBX_TEST_TIMED_OUT, "waited %lu ms for %s", kbxtest::limit_ms, what);
}

int KBX_TestWaitWhileRunning(const KBX_TestProgram* program, const std::function<bool()>& condition,
                             const char* what) {
    kbxtest::new_call();
    return kbxtest::wait_running(program, condition, "wait", what);
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
