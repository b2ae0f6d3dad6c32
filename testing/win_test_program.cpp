// Starting the program under test, its control window's Start, Stop and
// Exit, and its folder.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#include "testing/win_process.h"
#include "testing/win_test_evidence.h"
#include "testing/win_test_state.h"
#include "testing/win_waits.h"
#include "testing/win_windows.h"

using namespace kbxtest;

namespace {

Process as_process(const KBX_TestProgram* program) {
    Process p;
    p.handle = program->process;
    p.pid = program->pid;
    return p;
}

bool same_name(const std::wstring& entry, const std::wstring& setting) {
    const size_t a = entry.find(L'='), b = setting.find(L'=');
    if (a == std::wstring::npos || a == 0 || a != b) return false;
    for (size_t i = 0; i < a; ++i)
        if (std::towupper(entry[i]) != std::towupper(setting[i])) return false;
    return true;
}

// This process's environment with the settings put in (replacing a
// variable of the same name), as a block for CreateProcessW.
std::wstring environment_with(const char* const* env) {
    std::wstring block;
    std::wstring settings[64];
    int count = 0;
    for (; env && env[count] && count < 64; ++count) settings[count] = to_wide(env[count]);
    wchar_t* own = GetEnvironmentStringsW();
    for (const wchar_t* entry = own; entry && *entry; entry += std::wcslen(entry) + 1) {
        bool replaced = false;
        for (int i = 0; i < count && !replaced; ++i) replaced = same_name(entry, settings[i]);
        if (!replaced) block.append(entry).push_back(L'\0');
    }
    if (own) FreeEnvironmentStringsW(own);
    for (int i = 0; i < count; ++i) block.append(settings[i]).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

// The control window of the process: class "kobrix_mw<instance>".
HWND control_window_of(DWORD pid, int* instance) {
    for (HWND w : top_level_windows(pid)) {
        const std::wstring cls = class_name(w);
        if (cls.size() == 10 && cls.compare(0, 9, L"kobrix_mw") == 0 && std::iswdigit(cls[9])) {
            *instance = cls[9] - L'0';
            return w;
        }
    }
    return nullptr;
}

int send_control_command(KBX_TestProgram* program, int command, const char* name) {
    DWORD_PTR result = 0;
    HWND control = as_hwnd(program->control);
    if (!IsWindow(control) ||
        !SendMessageTimeoutW(control, WM_COMMAND, command, 0, SMTO_NORMAL, wait_limit(), &result))
        return fail(1, "%s: the control window did not take the command within %lu ms", name, wait_limit());
    return 0;
}

}  // namespace

const char* KBX_TestProgramPath() {
    static std::string path;
    const char* given = std::getenv("KBX_TEST_PROGRAM");
    path = given && *given ? host_path(given) : std::string();
    return path.c_str();
}

int KBX_TestStart(KBX_TestProgram* program, const char* exe, const char* const* env) {
    *program = KBX_TestProgram{};
    if (!exe || !*exe) return fail(1, "start: no program given (add_kobrix_test hands it over in KBX_TEST_PROGRAM)");
    const std::wstring folder = make_temp_dir(L"test");
    std::snprintf(program->folder, sizeof program->folder, "%s", to_ansi(folder).c_str());
    const std::wstring block = environment_with(env);
    Process p = launch(to_wide(exe), folder, L"", block.c_str());
    if (!p.handle) {
        const DWORD error = GetLastError();
        KBX_TestEnd(program);
        return fail(1, "start: %s could not be started (error %lu)", exe, error);
    }
    program->process = p.handle;
    program->pid = p.pid;
    note_program_started(program);
    HWND control = nullptr;
    DWORD ended = 0;
    wait_until([&] {
        control = control_window_of(p.pid, &program->instance);
        return control != nullptr || wait_exit(p, 0, &ended);
    }, wait_limit());
    if (!control) {
        const bool gone = wait_exit(p, 0, &ended);
        KBX_TestEnd(program);
        if (gone) return fail(2, "start: %s ended (exit code %lu) before its control window showed", exe, ended);
        return fail(2, "start: no control window (class kobrix_mw<n>) of %s within %lu ms", exe, wait_limit());
    }
    program->control = control;
    return 0;
}

int KBX_TestPressStart(KBX_TestProgram* program) { return send_control_command(program, KBX_CMD_START, "Start"); }
int KBX_TestPressStop(KBX_TestProgram* program) { return send_control_command(program, KBX_CMD_STOP, "Stop"); }

// The thread that runs the program's routines, as its control window names
// it once it has started it; null when it does not in time.
static HANDLE open_program_thread(const KBX_TestProgram* program) {
    ULONG_PTR id = 0;
    wait_until([&] {
        return (id = reinterpret_cast<ULONG_PTR>(GetPropW(as_hwnd(program->control), KBX_PROGRAM_THREAD_PROPERTY))) != 0;
    }, wait_limit());
    return id ? OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id)) : nullptr;
}

int KBX_TestExit(KBX_TestProgram* program, int* exit_code, int* milliseconds, int* forced) {
    if (!program->process) return fail(2, "exit: no program runs");
    Process p = as_process(program);
    if (forced) *forced = -1;
    HANDLE thread = forced ? open_program_thread(program) : nullptr;
    LARGE_INTEGER frequency, from, to;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&from);
    PostMessageW(as_hwnd(program->control), WM_COMMAND, KBX_CMD_EXIT, 0);
    DWORD code = 0;
    const bool ended = wait_exit(p, wait_limit(), &code);
    QueryPerformanceCounter(&to);
    DWORD thread_code = STILL_ACTIVE;
    if (thread) {
        if (ended && GetExitCodeThread(thread, &thread_code) && thread_code != STILL_ACTIVE && forced)
            *forced = thread_code == 1 ? 1 : 0;
        CloseHandle(thread);
    }
    if (!ended) {
        terminate(p);
        program->process = nullptr;
        if (exit_code) *exit_code = 99;
        return fail(1, "exit: the program did not end within %lu ms of Exit", wait_limit());
    }
    if (exit_code) *exit_code = static_cast<int>(code);
    if (milliseconds) *milliseconds = static_cast<int>((to.QuadPart - from.QuadPart) * 1000 / frequency.QuadPart);
    terminate(p);   // closes the handle
    program->process = nullptr;
    return 0;
}

void KBX_TestEnd(KBX_TestProgram* program) {
    note_program_ended(program);
    Process p = as_process(program);
    terminate(p);
    program->process = nullptr;
    if (program->folder[0]) remove_folder(to_wide(program->folder));
    program->folder[0] = 0;
}

int KBX_TestReadFile(const KBX_TestProgram* program, const char* name, std::string* contents) {
    if (read_file(join_path(to_wide(program->folder), to_wide(name)), contents)) return 0;
    return fail(1, "read file: no file %s in %s", name, program->folder);
}
