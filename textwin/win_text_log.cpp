// The window log: a text file per text window that records what was printed
// and typed there, started, paused, resumed, copied to the clipboard whole
// and closed.
#include <cstdio>
#include <cwchar>
#include <mutex>

#include "core/win_runtime.h"
#include "core/win_state.h"
#include "textwin/text_commands.h"
#include "textwin/win_text_window.h"

namespace kbx {

namespace {

// Exit closes the logs on the first thread while the user-program thread
// may be writing to one: every use of a log stream holds this lock.
std::mutex log_lock;

bool open_window(int n) { return valid_window_number(n) && text_windows[n].in_use; }

// The log directory as captured at start-up (UTF-16, so that a folder name
// the ANSI code page cannot spell still works) and the file's own name.
void log_path(int n, wchar_t* out, int size) {
    char name[32];
    log_file_name(name, sizeof name, instance_number, n);
    wchar_t wide_name[32];
    ansi_to_wide(name, wide_name, 32);
    std::swprintf(out, size, L"%ls%ls", log_dir_w, wide_name);
}

void set_log_file(TextWindowRecord& r, std::FILE* file, int state) {
    std::lock_guard<std::mutex> hold(log_lock);
    r.log_file = file;
    r.log_state = state;
}

// Closes the stream but keeps the state: a copy reopens it afterwards.
void close_stream(TextWindowRecord& r) {
    std::lock_guard<std::mutex> hold(log_lock);
    if (r.log_file) std::fclose(r.log_file);
    r.log_file = nullptr;
}

// The whole file as a CF_TEXT block for the clipboard. 0 made, 2 the file
// is unreadable, 3 no memory.
int file_to_block(const wchar_t* path, HGLOBAL* block) {
    *block = nullptr;
    std::FILE* file = _wfopen(path, L"rb");
    if (!file) return 2;
    std::fseek(file, 0, SEEK_END);
    long length = std::ftell(file);
    if (length < 0) length = 0;
    std::rewind(file);
    void* bytes = nullptr;
    *block = new_clipboard_block(static_cast<SIZE_T>(length) + 1, &bytes);
    if (*block) {
        size_t got = std::fread(bytes, 1, static_cast<size_t>(length), file);
        static_cast<char*>(bytes)[got] = 0;
    }
    std::fclose(file);
    return *block ? 0 : 3;
}

}  // namespace

void log_echo(TextWindowRecord& r, const char* text) {
    if (!text) return;
    std::lock_guard<std::mutex> hold(log_lock);
    if (r.log_state != 1 || !r.log_file) return;
    std::fputs(text, r.log_file);
    // A tool reading the file sees each line as soon as it is shown.
    if (log_everything()) std::fflush(r.log_file);
}

bool log_everything() {
    static const bool wanted = [] {
        char value[4] = "";
        return GetEnvironmentVariableA(KBX_LOG_ALL_VARIABLE, value, sizeof value) == 1 && value[0] == '1';
    }();
    return wanted;
}

void close_log(TextWindowRecord& r) {
    std::lock_guard<std::mutex> hold(log_lock);
    if (r.log_file) std::fclose(r.log_file);
    r.log_file = nullptr;
    r.log_state = 0;
}

}  // namespace kbx

int KBX_StartLog(int n) {
    using namespace kbx;
    if (!open_window(n)) return 3;
    TextWindowRecord& r = text_windows[n];
    if (r.log_state == 1) return 1;
    if (r.log_state == 2) {   // paused: the file is still open
        set_log_file(r, r.log_file, 1);
        return 0;
    }
    wchar_t path[kPathChars + 64];
    log_path(n, path, kPathChars + 64);
    std::FILE* file = _wfopen(path, L"wt");
    if (!file) {
        MessageBoxW(nullptr, L"Can't create file for LOG!", L"Error", MB_OK);
        return 2;
    }
    set_log_file(r, file, 1);
    return 0;
}

int KBX_StopLog(int n) {
    using namespace kbx;
    if (!open_window(n)) return 2;
    TextWindowRecord& r = text_windows[n];
    if (r.log_state == 0) return 1;
    set_log_file(r, r.log_file, 2);
    return 0;
}

int KBX_CopyLog(int n) {
    using namespace kbx;
    if (!open_window(n)) return 4;
    TextWindowRecord& r = text_windows[n];
    // Everything written so far must be in the file.
    if (r.log_state != 0) close_stream(r);
    wchar_t path[kPathChars + 64];
    log_path(n, path, kPathChars + 64);
    HGLOBAL block = nullptr;
    int result = file_to_block(path, &block);
    if (result == 0) {
        const int handed = hand_text_to_clipboard(block);
        result = handed == 2 ? 5 : handed;
    }
    if (result == 2) pause_message("Can't open LOG file!");
    if (result == 3) pause_message("No enough memory (copy log)");
    if (r.log_state != 0) {
        std::FILE* again = _wfopen(path, L"at");
        // A log that cannot be reopened is no log: nothing is written
        // through a stream that did not open.
        if (again) set_log_file(r, again, r.log_state);
        else set_log_file(r, nullptr, 0);
    }
    return result;
}

void KBX_CloseLog(int n) {
    using namespace kbx;
    if (!open_window(n) || text_windows[n].log_state == 0) return;
    close_log(text_windows[n]);
}

void KBX_CloseAllLogs() {
    using namespace kbx;
    for (int n = 0; n < kMaxWindows; ++n)
        if (text_windows[n].in_use && text_windows[n].log_state != 0) close_log(text_windows[n]);
}
