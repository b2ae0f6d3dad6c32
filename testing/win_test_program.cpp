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
    std::wstring settings[66];
    int count = 0;
    for (; env && env[count] && count < 66; ++count) settings[count] = to_wide(env[count]);
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
    new_call();
    if (!has_program(program, name)) return KBX_TEST_NO_PROGRAM;
    DWORD code = 0;
    if (program_ended(program, &code))
        return fail(KBX_TEST_PROGRAM_ENDED, "%s: the program ended (exit code %lu)", name, code);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(as_hwnd(program->control), WM_COMMAND, command, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             wait_limit(), &result)) {
        if (program_ended(program, &code))
            return fail(KBX_TEST_PROGRAM_ENDED, "%s: the program ended (exit code %lu)", name, code);
        return fail(KBX_TEST_TIMED_OUT, "%s: the control window did not take the command within %lu ms", name,
                    wait_limit());
    }
    return KBX_TEST_DONE;
}

// Every program this process starts belongs to one job that ends them all
// when the job's last handle closes: when this process ends, however it
// ends. The handle is never closed before that.
HANDLE kill_on_close_job() {
    static HANDLE job = [] {
        HANDLE h = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (h) SetInformationJobObject(h, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return h;
    }();
    return job;
}

// Ends the process if it still runs, closes it and deletes its folder;
// the last error stays.
void end_program(KBX_TestProgram* program) {
    note_program_ended(program);
    Process p = as_process(program);
    terminate(p);
    program->process = nullptr;
    if (program->folder[0]) remove_folder(to_wide(program->folder));
    program->folder[0] = 0;
}

// A program started for this test logs everything it prints from the start.
const char* const kLogAll = KBX_LOG_ALL_VARIABLE "=1";

}  // namespace

const char* KBX_TestProgramPath() {
    static std::string path;
    const wchar_t* given = _wgetenv(L"KBX_TEST_PROGRAM");
    path = given && *given ? host_path(to_utf8(given).c_str()) : std::string();
    return path.c_str();
}

int KBX_TestStart(KBX_TestProgram* program, const char* exe, const char* const* env) {
    new_call();
    if (program->process && WaitForSingleObject(program->process, 0) == WAIT_TIMEOUT)
        return fail(KBX_TEST_REFUSED, "start: this program (pid %lu) still runs; end it first", program->pid);
    end_program(program);
    *program = KBX_TestProgram{};
    if (!exe || !*exe)
        return fail(KBX_TEST_NO_PROGRAM, "start: no program given (add_kobrix_test hands it over in KBX_TEST_PROGRAM)");
    const std::wstring folder = make_temp_dir(L"test");
    std::snprintf(program->folder, sizeof program->folder, "%s", to_utf8(folder).c_str());
    const char* settings[66] = {kLogAll};
    for (int i = 0; env && env[i] && i < 64; ++i) settings[i + 1] = env[i];
    const std::wstring block = environment_with(settings);
    Process p = launch(to_wide(exe), folder, L"", block.c_str(), kill_on_close_job());
    if (!p.handle) {
        const DWORD error = GetLastError();
        end_program(program);
        return fail(KBX_TEST_NO_PROGRAM, "start: %s could not be started (error %lu)", exe, error);
    }
    program->process = p.handle;
    program->pid = p.pid;
    note_program_started(program);
    HWND control = nullptr;
    const int result = wait_running(program, [&] {
        return (control = control_window_of(p.pid, &program->instance)) != nullptr;
    }, "start", "the control window (class kobrix_mw<n>) of " + std::string(exe) + " to show");
    if (result != KBX_TEST_DONE) {
        end_program(program);
        return result;
    }
    program->control = control;
    return KBX_TEST_DONE;
}

int KBX_TestPressStart(KBX_TestProgram* program) { return send_control_command(program, KBX_CMD_START, "Start"); }
int KBX_TestPressStop(KBX_TestProgram* program) { return send_control_command(program, KBX_CMD_STOP, "Stop"); }

// The thread that runs the program's routines, once the control window has
// started it; null when it does not in time.
static HANDLE open_program_thread(const KBX_TestProgram* program) {
    DWORD id = 0;
    wait_until([&] { return (id = user_thread(program)) != 0; }, wait_limit());
    return id ? OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, id) : nullptr;
}

int KBX_TestExit(KBX_TestProgram* program, int* exit_code, int* milliseconds, int* forced) {
    new_call();
    if (!program->process) return fail(KBX_TEST_NO_PROGRAM, "exit: no program runs");
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
        return fail(KBX_TEST_TIMED_OUT, "exit: the program did not end within %lu ms of Exit", wait_limit());
    }
    if (exit_code) *exit_code = static_cast<int>(code);
    if (milliseconds) *milliseconds = static_cast<int>((to.QuadPart - from.QuadPart) * 1000 / frequency.QuadPart);
    terminate(p);   // closes the handle
    program->process = nullptr;
    return KBX_TEST_DONE;
}

void KBX_TestEnd(KBX_TestProgram* program) {
    new_call();
    end_program(program);
}

int KBX_TestReadFile(const KBX_TestProgram* program, const char* name, std::string* contents) {
    new_call();
    if (read_file(join_path(to_wide(program->folder), to_wide(name)), contents)) return KBX_TEST_DONE;
    return fail(KBX_TEST_NO_SUCH_FILE, "read file: no file %s in %s", name, program->folder);
}
